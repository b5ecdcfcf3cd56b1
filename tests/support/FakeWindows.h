// The fake windows: windows of our classes and of the system's with their procedures,
// subclass hooks, a message queue and timers on the virtual clock; each child window's state
// (a parent, a style, bounds), an edit control that behaves as the system's does in what the
// tests need (text, selection, limit, read-only, typing, paste and cut through its own
// messages, focus on a press), and the focus with its notifications.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Drawing.h"
#include "platform/Windowing.h"

class TFakeClock;

class TFakeWindows : public IWindows {
public:
  // log: the fake system's call log, where SetForegroundWindow and RegisterWindowMessage
  // go among the shell's calls.
  TFakeWindows(TFakeClock& clock, std::vector<std::string>& log);
  ~TFakeWindows() override;
  struct TMessage { TWnd Window; std::uint32_t Msg; TWParam WParam; TLParam LParam; };
  struct TMessageBox { TWnd Owner; std::string Text; std::string Caption; std::uint32_t Flags; };

  // Who hears of windows destroyed (the fake input lets go of the mouse capture).
  class IObserver {
  public:
    virtual ~IObserver() = default;
    // Before the first WM_DESTROY of a DestroyWindow: the window destroyed and its child
    // windows.
    virtual void WindowDestroying(const std::vector<TWnd>& family) = 0;
  };

  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override;
  TWnd CreateWindowFrom(const TCreateParams& params, IMessageHandler* handler) override;
  // The window and its children (and windows it owns), as the system does: WM_DESTROY to the
  // window first, then to its children, each with its family still in place.
  void DestroyWindow(TWnd window) override;
  // A system class's procedure. "BUTTON", "STATIC" and the hotkey field have the default procedure from the
  // start, "EDIT" the fake edit control's; a class with none cannot be made, as on a system
  // without it.
  void SetSystemClass(const std::string& className, IMessageHandler* procedure);
  void SetObserver(IObserver* observer) { FObserver = observer; }
  // Our classes, registered on first use.
  const std::set<std::string>& RegisteredClasses() const { return FRegisteredClasses; }
  // The window's parent (or owner) and its create parameters as given.
  TWnd Parent(TWnd window) const;
  const TCreateParams* Params(TWnd window) const;
  // GetClientRect: the rectangle less a child's border (2 pixels for the client edge, 1 for
  // WS_BORDER); a top-level window's frame is not modelled.
  TRect ClientOf(TWnd window) const;
  TLResult DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool SubclassWindow(TWnd window, IMessageHandler& hook) override;
  void RemoveSubclass(TWnd window, IMessageHandler& hook) override;
  TLResult DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  bool GetWindowRect(TWnd window, TRect& rect) override;
  bool SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height, std::uint32_t flags) override;
  bool ShowWindow(TWnd window, int command) override;
  bool IsWindowVisible(TWnd window) override;
  bool SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) override;
  bool KillTimer(TWnd window, std::uintptr_t id) override;
  // Runs the virtual clock on by ms, delivering WM_TIMER to each due timer at its time.
  void Advance(std::uint64_t ms);
  bool HasTimer(TWnd window, std::uintptr_t id) const { return FTimers.count({window, id}) > 0; }
  std::size_t TimerCount() const { return FTimers.size(); }
  bool PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  int RunMessageLoop() override;
  void ProcessMessages() override;
  // HWND_BROADCAST: posts to every window (they are all top-level here).
  void Broadcast(std::uint32_t msg, TWParam wParam, TLParam lParam);
  void PostQuitMessage(int exitCode) override;
  // Recorded. A box with one button answers IDOK; a Yes/No box the next of Answers, else its
  // default button.
  int ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                     std::uint32_t flags) override;
  std::vector<int> Answers;
  // Logged as "SetForegroundWindow <window>"; a window that exists becomes Foreground.
  bool SetForegroundWindow(TWnd window) override;
  // The foreground window while it exists and is shown.
  TWnd ActiveWindow() override;
  // PointWindow wherever the point is; the process of a window is ProcessOf's, else 0.
  TWnd WindowAt(TPoint) override { return PointWindow; }
  TWnd ForegroundWindow() override { return Foreground; }
  std::uint32_t WindowProcessId(TWnd window) override {
    const auto it = ProcessOf.find(window);
    return it == ProcessOf.end() ? 0 : it->second;
  }
  TWnd PointWindow = 0;
  std::map<TWnd, std::uint32_t> ProcessOf;
  // Logged as "RegisterWindowMessage <name>"; ids are handed out from 0xC0F0.
  std::uint32_t RegisterMessageName(const std::string& name) override;
  // The id a name was registered under; 0 when nobody registered it.
  std::uint32_t MessageId(const std::string& name) const;
  // A name the system itself registers (Explorer's "TaskbarCreated"): not logged.
  std::uint32_t SystemMessageName(const std::string& name);
  TWnd Foreground = 0;
  // The last error, as a failed CreateWindowFrom leaves it (or a test sets it), and the
  // system's texts of those codes.
  std::uint32_t LastError() override { return LastErrorCode; }
  std::string ErrorMessage(std::uint32_t code) override;
  std::uint32_t LastErrorCode = 0;

  // SendMessage: through the window's hooks, newest first, to its procedure.
  TLResult Send(TWnd window, std::uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
  // Dispatches queued messages until the queue is empty or WM_QUIT comes; true on WM_QUIT.
  bool Pump();
  std::optional<int> QuitCode() const { return FQuitCode; }
  bool HasQueued() const { return !FQueue.empty(); }
  TWnd FindWindow(const std::string& className) const;
  bool IsWindow(TWnd window) const;
  std::size_t HookCount(TWnd window) const;
  std::size_t WindowCount() const;
  std::vector<TMessageBox> MessageBoxes;
  // Messages that reached the system's default procedure.
  std::vector<TMessage> DefaultHandled;

  // ---- child controls: each child window's state, the system's edit control, the focus

  TLResult SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  std::string ReadText(TWnd window) override;
  void WriteText(TWnd window, const std::string& text) override;
  TRect Bounds(TWnd window) override;
  TRect ClientRect(TWnd window) override;
  void MoveWindow(TWnd window, const TRect& bounds) override;
  void SetEditRect(TWnd edit, const TRect& rect) override;
  TWnd GetFocus() override { return FFocus; }
  void SetFocus(TWnd window) override;
  bool CanFocus(TWnd window) override;
  TWnd NextTabStop(TWnd window, bool previous) override;
  bool DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) override;
  TWnd NotificationSource(TWnd parent, std::uint32_t msg, TWParam wParam, TLParam lParam) override;
  void MessageBeep(std::uint32_t type) override { Beeps.push_back(type); }
  // A caption 20 pixels high over a 3-pixel frame.
  TRect WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) override;
  std::uint32_t GetStyle(TWnd window) override;
  void SetStyle(TWnd window, std::uint32_t style) override;
  bool IsChild(TWnd parent, TWnd window) override;

  // What WM_GETDLGCODE's lParam points to in a test: the key the dialog manager asks about.
  struct TQueriedMessage {
    std::uint32_t Msg;
    TWParam WParam;
  };

  // What WM_NOTIFY's, WM_DRAWITEM's and WM_MEASUREITEM's lParam points to in a test: the
  // parts of NMHDR, DRAWITEMSTRUCT and MEASUREITEMSTRUCT that name the control.
  struct TNotice {
    TWnd Window = 0;            // hwndFrom, hwndItem (MEASUREITEMSTRUCT has none)
    std::uint32_t CtlType = 0;  // ODT_MENU for a menu's item
    std::uint32_t CtlId = 0;
  };

  struct TChild {
    std::string ClassName;
    TWnd Parent = 0;
    std::uint32_t Style = 0;
    std::uint32_t ExStyle = 0;
    std::uint32_t Id = 0;
    TRect Bounds;
    bool Enabled = true;
    int Check = 0;            // a button's BM_GETCHECK
    std::uint16_t HotKey = 0;  // a hotkey field's HKM_GETHOTKEY
    // the edit's state
    std::string Text;
    TRect EditRect;
    std::size_t Limit = 0;  // 0: none of its own
    bool ReadOnly = false;
    std::size_t SelStart = 0, SelEnd = 0;
    TFontHandle Font = 0;
    bool DialogMode = false;                  // a dialog manager asked it about a key
    std::vector<std::uint32_t> EditMessages;  // what reached the edit's own procedure
    int Invalidations = 0;
  };
  const TChild* Child(TWnd window) const;
  TChild* Child(TWnd window);
  std::vector<TWnd> Children(TWnd parent) const;
  TWnd ChildOf(TWnd parent, const std::string& className) const;
  bool Exists(TWnd window) const { return FChildren.count(window) > 0; }

  // The user: a key pressed and released on the window with the focus, with the character
  // TranslateMessage makes of it sent to that same window (0: none).
  void PressKey(std::uint8_t vk, unsigned ch = 0);
  // Characters typed one by one, each as its key and its character.
  void TypeText(const std::string& text);

  std::vector<std::uint32_t> Beeps;
  std::string Clipboard;

