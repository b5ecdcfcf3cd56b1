// Windows, their procedures and the message loop; child controls' messages, text, bounds and
// styles; the keyboard focus, the foreground window, registered message names, timers and
// message boxes.
// Every window, of a system class or of one of ours, is made by one call from one record of
// create parameters. A window of our own class has an IMessageHandler for its procedure.
// Subclassing puts further handlers in front of it (SetWindowSubclass): each sees the
// message first and passes it on with DefSubclassProc.
// Callbacks never let an exception out into the system: the adapter catches it, gives it to
// the error handler and answers the message with 0.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "platform/OSError.h"
#include "platform/WinApi.h"

// What CreateWindowEx is given. A top-level window's bounds are in screen pixels (its parent,
// if any, is its owner); a child's are in its parent's client area, and Id is its control id
// (the hMenu argument).
struct TCreateParams {
  std::string ClassName;
  std::string Text;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
  TRect Bounds;
  TWnd Parent = 0;
  std::uint32_t Id = 0;
  // For a class of ours: the system colour (COLOR_*) its background is erased with, or -1
  // for none. Fixed when the class is first registered.
  int ClassBackground = -1;
};

class IMessageHandler {
public:
  virtual ~IMessageHandler() = default;
  virtual TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;
};

class IWindows {
public:
  virtual ~IWindows() = default;

  // Where an exception caught at a callback's edge goes.
  virtual void SetErrorHandler(std::function<void(std::exception_ptr)> handler) = 0;

  // CreateWindowEx from params. With a handler, the class is one of ours: registered on its
  // first use (arrow cursor, no background brush, no double-click messages: a quick second
  // press arrives as a press) and the window is served by handler until WM_NCDESTROY, from
  // the first message on (WM_GETMINMAXINFO and WM_NCCREATE come before this returns). Without
  // one, the class is the system's ("EDIT", "BUTTON", ...) and so is the procedure. Returns
  // 0 on failure.
  [[nodiscard]] virtual TWnd CreateWindowFrom(const TCreateParams& params,
                                              IMessageHandler* handler) = 0;
  // DestroyWindow: the window and its children; each gets WM_DESTROY, the window first.
  virtual void DestroyWindow(TWnd window) = 0;
  // DefWindowProc: the system's default handling.
  virtual TLResult DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;

  // SetWindowSubclass / RemoveWindowSubclass / DefSubclassProc. A handler is identified by
  // its address; removing one leaves the others in place.
  [[nodiscard]] virtual bool SubclassWindow(TWnd window, IMessageHandler& hook) = 0;
  virtual void RemoveSubclass(TWnd window, IMessageHandler& hook) = 0;
  virtual TLResult DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;

  // GetWindowRect: the outer rectangle in screen pixels. SetWindowPos moves and sizes at
  // once, also a hidden window.
  [[nodiscard]] virtual bool GetWindowRect(TWnd window, TRect& rect) = 0;
  [[nodiscard]] virtual bool SetWindowPos(TWnd window, std::int32_t x, std::int32_t y,
                                          std::int32_t width, std::int32_t height,
                                          std::uint32_t flags) = 0;
  virtual bool ShowWindow(TWnd window, int command) = 0;
  [[nodiscard]] virtual bool IsWindowVisible(TWnd window) = 0;

  // SetTimer / KillTimer on a window: WM_TIMER(wParam = id) arrives every interval while the
  // thread pumps messages. Setting an id again restarts it with the new interval.
  [[nodiscard]] virtual bool SetTimer(TWnd window, std::uintptr_t id,
                                      std::uint32_t milliseconds) = 0;
  [[nodiscard]] virtual bool KillTimer(TWnd window, std::uintptr_t id) = 0;

