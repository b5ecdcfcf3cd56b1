// A player's first session with the released zip, end to end under Wine: Vantrel.exe started
// from a folder with a Japanese name, its options set through the tray icon, clicking with
// Home and End, the Ctrl lock from the left-button menu, About, the guide and Exit from the
// right-button menu.
//
//   e2e_journey.exe <C:\folder\Vantrel-<version>\<bits>\Vantrel.exe>
//
// The prefix opens .pdf files with shell_recorder.exe beside this driver, which writes
// opened.txt there.
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed"; exits 0 only when
// every check passed.

#include "kit/Driver.h"
#include "kit/Files.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Screen.h"
#include "kit/Target.h"
#include "kit/Wait.h"

#include "VantrelSeen.h"

#include <algorithm>

using namespace kit;

const char kDriverArguments[] = "";

namespace {

std::wstring g_dir;  // the exe's folder, with its backslash

std::wstring Text(HWND w) { return WindowText(w); }
std::string IniValue(const char* key) { return kit::IniValue(g_dir + L"Vantrel.ini", key); }

// What the shell was asked to open: the file shell_recorder.exe writes beside this driver.
std::wstring Opened() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"opened.txt";
}

// The screen once `w` has painted what it has pending.
void Shot(HWND w, const wchar_t* step) {
  if (w) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  kit::Shot(step);
}

// Whether `got` names the file `want`: the same path, or its short or long form.
bool SameFile(std::wstring got, const std::wstring& want) {
  got.erase(std::remove(got.begin(), got.end(), L'"'), got.end());
  wchar_t shortName[MAX_PATH] = {}, longName[MAX_PATH] = {};
  GetShortPathNameW(want.c_str(), shortName, MAX_PATH);
  GetLongPathNameW(got.c_str(), longName, MAX_PATH);
  return lstrcmpiW(got.c_str(), want.c_str()) == 0 || lstrcmpiW(got.c_str(), shortName) == 0 ||
         lstrcmpiW(longName, want.c_str()) == 0;
}

}  // namespace

