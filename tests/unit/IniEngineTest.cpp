#include <gtest/gtest.h>

#include "platform/portable/IniEngine.h"
#include "support/FakeFiles.h"

// The expected results are what Wine's GetPrivateProfileStringW / WritePrivateProfileStringW
// give for the same files; tests/wine checks the engine against them directly.

namespace {

const std::string Path = "/cfg/Vantrel.ini";

// ISO 8859-1: a code page whose bytes are not UTF-8, so the tests see the codec at work.
class TLatin1Codec final : public ITextCodec {
public:
  std::string ToUtf8(std::string_view bytes) const override {
    std::string out;
    for (char c : bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        out.push_back(c);
      } else {
        out.push_back(static_cast<char>(0xC0 | (b >> 6)));
        out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
      }
    }
    return out;
  }
  std::string FromUtf8(std::string_view utf8) const override {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      const auto b = static_cast<unsigned char>(utf8[i]);
      if (b < 0x80) {
        out.push_back(utf8[i]);
      } else if ((b == 0xC2 || b == 0xC3) && i + 1 < utf8.size()) {
        out.push_back(static_cast<char>(((b & 0x03) << 6) | (utf8[++i] & 0x3F)));
      } else {
        out.push_back('?');  // beyond Latin-1, as a code page's best fit would
        while (i + 1 < utf8.size() && (utf8[i + 1] & 0xC0) == 0x80) ++i;
      }
    }
    return out;
  }
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }
std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

struct TReadCase {
  const char* Name;
  std::string File;
  std::string Section;
  std::string Key;
  std::string Default;
  std::size_t BufferSize;
  std::string Expected;
};

void RunReads(const std::vector<TReadCase>& cases, bool latin1 = false) {
  for (const TReadCase& c : cases) {
    TFakeFiles files;
    files.Put(Path, c.File);
    TLatin1Codec codec;
    TIniEngine engine = latin1 ? TIniEngine(files, codec) : TIniEngine(files);
    EXPECT_EQ(engine.ReadIniString(c.Section, c.Key, c.Default, Path, c.BufferSize), c.Expected)
        << c.Name;
    EXPECT_EQ(files.Writes(), 0) << c.Name;
  }
}

struct TWriteCase {
  const char* Name;
  std::optional<std::string> File;
  std::string Section;
  std::string Key;
  std::string Value;
  std::string Expected;
};

void RunWrites(const std::vector<TWriteCase>& cases, bool latin1 = false) {
  for (const TWriteCase& c : cases) {
    TFakeFiles files;
    if (c.File) files.Put(Path, *c.File);
    TLatin1Codec codec;
    TIniEngine engine = latin1 ? TIniEngine(files, codec) : TIniEngine(files);
    EXPECT_TRUE(engine.WriteIniString(c.Section, c.Key, c.Value, Path)) << c.Name;
    EXPECT_EQ(files.Get(Path), c.Expected) << c.Name;
    EXPECT_EQ(files.Writes(), 1) << c.Name;
  }
}

}  // namespace

TEST(IniEngineTest, FindsNamesWithoutRegardToAsciiCaseAndBlanks) {
  RunReads({
      {"ASCII case", "[Size]\r\nKeyAZ=Value\r\n", "sIZE", "kEYaz", "d", 2048, "Value"},
      {"non-ASCII letters keep their case", "[S]\r\n\xC3\xA9=acute\r\n", "S", "\xC3\x89", "d", 2048, "d"},
      {"the same non-ASCII name", "[S]\r\n\xC3\xA9=acute\r\n", "S", "\xC3\xA9", "d", 2048, "acute"},
      {"fullwidth letters keep their case", "[S]\r\n\xEF\xBC\xA1=full\r\n", "s", "\xEF\xBD\x81", "d", 2048, "d"},
      {"blanks around names and values", "  [ Two ]  \r\n  Sp Key  =  spaced value  \r\n", "Two",
       "sp key", "d", 2048, "spaced value"},
      {"blanks around the asked names", "[Two]\r\nSp Key=v\r\n", " two\t", "  sp key  ", "d", 2048, "v"},
      {"blanks inside a name count", "[Sp ace]\r\nk=v\r\n", "sp  ace", "k", "d", 2048, "d"},
      {"tab, vertical tab and form feed are blanks", "\t[S]\t\r\nt=\v v\f\t\r\n", "S", "t", "d", 2048, "v"},
      {"Unicode spaces are not", "[S]\r\n\xC2\xA0k=1\r\n", "S", "k", "d", 2048, "d"},
      {"control characters are not", "[S]\r\n\x1Fk=1\r\n", "S", "k", "d", 2048, "d"},
  });
}

