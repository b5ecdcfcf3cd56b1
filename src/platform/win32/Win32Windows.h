// The Win32 adapter of the windows port: CreateWindowEx with one procedure for every class of
// ours, comctl32's subclassing, child controls' messages, text, bounds and styles, the focus,
// timers, the message loop with dialog navigation, and the errors that callbacks must not
// let into the system.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/Windowing.h"

struct tagMSG;

class TWin32Windows final : public IWindows {
public:
  TWin32Windows();
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override;
  TWnd CreateWindowFrom(const TCreateParams& params, IMessageHandler* handler) override;
  void DestroyWindow(TWnd window) override;
  TLResult DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool SubclassWindow(TWnd window, IMessageHandler& hook) override;
  void RemoveSubclass(TWnd window, IMessageHandler& hook) override;
  TLResult DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool GetWindowRect(TWnd window, TRect& rect) override;
  bool SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height, std::uint32_t flags) override;
  bool ShowWindow(TWnd window, int command) override;
  bool IsWindowVisible(TWnd window) override;
  bool SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) override;
  bool KillTimer(TWnd window, std::uintptr_t id) override;
  bool PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool SetForegroundWindow(TWnd window) override;
  TWnd ActiveWindow() override;
  TWnd WindowAt(TPoint point) override;
  TWnd ForegroundWindow() override;
  std::uint32_t WindowProcessId(TWnd window) override;
  std::uint32_t RegisterMessageName(const std::string& name) override;
  TLResult SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  std::string ReadText(TWnd window) override;
  void WriteText(TWnd window, const std::string& text) override;
  TRect Bounds(TWnd window) override;
  TRect ClientRect(TWnd window) override;
  void MoveWindow(TWnd window, const TRect& bounds) override;
  void SetEditRect(TWnd edit, const TRect& rect) override;
  TWnd GetFocus() override;
  void SetFocus(TWnd window) override;
  bool CanFocus(TWnd window) override;
  TWnd NextTabStop(TWnd window, bool previous) override;
  bool DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) override;
  TWnd NotificationSource(TWnd parent, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  void MessageBeep(std::uint32_t type) override;
  TRect WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) override;
  std::uint32_t GetStyle(TWnd window) override;
  void SetStyle(TWnd window, std::uint32_t style) override;
  bool IsChild(TWnd parent, TWnd window) override;
  int RunMessageLoop() override;
  void ProcessMessages() override;
  void PostQuitMessage(int exitCode) override;
  int ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                     std::uint32_t flags) override;
  std::uint32_t LastError() override;
  std::string ErrorMessage(std::uint32_t code) override;

  // Called by the procedures when a handler throws: the error must not unwind into the system.
  void Report(std::exception_ptr error) noexcept;

private:
  // The one registry of our window classes: RegisterClassEx on a class's first use.
  bool RegisterOwnClass(const std::string& className, int background);
  // Whether the window is of a class registered here.
  bool IsOwnWindow(TWnd window) const;
  // Dialog navigation for the visible top-level window of ours that holds the focus; true
  // when IsDialogMessage took the message (it is then dispatched).
  bool DialogMessage(tagMSG& msg);
  std::function<void(std::exception_ptr)> FErrorHandler;
  std::map<std::string, std::uint16_t> FRegisteredClasses;  // name -> class atom
};
