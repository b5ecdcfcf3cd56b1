// Global atoms and system-wide hotkeys.
#pragma once

#include <string>

#include "platform/WinApi.h"

class IAtoms {
public:
  virtual ~IAtoms() = default;
  // GlobalAddAtom: the atom of the name, its reference count raised when it exists; 0 on failure.
  [[nodiscard]] virtual std::uint16_t AddGlobalAtom(const std::string& name) = 0;
  // GlobalDeleteAtom: lowers the reference count; returns 0 on success, the atom on failure.
  [[nodiscard]] virtual std::uint16_t DeleteGlobalAtom(std::uint16_t atom) = 0;
};

class IHotKeys {
public:
  virtual ~IHotKeys() = default;
  // RegisterHotKey: refused (false) when the combination is already registered by anyone.
  // Presses arrive at the window as WM_HOTKEY(wParam = id, lParam = MAKELONG(modifiers, vk)).
  [[nodiscard]] virtual bool RegisterHotKey(TWnd window, int id, std::uint32_t modifiers,
                                            std::uint32_t vk) = 0;
  [[nodiscard]] virtual bool UnregisterHotKey(TWnd window, int id) = 0;
};
