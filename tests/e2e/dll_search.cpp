// Loads version.dll and winmm.dll the way Vantrel.exe does (SystemLibrary.cpp) and prints
// the path each came from, one per line. A console program that imports neither user32 nor
// anything that imports them: under Wine, user32 itself imports version.dll, which would load
// a planted copy before any code of ours runs (Windows' user32 does not).
//
//   dll_search.exe restricted   Vantrel's way: the search restricted, then the system folder
//   dll_search.exe plain        LoadLibrary by bare name, as an import would be found
#include "platform/win32/SystemLibrary.h"

#include "platform/win32/Win32.h"

#include <cstdio>
#include <cwchar>

namespace {
void Report(const wchar_t* dll, HMODULE module) {
  wchar_t path[MAX_PATH] = L"(not loaded)";
  if (module) GetModuleFileNameW(module, path, MAX_PATH);
  std::wprintf(L"%ls %ls\n", dll, path);
}

HMODULE ModuleOf(void* address) {
  HMODULE module = nullptr;
  if (address)
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
  return module;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool restricted = argc > 1 && std::wcscmp(argv[1], L"restricted") == 0;
  for (const wchar_t* dll : {L"version.dll", L"winmm.dll"}) {
    if (restricted) {
      RestrictDllSearchToSystem();
      TSystemLibrary library(dll);
      const char* proc = dll[0] == L'v' ? "GetFileVersionInfoSizeW" : "timeBeginPeriod";
      Report(dll, ModuleOf(library.Proc<void*>(proc)));
    } else {
      Report(dll, LoadLibraryW(dll));
    }
  }
  return 0;
}
