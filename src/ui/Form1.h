// TForm1: the main form and options window. It is created hidden and stays hidden until the
// user asks for it; its controls are the program's live options, read by the click
// controller when clicking starts and kept per Windows user by the settings store. It owns
// the hotkey manager, the settings store and the lock actions.
#pragma once

#include <array>
#include <optional>

#include "click/ClickController.h"
#include "framework/Actions.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GroupControls.h"
#include "framework/Menus.h"
#include "hotkeys/HotKeyManager.h"
#include "settings/AutoIni.h"
#include "tray/TrayIcon.h"
#include "ui/AdvancedForm.h"
#include "ui/BarPopupMenu.h"
#include "ui/Spin.h"

// The tray icon as the controller and the form's warnings use it, wired once the icon exists:
// its animation switch, and balloons titled with the program's name with the warning icon.
struct TTrayAnimationLink final : ITrayAnimation {
  TTrayIcon* Icon = nullptr;
  void SetCycleIcons(bool on) override {
    if (Icon) Icon->SetCycleIcons(on);
  }
  void SetIconIndex(int index) override {
    if (Icon) Icon->SetIconIndex(index);
  }
  void ShowWarning(const std::string& text) override {
    if (Icon) (void)Icon->ShowBalloonHint("Vantrel", text, win::NIIF_WARNING);
  }
};

// The maker's web page (the menu's web entry) and the notice line of the About box.
inline constexpr const char* MakerWebAddress = "https://brindlework.example/vantrel/";
inline constexpr const char* MakerNotice = "Vantrel  Copyright (C) Brindlework";
// The message a worker that reached its click limit posts to the form.
inline constexpr std::uint32_t ClickLimitMessage = win::WM_USER + 0x100;

// Asked when the settings could not be saved on the way out.
inline constexpr const char* ExitWithoutSavingQuestion = "設定を保存できませんでした。保存せずに終了しますか？";

class TForm1 : public TCustomForm {
public:
  // unit: the tray's start-up, made before anything else of the program; without one the
  // form makes its own.
  TForm1(TApplication& application, TSystem& system, TTrayIconUnit* unit = nullptr);
  ~TForm1() override;

  // Any attempt to close: the close query decides, then FormClose, then the program ends.
  void Close();

  // Components, by their names.
  TAutoIni* AutoSave = nullptr;
  THotKeyManager* HotKeyManager = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* acSetupView = nullptr;
  TAction* acAdvancedView = nullptr;
  TAction* acHelpView = nullptr;
  TAction* acWebLink = nullptr;
  TAction* acVerInfo = nullptr;
  TAction* acExit = nullptr;
  TAction* acLockCtrl = nullptr;
  TAction* acLockShift = nullptr;
  TRadioGroup* ButtonClick = nullptr;
  TCheckBox* CtrlLock = nullptr;
  TCheckBox* ShiftLock = nullptr;
  TRadioGroup* Spd = nullptr;
  TSpEdit* IntTime = nullptr;
  TCheckBox* AutoStop = nullptr;
  TCheckBox* LockAndClick = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TSpEdit* ChkDot = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TImageList* IconList = nullptr;
  TImageList* MenuImage = nullptr;
  TBarPopupMenu* MenuR = nullptr;
  TPopupMenu* MenuL = nullptr;
  TTrayIcon* TrayIcon = nullptr;
  TAdvancedForm* AdvancedForm = nullptr;

  TClickController& Controller() { return FController; }
  TPoint TrayPos() const { return FTrayPos; }
  // The hotkeys' ids, in the order of the controller's table (0 where one was refused).
  const std::vector<std::uint16_t>& HotKeyIds() const { return FHotKeyIds; }

  // Handlers, named after their component and event.
  void FormCreate();
  void FormCloseQuery(bool& canClose);
  void FormClose();
  void Button1Click();
  void Button2Click();
  void HotKeyManagerHotKeyPressed(TShortCut hotKey, std::uint16_t index);
  void acSetupViewExecute();
  void acAdvancedViewExecute();
  void acHelpViewExecute();
  void acWebLinkExecute();
  void acVerInfoExecute();
  void acExitExecute();
  void acLockCtrlExecute();
  void acLockShiftExecute();
  void TrayIconMouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  void TrayIconClick();

private:
  void CreateComponents();
  void CreateActions();
  void CreateMenus();
  // The numeric fields' values taken (TSpinEdit::TakeValue): before a save, and after a load,
  // since a file may hold text that is no number or one out of range.
  void TakeFieldValues();
  void SaveSettings();
  void LoadSettings();
  // The controller's hotkeys registered: the codes that were refused.
  std::vector<TShortCut> RegisterClickHotKeys();
  // The advanced window's OK: the new keys' hotkeys in place of the current ones (all of them,
  // or the current ones back), then the settings the program's. What to tell the player when
  // a key was refused, else empty.
  std::string ApplyAdvancedSettings(const TAdvancedSettings& settings);
  // The advanced window's keys saved: alone where the file has the options window's keys
  // already, else with them, so that they stand first in the section.
  void SaveAdvancedSettings();
  // The options the controller reads, straight from the controls.
  struct TOptionsView final : IClickOptions {
    const TForm1& F;
    explicit TOptionsView(const TForm1& form) : F(form) {}
    int ButtonChoice() const override { return F.ButtonClick->ItemIndex(); }
    bool CtrlLock() const override { return F.CtrlLock->Checked(); }
    bool ShiftLock() const override { return F.ShiftLock->Checked(); }
    bool LockAndClick() const override { return F.LockAndClick->Checked(); }
    std::int32_t Interval() const override { return F.IntTime->TakeValue(); }
    int PriorityChoice() const override { return F.Spd->ItemIndex(); }
    bool AutoStop() const override { return F.AutoStop->Checked(); }
    std::int32_t Tolerance() const override { return F.ChkDot->TakeValue(); }
    std::int32_t ClickLimit() const override { return F.AdvancedForm->Applied().EffectiveClickLimit(); }
  };

  TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

  TApplication& FApplication;
  TSystem& FSystem;
  // The tray's start-up (common-controls version, "TaskbarCreated") before any component.
  std::optional<TTrayIconUnit> FOwnTrayUnit;
  TTrayIconUnit& FTrayUnit;
  TTrayAnimationLink FTray;
  TPoint FTrayPos;
  TOptionsView FOptions{*this};
  TClickController FController;
  std::vector<std::uint16_t> FHotKeyIds;
  int FShiftImageBase = 5;
  int FCtrlImageBase = 7;
};
