// The Win32 adapter of the input port: injected mouse and key events, the cursor, the state
// of the keys and the mouse capture.
#pragma once

#include "platform/Input.h"

class TWin32Input final : public IInput {
public:
  void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::uint32_t data,
                   std::uintptr_t extraInfo) override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                   std::uintptr_t extraInfo) override;
  bool GetCursorPos(TPoint& point) override;
  bool SetCursorPos(std::int32_t x, std::int32_t y) override;
  std::int16_t GetAsyncKeyState(int vk) override;
  std::uint32_t GetDoubleClickTime() override;
  std::int16_t GetKeyState(int vk) override;
  void SetCapture(TWnd window) override;
  void ReleaseCapture() override;
  TWnd GetCapture() override;
};
