// The fake shell: a notification area in memory that keeps the icons it was given and
// records every call with the record it came with, and an Explorer that can end and start
// again (re-creating its taskbar). Its calls go to the call log of the fake system, which the
// windows port writes too, so that their order shows.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Shell.h"

class TFakeWindows;

class TFakeShell : public IShell {
public:
  TFakeShell(TFakeWindows& windows, std::vector<std::string>& log) : FWindows(windows), FLog(log) {}

  bool NotifyIcon(std::uint32_t message, const TNotifyIconData& data) override;
  // The system's ANSI code page is UTF-8 here: whole UTF-8 characters, at most maxBytes.
  std::string CutToSystemBytes(const std::string& text, std::size_t maxBytes) override;
  // Logged as "ShellExecute <owner> <verb> <file> [<parameters>] [<directory>] <show>".
  void RunShellVerb(TWnd owner, const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory, int show) override {
    FLog.push_back("ShellExecute " + std::to_string(owner) + " " + verb + " " + file + " [" + parameters +
                  "] [" + directory + "] " + std::to_string(show));
  }

  struct TNotifyCall {
    std::uint32_t Message;
    TNotifyIconData Data;
    bool Succeeded;
  };
  std::vector<TNotifyCall> NotifyCalls;

  // The icon the area shows for (window, id) now; nullptr when there is none.
  const TNotifyIconData* FindIcon(TWnd window, std::uint32_t id) const;
  std::size_t IconCount() const { return FIcons.size(); }

  // Explorer ends: the area empties, and every call fails until it starts again.
  void StopTaskbar();
  // Explorer starts: it registers "TaskbarCreated" and posts it to every top-level window.
  void StartTaskbar();

private:
  TFakeWindows& FWindows;
  // Every call in order: "NIM_ADD ok", "NIM_MODIFY failed", "ShellExecute ...".
  std::vector<std::string>& FLog;
  bool FRunning = true;
  std::map<std::pair<TWnd, std::uint32_t>, TNotifyIconData> FIcons;
};
