// Options window end-to-end driver: Vantrel.exe under Wine, its window shown by a middle
// click on the tray icon, then looked at and driven with real keys and mouse clicks; then, on
// new starts, the advanced settings window: the keys chosen there, one another program holds
// (refused in the window, told of in a tray balloon at a start), and the click limit.
//
//   e2e_options.exe <path\to\Vantrel.exe>               the whole session
//   e2e_options.exe <path\to\Vantrel.exe> layout <tag>  only the window's frame and layout
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed"; exits 0 only when
// every check passed. Screenshots go to shots\<step>.bmp beside the exe.

#include "kit/Driver.h"
#include "kit/Files.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Screen.h"
#include "kit/Target.h"
#include "kit/Wait.h"

#include "VantrelSeen.h"

#include <commctrl.h>

#include <algorithm>

using namespace kit;

const char kDriverArguments[] = "[layout <tag>]";

namespace {

std::wstring g_dir;  // the exe's folder, with its backslash
int g_dpi = 96;
POINT g_aim{};  // where Home's clicks go: the target window's middle

int Px(int v) { return MulDiv(v, g_dpi, 96); }


// The kit's reads, for this driver's files and names.
std::wstring Text(HWND w) { return WindowText(w); }
std::string IniValue(const char* key) { return kit::IniValue(g_dir + L"Vantrel.ini", key); }

std::wstring ClassOf(HWND w) {
  wchar_t c[64] = {};
  GetClassNameW(w, c, 64);
  return c;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> r;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) r.push_back(w);
  return r;
}

RECT RectIn(HWND w, HWND form) {
  RECT r{};
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}


