// The Windows entry: the real system's adapters handed to the program.
#include "app/Vantrel.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32System.h"

#include "platform/win32/Win32.h"

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RestrictDllSearchToSystem();
  try {
    TWin32System win32;
    return VantrelMain(win32.System);
  } catch (const std::exception& e) {
    // Start-up failed before the application could show it: say so, and end.
    ::MessageBoxW(nullptr, Widen(e.what()).c_str(), L"Vantrel", MB_OK | MB_ICONERROR);
    return 1;
  }
}
