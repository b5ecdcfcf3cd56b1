// End-to-end driver: runs Vantrel.exe as a user would meet it, through global hotkeys,
// and watches the clicks it produces land on a window of our own.
//
//   e2e_driver.exe <path\to\Vantrel.exe>
//
// Prints one line per check ("ok - ..." / "FAIL - ...: expected ..., got ...") and a final
// "N passed, M failed"; exits 0 only when every check passed.
//
// Every wait below is for a condition (pumping our window's messages meanwhile) with a
// generous timeout. The only fixed spans are observation windows that prove an absence
// ("no click after End"), which cannot be proved any other way.

#include <algorithm>

#include "kit/Driver.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Target.h"
#include "kit/Wait.h"

using namespace kit;

const char kDriverArguments[] = "";

int Drive(const TDriverArgs& args) {
  const std::wstring& exe = args.exe;
  const std::wstring copy = args.dir + L"Vantrel2.exe";

  RECT area{};
  if (!Check(CreateTarget(area), "target window created", "a window", LastError)) return Summary();
  const LONG w = area.right - area.left, h = area.bottom - area.top;
  const POINT A{area.left + w / 2, area.top + h / 2};
  const POINT P{area.left + w / 4, area.top + h / 4};
  const POINT Q{area.left + 3 * w / 4, area.top + 3 * h / 4};
  const POINT R{area.left + w / 3, area.top + 2 * h / 3};
  const POINT S{area.left + 2 * w / 3, area.top + h / 3};
  Check(MoveCursor(A), "cursor can be placed on the target", Pt(A), [] { return Pt(Cursor()); });
  EnsureModifiersUp("at the start");

  Proc first, second, renamed;
  bool ready = false;

  // --- a. readiness, then Home clicks at the cursor at about the interval -------------
  {
    Check(!HotKeyHeldElsewhere(0, VK_HOME), "Home is free before Vantrel starts", "registrable",
          "held by someone");
    const long long t0 = Now();
    if (Check(Start(exe, first), "Vantrel starts", "CreateProcess succeeds", LastError)) {
      // The application window first, then the hotkeys: probing only once the window
      // exists keeps our momentary registrations out of the way of Vantrel's own.
      FindAppWindow f{0};
      const bool window = WaitFor(
                              [&] {
                                f = AppWindowOf(first);
                                return f.found != nullptr || !Running(first);
                              },
                              30000) &&
                          f.found;
      Check(window, "Vantrel creates its TApplication window \"Vantrel\"", "a window",
            Running(first) ? "none within 30 s" : "the process ended");
      WaitForInputIdle(first.pi.hProcess, 10000);
      int probesTaken = 0;
      ready = window && WaitFor(
                            [&] {
                              if (!HotKeyHeldElsewhere(0, VK_HOME)) {
                                ++probesTaken;
                                return false;
                              }
                              return true;
                            },
                            30000);
      Check(ready, "Vantrel holds the Home hotkey", "registration refused",
            Running(first) ? "still registrable after 30 s" : "the process ended");
      Note("ready %.0f ms after start; %d probe(s) found Home still free", Ms(Now() - t0),
           probesTaken);
      if (ready) {
        Check(AppWindowOf(first).visible == 0, "Vantrel shows no window", "0 visible windows",
              Format("%d", AppWindowOf(first).visible));
      }
    }
    if (ready) {
      size_t from = 0;
      const bool got = StartAndWait(11, from);
      Check(got, "Home starts clicking (11 clicks within 10 s)", ">= 11 button-downs",
            [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
      // Let the last click finish so every down has its up.
      WaitFor([] { return !Events().back().down; }, 2000);
      const std::vector<size_t> d = LeftDownsFrom(from);
      if (got) {
        const double mean = MeanPeriod(d, 0, 10);
        int holdPairs = 0;
        Note("mean period %.1f ms, mean hold %.1f ms", mean, MeanHold(from, holdPairs));
        Check(mean >= kMinPeriod && mean <= kMaxPeriod,
              "mean period of 10 clicks is about the 100 ms interval",
              Format("%.0f..%.0f ms", kMinPeriod, kMaxPeriod), Format("%.1f ms", mean));
        POINT bad{};
        Check(AllDownsAt(d, 0, A, bad), "every click lands at the cursor position", Pt(A),
              [&] { return Pt(bad); });
        const size_t brk = FirstAlternationBreak(from);
        Check(brk == SIZE_MAX, "every button-down is followed by a button-up",
              "down, up, down, up...",
              brk == SIZE_MAX ? ""
                              : Format("a %s at event %d", Events()[brk].down ? "down" : "up",
                                       static_cast<int>(brk)));
        int pairs = 0;
        const double hold = MeanHold(from, pairs);
        Check(pairs >= 10 && hold >= 5 && hold <= 60,
              "the button is held briefly (20 of the 100 ms)", "mean hold 5..60 ms",
              Format("%.1f ms over %d clicks", hold, pairs));
        Check(!AnyOtherButtonFrom(from), "only the left button is clicked", "left only",
              "right or middle events");
      }
    }
  }

  // --- b. a second Home starts no second worker ----------------------------------------
  if (ready) {
    size_t from = 0;
    const bool got = StartAndWait(12, from);
    Check(got, "clicking goes on after a second Home", ">= 12 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    if (got) {
      // The first two downs may predate the second Home's handling.
      const std::vector<size_t> d = LeftDownsFrom(from);
      const double mean = MeanPeriod(d, 2, 11);
      Check(mean >= kMinPeriod && mean <= kMaxPeriod,
            "the rate stays after a second Home (no second worker)",
            Format("mean period %.0f..%.0f ms", kMinPeriod, kMaxPeriod), Format("%.1f ms", mean));
      const size_t brk = FirstAlternationBreak(from);
      Check(brk == SIZE_MAX, "clicks still alternate down/up after a second Home",
            "down, up, down, up...",
            brk == SIZE_MAX ? "" : Format("break at event %d", static_cast<int>(brk)));
    }
  }

  // --- c. End stops clicking within one cycle, button up --------------------------------
  if (ready) {
    Pump();
    const size_t from = Events().size();
    const long long tEnd = Now();
    Chord(0, VK_END);
    // Absence of clicks can only be shown by watching: several cycles past the allowed one.
    Observe(static_cast<DWORD>(6 * kInterval));
    const std::vector<size_t> d = LeftDownsFrom(from);
    double lastDownAfter = -1;
    if (!d.empty()) lastDownAfter = Ms(Events()[d.back()].when - tEnd);
    const double allowed = kInterval + 100;  // one cycle plus slack for message delivery
    Check(d.size() <= 1 && lastDownAfter <= allowed, "End stops clicking within one cycle",
          Format("at most 1 down, none later than %.0f ms after End", allowed),
          Format("%d down(s), the last %.0f ms after End", static_cast<int>(d.size()),
                 lastDownAfter));
    const bool lastUp = Events().empty() || !(Events().back().down);
    Check(lastUp, "the last button event after End is an up", "up",
          Events().empty() ? "none" : "down");
    Check(!KeyDown(VK_LBUTTON), "the left button is not down after End", "up", "down");
    Check(WaitClickingStopped(), "no clicks while stopped", "quiet", NotStopped);
  }

  // --- d. Shift+Home pins the click point ------------------------------------------------
  if (ready) {
    EnsureModifiersUp("before pinning");
    Check(MoveCursor(P), "cursor moved to P", Pt(P), [] { return Pt(Cursor()); });
    Chord(MOD_SHIFT, VK_HOME);
    // Vantrel reads the cursor when it handles Shift+Home; hotkeys are handled in order,
    // so clicks from a following Home prove Shift+Home was handled while still at P.
    size_t from = 0;
    bool got = StartAndWait(2, from);
    Check(got, "Home after Shift+Home clicks", ">= 2 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    Check(StopAndWait(), "End stops clicking", "stopped", NotStopped);
    EnsureModifiersUp("after Shift+Home");

    Check(MoveCursor(Q), "cursor moved away to Q", Pt(Q), [] { return Pt(Cursor()); });
    got = StartAndWait(5, from);
    Check(got, "Home with a pinned point clicks", ">= 5 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    if (got) {
      const POINT c = Cursor();
      Check(c.x == P.x && c.y == P.y, "the cursor jumps back to the pinned point P", Pt(P), Pt(c));
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(from), 0, P, bad), "clicks land at the pinned point P", Pt(P),
            [&] { return Pt(bad); });
    }
    // Moving the cursor while pinned: the next clicks still go to P. (No waiting for the
    // cursor to reach Q here: the worker may already have put it back.)
    SetCursorPos(Q.x, Q.y);
    Pump();
    const size_t moved = Events().size();
    got = WaitFor([&] { return CountLeftDownsFrom(moved) >= 4; });
    if (got) {
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(moved), 1, P, bad),
            "clicks return to P after the cursor was moved away while clicking", Pt(P),
            [&] { return Pt(bad); });
    } else {
      Check(false, "clicking goes on while pinned", ">= 4 button-downs",
            [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(moved))); });
    }
    Check(StopAndWait(), "End stops pinned clicking", "stopped", NotStopped);
    Check(!KeyDown(VK_LBUTTON), "the left button is up after pinned clicking", "up", "down");
  }

  // --- e. Shift+End forgets the point: clicks follow the cursor again --------------------
  if (ready) {
    EnsureModifiersUp("before unpinning");
    Chord(MOD_SHIFT, VK_END);
    Check(MoveCursor(R), "cursor moved to R", Pt(R), [] { return Pt(Cursor()); });
    // Shift+End is handled before the Home that follows it.
    size_t from = 0;
    bool got = StartAndWait(5, from);
    Check(got, "Home after Shift+End clicks", ">= 5 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    if (got) {
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(from), 0, R, bad), "clicks land at the cursor R, not at P",
            Pt(R), [&] { return Pt(bad); });
      const POINT c = Cursor();
      Check(c.x == R.x && c.y == R.y, "the cursor stays at R", Pt(R), Pt(c));
    }
    Check(MoveCursor(S), "cursor moved to S while clicking", Pt(S), [] { return Pt(Cursor()); });
    Pump();
    const size_t moved = Events().size();
    got = WaitFor([&] { return CountLeftDownsFrom(moved) >= 6; });
    Check(got, "clicking goes on after the cursor moved", ">= 6 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(moved))); });
    if (got) {
      // The first down after the move may have been generated just before it.
      POINT bad{};
      Check(AllDownsAt(LeftDownsFrom(moved), 1, S, bad), "clicks follow the cursor to S", Pt(S),
            [&] { return Pt(bad); });
      const POINT c = Cursor();
      Check(c.x == S.x && c.y == S.y, "the cursor stays at S", Pt(S), Pt(c));
    }
    Check(StopAndWait(), "End stops clicking", "stopped", NotStopped);
    EnsureModifiersUp("after unpinning");
  }

  // --- f. exactly the seven combinations are held ------------------------------------------
  if (ready) {
    for (const Combo& c : kServed) {
      const bool held = HotKeyHeldElsewhere(c.mods, c.vk);
      Check(held, Format("Vantrel holds %s", ChordName(c.mods, c.vk).c_str()),
            "registration refused", "registrable");
    }
    const bool free = !HotKeyHeldElsewhere(MOD_CONTROL, VK_HOME);
    Check(free, "Ctrl+Home is not held", "registrable", "registration refused");
  }

  // --- g. single instance per file name -------------------------------------------------
  if (ready) {
    if (Check(Start(exe, second), "a second Vantrel from the same file starts",
              "CreateProcess succeeds", LastError)) {
      DWORD code = 0;
      const bool ended = WaitExit(second, 10000, code);
      Check(ended, "the second Vantrel exits at once", "exit within 10 s", "still running");
      if (ended) Check(code == 0, "the second Vantrel exits with code 0", "0", Format("%lu", code));
      Kill(second);
    }
    bool allHeld = true;
    for (const Combo& c : kServed) allHeld = allHeld && HotKeyHeldElsewhere(c.mods, c.vk);
    Check(allHeld, "the first Vantrel still holds all seven hotkeys", "all refused",
          "one registrable");
    Check(MoveCursor(A), "cursor moved to the middle", Pt(A), [] { return Pt(Cursor()); });
    size_t from = 0;
    Check(StartAndWait(3, from), "the first Vantrel still clicks on Home", ">= 3 button-downs",
          [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
    Check(StopAndWait(), "and stops on End", "stopped", NotStopped);

    const bool copied = CopyFileW(exe.c_str(), copy.c_str(), FALSE) != 0;
    if (!copied) RememberLastError();
    Check(copied, "Vantrel.exe copied to Vantrel2.exe", "a copy", LastError);
    if (copied &&
        Check(Start(copy, renamed), "Vantrel2.exe starts", "CreateProcess succeeds", LastError)) {
      FindAppWindow f{0};
      const bool window = WaitFor(
                              [&] {
                                f = AppWindowOf(renamed);
                                return f.found != nullptr || !Running(renamed);
                              },
                              30000) &&
                          f.found;
      Check(window, "Vantrel2.exe runs: it creates its own TApplication window", "a window",
            Running(renamed) ? "none within 30 s" : "the process ended");
      if (window) Note("Vantrel2.exe shows %d visible window(s)", AppWindowOf(renamed).visible);
      // The copy's hotkeys are refused; the first one keeps serving.
      bool held = true;
      for (const Combo& c : kServed) held = held && HotKeyHeldElsewhere(c.mods, c.vk);
      Check(held, "the hotkeys are still held while Vantrel2.exe runs", "all refused",
            "one registrable");
      Check(StartAndWait(3, from), "the first Vantrel still clicks on Home beside Vantrel2.exe",
            ">= 3 button-downs",
            [&] { return Format("%d", static_cast<int>(CountLeftDownsFrom(from))); });
      Check(StopAndWait(), "and stops on End", "stopped", NotStopped);
      Check(Running(renamed), "Vantrel2.exe is still running", "running", "ended");
      if (window) {
        PostMessageW(f.found, WM_CLOSE, 0, 0);
        DWORD code = 0;
        const bool ended = WaitExit(renamed, 10000, code);
        Check(ended, "Vantrel2.exe exits on WM_CLOSE", "exit within 10 s", "still running");
        if (ended) Check(code == 0, "Vantrel2.exe exits with code 0", "0", Format("%lu", code));
      }
    }
  }

  // --- h. WM_CLOSE ends Vantrel and frees the hotkeys ---------------------------------------
  if (first.started) {
    const FindAppWindow f = AppWindowOf(first);
    if (Check(f.found != nullptr, "Vantrel's application window is there to close", "a window",
              Running(first) ? "none" : "the process ended")) {
      PostMessageW(f.found, WM_CLOSE, 0, 0);
      DWORD code = 0;
      const bool ended = WaitExit(first, 10000, code);
      Check(ended, "Vantrel exits on WM_CLOSE", "exit within 10 s", "still running");
      if (ended) {
        Check(code == 0, "Vantrel exits with code 0", "0", Format("%lu", code));
        bool freed = true;
        for (const Combo& c : kServed) freed = freed && !HotKeyHeldElsewhere(c.mods, c.vk);
        Check(freed, "the hotkeys are free after Vantrel ended", "all registrable",
              "one still refused");
      }
    }
  }

  // --- i. ten copies started at the same instant: exactly one runs ------------------------
  {
    std::vector<Proc> copies(10);
    for (Proc& c : copies) {
      std::wstring cmd = L"\"" + exe + L"\"";
      STARTUPINFOW si{};
      si.cb = sizeof si;
      c.started = CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                 nullptr, args.dir.c_str(), &si, &c.pi) != 0;
    }
    for (Proc& c : copies)
      if (c.started) ResumeThread(c.pi.hThread);
    const auto running = [&] {
      return std::count_if(copies.begin(), copies.end(), [](const Proc& c) { return Running(c); });
    };
    // The others end at once, each with 0; the one that runs gets ready and holds the hotkeys.
    const bool settled = WaitFor([&] { return running() <= 1; }, 30000);
    const auto survivor = std::find_if(copies.begin(), copies.end(), [](const Proc& c) { return Running(c); });
    const bool ready = settled && survivor != copies.end() && WaitReady(*survivor);
    Check(ready && running() == 1, "of ten copies started at once exactly one runs, with the hotkeys",
          "1 running and ready", Format("%d running", static_cast<int>(running())));
    bool zero = true;
    for (Proc& c : copies) {
      DWORD code = 0;
      if (!Running(c) && (!GetExitCodeProcess(c.pi.hProcess, &code) || code != 0)) zero = false;
    }
    Check(zero, "the other nine end with 0", "exit 0 each", "another code");
    for (Proc& c : copies) {
      DWORD code = 0;
      if (Running(c)) CloseAndWait(c, code);
      Kill(c);
    }
  }

  ReleaseModifiers();
  Kill(first);
  Kill(second);
  Kill(renamed);
  DeleteFileW(copy.c_str());
  DestroyWindow(Target());
  return Summary();
}
