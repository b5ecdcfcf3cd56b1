// The options window's two numeric fields on the real system, driven by injected input.
// A window like the options window holds IntTime (1 to 86400000, step 10) and ChkDot (0 to
// 99, step 1, at most 2 characters) made by the same code as Vantrel.exe's, in a 12-pixel
// Japanese Gothic font, with a check box and OK / Cancel buttons around them. Keys and the
// mouse go in through SendInput; every check waits for a condition (a message seen, a text,
// the focus), never for a fixed time.
//
//   wine_spin_edit.exe
//
// Prints "ok - ..." / "FAIL - ...: expected ..., got ..." lines and "N passed, M failed";
// its screenshots go to shots\ beside it (tests/kit/Screen.h).
#include "platform/win32/Win32Drawing.h"
#include "platform/win32/Win32System.h"
#include "framework/Form.h"
#include "framework/WindowParams.h"
#include "ui/Spin.h"

#include "SpinHarness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

using namespace harness;

namespace {

int OkPresses = 0, CancelPresses = 0, Closes = 0, Beeps = 0;

// The options window's stand-in: answers the dialog manager's default-button question and
// counts what reaches OK, Cancel and closing.
class THost final : public IMessageHandler {
public:
  explicit THost(IWindows& windows) : FWindows(windows) {}
  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override {
    switch (msg) {
      case DM_GETDEFID: return MAKELONG(IDOK, DC_HASDEFID);
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) ++OkPresses;
        if (LOWORD(wParam) == IDCANCEL) ++CancelPresses;
        return 0;
      case WM_CLOSE: ++Closes; return 0;
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(ToHwnd(window), &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      default: return FWindows.DefaultProc(window, msg, wParam, lParam);
    }
  }

private:
  IWindows& FWindows;
};

// The 12-pixel Japanese Gothic of the options window, or the nearest installed one.
HFONT OptionsFont() {
  for (const wchar_t* name : {L"ＭＳ Ｐゴシック", L"IPAPGothic", L"IPAGothic"}) {
    for (LONG height : {-12L, 12L}) {
      // MS PGothic at -12 fills a 12-pixel cell; a font with internal leading gets the
      // same cell from a positive height.
      LOGFONTW lf{};
      lf.lfHeight = height;
      lf.lfCharSet = SHIFTJIS_CHARSET;
      wcsncpy(lf.lfFaceName, name, LF_FACESIZE - 1);
      HFONT font = CreateFontIndirectW(&lf);
      HDC dc = GetDC(nullptr);
      const HGDIOBJ old = SelectObject(dc, font);
      wchar_t face[LF_FACESIZE] = {};
      GetTextFaceW(dc, LF_FACESIZE, face);
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      SelectObject(dc, old);
      ReleaseDC(nullptr, dc);
      if (std::wstring(face) == name && metrics.tmHeight == 12) {
        Note("font \"" + Narrow(face) + "\" at height " + std::to_string(height) + ", tmHeight 12");
        return font;
      }
      DeleteObject(font);
    }
  }
  Note("no Japanese Gothic with a 12-pixel cell: the system font");
  return nullptr;
}

RECT PlaceInParent(HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD s = 0, e = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  return {s, e};
}

std::string SelectionText(HWND edit) {
  const auto [s, e] = Selection(edit);
  return Format("%lu..%lu", static_cast<unsigned long>(s), static_cast<unsigned long>(e));
}

bool Focus(HWND window) {
  SetFocus(window);
  return WaitFor([&] { return GetFocus() == window; });
}

struct TField {
  const char* Name;
  TSpEdit& Field;
  RECT Bounds, PairBounds;
  HWND Edit() const { return ToHwnd(Field.Handle()); }
  HWND Pair() const { return ToHwnd(Field.Button()->Handle()); }
};

// ---- the fields as made -------------------------------------------------------------------

// The black pixels of both arrows' pictures, in the pair's client coordinates: the up
// triangle in the up arrow (15 x 8 at 0, 0), the down one in the down arrow (15 x 9 at 0,
// 7), each 9 x 6 picture centred.
bool ExpectedBlack(int x, int y) {
  for (int step = 0; step < 4; ++step)
    if ((y == 2 + step || y == 12 - step) && x >= 7 - step && x <= 7 + step) return true;
  return false;
}

void CheckLayout(const std::vector<TField>& fields) {
  for (const TField& f : fields) {
    const RECT b = PlaceInParent(f.Edit());
    Check(SameRect(b, f.Bounds.left, f.Bounds.top, f.Bounds.right, f.Bounds.bottom),
          Format("%s sits where the options window has it, 21 high", f.Name), RectText(f.Bounds), RectText(b));
    const LONG style = GetWindowLongW(f.Edit(), GWL_STYLE);
    const LONG want = ES_MULTILINE | ES_RIGHT | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_CLIPCHILDREN | WS_TABSTOP;
    Check((style & want) == want, Format("%s is a right-aligned multi-line edit", f.Name),
          Format("style bits 0x%lx", static_cast<unsigned long>(want)),
          Format("0x%lx", static_cast<unsigned long>(style)));
    Check((GetWindowLongW(f.Edit(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0,
          Format("%s has the sunken client edge", f.Name), "WS_EX_CLIENTEDGE", "none");
    const RECT p = PlaceInParent(f.Pair());
    Check(SameRect(p, f.PairBounds.left, f.PairBounds.top, f.PairBounds.right, f.PairBounds.bottom),
          Format("%s's arrows are 15 x 16 at width - 20", f.Name), RectText(f.PairBounds), RectText(p));
    RECT formatting{}, client{};
    SendMessageW(f.Edit(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&formatting));
    GetClientRect(f.Edit(), &client);
    Note(Format("%s: formatting rectangle %s (the edit applies its margins), client %s", f.Name,
                RectText(formatting).c_str(), RectText(client).c_str()));
  }
  CheckText(fields[0].Field.Text(), "100", "IntTime shows 100");
  CheckText(fields[1].Field.Text(), "0", "ChkDot shows 0");

  // The pictures: black triangles exactly where they belong, no olive anywhere.
  RedrawWindow(Host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  for (const TField& f : fields) {
    const TScreenPixels pixels = WindowPixels(f.Pair());
    const int w = pixels.width, h = pixels.height;
    const std::vector<std::uint32_t>& px = pixels.px;
    int wrong = 0, olive = 0;
    std::string firstWrong;
    for (int y = 0; y < h; ++y)
      for (int x = 2; x < w - 2; ++x) {
        const std::uint32_t c = px[static_cast<std::size_t>(y * w + x)];
        if (c == 0x808000) ++olive;
        // Between the faces' edges (rows 2..5 of the up arrow, 9..13 of the down arrow)
        // black is the pictures' and nothing else's.
        if (!((y >= 2 && y <= 5) || (y >= 9 && y <= 13))) continue;
        if ((c == 0) != ExpectedBlack(x, y) && !wrong++) firstWrong = Format("(%d,%d)=%06x", x, y, c);
      }
    Check(olive == 0, Format("%s's arrow pictures leave their olive out", f.Name), "0 olive pixels",
          std::to_string(olive));
    Check(wrong == 0, Format("%s's triangles are 1, 3, 5, 7 pixels, centred, up above down", f.Name),
          "black exactly on the triangles", Format("%d pixels off, first %s", wrong, firstWrong.c_str()));
  }
}

// ---- keys ---------------------------------------------------------------------------------

void CheckKeys(TSpEdit& interval, TSpEdit& dot, HWND box) {
  const HWND edit = ToHwnd(interval.Handle());
  DialogKeys = true;
  Focus(edit);
  CheckText(SelectionText(edit), "0..3", "entering IntTime selects its text");
  for (WORD vk : {WORD('2'), WORD('5'), WORD('0')}) Tap(vk);
  WaitFor([&] { return interval.Text() == "250"; });
  CheckText(interval.Text(), "250", "typed 250 replaces the selection");
  Check(interval.Value() == 250, "IntTime reads 250", "250", std::to_string(interval.Value()));
  Tap(VK_UP);
  WaitFor([&] { return interval.Text() == "260"; });
  CheckText(interval.Text(), "260", "Up steps by 10, though a dialog manager sees the keys first");
  Tap(VK_DOWN);
  Tap(VK_DOWN);
  WaitFor([&] { return interval.Text() == "240"; });
  CheckText(interval.Text(), "240", "Down twice steps back by 20");

  const struct { WORD vk; const char* what; } refused[] = {{'A', "a letter"}, {VK_SPACE, "a space"}};
  for (const auto& r : refused) {
    const int beeps = Beeps;
    Tap(r.vk);
    Check(WaitFor([&] { return Beeps == beeps + 1; }), Format("%s is refused with the beep", r.what),
          "one beep", std::to_string(Beeps - beeps));
    CheckText(interval.Text(), "240", Format("%s leaves the text alone", r.what));
  }

  // Enter and Escape stay in the field, with a dialog manager and in a plain loop.
  for (bool dialog : {true, false}) {
    DialogKeys = dialog;
    const char* how = dialog ? "with a dialog manager" : "in a plain message loop";
    const int beeps = Beeps, oks = OkPresses;
    Tap(VK_RETURN);
    Check(WaitFor([&] { return Beeps == beeps + 1; }), Format("Enter is refused with the beep %s", how),
          "one beep", std::to_string(Beeps - beeps));
    Check(OkPresses == oks, Format("Enter does not press OK %s", how), "no IDOK",
          std::to_string(OkPresses - oks));
    const std::size_t chars = Edits.Chars.size();
    const int cancels = CancelPresses, closes = Closes;
    Tap(VK_ESCAPE);
    Check(WaitFor([&] {
            return std::find(Edits.Chars.begin() + static_cast<long>(chars), Edits.Chars.end(), 0x1Bu) !=
                   Edits.Chars.end();
          }),
          Format("Escape reaches the field %s", how), "WM_CHAR 27 at the edit", "none");
    Pump();
    Check(CancelPresses == cancels && Closes == closes, Format("Escape presses no Cancel %s", how),
          "no IDCANCEL, no WM_CLOSE", Format("%d, %d", CancelPresses - cancels, Closes - closes));
    CheckText(interval.Text(), "240", Format("Enter and Escape leave the text %s", how));
  }

  // Ctrl+Enter and Ctrl+J make a line feed, on which the multi-line edit would start a second
  // line: the field would still show 240 while its value read as the minimum.
  for (bool dialog : {true, false}) {
    DialogKeys = dialog;
    const char* how = dialog ? "with a dialog manager" : "in a plain message loop";
    for (const auto& [vk, name] : {std::pair{WORD(VK_RETURN), "Ctrl+Enter"}, std::pair{WORD('J'), "Ctrl+J"}}) {
      SendMessageW(edit, EM_SETSEL, 3, 3);
      const std::size_t chars = Edits.Chars.size();
      const int beeps = Beeps;
      Chord(MOD_CONTROL, vk);
      Check(WaitFor([&] {
              return std::find(Edits.Chars.begin() + static_cast<long>(chars), Edits.Chars.end(), 0x0Au) !=
                     Edits.Chars.end();
            }),
            Format("%s reaches the field as a line feed %s", name, how), "WM_CHAR 10 at the edit", "none");
      Pump();
      CheckText(interval.Text(), "240", Format("%s leaves the text %s", name, how));
      Check(interval.Value() == 240, Format("%s leaves the value %s", name, how), "240",
            std::to_string(interval.Value()));
      Check(Beeps == beeps + 1, Format("%s is refused with the beep %s", name, how), "one beep",
            std::to_string(Beeps - beeps));
    }
  }
  DialogKeys = true;

  // Tab leaves the field (which brings a reading below the minimum up to it) and comes back.
  for (bool dialog : {true, false}) {
    DialogKeys = dialog;
    const char* how = dialog ? "with a dialog manager" : "in a plain message loop";
    Focus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Tap('0');
    WaitFor([&] { return interval.Text() == "0"; });
    Check(interval.Value() == 0, Format("a typed 0 reads as 0 while in the field %s", how), "0",
          std::to_string(interval.Value()));
    Tap(VK_TAB);
    Check(WaitFor([&] { return GetFocus() == box; }), Format("Tab moves on to the check box %s", how),
          "the check box", Format("%p", static_cast<void*>(GetFocus())));
    CheckText(interval.Text(), "1", Format("leaving turns 0 into the minimum %s", how));
  }
  DialogKeys = true;
  Chord(MOD_SHIFT, VK_TAB);
  Check(WaitFor([&] { return GetFocus() == edit; }), "Shift+Tab comes back to IntTime", "IntTime",
        Format("%p", static_cast<void*>(GetFocus())));
  CheckText(SelectionText(edit), "0..1", "entering by Tab selects the text");

  // ChkDot takes two characters.
  Focus(ToHwnd(dot.Handle()));
  const std::size_t chars = Edits.Chars.size();
  for (WORD vk : {WORD('1'), WORD('2'), WORD('3')}) Tap(vk);
  WaitFor([&] { return Edits.Chars.size() >= chars + 3; });
  Pump();
  CheckText(dot.Text(), "12", "a third character in ChkDot is refused by the edit");
}

void PutOnClipboard(const std::wstring& text) {
  if (!OpenClipboard(Host)) return;
  EmptyClipboard();
  const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(memory), text.c_str(), size);
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

void CheckPaste(TSpEdit& interval, HWND box) {
  const HWND edit = ToHwnd(interval.Handle());
  PutOnClipboard(L"12 ");
  Focus(edit);
  Chord(MOD_CONTROL, 'V');
  WaitFor([&] { return interval.Text() == "12 "; });
  CheckText(interval.Text(), "12 ", "Ctrl+V pastes \"12 \" as it is, past the filter");
  Tap(VK_TAB);
  WaitFor([&] { return GetFocus() == box; });
  CheckText(interval.Text(), "12 ", "leaving keeps the pasted text");
  Check(interval.Value() == 1, "the pasted text reads as the minimum", "1", std::to_string(interval.Value()));

  interval.EditorEnabled = false;
  interval.SetText("240");
  Focus(edit);
  const int pastes = Edits.Pastes, beeps = Beeps;
  Chord(MOD_CONTROL, 'V');
  WaitFor([&] { return Edits.Pastes > pastes || interval.Text() != "240"; });
  Pump();
  CheckText(interval.Text(), "240", "with the editor off Ctrl+V pastes nothing");
  Check(Beeps == beeps, "and says nothing", "no beep", Format("%d beeps", Beeps - beeps));
  Tap(VK_UP);
  WaitFor([&] { return interval.Text() == "250"; });
  CheckText(interval.Text(), "250", "with the editor off Up still steps");
  interval.EditorEnabled = true;

  // A paste keeps the clipboard's first line, between what stood before and after the
  // selection; the caret after it. Positions count UTF-16 units, the text is UTF-8.
  const struct {
    const char* text;
    DWORD caret;
    const wchar_t* clipboard;
    const char* pasted;
    DWORD caretAfter;
  } lines[] = {
      {"100", 1, L"25\r\n", "12500", 3},
      {"100", 1, L"5\n7\r\n8", "1500", 2},
      {"１0", 1, L"2\r\n3", "１20", 2},
      {"10", 2, L"\r\n", "10", 2},
  };
  for (const auto& l : lines) {
    interval.SetText(l.text);
    PutOnClipboard(l.clipboard);
    Focus(edit);
    SendMessageW(edit, EM_SETSEL, l.caret, l.caret);
    const int pastes = Edits.Pastes;
    Chord(MOD_CONTROL, 'V');
    WaitFor([&] { return Edits.Pastes > pastes; });
    Pump();
    CheckText(interval.Text(), l.pasted,
              Format("\"%s\" pasted into \"%s\" keeps its first line", Escaped(Narrow(l.clipboard)).c_str(),
                     l.text));
    const auto caret = static_cast<unsigned long>(l.caretAfter);
    CheckText(SelectionText(edit), Format("%lu..%lu", caret, caret),
              Format("and puts the caret after it in \"%s\"", l.pasted));
  }
  interval.SetText("250");
}

// ---- the mouse ----------------------------------------------------------------------------

void CheckMouse(TSpEdit& interval, TSpEdit& dot, HWND box) {
  const HWND edit = ToHwnd(interval.Handle()), pair = ToHwnd(interval.Button()->Handle());
  Focus(box);
  MouseTo(ScreenOf(edit, 10, 8));
  MouseButton(Btn::Left, true);
  MouseButton(Btn::Left, false);
  Check(WaitFor([&] { return GetFocus() == edit; }), "a click into IntTime gives it the focus", "IntTime",
        "elsewhere");
  const auto [s, e] = Selection(edit);
  Check(s == e, "entering by a click puts the caret, selecting nothing", "an empty selection",
        SelectionText(edit));

  Focus(box);
  const POINT up = ScreenOf(pair, 7, 3), down = ScreenOf(pair, 7, 12), off = ScreenOf(pair, 40, 3);
  MouseTo(up);
  int ups = Arrows.LeftUps;
  MouseButton(Btn::Left, true);
  MouseButton(Btn::Left, false);
  WaitFor([&] { return Arrows.LeftUps > ups; });
  CheckText(interval.Text(), "260", "a click on the up arrow steps once");
  Check(GetFocus() == edit, "the click hands the focus to the field", "IntTime",
        Format("%p", static_cast<void*>(GetFocus())));

  // Held: a step about 400 ms after the press, then about every 100 ms, and one at the release.
  const std::size_t base = Steps.size();
  MouseButton(Btn::Left, true);
  const bool repeated = WaitFor([&] { return Steps.size() >= base + 5; });
  Check(repeated, "holding the arrow repeats", ">= 5 steps", std::to_string(Steps.size() - base));
  if (repeated) {
    const double first = Steps[base] - Arrows.LeftDownAt;
    std::vector<double> gaps;
    for (std::size_t i = base + 1; i < base + 5; ++i) gaps.push_back(Steps[i] - Steps[i - 1]);
    Note(Format("first repeat after %.1f ms, then %.1f, %.1f, %.1f, %.1f ms", first, gaps[0], gaps[1],
                gaps[2], gaps[3]));
    Check(first >= 350 && first <= 900, "the first repeat comes about 400 ms after the press",
          "350..900 ms", Format("%.0f ms", first));
    std::sort(gaps.begin(), gaps.end());
    const double median = (gaps[1] + gaps[2]) / 2;
    Check(median >= 80 && median <= 160, "then one about every 100 ms", "median 80..160 ms",
          Format("%.0f ms (%.0f..%.0f)", median, gaps.front(), gaps.back()));
  }
  ups = Arrows.LeftUps;
  MouseButton(Btn::Left, false);
  WaitFor([&] { return Arrows.LeftUps > ups; });
  Pump();
  Check(Steps.size() == Arrows.StepsAtLeftUp + 1, "the release over the arrow steps once more", "1 step",
        std::to_string(Steps.size() - Arrows.StepsAtLeftUp));
  Check(!KillTimer(pair, TSpinButton::UpTimerId), "the release stops the repeat timer", "no timer", "running");
  Check(GetCapture() == nullptr, "the release lets the capture go", "none", "held");

  // Off the arrow the timer ticks on but no step comes; back on, the steps come again.
  MouseButton(Btn::Left, true);
  WaitFor([&] { return Steps.size() > Arrows.StepsAtLeftUp + 1; });
  MouseTo(off);
  const bool moved = WaitFor([&] { return Arrows.LastMove.x >= 15; });
  Check(moved, "the held pointer leaves the arrow", "a move off it", "none");
  if (moved) {
    const std::size_t atMove = Arrows.StepsAtMove;
    const int ticks = Arrows.TimersAtMove;
    WaitFor([&] { return Arrows.Timers >= ticks + 3; });
    Check(Steps.size() == atMove, "no steps while the pointer is off the arrow, though the timer ticks",
          "0 steps in 3 ticks", std::to_string(Steps.size() - atMove));
    MouseTo(up);
    Check(WaitFor([&] { return Steps.size() > atMove; }, 2000), "back on the arrow the steps resume",
          "a step", "none");
  }
  MouseTo(off);
  WaitFor([&] { return Arrows.LastMove.x >= 15; });
  ups = Arrows.LeftUps;
  MouseButton(Btn::Left, false);
  WaitFor([&] { return Arrows.LeftUps > ups; });
  Pump();
  Check(Steps.size() == Arrows.StepsAtLeftUp, "a release off the arrow gives no step", "0",
        std::to_string(Steps.size() - Arrows.StepsAtLeftUp));
  Check(!KillTimer(pair, TSpinButton::UpTimerId), "and stops the timer", "no timer", "running");

  // The right button: the timer runs, no step.
  MouseTo(down);
  const std::size_t beforeRight = Steps.size();
  MouseButton(Btn::Right, true);
  WaitFor([&] { return Arrows.RightDowns > 0; });
  const int ticks = Arrows.Timers;
  Check(WaitFor([&] { return Arrows.Timers >= ticks + 3; }), "a right press runs the repeat timer",
        ">= 3 ticks", std::to_string(Arrows.Timers - ticks));
  MouseButton(Btn::Right, false);
  WaitFor([&] { return Arrows.RightUps > 0; });
  Pump();
  Check(Steps.size() == beforeRight, "but the right button never steps", "0 steps",
        std::to_string(Steps.size() - beforeRight));
  Check(!KillTimer(pair, TSpinButton::DownTimerId), "its release stops the timer", "no timer", "running");

  // The right button held on the up arrow, the left one pressed on the down arrow: the down
  // arrow is the pressed one, and its repeats and its release step down.
  MouseTo(up);
  const int rightDowns = Arrows.RightDowns;
  MouseButton(Btn::Right, true);
  WaitFor([&] { return Arrows.RightDowns > rightDowns; });
  MouseTo(down);
  const std::int32_t start = interval.Value();
  const std::size_t beforeBoth = Steps.size();
  const int leftDowns = Arrows.LeftDowns;
  MouseButton(Btn::Left, true);
  WaitFor([&] { return Arrows.LeftDowns > leftDowns; });
  TSpinButton& arrows = *interval.Button();
  Check(arrows.DownButton().Down() && !arrows.UpButton().Down(),
        "with the right button held on the up arrow, a left press on the down arrow presses that one",
        "the down arrow pressed", arrows.UpButton().Down() ? "the up arrow pressed" : "neither");
  const bool repeats = WaitFor([&] { return Steps.size() >= beforeBoth + 2; });
  const int leftUps = Arrows.LeftUps, rightUps = Arrows.RightUps;
  MouseButton(Btn::Left, false);
  MouseButton(Btn::Right, false);
  WaitFor([&] { return Arrows.LeftUps > leftUps && Arrows.RightUps > rightUps; });
  Pump();
  const auto both = static_cast<std::int32_t>(Steps.size() - beforeBoth);
  Check(repeats && interval.Value() == start - 10 * both, "its repeats and its release all step down",
        Format("%d - 10 x %d", start, both), std::to_string(interval.Value()));
  Check(GetCapture() == nullptr, "the two releases let the capture go", "none", "held");
  Check(!KillTimer(pair, TSpinButton::UpTimerId) && !KillTimer(pair, TSpinButton::DownTimerId),
        "and stop both timers", "no timer", "running");

  // A pressed face for the picture: ChkDot at 0 with its down arrow held.
  dot.SetText("0");
  MouseTo(ScreenOf(ToHwnd(dot.Button()->Handle()), 7, 12));
  const int downs = Arrows.LeftDowns;
  MouseButton(Btn::Left, true);
  WaitFor([&] { return Arrows.LeftDowns > downs; });
  RedrawWindow(ToHwnd(dot.Button()->Handle()), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  Shot("pressed");
  MouseButton(Btn::Left, false);
  WaitFor([&] { return GetCapture() == nullptr; });
  CheckText(dot.Text(), "0", "ChkDot's down arrow at 0 stays 0");
}

void CheckAlignment(TSpEdit& interval) {
  interval.SetText("250");
  interval.SetAlignment(TAlignment::taLeftJustify);
  const HWND edit = ToHwnd(interval.Handle());
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  Check((style & (ES_CENTER | ES_RIGHT)) == ES_LEFT, "a new alignment makes the edit again, left-aligned",
        "ES_LEFT", Format("0x%lx", static_cast<unsigned long>(style)));
  CheckText(interval.Text(), "250", "with its text");
  const HWND pair = ToHwnd(interval.Button()->Handle());
  Check(pair && GetParent(pair) == edit && SameRect(PlaceInParent(pair), 61, 0, 76, 16),
        "and its arrows in place", "(61,0)-(76,16) in the new edit", RectText(PlaceInParent(pair)));
  Shot("left");
  interval.SetAlignment(TAlignment::taRightJustify);
}

// The program's own loop gives the window dialog navigation, also where the focus sits on a
// control that has no keyboard handling of its own.
void CheckDialogNavigation(HWND box, HWND ok) {
  DialogKeys = true;
  Focus(box);
  Tap(VK_TAB);
  Check(WaitFor([&] { return GetFocus() == ok; }), "the program's loop moves Tab on from the check box to OK",
        "OK", Format("%p", static_cast<void*>(GetFocus())));
  Focus(box);
  const int cancels = CancelPresses;
  Tap(VK_ESCAPE);
  Check(WaitFor([&] { return CancelPresses == cancels + 1; }), "Esc on the check box sends IDCANCEL",
        "one IDCANCEL", std::to_string(CancelPresses - cancels));
}

}  // namespace

int wmain(int, wchar_t**) {
  TWin32Windows windows;
  TWin32Input input;
  TWin32Drawing drawing;
  TWin32Environment environment;
  const TControlPorts ports{windows, input, drawing, environment};
  std::vector<std::string> errors;
  windows.SetErrorHandler([&](std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      errors.push_back(x.what());
    } catch (...) {
      errors.push_back("an error of no known kind");
    }
  });

  HFONT font = OptionsFont();
  THost hostHandler(windows);
  const TWnd host = CreateHiddenWindow(windows, "TSpinHost", "Vantrel", hostHandler);
  Host = ToHwnd(host);
  UseProgramPump([&windows] { windows.ProcessMessages(); });
  RECT frame{0, 0, 330, 267};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(Host, GWL_STYLE)), FALSE, 0);
  SetWindowPos(Host, nullptr, 100, 100, frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER);
  const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                         int id = 0) {
    HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Host,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
  };
  child(L"STATIC", L"クリック間隔(&T)", 0, 8, 88, 84, 12);
  child(L"STATIC", L"(1秒=1000)", 0, 96, 88, 70, 12);
  child(L"STATIC", L"ミリ秒", 0, 96, 108, 40, 12);
  child(L"STATIC", L"ドット以内のズレは許容する", 0, 72, 188, 170, 12);

  // In the options window's tab order: IntTime, the check box, OK, Cancel, ChkDot.
  TCustomForm owner(nullptr, "Form1");
  TSpEdit& interval = owner.Create<TSpEdit>("IntTime");
  interval.Increment = 10;
  interval.MinValue = 1;
  interval.MaxValue = 86400000;
  interval.SetValue(100);
  interval.SetFont(reinterpret_cast<TFontHandle>(font));
  interval.CreateHandle(ports, host, {8, 104, 8 + 81, 104 + 21});
  const HWND box = child(L"BUTTON", L"マウスカーソルの移動で自動的にクリックを解除",
                         WS_TABSTOP | BS_AUTOCHECKBOX, 8, 168, 305, 17);
  const HWND ok = child(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 152, 232, 80, 20, IDOK);
  child(L"BUTTON", L"キャンセル", WS_TABSTOP, 240, 232, 80, 20, IDCANCEL);
  TSpEdit& dot = owner.Create<TSpEdit>("ChkDot");
  dot.SetMaxLength(2);
  dot.MinValue = 0;
  dot.MaxValue = 99;
  dot.SetValue(0);
  dot.SetFont(reinterpret_cast<TFontHandle>(font));
  dot.CreateHandle(ports, host, {24, 184, 24 + 41, 184 + 21});

  const std::vector<TField> fields{{"IntTime", interval, {8, 104, 89, 125}, {61, 0, 76, 16}},
                                   {"ChkDot", dot, {24, 184, 65, 205}, {21, 0, 36, 16}}};
  for (const TField& f : fields) {
    f.Field.Beep = [] {
      ++Beeps;
      MessageBeep(0);
    };
    f.Field.OnChange = [](TComponent*) { Steps.push_back(NowMs()); };
    SetWindowSubclass(f.Pair(), ArrowSpy, 1, 0);
    SetWindowSubclass(f.Edit(), EditSpy, 1, 0);
  }

  ShowWindow(Host, SW_SHOW);
  UpdateWindow(Host);
  SetForegroundWindow(Host);
  Check(WaitFor([] { return GetForegroundWindow() == Host; }), "the window comes to the front",
        "foreground", "elsewhere");

  CheckLayout(fields);
  Shot("rest");
  CheckKeys(interval, dot, box);
  CheckPaste(interval, box);
  CheckMouse(interval, dot, box);
  CheckAlignment(interval);
  CheckDialogNavigation(box, ok);

  Check(errors.empty(), "no error reached the error handler", "none", errors.empty() ? "" : errors.front());
  return Summary();
}
