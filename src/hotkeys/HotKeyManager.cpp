#include "hotkeys/HotKeyManager.h"

using namespace win;

THotKeyDesc ShortCutToHotKey(TShortCut code) {
  std::uint32_t modifiers = 0;
  if (code & scAlt) modifiers |= MOD_ALT;
  if (code & scCtrl) modifiers |= MOD_CONTROL;
  if (code & scShift) modifiers |= MOD_SHIFT;
  return {modifiers, static_cast<std::uint32_t>(code & 0xFF)};
}

std::string HotKeyAtomName(TShortCut code) {
  return "HotKeyManagerHotKey" + std::to_string(code);
}

THotKeyManager::THotKeyManager(TComponent* owner, TSystem& system, TWnd appWindow)
    : TComponent(owner, "HotKeyManager"),
      FSystem(system),
      FWindow(appWindow),
      FHook(system.Windows, appWindow, [this](std::uint32_t msg, TWParam wParam, TLParam lParam) {
        if (msg == WM_HOTKEY) HotKeyMessage(wParam, lParam);
      }) {}

THotKeyManager::~THotKeyManager() { ClearHotKeys(); }

std::uint16_t THotKeyManager::AddHotKey(TShortCut code) {
  const THotKeyDesc desc = ShortCutToHotKey(code);
  // The same name gives the same atom, its count raised; a full atom table gives 0, which
  // is still tried as an id.
  const std::uint16_t id = FSystem.Atoms.AddGlobalAtom(HotKeyAtomName(code));
  if (!FSystem.HotKeys.RegisterHotKey(FWindow, id, desc.Modifiers, desc.Key)) {
    // The reference taken above goes back; a failure to release it leaves nothing to do.
    (void)FSystem.Atoms.DeleteGlobalAtom(id);
    return 0;
  }
  FHotKeys.push_back({code, id});
  return id;
}

void THotKeyManager::ClearHotKeys() {
  while (!FHotKeys.empty()) {
    const THotKeyEntry entry = FHotKeys.back();
    (void)FSystem.HotKeys.UnregisterHotKey(FWindow, entry.Id);
    (void)FSystem.Atoms.DeleteGlobalAtom(entry.Id);  // also when the unregistration failed
    FHotKeys.pop_back();
  }
}

bool THotKeyManager::IsHotKeyRegistered(TShortCut code) const {
  for (const THotKeyEntry& e : FHotKeys)
    if (e.Code == code) return true;
  return false;
}

// The message goes on to the window's previous procedure in any case (the hook only
// listens), also when the handler fails.
void THotKeyManager::HotKeyMessage(TWParam wParam, TLParam lParam) {
  if (!OnHotKeyPressed) return;
  const std::uint16_t modifiers = LoWord(static_cast<std::uintptr_t>(lParam));
  TShortCut code = HiWord(static_cast<std::uintptr_t>(lParam));
  if (modifiers & MOD_SHIFT) code |= scShift;
  if (modifiers & MOD_CONTROL) code |= scCtrl;
  if (modifiers & MOD_ALT) code |= scAlt;
  // Matched by code; the id is only handed on.
  if (IsHotKeyRegistered(code)) OnHotKeyPressed(code, LoWord(wParam));
}
