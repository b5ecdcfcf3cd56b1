// What controls and menu items tell their handlers: the click and mouse events with their
// button and modifier keys, and the interface through which an action reaches everything
// bound to it.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/Component.h"

class TAction;

using TNotifyEvent = std::function<void(TComponent* Sender)>;

enum class TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// A set of ssShift … ssMiddle.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;

using TMouseEvent = std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift,
                                       std::int32_t X, std::int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TComponent* Sender, TShiftState Shift, std::int32_t X, std::int32_t Y)>;

// Something bound to an action shows its caption, image and checked state.
class IActionClient {
public:
  virtual ~IActionClient() = default;
  virtual void ActionChanged(TAction& action) = 0;
  // The action is being destroyed: the client lets go of it, without calling it back.
  virtual void ActionDestroyed(TAction& action) = 0;
};
