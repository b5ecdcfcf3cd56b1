// The fake shell: a notification area in memory that keeps the icons it was given and
// records every call with the record it came with, a message-name registry, key states a
// test sets, and an Explorer that can end and start again (re-creating its taskbar).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"

class TFakeWindows;

class TFakeShell : public IShell {
public:
  explicit TFakeShell(TFakeWindows& windows) : FWindows(windows) {}

  bool NotifyIcon(std::uint32_t message, const TNotifyIconData& data) override;
  std::uint32_t RegisterMessageName(const std::string& name) override;
  std::int16_t GetAsyncKeyState(int vk) override;
  std::uint32_t GetDoubleClickTime() override { return DoubleClickTime; }
  bool SetForegroundWindow(TWnd window) override;
  // The system's ANSI code page is UTF-8 here: whole UTF-8 characters, at most maxBytes.
  std::string CutToSystemBytes(const std::string& text, std::size_t maxBytes) override;
  // Logged as "ShellExecute <owner> <verb> <file> [<parameters>] [<directory>] <show>".
  void RunShellVerb(TWnd owner, const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory, int show) override {
    Log.push_back("ShellExecute " + std::to_string(owner) + " " + verb + " " + file + " [" + parameters +
                  "] [" + directory + "] " + std::to_string(show));
  }

  struct TNotifyCall {
    std::uint32_t Message;
    TNotifyIconData Data;
    bool Succeeded;
  };
  std::vector<TNotifyCall> NotifyCalls;
  // Every call in order: "NIM_ADD ok", "NIM_MODIFY failed", "SetForegroundWindow 65552".
  std::vector<std::string> Log;

  // The icon the area shows for (window, id) now; nullptr when there is none.
  const TNotifyIconData* FindIcon(TWnd window, std::uint32_t id) const;
  std::size_t IconCount() const { return FIcons.size(); }
  // The id a name was registered under; 0 when nobody registered it.
  std::uint32_t MessageId(const std::string& name) const;

  // Explorer ends: the area empties, and every call fails until it starts again.
  void StopTaskbar();
  // Explorer starts: it registers "TaskbarCreated" and posts it to every top-level window.
  void StartTaskbar();

  std::set<int> KeysDown;
  std::uint32_t DoubleClickTime = 500;
  TWnd Foreground = 0;

private:
  TFakeWindows& FWindows;
  bool FRunning = true;
  std::map<std::pair<TWnd, std::uint32_t>, TNotifyIconData> FIcons;
  std::map<std::string, std::uint32_t> FMessages;
  std::uint32_t FNextMessage = 0xC0F0;
};
