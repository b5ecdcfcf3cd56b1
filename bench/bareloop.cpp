// Reference loop for the click-rate benchmark: the plainest program that clicks the way
// Vantrel's worker does, so that Vantrel's measured rate has something to be held against.
//
//   bareloop.exe <interval ms> <clicks>
//
// Each cycle: read the cursor, press, hold, release, wait; hold and wait split the interval
// as Vantrel does (20 ms hold above 20 ms; at or below, half each, the odd ms to the hold).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bareloop <interval ms> <clicks>\n");
    return 2;
  }
  const long interval = std::strtol(argv[1], nullptr, 10);
  const long clicks = std::strtol(argv[2], nullptr, 10);
  if (interval < 1 || clicks < 1) {
    std::fprintf(stderr, "bareloop: interval and clicks must be positive\n");
    return 2;
  }
  long hold, wait;
  if (interval > 20) {
    hold = 20;
    wait = interval - 20;
  } else {
    wait = interval / 2;
    hold = wait + interval % 2;
  }

  // Without this Sleep rounds up to the scheduler tick on Windows.
  timeBeginPeriod(1);
  for (long i = 0; i < clicks; ++i) {
    POINT p;
    GetCursorPos(&p);
    mouse_event(MOUSEEVENTF_LEFTDOWN, static_cast<DWORD>(p.x), static_cast<DWORD>(p.y), 0, 0);
    Sleep(static_cast<DWORD>(hold));
    mouse_event(MOUSEEVENTF_LEFTUP, static_cast<DWORD>(p.x), static_cast<DWORD>(p.y), 0, 0);
    Sleep(static_cast<DWORD>(wait));
  }
  timeEndPeriod(1);
  return 0;
}