bool Checked(HWND w) { return SendMessageW(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }


// --- the window's children, in z-order ---------------------------------------------------

enum class Kind { Box, Label, Edit };  // a label is placed by left/top; an edit's height follows its font

struct Expected {
  const wchar_t* cls;
  const wchar_t* text;  // nullptr: not compared
  int x, y, w, h;
  Kind kind;
};

const Expected kLayout[] = {
    {L"TRadioGroup", nullptr, 8, 8, 145, 73, Kind::Box},
    {L"Button", L"Ctrl Key Lock", 8, 136, 97, 17, Kind::Box},
    {L"Button", L"Shift Key Lock", 8, 152, 97, 17, Kind::Box},
    {L"TRadioGroup", nullptr, 160, 8, 161, 145, Kind::Box},
    {L"Static", L"クリック間隔(&T)", 8, 88, 0, 0, Kind::Label},
    {L"Edit", L"100", 8, 104, 81, 21, Kind::Edit},
    {L"Static", L"(1秒=1000)", 96, 88, 0, 0, Kind::Label},
    {L"Static", L"ミリ秒", 96, 108, 0, 0, Kind::Label},
    {L"Button", L"マウスカーソルの移動で自動的にクリックを解除", 8, 168, 305, 17, Kind::Box},
    {L"Button", L"キーのロック時もクリック処理を行なう", 8, 208, 313, 17, Kind::Box},
    {L"Button", L"OK", 152, 232, 80, 20, Kind::Box},
    {L"Button", L"キャンセル", 240, 232, 80, 20, Kind::Box},
    {L"Edit", L"0", 24, 184, 41, 21, Kind::Edit},
    {L"Static", L"ドット以内のズレは許容する", 72, 188, 0, 0, Kind::Label},
};
const wchar_t* const kButtonItems[] = {L"マウスボタン(&B)", L"Left Button Click", L"Right Button Click",
                                       L"Wheel Button Click"};
const wchar_t* const kSpdItems[] = {L"優先度(&T)", L"Critical (最優先：重い)", L"Highest (優先度+2)",
                                    L"Higher (優先度+1)", L"Normal (標準)", L"Lower (優先度-1)",
                                    L"Lowest (優先度-2)", L"Idle (負荷なし)"};

bool Near(long got, int design) { return std::labs(got - Px(design)) <= (g_dpi == 96 ? 0 : 1); }

// What differs from the table, one "; "-separated item per difference ("" when all fit).
std::string LayoutDiff(HWND form) {
  std::string diff;
  const auto add = [&](const std::string& s) { diff += (diff.empty() ? "" : "; ") + s; };
  const std::vector<HWND> kids = Children(form);
  if (kids.size() != std::size(kLayout)) add(Format("%u children", static_cast<unsigned>(kids.size())));
  for (size_t i = 0; i < kids.size() && i < std::size(kLayout); ++i) {
    const Expected& e = kLayout[i];
    const RECT r = RectIn(kids[i], form);
    const long w = r.right - r.left, h = r.bottom - r.top;
    const bool place = Near(r.left, e.x) && Near(r.top, e.y);
    // An edit's height at 96 dpi is a known Wine difference of its own (EditHeights).
    const bool size = e.kind == Kind::Label || (Near(w, e.w) && ((e.kind == Kind::Edit && g_dpi == 96) || Near(h, e.h)));
    if (ClassOf(kids[i]) != e.cls || (e.text && Text(kids[i]) != e.text) || !place || !size)
      add(Format("#%u %s \"%s\" at %ld,%ld %ldx%ld", static_cast<unsigned>(i + 1),
                 Utf8(ClassOf(kids[i])).c_str(), Utf8(Text(kids[i])).c_str(), r.left, r.top, w, h));
  }
  // The groups: the frame that carries the mnemonic, then their radio buttons in order.
  const auto group = [&](size_t at, const wchar_t* const* items, size_t n) {
    if (at >= kids.size()) return;
    const std::vector<HWND> in = Children(kids[at]);
    for (size_t i = 0; i < n; ++i) {
      const LONG type = i < in.size() ? GetWindowLongW(in[i], GWL_STYLE) & BS_TYPEMASK : -1;
      if (i >= in.size() || ClassOf(in[i]) != L"Button" || Text(in[i]) != items[i] ||
          type != (i == 0 ? BS_GROUPBOX : BS_AUTORADIOBUTTON))
        add(Format("#%u item %u: \"%s\" type %ld", static_cast<unsigned>(at + 1), static_cast<unsigned>(i + 1),
                   i < in.size() ? Utf8(Text(in[i])).c_str() : "missing", static_cast<long>(type)));
    }
  };
  group(0, kButtonItems, std::size(kButtonItems));
  group(3, kSpdItems, std::size(kSpdItems));
  const auto id = [&](size_t at, int want, LONG type) {
    if (at < kids.size() && (GetDlgCtrlID(kids[at]) != want ||
                             (GetWindowLongW(kids[at], GWL_STYLE) & BS_TYPEMASK) != type))
      add(Format("#%u id %d", static_cast<unsigned>(at + 1), GetDlgCtrlID(kids[at])));
  };
  id(10, IDOK, BS_DEFPUSHBUTTON);
  id(11, IDCANCEL, BS_PUSHBUTTON);
  return diff;
}

// The numeric fields' height follows their font: at 96 dpi Windows makes them 21 pixels high,
// the table's figure, and Wine 22; at 144 dpi Wine too comes to the table's 21 scaled, which
// LayoutDiff checks.
void EditHeights(HWND form) {
  const std::vector<HWND> kids = Children(form);
  for (size_t i : {size_t{5}, size_t{12}}) {
    if (i >= kids.size()) continue;
    const RECT r = RectIn(kids[i], form);
    KnownWineDifference(Format("%s is as high as its font makes it", i == 5 ? "IntTime" : "ChkDot"), 21, 22,
                        r.bottom - r.top);
  }
}

// --- the tray, the form, the focus -------------------------------------------------------

struct Vantrel : TVantrelSeen {
  HWND app = nullptr;
  std::vector<HWND> buttons, spd;  // the two groups' radio buttons
  HWND Spd(size_t i) const { return i < spd.size() ? spd[i] : nullptr; }
  HWND AutoStop() const { return Kid(8); }
  HWND LockAndClick() const { return Kid(9); }
  HWND Checked(const std::vector<HWND>& group) const {
    for (HWND w : group)
      if (::Checked(w)) return w;
    return nullptr;
  }

  // A real click on a control, done once `done` holds and the control has let the mouse go:
  // a button is checked before it releases its capture, and a click that comes earlier
  // goes to it instead of to the window under the cursor.
  bool Click(HWND w, const std::function<bool()>& done) const {
    return MouseClick(Middle(w)) && WaitFor([&] { return done() && !Gui().hwndCapture; }, 3000);
  }
  std::string Name(HWND w) const {
    if (!w) return "nothing";
    if (w == IntTime()) return "IntTime";
    if (w == Kid(12)) return "ChkDot";
    return "\"" + Utf8(Text(w)) + "\"";
  }
  bool Shown() const { return IsWindowVisible(form) && GetForegroundWindow() == form; }
  bool Hidden() const { return WaitFor([&] { return !IsWindowVisible(form); }, 5000); }
  // A real middle click on the tray icon; the window comes up in front.
  bool ShowByTray() { return ClickTray(Btn::Middle) && WaitFor([&] { return Shown(); }, 5000); }

  // A key the field ignores can only be seen to have done nothing once a later key arrived:
  // the digit typed after it lands in the field of the still shown window; a backspace
  // takes it out again.
  bool KeyKeepsWindow(WORD vk) {
    const std::wstring before = Text(IntTime());
    Chord(0, vk);
    Chord(0, '7');
    const bool kept = WaitFor([&] { return Text(IntTime()) == before + L"7"; }, 3000) && Shown();
    Chord(0, VK_BACK);
    return WaitFor([&] { return Text(IntTime()) == before; }, 3000) && kept;
  }

  // The advanced settings window and its i-th child in z-order (the tab order): 1 and 3 the
  // hotkey fields, 4 the limit's check box, 5 its field, 6 the message, 7 OK.
  HWND adv = nullptr;
  HWND Adv(size_t i) const { const auto kids = Children(adv); return i < kids.size() ? kids[i] : nullptr; }
  // 'd' in the right-button menu; the window comes up in front.
  bool ShowAdvanced() {
    return Choose('D') && WaitFor([&] {
             adv = WindowOf(p, L"TAdvancedForm", L"詳細設定", true);
             return adv && GetForegroundWindow() == adv;
           }, 5000);
  }
  bool AdvancedHidden() const { return WaitFor([&] { return !IsWindowVisible(adv); }, 5000); }
  // A click on a hotkey field, then the key pressed there, as a player chooses one.
  bool ChooseKey(HWND field, WORD vk) const {
    if (!Click(field, [&] { return Focus() == field; })) return false;
    Tap(vk);
    return WaitFor([&] { return HotKeyIn(field) == vk; }, 3000);
  }
  static WORD HotKeyIn(HWND field) { return LOWORD(SendMessageW(field, HKM_GETHOTKEY, 0, 0)); }
};

// Home, `downs` clicks, End (or the keys given): the mean period of the clicks after the
// first, whether Ctrl was down while they came, and whether they stopped. Meanwhile the target
// covers the screen.
struct Clicking {
  double period = 0;
  bool ctrl = false, stopped = false;
  bool Stopped() const { return period > 0 && stopped; }  // after some clicks
  std::string Text() const { return Format("%.1f ms, stopped %d", period, stopped); }
};

Clicking HomeAndEnd(size_t downs, double intervalMs, Keys keys = {}) {
  const TScreenCover cover(g_aim);
  Clicking c;
  size_t from = 0;
  if (StartAndWait(downs + 1, from, 10000, keys.start)) {
    const std::vector<size_t> d = LeftDownsFrom(from);
    c.period = MeanPeriod(d, 1, d.size() - 1);
  } else {
    Note("Home: %u left downs, %u events, cursor %s", static_cast<unsigned>(CountLeftDownsFrom(from)),
         static_cast<unsigned>(Events().size() - from), Pt(Cursor()).c_str());
  }
  c.ctrl = KeyDown(VK_CONTROL);
  c.stopped = StopAndWait(intervalMs, keys.stop) && WaitFor([] { return !KeyDown(VK_CONTROL); }, 3000);
  return c;
}

// The screen once the window has painted what it has pending (its paint runs now, when the
// window is shown or changed just before).
bool Shot(HWND form, const std::wstring& step) {
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return kit::Shot(step);
}

// --- the advanced settings window, on new starts after the options window's session -------

const Keys kF6F7{VK_F6, VK_F7};

// The combinations of these keys (kServed's, Home and End replaced) that nobody holds.
std::string NotHeld(Keys k) {
  std::string missing;
  for (const Combo& c : kServed)
    if (const WORD vk = c.vk == VK_HOME ? k.start : k.stop; !HotKeyHeldElsewhere(c.mods, vk))
      missing += " " + ChordName(c.mods, vk);
  return missing;
}

// Explorer shows a tray balloon as a visible top-level balloon tooltip, which tells its text.
std::wstring BalloonText() {
  wchar_t t[512] = {};
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr));)
    if (IsWindowVisible(w) && (GetWindowLongW(w, GWL_STYLE) & TTS_BALLOON) &&
        SendMessageTimeoutW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(t), SMTO_ABORTIFHUNG, 2000, nullptr))
      break;
  return t;
}

