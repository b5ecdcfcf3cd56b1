#include "tray/TrayIcon.h"

#include <cstring>

#include "framework/WindowParams.h"

using namespace win;

namespace {
// Versions above 4.70 re-create their taskbar with a "TaskbarCreated" broadcast.
constexpr std::int32_t LastVersionWithoutTaskbarCreated = 0x00040046;  // 4.70
constexpr std::uint32_t VsFixedFileInfoSignature = 0xFEEF04BD;
}  // namespace

std::int32_t ReadFileVersionMS(IEnvironment& environment, const std::string& path) {
  std::vector<std::uint8_t> block;
  std::string fixed;
  if (!environment.GetFileVersionBlock(path, block) ||
      !environment.QueryVersionValue(block, "\\", fixed) || fixed.size() < 12)
    return -1;
  // VS_FIXEDFILEINFO: dwSignature, dwStrucVersion, dwFileVersionMS (major << 16 | minor).
  std::uint32_t signature = 0, versionMS = 0;
  std::memcpy(&signature, fixed.data(), 4);
  std::memcpy(&versionMS, fixed.data() + 8, 4);
  if (signature != VsFixedFileInfoSignature) return -1;
  return static_cast<std::int32_t>(versionMS);
}

// ---- the unit and the shared window -----------------------------------------------------

TTrayIconUnit::TTrayIconUnit(TSystem& system)
    : FSystem(system),
      FTimers(system.Windows),
      FWindow(system.Windows, WindowClassName, "Cannot create the tray window",
              [this](std::uint32_t msg, TWParam wParam, TLParam lParam) -> std::optional<TLResult> {
                switch (msg) {
                  case TrayCallbackMessage:
                    // A callback for an icon that is gone (queued before it went) finds an
                    // empty slot.
                    if (TTrayIcon* icon = FWindow.Find(wParam)) icon->HandleCallback(lParam);
                    return 0;
                  case WM_QUERYENDSESSION:
                  case WM_ENDSESSION:
                    return 1;
                  // Nobody closes or destroys the shared window but its owner.
                  case WM_CLOSE:
                  case WM_QUIT:
                  case WM_DESTROY:
                  case WM_NCDESTROY:
                    return 1;
                  default:
                    return std::nullopt;
                }
              }) {
  FCommonControlsVersion = ReadFileVersionMS(system.Environment, "comctl32.dll");
  if (FCommonControlsVersion > LastVersionWithoutTaskbarCreated)
    FTaskbarCreatedMessage = system.Windows.RegisterMessageName("TaskbarCreated");
}

// ---- construction and destruction -----------------------------------------------------

TTrayIcon::TTrayIcon(TComponent* owner, std::string name, TTrayIconUnit& unit,
                     TApplication& application, TWnd ownerWindow)
    : TComponent(owner, std::move(name)),
      FUnit(unit),
      FSystem(unit.System()),
      FApplication(application),
      FOwnerWindow(ownerWindow) {
  FTrayId = FUnit.SharedWindow().Join(*this);

  FIcon.emplace(FSystem.Icons);
  FIcon->OnChange = [this] { UpdateInTray(); };

  FNotifyRecord.cbSize = TNotifyIconData::SystemSize;
  FNotifyRecord.hWnd = FUnit.SharedWindow().Window();
  FNotifyRecord.uID = FTrayId;
  FNotifyRecord.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FNotifyRecord.uCallbackMessage = TrayCallbackMessage;

  FAnimTimer.emplace(FUnit.Timers(), 1000, [this](TSimpleTimer&) { CycleTick(); });
  FClickDelayTimer.emplace(FUnit.Timers(), 1000, [this](TSimpleTimer&) { ClickDelayElapsed(); });
  FExitPollTimer.emplace(FUnit.Timers(), 20, [this](TSimpleTimer&) { ExitPollTick(); });


  FAppHook.emplace(FSystem.Windows, FApplication.Handle(),
                   [this](std::uint32_t msg, TWParam wParam, TLParam) { ApplicationHook(msg, wParam); });
  if (FOwnerWindow)
    FOwnerHook.emplace(FSystem.Windows, FOwnerWindow,
                       [this](TWnd, std::uint32_t msg, TWParam wParam, TLParam lParam) -> std::optional<TLResult> {
                         if (OwnerWindowProc(msg, wParam, lParam)) return 1;
                         return std::nullopt;
                       });
}

