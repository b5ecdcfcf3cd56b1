// TForm1: the main form. It owns the hotkey manager and the click controller, and holds the
// live option values that the controller reads when clicking starts.
#pragma once

#include <array>

#include "click/ClickController.h"
#include "hotkeys/HotKeyManager.h"
#include "ui/Application.h"
#include "ui/Component.h"

// The option values, at the design values of the options window's controls until the
// settings are loaded.
struct TClickOptions final : IClickOptions {
  int ButtonClick = 0;          // left button
  bool CtrlLockChecked = false;
  bool ShiftLockChecked = false;
  bool LockAndClickChecked = false;
  std::int32_t IntTime = 100;
  int Spd = 3;                  // normal priority
  bool AutoStopChecked = false;
  std::int32_t ChkDot = 0;

  int ButtonChoice() const override { return ButtonClick; }
  bool CtrlLock() const override { return CtrlLockChecked; }
  bool ShiftLock() const override { return ShiftLockChecked; }
  bool LockAndClick() const override { return LockAndClickChecked; }
  std::int32_t Interval() const override { return IntTime; }
  int PriorityChoice() const override { return Spd; }
  bool AutoStop() const override { return AutoStopChecked; }
  std::int32_t Tolerance() const override { return ChkDot; }
};

// The tray icon's animation state; the tray icon takes it over.
struct TTrayAnimationState final : ITrayAnimation {
  bool CycleIcons = false;
  int IconIndex = 0;
  void SetCycleIcons(bool on) override { CycleIcons = on; }
  void SetIconIndex(int index) override { IconIndex = index; }
};

class TForm1 : public TComponent {
public:
  TForm1(TApplication& application, TSystem& system);
  ~TForm1() override;

  // Closing the main form: FormClose, then the program ends.
  void Close();

  TClickOptions& Options() { return FOptions; }
  TClickController& Controller() { return FController; }
  THotKeyManager& HotKeyManager() { return *FHotKeyManager; }
  TTrayAnimationState& TrayAnimation() { return FTray; }
  const std::array<std::uint16_t, 7>& HotKeyIds() const { return FHotKeyIds; }

private:
  void FormCreate();
  void FormClose();
  void HotKeyManagerHotKeyPressed(TShortCut hotKey, std::uint16_t index);

  TApplication& FApplication;
  TSystem& FSystem;
  TClickOptions FOptions;
  TTrayAnimationState FTray;
  TClickController FController;
  THotKeyManager* FHotKeyManager = nullptr;
  std::array<std::uint16_t, 7> FHotKeyIds{};
};
