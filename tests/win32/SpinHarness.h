// What the numeric-field checks under Wine stand on: the report lines, waiting for
// conditions while the window's messages are pumped (through the dialog manager or not),
// injected keys and mouse input, spies that note what the field's windows receive, pixels of
// a window, and screenshots taken by the script that runs the program.
#pragma once

#include "platform/win32/Win32.h"

#include "../support/TestReport.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace harness {

// ---- reporting ----
using report::Check;
using report::Format;
using report::Summary;
void Note(const std::string& text);
// Control characters as escapes (\r, \n, \xNN), so that a text stays on its report line.
std::string Escaped(const std::string& text);
bool CheckText(const std::string& got, const std::string& expected, const std::string& what);
std::string RectText(const RECT& r);
bool SameRect(const RECT& r, long left, long top, long right, long bottom);

// ---- time and waiting ----
double NowMs();
// The window of the fields. While DialogKeys is set, messages go through the program's own
// loop (ProgramPump: TWin32Windows::ProcessMessages), which gives the window with the focus
// dialog navigation; otherwise through a plain loop without a dialog manager.
extern HWND Host;
extern bool DialogKeys;
extern std::function<void()> ProgramPump;
void Pump();
// Pumps messages until cond() holds or the time is up; cond()'s last value.
bool WaitFor(const std::function<bool()>& cond, double timeoutMs = 5000);

// ---- input ----
void Tap(WORD vk);
void Chord(WORD modifier, WORD vk);
void MouseTo(POINT screen);
void Button(DWORD mouseEventFlag);
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

// ---- pictures ----
// The window's client pixels as 0x00RRGGBB, row by row.
std::vector<std::uint32_t> Pixels(HWND window, int& width, int& height);
// With a shot folder set: asks the running script for a screenshot of Host named name and
// waits for it (a check of its own).
extern std::wstring ShotFolder;
void Shot(const char* name);

}  // namespace harness
