// The one way the adapters see Windows: the ports first, then <windows.h>, whose macros would
// otherwise rewrite the ports' constants of the same names. Text crosses into the system as
// UTF-16 at the W entry points.
#pragma once

#include "platform/OSError.h"
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

// FormatMessage(FROM_SYSTEM) in the user's language: the system's text for an error code, as
// UTF-8 (ending in a line break, as the system words it); empty when the system has none.
std::string SystemErrorMessage(DWORD code);
// The calling thread's last error (GetLastError) as an EOSError about what failed. Called
// right after the failed call: any later call may change the code.
inline EOSError LastOSError(const std::string& what) {
  const DWORD code = ::GetLastError();
  return EOSError(what, code, SystemErrorMessage(code));
}

inline HWND ToHwnd(TWnd w) { return reinterpret_cast<HWND>(w); }
inline TWnd FromHwnd(HWND h) { return reinterpret_cast<TWnd>(h); }
inline RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