TTrayIcon::~TTrayIcon() {
  try {
    SetIconVisible(false);
    FAnimTimer.reset();
    FClickDelayTimer.reset();
    FExitPollTimer.reset();
    FIcon.reset();
  } catch (...) {
    // nothing may stop the unhooking below
  }
  // Only our own subclasses go, so the order in which hooks of one window are removed does
  // not matter.
  FAppHook.reset();
  FOwnerHook.reset();
  FUnit.SharedWindow().Leave(FTrayId);
}

void TTrayIcon::Loaded() {
  TComponent::Loaded();
  if (FOwnerWindow) {
    bool showMainForm = true;
    if (OnStartup) OnStartup(this, showMainForm);
    if (!showMainForm) {
      FApplication.ShowMainForm = false;
      HideOwnerWindows();
    }
  }
  UpdateInTray();
  // Applied again with their values: the icon is in the tray already (this add fails
  // harmlessly), the timers follow their switches, and the shell learns the callback version.
  SetIconVisible(FIconVisible);
  SetCycleIcons(FCycleIcons);
  SetWantEnterExitEvents(FWantEnterExitEvents);
  SetUseVersion5Notify(FUseVersion5Notify);
}

void TTrayIcon::Notification(TComponent& component) {
  TComponent::Notification(component);
  if (&component == FIconList) {
    // The icon keeps the last picture it took from the list.
    FIconList = nullptr;
    FIconIndex = 0;
  }
  if (&component == FPopupMenu) FPopupMenu = nullptr;
}

// ---- properties -------------------------------------------------------------------------

void TTrayIcon::SetDesignPreview(bool value) { FDesignPreview = value; }

void TTrayIcon::SetIconList(TImageList* value) {
  if (FIconList && FIconList != value) RemoveFreeNotification(*FIconList);
  FIconList = value;
  if (FIconList) FreeNotification(*FIconList);
  SetIconIndex(0);
}

void TTrayIcon::SetCycleIcons(bool value) {
  FCycleIcons = value;
  if (value) {
    SetIconIndex(0);
    FAnimTimer->SetInterval(FCycleInterval);
    FAnimTimer->SetEnabled(true);
  } else {
    FAnimTimer->SetEnabled(false);
  }
}

void TTrayIcon::SetCycleInterval(std::uint32_t value) {
  FCycleInterval = value;
  SetCycleIcons(FCycleIcons);
}

void TTrayIcon::SetHint(const std::string& value) {
  FHint = value;
  UpdateInTray();
}

void TTrayIcon::SetShowHint(bool value) {
  FShowHint = value;
  UpdateInTray();
}

void TTrayIcon::SetIcon(const TIcon& value) {
  FIcon->Assign(value);
  UpdateInTray();
}

void TTrayIcon::SetIconVisible(bool value) {
  if (value)
    AddToTray();
  else
    RemoveFromTray();
}

// Gathers the tray updates of one change into a single NIM_MODIFY. Under Wine every call is
// a round trip to the tray's process, and an animation step would otherwise send the same
// picture up to three times.
class TUpdateBatch {
public:
  explicit TUpdateBatch(TTrayIcon& icon) : FIcon(icon) { ++FIcon.FUpdateBatch; }
  ~TUpdateBatch() {
    if (--FIcon.FUpdateBatch == 0 && FIcon.FUpdatePending) {
      FIcon.FUpdatePending = false;
      FIcon.UpdateInTray();
    }
  }
  TUpdateBatch(const TUpdateBatch&) = delete;
  TUpdateBatch& operator=(const TUpdateBatch&) = delete;

private:
  TTrayIcon& FIcon;
};

