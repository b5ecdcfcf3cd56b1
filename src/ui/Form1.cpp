#include "ui/Form1.h"

#include "environment/BIOS.h"
#include "framework/FilePath.h"
#include "ui/DialogLook.h"

using namespace win;

TForm1::TForm1(TApplication& application, TSystem& system, TTrayIconUnit* unit)
    : TCustomForm(nullptr, "Form1"),
      FApplication(application),
      FSystem(system),
      FTrayUnit(unit ? *unit : FOwnTrayUnit.emplace(system)),
      FController(system, FOptions, FTray) {
  Caption = application.Title();
  ClientWidth = 330;
  ClientHeight = 267;
  UseDialogLook(*this);
  // The window first (the tray icon is owned by it), hidden and without its controls; they
  // get their windows once they all exist, in tab order.
  CreateFormWindow({FSystem.Windows, FSystem.Input, FSystem.Drawing, FSystem.Environment}, application.Handle());
  CreateComponents();
  CreateControlWindows();
  FController.SetLimitNotice(Handle(), ClickLimitMessage);
  // As the framework does with OnCreate: an error is shown and the program goes on.
  try {
    FormCreate();
  } catch (...) {
    FApplication.HandleException(std::current_exception());
  }
}

// Clicking ends first (its workers use the system's ports, and the tray animation the
// controller switches is a component), then the components, while the window and the
// controller they may call still exist.
TForm1::~TForm1() {
  FController.Shutdown();
  DestroyComponents();
  DestroyHandle();
}

