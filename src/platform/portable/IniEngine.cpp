#include "platform/portable/IniEngine.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

// Nothing is cached between calls: each one reads the file afresh, as the system's results
// show it does once the file has changed (what one write stores with blanks at its end, the
// next call already sees trimmed).

namespace {

// ---- UTF-8 and UTF-16 ------------------------------------------------------------------

// Buffer sizes count UTF-16 units, as the W functions do, whatever the file's code page.
// A broken sequence becomes one U+FFFD per piece, cut as the system's UTF-8 decoder cuts it:
// a lead byte with the continuation bytes that follow it until one is missing; a second byte
// that makes the sequence an overlong form, a surrogate or a value past U+10FFFF, together
// with its lead; any other byte alone.
std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  auto byte = [&](std::size_t at) { return static_cast<unsigned char>(utf8[at]); };
  auto continues = [&](std::size_t at) { return at < utf8.size() && (byte(at) & 0xC0) == 0x80; };
  std::size_t i = 0;
  while (i < utf8.size()) {
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    char32_t cp = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    std::size_t taken = 1;
    bool whole = length != 0;
    while (whole && taken < length) {
      whole = continues(i + taken);
      if (!whole) break;
      const unsigned char next = byte(i + taken++);
      whole = taken > 2 || (next >= low && next <= high);
      cp = (cp << 6) | (next & 0x3F);
    }
    i += taken;
    if (!whole) {
      out.push_back(u'\xFFFD');
    } else if (cp >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

// A surrogate without its partner (a value cut between the two) becomes U+FFFD, as the
// Win32 adapter's conversion makes it.
std::string ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

// ---- names and blanks ------------------------------------------------------------------

// Only the ASCII blanks count: U+00A0, U+3000 and the other Unicode spaces are kept.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Names compare without regard to case in ASCII only: the system treats "é" and "É", or
// "Ａ" and "ａ", as different names.
bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

// ---- the file as the system sees it ----------------------------------------------------

enum class TEncoding { CodePage, Utf8, Utf16Le, Utf16Be };

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";
constexpr std::string_view Utf16BeBom = "\xFE\xFF";

struct TEntry {
  std::string Key;
  std::optional<std::string> Value;  // none for a line without '='
};

struct TSection {
  std::string Name;
  std::vector<TEntry> Entries;

  TEntry* Find(std::string_view key) {
    auto it = std::find_if(Entries.begin(), Entries.end(),
                           [&](const TEntry& e) { return SameName(e.Key, key); });
    return it == Entries.end() ? nullptr : &*it;
  }
};

// The system does not edit the file's lines: it reads the file into sections of entries
// and, after a change, writes all of it out again from them. Blank lines, the blanks around
// names and values, and anything after a section's closing ']' do not survive a write.
struct TDocument {
  TEncoding Encoding = TEncoding::CodePage;
  // The first section holds the lines above any header and has no name. It always exists,
  // so a later "[]" section is never the one found.
  std::vector<TSection> Sections{TSection{}};

  TSection* Find(std::string_view name) {
    auto it = std::find_if(Sections.begin(), Sections.end(),
                           [&](const TSection& s) { return SameName(s.Name, name); });
    return it == Sections.end() ? nullptr : &*it;
  }
};

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t unit : text) {
    const auto lo = static_cast<char>(unit & 0xFF), hi = static_cast<char>(unit >> 8);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
  return out;
}

std::u16string Utf16Text(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return out;
}

// A BOM decides the encoding and is written back; without one the file is in the code page.
std::string Decode(std::string_view bytes, const ITextCodec& codec, TEncoding& encoding) {
  if (bytes.starts_with(Utf8Bom)) {
    encoding = TEncoding::Utf8;
    return ToUtf8(ToUtf16(bytes.substr(Utf8Bom.size())));  // broken sequences as U+FFFD
  }
  if (bytes.starts_with(Utf16LeBom) || bytes.starts_with(Utf16BeBom)) {
    const bool bigEndian = bytes.starts_with(Utf16BeBom);
    encoding = bigEndian ? TEncoding::Utf16Be : TEncoding::Utf16Le;
    return ToUtf8(Utf16Text(bytes.substr(2), bigEndian));
  }
  encoding = TEncoding::CodePage;
  return codec.ToUtf8(bytes);
}

std::string Encode(std::string_view text, const ITextCodec& codec, TEncoding encoding) {
  switch (encoding) {
    case TEncoding::Utf8: return std::string(Utf8Bom) + std::string(text);
    case TEncoding::Utf16Le: return std::string(Utf16LeBom) + Utf16Bytes(ToUtf16(text), false);
    case TEncoding::Utf16Be: return std::string(Utf16BeBom) + Utf16Bytes(ToUtf16(text), true);
    case TEncoding::CodePage: break;
  }
  return codec.FromUtf8(text);
}

// A lone CR ends a line as well as LF and CRLF do, so a value written with a line break in
// it reads back as two lines.
TDocument Parse(std::string_view text, TEncoding encoding) {
  TDocument doc;
  doc.Encoding = encoding;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    // A header runs to the line's last ']' ("[a]b]" is section "a]b"); a '[' without any
    // ']' is an entry like any other line.
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        doc.Sections.push_back(TSection{std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    // Comment lines are entries too: ";name=x" is found as key ";name".
    const std::size_t eq = line.find('=');
    TEntry entry;
    entry.Key = std::string(Trim(line.substr(0, eq)));
    if (eq != std::string_view::npos) entry.Value = std::string(Trim(line.substr(eq + 1)));
    doc.Sections.back().Entries.push_back(std::move(entry));
  }
  return doc;
}

std::string Serialize(const TDocument& doc) {
  std::string text;
  for (const TSection& section : doc.Sections) {
    // A nameless section has no header: entries under a "[]" thus join the section above
    // once the file has been written.
    if (!section.Name.empty()) text += "[" + section.Name + "]\r\n";
    for (const TEntry& entry : section.Entries) {
      text += entry.Key;
      if (entry.Value) text += "=" + *entry.Value;
      text += "\r\n";
    }
  }
  return text;
}

// What the caller's buffer receives. A value in matching quotes (' or ") comes without
// them. The system strips the quotes after cutting the value to the buffer, and a value
// whose text fills the buffer exactly loses its last character as well: with room for 6,
// "abcdef" in quotes comes back as abcde.
std::string Fit(std::string_view value, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const std::size_t room = bufferSize - 1;
  std::u16string text = ToUtf16(value);
  const bool quoted = text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
                      text.back() == text.front();
  if (!quoted) {
    if (text.size() > room) text.resize(room);
    return ToUtf8(text);
  }
  const std::size_t inner = text.size() - 2;
  const std::size_t copied = std::min(inner + 1, room);  // the closing quote included
  std::u16string result = text.substr(1, copied);
  if (copied >= inner && !result.empty()) result.pop_back();
  return ToUtf8(result);
}

TDocument Load(IFiles& files, const ITextCodec& codec, const std::string& path) {
  const std::optional<std::string> bytes = files.Load(path);
  if (!bytes) return TDocument{};
  TEncoding encoding = TEncoding::CodePage;
  const std::string text = Decode(*bytes, codec, encoding);
  return Parse(text, encoding);
}

const TIdentityCodec Utf8Codec;

}  // namespace

TIniEngine::TIniEngine(IFiles& files) : TIniEngine(files, Utf8Codec) {}

TIniEngine::TIniEngine(IFiles& files, const ITextCodec& codec) : FFiles(files), FCodec(codec) {}

std::string TIniEngine::ReadIniString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, const std::string& path,
                                      std::size_t bufferSize) {
  TDocument doc = Load(FFiles, FCodec, path);
  // The first section and the first entry of a name win; later ones are never read. An
  // entry without '=' is found but has no value: the default comes back.
  if (TSection* s = doc.Find(Trim(section)))
    if (TEntry* e = s->Find(Trim(key)); e && e->Value) return Fit(*e->Value, bufferSize);
  // The default loses its trailing spaces (not tabs), all but its first character.
  std::string_view fallback = defaultValue;
  while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);
  return Fit(fallback, bufferSize);
}