void TTrayIcon::SetIconIndex(std::int32_t value) {
  TUpdateBatch batch(*this);
  if (FIconList) {
    FIconIndex = value;
    if (value >= FIconList->Count()) FIconIndex = FIconList->Count() - 1;
    FIconList->GetIcon(FIconIndex, *FIcon);
  } else {
    FIconIndex = 0;
  }
  UpdateInTray();
}

void TTrayIcon::SetPopupMenu(TCustomPopupMenu* value) {
  if (FPopupMenu && FPopupMenu != value) RemoveFreeNotification(*FPopupMenu);
  FPopupMenu = value;
  if (FPopupMenu) FreeNotification(*FPopupMenu);
}

void TTrayIcon::SetWantEnterExitEvents(bool value) {
  FWantEnterExitEvents = value;
  FExitPollTimer->SetEnabled(value);
}

void TTrayIcon::SetUseVersion5Notify(bool value) {
  FUseVersion5Notify = value;
  FNotifyRecord.uVersion = value ? NOTIFYICON_VERSION : 0;
  // Refused while the icon is not in the tray or no taskbar runs: there is no one to tell.
  (void)FSystem.Shell.NotifyIcon(NIM_SETVERSION, FNotifyRecord);
}

// ---- the shell --------------------------------------------------------------------------

void TTrayIcon::PrepareIconData() {
  FNotifyRecord.hIcon = FIcon ? FIcon->Handle() : 0;
  // The tooltip buffer holds 127 bytes of the system's text and its terminating null.
  FNotifyRecord.szTip =
      !FHint.empty() && FShowHint ? FSystem.Shell.CutToSystemBytes(FHint, 127) : std::string();
}

bool TTrayIcon::AddToTray() {
  FIconVisible = true;
  PrepareIconData();
  return FSystem.Shell.NotifyIcon(NIM_ADD, FNotifyRecord);
}

bool TTrayIcon::RemoveFromTray() {
  FIconVisible = false;
  PrepareIconData();
  return FSystem.Shell.NotifyIcon(NIM_DELETE, FNotifyRecord);
}

bool TTrayIcon::ShowBalloonHint(const std::string& title, const std::string& text, std::uint32_t infoFlags) {
  PrepareIconData();
  TNotifyIconData record = FNotifyRecord;
  record.uFlags |= NIF_INFO;
  record.szInfoTitle = title;
  record.szInfo = text;
  record.dwInfoFlags = infoFlags;
  return FSystem.Shell.NotifyIcon(NIM_MODIFY, record);
}

bool TTrayIcon::UpdateInTray() {
  if (FUpdateBatch > 0) {
    FUpdatePending = true;
    return true;
  }
  PrepareIconData();
  return FSystem.Shell.NotifyIcon(NIM_MODIFY, FNotifyRecord);
}

// ---- animation and timers ---------------------------------------------------------------

void TTrayIcon::CycleTick() {
  if (!FIconList) return;
  TUpdateBatch batch(*this);
  FIconList->GetIcon(FIconIndex, *FIcon);
  RaiseCycle();
  SetIconIndex(FIconIndex < FIconList->Count() - 1 ? FIconIndex + 1 : 0);
}

void TTrayIcon::RaiseCycle() {
  if (!OnCycle || !FIconList) return;
  OnCycle(this, FIconIndex < FIconList->Count() - 1 ? FIconIndex + 1 : 0);
}

void TTrayIcon::ClickDelayElapsed() {
  FClickDelayTimer->SetEnabled(false);
  if (!FDoubleSeen && FClickWaiting) {
    FClickWaiting = false;
    RaiseClick();
  }
  FDoubleSeen = false;
}

void TTrayIcon::ExitPollTick() {
  if (FCursorAway) return;
  TPoint pos;
  if (!FSystem.Input.GetCursorPos(pos)) return;
  if (pos.x != FLastTrayPos.x || pos.y != FLastTrayPos.y) {
    FCursorAway = true;
    RaiseMouseExit();
  }
}