void AdvancedSettings(Vantrel& v, const std::wstring& exe) {
  const std::wstring ini = g_dir + L"Vantrel.ini";
  POINT icon{};
  if (!Check(StartReady(exe, v.p) && WaitFor([&] { return TrayIcon(icon); }, 10000),
             "Vantrel starts again with its icon", "ready", LastError))
    return;
  v.FindForm();
  const TScreenPixels rest = GrabScreen(TrayArea());
  DWORD code = 0;
  const auto closed = [&] {
    const bool ended = CloseAndWait(v.p, code) && code == 0;
    Kill(v.p);
    return ended;
  };

  // Shown at the options window's place with the keys in use; OK with nothing changed. Home and
  // End carry the extended-key flag, by which Windows names them rather than Num 7 and Num 1
  // (Wine's field draws KP_Home and KP_End all the same).
  std::string before, after, kids;
  ReadBytes(ini, before);
  RECT wr{}, fr{};
  const bool shown = v.ShowAdvanced() && GetWindowRect(v.adv, &wr) && GetWindowRect(v.form, &fr);
  for (HWND k : Children(v.adv)) kids += Utf8(ClassOf(k)) + " ";
  kids += Format("%04x %04x", v.HotKeyIn(v.Adv(1)), v.HotKeyIn(v.Adv(3)));
  Shot(v.adv, L"advanced");
  Check(shown && wr.left == fr.left && wr.top == fr.top &&
            kids == "Static msctls_hotkey32 Static msctls_hotkey32 Button Edit Static Button Button 0824 0823",
        "'d' in the right-button menu shows 詳細設定 in front at the options window's place, Home and End in it",
        Format("at %ld,%ld", fr.left, fr.top),
        [&] { return Format("shown %d at %ld,%ld: ", shown, wr.left, wr.top) + kids; });
  Chord(0, VK_RETURN);
  Check(v.AdvancedHidden() && ReadBytes(ini, after) && after == before,
        "Enter there is OK; with nothing changed Vantrel.ini stays byte for byte as it was", Shown(before),
        [&] { return Shown(after); });

  // F6 and F7 chosen: saved after the options window's keys and served at once.
  bool chosen = v.ShowAdvanced() && v.ChooseKey(v.Adv(1), VK_F6) && v.ChooseKey(v.Adv(3), VK_F7);
  Chord(0, VK_RETURN);
  chosen = chosen && v.AdvancedHidden() &&
           WaitFor([&] { return ReadBytes(ini, after) && after.ends_with("StartKey=117\r\nStopKey=118\r\n"); }, 3000);
  Check(chosen, "F6 and F7 pressed in the clicked hotkey fields, then Enter: saved last as StartKey=117, StopKey=118",
        "...StartKey=117\\r\\nStopKey=118\\r\\n", [&] { return Shown(after); });
  // Home, which nobody holds any more, can reach no program as a hotkey.
  std::string notHeld = NotHeld(kF6F7);
  const bool homeFree = !HotKeyHeldElsewhere(0, VK_HOME);
  Clicking c = HomeAndEnd(2, 500, kF6F7);
  // The target is an ordinary window (Wine has no integrity levels to speak of): no word of a
  // window run as administrator. The same session sees a balloon of Vantrel's further on.
  std::wstring warned;
  Check(!WaitFor([&] { return !(warned = BalloonText()).empty(); }, 1500),
        "clicking into an ordinary window brings no tray balloon", "no balloon", [&] { return Utf8(warned); });
  Check(notHeld.empty() && homeFree && c.ctrl && c.Stopped(),
        "Vantrel holds the seven combinations of F6 and F7, Home no more; F6 clicks with the Ctrl lock, F7 stops",
        "all held, Home free, Ctrl down then up", [&] {
          return Format("not held:%s, Home free %d, Ctrl %d, ", notHeld.c_str(), homeFree, c.ctrl) + c.Text();
        });
  // Shift+F6 pins the cursor's place, g_aim, where the covers have put it all along (under Wine
  // a program that reads an earlier move late puts the cursor back there). Hotkeys are handled
  // in order: F6's clicks show that Shift+F6 was handled. The driver reads its own move to Q
  // at once (HandleCrossings); a late reader elsewhere may still put the cursor back on Q
  // between Vantrel's move to the pinned point and a click, so the first click is not judged.
  const POINT Q{g_aim.x + 40, g_aim.y + 40};
  POINT bad{-1, -1}, first{-1, -1};
  size_t from = 0;
  bool pinned = false;
  {
    const TScreenCover cover(g_aim);
    Chord(MOD_SHIFT, VK_F6);
    pinned = StartAndWait(1, from, 10000, VK_F6) && AllDownsAt(LeftDownsFrom(from), 0, g_aim, first) &&
             StopAndWait(500, VK_F7) && MoveCursor(Q);
    HandleCrossings();
    pinned = pinned && StartAndWait(3, from, 10000, VK_F6) && AllDownsAt(LeftDownsFrom(from), 1, g_aim, bad);
    pinned = StopAndWait(500, VK_F7) && pinned;
  }
  Check(pinned, "Shift+F6 pins: after F7 and a move away F6 clicks at the pinned point", "clicks at " + Pt(g_aim),
        [&] {
          return "first start: one at " + Pt(first) + "; after the move: " +
                 Format("%u clicks, one at ", static_cast<unsigned>(CountLeftDownsFrom(from))) + Pt(bad);
        });

  // A key another program holds is refused in the window, nothing saved; F6 and F7 stay.
  bool refused = v.ShowAdvanced() && v.ChooseKey(v.Adv(1), VK_F8) && RegisterHotKey(nullptr, 1, 0, VK_F8);
  Chord(0, VK_RETURN);
  const std::wstring held = L"F8 はほかのプログラムが使っているため登録できません。別のキーを選んでください。";
  refused = refused && WaitFor([&] { return Text(v.Adv(6)) == held; }, 5000) && IsWindowVisible(v.adv) &&
            IniValue("StartKey") == "117";
  Shot(v.adv, L"advanced-refused");
  const std::string said = Utf8(Text(v.Adv(6)));
  Chord(0, VK_ESCAPE);
  refused = v.AdvancedHidden() && refused;
  notHeld = NotHeld(kF6F7);
  c = HomeAndEnd(2, 500, kF6F7);
  Check(refused && notHeld.empty() && c.Stopped(),
        "F8, held by another program, chosen and OK: the window says so and stays, nothing saved; Esc; F6 and F7 work",
        Utf8(held) + ", all held, clicks",
        [&] { return said + ", StartKey=" + IniValue("StartKey") + ", not held:" + notHeld + ", " + c.Text(); });

  // After an exit the next start serves F6 and F7.
  bool again = closed() && StartReady(exe, v.p, kF6F7);
  c = HomeAndEnd(2, 500, kF6F7);
  Check(again && c.Stopped(), "after an exit and a new start F6 clicks and F7 stops", "ready, clicks, stopped",
        [&] { return Format("ready %d, ", again) + c.Text(); });

  // F8 in the file while it is held: the next start's balloon names it; the other six are held.
  const std::wstring user = Wide(before.substr(1, before.find(']') - 1));  // the file's one section
  again = closed() && WritePrivateProfileStringW(user.c_str(), L"StartKey", L"119", ini.c_str()) &&
          WritePrivateProfileStringW(user.c_str(), L"IntTime", L"10", ini.c_str()) && Start(exe, v.p);
  const std::wstring balloon =
      L"F8 を登録できませんでした（ほかのプログラムが使っています）。詳細設定で別のキーを選んでください。";
  std::wstring told;
  again = again && WaitFor([&] { return (told = BalloonText()) == balloon; }, 15000);
  kit::Shot(L"balloon");
  notHeld = NotHeld({VK_F8, VK_F7});
  Check(again && notHeld.empty(), "a start with F8 chosen and held elsewhere: the tray balloon names it, six are held",
        Utf8(balloon), [&] { return Utf8(told) + ", not held:" + notHeld; });
  UnregisterHotKey(nullptr, 1);
  v.FindForm();

  // The click limit set in the window, with F6 again: exactly 50 clicks at 10 ms, then rest.
  bool limit = v.ShowAdvanced() && v.ChooseKey(v.Adv(1), VK_F6) &&
               v.Click(v.Adv(4), [&] { return Checked(v.Adv(4)); }) &&
               v.Click(v.Adv(5), [&] { return v.Focus() == v.Adv(5); }) && v.Type(v.Adv(5), "50");
  Chord(0, VK_TAB);
  limit = v.FocusOn(v.Adv(7)) && limit;
  Shot(v.adv, L"advanced-limit");  // the guide's picture: F6 and F7 (named alike on Windows), the limit
  limit = limit && v.Click(v.Adv(7), [&] { return !IsWindowVisible(v.adv); }) &&
          WaitFor([] { return IniValue("ClickLimitOn") == "1" && IniValue("ClickLimit") == "50"; }, 3000);
  size_t downs = 0, ups = 0;
  bool stopped = false;
  {
    const TScreenCover cover(g_aim);
    stopped = StartAndWait(50, from, 10000, VK_F6) && WaitClickingStopped(100) &&
              WaitFor([] { return !KeyDown(VK_CONTROL); }, 3000);
    for (size_t i = from; i < Events().size(); ++i)
      (Events()[i].down ? downs : ups) += Events()[i].button == Btn::Left;
    if (!stopped) StopAndWait(10, VK_F7);
  }
  Check(limit && stopped && downs == 50 && ups == 50,
        "the limit of 50 set in the window: F6 at 10 ms makes exactly 50 clicks and stops by itself, Ctrl let go",
        "50 downs, 50 ups, Ctrl up", [&] {
          return Format("limit saved %d, stopped and Ctrl up %d, %u downs, %u ups", limit, stopped,
                        static_cast<unsigned>(downs), static_cast<unsigned>(ups));
        });
  Check(WaitFor([&] { return GrabScreen(TrayArea()) == rest; }, 5000) && TrayStays(rest, 2000),
        "then the tray icon is back at rest and stays so", "the rest picture for 2 s", "another picture");
  Check(closed(), "WM_CLOSE ends it with 0", "exit 0", [&] { return Format("exit %lu", code); });
}

}  // namespace

