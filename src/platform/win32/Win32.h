// The one way the adapters see Windows: the ports first, then <windows.h>, whose macros would
// otherwise rewrite the ports' constants of the same names. Text crosses into the system as
// UTF-16 at the W entry points.
#pragma once

#include "platform/System.h"

#include <windows.h>

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

inline HWND ToHwnd(TWnd w) { return reinterpret_cast<HWND>(w); }
inline TWnd FromHwnd(HWND h) { return reinterpret_cast<TWnd>(h); }
