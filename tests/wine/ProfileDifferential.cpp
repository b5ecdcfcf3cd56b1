// Differential test of the portable INI engine against the system's private-profile
// functions. Each case starts two copies of one file in a temp folder; the same operations
// run on one copy through TWin32Profile and on the other through TIniEngine (real files, the
// ANSI code page), and every read result, every write result and, after each write, the
// bytes of the two files must be equal.
//
//   wine_profile_differential.exe
//
// Prints "ok - ..." / "FAIL - ...: expected <system>, got <engine>" per check and a final
// "N passed, M failed"; exits 0 only when every check passed. The Japanese cases need the
// ANSI code page 932 (under Wine: LC_ALL=ja_JP.UTF-8); a check says so when it is not.

#include "AnsiCodec.h"
#include "platform/portable/IniEngine.h"
#include "platform/portable/NativeFiles.h"
#include "platform/win32/Win32Profile.h"

#include "platform/win32/Win32.h"

#include "kit/Report.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

// ---- reporting -------------------------------------------------------------------------

using kit::Check;

// Text as one line of the report: control bytes as escapes, and also every byte past ASCII
// for file contents, which are in the code page rather than UTF-8.
std::string Escape(const std::string& s, bool utf8) {
  std::string out;
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\r') out += "\\r";
    else if (b == '\n') out += "\\n";
    else if (b == '\t') out += "\\t";
    else if (b == '\\') out += "\\\\";
    else if ((b >= 0x20 && b < 0x7F) || (utf8 && b >= 0x80)) out.push_back(c);
    else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    }
  }
  return out;
}

// Long texts are shown around the first place where the two differ.
std::string Show(const std::optional<std::string>& s, const std::optional<std::string>& other,
                 bool utf8) {
  if (!s) return "(no file)";
  std::string out;
  std::size_t from = 0;
  if (s->size() > 120) {
    while (other && from < s->size() && from < other->size() && (*s)[from] == (*other)[from]) ++from;
    from = from > 30 ? from - 30 : 0;
    out = std::to_string(s->size()) + " bytes, from " + std::to_string(from) + ": ";
  }
  out += '"';
  out += Escape(s->substr(from, s->size() > 120 ? 60 : s->size()), utf8);
  out += '"';
  return out;
}

// A difference we keep on purpose passes while it lasts and fails once the engine and the
// system agree, so that the note about it is not left behind.
void Compare(const std::optional<std::string>& system, const std::optional<std::string>& engine,
             const std::string& what, const char* knownDifference, bool utf8) {
  const bool same = system == engine;
  if (!knownDifference)
    Check(same, what, Show(system, engine, utf8), [&] { return Show(engine, system, utf8); });
  else if (same)
    Check(false, what, std::string("the known difference (") + knownDifference + ")",
          "none: both give " + Show(system, engine, utf8));
  else
    kit::Known(what, knownDifference);
}

// ---- the corpus ------------------------------------------------------------------------

struct TOp {
  enum TKind { Read, Write } Kind;
  std::string Section;
  std::string Key;
  std::string Value;  // the default of a read
  std::size_t BufferSize = 2048;
  // Set to the reason for a difference kept on purpose; none is kept at present.
  const char* KnownDifference = nullptr;
};

TOp R(std::string section, std::string key, std::string defaultValue = "(default)",
      std::size_t bufferSize = 2048) {
  return {TOp::Read, std::move(section), std::move(key), std::move(defaultValue), bufferSize};
}

TOp W(std::string section, std::string key, std::string value) {
  return {TOp::Write, std::move(section), std::move(key), std::move(value)};
}

struct TCase {
  const char* Name;
  std::optional<std::string> File;  // none: the file does not exist
  std::vector<TOp> Ops;
  bool InMissingFolder = false;
  bool ReadOnly = false;  // FILE_ATTRIBUTE_READONLY on both copies
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }
// A literal with NULs in it, all of it but the terminator.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

