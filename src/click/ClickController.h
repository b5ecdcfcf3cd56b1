// The click controller: turns the program's hotkeys into clicking. It starts and stops the
// click worker, holds Ctrl and Shift down while the key locks are on, captures and forgets
// the fixed click point, switches the tray animation, and stops a worker that reached its
// click limit as the stop key would. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "click/ClickKeys.h"
#include "click/ClickThread.h"
#include "click/ElevationCheck.h"
#include "platform/System.h"

// The live option values, read at the moment clicking starts.
class IClickOptions {
public:
  virtual ~IClickOptions() = default;
  virtual int ButtonChoice() const = 0;     // 0 left, 1 right, 2 middle; anything else: no change
  virtual bool CtrlLock() const = 0;
  virtual bool ShiftLock() const = 0;
  virtual bool LockAndClick() const = 0;    // click also while a key lock is on
  virtual std::int32_t Interval() const = 0;
  virtual int PriorityChoice() const = 0;
  virtual bool AutoStop() const = 0;
  virtual std::int32_t Tolerance() const = 0;
  // Clicks after which a start of clicking stops by itself; 0: none.
  virtual std::int32_t ClickLimit() const { return 0; }
};

// The tray icon as clicking uses it: its animation switch and its warning balloon.
class ITrayAnimation {
public:
  virtual ~ITrayAnimation() = default;
  virtual void SetCycleIcons(bool on) = 0;
  virtual void SetIconIndex(int index) = 0;
  virtual void ShowWarning(const std::string& text) = 0;
};

class TClickController {
public:
  TClickController(TSystem& system, const IClickOptions& options, ITrayAnimation& tray);
  // Shuts down: the workers use the input and clock ports, which may go right after us.
  ~TClickController();
  TClickController(const TClickController&) = delete;
  TClickController& operator=(const TClickController&) = delete;

  void StartClick();
  void StopClick();
  void SetFixPoint();
  void ClearFixPoint();
  void ApplyButtonChoice();
  // The start and stop keys; the hotkeys are made of them (ClickHotKeyTable).
  const TClickKeys& ClickKeys() const { return FKeys; }
  void SetClickKeys(const TClickKeys& keys);
  const std::vector<TClickHotKey>& HotKeyTable() const { return FTable; }
  // Serves one press of a registered hotkey; codes not in the table are ignored.
  void HotKeyPressed(TShortCut code);
  // Where a worker that reached its click limit says so (posted, from its thread): message
  // on window, with the start's serial number in wParam.
  void SetLimitNotice(TWnd window, std::uint32_t message);
  // That notice, on the main thread: the start it names stops as the stop key would stop
  // it; a notice of an earlier start (stopped and started again since) does nothing.
  void LimitReached(std::uintptr_t serial);
  // The program's end: stops every worker that may still run and waits until each has
  // ended (a press under way ends with its release), then releases the keys the locks hold
  // down. Leaves nothing pressed, and no thread that could outlive the ports it uses.
  void Shutdown() noexcept;

  const std::shared_ptr<AutoClicker>& Clicker() const { return FClicker; }
  bool UseFixPoint() const { return FUseFixPoint; }
  void ForgetFixPoint() { FUseFixPoint = false; }
  TPoint FixPoint() const { return FFixPoint; }
  std::uint32_t DownFlag() const { return FDownFlag; }
  std::uint32_t UpFlag() const { return FUpFlag; }

private:
  void Press(std::uint8_t vk, bool& held);
  void Release(std::uint8_t vk, bool& held);

  TSystem& FSystem;
  const IClickOptions& FOptions;
  ITrayAnimation& FTray;
  TElevationCheck FElevation;

  std::shared_ptr<AutoClicker> FClicker;
  // Stopped workers that may still be finishing a cycle; pruned on every stop.
  std::vector<std::shared_ptr<AutoClicker>> FStopping;
  bool FCtrlHeld = false;   // a key-down the locks sent and no key-up has followed yet
  bool FShiftHeld = false;
  bool FUseFixPoint = false;
  TPoint FFixPoint;
  std::uint32_t FDownFlag = 0;
  std::uint32_t FUpFlag = 0;
  TClickKeys FKeys;
  std::vector<TClickHotKey> FTable = ClickHotKeyTable(FKeys);
  TWnd FNoticeWindow = 0;
  std::uint32_t FNoticeMessage = 0;
  std::uintptr_t FStartSerial = 0;
};
