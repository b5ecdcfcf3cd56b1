#include "Process.h"

#include "Files.h"
#include "Report.h"
#include "Wait.h"

namespace kit {

namespace {
DWORD LastFailure = 0;

struct FindWindowOf {
  DWORD pid;
  const wchar_t* cls;
  const wchar_t* title;
  bool visibleOnly;
  HWND found = nullptr;
};

BOOL CALLBACK FindWindowOfProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindWindowOf*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[64] = {}, title[256] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 256);
  if (pid == f->pid && lstrcmpW(cls, f->cls) == 0 && (!f->title || lstrcmpW(title, f->title) == 0) &&
      (!f->visibleOnly || IsWindowVisible(w))) {
    f->found = w;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindAppWindowProc(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<FindAppWindow*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != f->pid) return TRUE;
  if (IsWindowVisible(w)) ++f->visible;
  wchar_t cls[64] = {}, title[64] = {};
  GetClassNameW(w, cls, 64);
  GetWindowTextW(w, title, 64);
  if (!f->found && lstrcmpW(cls, L"TApplication") == 0 && lstrcmpW(title, L"Vantrel") == 0) f->found = w;
  return TRUE;
}

BOOL CALLBACK StaticTextProc(HWND w, LPARAM lp) {
  wchar_t cls[32] = {}, text[1024] = {};
  GetClassNameW(w, cls, 32);
  if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextW(w, text, 1024) > 0)
    *reinterpret_cast<std::wstring*>(lp) = text;
  return TRUE;
}

const int kProbeId = 0x7A00;
}  // namespace

void RememberLastError() { LastFailure = GetLastError(); }

std::string LastError() { return Format("error %lu", LastFailure); }

bool Start(const std::wstring& exe, Proc& p, const std::wstring& args) {
  const std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring cmd = L"\"" + exe + L"\"" + (args.empty() ? L"" : L" " + args);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  // Wine now and then fails a start before the program's first instruction (seen once in
  // some thousand starts); a program that cannot start fails the second time as well.
  for (int attempt = 1; attempt <= 2; ++attempt) {
    p.started = CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                               dir.empty() ? nullptr : dir.c_str(), &si, &p.pi) != 0;
    if (p.started) break;
    RememberLastError();
    Note("the start of %s failed (%s)%s", Utf8(exe).c_str(), LastError().c_str(),
         attempt == 1 ? "; once more" : "");
  }
  return p.started;
}

bool Running(const Proc& p) { return p.started && WaitForSingleObject(p.pi.hProcess, 0) == WAIT_TIMEOUT; }

bool WaitExit(const Proc& p, double ms, DWORD& code) {
  // Our own windows keep answering while we wait.
  const bool ended = WaitFor([&] { return !Running(p); }, ms);
  code = 0xFFFFFFFF;
  if (ended) GetExitCodeProcess(p.pi.hProcess, &code);
  return ended;
}

void Kill(Proc& p) {
  if (!p.started) return;
  if (Running(p)) {
    TerminateProcess(p.pi.hProcess, 1);
    WaitForSingleObject(p.pi.hProcess, 5000);
  }
  CloseHandle(p.pi.hThread);
  CloseHandle(p.pi.hProcess);
  p.started = false;
}

HWND WindowOf(const Proc& p, const wchar_t* cls, const wchar_t* title, bool visibleOnly) {
  FindWindowOf f{p.pi.dwProcessId, cls, title, visibleOnly};
  EnumWindows(FindWindowOfProc, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

HWND VisibleWindowOf(const Proc& p, const wchar_t* cls) { return WindowOf(p, cls, nullptr, true); }

FindAppWindow AppWindowOf(const Proc& p) {
  FindAppWindow f{p.pi.dwProcessId};
  EnumWindows(FindAppWindowProc, reinterpret_cast<LPARAM>(&f));
  return f;
}

MessageBoxSeen MessageBoxOf(const Proc& p) {
  MessageBoxSeen seen;
  HWND box = WindowOf(p, L"#32770");
  if (!box || !IsWindowVisible(box)) return seen;
  seen.box = box;
  wchar_t caption[256] = {};
  GetWindowTextW(box, caption, 256);
  seen.caption = caption;
  EnumChildWindows(box, StaticTextProc, reinterpret_cast<LPARAM>(&seen.text));
  return seen;
}

std::wstring WindowText(HWND w) {
  wchar_t t[256] = {};
  SendMessageW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(t));
  return t;
}

POINT Middle(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool HotKeyHeldElsewhere(UINT mods, UINT vk) {
  if (RegisterHotKey(nullptr, kProbeId, mods, vk)) {
    UnregisterHotKey(nullptr, kProbeId);
    return false;
  }
  return true;
}

const Combo kServed[7] = {
    {0, VK_HOME},        {MOD_SHIFT, VK_HOME},  {MOD_SHIFT | MOD_CONTROL, VK_HOME}, {0, VK_END},
    {MOD_SHIFT, VK_END}, {MOD_CONTROL, VK_END}, {MOD_SHIFT | MOD_CONTROL, VK_END}};

bool StartReady(const std::wstring& exe, Proc& p, Keys keys) { return Start(exe, p) && WaitReady(p, keys); }

bool WaitReady(const Proc& p, Keys keys) {
  // Its application window first, then the hotkey: probing only once the window exists
  // keeps our registrations out of its way.
  if (!WaitFor([&] { return WindowOf(p, L"TApplication", L"Vantrel") || !Running(p); }, 30000) || !Running(p))
    return false;
  // The hotkeys are registered after that window exists, while the form is made, and a
  // probe of ours at that moment would take Home from it (silently: it then runs without
  // Home). Its first wait for input comes after all that.
  if (!WaitFor([&] { return WaitForInputIdle(p.pi.hProcess, 0) != WAIT_TIMEOUT; }, 30000)) return false;
  // Input idle can also come earlier (a wait for the shell's tray while the icon is added,
  // before the hotkeys): the atom of the last of the seven hotkeys (Shift+Ctrl+stop key, 0x6000
  // above the key: 0x6023 for End) is added just before that one is registered, so the start
  // key, the first, is registered by then and a probe can no longer take it from Vantrel. A
  // stale atom of an ended run only means the probe comes as early as before.
  const std::wstring atom = L"HotKeyManagerHotKey" + std::to_wstring(0x6000 | keys.stop);
  WaitFor([&] { return GlobalFindAtomW(atom.c_str()) != 0; }, 10000);
  return WaitFor([&] { return HotKeyHeldElsewhere(0, keys.start); }, 10000);
}

bool CloseAndWait(Proc& p, DWORD& code, double timeoutMs) {
  HWND form = WindowOf(p, L"TForm1", L"Vantrel");
  if (!form) return false;
  PostMessageW(form, WM_CLOSE, 0, 0);
  return WaitExit(p, timeoutMs, code);
}

}  // namespace kit