std::vector<TCase> Corpus() {
  const std::string a2047 = Repeat('a', 2047), b3000 = Repeat('b', 3000), c2048 = Repeat('c', 2048);
  std::vector<TOp> smallBuffers;
  for (std::size_t size : {1, 2, 3, 4, 5, 6, 7, 8}) {
    for (const char* key : {"short", "qs", "sp", "qb"}) smallBuffers.push_back(R("S", key, "d", size));
    smallBuffers.push_back(R("S", "none", "\"abcdef\"", size));
    smallBuffers.push_back(R("S", "none", "abcdef  ", size));
  }
  std::vector<TOp> defaults;
  for (const char* d : {"", " ", "   ", "a  ", " a ", "\"", "\"\"", "'x'", "\"x", " \"x\" ", "\"x\" ",
                        "x\t", "\tx\t\t", "'x\"", "  \"in side\"  "})
    defaults.push_back(R("S", "none", d));
  defaults.push_back(R("T", "k", "no such section"));

  return {
      {"case of names",
       "[Settings]\r\nInterval=100\r\nBUTTON=Left\r\n[ZONE]\r\nzed=1\r\n",
       {R("settings", "interval"), R("SETTINGS", "button"), R("SeTtInGs", "BuTtOn"), R("zone", "ZED"),
        W("SETTINGS", "INTERVAL", "250"), W("settings", "newKey", "x"), W("zOnE", "Zed", "1"),
        R("Settings", "NEWKEY")}},
      {"blanks around names and values",
       "  [ Two ]  \r\n  Sp Key  =  spaced value  \r\nTab\t=\tv\t\r\n\v\fvt=\v1\f\r\n",
       {R("Two", "sp key"), R(" two ", "  sp key  "), R("\ttwo\t", "tab"), R("two", "vt"),
        R("two", "sp  key"), W("two", "tab", "w"), W("  Spaced Sec  ", "  spaced key ", "  spaced value  "),
        R("Spaced Sec", "spaced key"), R("spaced sec  ", "spaced key "),
        W("Spaced Sec", "spaced key", "v2"), W("two", "  new  ", "  n  "), R("two", "new")}},
      {"quotes around values",
       "[S]\r\nq1=\"quoted\"\r\nq2='single'\r\nq3=\"unbalanced\r\nq4=unbal\"\r\nq5=\" in side \"\r\n"
       "q6=\"a\"b\"\r\nq7=\"\r\nq8=\"\"\r\nq9='\"mixed\"\r\nq10=  'x'  \r\n",
       {R("S", "q1"), R("S", "q2"), R("S", "q3"), R("S", "q4"), R("S", "q5"), R("S", "q6"), R("S", "q7"),
        R("S", "q8"), R("S", "q9"), R("S", "q10"), W("S", "q1", "\"new\""), R("S", "q1"),
        W("S", "q11", "  \"x\"  "), R("S", "q11")}},
      {"comments",
       "; leading comment\r\n# hash comment\r\n[S]\r\n;c=1\r\n#h=2\r\nk=v ; not a comment\r\n; mid\r\n",
       {R("", "; leading comment"), R("S", ";c"), R("S", "#h"), R("S", "k"), R("S", "; mid"),
        W("S", "new", "1"), W("", "# hash comment", "x"), R("", "# hash comment")}},
      {"duplicate keys",
       "[S]\r\ndup=first\r\ndup=second\r\nDUP=third\r\nnoeq\r\nnoeq=5\r\n",
       {R("S", "dup"), R("S", "noeq"), W("S", "Dup", "new"), R("S", "dup"), W("S", "noeq", "v"),
        R("S", "noeq")}},
      {"a section that appears twice",
       "[S]\r\na=1\r\n[T]\r\nt=1\r\n[s]\r\na=2\r\nb=3\r\n",
       {R("S", "a"), R("s", "b"), R("T", "t"), W("S", "b", "x"), W("s", "a", "1"), W("S", "a", "9"),
        R("s", "a"), R("S", "b")}},
      {"a missing final newline", "[S]\r\nk=last",
       {R("S", "k"), W("S", "k2", "v"), R("S", "k")}},
      {"LF line ends", "[S]\nk=v\n[T]\nt=1\n", {R("S", "k"), R("T", "t"), W("T", "t", "2")}},
      {"CR and mixed line ends", "[S]\ra=1\rb=2\n\rc=3\r\n\r\n",
       {R("S", "a"), R("S", "b"), R("S", "c"), W("S", "d", "4")}},
      {"empty values", "[S]\r\nempty=\r\nblank=   \r\n=emptykey\r\nnoeq\r\n",
       {R("S", "empty"), R("S", "blank"), R("S", ""), R("S", "noeq"), W("S", "empty", ""),
        W("S", "noeq", ""), R("S", "noeq"), W("S", "blank", "x"), W("S", "new", ""), R("S", "new")}},
      {"long values",
       // Keys name the length of the value, quotes included.
       "[S]\r\nv2047=" + a2047 + "\r\nv3000=" + b3000 + "\r\nv2048=" + c2048 +
           "\r\nq2047=\"" + a2047.substr(0, 2045) + "\"\r\nq2048=\"" + a2047.substr(0, 2046) +
           "\"\r\nq2049=\"" + a2047 + "\"\r\nq3002=\"" + b3000 + "\"\r\n",
       {R("S", "v2047"), R("S", "v3000"), R("S", "v2048"), R("S", "q2047"), R("S", "q2048"),
        R("S", "q2049"), R("S", "q3002"), R("S", "missing", b3000), W("S", "w3000", b3000),
        R("S", "w3000"), W("S", "v2047", Repeat('z', 2047)), R("S", "v2047")}},
      {"small buffers", "[S]\r\nshort=abcdef\r\nqs=\"abcdef\"\r\nsp=abc   def\r\nqb=\"ab  \"\r\n",
       smallBuffers},
      {"defaults", "[S]\r\nk=v\r\n", defaults},
      {"defaults from a missing file", std::nullopt,
       {R("S", "k", "fallback"), R("S", "k", "  x  "), R("S", "k", "'q'")}},
      {"keys without '='", "[S]\r\nnoeq\r\n  noeq2  \r\n[U\r\nu=1\r\n",
       {R("S", "noeq"), R("S", "u"), R("S", "[U"), R("U", "u"), W("S", "noeq2", "v"), W("S", "[U", "w"),
        R("S", "[U")}},
      {"lines with leading blanks", "   [S]\r\n\t  k=v\r\n   ; c\r\n  \t\r\n",
       {R("S", "k"), R("S", "; c"), W("S", "k", "w")}},
      {"headers",
       "top=1\r\n[W] junk\r\nw=1\r\n[a]b]\r\nab=1\r\n[V]]\r\nv=1\r\n[]\r\ne=1\r\n[x=y]\r\nq=1\r\n"
       "[a2]=5\r\nz=1\r\n",
       {R("", "top"), R("W", "w"), R("a]b", "ab"), R("V]", "v"), R("", "e"), R("x=y", "q"), R("a2", "z"),
        W("", "e", "E"), W("a2", "k", "v"), R("V]", "e")}},
      {"the nameless section", "[S]\r\na=1\r\n", {W("", "top", "T"), R("", "top"), R("S", "a")}},
      {"a [] header", "[]\r\na=1\r\n[S]\r\nb=2\r\n", {R("", "a"), W("", "c", "3"), R("S", "a")}},
      {"a missing file", std::nullopt,
       {R("Sec", "Key"), W("Sec", "Key", "Value"), R("sec", "key"), W("", "top", "1")}},
      {"a new file with the nameless section", std::nullopt, {W("", "k", "v"), R("", "k")}},
      {"an empty file", "", {R("S", "k"), W("S", "k", "")}},
      {"line breaks in values", "[S]\r\na=1\r\n",
       {W("S", "a", "x\r\ny=2"), R("S", "a"), R("S", "y"), W("S", "b", "p\rq"), R("S", "b"), R("S", "q"),
        W("S", "c", "m\nn=3"), R("S", "c"), R("S", "n"), W("S", "d", "[T]\r\nt=1"), R("T", "t")}},
      {"an unchanged value", "[S]\r\n  k = v  \r\n\r\n; c\r\n",
       {W("S", "k", "v"), W("s", "K", "  v"), W("S", "k", "v ")}},
      {"a value changed only in case", "[S]\r\nabc=abc\r\n", {W("S", "abc", "ABC")}},
      {"Japanese names in the ANSI code page",
       // [設定] 間隔=100 Ａ=full Α=greek А=cyr 表=hyo ソ=so, in Shift-JIS: 表 and ソ end in
       // 0x5C, the byte of '\'.
       "[\x90\xDD\x92\xE8]\r\n\x8A\xD4\x8A\x75=100\r\n\x82\x60=full\r\n\x83\x9F=greek\r\n"
       "\x84\x40=cyr\r\n\x95\x5C=hyo\r\n\x83\x5C=so\r\n\x81\x40k\x81\x40=\x81\x40v\x81\x40\r\n",
       {R("設定", "間隔"), R("設定", "Ａ"), R("設定", "ａ"), R("設定", "Α"), R("設定", "α"), R("設定", "А"),
        R("設定", "а"), R("設定", "表"), R("設定", "ソ"), R("設定", "k"), R("設定", "　k　"),
        R("設定", "間隔", "既定", 2), W("設定", "ａ", "low"), W("設定", "表", "値"),
        W("セクション", "キー", "値"), W("設定", "間隔", "200"), R("設定", "間隔"), W("設定", "euro", "€"),
        R("設定", "euro"), W("設定", "café", "x"), R("設定", "café")}},
      {"UTF-8 without a BOM in the ANSI code page",
       "[\xE8\xA8\xAD]\r\nk=\xE5\x80\xA4\r\nlone=\x82",
       {R("設", "k"), R("\xE8\xA8\xAD", "k"), R("s", "lone"), W("s", "k", "v")}},
      {"a UTF-8 BOM", "\xEF\xBB\xBF[S]\r\na=1\r\n\xC3\xA9=acute\r\nv=\xF0\x9F\x98\x80x\r\n",
       {R("S", "a"), R("S", "é"), R("S", "É"), R("S", "v", "d", 2), R("S", "v", "d", 3), R("S", "v", "d", 4),
        W("S", "b", "é"), W("S", "É", "new")}},
      {"only a UTF-8 BOM", "\xEF\xBB\xBF", {W("S", "a", "1")}},
      {"a UTF-16LE BOM", Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0a\0=\0" "1\0\r\0\n\0"),
       {R("S", "a"), W("S", "b", "é")}},
      {"a UTF-16BE BOM", Bytes("\xFE\xFF\0[\0S\0]\0\r\0\n\0a\0=\0" "1"),
       {R("S", "a"), W("S", "b", "2")}},
      {"a folder that does not exist", std::nullopt, {W("S", "k", "v"), R("S", "k")}, true},
      // Run as root (as CI does), Wine writes a read-only file all the same; the two sides go
      // through the same file system either way.
      {"a read-only file", "[S]\r\nk=1\r\n", {W("S", "k", "2"), R("S", "k"), W("S", "k", "1")}, false,
       true},
      {"bytes that are not UTF-8 after a UTF-8 BOM",
       "\xEF\xBB\xBF[S]\r\na=\xC3(\r\nb=\xE8\xA8\r\nc=\xFF\xFEx\r\nd=\xED\xA0\x80\r\ne=\xF0\x9F\x98\r\n"
       "f=\xE0\x80\x80z\r\ng=\xC0\xAFz\r\nh=\xF4\x90\x80\x80z\r\ni=\xF8\x88\x80\x80\x80z\r\nj=\x80\x80z\r\n"
       "k=\xF0\x80\x80z\r\nl=\xF0\x80z\r\nm=\xED\xA0z\r\nn=\xF0\x90\x80z\r\no=\xED\xA0\r\n",
       {R("S", "a"), R("S", "b"), R("S", "c"), R("S", "d"), R("S", "e"), R("S", "f"), R("S", "g"),
        R("S", "h"), R("S", "i"), R("S", "j"), R("S", "k"), R("S", "l"), R("S", "m"), R("S", "n"),
        R("S", "o"), W("S", "p", "1")}},
  };
}

