#include "platform/win32/Win32System.h"

#include "platform/win32/Win32.h"

#include <cstring>

TWin32Environment::TWin32Environment()
    : FVersion(L"version.dll"),
      FInfoSize(FVersion.Proc<TInfoSize>("GetFileVersionInfoSizeW")),
      FInfo(FVersion.Proc<TInfo>("GetFileVersionInfoW")),
      FQuery(FVersion.Proc<TQuery>("VerQueryValueW")) {}

bool TWin32Environment::GetVersionInfo(std::uint32_t& platformId, std::uint32_t& major,
                                       std::uint32_t& minor) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  // Deprecated because later systems report 6.2 to programs without a manifest entry for
  // them; all that matters here is telling the old systems apart.
  if (!::GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
  platformId = info.dwPlatformId;
  major = info.dwMajorVersion;
  minor = info.dwMinorVersion;
  return true;
}

// The name names a section of a file kept in the ANSI code page, so it is taken in its ANSI
// form: a name outside the code page ("Łukasz" under 1252) would otherwise be written as one
// section and looked up as another. That form is what GetUserNameA gives on Windows; Wine's
// GetUserNameA cuts a multibyte name short ("山田" becomes "山" under 932), so the wide
// name is converted here the way the A call converts it.
bool TWin32Environment::GetLogonUserName(std::string& name) {
  wchar_t buffer[257] = {};
  DWORD size = 256;
  if (!::GetUserNameW(buffer, &size)) return false;
  name = ToAnsiForm(Narrow(buffer));
  return true;
}

bool TWin32Environment::GetFileVersionBlock(const std::string& path, std::vector<std::uint8_t>& block) {
  const std::wstring widePath = Widen(path);
  DWORD handle = 0;
  if (!FInfoSize || !FInfo) return false;
  const DWORD size = FInfoSize(widePath.c_str(), &handle);
  if (size == 0) return false;
  block.assign(size, 0);
  return FInfo(widePath.c_str(), 0, size, block.data()) != 0;
}

bool TWin32Environment::QueryVersionValue(const std::vector<std::uint8_t>& block,
                                          const std::string& subBlock, std::string& value) {
  void* data = nullptr;
  UINT length = 0;
  if (!FQuery || !FQuery(block.data(), Widen(subBlock).c_str(), &data, &length) || length == 0)
    return false;
  if (subBlock.rfind("\\StringFileInfo\\", 0) == 0) {
    // Strings come back as UTF-16, their length in characters with or without the null.
    std::wstring text(static_cast<const wchar_t*>(data), length);
    text.resize(std::wcslen(text.c_str()));
    value = Narrow(text);
    return !value.empty();
  }
  value.assign(static_cast<const char*>(data), length);
  return true;
}

char TWin32Environment::DecimalSeparator() {
  wchar_t buffer[8] = {};
  const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
  // n counts the terminating null: one character is 2.
  if (n == 2 && buffer[0] > 32 && buffer[0] < 128) return static_cast<char>(buffer[0]);
  return '.';
}
