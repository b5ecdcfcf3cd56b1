// THotKeyManager: registers shortcut codes as system-wide hotkeys for the application window
// and reports each press through OnHotKeyPressed. It hooks the application window's
// procedure to see WM_HOTKEY and passes every message on unchanged.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/System.h"
#include "framework/Component.h"

struct THotKeyEntry {
  TShortCut Code;       // as given to AddHotKey
  std::uint16_t Id;     // the hotkey id: a global atom
};

// HotKey: the shortcut code of the press; Index: the hotkey id that came with it.
using TOnHotKeyPressed = std::function<void(TShortCut HotKey, std::uint16_t Index)>;

struct THotKeyDesc {
  std::uint32_t Modifiers;
  std::uint32_t Key;
};

THotKeyDesc ShortCutToHotKey(TShortCut code);
// The atom name that identifies a code: "HotKeyManagerHotKey" and the code in decimal.
std::string HotKeyAtomName(TShortCut code);

class THotKeyManager : public TComponent, private IMessageHandler {
public:
  THotKeyManager(TComponent* owner, TSystem& system, TWnd appWindow);
  ~THotKeyManager() override;

  // Returns the hotkey id, or 0 when the system refused the combination.
  std::uint16_t AddHotKey(TShortCut code);
  // Unregisters every hotkey, last registered first.
  void ClearHotKeys();

  const std::vector<THotKeyEntry>& HotKeys() const { return FHotKeys; }
  bool Hooked() const { return FHooked; }

  TOnHotKeyPressed OnHotKeyPressed;

private:
  bool IsHotKeyRegistered(TShortCut code) const;
  void HookAppWindow();
  void UnhookAppWindow();
  // HotKeyWndProc
  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

  TSystem& FSystem;
  TWnd FWindow;
  std::vector<THotKeyEntry> FHotKeys;
  bool FHooked = false;
};
