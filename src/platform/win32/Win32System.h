// The Win32 adapters of every port: thin, argument conversion and the call.
#pragma once

#include <functional>

#include "platform/System.h"
#include "platform/win32/Win32Drawing.h"
#include "platform/win32/Win32Input.h"
#include "platform/win32/Win32Menus.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Windows.h"

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
  std::unique_ptr<IHeldHandle> CreateNamedMutex(const std::string& name, bool& existed) override;
  std::optional<std::uint32_t> IntegrityLevel(std::uint32_t processId) override;
  std::optional<std::uint32_t> OwnIntegrityLevel() override;
};

class TWin32Environment final : public IEnvironment {
public:
  TWin32Environment();
  bool GetVersionInfo(std::uint32_t& platformId, std::uint32_t& major, std::uint32_t& minor) override;
  bool GetLogonUserName(std::string& name) override;
  bool GetFileVersionBlock(const std::string& path, std::vector<std::uint8_t>& block) override;
  bool QueryVersionValue(const std::vector<std::uint8_t>& block, const std::string& subBlock,
                         std::string& value) override;
  char DecimalSeparator() override;

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
  TWin32Drawing Drawing;
  TWin32Menus Menus;
  TSystem System{Input, Clock, Threads, Atoms, HotKeys, Windows, Process, Profile, Environment,
                 Shell, Icons, Drawing, Menus};
};
