// How the bytes of an INI file map to the UTF-8 text the profile port speaks. Windows keeps
// a private-profile file in the ANSI code page; a codec stands in for that code page.
#pragma once

#include <string>
#include <string_view>

class ITextCodec {
public:
  virtual ~ITextCodec() = default;
  virtual std::string ToUtf8(std::string_view bytes) const = 0;
  virtual std::string FromUtf8(std::string_view utf8) const = 0;
};

// Files whose bytes are UTF-8 already: the natural code page of a build without Windows.
class TIdentityCodec final : public ITextCodec {
public:
  std::string ToUtf8(std::string_view bytes) const override { return std::string(bytes); }
  std::string FromUtf8(std::string_view utf8) const override { return std::string(utf8); }
};