void TForm1::CreateComponents() {
  AutoSave = &Create<TAutoIni>(FSystem, FApplication);
  AutoSave->CheckWinState = true;

  HotKeyManager = &Create<THotKeyManager>(FSystem, FApplication.Handle());
  HotKeyManager->OnHotKeyPressed = [this](TShortCut hotKey, std::uint16_t index) {
    HotKeyManagerHotKeyPressed(hotKey, index);
  };

  CreateActions();

  // In tab order, which is the order the settings file keeps and the windows' z-order. The
  // labels are no tab stops; each stands just before the field it names, so its mnemonic
  // steps on to that field.
  const auto bounds = [](TWinControl& c, int left, int top, int width, int height) {
    c.SetBounds({left, top, left + width, top + height});
  };
  const auto label = [this](const char* name, const char* caption, int left, int top) {
    TLabel& l = Create<TLabel>(name);
    l.Caption = caption;
    l.SetBounds({left, top, left, top});
    l.SetParent(this);
    return &l;
  };
  ButtonClick = &Create<TRadioGroup>("ButtonClick");
  ButtonClick->Caption = "マウスボタン(&B)";
  ButtonClick->SetItems({"Left Button Click", "Right Button Click", "Wheel Button Click"});
  ButtonClick->SetItemIndex(0);
  bounds(*ButtonClick, 8, 8, 145, 73);
  ButtonClick->SetParent(this);

  CtrlLock = &Create<TCheckBox>("CtrlLock");
  CtrlLock->SetAction(acLockCtrl);
  bounds(*CtrlLock, 8, 136, 97, 17);
  CtrlLock->SetParent(this);
  ShiftLock = &Create<TCheckBox>("ShiftLock");
  ShiftLock->SetAction(acLockShift);
  bounds(*ShiftLock, 8, 152, 97, 17);
  ShiftLock->SetParent(this);

  Spd = &Create<TRadioGroup>("Spd");
  Spd->Caption = "優先度(&T)";
  Spd->SetItems({"Critical (最優先：重い)", "Highest (優先度+2)", "Higher (優先度+1)",
                 "Normal (標準)", "Lower (優先度-1)", "Lowest (優先度-2)", "Idle (負荷なし)"});
  Spd->SetItemIndex(3);
  bounds(*Spd, 160, 8, 161, 145);
  Spd->SetParent(this);

  Label1 = label("Label1", "クリック間隔(&T)", 8, 88);
  IntTime = &Create<TSpEdit>("IntTime");
  IntTime->Increment = 10;
  IntTime->MinValue = 1;
  IntTime->MaxValue = 86400000;
  IntTime->SetValue(100);
  bounds(*IntTime, 8, 104, 81, 21);
  IntTime->SetParent(this);
  Label1->FocusControl = IntTime;
  Label3 = label("Label3", "(1秒=1000)", 96, 88);
  Label2 = label("Label2", "ミリ秒", 96, 108);

  AutoStop = &Create<TCheckBox>("AutoStop");
  AutoStop->Caption = "マウスカーソルの移動で自動的にクリックを解除";
  bounds(*AutoStop, 8, 168, 305, 17);
  AutoStop->SetParent(this);
  LockAndClick = &Create<TCheckBox>("LockAndClick");
  LockAndClick->Caption = "キーのロック時もクリック処理を行なう";
  bounds(*LockAndClick, 8, 208, 313, 17);
  LockAndClick->SetParent(this);

  Button1 = &Create<TButton>("Button1");
  Button1->Caption = "OK";
  Button1->Default = true;
  Button1->OnClick = [this](TComponent*) { Button1Click(); };
  bounds(*Button1, 152, 232, 80, 20);
  Button1->SetParent(this);
  Button2 = &Create<TButton>("Button2");
  Button2->Caption = "キャンセル";
  Button2->Cancel = true;
  Button2->OnClick = [this](TComponent*) { Button2Click(); };
  bounds(*Button2, 240, 232, 80, 20);
  Button2->SetParent(this);

  ChkDot = &Create<TSpEdit>("ChkDot");
  ChkDot->SetMaxLength(2);
  ChkDot->MinValue = 0;
  ChkDot->MaxValue = 99;
  ChkDot->SetValue(0);
  bounds(*ChkDot, 24, 184, 41, 21);
  ChkDot->SetParent(this);
  Label4 = label("Label4", "ドット以内のズレは許容する", 72, 188);

  // The tray images at the size the tray shows (16 × 16 at 96 dpi), then the icon with its
  // stored settings; it joins the tray as soon as IconVisible is set, with the stored Icon.
  IconList = &Create<TImageList>("IconList", FSystem.Icons);
  IconList->Width = IconList->Height = FSystem.Icons.SmallIconSize();
  IconList->AddIconResource("MAINICON");    // a white mouse: at rest (the program's icon)
  IconList->AddIconResource("TRAYIMAGE1");  // the mouse in a red frame: clicking
  TrayIcon = &Create<TTrayIcon>("TrayIcon", FTrayUnit, FApplication, Handle());
  TrayIcon->SetCycleInterval(300);
  TrayIcon->SetHint("Vantrel");
  TrayIcon->Icon().LoadResource("MAINICON", IconList->Width);
  TrayIcon->SetIconVisible(true);
  TrayIcon->SetIconIndex(0);
  CreateMenus();
  TrayIcon->SetPopupMenu(MenuR);
  TrayIcon->OnClick = [this](TComponent*) { TrayIconClick(); };
  TrayIcon->OnMouseDown = [this](TComponent*, TMouseButton button, TShiftState shift,
                                 std::int32_t x, std::int32_t y) {
    TrayIconMouseDown(button, shift, x, y);
  };
  FTray.Icon = TrayIcon;
  // As loading a form does: references between components are set last (the image list
  // shows image 0 from here on), then the components hear that loading is done.
  TrayIcon->SetIconList(IconList);
  TrayIcon->Loaded();

  // The advanced settings: a window of its own, not one of this form's controls, so the
  // store's walk leaves its controls alone; its keys are written after the walk's.
  AdvancedForm = &Create<TAdvancedForm>("AdvancedForm", *Ports(), FApplication.Handle());
  AdvancedForm->OnApply = [this](const TAdvancedSettings& s) { return ApplyAdvancedSettings(s); };
  AdvancedForm->OnSave = [this] { SaveAdvancedSettings(); };
  AutoSave->OnSaveMore = [this](TIniFile& ini, const std::string& section) {
    WriteAdvancedSettings(ini, section, AdvancedForm->Applied());
  };
}

