// TTrayIcon: a component that keeps one icon in the shell's notification area. It adds,
// changes and removes the icon, shows its hint as the tooltip, animates it through the
// images of an image list, turns the shell's mouse callbacks into events with the cursor
// position and the modifier keys, tells a click from a double-click, opens a popup menu at
// the cursor, and puts the icon back when the taskbar is re-created.
//
// All tray icons of a program share one hidden window that the shell calls back on; its
// ids come from the window's slot table (SharedMessageWindow.h), because the shell carries
// an icon's id back in 32 bits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Component.h"
#include "framework/ControlEvents.h"
#include "framework/SharedMessageWindow.h"
#include "framework/SubclassHook.h"
#include "framework/CustomPopupMenu.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "tray/SimpleTimer.h"

using TCycleEvent = std::function<void(TComponent* Sender, std::int32_t NextIndex)>;
using TStartupEvent = std::function<void(TComponent* Sender, bool& ShowMainForm)>;

// The window message the shell calls every icon back with (WM_USER + 0x400).
constexpr std::uint32_t TrayCallbackMessage = 0x0800;

class TTrayIcon;

// The tray's state for one program (a test makes its own). Made at start, before any form:
// it reads the common-controls version once and, from version 4.71 on, registers the
// shell's "TaskbarCreated" message. It holds the shared tray window while any icon lives,
// and the simple timers' unit. Destroying it is the program's end.
class TTrayIconUnit {
public:
  // The class of the shared window the shell calls back on.
  static constexpr const char* WindowClassName = "TTrayIconWindow";

  explicit TTrayIconUnit(TSystem& system);
  TTrayIconUnit(const TTrayIconUnit&) = delete;
  TTrayIconUnit& operator=(const TTrayIconUnit&) = delete;

  TSystem& System() const { return FSystem; }
  TSimpleTimerUnit& Timers() { return FTimers; }
  TSharedMessageWindow<TTrayIcon>& SharedWindow() { return FWindow; }
  // major × 65536 + minor of "comctl32.dll", or -1 when it could not be read.
  std::int32_t CommonControlsVersion() const { return FCommonControlsVersion; }
  // 0 when not registered: then nothing puts an icon back after a shell restart.
  std::uint32_t TaskbarCreatedMessage() const { return FTaskbarCreatedMessage; }

private:
  TSystem& FSystem;
  TSimpleTimerUnit FTimers;
  std::int32_t FCommonControlsVersion = -1;
  std::uint32_t FTaskbarCreatedMessage = 0;
  TSharedMessageWindow<TTrayIcon> FWindow;
};

// The fixed file version of a file as major × 65536 + minor; -1 when it has none.
std::int32_t ReadFileVersionMS(IEnvironment& environment, const std::string& path);

class TTrayIcon : public TComponent {
public:
  // ownerWindow: the owner's window when the owner is a window control (it is subclassed
  // so that showing it brings it to the front), else 0.
  TTrayIcon(TComponent* owner, std::string name, TTrayIconUnit& unit, TApplication& application,
            TWnd ownerWindow);
  ~TTrayIcon() override;

