// The shell: its notification area (the icon's record and Shell_NotifyIcon), the system's
// ANSI code page as the icon's tip is cut to it, and opening a file as Explorer opens it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/WinApi.h"

using TIconHandle = std::uintptr_t;  // an HICON's value; 0 is no icon

// The shell's NOTIFYICONDATA record in its Windows 2000 form (up to dwInfoFlags), field for
// field. Texts are UTF-8 here; the adapter widens them into the record's fixed buffers.
struct TNotifyIconData {
  // cbSize of NOTIFYICONDATAW in that form for this build's pointer width; the adapter
  // checks it against the system header's NOTIFYICONDATAW_V2_SIZE.
  static constexpr std::uint32_t SystemSize = sizeof(void*) == 8 ? 952 : 936;

  std::uint32_t cbSize = 0;
  TWnd hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  TIconHandle hIcon = 0;
  std::string szTip;       // at most 127 bytes in the system's ANSI code page
  std::uint32_t dwState = 0;
  std::uint32_t dwStateMask = 0;
  std::string szInfo;
  std::uint32_t uVersion = 0;  // shares its place with uTimeout
  std::string szInfoTitle;
  std::uint32_t dwInfoFlags = 0;
  friend bool operator==(const TNotifyIconData&, const TNotifyIconData&) = default;
};

class IShell {
public:
  virtual ~IShell() = default;
  // Shell_NotifyIcon(message, record): true when the shell took it. Adding an icon that is
  // there already, or changing, deleting or versioning one that is not, fails without
  // effect; so does every call while no taskbar runs.
  [[nodiscard]] virtual bool NotifyIcon(std::uint32_t message, const TNotifyIconData& data) = 0;
  // The longest leading part of text that takes at most maxBytes bytes in the system's ANSI
  // code page, cut between characters, never inside a double-byte one.
  [[nodiscard]] virtual std::string CutToSystemBytes(const std::string& text,
                                                     std::size_t maxBytes) = 0;
  // ShellExecute(owner, verb, file, parameters, directory, show): the file opened as the
  // shell opens it (its associated program, the browser for an address). What the shell
  // then does or says is its own; the result is not reported.
  virtual void RunShellVerb(TWnd owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& directory, int show) = 0;
};