// ---- callbacks --------------------------------------------------------------------------

TShiftState TTrayIcon::CurrentShiftState() {
  TShiftState shift = 0;
  if (FSystem.Input.GetAsyncKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (FSystem.Input.GetAsyncKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (FSystem.Input.GetAsyncKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// Where the cursor is now: the callback carries no position of its own.
TPoint TTrayIcon::CursorPos() {
  TPoint pos;
  if (!FSystem.Input.GetCursorPos(pos)) pos = {};
  return pos;
}

void TTrayIcon::HandleCallback(TLParam event) {
  const auto message = static_cast<std::uint32_t>(event);
  switch (message) {
    case WM_MOUSEMOVE: {
      if (!Enabled) return;
      if (FWantEnterExitEvents && FCursorAway) {
        RaiseMouseEnter();
        FCursorAway = false;
      }
      const TPoint pos = CursorPos();
      RaiseMouseMove(CurrentShiftState(), pos.x, pos.y);
      FLastTrayPos = pos;
      return;
    }
    case WM_LBUTTONDOWN: {
      if (!Enabled) return;
      if (OnDblClick) {
        FClickDelayTimer->SetInterval(FSystem.Input.GetDoubleClickTime());
        FClickDelayTimer->SetEnabled(true);
      }
      const TPoint pos = CursorPos();
      RaiseMouseDown(TMouseButton::mbLeft, CurrentShiftState() | ssLeft, pos.x, pos.y);
      FLeftDown = true;
      if (LeftPopup) OpenPopupMenu();
      return;
    }
    case WM_LBUTTONUP: {
      if (!Enabled) return;
      if (FLeftDown) FClickWaiting = true;
      if (FLeftDown && !FClickDelayTimer->Enabled()) {
        FLeftDown = false;
        FClickWaiting = false;
        RaiseClick();
      }
      FLeftDown = false;
      const TPoint pos = CursorPos();
      RaiseMouseUp(TMouseButton::mbLeft, CurrentShiftState() | ssLeft, pos.x, pos.y);
      return;
    }
    case WM_LBUTTONDBLCLK:
      if (!Enabled) return;
      FClickWaiting = false;
      FDoubleSeen = true;
      RaiseDblClick();
      if (FPopupMenu && FPopupMenu->AutoPopup && !LeftPopup)
        for (std::size_t i = 0; i < FPopupMenu->TopItemCount(); ++i)
          if (FPopupMenu->IsDefaultItem(i)) {
            FPopupMenu->ClickItem(i);
            break;
          }
      return;
    case WM_RBUTTONDOWN: {
      if (!Enabled) return;
      const TPoint pos = CursorPos();
      RaiseMouseDown(TMouseButton::mbRight, CurrentShiftState() | ssRight, pos.x, pos.y);
      OpenPopupMenu();
      return;
    }
    case WM_RBUTTONUP: {
      if (!Enabled || FUseVersion5Notify) return;
      const TPoint pos = CursorPos();
      RaiseMouseUp(TMouseButton::mbRight, CurrentShiftState() | ssRight, pos.x, pos.y);
      return;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
      if (!Enabled) return;
      const TPoint pos = CursorPos();
      if (message == WM_MBUTTONDOWN)
        RaiseMouseDown(TMouseButton::mbMiddle, CurrentShiftState() | ssMiddle, pos.x, pos.y);
      else
        RaiseMouseUp(TMouseButton::mbMiddle, CurrentShiftState() | ssMiddle, pos.x, pos.y);
      return;
    }
    case WM_CONTEXTMENU:
    case NIN_SELECT:
    case NIN_KEYSELECT: {
      if (!Enabled || !FUseVersion5Notify) return;
      const TPoint pos = CursorPos();
      RaiseMouseUp(TMouseButton::mbRight, CurrentShiftState() | ssRight, pos.x, pos.y);
      return;
    }
    // Balloon events come also while the icon is disabled.
    case NIN_BALLOONSHOW:
      if (OnBalloonHintShow) OnBalloonHintShow(this);
      return;
    case NIN_BALLOONHIDE:
      if (OnBalloonHintHide) OnBalloonHintHide(this);
      return;
    case NIN_BALLOONTIMEOUT:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout(this);
      return;
    case NIN_BALLOONUSERCLICK:
      if (OnBalloonHintClick) OnBalloonHintClick(this);
      return;
    default:
      return;  // WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK and the rest
  }
}

void TTrayIcon::OpenPopupMenu() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup) return;
  TPoint at;
  if (!FSystem.Input.GetCursorPos(at)) return;
  // A menu opened by a window that is not in the foreground does not close when the user
  // clicks elsewhere; the messages that making it foreground causes are served first.
  FSystem.Windows.SetForegroundWindow(FApplication.Handle());
  FSystem.Windows.ProcessMessages();
  // Those messages may have destroyed the menu.
  if (!FPopupMenu) return;
  FPopupMenu->PopupComponent = this;
  FPopupMenu->PopupAt(at);
  // The task switch the menu caused completes only with a message to the owner.
  // Only a nudge: a full queue or a window gone has no task switch to complete.
  if (FOwnerWindow) (void)FSystem.Windows.PostMessageTo(FOwnerWindow, WM_NULL, 0, 0);
}

// ---- events -----------------------------------------------------------------------------

void TTrayIcon::RaiseClick() {
  if (OnClick) OnClick(this);
}

void TTrayIcon::RaiseDblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::RaiseMouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::RaiseMouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TTrayIcon::RaiseMouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TTrayIcon::RaiseMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TTrayIcon::RaiseMouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}

// ---- the application and owner windows --------------------------------------------------

void TTrayIcon::SendToTray() {
  HideOwnerWindows();
  SetIconVisible(true);
}

void TTrayIcon::HideOwnerWindows() {
  if (FOwnerWindow && FApplication.MainFormHandle) {
    FSystem.Windows.ShowWindow(FApplication.MainFormHandle, SW_HIDE);
    HideAppWindow();
  }
}

void TTrayIcon::HideAppWindow() {
  if (FSystem.Windows.IsWindowVisible(FApplication.Handle()))
    FSystem.Windows.ShowWindow(FApplication.Handle(), SW_HIDE);
}

bool TTrayIcon::TryMinimizeToTray() {
  if (!MinimizeToTray || !OnMinimizeToTray) return false;
  OnMinimizeToTray(this);
  SendToTray();
  return true;
}

void TTrayIcon::ApplicationHook(std::uint32_t msg, TWParam wParam) {
  if (msg == WM_SIZE && wParam == SIZE_MINIMIZED && MinimizeToTray) SendToTray();
  if (msg == WM_SYSCOMMAND && wParam == SC_RESTORE && FApplication.MainFormHandle)
    FSystem.Windows.ShowWindow(FApplication.MainFormHandle, SW_SHOW);
  // An unregistered message id is 0, which must not make WM_NULL re-add the icon.
  const std::uint32_t taskbarCreated = FUnit.TaskbarCreatedMessage();
  if (taskbarCreated != 0 && msg == taskbarCreated && FIconVisible) AddToTray();
}

// True when the message was handled here and goes no further.
bool TTrayIcon::OwnerWindowProc(std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (msg == WM_SHOWWINDOW && wParam == 1 && lParam == 0) {
    // A window shown from the tray comes up behind the active one unless the application
    // window is brought forward first.
    FSystem.Windows.SetForegroundWindow(FApplication.Handle());
    FSystem.Windows.SetForegroundWindow(FOwnerWindow);
    return false;
  }
  if ((msg == WM_SHOWWINDOW && wParam == 0 && lParam == SW_PARENTCLOSING &&
       !FApplication.Terminated()) ||
      (msg == WM_SYSCOMMAND && wParam == SC_MINIMIZE))
    return TryMinimizeToTray();
  return false;
}