TEST(IniEngineTest, ReadsEveryLineLayoutTheSystemReads) {
  RunReads({
      {"no final newline", "[S]\r\nk=last", "S", "k", "d", 2048, "last"},
      {"LF only", "[S]\nk=v\n", "S", "k", "d", 2048, "v"},
      {"a lone CR ends a line", "[S]\ra=1\rb=2", "S", "b", "d", 2048, "2"},
      {"LF CR is a line break too", "[S]\n\rc=3\n\r", "S", "c", "d", 2048, "3"},
      {"an empty value is a value", "[S]\r\nk=\r\n", "S", "k", "d", 2048, ""},
      {"a blank value is empty", "[S]\r\nk=   \r\n", "S", "k", "d", 2048, ""},
      {"a key without '=' has no value", "[S]\r\nk\r\n", "S", "k", "d", 2048, "d"},
      {"an empty key name", "[S]\r\n=v\r\n", "S", "", "d", 2048, "v"},
      {"'=' inside a value", "[S]\r\na=b=c\r\n", "S", "a", "d", 2048, "b=c"},
      {"';' lines are keys", "[S]\r\n;c=1\r\n", "S", ";c", "d", 2048, "1"},
      {"'#' lines are keys", "[S]\r\n#h=2\r\n", "S", "#h", "d", 2048, "2"},
      {"';' inside a value stays", "[S]\r\nk=v ; note\r\n", "S", "k", "d", 2048, "v ; note"},
      {"the first of duplicate keys", "[S]\r\ndup=first\r\nDUP=second\r\n", "S", "dup", "d", 2048, "first"},
      {"the first duplicate key even without a value", "[S]\r\nk\r\nk=5\r\n", "S", "k", "d", 2048, "d"},
      {"the first of duplicate sections", "[S]\r\na=1\r\n[T]\r\n[s]\r\na=2\r\nb=3\r\n", "S", "a", "d",
       2048, "1"},
      {"a key only in the second of two sections", "[S]\r\na=1\r\n[T]\r\n[s]\r\nb=3\r\n", "S", "b", "d",
       2048, "d"},
      {"keys above any header", "top=1\r\n[S]\r\n", "", "top", "d", 2048, "1"},
      {"a [] section after the nameless top", "[S]\r\n[]\r\ne=1\r\n", "", "e", "d", 2048, "d"},
      {"a header runs to the last ']'", "[a]b]\r\nk=1\r\n", "a]b", "k", "d", 2048, "1"},
      {"text after the header", "[W] junk\r\nw=1\r\n", "W", "w", "d", 2048, "1"},
      {"'[' without ']' is a line of the section above", "[S]\r\n[U\r\nu=1\r\n", "S", "u", "d", 2048, "1"},
      {"a missing section", "[S]\r\nk=v\r\n", "T", "k", "d", 2048, "d"},
      {"a missing key", "[S]\r\nk=v\r\n", "S", "j", "d", 2048, "d"},
  });
}

