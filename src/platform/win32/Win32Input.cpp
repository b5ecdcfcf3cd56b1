#include "platform/win32/Win32Input.h"

#include "platform/win32/Win32.h"

void TWin32Input::mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                              std::uint32_t data, std::uintptr_t extraInfo) {
  ::mouse_event(flags, static_cast<DWORD>(dx), static_cast<DWORD>(dy), data, extraInfo);
}

void TWin32Input::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                              std::uintptr_t extraInfo) {
  ::keybd_event(vk, scan, flags, extraInfo);
}

bool TWin32Input::GetCursorPos(TPoint& point) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  point = {p.x, p.y};
  return true;
}

bool TWin32Input::SetCursorPos(std::int32_t x, std::int32_t y) { return ::SetCursorPos(x, y) != 0; }

std::int16_t TWin32Input::GetAsyncKeyState(int vk) { return ::GetAsyncKeyState(vk); }

std::uint32_t TWin32Input::GetDoubleClickTime() { return ::GetDoubleClickTime(); }

std::int16_t TWin32Input::GetKeyState(int vk) { return ::GetKeyState(vk); }

void TWin32Input::SetCapture(TWnd window) { ::SetCapture(ToHwnd(window)); }
void TWin32Input::ReleaseCapture() { ::ReleaseCapture(); }
TWnd TWin32Input::GetCapture() { return FromHwnd(::GetCapture()); }
