// THotKeyManager: registers shortcut codes as system-wide hotkeys for the application window
// and reports each press through OnHotKeyPressed. It hooks the application window's
// procedure to see WM_HOTKEY and passes every message on unchanged.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/SubclassHook.h"
#include "platform/System.h"

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

class THotKeyManager : public TComponent {
public:
  THotKeyManager(TComponent* owner, TSystem& system, TWnd appWindow);
  ~THotKeyManager() override;

  // Returns the hotkey id, or 0 when the system refused the combination.
  std::uint16_t AddHotKey(TShortCut code);
  // Unregisters every hotkey, last registered first.
  void ClearHotKeys();

  const std::vector<THotKeyEntry>& HotKeys() const { return FHotKeys; }
  bool Hooked() const { return FHook.Installed(); }

  TOnHotKeyPressed OnHotKeyPressed;

private:
  bool IsHotKeyRegistered(TShortCut code) const;
  // WM_HOTKEY on the application window.
  void HotKeyMessage(TWParam wParam, TLParam lParam);

  TSystem& FSystem;
  TWnd FWindow;
  std::vector<THotKeyEntry> FHotKeys;
  // Declared last: the hook goes first, before the hotkeys' table it reads.
  TListeningHook FHook;
};
