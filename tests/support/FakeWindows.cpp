#include "support/FakeWindows.h"

#include <algorithm>
#include <cctype>

#include "support/FakePorts.h"

using namespace win;

namespace {
constexpr std::uint32_t WM_SETTEXT = 0x000C;
constexpr TLParam MakeLParam(int low, int high) {
  return static_cast<TLParam>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                              static_cast<std::uint32_t>(low & 0xFFFF));
}
}  // namespace

// ---- windows --------------------------------------------------------------------------

void TFakeWindows::SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
  FErrorHandler = std::move(handler);
}

TWnd TFakeWindows::CreateWindowFrom(const TCreateParams& params, IMessageHandler* handler) {
  if (handler) {
    // A class of our own never takes a system class's name.
    if (FSystemClasses.count(params.ClassName)) return Fail(ErrorClassAlreadyExists);
    FRegisteredClasses.insert(params.ClassName);
  } else {
    auto it = FSystemClasses.find(params.ClassName);
    if (it == FSystemClasses.end() || !it->second) return Fail(ErrorCannotFindWndClass);
    handler = it->second;
  }
  if (params.Parent && !FWindows.count(params.Parent)) return Fail(ErrorInvalidWindowHandle);
  const TWnd handle = FNextHandle;
  FNextHandle += 0x10;
  TWindow& w = FWindows[handle];
  w.Params = params;
  w.Handler = handler;
  const TRect& b = params.Bounds;
  // A hidden window asked for no size keeps the fake's default, the options window's size.
  if (b.Right != b.Left || b.Bottom != b.Top || (params.Style & WS_CHILD)) w.Rect = b;
  w.Visible = (params.Style & WS_VISIBLE) != 0;
  ChildCreated(handle, params);
  // As CreateWindowEx does once the window is made.
  if (params.Style & WS_CHILD) {
    const TRect client = ClientOf(handle);
    Send(handle, WM_SIZE, 0, static_cast<TLParam>((static_cast<std::uint32_t>(client.Bottom & 0xFFFF) << 16) |
                                                  static_cast<std::uint32_t>(client.Right & 0xFFFF)));
  }
  return handle;
}

void TFakeWindows::SetSystemClass(const std::string& className, IMessageHandler* procedure) {
  FSystemClasses[className] = procedure;
}

TWnd TFakeWindows::Parent(TWnd window) const {
  auto it = FWindows.find(window);
  return it == FWindows.end() ? 0 : it->second.Params.Parent;
}

TRect TFakeWindows::ClientOf(TWnd window) const {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return {};
  const TCreateParams& p = it->second.Params;
  const TRect& r = it->second.Rect;
  const int edge = !(p.Style & WS_CHILD)             ? 0
                   : (p.ExStyle & WS_EX_CLIENTEDGE) ? 2
                   : (p.Style & WS_BORDER)          ? 1
                                                    : 0;
  return {0, 0, std::max(0, r.Right - r.Left - 2 * edge), std::max(0, r.Bottom - r.Top - 2 * edge)};
}

const TCreateParams* TFakeWindows::Params(TWnd window) const {
  auto it = FWindows.find(window);
  return it == FWindows.end() ? nullptr : &it->second.Params;
}

void TFakeWindows::Family(TWnd window, std::vector<TWnd>& out) const {
  out.push_back(window);
  for (const auto& [handle, w] : FWindows)
    if (w.Params.Parent == window) Family(handle, out);
}

void TFakeWindows::DestroyWindow(TWnd window) {
  if (!FWindows.count(window)) return;
  std::vector<TWnd> family;
  Family(window, family);
  ChildrenDestroying(window);
  for (TWnd w : family)
    if (FWindows.count(w)) Send(w, WM_DESTROY);
  for (TWnd w : family) {
    std::erase_if(FTimers, [w](const auto& t) { return t.first.first == w; });
    FWindows.erase(w);
    ChildDestroyed(w);
  }
}