// ---- running ---------------------------------------------------------------------------

std::string Describe(const TOp& op) {
  const std::string value =
      op.Value.size() > 40 ? std::to_string(op.Value.size()) + " bytes" : Show(op.Value, std::nullopt, true);
  std::string s = op.Kind == TOp::Read ? "read [" : "write [";
  s += Escape(op.Section, true);
  s += "] ";
  s += Escape(op.Key, true);
  if (op.Kind == TOp::Write) {
    s += "=";
    s += value;
  } else {
    s += " (default ";
    s += value;
    s += ", buffer ";
    s += std::to_string(op.BufferSize);
    s += ")";
  }
  return s;
}

void Run(const TCase& c, const std::string& folder, int index) {
  TNativeFiles files;
  TAnsiCodec ansi;
  TWin32Profile system;
  TIniEngine engine(files, ansi);
  // One pair of new files per case: the system may hold on to a file it has read.
  const std::string base = folder + "\\" + (c.InMissingFolder ? "missing\\" : "") + std::to_string(index);
  const std::string systemPath = base + "-system.ini", enginePath = base + "-engine.ini";
  if (c.File) {
    if (!files.Save(systemPath, *c.File) || !files.Save(enginePath, *c.File)) {
      Check(false, std::string(c.Name) + ": setting up", "two copies of the file", "cannot write " + base + "-*.ini");
      return;
    }
  }
  if (c.ReadOnly) {
    ::SetFileAttributesW(Widen(systemPath).c_str(), FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW(Widen(enginePath).c_str(), FILE_ATTRIBUTE_READONLY);
  }
  for (const TOp& op : c.Ops) {
    const std::string what = std::string(c.Name) + ": " + Describe(op);
    if (op.Kind == TOp::Read) {
      Compare(system.ReadIniString(op.Section, op.Key, op.Value, systemPath, op.BufferSize),
              engine.ReadIniString(op.Section, op.Key, op.Value, enginePath, op.BufferSize), what,
              op.KnownDifference, true);
      continue;
    }
    const bool systemOk = system.WriteIniString(op.Section, op.Key, op.Value, systemPath);
    const bool engineOk = engine.WriteIniString(op.Section, op.Key, op.Value, enginePath);
    system.FlushIni(systemPath);
    Compare(systemOk ? "true" : "false", engineOk ? "true" : "false", what + " returns",
            op.KnownDifference, true);
    Compare(files.Load(systemPath), files.Load(enginePath), what + " leaves the same bytes",
            op.KnownDifference, false);
  }
  if (c.ReadOnly) {  // or the temp folder could not be removed
    ::SetFileAttributesW(Widen(systemPath).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SetFileAttributesW(Widen(enginePath).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

std::string TempFolder() {
  std::wstring temp(MAX_PATH + 1, L'\0');
  temp.resize(::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
  return Narrow(temp) + "vantrel-profile-" + std::to_string(::GetCurrentProcessId());
}

}  // namespace

int main() {
  const UINT acp = ::GetACP();
  Check(acp == 932, "the ANSI code page is 932", "932",
        std::to_string(acp) + " (under Wine set LC_ALL=ja_JP.UTF-8)");

  const std::string folder = TempFolder();
  const std::filesystem::path folderPath(std::u8string(folder.begin(), folder.end()));
  std::error_code error;
  std::filesystem::create_directories(folderPath, error);
  if (error) {
    Check(false, "creating " + folder, "a folder", error.message());
  } else {
    int index = 0;
    for (const TCase& c : Corpus()) Run(c, folder, ++index);
  }
  std::filesystem::remove_all(folderPath, error);

  return kit::Summary();
}
