// What the program asks of its environment: the system version, the logged-on user, the
// version resource of a file and the user's locale.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WinApi.h"

class IEnvironment {
public:
  virtual ~IEnvironment() = default;
  // GetVersionEx: platform id, major and minor version; false when the query failed.
  [[nodiscard]] virtual bool GetVersionInfo(std::uint32_t& platformId, std::uint32_t& major,
                                            std::uint32_t& minor) = 0;
  // GetUserName into a buffer of 257 characters with a size of 256; false on failure.
  [[nodiscard]] virtual bool GetLogonUserName(std::string& name) = 0;
  // GetFileVersionInfoSize, then GetFileVersionInfo into a block of that size; false when
  // the file has no version resource (size 0) or it could not be read.
  [[nodiscard]] virtual bool GetFileVersionBlock(const std::string& path,
                                                 std::vector<std::uint8_t>& block) = 0;
  // VerQueryValue: true with the value when the sub-block exists and its length is not 0.
  // A string value comes back as UTF-8 text without its terminating null; any other value
  // (the translation table) as its raw bytes.
  [[nodiscard]] virtual bool QueryVersionValue(const std::vector<std::uint8_t>& block,
                                               const std::string& subBlock, std::string& value) = 0;
  // The user's locale's decimal separator (LOCALE_SDECIMAL) when it is one ASCII character,
  // else a full stop.
  [[nodiscard]] virtual char DecimalSeparator() = 0;
};
