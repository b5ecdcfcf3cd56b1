// The shell's notification area and the user-interface services around a tray icon: the
// icon's record and Shell_NotifyIcon, registered message names ("TaskbarCreated"), the
// asynchronous key state, the double-click time and the foreground window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Types.h"

using TIconHandle = std::uintptr_t;  // an HICON's value; 0 is no icon

namespace win {
// Shell_NotifyIcon messages, record flags and callback versions
constexpr std::uint32_t NIM_ADD = 0;
constexpr std::uint32_t NIM_MODIFY = 1;
constexpr std::uint32_t NIM_DELETE = 2;
constexpr std::uint32_t NIM_SETVERSION = 4;
constexpr std::uint32_t NIF_MESSAGE = 0x01;
constexpr std::uint32_t NIF_ICON = 0x02;
constexpr std::uint32_t NIF_TIP = 0x04;
constexpr std::uint32_t NOTIFYICON_VERSION = 3;
// What a tray icon's callback carries in lParam (version 0 and 3 callbacks)
constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr std::uint32_t NIN_SELECT = 0x0400;
constexpr std::uint32_t NIN_KEYSELECT = 0x0401;
constexpr std::uint32_t NIN_BALLOONSHOW = 0x0402;
constexpr std::uint32_t NIN_BALLOONHIDE = 0x0403;
constexpr std::uint32_t NIN_BALLOONTIMEOUT = 0x0404;
constexpr std::uint32_t NIN_BALLOONUSERCLICK = 0x0405;
// Window messages a tray icon watches on the application and owner windows
constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ENDSESSION = 0x0016;
constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
constexpr std::uint32_t WM_WINDOWPOSCHANGED = 0x0047;
constexpr std::uint32_t WM_NCDESTROY = 0x0082;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr TWParam SIZE_MINIMIZED = 1;
constexpr TLParam SW_PARENTCLOSING = 1;
constexpr TWParam SC_MINIMIZE = 0xF020;
constexpr TWParam SC_RESTORE = 0xF120;
constexpr std::uint8_t VK_MENU = 0x12;
}  // namespace win

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
  virtual bool NotifyIcon(std::uint32_t message, const TNotifyIconData& data) = 0;
  // RegisterWindowMessage: the id (0xC000..0xFFFF) that every process gets for the name;
  // 0 on failure.
  virtual std::uint32_t RegisterMessageName(const std::string& name) = 0;
  // GetAsyncKeyState: negative while the key is down at this moment.
  virtual std::int16_t GetAsyncKeyState(int vk) = 0;
  // GetDoubleClickTime: the longest time between the presses of a double-click, in ms.
  virtual std::uint32_t GetDoubleClickTime() = 0;
  virtual bool SetForegroundWindow(TWnd window) = 0;
  // The longest leading part of text that takes at most maxBytes bytes in the system's ANSI
  // code page, cut between characters, never inside a double-byte one.
  virtual std::string CutToSystemBytes(const std::string& text, std::size_t maxBytes) = 0;
};
