#include "platform/win32/Win32Windows.h"

#include "platform/win32/Win32.h"
#include "platform/win32/WindowBinding.h"

#include <commctrl.h>

namespace {

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR refData) {
  auto* hook = reinterpret_cast<IMessageHandler*>(id);
  auto* windows = reinterpret_cast<TWin32Windows*>(refData);
  try {
    return hook->HandleMessage(FromHwnd(hwnd), msg, wParam, lParam);
  } catch (...) {
    windows->Report(std::current_exception());
    return 0;
  }
}

}  // namespace

// One procedure for every class: the object comes from lpCreateParams on WM_NCCREATE
// (WM_GETMINMAXINFO arrives before it and gets the default) and is let go on WM_NCDESTROY.
LRESULT CALLBACK BoundWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* binding = new TWindowBinding(*static_cast<TWindowBinding*>(cs->lpCreateParams));
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
  }
  auto* binding = reinterpret_cast<TWindowBinding*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!binding) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
    delete binding;
    return result;
  }
  try {
    return binding->Handler->HandleMessage(FromHwnd(hwnd), msg, wParam, lParam);
  } catch (...) {
    binding->Windows->Report(std::current_exception());
    return 0;
  }
}


TWin32Windows::TWin32Windows() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&icc);
}

void TWin32Windows::SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
  FErrorHandler = std::move(handler);
}

void TWin32Windows::Report(std::exception_ptr error) noexcept {
  try {
    if (FErrorHandler) FErrorHandler(error);
  } catch (...) {
    // the handler failed too; there is no one left to tell
  }
}

