// Windows, their procedures and the message loop, and message boxes.
// A window's procedure is an IMessageHandler. Subclassing puts further handlers in front of it
// (SetWindowSubclass): each sees the message first and passes it on with DefSubclassProc.
// Callbacks never let an exception out into the system: the adapter catches it, gives it to
// the error handler and answers the message with 0.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "platform/Types.h"

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

  // A hidden top-level window of its own class, served by handler until DestroyWindow.
  // Returns 0 on failure.
  virtual TWnd CreateHiddenWindow(const std::string& className, const std::string& title,
                                  IMessageHandler& handler) = 0;
  // A hidden utility window: a tool window (WS_EX_TOOLWINDOW, WS_POPUP) of zero size at
  // (0, 0) without a title, never shown, served by handler: the shared window that timers or
  // tray icons of the process receive their messages on. Returns 0 on failure.
  virtual TWnd CreateUtilityWindow(const std::string& className, IMessageHandler& handler) = 0;
  virtual void DestroyWindow(TWnd window) = 0;
  // DefWindowProc: the system's default handling.
  virtual TLResult DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;

  // SetWindowSubclass / RemoveWindowSubclass / DefSubclassProc. A handler is identified by
  // its address; removing one leaves the others in place.
  virtual bool SubclassWindow(TWnd window, IMessageHandler& hook) = 0;
  virtual void RemoveSubclass(TWnd window, IMessageHandler& hook) = 0;
  virtual TLResult DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;

  // GetWindowRect: the outer rectangle in screen pixels. SetWindowPos moves and sizes at
  // once, also a hidden window.
  virtual bool GetWindowRect(TWnd window, TRect& rect) = 0;
  virtual bool SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, std::uint32_t flags) = 0;
  virtual bool ShowWindow(TWnd window, int command) = 0;
  virtual bool IsWindowVisible(TWnd window) = 0;

  // SetTimer / KillTimer on a window: WM_TIMER(wParam = id) arrives every interval while the
  // thread pumps messages. Setting an id again restarts it with the new interval.
  virtual bool SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) = 0;
  virtual bool KillTimer(TWnd window, std::uintptr_t id) = 0;

  virtual bool PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) = 0;
  // GetMessage/TranslateMessage/DispatchMessage until WM_QUIT; returns the quit code.
  virtual int RunMessageLoop() = 0;
  // PeekMessage/DispatchMessage until the queue is empty; a WM_QUIT met on the way is left
  // for the message loop.
  virtual void ProcessMessages() = 0;
  virtual void PostQuitMessage(int exitCode) = 0;

  // MessageBox; modal, with a message loop of its own. Returns the button pressed.
  virtual int ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                             std::uint32_t flags) = 0;
};