TEST(IniEngineTest, StripsMatchingQuotesFromValuesAndDefaults) {
  RunReads({
      {"double quotes", "[S]\r\nq=\"quoted\"\r\n", "S", "q", "d", 2048, "quoted"},
      {"single quotes", "[S]\r\nq='single'\r\n", "S", "q", "d", 2048, "single"},
      {"blanks inside quotes stay", "[S]\r\nq=  \" in side \"  \r\n", "S", "q", "d", 2048, " in side "},
      {"only an opening quote", "[S]\r\nq=\"open\r\n", "S", "q", "d", 2048, "\"open"},
      {"only a closing quote", "[S]\r\nq=close\"\r\n", "S", "q", "d", 2048, "close\""},
      {"quotes that do not match", "[S]\r\nq='mixed\"\r\n", "S", "q", "d", 2048, "'mixed\""},
      {"a quote inside", "[S]\r\nq=\"a\"b\"\r\n", "S", "q", "d", 2048, "a\"b"},
      {"a lone quote", "[S]\r\nq=\"\r\n", "S", "q", "d", 2048, "\""},
      {"empty quotes", "[S]\r\nq=\"\"\r\n", "S", "q", "d", 2048, ""},
      {"default in quotes", "", "S", "k", "'x'", 2048, "x"},
      {"default loses trailing spaces", "", "S", "k", "  dflt  ", 2048, "  dflt"},
      {"default keeps its first character", "", "S", "k", "   ", 2048, " "},
      {"default keeps trailing tabs", "", "S", "k", "x\t", 2048, "x\t"},
      {"default quoted after its spaces go", "", "S", "k", "\"x\" ", 2048, "x"},
      {"default with a leading blank is not quoted", "", "S", "k", " \"x\" ", 2048, " \"x\""},
  });
}

TEST(IniEngineTest, CutsValuesToTheBufferInUtf16Units) {
  const std::string b2045 = Repeat('a', 2045), b2046 = Repeat('b', 2046);
  RunReads({
      {"2047 characters fit", "[S]\r\nv=" + Repeat('a', 2047), "S", "v", "d", 2048, Repeat('a', 2047)},
      {"2048 characters", "[S]\r\nv=" + Repeat('c', 2048), "S", "v", "d", 2048, Repeat('c', 2047)},
      {"3000 characters", "[S]\r\nv=" + Repeat('b', 3000) + "\r\n", "S", "v", "d", 2048, Repeat('b', 2047)},
      {"a default longer than the buffer", "", "S", "v", Repeat('d', 3000), 2048, Repeat('d', 2047)},
      {"quoted, ending one short of the buffer", "[S]\r\nq=" + Quoted(b2045), "S", "q", "d", 2048, b2045},
      {"quoted, filling the buffer", "[S]\r\nq=" + Quoted(b2046) + "\r\n", "S", "q", "d", 2048, b2046},
      // The quirk: text exactly as long as the room loses its last character.
      {"quoted, 2047 characters", "[S]\r\nq=" + Quoted(Repeat('d', 2047)) + "\r\n", "S", "q", "d", 2048,
       Repeat('d', 2046)},
      {"quoted, 3000 characters", "[S]\r\nq=" + Quoted(Repeat('c', 3000)), "S", "q", "d", 2048,
       Repeat('c', 2047)},
      {"room for all", "[S]\r\nv=abcdef\r\n", "S", "v", "d", 7, "abcdef"},
      {"room for one less", "[S]\r\nv=abcdef\r\n", "S", "v", "d", 6, "abcde"},
      {"room for nothing", "[S]\r\nv=abcdef\r\n", "S", "v", "d", 1, ""},
      {"no buffer", "[S]\r\nv=abcdef\r\n", "S", "v", "d", 0, ""},
      {"quoted with room for the closing quote", "[S]\r\nq=\"abcdef\"\r\n", "S", "q", "d", 8, "abcdef"},
      {"quoted with room for the text only", "[S]\r\nq=\"abcdef\"\r\n", "S", "q", "d", 7, "abcde"},
      {"quoted with room for less", "[S]\r\nq=\"abcdef\"\r\n", "S", "q", "d", 6, "abcde"},
      {"quoted with room for two", "[S]\r\nq=\"abcdef\"\r\n", "S", "q", "d", 3, "ab"},
      {"quoted default, the same quirk", "", "S", "q", "\"abcdef\"", 7, "abcde"},
      {"quoted blanks cut", "[S]\r\nq=\"ab  \"\r\n", "S", "q", "d", 5, "ab "},
      {"a cut inside the value's blanks", "[S]\r\nv=abc   def\r\n", "S", "v", "d", 5, "abc "},
      {"two-byte characters count once", "[S]\r\nv=\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\r\n", "S", "v", "d", 3,
       "\xC3\xA9\xC3\xA9"},
      {"a character beyond the BMP counts twice", "[S]\r\nv=\xF0\x9F\x98\x80x\r\n", "S", "v", "d", 4,
       "\xF0\x9F\x98\x80x"},
      {"a cut between surrogates", "[S]\r\nv=\xF0\x9F\x98\x80x\r\n", "S", "v", "d", 2, "\xEF\xBF\xBD"},
  });
}

