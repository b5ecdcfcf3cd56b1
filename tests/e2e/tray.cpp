// Tray end-to-end driver: Vantrel's icon in the notification area of a Wine virtual desktop's
// taskbar, watched through the screen's pixels at rest, while Home clicks and after End, and
// gone once Vantrel has ended. Home's clicks land on a target along the top of the screen,
// away from the taskbar.
//   - at rest the tray shows an icon (its dark outline on the taskbar) without red;
//   - after Home the picture changes to one with red (the frame of image 1), and while
//     clicking goes on it also comes back to the rest picture (the animation alternates);
//   - after End the rest picture returns and stays;
//   - after WM_CLOSE the icon has left the tray.
// (Without a virtual desktop Wine shows tray icons in a small "Wine System Tray" window of its
// own, which draws a changed icon over the old one without erasing it: a picture with
// transparent parts, image 0, then never hides the red frame of image 1.)
//
//   e2e_tray.exe <path\to\Vantrel.exe> [--no-tray]
//
// With --no-tray (no taskbar: run-planted-dll.sh) only the start, Home, End and the close are
// checked. Screenshots: the screen and the tray enlarged 8 times, at each step.

#include "kit/Driver.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Screen.h"
#include "kit/Target.h"
#include "kit/Wait.h"

using namespace kit;

const char kDriverArguments[] = "[--no-tray]";

namespace {

// Pixels of a colour class: dark (the icon's outline) or red (image 1's frame).
bool IsRed(std::uint32_t c) { return Red(c) > 153 && Green(c) < 76 && Blue(c) < 76; }

template <class TClass>
int Count(const TScreenPixels& s, TClass is) {
  int n = 0;
  for (std::uint32_t c : s.px) n += is(c);
  return n;
}

// The screen and the tray enlarged, for a person to look at.
void Keep(const wchar_t* step) {
  Shot(std::wstring(step) + L"-screen");
  Shot(step, TrayArea(), 8);
}

}  // namespace

int Drive(const TDriverArgs& args) {
  const bool tray = args.more.empty();
  if (!tray && args.more[0] != L"--no-tray") return Usage();
  // The target along the top of the screen, clear of the taskbar and the tray icon, whose
  // own clicks would open things.
  RECT area{16, 16, GetSystemMetrics(SM_CXSCREEN) - 16, 120};
  if (!Check(CreateTarget(area), "target window created", "a window", LastError)) return Summary();
  Proc vantrel;
  const bool ready = StartReady(args.exe, vantrel);
  Check(ready, "Vantrel starts and serves its hotkeys", "ready", [&] {
    return Running(vantrel) ? std::string("Home not held") : "not running (" + LastError() + ")";
  });
  if (!ready) {
    Kill(vantrel);
    return Summary();
  }
  MoveCursor({(area.left + area.right) / 2, (area.top + area.bottom) / 2});

  RECT where = TrayArea();
  if (tray && !Check(!IsRectEmpty(&where), "Wine shows its virtual desktop with a taskbar", "Shell_TrayWnd",
                     "no taskbar")) {
    Kill(vantrel);
    return Summary();
  }
  const auto now = [&] { return GrabScreen(where); };
  TScreenPixels rest;
  if (tray) {
    // At rest: an icon, and no red in it.
    rest = now();
    Keep(L"rest");
    const int dark = Count(rest, Dark), red = Count(rest, IsRed);
    Check(dark >= 20, "at rest the tray shows the mouse icon", ">= 20 dark pixels in the tray",
          std::to_string(dark));
    Check(red == 0, "at rest the icon has no red frame", "0 red pixels", std::to_string(red));
  }

  // Clicking: image 1 shows within a few periods, and the picture alternates.
  size_t from = 0;
  Check(StartAndWait(3, from), "Home starts clicking", ">= 3 button-downs on the target",
        [&] { return std::to_string(CountLeftDownsFrom(from)); });
  if (tray) {
    bool seenRed = false, seenBack = false;
    WaitFor([&] {
      const TScreenPixels s = now();
      if (!seenRed && s != rest && Count(s, IsRed) >= 20) {
        seenRed = true;
        Keep(L"clicking");
      } else if (seenRed && s == rest) {
        seenBack = true;
        Keep(L"clicking-rest-frame");
      }
      return seenBack;
    });
    Check(seenRed, "while clicking the tray shows the red-framed image", ">= 20 red pixels", "none");
    Check(seenBack, "while clicking the icon returns to the rest image (it alternates)", "the rest image again",
          "never");
  }

  // After End: the rest image comes back and stays there for several periods.
  Check(StopAndWait(), "End stops clicking", "stopped", NotStopped);
  if (tray) {
    Check(WaitFor([&] { return now() == rest; }, 5000), "after End the rest image is shown", "the rest image",
          "another picture");
    // 2 s are several animation periods.
    const bool still = TrayStays(rest, 2000);
    Keep(L"stopped");
    Check(still, "after End the icon stays at rest (no animation)", "the rest image for 2 s", "it changed");
  }

  // Closing: the icon leaves the tray.
  const HWND app = AppWindowOf(vantrel).found;
  if (app) PostMessageW(app, WM_CLOSE, 0, 0);
  DWORD code = 0;
  const bool ended = app && WaitExit(vantrel, 20000, code);
  Check(ended && code == 0, "Vantrel ends on WM_CLOSE with exit code 0", "exit 0",
        [&] { return ended ? Format("exit %lu", code) : std::string("still running"); });
  if (tray) {
    POINT centre{};
    int dark = 0;
    Check(WaitFor([&] { return (dark = TrayIconPixels(centre)) < 20; }, 5000),
          "after Vantrel has ended its icon is gone from the tray", "< 20 dark pixels", [&] {
            return std::to_string(dark);
          });
    Keep(L"closed");
  }
  Kill(vantrel);
  DestroyWindow(Target());
  return Summary();
}