  // Published properties, in their declared order. DesignPreview acts only where a form
  // designer hosts the component; this program has none, so it is a stored value.
  bool DesignPreview() const { return FDesignPreview; }
  void SetDesignPreview(bool value);
  TImageList* IconList() const { return FIconList; }
  void SetIconList(TImageList* value);
  bool CycleIcons() const { return FCycleIcons; }
  void SetCycleIcons(bool value);
  std::uint32_t CycleInterval() const { return FCycleInterval; }
  void SetCycleInterval(std::uint32_t value);
  bool Enabled = true;  // false: mouse callbacks are ignored
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  TIcon& Icon() { return *FIcon; }
  void SetIcon(const TIcon& value);
  bool IconVisible() const { return FIconVisible; }
  void SetIconVisible(bool value);
  std::int32_t IconIndex() const { return FIconIndex; }
  void SetIconIndex(std::int32_t value);
  TCustomPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TCustomPopupMenu* value);
  bool LeftPopup = false;  // the left button opens PopupMenu too
  bool WantEnterExitEvents() const { return FWantEnterExitEvents; }
  void SetWantEnterExitEvents(bool value);
  bool MinimizeToTray = false;

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter, OnMouseExit;
  TCycleEvent OnCycle;
  // Balloon events carry the component as Sender.
  TNotifyEvent OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // Unpublished: true asks the shell for version 3 callbacks (NIM_SETVERSION).
  bool UseVersion5Notify() const { return FUseVersion5Notify; }
  void SetUseVersion5Notify(bool value);

  void Loaded() override;

  // A balloon from the icon (NIF_INFO): a title, a text and its icon (NIIF_*); the record
  // the icon keeps for its next updates carries none of it. Whether the shell took it.
  bool ShowBalloonHint(const std::string& title, const std::string& text, std::uint32_t infoFlags);
  // Each returns whether the shell took the call; no caller acts on it.
  virtual bool AddToTray();
  virtual bool RemoveFromTray();
  virtual bool UpdateInTray();

  // The id the shell knows the icon by, and the record it was last given.
  std::uint32_t TrayId() const { return FTrayId; }
  const TNotifyIconData& NotifyRecord() const { return FNotifyRecord; }

protected:
  virtual void RaiseClick();
  virtual void RaiseDblClick();
  virtual void RaiseCycle();
  virtual void RaiseMouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  virtual void RaiseMouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  virtual void RaiseMouseMove(TShiftState shift, std::int32_t x, std::int32_t y);
  virtual void RaiseMouseEnter();
  virtual void RaiseMouseExit();
  virtual void SendToTray();

  void Notification(TComponent& component) override;

private:
  friend class TTrayIconUnit;
  void HandleCallback(TLParam event);
  // The icon and the tooltip into the shell's record.
  void PrepareIconData();
  TShiftState CurrentShiftState();
  TPoint CursorPos();
  void CycleTick();
  void ClickDelayElapsed();
  void ExitPollTick();
  void OpenPopupMenu();
  void ApplicationHook(std::uint32_t msg, TWParam wParam);
  bool OwnerWindowProc(std::uint32_t msg, TWParam wParam, TLParam lParam);
  bool TryMinimizeToTray();
  void HideOwnerWindows();
  void HideAppWindow();

  TTrayIconUnit& FUnit;
  TSystem& FSystem;
  TApplication& FApplication;
  TWnd FOwnerWindow;

  bool FDesignPreview = false;
  TImageList* FIconList = nullptr;
  bool FCycleIcons = false;
  std::uint32_t FCycleInterval = 0;
  std::string FHint;
  bool FShowHint = true;
  bool FIconVisible = false;
  std::int32_t FIconIndex = 0;
  TCustomPopupMenu* FPopupMenu = nullptr;
  bool FWantEnterExitEvents = false;
  bool FUseVersion5Notify = false;

  std::uint32_t FTrayId = 0;
  TNotifyIconData FNotifyRecord;
  std::optional<TIcon> FIcon;
  std::optional<TSimpleTimer> FAnimTimer, FClickDelayTimer, FExitPollTimer;
  bool FLeftDown = false;
  bool FClickWaiting = false;
  bool FDoubleSeen = false;
  bool FCursorAway = true;
  TPoint FLastTrayPos;
  // While above 0, updates of the tray are gathered into one at the end (TUpdateBatch).
  int FUpdateBatch = 0;
  bool FUpdatePending = false;
  friend class TUpdateBatch;
  // The application window's messages, only listened to; the owner window's, of which a few
  // go no further.
  std::optional<TListeningHook> FAppHook;
  std::optional<TSubclassHook> FOwnerHook;
};
