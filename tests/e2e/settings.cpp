// End-to-end driver for the settings file: Vantrel.exe under Wine keeps its options per
// Windows user in Vantrel.ini beside it, uses them for the next Home, leaves other users'
// sections alone and says so when the file cannot be written.
//
//   e2e_settings.exe <path\to\Vantrel.exe>
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed"; exits 0 only when
// every check passed. Screenshots go to shots\ beside the exe.

#include "kit/Driver.h"
#include "kit/Files.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Screen.h"
#include "kit/Target.h"
#include "kit/Wait.h"

#include <cstring>

using namespace kit;

const char kDriverArguments[] = "";

namespace {

std::wstring g_dir;  // the exe's folder, with its backslash

std::wstring IniPath() { return g_dir + L"Vantrel.ini"; }

// End presses that reached the system input stream injected by someone else than us.
struct KeySeen {
  DWORD vk;
  bool up;
  bool injected;
};
std::vector<KeySeen> g_keys;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION) {
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
    g_keys.push_back({k->vkCode, (k->flags & LLKHF_UP) != 0, (k->flags & LLKHF_INJECTED) != 0});
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

bool SawEndPressAndRelease(size_t from) {
  bool down = false;
  for (size_t i = from; i < g_keys.size(); ++i)
    if (g_keys[i].vk == VK_END && g_keys[i].injected) {
      if (!g_keys[i].up) down = true;
      else if (down) return true;
    }
  return false;
}

size_t CountDowns(Btn b, size_t from, bool* other = nullptr) {
  size_t n = 0;
  for (size_t i = from; i < Events().size(); ++i) {
    if (!Events()[i].down) continue;
    if (Events()[i].button == b) ++n;
    else if (other) *other = true;
  }
  return n;
}

double MeanDownPeriod(Btn b, size_t from) {
  std::vector<long long> t;
  for (size_t i = from; i < Events().size(); ++i)
    if (Events()[i].down && Events()[i].button == b) t.push_back(Events()[i].when);
  return t.size() < 2 ? 0 : Ms(t.back() - t.front()) / static_cast<double>(t.size() - 1);
}

std::string Section(const std::string& user) {
  return "[" + user + "]\r\nForm1Top=0\r\nForm1Left=0\r\nButtonClick=0\r\nCtrlLock=0\r\n"
         "ShiftLock=0\r\nSpd=3\r\nIntTime=100\r\nAutoStop=0\r\nLockAndClick=0\r\nChkDot=0\r\n";
}

// Answers the message box of the process that has the given text with a button (OK unless
// said), after a screenshot.
bool AnswerBox(Proc& p, const std::wstring& text, const std::wstring& shot, std::string& got,
               WPARAM button = IDOK) {
  MessageBoxSeen seen;
  const bool shown = WaitFor([&] {
    seen = MessageBoxOf(p);
    return seen.box && seen.text == text;
  }, 15000);
  got = seen.box ? Utf8(seen.caption) + ": " + Utf8(seen.text) : "no message box";
  if (!shown) return false;
  // Painted before the picture is taken: the box belongs to another process, whose paint
  // this runs synchronously.
  RedrawWindow(seen.box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Shot(shot);
  PostMessageW(seen.box, WM_COMMAND, button, 0);
  return seen.caption == L"Vantrel" &&
         WaitFor([&] { return !IsWindow(seen.box); }, 10000);
}

}  // namespace

int Drive(const TDriverArgs& args) {
  const std::wstring& exe = args.exe;
  g_dir = args.dir;

  wchar_t name[257] = {};
  DWORD size = 256;
  GetUserNameW(name, &size);
  const std::string user = Utf8(name);
  Note("Windows user: %s", user.c_str());

  RECT area{};
  if (!Check(CreateTarget(area), "target window created", "a window", LastError)) return Summary();
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleW(nullptr), 0);
  Check(hook != nullptr, "keyboard hook installed", "a hook", LastError);
  const POINT A{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  MoveCursor(A);
  EnsureModifiersUp("at the start");

  // --- 1. a first run without a settings file writes the user's section at exit ------------
  {
    DeleteFileW(IniPath().c_str());
    Proc p;
    Check(StartReady(exe, p), "Vantrel starts and holds its hotkeys", "ready", "not ready");
    std::string bytes;
    Check(!ReadBytes(IniPath(), bytes), "nothing is written while it runs", "no file", Shown(bytes));
    DWORD code = 0;
    Check(CloseAndWait(p, code) && code == 0, "WM_CLOSE to the hidden main window ends it with 0",
          "exit 0", Format("exit %lu", code));
    ReadBytes(IniPath(), bytes);
    Check(bytes == Section(user), "the first save writes the ten keys in order", Shown(Section(user)),
          Shown(bytes));
    Kill(p);
  }

  // --- 2. a seeded section changes what Home does; another user's section stays --------------
  const std::string other = "[hanako]\r\nIntTime=5\r\nButtonClick=2\r\nCtrlLock=1\r\n";
  {
    WriteBytes(IniPath(), other + "[" + user + "]\r\nIntTime=50\r\nButtonClick=1\r\nAutoStop=1\r\n"
                                  "ChkDot=5\r\nCtrlLock=1\r\nLockAndClick=1\r\n");
    Proc p;
    Check(StartReady(exe, p), "Vantrel starts with the seeded settings", "ready", "not ready");
    MoveCursor(A);
    Pump();
    const size_t from = Events().size();
    Chord(0, VK_HOME);
    bool other_button = false;
    const bool clicking = WaitFor([&] { return CountDowns(Btn::Right, from, &other_button) >= 12; });
    Check(clicking && !other_button, "Home clicks the right button", "12 right-button downs",
          Format("%u right, other button: %d", static_cast<unsigned>(CountDowns(Btn::Right, from)), other_button));
    const double period = MeanDownPeriod(Btn::Right, from);
    Check(period > 40 && period < 70, "at about the seeded 50 ms", "40..70 ms",
          Format("%.1f ms", period));
    Check(KeyDown(VK_CONTROL), "the Ctrl lock holds Ctrl while clicking", "Ctrl down", "Ctrl up");

    POINT moved{A.x + 5, A.y + 5};
    MoveCursor(moved);
    const size_t before = CountDowns(Btn::Right, from);
    Check(WaitFor([&] { return CountDowns(Btn::Right, from) >= before + 4; }),
          "a move of 5 pixels on each axis is within the tolerance", "clicks go on", "clicking stopped");

    const size_t keysFrom = g_keys.size();
    MoveCursor({moved.x + 20, moved.y});
    Check(WaitFor([&] { return SawEndPressAndRelease(keysFrom); }),
          "a move of 20 pixels stops it: End is pressed and released", "injected End down and up",
          "no End");
    Check(WaitFor([] { return !KeyDown(VK_CONTROL); }, 5000), "the End that comes back releases Ctrl",
          "Ctrl up", "Ctrl still down");
    const size_t stoppedAt = CountDowns(Btn::Right, from);
    Observe(300);
    Check(CountDowns(Btn::Right, from) <= stoppedAt + 1, "no clicks after the stop",
          Format("at most %u", static_cast<unsigned>(stoppedAt + 1)),
          Format("%u", static_cast<unsigned>(CountDowns(Btn::Right, from))));

    DWORD code = 0;
    Check(CloseAndWait(p, code) && code == 0, "it ends with 0 after WM_CLOSE", "exit 0",
          Format("exit %lu", code));
    std::string bytes;
    ReadBytes(IniPath(), bytes);
    Check(bytes.compare(0, other.size(), other) == 0, "another user's section is left as it was",
          Shown(other), Shown(bytes.substr(0, other.size())));
    for (const char* kv : {"IntTime=50\r\n", "ButtonClick=1\r\n", "AutoStop=1\r\n", "ChkDot=5\r\n",
                           "CtrlLock=1\r\n", "LockAndClick=1\r\n"})
      Check(bytes.find(kv, other.size()) != std::string::npos,
            Format("the user's %.*s is kept", static_cast<int>(std::strlen(kv) - 2), kv), kv,
            Shown(bytes));
    Kill(p);
    EnsureModifiersUp("after the seeded run");
  }

  // --- 3. a settings file that cannot be written: the close shows the error and asks -------
  {
    DeleteFileW(IniPath().c_str());
    Check(CreateDirectoryW(IniPath().c_str(), nullptr) != 0,
          "a folder stands where the settings file would go", "created", LastError);
    const std::wstring detail = IniPath() + L" に書き込めません.";
    const std::wstring question = L"設定を保存できませんでした。保存せずに終了しますか？";
    // The close (as Exit from the menu posts it), answered with button: both errors, then
    // the question.
    const auto closeAndAnswer = [&](Proc& p, WPARAM button, const wchar_t* shot) {
      PostMessageW(WindowOf(p, L"TForm1", L"Vantrel"), WM_CLOSE, 0, 0);
      std::string got;
      Check(AnswerBox(p, L"Can not save to IniFile", L"save-error", got),
            "closing says \"Can not save to IniFile\"", "Vantrel: Can not save to IniFile", got);
      Check(AnswerBox(p, detail, L"save-error-detail", got), "then the error itself is shown",
            "Vantrel: " + Utf8(detail), got);
      Check(AnswerBox(p, question, shot, got, button), "then it asks whether to end without saving",
            "Vantrel: " + Utf8(question), got);
    };
    Proc p;
    Check(StartReady(exe, p), "Vantrel starts beside it", "ready", "not ready");
    closeAndAnswer(p, IDNO, L"save-error-question");
    Observe(500);
    Check(Running(p), "No: the program keeps running", "running", "ended");
    Check(HotKeyHeldElsewhere(0, VK_HOME), "and keeps its hotkeys", "Home held", "Home free");

    // The end of the session is never refused, and shows nothing: the system would not wait.
    DWORD_PTR answer = 0;
    const bool answered = SendMessageTimeoutW(WindowOf(p, L"TForm1", L"Vantrel"), WM_QUERYENDSESSION, 0, 0,
                                              SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    Check(answered && answer == TRUE, "WM_QUERYENDSESSION is answered TRUE", "TRUE",
          answered ? Format("%lu", static_cast<unsigned long>(answer)) : "no answer");
    Observe(500);
    Check(MessageBoxOf(p).box == nullptr, "and no box comes up", "no box", Utf8(MessageBoxOf(p).text));

    // Yes ends it as Exit does: clicking stops, nothing stays pressed, code 0.
    MoveCursor(A);
    size_t from = 0;
    Check(StartAndWait(3, from), "Home clicks", ">= 3 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    closeAndAnswer(p, IDYES, L"save-error-question-yes");
    DWORD code = 0;
    Check(WaitExit(p, 10000, code) && code == 0, "Yes: the program ends with 0", "exit 0",
          Format("exit %lu", code));
    Check(WaitClickingStopped(), "clicking stopped with it", "stopped", NotStopped);
    Check(ModifiersUp() && !KeyDown(VK_LBUTTON), "nothing is left pressed", "all up", "a key or button down");
    Check(!HotKeyHeldElsewhere(0, VK_HOME), "its hotkeys are free", "Home free", "Home held");
    const DWORD attributes = GetFileAttributesW(IniPath().c_str());
    Check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
          "the folder is left as it was", "a folder", Format("attributes %lx", attributes));
    Kill(p);

    RemoveDirectoryW(IniPath().c_str());
    Proc q;
    Check(StartReady(exe, q), "once the folder is gone, Vantrel starts again", "ready", "not ready");
    Check(CloseAndWait(q, code) && code == 0, "and the next close saves and ends",
          "exit 0", Format("exit %lu", code));
    std::string bytes;
    ReadBytes(IniPath(), bytes);
    Check(bytes == Section(user), "and writes the section", Shown(Section(user)), Shown(bytes));
    Kill(q);
  }

  if (hook) UnhookWindowsHookEx(hook);
  return Summary();
}