int Drive(const TDriverArgs& args) {
  const bool layoutOnly = args.more.size() == 2 && args.more[0] == L"layout";
  if (!args.more.empty() && !layoutOnly) return Usage();
  // Our own coordinates unscaled, as Vantrel's (it declares itself DPI-aware).
  SetProcessDPIAware();
  const std::wstring& exe = args.exe;
  const std::wstring tag = layoutOnly ? args.more[1] + L"-" : L"";
  g_dir = args.dir;
  HDC screen = GetDC(nullptr);
  g_dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  Note("%d dpi, screen %dx%d", g_dpi, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  DeleteFileW((g_dir + L"Vantrel.ini").c_str());

  // The target takes the right part of the screen, clear of the window (at 0,0) and the
  // taskbar, so that both stay visible and can be clicked.
  RECT area{GetSystemMetrics(SM_CXSCREEN) - 240, 16, GetSystemMetrics(SM_CXSCREEN) - 16,
            GetSystemMetrics(SM_CYSCREEN) - 120};
  if (!layoutOnly && !Check(CreateTarget(area, false), "target window created",
                            "a window", LastError))
    return Summary();
  g_aim = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  EnsureModifiersUp("at the start");

  // --- 1. a middle click on the tray icon shows the window at 0,0, in front ---------------
  Vantrel v;
  if (!Check(StartReady(exe, v.p), "Vantrel starts and holds its hotkeys", "ready", LastError))
    return Summary();
  v.app = AppWindowOf(v.p).found;
  v.FindForm();
  // The items of the groups, without their frames (the first child of each).
  v.buttons = Children(v.Kid(0));
  v.spd = Children(v.Kid(3));
  if (!v.buttons.empty()) v.buttons.erase(v.buttons.begin());
  if (!v.spd.empty()) v.spd.erase(v.spd.begin());
  RECT wr{};
  const bool shown = v.form && !IsWindowVisible(v.form) && v.ShowByTray() && GetWindowRect(v.form, &wr) &&
                     wr.left == 0 && wr.top == 0;
  Check(shown, "a middle click on the tray icon shows the hidden window at 0,0 in front", "shown at (0,0)",
        [&] {
          return Format("visible %d, foreground %d, at %ld,%ld", IsWindowVisible(v.form),
                        GetForegroundWindow() == v.form, wr.left, wr.top);
        });
  Shot(v.form, tag + L"shown");

  // --- 2. frame and layout -----------------------------------------------------------------
  const LONG style = GetWindowLongW(v.form, GWL_STYLE);
  RECT client{};
  GetClientRect(v.form, &client);
  Check((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU) &&
            !(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) &&
            GetWindow(v.form, GW_OWNER) == v.app && Near(client.right, 330) && Near(client.bottom, 267),
        "the window has a fixed frame with a close box only, owned by the application window",
        Format("client %dx%d", Px(330), Px(267)),
        [&] { return Format("style %08lx, client %ldx%ld", style, client.right, client.bottom); });
  const std::string diff = LayoutDiff(v.form);
  Check(diff.empty(), "every control has its class, text and place", "the table", diff);
  if (g_dpi == 96) EditHeights(v.form);

  if (!layoutOnly) {
    // --- 3. focus and keys -------------------------------------------------------------------
    // Focus lies with the first tab stop; Tab goes round once, Shift+Tab one back.
    const HWND tabs[] = {v.Checked(v.buttons), v.Kid(1), v.Kid(2), v.Checked(v.spd), v.IntTime(),
                         v.AutoStop(), v.LockAndClick(), v.Ok(), v.Kid(11), v.Kid(12)};
    bool round = v.FocusOn(tabs[0]);
    std::string path = v.Name(v.Focus());
    for (size_t i = 1; i <= std::size(tabs); ++i) {
      Chord(0, VK_TAB);
      round = v.FocusOn(tabs[i % std::size(tabs)]) && round;
      path += " > " + v.Name(v.Focus());
    }
    Chord(MOD_SHIFT, VK_TAB);
    round = v.FocusOn(v.Kid(12)) && round;
    Check(round, "Tab goes round the controls in order, Shift+Tab back", "the tab order",
          [&] { return path + " < " + v.Name(v.Focus()); });

    std::string seen;
    const auto press = [&](UINT mods, WORD vk, HWND want) {
      Chord(mods, vk);
      const bool ok = v.FocusOn(want);
      seen += " " + v.Name(v.Focus());
      return ok;
    };
    bool keys = press(MOD_ALT, 'B', v.buttons.at(0));
    keys = press(MOD_ALT, 'T', v.Spd(3)) && keys;
    keys = press(MOD_ALT, 'T', v.IntTime()) && keys;
    keys = press(MOD_ALT, 'T', v.Spd(3)) && keys;
    Check(keys, "Alt+B focuses the button group; Alt+T alternates between priority and interval",
          "Left, Normal, IntTime, Normal", seen);
    seen.clear();
    keys = press(0, VK_DOWN, v.Spd(4)) && Checked(v.Spd(4)) && !Checked(v.Spd(3));
    keys = press(0, VK_UP, v.Spd(3)) && Checked(v.Spd(3)) && !Checked(v.Spd(4)) && keys;
    Check(keys, "Down checks Lower in the priority group, Up checks Normal again", "Lower, Normal",
          [&] { return seen + Format(", checked Normal %d Lower %d", Checked(v.Spd(3)), Checked(v.Spd(4))); });

    // --- 4. the interval typed, Enter and Esc in the field, Enter on a check box -------------
    bool typed = v.TypeInterval("250") && v.KeyKeepsWindow(VK_RETURN) && v.KeyKeepsWindow(VK_ESCAPE);
    Check(typed, "in the interval field 250 is typed; Enter and Esc leave the window open",
          "250, shown", [&] { return "\"" + Utf8(Text(v.IntTime())) + "\", shown " + std::to_string(v.Shown()); });
    Chord(0, VK_TAB);
    const bool onBox = v.FocusOn(v.AutoStop());
    Chord(0, VK_RETURN);
    Check(onBox && v.Hidden() && WaitFor([] { return IniValue("IntTime") == "250"; }, 2000),
          "Enter on the next check box is OK: hidden, IntTime=250 saved at once", "hidden, 250",
          [&] { return Format("visible %d, IntTime=%s", IsWindowVisible(v.form), IniValue("IntTime").c_str()); });
    Clicking c = HomeAndEnd(6, 250);
    Check(c.period > 200 && c.period < 330 && c.stopped, "Home clicks every 250 ms, End stops",
          "200..330 ms, stopped", Format("%.1f ms, stopped %d", c.period, c.stopped));

    // --- 5. Cancel reloads what was saved -------------------------------------------------------
    bool cancel = v.ShowByTray() && v.TypeInterval("400");
    Chord(0, VK_TAB);
    cancel = v.FocusOn(v.AutoStop()) && cancel;
    Chord(0, VK_ESCAPE);
    cancel = v.Hidden() && IniValue("IntTime") == "250" && cancel;
    cancel = v.ShowByTray() && Text(v.IntTime()) == L"250" && cancel;
    Check(cancel, "Esc on a check box cancels: hidden, the field shows the saved 250 again", "250",
          [&] { return "IntTime=" + IniValue("IntTime") + ", field \"" + Utf8(Text(v.IntTime())) + "\""; });

    // --- 6. the lock check boxes, clicked, and OK clicked ------------------------------------
    std::string lost;  // the clicks that did not take
    if (!v.Click(v.CtrlLock(), [&] { return Checked(v.CtrlLock()); })) lost += " Ctrl Key Lock";
    if (!v.Click(v.LockAndClick(), [&] { return Checked(v.LockAndClick()); })) lost += " LockAndClick";
    Shot(v.form, L"locks");
    if (!v.Click(v.Ok(), [&] { return !IsWindowVisible(v.form); })) lost += " OK";
    const bool saved = WaitFor([] { return IniValue("CtrlLock") == "1" && IniValue("LockAndClick") == "1"; }, 3000);
    Check(lost.empty() && saved, "clicked Ctrl Key Lock and the click-while-locked box, then OK: both saved as 1",
          "1, 1", [&] {
            return Format("CtrlLock=%s LockAndClick=%s, no effect from:%s", IniValue("CtrlLock").c_str(),
                          IniValue("LockAndClick").c_str(), lost.c_str());
          });
    c = HomeAndEnd(4, 250);
    Check(c.ctrl && c.period > 200 && c.period < 330 && c.stopped,
          "Home holds Ctrl while it clicks every 250 ms; End lets it go", "Ctrl down, then up",
          Format("Ctrl held %d, %.1f ms, stopped and Ctrl up %d", c.ctrl, c.period, c.stopped));

    // --- 7. the close box and Alt+F4 only hide; the field's value is used unsaved --------------
    bool closed = v.ShowByTray() && v.TypeInterval("500");
    // The close box: where the window answers HTCLOSE, half way down the caption.
    RECT r{};
    GetWindowRect(v.form, &r);
    POINT origin{};
    ClientToScreen(v.form, &origin);
    POINT box{-1, (r.top + origin.y) / 2};
    for (LONG x = r.right - 1, right = -1; x > r.left && box.x < 0; --x) {
      const bool hit = SendMessageW(v.form, WM_NCHITTEST, 0, MAKELPARAM(x, box.y)) == HTCLOSE;
      if (hit && right < 0) right = x;
      if (!hit && right >= 0) box.x = (x + 1 + right) / 2;
    }
    closed = box.x >= 0 && MouseClick(box) && v.Hidden() && IniValue("IntTime") == "250" && closed;
    Check(closed, "a click on the close box hides the window and saves nothing", "hidden, IntTime=250",
          [&] { return Format("close box at %s, visible %d, IntTime=%s", Pt(box).c_str(), IsWindowVisible(v.form),
                              IniValue("IntTime").c_str()); });
    c = HomeAndEnd(3, 500);
    Check(c.period > 420 && c.period < 620 && c.stopped, "Home then clicks every 500 ms, End stops",
          "420..620 ms, stopped", Format("%.1f ms, stopped %d", c.period, c.stopped));
    bool altF4 = v.ShowByTray();
    Chord(MOD_ALT, VK_F4);
    Check(altF4 && v.Hidden() && Running(v.p), "Alt+F4 hides the window too", "hidden, running",
          [&] { return Format("visible %d, running %d", IsWindowVisible(v.form), Running(v.p)); });
  }

  // --- 8. the end: the unsaved interval is saved, nothing stays pressed -----------------------
  if (layoutOnly) {
    Chord(0, VK_ESCAPE);  // a close of the shown window would only hide it
    v.Hidden();
  }
  DWORD code = 0;
  const bool ended = CloseAndWait(v.p, code) && code == 0;
  Check(ended && (layoutOnly || IniValue("IntTime") == "500") && !KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) &&
            !KeyDown(VK_LBUTTON),
        "WM_CLOSE ends it with 0, saves the interval in use and leaves no key or button down",
        layoutOnly ? "exit 0" : "exit 0, IntTime=500", [&] {
          return Format("exit %lu, IntTime=%s, Ctrl %d Shift %d button %d", code, IniValue("IntTime").c_str(),
                        KeyDown(VK_CONTROL), KeyDown(VK_SHIFT), KeyDown(VK_LBUTTON));
        });
  Kill(v.p);
  if (!layoutOnly) AdvancedSettings(v, exe);
  Kill(v.p);
  return Summary();
}
