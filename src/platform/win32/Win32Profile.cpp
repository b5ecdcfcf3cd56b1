#include "platform/win32/Win32Profile.h"

#include "platform/win32/Win32.h"

#include <algorithm>
#include <limits>

// The file is kept in the system's ANSI code page (the private-profile functions write it
// so), while its path may hold any character. A section is named after the logon user or the
// program file, which may lie outside the code page ("Łukasz" under 1252): the wide call
// would write it in one ANSI form and look it up as another, so it goes in its ANSI form, as
// an A call would take it. Keys are the program's own ASCII names; the path stays wide.

std::string TWin32Profile::ReadIniString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, const std::string& path,
                                         std::size_t bufferSize) {
  if (bufferSize == 0) return {};  // the call would have nowhere to put even the terminator
  const DWORD size = static_cast<DWORD>(
      std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max()));
  std::wstring buffer(size, L'\0');
  // An empty std::string becomes L"", never NULL: NULL section or key would ask for the
  // list of names instead of a value.
  const DWORD n = ::GetPrivateProfileStringW(Widen(ToAnsiForm(section)).c_str(), Widen(key).c_str(),
                                             Widen(defaultValue).c_str(), buffer.data(), size,
                                             Widen(path).c_str());
  buffer.resize(std::min<DWORD>(n, size));
  return Narrow(buffer);
}

bool TWin32Profile::WriteIniString(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& path) {
  return ::WritePrivateProfileStringW(Widen(ToAnsiForm(section)).c_str(), Widen(key).c_str(),
                                      Widen(value).c_str(), Widen(path).c_str()) != 0;
}

bool TWin32Profile::DeleteIniKey(const std::string& section, const std::string& key,
                                 const std::string& path) {
  return ::WritePrivateProfileStringW(Widen(ToAnsiForm(section)).c_str(), Widen(key).c_str(), nullptr,
                                      Widen(path).c_str()) != 0;
}

void TWin32Profile::FlushIni(const std::string& path) {
  ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, Widen(path).c_str());
}