void TForm1::CreateActions() {
  ActionList1 = &Create<TActionList>("ActionList1");
  const auto action = [this](const char* name, const char* caption, int image, void (TForm1::*handler)()) {
    TAction& a = ActionList1->Create<TAction>(name);
    a.SetCaption(caption);
    a.SetImageIndex(image);
    a.OnExecute = [this, handler](TComponent*) { (this->*handler)(); };
    return &a;
  };
  acSetupView = action("acSetupView", "環境オプション(&O)...", 4, &TForm1::acSetupViewExecute);
  acAdvancedView = action("acAdvancedView", "詳細設定(&D)...", 9, &TForm1::acAdvancedViewExecute);
  acHelpView = action("acHelpView", "ヘルプ表示(&H)", 3, &TForm1::acHelpViewExecute);
  acWebLink = action("acWebLink", "Brindlework(&W)", 2, &TForm1::acWebLinkExecute);
  acVerInfo = action("acVerInfo", "バージョン情報(&A)", 1, &TForm1::acVerInfoExecute);
  acExit = action("acExit", "終了(&X)", 0, &TForm1::acExitExecute);
  // The locks' images are their bases from here on, also while loading turns a lock on.
  acLockCtrl = action("acLockCtrl", "Ctrl Key Lock", FCtrlImageBase, &TForm1::acLockCtrlExecute);
  acLockShift = action("acLockShift", "Shift Key Lock", FShiftImageBase, &TForm1::acLockShiftExecute);
}

void TForm1::CreateMenus() {
  // The menu images at the system's small-icon size, which follows the screen's density: of
  // the sizes the resources hold, the nearest at or above it.
  static constexpr int MenuImageSizes[] = {16, 20, 24, 32};
  MenuImage = &Create<TImageList>("MenuImage", FSystem.Icons);
  MenuImage->Width = MenuImage->Height = IconSizeFor(FSystem.Icons.SmallIconSize(), MenuImageSizes);
  for (int i = 0; i < 10; ++i) MenuImage->AddIconResource("MENUIMAGE" + std::to_string(i));

  // The tray's menus are opened while the application window is the foreground window
  // (right button) or the form's (left button): that window owns the menu.
  MenuR = &Create<TBarPopupMenu>("MenuR", FSystem.Menus, FSystem.Windows, FSystem.Drawing,
                                 FApplication.Handle(), FApplication.Title());
  // A caption the system's menu font cannot draw takes a face of the options window's list.
  std::vector<std::string> faces{DesignFont.Face};
  faces.insert(faces.end(), FallbackFaces.begin(), FallbackFaces.end());
  MenuR->OwnerWindow = FApplication.Handle();
  MenuR->Images = MenuImage;
  MenuR->FallbackFaces = faces;
  MenuR->VerticalText = "Vantrel";
  MenuR->VerticalFont = {"Verdana", -19, clWhite, true, true, false, false, TFontPitch::fpDefault, 0};
  const auto item = [](TPopupMenu& menu, const char* name, TAction* action) {
    TMenuItem& i = menu.Add(name);
    if (action)
      i.SetAction(action);
    else
      i.Caption = "-";
  };
  item(*MenuR, "O1", acSetupView);
  item(*MenuR, "D1", acAdvancedView);
  item(*MenuR, "N1", nullptr);
  item(*MenuR, "H1", acHelpView);
  item(*MenuR, "W1", acWebLink);
  item(*MenuR, "About1", acVerInfo);
  item(*MenuR, "N2", nullptr);
  item(*MenuR, "Exit1", acExit);

  MenuL = &Create<TPopupMenu>("MenuL", FSystem.Menus, FSystem.Windows, FSystem.Drawing);
  MenuL->OwnerWindow = Handle();
  MenuL->Images = MenuImage;
  MenuL->FallbackFaces = faces;
  item(*MenuL, "CtrlKeyLock1", acLockCtrl);
  item(*MenuL, "ShiftKeyLock1", acLockShift);
}