TLResult TFakeWindows::DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  DefaultHandled.push_back({window, msg, wParam, lParam});
  // A button's check mark, as the system's button keeps it.
  TChild* c = Child(window);
  if (c && c->ClassName == "BUTTON" && msg == BM_SETCHECK) c->Check = static_cast<int>(wParam);
  if (c && c->ClassName == "BUTTON" && msg == BM_GETCHECK) return c->Check;
  // The hotkey field keeps what it is given, the extended-key flag included.
  if (c && c->ClassName == "msctls_hotkey32" && msg == HKM_SETHOTKEY) c->HotKey = static_cast<std::uint16_t>(wParam);
  if (c && c->ClassName == "msctls_hotkey32" && msg == HKM_GETHOTKEY) return c->HotKey;
  return 0;
}

bool TFakeWindows::SubclassWindow(TWnd window, IMessageHandler& hook) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  it->second.Hooks.push_back(&hook);
  return true;
}

void TFakeWindows::RemoveSubclass(TWnd window, IMessageHandler& hook) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return;
  auto& hooks = it->second.Hooks;
  hooks.erase(std::remove(hooks.begin(), hooks.end(), &hook), hooks.end());
}

TLResult TFakeWindows::Guarded(const std::function<TLResult()>& call) {
  try {
    return call();
  } catch (...) {
    if (FErrorHandler) FErrorHandler(std::current_exception());
    return 0;
  }
}

TLResult TFakeWindows::CallLevel(TWnd window, std::size_t level, std::uint32_t msg, TWParam w,
                                 TLParam l) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return 0;
  const std::vector<IMessageHandler*> hooks = it->second.Hooks;
  if (level < hooks.size()) {
    IMessageHandler* hook = hooks[hooks.size() - 1 - level];
    FLevels.push_back({window, level});
    const TLResult result = Guarded([&] { return hook->HandleMessage(window, msg, w, l); });
    FLevels.pop_back();
    return result;
  }
  IMessageHandler* handler = it->second.Handler;
  return Guarded([&] { return handler->HandleMessage(window, msg, w, l); });
}

TLResult TFakeWindows::DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam,
                                       TLParam lParam) {
  if (FLevels.empty() || FLevels.back().first != window)
    throw std::logic_error("DefSubclassProc outside a subclass procedure");
  return CallLevel(window, FLevels.back().second + 1, msg, wParam, lParam);
}

TLResult TFakeWindows::Send(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return CallLevel(window, 0, msg, wParam, lParam);
}

bool TFakeWindows::GetWindowRect(TWnd window, TRect& rect) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  rect = it->second.Rect;
  return true;
}

bool TFakeWindows::SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                                std::int32_t height, std::uint32_t flags) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  TRect& r = it->second.Rect;
  if (flags & SWP_NOSIZE) {
    width = r.Right - r.Left;
    height = r.Bottom - r.Top;
  }
  if (flags & SWP_NOMOVE) {
    x = r.Left;
    y = r.Top;
  }
  r = {x, y, x + width, y + height};
  return true;
}

bool TFakeWindows::ShowWindow(TWnd window, int command) {
  auto it = FWindows.find(window);
  if (it == FWindows.end()) return false;
  const bool was = it->second.Visible;
  it->second.Visible = command != SW_HIDE;
  return was;
}

bool TFakeWindows::IsWindowVisible(TWnd window) {
  auto it = FWindows.find(window);
  return it != FWindows.end() && it->second.Visible;
}

bool TFakeWindows::SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) {
  if (!FWindows.count(window)) return false;
  // The system raises intervals below USER_TIMER_MINIMUM (10 ms) to it.
  const std::uint32_t interval = std::max<std::uint32_t>(milliseconds, 10);
  FTimers[{window, id}] = {interval, FClock.Now() + interval};
  return true;
}

bool TFakeWindows::KillTimer(TWnd window, std::uintptr_t id) { return FTimers.erase({window, id}) > 0; }

void TFakeWindows::Advance(std::uint64_t ms) {
  const std::uint64_t end = FClock.Now() + ms;
  for (;;) {
    auto next = std::min_element(FTimers.begin(), FTimers.end(),
                                 [](const auto& a, const auto& b) { return a.second.Due < b.second.Due; });
    if (next == FTimers.end() || next->second.Due > end) break;
    const auto [window, id] = next->first;
    const std::uint64_t due = next->second.Due;
    next->second.Due += next->second.Interval;
    if (due > FClock.Now()) FClock.Sleep(static_cast<std::uint32_t>(due - FClock.Now()));
    Pump();
    Send(window, WM_TIMER, id, 0);
  }
  if (end > FClock.Now()) FClock.Sleep(static_cast<std::uint32_t>(end - FClock.Now()));
  Pump();
}

