// Plain value types the ports speak in: handles' values, message parameters, points,
// rectangles and shortcuts. The Windows numbers are in platform/WinApi.h.
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

// Shortcut modifier bits (the framework's TShortCut convention).
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

constexpr std::uint16_t LoWord(std::uintmax_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HiWord(std::uintmax_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