TEST(IniEngineTest, DecodesTheFileByItsBomOrElseByTheCodec) {
  RunReads(
      {
          {"the code page", "[S]\r\n\xE9=latin\r\n", "S", "\xC3\xA9", "d", 2048, "latin"},
          {"a UTF-8 BOM", "\xEF\xBB\xBF[S]\r\n\xC3\xA9=utf8\r\n", "S", "\xC3\xA9", "d", 2048, "utf8"},
          {"a UTF-16LE BOM", std::string("\xFF\xFE[\0S\0]\0\n\0\xE9\0=\0v\0", 16), "S", "\xC3\xA9", "d",
           2048, "v"},
          {"a UTF-16BE BOM", std::string("\xFE\xFF\0[\0S\0]\0\n\0\xE9\0=\0v", 16), "S", "\xC3\xA9", "d",
           2048, "v"},
          {"a value in the code page", "[S]\r\nk=\xFC\xDF\r\n", "S", "k", "d", 2048, "\xC3\xBC\xC3\x9F"},
      },
      true);
}

TEST(IniEngineTest, ReadsBrokenUtf8AsTheSystemsDecoderDoes) {
  const std::string fffd = "\xEF\xBF\xBD";
  RunReads({
      {"a lead byte without its continuation", "\xEF\xBB\xBF[S]\r\nv=\xC3(\r\n", "S", "v", "d", 2048, fffd + "("},
      {"a sequence cut short", "\xEF\xBB\xBF[S]\r\nv=\xF0\x9F\x98z\r\n", "S", "v", "d", 2048, fffd + "z"},
      {"bytes that never start a sequence", "\xEF\xBB\xBF[S]\r\nv=\xFF\xC0\x80z\r\n", "S", "v", "d", 2048,
       fffd + fffd + fffd + "z"},
      {"an overlong form", "\xEF\xBB\xBF[S]\r\nv=\xE0\x9F\xBFz\r\n", "S", "v", "d", 2048, fffd + fffd + "z"},
      {"a surrogate", "\xEF\xBB\xBF[S]\r\nv=\xED\xA0\x80\r\n", "S", "v", "d", 2048, fffd + fffd},
      {"past U+10FFFF", "\xEF\xBB\xBF[S]\r\nv=\xF4\x90\x80\x80z\r\n", "S", "v", "d", 2048,
       fffd + fffd + fffd + "z"},
      {"a second byte out of range, cut short", "\xEF\xBB\xBF[S]\r\nv=\xF0\x80z\r\n", "S", "v", "d", 2048,
       fffd + "z"},
  });
}

TEST(IniEngineTest, ReadsTheDefaultFromAMissingFile) {
  TFakeFiles files;
  TIniEngine engine(files);
  EXPECT_EQ(engine.ReadIniString("S", "k", "fallback", Path), "fallback");
  EXPECT_FALSE(files.Get(Path));
}

