// The control model: controls with a parent, a tag and their state. A control keeps its
// state in its own fields while it has no window and in the window while it has one (text,
// bounds, check marks), taking it back when the window goes, so the settings store, the
// click controller and the tests work the same with or without windows.
// A windowed control's window has one lifecycle, written once in TWinControl: create
// parameters, creation (children after their parent, in the order they were added), the
// control bound to its window, notifications about a child reflected to the child, and
// destruction with the control.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/ControlEvents.h"
#include "framework/SubclassHook.h"
#include "platform/Drawing.h"
#include "platform/Environment.h"
#include "platform/Input.h"
#include "platform/Types.h"
#include "platform/Windowing.h"

class TWinControl;

class TControl : public TComponent {
public:
  using TComponent::TComponent;
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  void SetParent(TWinControl* parent);
  std::int32_t Tag = 0;
  virtual bool IsWindowed() const { return false; }

  TNotifyEvent OnClick;
  // The click notification: runs the bound action or the OnClick handler.
  virtual void Click();

private:
  TWinControl* FParent = nullptr;
};

// What a windowed control needs of the system to make and serve its window.
struct TControlPorts {
  IWindows& Windows;
  IInput& Input;
  IDrawing& Drawing;
  IEnvironment& Environment;
};

// A windowed control's create parameters.
struct TWinCreateParams : TCreateParams {
  // The class is the system's ("EDIT", "BUTTON", ...): the system's procedure serves the
  // window and the control sees every message first, as a subclass. Otherwise the class is
  // ours and the control is the window's procedure.
  bool SystemClass = false;
};

class TWinControl : public TControl {
public:
  // The control ids children get when their create parameters name none: clear of IDOK (1),
  // IDCANCEL (2) and the other ids the dialog manager gives a meaning.
  static constexpr std::uint32_t FirstChildId = 0x100;

  using TControl::TControl;
  ~TWinControl() override;
  bool IsWindowed() const override { return true; }
  // Windowless children first, then windowed ones, each in the order they were added.
  std::vector<TControl*> Controls() const;

  // Makes the window on parentWindow (0: a top-level window), bound to this control, then the
  // windows of the windowed children inside it in the order they were added, which is the
  // tab order and the z-order. Throws when a window cannot be made (nothing is left made).
  void CreateHandle(const TControlPorts& ports, TWnd parentWindow);
  // Destroys the window; the children's go with it. Also done by the control's destruction.
  void DestroyHandle();
  // Makes the window again with the current create parameters, keeping the focus on it.
  void RecreateWnd();
  TWnd Handle() const { return FHandle; }
  // The control id the window was made with (0 for a top-level window).
  std::uint32_t ControlId() const { return FId; }

  // In the parent's client area (a top-level window's: on the screen, with its frame); the
  // window's own while there is one. Setting them applies the control's size rule first
  // (ConstrainBounds).
  TRect BoundsRect() const;
  void SetBounds(const TRect& bounds);
  // The font the window shows (0: the parent's, or the system font); the caller keeps it
  // alive. A child without one of its own takes its parent's when its window is made.
  TFontHandle Font() const { return FFont; }
  void SetFont(TFontHandle font);

protected:
  // What the window is made of. The base gives a visible child of our class "TWinControl"
  // (clipping its siblings) at BoundsRect; a control fills in its own.
  virtual void CreateParams(TWinCreateParams& params) const;
  // Bounds about to be set, brought into the sizes the control accepts; the base takes any.
  virtual void ConstrainBounds(TRect& /*bounds*/) {}
  // The window exists (its children's not yet): the control sets it up and moves its state
  // into it.
  virtual void WindowCreated() {}
  // The children's windows exist too.
  virtual void ChildWindowsCreated() {}
  // The window is going (at its WM_DESTROY, while it still exists): the control takes its
  // state back out of it.
  virtual void WindowDestroying() {}
  // Every message of the window, also those that arrive while CreateHandle is making it.
  // The base reflects notifications about a child to that child's control and hands the rest
  // to DefaultHandler.
  virtual TLResult WndProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam);
  // A notification the parent received about this control (WM_COMMAND, WM_NOTIFY,
  // WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM): true when the control answered it, with the
  // answer in result; otherwise the parent's procedure handles it.
  virtual bool NotificationReflected(std::uint32_t msg, TWParam wParam, TLParam lParam,
                                     TLResult& result);
  // The procedure behind the control: the system class's, or DefWindowProc.
  TLResult DefaultHandler(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam);
  // From the first CreateHandle on; null before.
  const TControlPorts* Ports() const { return FPorts ? &*FPorts : nullptr; }
  // The window is being destroyed by DestroyHandle, the control's own or a parent's.
  bool HandleGoing() const;
  // Makes the windows of the windowed children that have none yet, in the order they were
  // added (for children added after this control's window was made).
  void CreateChildHandles();
  // The font changed while the window exists (it has been sent WM_SETFONT).
  virtual void FontChanged() {}
  // The windowed children.
  const std::vector<TControl*>& WindowedControls() const { return FWindowed; }

private:
  friend class TControl;
  // The window's procedure or subclass: this control's WndProc.
  class TWindowProc final : public IMessageHandler {
  public:
    explicit TWindowProc(TWinControl& control) : FControl(control) {}
    TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

  private:
    TWinControl& FControl;
  };
  static bool IsNotification(std::uint32_t msg);
  std::uint32_t ChildId(TWnd parentWindow) const;
  void LoseHandle();
  void ForgetHandles();

  std::vector<TControl*> FWindowless;
  std::vector<TControl*> FWindowed;
  TRect FBounds;
  TWindowProc FWindowProc{*this};
  // In front of a system class's procedure.
  std::optional<TSubclassHook> FSubclass;
  std::optional<TControlPorts> FPorts;
  TWnd FHandle = 0;
  TWnd FParentWindow = 0;
  TFontHandle FFont = 0;
  std::uint32_t FId = 0;
  bool FSystemClass = false;
  bool FGoing = false;
};
