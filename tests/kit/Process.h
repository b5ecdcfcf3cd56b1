// Processes seen from outside: starting and ending them, their windows and message boxes, the
// hotkeys they hold, and Vantrel's readiness.
#pragma once

#include <windows.h>

#include <string>

namespace kit {

struct Proc {
  PROCESS_INFORMATION pi{};
  bool started = false;
};

// The last failed call's GetLastError, kept for the report: RememberLastError after the call,
// LastError() in the check.
void RememberLastError();
std::string LastError();

// CreateProcess of exe (with args after its quoted path), in exe's folder.
bool Start(const std::wstring& exe, Proc& p, const std::wstring& args = L"");
bool Running(const Proc& p);
// Waits for the end while this thread's messages are handled; code: the exit code.
bool WaitExit(const Proc& p, double ms, DWORD& code);
// Ends the process if it still runs, and closes its handles.
void Kill(Proc& p);

// A top-level window of the process by class (and title, and visibility, when given).
HWND WindowOf(const Proc& p, const wchar_t* cls, const wchar_t* title = nullptr, bool visibleOnly = false);
// A visible one by class: Wine keeps hidden "#32768" menu windows around between popups.
HWND VisibleWindowOf(const Proc& p, const wchar_t* cls);
// Vantrel's application window (TApplication "Vantrel"), and how many visible top-level
// windows the process has.
struct FindAppWindow {
  DWORD pid;
  HWND found = nullptr;
  int visible = 0;
};
FindAppWindow AppWindowOf(const Proc& p);

// A visible message box of the process, its caption and its text (no box: all empty).
struct MessageBoxSeen {
  HWND box = nullptr;
  std::wstring caption, text;
};
MessageBoxSeen MessageBoxOf(const Proc& p);

// A window's text by WM_GETTEXT itself: GetWindowText does not ask a window of another
// process, whose edit keeps its text apart from the window's title.
std::wstring WindowText(HWND w);
// The middle of a window, in screen pixels.
POINT Middle(HWND w);

// A combination that cannot be registered is held by someone else.
bool HotKeyHeldElsewhere(UINT mods, UINT vk);
struct Combo {
  UINT mods;
  WORD vk;
};
// The seven combinations Vantrel serves.
extern const Combo kServed[7];

// The start and stop keys Vantrel serves: Home and End unless the player chose others.
struct Keys {
  WORD start = VK_HOME, stop = VK_END;
};
// Starts Vantrel and waits until it holds the start key.
bool StartReady(const std::wstring& exe, Proc& p, Keys keys = {});
// The same for a Vantrel started otherwise.
bool WaitReady(const Proc& p, Keys keys = {});
// Posts WM_CLOSE to Vantrel's hidden main window (a close that saves) and waits for the end.
bool CloseAndWait(Proc& p, DWORD& code, double timeoutMs = 15000);

}  // namespace kit
