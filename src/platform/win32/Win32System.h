// The Win32 adapters of every port: thin, argument conversion and the call.
#pragma once

#include <functional>
#include <map>

#include "platform/System.h"
#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Menus.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/SystemLibrary.h"

struct tagMSG;

class TWin32Input final : public IInput {
public:
  void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                   std::uintptr_t extraInfo) override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                   std::uintptr_t extraInfo) override;
  bool GetCursorPos(TPoint& point) override;
  bool SetCursorPos(std::int32_t x, std::int32_t y) override;
};

class TWin32Clock final : public IClock {
public:
  TWin32Clock();
  void Sleep(std::uint32_t milliseconds) override;
  void TimeBeginPeriod(std::uint32_t milliseconds) override;
  void TimeEndPeriod(std::uint32_t milliseconds) override;
  std::unique_ptr<IEvent> NewEvent() override;

private:
  using TPeriodCall = unsigned(__stdcall*)(unsigned);  // timeBeginPeriod / timeEndPeriod
  TSystemLibrary FWinmm;
  TPeriodCall FBeginPeriod;
  TPeriodCall FEndPeriod;
};

class TWin32Threads final : public IThreads {
public:
  std::unique_ptr<IThread> CreateSuspended(std::function<void()> body) override;
};

class TWin32Atoms final : public IAtoms {
public:
  std::uint16_t AddGlobalAtom(const std::string& name) override;
  std::uint16_t DeleteGlobalAtom(std::uint16_t atom) override;
};

class TWin32HotKeys final : public IHotKeys {
public:
  bool RegisterHotKey(TWnd window, int id, std::uint32_t modifiers, std::uint32_t vk) override;
  bool UnregisterHotKey(TWnd window, int id) override;
};

class TWin32Process final : public IProcess {
public:
  std::string ModuleFileName() override;
  bool MutexExists(const std::string& name) override;
  std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name) override;
};

class TWin32Environment final : public IEnvironment {
public:
  TWin32Environment();
  bool GetVersionInfo(std::uint32_t& platformId, std::uint32_t& major, std::uint32_t& minor) override;
  bool GetLogonUserName(std::string& name) override;
  bool GetFileVersionBlock(const std::string& path, std::vector<std::uint8_t>& block) override;
  bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& subBlock,
                         std::string& value) override;

private:
  // version.dll's GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW.
  using TInfoSize = unsigned long(__stdcall*)(const wchar_t*, unsigned long*);
  using TInfo = int(__stdcall*)(const wchar_t*, unsigned long, unsigned long, void*);
  using TQuery = int(__stdcall*)(const void*, const wchar_t*, void**, unsigned*);
  TSystemLibrary FVersion;
  TInfoSize FInfoSize;
  TInfo FInfo;
  TQuery FQuery;
};

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

// Every adapter, and the TSystem view of them.
struct TWin32System {
  TWin32Input Input;
  TWin32Clock Clock;
  TWin32Threads Threads;
  TWin32Atoms Atoms;
  TWin32HotKeys HotKeys;
  TWin32Windows Windows;
  TWin32Process Process;
  TWin32Profile Profile;
  TWin32Environment Environment;
  TWin32Shell Shell;
  TWin32Icons Icons;
  TWin32Controls Controls{Windows};
  TWin32Menus Menus;
  TSystem System{Input, Clock, Threads, Atoms, HotKeys, Windows, Process, Profile, Environment,
                 Shell, Icons, Controls, Menus};
};
