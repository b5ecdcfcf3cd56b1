#include "click/ClickController.h"

#include <algorithm>

using namespace win;

TClickController::TClickController(TSystem& system, const IClickOptions& options,
                                   ITrayAnimation& tray)
    : FSystem(system), FOptions(options), FTray(tray), FElevation(system) {}

TClickController::~TClickController() { Shutdown(); }

void TClickController::StartClick() {
  // The target is told of before anything goes out; clicking starts all the same.
  TPoint at = FFixPoint;
  if (!FUseFixPoint && !FSystem.Input.GetCursorPos(at)) at = {};
  if (FElevation.ShouldWarn(at)) FTray.ShowWarning(ElevatedTargetWarning);
  const bool ctrl = FOptions.CtrlLock();
  const bool shift = FOptions.ShiftLock();
  if (ctrl) Press(VK_CONTROL, FCtrlHeld);
  if (shift) Press(VK_SHIFT, FShiftHeld);
  if ((ctrl || shift) && !FOptions.LockAndClick()) return;  // keys held, nothing clicks
  if (FClicker) return;                                      // one worker at a time

  TClickerSettings s;
  s.Interval = FOptions.Interval();
  s.PriorityChoice = FOptions.PriorityChoice();
  s.UpFlag = FUpFlag;
  s.DownFlag = FDownFlag;
  s.AutoStop = FOptions.AutoStop();
  s.UseFixPoint = FUseFixPoint;
  s.FixPoint = FFixPoint;
  s.Tolerance = FOptions.Tolerance();
  s.StopKey = FKeys.Stop;
  s.ClickLimit = FOptions.ClickLimit();
  const std::uintptr_t serial = ++FStartSerial;
  if (s.ClickLimit > 0 && FNoticeWindow)
    s.OnLimitReached = [&windows = FSystem.Windows, window = FNoticeWindow, message = FNoticeMessage, serial] {
      // A full queue loses the notice: the worker has ended all the same, only the tray
      // keeps animating until the stop key.
      (void)windows.PostMessageTo(window, message, serial, 0);
    };
  FClicker = AutoClicker::Create(FSystem.Threads, FSystem.Input, FSystem.Clock, s);
  FTray.SetCycleIcons(true);
}

void TClickController::StopClick() {
  // Key-ups go out whenever a lock is on, worker or not: End is how a user frees held keys.
  if (FOptions.CtrlLock()) Release(VK_CONTROL, FCtrlHeld);
  if (FOptions.ShiftLock()) Release(VK_SHIFT, FShiftHeld);
  if (!FClicker) return;
  // A worker that ended by itself is still alive through our share: the request is harmless.
  FClicker->Terminate();
  std::erase_if(FStopping, [](const auto& w) { return w->Finished(); });
  FStopping.push_back(std::move(FClicker));  // leaves FClicker empty
  FTray.SetCycleIcons(false);
  FTray.SetIconIndex(0);
}

void TClickController::Press(std::uint8_t vk, bool& held) {
  FSystem.Input.keybd_event(vk, 0, 0, 0);
  held = true;
}

void TClickController::Release(std::uint8_t vk, bool& held) {
  FSystem.Input.keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
  held = false;
}

void TClickController::Shutdown() noexcept {
  if (FClicker) FStopping.push_back(std::move(FClicker));  // leaves FClicker empty
  for (const auto& worker : FStopping) worker->Terminate();
  // No time limit: a worker's cycle past the request is at most the 20 ms hold.
  for (const auto& worker : FStopping) (void)worker->WaitFor(INFINITE);
  FStopping.clear();
  if (FCtrlHeld) Release(VK_CONTROL, FCtrlHeld);
  if (FShiftHeld) Release(VK_SHIFT, FShiftHeld);
}

void TClickController::SetFixPoint() {
  TPoint p = FFixPoint;
  // Where the cursor cannot be read (another desktop is active) the point stays as it was.
  (void)FSystem.Input.GetCursorPos(p);
  FFixPoint = p;
  FUseFixPoint = true;
}

void TClickController::ClearFixPoint() {
  FUseFixPoint = false;
  if (FOptions.ShiftLock()) StopClick();
}

void TClickController::ApplyButtonChoice() {
  switch (FOptions.ButtonChoice()) {
    case 0: FDownFlag = MOUSEEVENTF_LEFTDOWN; FUpFlag = MOUSEEVENTF_LEFTUP; break;
    case 1: FDownFlag = MOUSEEVENTF_RIGHTDOWN; FUpFlag = MOUSEEVENTF_RIGHTUP; break;
    case 2: FDownFlag = MOUSEEVENTF_MIDDLEDOWN; FUpFlag = MOUSEEVENTF_MIDDLEUP; break;
    default: break;
  }
}

void TClickController::SetClickKeys(const TClickKeys& keys) {
  FKeys = keys;
  FTable = ClickHotKeyTable(keys);
}

void TClickController::HotKeyPressed(TShortCut code) {
  const auto row = std::find_if(FTable.begin(), FTable.end(), [code](const TClickHotKey& r) { return r.Code == code; });
  if (row == FTable.end()) return;
  switch (row->Action) {
    case TClickAction::Start: StartClick(); break;
    case TClickAction::Pin: SetFixPoint(); break;
    case TClickAction::PinUnderCtrlLock: if (FOptions.CtrlLock()) SetFixPoint(); break;
    case TClickAction::Stop: StopClick(); break;
    case TClickAction::Release: ClearFixPoint(); break;
    case TClickAction::StopUnderCtrlLock: if (FOptions.CtrlLock()) StopClick(); break;
    case TClickAction::ReleaseUnderCtrlLock: if (FOptions.CtrlLock()) ClearFixPoint(); break;
  }
}

void TClickController::SetLimitNotice(TWnd window, std::uint32_t message) {
  FNoticeWindow = window;
  FNoticeMessage = message;
}

void TClickController::LimitReached(std::uintptr_t serial) {
  if (serial == FStartSerial && FClicker) StopClick();
}
