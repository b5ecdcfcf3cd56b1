#include "platform/portable/NativeFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// Paths arrive as UTF-8. A char path would be taken in the ANSI code page on Windows; a
// u8string path reaches the wide file API there and stays UTF-8 elsewhere.
std::filesystem::path FromUtf8(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

std::optional<std::string> TNativeFiles::Load(const std::string& path) {
  std::ifstream in(FromUtf8(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool TNativeFiles::Save(const std::string& path, const std::string& bytes) {
  std::ofstream out(FromUtf8(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}
