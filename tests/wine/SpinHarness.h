// What the numeric-field checks under Wine stand on beside the kit (tests/kit): the window
// of the fields, the choice between the program's own message loop and a plain one, spies
// that note what the field's windows receive, and the report's texts for edits and rectangles.
#pragma once

#include "platform/win32/Win32.h"

#include "kit/Input.h"
#include "kit/Report.h"
#include "kit/Screen.h"
#include "kit/Wait.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace harness {

using namespace kit;

bool CheckText(const std::string& got, const std::string& expected, const std::string& what);
std::string RectText(const RECT& r);
bool SameRect(const RECT& r, long left, long top, long right, long bottom);

// The window of the fields. While DialogKeys is set, the kit's waits handle messages through
// the program's own loop (ProgramPump: TWin32Windows::ProcessMessages), which gives the window
// with the focus dialog navigation; otherwise through a plain loop without a dialog manager.
extern HWND Host;
extern bool DialogKeys;
void UseProgramPump(std::function<void()> programPump);

POINT ScreenOf(HWND window, int x, int y);

// ---- what the windows saw ----
struct TSeen {
  int LeftDowns = 0, LeftUps = 0, RightDowns = 0, RightUps = 0, Timers = 0;
  POINT LastMove{};
  double LeftDownAt = 0;           // when the last left press arrived
  std::size_t StepsAtLeftUp = 0;   // Steps.size() when the last left release arrived
  std::size_t StepsAtMove = 0;     // … when the last move arrived
  int TimersAtMove = 0;
  std::vector<unsigned> Chars;
  int Pastes = 0;
};
extern TSeen Arrows;  // both fields' arrow pairs
extern TSeen Edits;   // both fields' edits
// When a field's text was written (its change event): the steps.
extern std::vector<double> Steps;
// Subclass procedures that note messages into Arrows and Edits, and pass them on.
LRESULT CALLBACK ArrowSpy(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref);
LRESULT CALLBACK EditSpy(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR ref);

// A screenshot of the screen and of Host cut out of it, enlarged 4 times, named name (a
// check of its own).
void Shot(const char* name);

}  // namespace harness
