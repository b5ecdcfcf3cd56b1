// The target: a window of the driver's that records every button event it receives (where,
// and when), the queries on those events, and the scenarios that press Vantrel's hotkeys and
// watch the clicks land on it.
#pragma once

#include "Input.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace kit {

struct ButtonEvent {
  Btn button;
  bool down;
  POINT at;        // screen coordinates
  long long when;  // the performance counter when the target saw it
  DWORD sent;      // the message's time (GetMessageTime): the tick when the input was queued
};

// Every button event the target has received, in order.
std::vector<ButtonEvent>& Events();
HWND Target();
// The target's window procedure, for a driver's subclass to pass messages on to.
LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
// The target over `area` (all the screen but a margin when empty), shown and in front;
// topmost unless it has to share the screen with windows the test looks at.
bool CreateTarget(RECT& area, bool topmost = true);

size_t CountLeftDownsFrom(size_t from);
std::vector<size_t> LeftDownsFrom(size_t from);
bool AnyOtherButtonFrom(size_t from);
// Mean spacing in ms between consecutive downs d[first..last].
double MeanPeriod(const std::vector<size_t>& d, size_t first, size_t last);
// The first left-button event from `from` on that breaks down, up, down, up... (a leading up
// belongs to a click begun before `from`), or SIZE_MAX.
size_t FirstAlternationBreak(size_t from);
// Mean time the button was held, over the down/up pairs from `from` on.
double MeanHold(size_t from, int& pairs);
// Whether the downs d[first..] all landed at p; the first that did not in `bad`.
bool AllDownsAt(const std::vector<size_t>& d, size_t first, POINT p, POINT& bad);

// For its lifetime the target covers the whole screen, on top, with the cursor at `at`:
// under Wine a program that reads the X events of an earlier cursor move late puts the cursor
// back there (seen: on the tray icon once clicking began), and clicks must still land on the
// target. Its crossings are handled (see HandleCrossings) before the caller presses keys.
class TScreenCover {
 public:
  explicit TScreenCover(POINT at);
  ~TScreenCover();
  TScreenCover(const TScreenCover&) = delete;
  TScreenCover& operator=(const TScreenCover&) = delete;

 private:
  RECT FWas{};
  bool FWasTopmost = false;
};

const double kInterval = 100;  // Vantrel's default interval, ms
const double kMinPeriod = 80, kMaxPeriod = 130;

// After End: waits until the button has been up for longer than a whole cycle.
bool WaitClickingStopped(double intervalMs = kInterval);
// Why WaitClickingStopped gave up, for the report.
std::string NotStopped();
// Presses Home (or the start key given) and waits for n downs after it; `from`: the index
// where they start.
bool StartAndWait(size_t n, size_t& from, double timeoutMs = 10000, WORD startKey = VK_HOME);
bool StopAndWait(double intervalMs = kInterval, WORD stopKey = VK_END);

}  // namespace kit