bool TFakeWindows::PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (!FWindows.count(window)) return false;
  FQueue.push_back({window, msg, wParam, lParam});
  return true;
}

void TFakeWindows::PostQuitMessage(int exitCode) { FQueue.push_back({0, 0x0012, TWParam(exitCode), 0}); }

bool TFakeWindows::Pump() {
  while (!FQueue.empty()) {
    const TMessage m = FQueue.front();
    FQueue.erase(FQueue.begin());
    if (m.Window == 0 && m.Msg == 0x0012) {  // WM_QUIT
      FQuitCode = static_cast<int>(m.WParam);
      return true;
    }
    Send(m.Window, m.Msg, m.WParam, m.LParam);
  }
  return false;
}

void TFakeWindows::ProcessMessages() {
  while (!FQueue.empty() && !(FQueue.front().Window == 0 && FQueue.front().Msg == 0x0012)) {
    const TMessage m = FQueue.front();
    FQueue.erase(FQueue.begin());
    Send(m.Window, m.Msg, m.WParam, m.LParam);
  }
}

void TFakeWindows::Broadcast(std::uint32_t msg, TWParam wParam, TLParam lParam) {
  for (const auto& [handle, w] : FWindows) FQueue.push_back({handle, msg, wParam, lParam});
}

// A loop with nothing left to do would wait forever on a real system; here it returns -1.
int TFakeWindows::RunMessageLoop() { return Pump() ? *FQuitCode : -1; }

TWnd TFakeWindows::Fail(std::uint32_t error) {
  LastErrorCode = error;
  return 0;
}

std::string TFakeWindows::ErrorMessage(std::uint32_t code) {
  switch (code) {
    case ErrorInvalidWindowHandle: return "Invalid window handle.\r\n";
    case ErrorCannotFindWndClass: return "Cannot find window class.\r\n";
    case ErrorClassAlreadyExists: return "Class already exists.\r\n";
    default: return {};
  }
}

int TFakeWindows::ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                                 std::uint32_t flags) {
  MessageBoxes.push_back({owner, text, caption, flags});
  if (!(flags & MB_YESNO)) return static_cast<int>(IDOK);
  if (!Answers.empty()) {
    const int answer = Answers.front();
    Answers.erase(Answers.begin());
    return answer;
  }
  return (flags & MB_DEFBUTTON2) ? IDNO : IDYES;
}

TWnd TFakeWindows::ActiveWindow() {
  auto it = FWindows.find(Foreground);
  return it != FWindows.end() && it->second.Visible ? Foreground : 0;
}

bool TFakeWindows::SetForegroundWindow(TWnd window) {
  FLog.push_back("SetForegroundWindow " + std::to_string(window));
  if (!IsWindow(window)) return false;
  Foreground = window;
  return true;
}

std::uint32_t TFakeWindows::RegisterMessageName(const std::string& name) {
  FLog.push_back("RegisterWindowMessage " + name);
  return SystemMessageName(name);
}

std::uint32_t TFakeWindows::SystemMessageName(const std::string& name) {
  auto [it, added] = FMessages.try_emplace(name, FNextMessage);
  if (added) ++FNextMessage;
  return it->second;
}

std::uint32_t TFakeWindows::MessageId(const std::string& name) const {
  auto it = FMessages.find(name);
  return it == FMessages.end() ? 0 : it->second;
}

TWnd TFakeWindows::FindWindow(const std::string& className) const {
  for (const auto& [handle, w] : FWindows)
    if (w.Params.ClassName == className) return handle;
  return 0;
}

bool TFakeWindows::IsWindow(TWnd window) const { return FWindows.count(window) > 0; }

std::size_t TFakeWindows::HookCount(TWnd window) const {
  auto it = FWindows.find(window);
  return it == FWindows.end() ? 0 : it->second.Hooks.size();
}

std::size_t TFakeWindows::WindowCount() const { return FWindows.size(); }

// ---- child controls -------------------------------------------------------------------

