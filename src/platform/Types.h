// Plain value types and the Windows numbers the logic speaks in.
// The constants carry their Win32 names so the logic reads like the platform it drives; the
// adapters pass them through unchanged. Adapters include this before <windows.h>, whose macros
// of the same names would otherwise rewrite these declarations.
#pragma once

#include <cstdint>

using TWnd = std::uintptr_t;       // a window handle's value; 0 is no window
using TWParam = std::uintptr_t;
using TLParam = std::intptr_t;
using TLResult = std::intptr_t;
using TShortCut = std::uint16_t;   // virtual key in the low byte, scShift/scCtrl/scAlt above

struct TPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

namespace win {
// mouse_event flags
constexpr std::uint32_t MOUSEEVENTF_LEFTDOWN = 0x0002;
constexpr std::uint32_t MOUSEEVENTF_LEFTUP = 0x0004;
constexpr std::uint32_t MOUSEEVENTF_RIGHTDOWN = 0x0008;
constexpr std::uint32_t MOUSEEVENTF_RIGHTUP = 0x0010;
constexpr std::uint32_t MOUSEEVENTF_MIDDLEDOWN = 0x0020;
constexpr std::uint32_t MOUSEEVENTF_MIDDLEUP = 0x0040;
// keybd_event flags
constexpr std::uint32_t KEYEVENTF_KEYUP = 0x0002;
// virtual keys
constexpr std::uint8_t VK_SHIFT = 0x10;
constexpr std::uint8_t VK_CONTROL = 0x11;
constexpr std::uint8_t VK_END = 0x23;
constexpr std::uint8_t VK_HOME = 0x24;
// RegisterHotKey modifiers
constexpr std::uint32_t MOD_ALT = 0x0001;
constexpr std::uint32_t MOD_CONTROL = 0x0002;
constexpr std::uint32_t MOD_SHIFT = 0x0004;
constexpr std::uint32_t MOD_WIN = 0x0008;
// thread priorities
constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
// waits
constexpr std::uint32_t INFINITE = 0xFFFFFFFF;
// window messages
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUERYENDSESSION = 0x0011;
constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_HOTKEY = 0x0312;
constexpr std::uint32_t WM_USER = 0x0400;
// SetWindowPos flags and ShowWindow commands
constexpr std::uint32_t SWP_NOSIZE = 0x0001;
constexpr std::uint32_t SWP_NOMOVE = 0x0002;
constexpr std::uint32_t SWP_NOZORDER = 0x0004;
constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
// message boxes
constexpr std::uint32_t MB_OK = 0x0000;
constexpr std::uint32_t MB_ICONERROR = 0x0010;
constexpr std::uint32_t MB_ICONINFORMATION = 0x0040;
}  // namespace win

// Shortcut modifier bits (the framework's TShortCut convention).
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

constexpr std::uint16_t LoWord(std::uintmax_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HiWord(std::uintmax_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
