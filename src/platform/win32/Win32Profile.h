// The private-profile port on Windows: GetPrivateProfileStringW / WritePrivateProfileStringW,
// with UTF-8 converted at the W entry points. The system keeps the file in the ANSI code
// page (or in the encoding a BOM at its start names) and may cache it until it is flushed.
#pragma once

#include "platform/Profile.h"

class TWin32Profile final : public IProfile {
public:
  std::string ReadIniString(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& path,
                            std::size_t bufferSize = 2048) override;
  bool WriteIniString(const std::string& section, const std::string& key,
                      const std::string& value, const std::string& path) override;
  bool DeleteIniKey(const std::string& section, const std::string& key, const std::string& path) override;
  void FlushIni(const std::string& path) override;
};