bool TWin32Windows::RegisterOwnClass(const std::string& className, int background) {
  if (FRegisteredClasses.count(className)) return true;
  const std::wstring wideClass = Widen(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = BoundWindowProc;  // no CS_DBLCLKS: a quick second press is a press
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = wideClass.c_str();
  if (background >= 0) wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  ATOM atom = ::RegisterClassExW(&wc);
  if (!atom) {
    if (::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    // Registered by this module before (a second TWin32Windows): the same procedure.
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    atom = static_cast<ATOM>(::GetClassInfoExW(wc.hInstance, wideClass.c_str(), &existing));
    if (!atom || existing.lpfnWndProc != BoundWindowProc) return false;
  }
  FRegisteredClasses[className] = atom;
  return true;
}

TWnd TWin32Windows::CreateWindowFrom(const TCreateParams& params, IMessageHandler* handler) {
  if (handler && !RegisterOwnClass(params.ClassName, params.ClassBackground)) return 0;
  TWindowBinding binding{handler, this};
  const bool child = (params.Style & WS_CHILD) != 0;
  HWND hwnd = ::CreateWindowExW(
      params.ExStyle, Widen(params.ClassName).c_str(), Widen(params.Text).c_str(), params.Style,
      params.Bounds.Left, params.Bounds.Top, params.Bounds.Right - params.Bounds.Left,
      params.Bounds.Bottom - params.Bounds.Top, ToHwnd(params.Parent),
      child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(params.Id)) : nullptr,
      ::GetModuleHandleW(nullptr), handler ? &binding : nullptr);
  return FromHwnd(hwnd);
}

bool TWin32Windows::IsOwnWindow(TWnd window) const {
  const auto atom = static_cast<ATOM>(::GetClassLongPtrW(ToHwnd(window), GCW_ATOM));
  for (const auto& [name, registered] : FRegisteredClasses)
    if (registered == atom) return true;
  return false;
}

void TWin32Windows::DestroyWindow(TWnd window) {
  if (window) ::DestroyWindow(ToHwnd(window));
}

TLResult TWin32Windows::DefaultProc(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return ::DefWindowProcW(ToHwnd(window), msg, wParam, lParam);
}

bool TWin32Windows::SubclassWindow(TWnd window, IMessageHandler& hook) {
  return ::SetWindowSubclass(ToHwnd(window), SubclassProc, reinterpret_cast<UINT_PTR>(&hook),
                             reinterpret_cast<DWORD_PTR>(this)) != 0;
}

void TWin32Windows::RemoveSubclass(TWnd window, IMessageHandler& hook) {
  ::RemoveWindowSubclass(ToHwnd(window), SubclassProc, reinterpret_cast<UINT_PTR>(&hook));
}

TLResult TWin32Windows::DefSubclassProc(TWnd window, std::uint32_t msg, TWParam wParam,
                                        TLParam lParam) {
  return ::DefSubclassProc(ToHwnd(window), msg, wParam, lParam);
}

bool TWin32Windows::GetWindowRect(TWnd window, TRect& rect) {
  RECT r;
  if (!::GetWindowRect(ToHwnd(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

bool TWin32Windows::SetWindowPos(TWnd window, std::int32_t x, std::int32_t y, std::int32_t width,
                                 std::int32_t height, std::uint32_t flags) {
  return ::SetWindowPos(ToHwnd(window), nullptr, x, y, width, height, flags) != 0;
}

bool TWin32Windows::ShowWindow(TWnd window, int command) {
  return ::ShowWindow(ToHwnd(window), command) != 0;
}

bool TWin32Windows::IsWindowVisible(TWnd window) { return ::IsWindowVisible(ToHwnd(window)) != 0; }

bool TWin32Windows::SetTimer(TWnd window, std::uintptr_t id, std::uint32_t milliseconds) {
  return ::SetTimer(ToHwnd(window), id, milliseconds, nullptr) != 0;
}

bool TWin32Windows::KillTimer(TWnd window, std::uintptr_t id) {
  return ::KillTimer(ToHwnd(window), id) != 0;
}

bool TWin32Windows::PostMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return ::PostMessageW(ToHwnd(window), msg, wParam, lParam) != 0;
}

bool TWin32Windows::SetForegroundWindow(TWnd window) {
  return ::SetForegroundWindow(ToHwnd(window)) != 0;
}

TWnd TWin32Windows::ActiveWindow() { return FromHwnd(::GetActiveWindow()); }

TWnd TWin32Windows::WindowAt(TPoint point) { return FromHwnd(::WindowFromPoint(POINT{point.x, point.y})); }

TWnd TWin32Windows::ForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

std::uint32_t TWin32Windows::WindowProcessId(TWnd window) {
  DWORD process = 0;
  return ::GetWindowThreadProcessId(ToHwnd(window), &process) ? process : 0;
}

std::uint32_t TWin32Windows::RegisterMessageName(const std::string& name) {
  return ::RegisterWindowMessageW(Widen(name).c_str());
}

bool TWin32Windows::DialogMessage(MSG& msg) {
  // The window of ours that holds the focus gets a dialog's keyboard: Tab and Shift+Tab,
  // arrows within a group, mnemonics, Enter for the default button and Esc for IDCANCEL.
  // IsDialogMessage then translates and dispatches the message itself (also one it does not
  // navigate with), and only messages for that window and its children.
  HWND focus = ::GetFocus();
  if (!focus) return false;
  HWND root = ::GetAncestor(focus, GA_ROOT);
  if (!root || !::IsWindowVisible(root) || !IsOwnWindow(FromHwnd(root))) return false;
  return ::IsDialogMessageW(root, &msg) != 0;
}

int TWin32Windows::RunMessageLoop() {
  MSG msg;
  for (;;) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    if (DialogMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void TWin32Windows::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Put back for the message loop, which must still end.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (DialogMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void TWin32Windows::PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

int TWin32Windows::ShowMessageBox(TWnd owner, const std::string& text, const std::string& caption,
                                  std::uint32_t flags) {
  return ::MessageBoxW(ToHwnd(owner), Widen(text).c_str(), Widen(caption).c_str(), flags);
}

TLResult TWin32Windows::SendMessageTo(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  return ::SendMessageW(ToHwnd(window), msg, wParam, lParam);
}

std::string TWin32Windows::ReadText(TWnd window) {
  const int length = ::GetWindowTextLengthW(ToHwnd(window));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = ::GetWindowTextW(ToHwnd(window), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return Narrow(text);
}

void TWin32Windows::WriteText(TWnd window, const std::string& text) {
  ::SetWindowTextW(ToHwnd(window), Widen(text).c_str());
}

TRect TWin32Windows::Bounds(TWnd window) {
  RECT r{};
  if (!::GetWindowRect(ToHwnd(window), &r)) return {};
  // GetParent would name an owner for a popup; the ancestor is the desktop for every
  // top-level window, whose bounds stay on the screen.
  ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(ToHwnd(window), GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
  return FromRECT(r);
}

TRect TWin32Windows::ClientRect(TWnd window) {
  RECT r{};
  ::GetClientRect(ToHwnd(window), &r);
  return FromRECT(r);
}

void TWin32Windows::MoveWindow(TWnd window, const TRect& bounds) {
  ::MoveWindow(ToHwnd(window), bounds.Left, bounds.Top, bounds.Right - bounds.Left,
               bounds.Bottom - bounds.Top, TRUE);
}

void TWin32Windows::SetEditRect(TWnd edit, const TRect& rect) {
  RECT r = ToRECT(rect);
  ::SendMessageW(ToHwnd(edit), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

TWnd TWin32Windows::GetFocus() { return FromHwnd(::GetFocus()); }

void TWin32Windows::SetFocus(TWnd window) { ::SetFocus(ToHwnd(window)); }

bool TWin32Windows::CanFocus(TWnd window) {
  for (HWND h = ToHwnd(window); h; h = ::GetParent(h)) {
    if (!::IsWindowVisible(h) || !::IsWindowEnabled(h)) return false;
    // GetParent of a top-level window is its owner, which has no say.
    if (!(::GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return window != 0;
}

TWnd TWin32Windows::NextTabStop(TWnd window, bool previous) {
  HWND h = ToHwnd(window);
  HWND root = ::GetAncestor(h, GA_ROOT);
  // Asked about the top-level window itself: its first (or last) tab stop.
  return FromHwnd(::GetNextDlgTabItem(root, h == root ? nullptr : h, previous ? TRUE : FALSE));
}

bool TWin32Windows::DialogQueryMessage(TLParam lParam, std::uint32_t& msg, TWParam& wParam) {
  if (!lParam) return false;
  const auto* queried = reinterpret_cast<const MSG*>(lParam);
  msg = queried->message;
  wParam = queried->wParam;
  return true;
}

TWnd TWin32Windows::NotificationSource(TWnd parent, std::uint32_t msg, TWParam, TLParam lParam) {
  switch (msg) {
    case WM_COMMAND: return static_cast<TWnd>(lParam);
    case WM_NOTIFY: return lParam ? FromHwnd(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom) : 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? FromHwnd(item->hwndItem) : 0;
    }
    case WM_MEASUREITEM: {
      // The only message of the five that carries no window: the control is found by its id.
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (!item || item->CtlType == ODT_MENU) return 0;
      return FromHwnd(::GetDlgItem(ToHwnd(parent), static_cast<int>(item->CtlID)));
    }
    default:
      return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC ? static_cast<TWnd>(lParam) : 0;
  }
}

void TWin32Windows::MessageBeep(std::uint32_t type) { ::MessageBeep(type); }

TRect TWin32Windows::WindowRectForClient(const TRect& client, std::uint32_t style, std::uint32_t exStyle) {
  RECT r = ToRECT(client);
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return FromRECT(r);
}

std::uint32_t TWin32Windows::GetStyle(TWnd window) {
  return static_cast<std::uint32_t>(::GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

void TWin32Windows::SetStyle(TWnd window, std::uint32_t style) {
  ::SetWindowLongW(ToHwnd(window), GWL_STYLE, static_cast<LONG>(style));
}

bool TWin32Windows::IsChild(TWnd parent, TWnd window) {
  return ::IsChild(ToHwnd(parent), ToHwnd(window)) != 0;
}

std::uint32_t TWin32Windows::LastError() { return ::GetLastError(); }

std::string TWin32Windows::ErrorMessage(std::uint32_t code) { return SystemErrorMessage(code); }
