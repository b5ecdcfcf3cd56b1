// The keyboard and the mouse: synthetic input and the cursor, which the click engine drives,
// the state of the keys and of double-clicks as the user's input leaves them, and the mouse
// capture.
// Injected events join the system's input stream and reach whatever window is under the
// cursor or has the focus; the calls report no failure that the program acts on.
#pragma once

#include "platform/WinApi.h"

class IInput {
public:
  virtual ~IInput() = default;
  // mouse_event: without MOUSEEVENTF_MOVE/ABSOLUTE the coordinates are ignored and the
  // button event happens wherever the cursor is.
  virtual void mouse_event(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                           std::uint32_t data, std::uintptr_t extraInfo) = 0;
  virtual void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                           std::uintptr_t extraInfo) = 0;
  // GetCursorPos leaves the point untouched when it fails (another desktop is active).
  [[nodiscard]] virtual bool GetCursorPos(TPoint& point) = 0;
  [[nodiscard]] virtual bool SetCursorPos(std::int32_t x, std::int32_t y) = 0;

  // GetAsyncKeyState: negative while the key is down at this moment.
  [[nodiscard]] virtual std::int16_t GetAsyncKeyState(int vk) = 0;
  // GetDoubleClickTime: the longest time between the presses of a double-click, in ms.
  [[nodiscard]] virtual std::uint32_t GetDoubleClickTime() = 0;

  // GetKeyState: negative while the key was down when the message being handled was sent.
  [[nodiscard]] virtual std::int16_t GetKeyState(int vk) = 0;

  // SetCapture / ReleaseCapture / GetCapture. The window losing the capture gets
  // WM_CAPTURECHANGED with the new holder (or 0) in lParam.
  virtual void SetCapture(TWnd window) = 0;
  virtual void ReleaseCapture() = 0;
  [[nodiscard]] virtual TWnd GetCapture() = 0;
};