bool TIniEngine::WriteIniString(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& path) {
  TDocument doc = Load(FFiles, FCodec, path);
  // What is stored loses its leading blanks only; the trailing ones reach the file and are
  // trimmed when it is next read.
  const std::string newValue(TrimLeft(value));
  TSection* s = doc.Find(Trim(section));
  if (!s) {
    // A new section goes at the end of the file.
    doc.Sections.push_back(TSection{std::string(TrimLeft(section)), {}});
    s = &doc.Sections.back();
  }
  if (TEntry* e = s->Find(Trim(key))) {
    // An unchanged value leaves the file alone, byte for byte, however it is laid out.
    if (e->Value == newValue) return true;
    e->Value = newValue;
  } else {
    // A new key goes after the section's last line (comment lines included).
    s->Entries.push_back(TEntry{std::string(TrimLeft(key)), newValue});
  }
  return FFiles.Save(path, Encode(Serialize(doc), FCodec, doc.Encoding));
}

void TIniEngine::FlushIni(const std::string&) {}

bool TIniEngine::DeleteIniKey(const std::string& section, const std::string& key, const std::string& path) {
  TDocument doc = Load(FFiles, FCodec, path);
  TSection* s = doc.Find(Trim(section));
  TEntry* e = s ? s->Find(Trim(key)) : nullptr;
  if (!e) return true;  // nothing to take out: the file stays as it is
  s->Entries.erase(s->Entries.begin() + (e - s->Entries.data()));
  return FFiles.Save(path, Encode(Serialize(doc), FCodec, doc.Encoding));
}
