// The one way the adapters see Windows: the ports first, then <windows.h>, whose macros would
// otherwise rewrite the ports' constants of the same names. Text crosses into the system as
// UTF-16 at the W entry points.
#pragma once

#include "platform/System.h"

#include <windows.h>

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
// Text in the system's ANSI code page (an A entry point's result) as UTF-8.
std::string FromAnsi(const std::string& ansi);
// The text as the ANSI code page can carry it, back in UTF-8: what an A entry point would
// have been given, with the system's best-fit mapping ("Ł" becomes "L" in code page 1252, a
// character without any mapping becomes "?"). Text that goes into a file kept in the ANSI
// code page passes through this, so what is read back compares equal to what was written.
std::string ToAnsiForm(const std::string& utf8);

inline HWND ToHwnd(TWnd w) { return reinterpret_cast<HWND>(w); }
inline TWnd FromHwnd(HWND h) { return reinterpret_cast<TWnd>(h); }