void TForm1::FormCreate() {
  SetLeft(0);
  SetTop(0);
  AutoSave->Section = GetUserNameText(FSystem.Environment);
  AutoSave->LoadIni();
  FApplication.HelpFile = ChangeFileExt(FSystem.Process.ModuleFileName(), ".pdf");
  if (WindowsVersionClass(FSystem.Environment) <= 2) IntTime->MinValue = 20;  // Windows 95/98/Me
  TakeFieldValues();
  FController.ApplyButtonChoice();
  FController.ForgetFixPoint();
  AutoSave->LoadKeys([this](TIniFile& ini, const std::string& section) {
    AdvancedForm->SetApplied(ReadAdvancedSettings(ini, section));
  });
  FController.SetClickKeys(AdvancedForm->Applied().Keys);
  // A key another program holds is told of once per start; the other keys work.
  const std::vector<TShortCut> refused = RegisterClickHotKeys();
  if (refused.empty()) return;
  std::string keys;
  for (TShortCut code : refused) keys += (keys.empty() ? "" : "、") + ShortCutText(code);
  FTray.ShowWarning(keys + " を登録できませんでした（ほかのプログラムが使っています）。詳細設定で別のキーを選んでください。");
}

std::vector<TShortCut> TForm1::RegisterClickHotKeys() {
  std::vector<TShortCut> refused;
  FHotKeyIds.clear();
  for (const TClickHotKey& row : FController.HotKeyTable()) {
    FHotKeyIds.push_back(HotKeyManager->AddHotKey(row.Code));
    if (!FHotKeyIds.back()) refused.push_back(row.Code);
  }
  return refused;
}

std::string TForm1::ApplyAdvancedSettings(const TAdvancedSettings& settings) {
  const TClickKeys current = FController.ClickKeys();
  if (settings.Keys != current) {
    HotKeyManager->ClearHotKeys();
    FController.SetClickKeys(settings.Keys);
    const std::vector<TShortCut> refused = RegisterClickHotKeys();
    if (!refused.empty()) {
      HotKeyManager->ClearHotKeys();
      FController.SetClickKeys(current);
      (void)RegisterClickHotKeys();
      return ShortCutText(refused.front()) +
             " はほかのプログラムが使っているため登録できません。別のキーを選んでください。";
    }
  }
  return {};
}

void TForm1::SaveAdvancedSettings() {
  bool first = false;
  AutoSave->LoadKeys([&](TIniFile& ini, const std::string& section) {
    first = !ini.ValueExists(section, Name() + "Top");
  });
  if (first) {
    SaveSettings();
    return;
  }
  AutoSave->SaveKeys([this](TIniFile& ini, const std::string& section) {
    WriteAdvancedSettings(ini, section, AdvancedForm->Applied());
  });
}

void TForm1::FormCloseQuery(bool& canClose) {
  // The close box on the shown window only hides it; a close of the hidden form (exit, end
  // of session) saves.
  canClose = !Visible();
  Hide();
  if (canClose) SaveSettings();
}

// The program ends here: nothing it pressed may stay down (a Ctrl held by the lock would turn
// the user's next click into a Ctrl+click), and no worker may run on into the teardown.
void TForm1::FormClose() {
  FController.Shutdown();
  HotKeyManager->ClearHotKeys();
}

void TForm1::Button1Click() {
  Hide();
  SaveSettings();  // a failure is shown and passed on: the button choice stays as it was
  FController.ApplyButtonChoice();
}

void TForm1::Button2Click() {
  Hide();
  LoadSettings();
}

void TForm1::TakeFieldValues() {
  (void)IntTime->TakeValue();
  (void)ChkDot->TakeValue();
}

void TForm1::SaveSettings() {
  TakeFieldValues();
  AutoSave->SaveIni();
}

void TForm1::LoadSettings() {
  AutoSave->LoadIni();
  TakeFieldValues();
}