private:
  class TEditProc;
  // The child windows' state, kept from their creation to their destruction.
  void ChildCreated(TWnd window, const TCreateParams& params);
  void ChildrenDestroying(TWnd window);
  void ChildDestroyed(TWnd window);
  TWnd Root(TWnd window) const;
  void Descendants(TWnd parent, std::vector<TWnd>& out) const;

  struct TWindow {
    TCreateParams Params;
    IMessageHandler* Handler;
    std::vector<IMessageHandler*> Hooks;  // in order of installation
    TRect Rect{0, 0, 336, 296};
    bool Visible = false;
  };
  class TDefaultProcedure final : public IMessageHandler {
  public:
    explicit TDefaultProcedure(TFakeWindows& windows) : FWindows(windows) {}
    TLResult HandleMessage(TWnd w, std::uint32_t msg, TWParam wp, TLParam lp) override {
      return FWindows.DefaultProc(w, msg, wp, lp);
    }

  private:
    TFakeWindows& FWindows;
  };
  void Family(TWnd window, std::vector<TWnd>& out) const;
  TLResult CallLevel(TWnd window, std::size_t level, std::uint32_t msg, TWParam w, TLParam l);
  TLResult Guarded(const std::function<TLResult()>& call);
  // A failed call: sets the last error, returns no window.
  TWnd Fail(std::uint32_t error);
  static constexpr std::uint32_t ErrorInvalidWindowHandle = 1400;
  static constexpr std::uint32_t ErrorCannotFindWndClass = 1407;
  static constexpr std::uint32_t ErrorClassAlreadyExists = 1410;

  struct TTimer { std::uint32_t Interval; std::uint64_t Due; };
  TFakeClock& FClock;
  std::vector<std::string>& FLog;
  std::map<std::string, std::uint32_t> FMessages;
  std::uint32_t FNextMessage = 0xC0F0;
  TDefaultProcedure FDefaultProcedure{*this};
  std::map<std::string, IMessageHandler*> FSystemClasses{{"BUTTON", &FDefaultProcedure},
                                                         {"STATIC", &FDefaultProcedure},
                                                         {"msctls_hotkey32", &FDefaultProcedure}};
  std::set<std::string> FRegisteredClasses;
  IObserver* FObserver = nullptr;
  std::map<std::pair<TWnd, std::uintptr_t>, TTimer> FTimers;
  std::function<void(std::exception_ptr)> FErrorHandler;
  std::map<TWnd, TWindow> FWindows;
  TWnd FNextHandle = 0x10010;
  std::vector<TMessage> FQueue;
  std::optional<int> FQuitCode;
  std::vector<std::pair<TWnd, std::size_t>> FLevels;  // subclass level being served, per call
  std::map<TWnd, TChild> FChildren;
  std::unique_ptr<TEditProc> FEditProc;
  TWnd FFocus = 0;
};
