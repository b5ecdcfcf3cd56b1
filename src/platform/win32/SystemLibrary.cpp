#include "platform/win32/SystemLibrary.h"

#include "platform/win32/Win32.h"

#include <string>

namespace {
// LOAD_LIBRARY_SEARCH_SYSTEM32 and SetDefaultDllDirectories come with Windows 8 (and with an
// update to Windows 7); without them, a full path into the system folder does the same.
constexpr DWORD SearchSystem32 = 0x00000800;

using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
}  // namespace

void RestrictDllSearchToSystem() {
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  auto setDefault = kernel ? reinterpret_cast<TSetDefaultDllDirectories>(reinterpret_cast<void*>(
                                 ::GetProcAddress(kernel, "SetDefaultDllDirectories")))
                           : nullptr;
  if (setDefault) setDefault(SearchSystem32);
  ::SetDllDirectoryW(L"");  // the current folder is not searched either
}

TSystemLibrary::TSystemLibrary(const wchar_t* name) {
  FModule = ::LoadLibraryExW(name, nullptr, SearchSystem32);
  if (FModule) return;
  // The flag is refused (ERROR_INVALID_PARAMETER) where the system does not know it.
  wchar_t folder[MAX_PATH];
  const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  const std::wstring path = std::wstring(folder, n) + L"\\" + name;
  FModule = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

TSystemLibrary::~TSystemLibrary() {
  if (FModule) ::FreeLibrary(static_cast<HMODULE>(FModule));
}

void* TSystemLibrary::Address(const char* name) const {
  if (!FModule) return nullptr;
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(FModule), name));
}