// The system's edit control, as far as the tests lean on it.
class TFakeWindows::TEditProc final : public IMessageHandler {
public:
  TEditProc(TFakeWindows& owner) : FOwner(owner) {}

  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override {
    TChild& e = *FOwner.Child(window);
    e.EditMessages.push_back(msg);
    switch (msg) {
      case WM_CHAR: Char(window, e, static_cast<unsigned>(wParam)); return 0;
      case WM_PASTE:
        if (!e.ReadOnly) Insert(e, FOwner.Clipboard);
        return 0;
      case WM_CUT:
        if (!e.ReadOnly && e.SelEnd > e.SelStart) {
          FOwner.Clipboard = e.Text.substr(e.SelStart, e.SelEnd - e.SelStart);
          Insert(e, "");
        }
        return 0;
      case EM_SETSEL: {
        const auto end = static_cast<std::intptr_t>(lParam);
        const auto start = static_cast<std::intptr_t>(static_cast<std::int32_t>(wParam));
        e.SelEnd = end < 0 ? e.Text.size() : std::min<std::size_t>(static_cast<std::size_t>(end), e.Text.size());
        e.SelStart = start < 0 ? e.SelEnd : std::min<std::size_t>(static_cast<std::size_t>(start), e.SelEnd);
        return 0;
      }
      case EM_GETSEL: return MakeLParam(static_cast<int>(e.SelStart), static_cast<int>(e.SelEnd));
      case EM_LIMITTEXT: e.Limit = static_cast<std::size_t>(wParam); return 0;
      case EM_SETREADONLY: e.ReadOnly = wParam != 0; return 1;
      case WM_SETFONT: e.Font = static_cast<TFontHandle>(wParam); return 0;
      case WM_GETDLGCODE:
        // Asked about a key by a dialog manager, the edit takes itself to be in a dialog.
        if (lParam) e.DialogMode = true;
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
               ((e.Style & ES_MULTILINE) ? DLGC_WANTALLKEYS : 0);
      case WM_KEYDOWN:
        // A multi-line edit in a dialog, without ES_WANTRETURN, presses the default button
        // on Enter and closes the dialog on Escape.
        if (e.DialogMode && (e.Style & ES_MULTILINE) && wParam == 0x0D)
          FOwner.Send(e.Parent, WM_COMMAND, 1 /* IDOK */, static_cast<TLParam>(window));
        if (e.DialogMode && (e.Style & ES_MULTILINE) && wParam == 0x1B)
          FOwner.PostMessageTo(e.Parent, WM_CLOSE, 0, 0);
        return 0;
      case WM_LBUTTONDOWN:
        // The edit puts the caret where the press was (here: at the end), then takes the
        // focus, all in its own handling of the press.
        e.SelStart = e.SelEnd = e.Text.size();
        FOwner.SetFocus(window);
        return 0;
      default: return FOwner.DefaultProc(window, msg, wParam, lParam);
    }
  }

private:
  void Char(TWnd window, TChild& e, unsigned ch) {
    if (ch == 0x16) {  // Ctrl+V: the edit asks itself, through any subclass
      FOwner.Send(window, WM_PASTE);
      return;
    }
    if (ch == 0x18) {  // Ctrl+X
      FOwner.Send(window, WM_CUT);
      return;
    }
    if (e.ReadOnly) return;
    if (ch == 8) {
      if (e.SelEnd == e.SelStart && e.SelStart > 0) --e.SelStart;
      Insert(e, "");
      return;
    }
    // A multi-line edit breaks the line on Enter's character, unless it takes itself to be in
    // a dialog (where Enter, without ES_WANTRETURN, is the default button's), and on the line
    // feed of Ctrl+Enter or Ctrl+J always. A single-line edit takes neither.
    if (ch == '\r' || ch == '\n') {
      if ((e.Style & ES_MULTILINE) && !(ch == '\r' && e.DialogMode)) Insert(e, "\r\n");
      return;
    }
    if (ch < 32 && ch != '\t') return;
    Insert(e, std::string(1, static_cast<char>(ch)));
  }
  // Replaces the selection, within the limit: what does not fit is dropped.
  static void Insert(TChild& e, std::string text) {
    const std::size_t kept = e.Text.size() - (e.SelEnd - e.SelStart);
    if (e.Limit && kept + text.size() > e.Limit) text.resize(e.Limit > kept ? e.Limit - kept : 0);
    e.Text.replace(e.SelStart, e.SelEnd - e.SelStart, text);
    e.SelStart = e.SelEnd = e.SelStart + text.size();
  }
  TFakeWindows& FOwner;
};