TEST(IniEngineTest, WritesTheWholeFileAgainFromItsSectionsAndEntries) {
  const std::string layout =
      "; head comment\r\n[S]\r\n  a = 1  \r\nb=2\r\n\r\n; mid\r\n\r\n[T]\r\nc=3\r\n";
  RunWrites({
      {"a new file", std::nullopt, "Sec", "Key", "Value", "[Sec]\r\nKey=Value\r\n"},
      {"a new file, nameless section", std::nullopt, "", "k", "v", "k=v\r\n"},
      {"an empty file", "", "S", "k", "", "[S]\r\nk=\r\n"},
      {"a value replaced, the rest laid out again", layout, "S", "b", "NEW",
       "; head comment\r\n[S]\r\na=1\r\nb=NEW\r\n; mid\r\n[T]\r\nc=3\r\n"},
      {"a new key after the section's last line", layout, "S", "newkey", "nv",
       "; head comment\r\n[S]\r\na=1\r\nb=2\r\n; mid\r\nnewkey=nv\r\n[T]\r\nc=3\r\n"},
      {"a new section at the end", layout, "NewSec", "k", "v",
       "; head comment\r\n[S]\r\na=1\r\nb=2\r\n; mid\r\n[T]\r\nc=3\r\n[NewSec]\r\nk=v\r\n"},
      {"LF and a missing final newline become CRLF", "[S]\nA=1\nb=2", "s", "a", "x",
       "[S]\r\nA=x\r\nb=2\r\n"},
      {"a value changed only in case", "[S]\r\nabc=abc\r\n", "S", "abc", "ABC", "[S]\r\nabc=ABC\r\n"},
      {"the first of duplicate keys", "[S]\r\ndup=1\r\ndup=2\r\n", "S", "DUP", "x", "[S]\r\ndup=x\r\ndup=2\r\n"},
      {"the first of duplicate sections", "[S]\r\na=1\r\n[s]\r\nb=2\r\n", "s", "b", "x",
       "[S]\r\na=1\r\nb=x\r\n[s]\r\nb=2\r\n"},
      {"a key without '=' gets its value", "[S]\r\nnoeq\r\nk=1\r\n", "S", "noeq", "", "[S]\r\nnoeq=\r\nk=1\r\n"},
      {"the nameless section is at the top", "[S]\r\na=1\r\n", "", "top", "T", "top=T\r\n[S]\r\na=1\r\n"},
      {"a [] header does not survive", "[]\r\na=1\r\n[S]\r\nb=2\r\n", "", "c", "3",
       "c=3\r\na=1\r\n[S]\r\nb=2\r\n"},
      {"headers, '[' lines and blank lines laid out again",
       "  [ Lead ]  junk\r\n  [U  \r\n \t \r\n[a]=5\r\nk=\"q v\"  \r\n", "lead", "n", "1",
       "[Lead]\r\n[U\r\nn=1\r\n[a]\r\nk=\"q v\"\r\n"},
      {"new names and values lose leading blanks only", "[S]\r\na=1\r\n", "  Spaced Sec  ", "  spaced key ",
       "  spaced value  ", "[S]\r\na=1\r\n[Spaced Sec  ]\r\nspaced key =spaced value  \r\n"},
      {"asked names are trimmed to find the section", "[Lead]\r\nl=1\r\n", "Lead  ", "x  ", "y  ",
       "[Lead]\r\nl=1\r\nx  =y  \r\n"},
      {"line breaks in a value reach the file as they are", "[S]\r\na=1\r\n", "S", "a", "x\r\ny=2",
       "[S]\r\na=x\r\ny=2\r\n"},
      {"a lone CR in a value", "[S]\r\na=1\r\n", "S", "b", "p\rq", "[S]\r\na=1\r\nb=p\rq\r\n"},
      {"a UTF-8 BOM stays", "\xEF\xBB\xBF[S]\r\na=1\r\n", "S", "b", "\xC3\xA9",
       "\xEF\xBB\xBF[S]\r\na=1\r\nb=\xC3\xA9\r\n"},
      {"broken UTF-8 is written back as U+FFFD", "\xEF\xBB\xBF[S]\r\na=\xE8\xA8\r\n", "S", "b", "1",
       "\xEF\xBB\xBF[S]\r\na=\xEF\xBF\xBD\r\nb=1\r\n"},
      {"a UTF-16LE file stays UTF-16LE", std::string("\xFF\xFE[\0S\0]\0\n\0", 10), "S", "b", "\xC3\xA9",
       std::string("\xFF\xFE[\0S\0]\0\r\0\n\0b\0=\0\xE9\0\r\0\n\0", 22)},
      {"a UTF-16BE file stays UTF-16BE", std::string("\xFE\xFF\0[\0S\0]\0\n", 10), "S", "b", "\xF0\x9F\x98\x80",
       std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0b\0=\xD8\x3D\xDE\x00\0\r\0\n", 24)},
  });
}

TEST(IniEngineTest, WritesInTheCodePageOfTheCodec) {
  RunWrites(
      {
          {"names stay distinct by case", "[S]\r\n\xE9=1\r\n", "S", "\xC3\x89", "new",
           "[S]\r\n\xE9=1\r\n\xC9=new\r\n"},
          {"a character outside the code page", "[S]\r\n", "S", "k", "\xE2\x82\xAC", "[S]\r\nk=?\r\n"},
      },
      true);
}

TEST(IniEngineTest, LeavesTheFileAloneWhenTheValueIsUnchanged) {
  const struct {
    const char* Name;
    std::string Key;
    std::string Value;
  } cases[] = {
      {"the same value", "k", "v"},
      {"another case of the key", "K", "v"},
      {"leading blanks", " k", "  v"},
  };
  const std::string file = "[S]\n  k = v  \n\n;c\n";
  for (const auto& c : cases) {
    TFakeFiles files;
    files.Put(Path, file);
    TIniEngine engine(files);
    EXPECT_TRUE(engine.WriteIniString("s", c.Key, c.Value, Path)) << c.Name;
    EXPECT_EQ(files.Writes(), 0) << c.Name;
    EXPECT_EQ(files.Get(Path), file) << c.Name;
  }
  // A trailing blank is a change: it reaches the file.
  TFakeFiles files;
  files.Put(Path, file);
  TIniEngine engine(files);
  EXPECT_TRUE(engine.WriteIniString("S", "k", "v ", Path));
  EXPECT_EQ(files.Get(Path), "[S]\r\nk=v \r\n;c\r\n");
}

TEST(IniEngineTest, ReportsAWriteTheFilesRefused) {
  TFakeFiles files;
  const std::string file = "[S]\r\nk=1\r\n";
  files.Put(Path, file);
  files.MakeUnwritable(Path);
  files.MakeUnwritable("/missing/dir.ini");
  TIniEngine engine(files);
  EXPECT_FALSE(engine.WriteIniString("S", "k", "2", Path));
  EXPECT_EQ(files.Get(Path), file);
  EXPECT_FALSE(engine.WriteIniString("S", "k", "2", "/missing/dir.ini"));
  EXPECT_FALSE(files.Get("/missing/dir.ini"));
  // Nothing to write, nothing refused.
  EXPECT_TRUE(engine.WriteIniString("S", "k", "1", Path));
}

TEST(IniEngineTest, ReadsBackWhatTheFileHoldsNotWhatWasWritten) {
  TFakeFiles files;
  TIniEngine engine(files);
  ASSERT_TRUE(engine.WriteIniString("S", "a", "x\r\ny=2", Path));
  EXPECT_EQ(engine.ReadIniString("S", "a", "d", Path), "x");
  EXPECT_EQ(engine.ReadIniString("S", "y", "d", Path), "2");

  // Trailing blanks stored by one write are trimmed by the next read, and by the next write.
  ASSERT_TRUE(engine.WriteIniString("  Spaced Sec  ", "  key  ", "  value  ", Path));
  EXPECT_EQ(engine.ReadIniString("spaced sec", "KEY", "d", Path), "value");
  ASSERT_TRUE(engine.WriteIniString("Spaced Sec", "key", "v2", Path));
  EXPECT_EQ(files.Get(Path), "[S]\r\na=x\r\ny=2\r\n[Spaced Sec]\r\nkey=v2\r\n");
}
