// Files in memory for the INI engine's tests: a map of path to bytes that counts the writes
// it takes and refuses them for paths the test has made unwritable.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/portable/Files.h"

class TFakeFiles final : public IFiles {
public:
  std::optional<std::string> Load(const std::string& path) override;
  bool Save(const std::string& path, const std::string& bytes) override;

  // The test's own view of the files: placing and reading them counts as no write.
  void Put(const std::string& path, const std::string& bytes);
  std::optional<std::string> Get(const std::string& path) const;
  // Writes to the path fail from now on, as to a read-only file or a missing folder.
  void MakeUnwritable(const std::string& path);
  // Successful writes so far.
  int Writes() const { return FWrites; }

private:
  std::map<std::string, std::string> FFiles;
  std::set<std::string> FUnwritable;
  int FWrites = 0;
};