  [[nodiscard]] virtual bool PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam,
                                           TLParam lParam) = 0;
  // GetMessage/TranslateMessage/DispatchMessage until WM_QUIT; returns the quit code. The
  // visible top-level window of ours that holds the focus gets dialog navigation
  // (IsDialogMessage): Tab, arrows, mnemonics, Enter and Esc work as in a dialog.
  virtual int RunMessageLoop() = 0;
  // PeekMessage/DispatchMessage until the queue is empty, with the same dialog navigation; a
  // WM_QUIT met on the way is left for the message loop.
  virtual void ProcessMessages() = 0;
  virtual void PostQuitMessage(int exitCode) = 0;

  virtual bool SetForegroundWindow(TWnd window) = 0;
  // GetActiveWindow: the calling thread's active top-level window; 0 while none of its
  // windows is in front.
  [[nodiscard]] virtual TWnd ActiveWindow() = 0;
  // WindowFromPoint: the window at a screen point (0: none); GetForegroundWindow; and
  // GetWindowThreadProcessId's process (0 for a window that does not exist).
  [[nodiscard]] virtual TWnd WindowAt(TPoint point) = 0;
  [[nodiscard]] virtual TWnd ForegroundWindow() = 0;
  [[nodiscard]] virtual std::uint32_t WindowProcessId(TWnd window) = 0;
  // RegisterWindowMessage: the id (0xC000..0xFFFF) that every process gets for the name;
  // 0 on failure.
  [[nodiscard]] virtual std::uint32_t RegisterMessageName(const std::string& name) = 0;

  // Child controls (windows as any other, made by CreateWindowFrom): the notifications about
  // them, their messages, text, bounds and styles, and the keyboard focus.

  // The child window a notification to parent is about: WM_COMMAND's and WM_CTLCOLOR*'s
  // lParam (0 for a menu or an accelerator), WM_NOTIFY's NMHDR hwndFrom, WM_DRAWITEM's
  // hwndItem and WM_MEASUREITEM's control by its CtlID (GetDlgItem); 0 for an item of a menu
  // (ODT_MENU) and for any other message.
  [[nodiscard]] virtual TWnd NotificationSource(TWnd parent, std::uint32_t msg, TWParam wParam,
                                                TLParam lParam) = 0;
  // SendMessage: through the window's subclass hooks to its procedure, at once.
  virtual TLResult SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;
  // GetWindowText / SetWindowText (WM_SETTEXT), as UTF-8.
  [[nodiscard]] virtual std::string ReadText(TWnd window) = 0;
  virtual void WriteText(TWnd window, const std::string& text) = 0;

  // The window's rectangle in its parent's client coordinates; a top-level window's (owned
  // or not) on the screen, with its frame. Empty for a window that does not exist.
  [[nodiscard]] virtual TRect Bounds(TWnd window) = 0;
  // GetClientRect: left and top are 0.
  [[nodiscard]] virtual TRect ClientRect(TWnd window) = 0;
  // MoveWindow with repainting, in the coordinates Bounds gives; it neither activates the
  // window nor changes its place in the z-order. A change of size reaches the window as
  // WM_SIZE before this returns.
  virtual void MoveWindow(TWnd window, const TRect& bounds) = 0;
  // EM_SETRECTNP: a multi-line edit's formatting rectangle, set without redrawing.
  virtual void SetEditRect(TWnd edit, const TRect& rect) = 0;

  // GetFocus / SetFocus. The window losing the focus gets WM_KILLFOCUS, then the one
  // gaining it WM_SETFOCUS.
  [[nodiscard]] virtual TWnd GetFocus() = 0;
  virtual void SetFocus(TWnd window) = 0;
  // Whether the window can take the focus: it and every parent up to its top-level window
  // are visible and enabled.
  [[nodiscard]] virtual bool CanFocus(TWnd window) = 0;
  // GetNextDlgTabItem in the window's top-level window: the next tab stop after window (the
  // previous one when previous is set), in the order the controls were made; window itself
  // when it is the only one.
  [[nodiscard]] virtual TWnd NextTabStop(TWnd window, bool previous) = 0;
  // WM_GETDLGCODE's lParam: the message the dialog manager asks about (a MSG); false when
  // the query names none.
  [[nodiscard]] virtual bool DialogQueryMessage(TLParam lParam, std::uint32_t& msg,
                                                TWParam& wParam) = 0;

  // MessageBeep(type); 0 is the default sound.
  virtual void MessageBeep(std::uint32_t type) = 0;
  // AdjustWindowRectEx: the outer rectangle of a top-level window (no menu) with the given
  // styles whose client area is client.
  [[nodiscard]] virtual TRect WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) = 0;
  // GetWindowLong / SetWindowLong of GWL_STYLE.
  [[nodiscard]] virtual std::uint32_t GetStyle(TWnd window) = 0;
  virtual void SetStyle(TWnd window, std::uint32_t style) = 0;
  // IsChild: window is a descendant of parent.
  [[nodiscard]] virtual bool IsChild(TWnd parent, TWnd window) = 0;

  // MessageBox; modal, with a message loop of its own. Returns the button pressed.
  virtual int ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                             std::uint32_t flags) = 0;

  // GetLastError: why the calling thread's last failed call failed (ERROR_* code). Any later
  // call may change it, so it is asked right after the failure.
  [[nodiscard]] virtual std::uint32_t LastError() = 0;
  // FormatMessage(FROM_SYSTEM): the system's text for an error code, as UTF-8 and as the
  // system words it (ending in a line break); empty when the system has none.
  [[nodiscard]] virtual std::string ErrorMessage(std::uint32_t code) = 0;
};

// The calling thread's last failure in the windows port as an EOSError about what failed.
inline EOSError LastWindowsError(IWindows& windows, const std::string& what) {
  const std::uint32_t code = windows.LastError();
  return EOSError(what, code, windows.ErrorMessage(code));
}
