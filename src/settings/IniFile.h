// TIniFile: the accessor of one INI file. It holds only the path; every operation is one
// private-profile call. Releasing it (its destructor) has the system write out what it
// cached for the file, also when an operation failed.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/Profile.h"

class EIniFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TIniFile {
public:
  TIniFile(IProfile& profile, std::string path) : FProfile(profile), FPath(std::move(path)) {}
  ~TIniFile() { FProfile.FlushIni(FPath); }
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& FileName() const { return FPath; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue);
  // Raises EIniFileError ("<path> に書き込めません") when the system refuses the write.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  // Whether the section holds the key (also with an empty value).
  bool ValueExists(const std::string& section, const std::string& key);
  // The key goes; raises EIniFileError as a refused write does.
  void DeleteKey(const std::string& section, const std::string& key);

private:
  IProfile& FProfile;
  std::string FPath;
};

// A value as it can stand on one line of the file: a line break would end the value there
// and let the rest of the text become keys or sections of its own, so the value ends at its
// first line break, as a single-line field takes pasted text.
std::string SingleLineValue(const std::string& value);