// Made here, where the edit control's class is complete: it serves the "EDIT" class.
TFakeWindows::TFakeWindows(TFakeClock& clock, std::vector<std::string>& log)
    : FClock(clock), FLog(log), FEditProc(std::make_unique<TEditProc>(*this)) {
  FSystemClasses["EDIT"] = FEditProc.get();
}

TFakeWindows::~TFakeWindows() = default;

void TFakeWindows::ChildCreated(TWnd window, const TCreateParams& params) {
  if (!(params.Style & WS_CHILD)) return;
  TChild& c = FChildren[window];
  c.ClassName = params.ClassName;
  c.Parent = params.Parent;
  c.Style = params.Style;
  c.ExStyle = params.ExStyle;
  c.Id = params.Id;
  c.Bounds = params.Bounds;
  c.Text = params.Text;
  c.ReadOnly = (params.Style & ES_READONLY) != 0;
}

void TFakeWindows::ChildrenDestroying(TWnd window) {
  std::vector<TWnd> family{window};
  Descendants(window, family);
  if (std::find(family.begin(), family.end(), FFocus) != family.end()) SetFocus(0);
  if (FObserver) FObserver->WindowDestroying(family);
}

void TFakeWindows::ChildDestroyed(TWnd window) { FChildren.erase(window); }

void TFakeWindows::Descendants(TWnd parent, std::vector<TWnd>& out) const {
  for (const auto& [handle, c] : FChildren)
    if (c.Parent == parent) {
      out.push_back(handle);
      Descendants(handle, out);
    }
}

TLResult TFakeWindows::SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return Send(window, msg, wParam, lParam);
}

std::string TFakeWindows::ReadText(TWnd window) {
  const TChild* c = Child(window);
  return c ? c->Text : std::string();
}

void TFakeWindows::WriteText(TWnd window, const std::string& text) {
  TChild* c = Child(window);
  if (!c) return;
  c->EditMessages.push_back(WM_SETTEXT);
  c->Text = text;
  c->SelStart = c->SelEnd = 0;
}

TRect TFakeWindows::Bounds(TWnd window) {
  if (const TChild* c = Child(window)) return c->Bounds;
  // A top-level window's: on the screen.
  TRect r;
  return GetWindowRect(window, r) ? r : TRect{};
}

TRect TFakeWindows::ClientRect(TWnd window) { return ClientOf(window); }

