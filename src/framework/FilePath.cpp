#include "framework/FilePath.h"

namespace {
std::size_t NameStart(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? 0 : cut + 1;
}
}  // namespace

std::string ExtractFilePath(const std::string& path) { return path.substr(0, NameStart(path)); }

std::string ExtractFileName(const std::string& path) { return path.substr(NameStart(path)); }

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos && dot >= NameStart(path);
  return (hasExtension ? path.substr(0, dot) : path) + ext;
}
