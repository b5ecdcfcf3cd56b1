// The keys that drive clicking: a start key and a stop key (Home and End unless the player
// chose others), and the hotkeys made of them: the start key pins the click point with Shift,
// the stop key releases it with Shift, and each has its variants for while the Ctrl lock
// holds Ctrl down. A chosen key may carry modifiers of its own; a variant adds to them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "platform/WinApi.h"

struct TClickKeys {
  TShortCut Start = win::VK_HOME;
  TShortCut Stop = win::VK_END;
  friend bool operator==(const TClickKeys&, const TClickKeys&) = default;
};

enum class TClickAction { Start, Pin, PinUnderCtrlLock, Stop, Release, StopUnderCtrlLock, ReleaseUnderCtrlLock };

struct TClickHotKey {
  TShortCut Code;
  TClickAction Action;
  friend bool operator==(const TClickHotKey&, const TClickHotKey&) = default;
};

// The hotkeys in the order they are registered: start, pin, pin under the Ctrl lock, stop,
// release, stop under the Ctrl lock, release under the Ctrl lock. A row whose code an
// earlier row has already is left out (the earlier one serves it).
std::vector<TClickHotKey> ClickHotKeyTable(const TClickKeys& keys);

// Why a pair of keys cannot drive clicking.
enum class TKeyProblem {
  None,
  NoKey,         // no key chosen
  ModifierOnly,  // Shift, Ctrl, Alt or a Windows key alone
  Reserved,      // a key the system keeps for itself (F12: the debugger's)
  SameKey,       // the start key is the stop key, or one is a Shift or Ctrl variant of the other
};
struct TKeyCheck {
  TKeyProblem Problem = TKeyProblem::None;
  bool StopKey = false;  // the problem is the stop key's (else the start key's)
};
TKeyCheck CheckClickKeys(const TClickKeys& keys);
// What the player is told of a problem, naming the key.
std::string KeyProblemText(const TKeyCheck& check, const TClickKeys& keys);

// The common controls' hotkey field holds a virtual key in its low byte and HOTKEYF_* flags in
// its high byte; the extended-key flag is the field's own business and never kept.
TShortCut ShortCutOfFieldValue(std::uint16_t value);
std::uint16_t FieldValueOfShortCut(TShortCut code);
// A key as the player reads it: "Home", "Ctrl+F6", "Shift+Alt+Num 5".
std::string ShortCutText(TShortCut code);