void TFakeWindows::MoveWindow(TWnd window, const TRect& bounds) {
  TChild* c = Child(window);
  if (!c) {
    (void)SetWindowPos(window, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                       bounds.Bottom - bounds.Top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const bool resized = bounds.Right - bounds.Left != c->Bounds.Right - c->Bounds.Left ||
                       bounds.Bottom - bounds.Top != c->Bounds.Bottom - c->Bounds.Top;
  c->Bounds = bounds;
  SetWindowPos(window, bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                        bounds.Bottom - bounds.Top, SWP_NOZORDER);
  if (!resized) return;
  const TRect client = ClientRect(window);
  Send(window, WM_SIZE, 0, MakeLParam(client.Right, client.Bottom));
}

void TFakeWindows::SetEditRect(TWnd edit, const TRect& rect) {
  if (TChild* c = Child(edit)) c->EditRect = rect;
}

void TFakeWindows::SetFocus(TWnd window) {
  if (window == FFocus) return;
  const TWnd old = FFocus;
  FFocus = window;
  if (old && IsWindow(old)) Send(old, WM_KILLFOCUS, window, 0);
  if (window && FFocus == window) Send(window, WM_SETFOCUS, old, 0);
}

bool TFakeWindows::CanFocus(TWnd window) {
  for (TWnd w = window;;) {
    const TChild* c = Child(w);
    if (!c) return IsWindowVisible(w);
    if (!(c->Style & WS_VISIBLE) || !c->Enabled) return false;
    w = c->Parent;
  }
}

TWnd TFakeWindows::Root(TWnd window) const {
  while (const TChild* c = Child(window)) window = c->Parent;
  return window;
}

TWnd TFakeWindows::NextTabStop(TWnd window, bool previous) {
  std::vector<TWnd> all, stops;
  Descendants(Root(window), all);
  std::sort(all.begin(), all.end());  // handles grow: the order the controls were made in
  for (TWnd w : all)
    if ((Child(w)->Style & WS_TABSTOP) && CanFocus(w)) stops.push_back(w);
  if (stops.empty()) return 0;
  auto it = std::find(stops.begin(), stops.end(), window);
  if (it == stops.end()) {
    // From a window that is no tab stop (a label), the stops made after it, or before it.
    if (std::find(all.begin(), all.end(), window) == all.end()) return previous ? stops.back() : stops.front();
    const auto after = std::upper_bound(stops.begin(), stops.end(), window);
    if (previous) return after == stops.begin() ? stops.back() : *(after - 1);
    return after == stops.end() ? stops.front() : *after;
  }
  const std::size_t i = static_cast<std::size_t>(it - stops.begin());
  return stops[previous ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size()];
}

TWnd TFakeWindows::NotificationSource(TWnd parent, std::uint32_t msg, TWParam, TLParam lParam) {
  const auto* notice = reinterpret_cast<const TNotice*>(lParam);
  switch (msg) {
    case WM_COMMAND: return static_cast<TWnd>(lParam);
    case WM_NOTIFY: return notice ? notice->Window : 0;
    case WM_DRAWITEM: return notice && notice->CtlType != ODT_MENU ? notice->Window : 0;
    case WM_MEASUREITEM:
      // The item names its control by id alone.
      if (!notice || notice->CtlType == ODT_MENU) return 0;
      for (const auto& [handle, c] : FChildren)
        if (c.Parent == parent && c.Id == notice->CtlId) return handle;
      return 0;
    default: return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC ? static_cast<TWnd>(lParam) : 0;
  }
}

bool TFakeWindows::DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) {
  if (!lParam) return false;
  const auto* q = reinterpret_cast<const TQueriedMessage*>(lParam);
  msg = q->Msg;
  wParam = q->WParam;
  return true;
}

TRect TFakeWindows::WindowRectForClient(const TRect& client, std::uint32_t, std::uint32_t) {
  return {client.Left - 3, client.Top - 23, client.Right + 3, client.Bottom + 3};
}

std::uint32_t TFakeWindows::GetStyle(TWnd window) {
  const TChild* c = Child(window);
  return c ? c->Style : 0;
}

void TFakeWindows::SetStyle(TWnd window, std::uint32_t style) {
  if (TChild* c = Child(window)) c->Style = style;
}

bool TFakeWindows::IsChild(TWnd parent, TWnd window) {
  for (const TChild* c = Child(window); c; c = Child(c->Parent))
    if (c->Parent == parent) return true;
  return false;
}

const TFakeWindows::TChild* TFakeWindows::Child(TWnd window) const {
  auto it = FChildren.find(window);
  return it == FChildren.end() ? nullptr : &it->second;
}

TFakeWindows::TChild* TFakeWindows::Child(TWnd window) {
  auto it = FChildren.find(window);
  return it == FChildren.end() ? nullptr : &it->second;
}

std::vector<TWnd> TFakeWindows::Children(TWnd parent) const {
  std::vector<TWnd> result;
  for (const auto& [handle, c] : FChildren)
    if (c.Parent == parent) result.push_back(handle);
  return result;
}

TWnd TFakeWindows::ChildOf(TWnd parent, const std::string& className) const {
  for (const auto& [handle, c] : FChildren)
    if (c.Parent == parent && c.ClassName == className) return handle;
  return 0;
}

void TFakeWindows::PressKey(std::uint8_t vk, unsigned ch) {
  const TWnd target = FFocus;
  if (!target) return;
  Send(target, WM_KEYDOWN, vk, 1);
  // TranslateMessage posts the character to the window the key went to, wherever the
  // focus has moved meanwhile.
  if (ch && IsWindow(target)) Send(target, WM_CHAR, ch, 1);
  if (IsWindow(target)) Send(target, WM_KEYUP, vk, static_cast<TLParam>(0xC0000001u));
}

void TFakeWindows::TypeText(const std::string& text) {
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const std::uint8_t vk = std::isalnum(c) ? static_cast<std::uint8_t>(std::toupper(c)) : 0xBE;
    PressKey(vk, c);
  }
}