int Drive(const TDriverArgs& args) {
  SetProcessDPIAware();  // our coordinates unscaled, as Vantrel's
  const std::wstring& exe = args.exe;
  g_dir = args.dir;
  // The version this build writes into the exe, which its About box must show.
  const std::string version = VANTREL_VERSION;
  const std::wstring openedFile = Opened();
  DeleteFileW(openedFile.c_str());
  Note("Vantrel %s at %s", version.c_str(), Utf8(exe).c_str());

  // The target on the right, clear of the options window (at 0,0) and the taskbar.
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  RECT area{sw - 240, 16, sw - 16, sh - 120};
  if (!Check(CreateTarget(area, false), "target window created", "a window", LastError))
    return Summary();
  EnsureModifiersUp("at the start");

  // --- 1. started, its icon in the tray ------------------------------------------------------
  TVantrelSeen v;
  POINT icon{};
  const bool started = StartReady(exe, v.p) && WaitFor([&] { return TrayIcon(icon); }, 10000);
  Shot(nullptr, L"1-tray");
  if (!Check(started, "Vantrel starts from the unpacked zip, holds Home and shows its tray icon", "ready, icon",
             [&] { return Format("running %d, %s", Running(v.p), LastError().c_str()); }))
    return Summary();
  v.FindForm();

  // --- 2. options by a middle click, 200 typed, OK clicked -------------------------------------
  bool options = v.ClickTray(Btn::Middle) && WaitFor([&] { return IsWindowVisible(v.form) != 0; }, 5000) &&
                 v.TypeInterval("200");
  Shot(v.form, L"2-options");
  options = options && MouseClick(Middle(v.Ok())) && WaitFor([&] { return !IsWindowVisible(v.form); }, 5000) &&
            WaitFor([] { return IniValue("IntTime") == "200"; }, 3000);
  Check(options, "a middle click shows the options, 200 typed, a click on OK hides them and saves IntTime=200",
        "hidden, 200", [&] {
          return Format("visible %d, field \"%s\", IntTime=%s", IsWindowVisible(v.form),
                        Utf8(Text(v.IntTime())).c_str(), IniValue("IntTime").c_str());
        });

  // --- 3. Home and End -------------------------------------------------------------------------
  size_t from = 0;
  double period = 0;
  bool stopped = false;
  {
    const TScreenCover cover({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    if (StartAndWait(6, from)) {
      const std::vector<size_t> d = LeftDownsFrom(from);
      period = MeanPeriod(d, 1, d.size() - 1);
    }
    stopped = StopAndWait(200);
  }
  Note("%u downs, mean period %.1f ms", static_cast<unsigned>(CountLeftDownsFrom(from)), period);
  Check(period > 160 && period < 280 && stopped, "Home clicks on the target every 200 ms, End stops",
        "160..280 ms, stopped", Format("%u downs, %.1f ms, stopped %d", static_cast<unsigned>(CountLeftDownsFrom(from)),
                                       period, stopped));

  // --- 4. the lock menu: Enter on Ctrl Key Lock ------------------------------------------------
  HWND menu = nullptr;
  bool locked = v.ClickTray(Btn::Left) &&
                WaitFor([&] { return (menu = VisibleWindowOf(v.p, L"#32768")) != nullptr; }, 5000);
  Shot(menu, L"4-lockmenu");
  Chord(0, VK_DOWN);
  Chord(0, VK_RETURN);
  locked = locked && WaitFor([&] { return SendMessageW(v.CtrlLock(), BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000);
  Check(locked, "a left click opens the lock menu; Enter on its first entry checks Ctrl Key Lock", "checked",
        [&] { return Format("menu %d, check %ld", menu != nullptr,
                            static_cast<long>(SendMessageW(v.CtrlLock(), BM_GETCHECK, 0, 0))); });

  // --- 5. About ----------------------------------------------------------------------------------
  const std::wstring wantVersion = L"FileVersion : " + Wide(version);
  MessageBoxSeen about;
  const bool aboutShown = v.Choose('A') && WaitFor([&] {
    about = MessageBoxOf(v.p);
    return about.text.find(wantVersion) != std::wstring::npos;
  }, 5000);
  Shot(about.box, L"5-about");
  Check(aboutShown && about.caption == L"情報", "right-button menu, A: the About box shows " + Utf8(wantVersion),
        "caption 情報", [&] { return "\"" + Utf8(about.caption) + "\": " + Shown(Utf8(about.text)); });
  if (about.box) {
    WaitFor([&] { return GetForegroundWindow() == about.box; }, 3000);
    Chord(0, VK_RETURN);
  }
  Check(WaitFor([&] { return !MessageBoxOf(v.p).box; }, 5000), "Enter closes the About box", "closed", "still shown");

  // --- 6. the guide --------------------------------------------------------------------------------
  const std::wstring pdf = g_dir + L"Vantrel.pdf";
  std::string opened;
  const bool help = v.Choose('H') && WaitFor([&] {
    return ReadBytes(openedFile, opened) && opened.find('\n') != std::string::npos;
  }, 20000);
  const std::wstring got = Wide(opened.substr(0, opened.find('\r')));
  Note("the shell opened %s", Shown(opened).c_str());
  Check(help && SameFile(got, pdf), "right-button menu, H: the shell opens " + Utf8(pdf), "that file",
        [&] { return Shown(opened); });

  // --- 7. Exit ----------------------------------------------------------------------------------------
  DWORD code = 0xFFFFFFFF;
  const bool exited = v.Choose('X') && WaitExit(v.p, 10000, code) && code == 0;
  const bool gone = WaitFor([&] { return !TrayIcon(icon); }, 5000);
  Shot(nullptr, L"7-exited");
  Check(exited && gone && IniValue("IntTime") == "200" && IniValue("CtrlLock") == "1" && !KeyDown(VK_CONTROL) &&
            !KeyDown(VK_SHIFT) && !KeyDown(VK_LBUTTON) && !KeyDown(VK_RBUTTON) && !KeyDown(VK_MBUTTON),
        "right-button menu, X: exit 0, IntTime=200 and CtrlLock=1 saved, nothing held, the icon gone",
        "exit 0, 200, 1", [&] {
          return Format("exit %lu, IntTime=%s CtrlLock=%s, Ctrl %d Shift %d buttons %d%d%d, icon gone %d", code,
                        IniValue("IntTime").c_str(), IniValue("CtrlLock").c_str(), KeyDown(VK_CONTROL),
                        KeyDown(VK_SHIFT), KeyDown(VK_LBUTTON), KeyDown(VK_RBUTTON), KeyDown(VK_MBUTTON), gone);
        });
  Kill(v.p);
  return Summary();
}
