// Whole files, read and written in one piece: all the INI engine needs of a file system.
// Production builds use real files (TNativeFiles); unit tests keep them in memory.
#pragma once

#include <optional>
#include <string>

class IFiles {
public:
  virtual ~IFiles() = default;
  // The file's bytes; nullopt when it does not exist or cannot be read.
  virtual std::optional<std::string> Load(const std::string& path) = 0;
  // Replaces the file's bytes, creating the file if needed; false when it could not be
  // written.
  virtual bool Save(const std::string& path, const std::string& bytes) = 0;
};