// A failed save is shown, then the user chooses: end without saving, or keep the program
// running (the settings file may be in a folder the user cannot write; without the choice
// nothing but the Task Manager would end the program).
void TForm1::Close() {
  bool canClose = true;
  try {
    FormCloseQuery(canClose);
  } catch (...) {
    FApplication.HandleException(std::current_exception());
    if (FSystem.Windows.ShowMessageBox(FApplication.MessageBoxOwner(), ExitWithoutSavingQuestion,
                                       FApplication.Title(),
                                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
      return;
  }
  if (!canClose) return;
  FormClose();
  FApplication.Terminate();
}

void TForm1::HotKeyManagerHotKeyPressed(TShortCut hotKey, std::uint16_t /*index*/) {
  FController.HotKeyPressed(hotKey);
}

void TForm1::acLockCtrlExecute() {
  acLockCtrl->SetChecked(!acLockCtrl->Checked());
  acLockCtrl->SetImageIndex(FCtrlImageBase + (acLockCtrl->Checked() ? 1 : 0));
}

void TForm1::acLockShiftExecute() {
  acLockShift->SetChecked(!acLockShift->Checked());
  acLockShift->SetImageIndex(FShiftImageBase + (acLockShift->Checked() ? 1 : 0));
}

void TForm1::acSetupViewExecute() { Show(); }

void TForm1::acAdvancedViewExecute() { AdvancedForm->ShowAt(Left(), Top()); }

// The shell's answer is its own to show: a missing help file is reported by the shell, or not
// at all.
void TForm1::acHelpViewExecute() {
  FSystem.Shell.RunShellVerb(Handle(), "OPEN", FApplication.HelpFile, "", "", SW_SHOW);
}

void TForm1::acWebLinkExecute() {
  FSystem.Shell.RunShellVerb(Handle(), "OPEN", MakerWebAddress, "", "", SW_SHOW);
}

// A message box has a message loop of its own, which serves the hotkeys while it is open.
void TForm1::acVerInfoExecute() {
  const TClickKeys& keys = FController.ClickKeys();
  const std::string text = std::string(MakerNotice) + "\r\n\r\n" +
                           GetVersionItem(FSystem.Environment, FSystem.Process.ModuleFileName(), 2) +
                           "\r\n\r\n開始キー: " + ShortCutText(keys.Start) + "　停止キー: " +
                           ShortCutText(keys.Stop) + "\r\n(詳細設定で変更できます)";
  FSystem.Windows.ShowMessageBox(Handle(), text, "情報", MB_OK | MB_ICONINFORMATION);
}

// The close comes as a message, after the menu and the tray callback that opened it have
// returned: nothing of theirs is used once the components are gone.
void TForm1::acExitExecute() {
  Hide();
  (void)FSystem.Windows.PostMessageTo(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::TrayIconMouseDown(TMouseButton button, TShiftState, std::int32_t x, std::int32_t y) {
  FTrayPos = {x, y};
  if (button == TMouseButton::mbMiddle) acSetupViewExecute();
}

void TForm1::TrayIconClick() {
  FSystem.Windows.SetForegroundWindow(Handle());
  MenuL->PopupAt(FTrayPos);
}

TLResult TForm1::WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (window != Handle()) return TCustomForm::WndProc(window, msg, wParam, lParam);
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      // The session may always end: the settings are saved if they can be, without a box
      // (the system does not wait for one), and a program that cannot save never blocks
      // the user's sign-out or shutdown.
      Hide();
      TakeFieldValues();
      (void)AutoSave->SaveIniQuietly();
      return 1;
    case ClickLimitMessage:
      FController.LimitReached(static_cast<std::uintptr_t>(wParam));
      return 0;
    case WM_ENDSESSION:
      // The session ends now (the system may end the process as soon as this returns):
      // release everything, then end as a close does, without asking or saving again.
      if (wParam) {
        FormClose();
        FApplication.Terminate();
      }
      return 0;
    default:
      return TCustomForm::WndProc(window, msg, wParam, lParam);
  }
}
