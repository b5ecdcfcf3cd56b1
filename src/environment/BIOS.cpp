#include "environment/BIOS.h"

#include <cstdio>

using namespace win;

std::uint8_t WindowsVersionClass(IEnvironment& env) {
  std::uint32_t platform = 0, major = 0, minor = 0;
  if (!env.GetVersionInfo(platform, major, minor)) return 7;
  if (platform == VER_PLATFORM_WIN32_WINDOWS) {
    switch (minor) {
      case 0: return 0;
      case 10: return 1;
      case 90: return 2;
      default: return 7;
    }
  }
  if (platform == VER_PLATFORM_WIN32_NT) {
    if (major == 3) return 3;
    if (major == 4) return 4;
    if (major == 5 && minor == 0) return 5;
    if (major == 5 && minor == 1) return 6;
  }
  return 7;
}

std::string GetUserNameText(IEnvironment& env) {
  std::string name;
  return env.GetLogonUserName(name) ? name : std::string();
}

std::string GetVersionItem(IEnvironment& env, const std::string& path, unsigned index) {
  static const char* const keys[] = {"\\CompanyName",      "\\FileDescription", "\\FileVersion",
                                     "\\InternalName",     "\\LegalCopyright",  "\\OriginalFilename",
                                     "\\ProductName",      "\\ProductVersion"};
  const std::string key = keys[index < 8 ? index : 2];

  std::vector<std::uint8_t> block;
  if (!env.GetFileVersionBlock(path, block)) return "unidentified";
  std::string translation;
  if (!env.QueryVersionValue(block, "\\VarFileInfo\\Translation", translation) ||
      translation.size() < 4)
    return "unidentified";

  // The first entry: language in the low word, code page in the high word; the string
  // table is named language first ("041103A4" for Japanese, Shift-JIS).
  const auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(translation[i])); };
  const std::uint32_t entry = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
  char table[9];
  std::snprintf(table, sizeof table, "%04X%04X", entry & 0xFFFF, entry >> 16);

  std::string value;
  const std::string name = key.substr(1);
  if (env.QueryVersionValue(block, "\\StringFileInfo\\" + std::string(table) + key, value) &&
      !value.empty())
    return name + " : " + value;
  return name + " : None";
}
