// Private-profile (INI) files, one call per operation, as the Windows private-profile
// functions do it: section and key names compare without regard to case, the file is kept in
// the system's ANSI code page, and the system may cache a file until it is flushed.
// Text crosses this port as UTF-8.
#pragma once

#include <cstddef>
#include <string>

class IProfile {
public:
  virtual ~IProfile() = default;
  // GetPrivateProfileString(section, key, default, buffer of bufferSize characters, path):
  // the stored value when the key exists (also when it is empty), else the default. A value
  // that does not fit comes back cut to bufferSize - 1 characters. A missing or unreadable
  // file reads as empty.
  [[nodiscard]] virtual std::string ReadIniString(const std::string& section,
                                                  const std::string& key,
                                                  const std::string& defaultValue,
                                                  const std::string& path,
                                                  std::size_t bufferSize = 2048) = 0;
  // WritePrivateProfileString(section, key, value, path): creates the file, the section and
  // the key as needed, or replaces the value in place. False when the system refused.
  [[nodiscard]] virtual bool WriteIniString(const std::string& section, const std::string& key,
                                            const std::string& value, const std::string& path) = 0;
  // WritePrivateProfileString(section, key, NULL, path): the key goes; a file without it is
  // left as it is. False when the system refused.
  [[nodiscard]] virtual bool DeleteIniKey(const std::string& section, const std::string& key,
                                          const std::string& path) = 0;
  // WritePrivateProfileString(NULL, NULL, NULL, path): writes out what the system cached.
  virtual void FlushIni(const std::string& path) = 0;
};
