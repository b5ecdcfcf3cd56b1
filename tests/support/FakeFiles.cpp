#include "support/FakeFiles.h"

std::optional<std::string> TFakeFiles::Load(const std::string& path) { return Get(path); }

bool TFakeFiles::Save(const std::string& path, const std::string& bytes) {
  if (FUnwritable.contains(path)) return false;
  FFiles[path] = bytes;
  ++FWrites;
  return true;
}

void TFakeFiles::Put(const std::string& path, const std::string& bytes) { FFiles[path] = bytes; }

std::optional<std::string> TFakeFiles::Get(const std::string& path) const {
  const auto it = FFiles.find(path);
  if (it == FFiles.end()) return std::nullopt;
  return it->second;
}

void TFakeFiles::MakeUnwritable(const std::string& path) { FUnwritable.insert(path); }
