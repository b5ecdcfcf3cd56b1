// End-to-end driver for the ways Vantrel ends while it works. A close of the hidden main
// window and the end of the session must end it with 0, with no mouse button and no locked
// key left down and the settings saved; a day-long interval must keep neither a thread nor
// the exit waiting; an interval below 1 ms must not flood the input stream; and a logon
// name outside the ANSI code page must keep to one section of the settings file.
//
//   e2e_shutdown.exe <path\to\Vantrel.exe>               the ways out and the intervals
//   e2e_shutdown.exe <path\to\Vantrel.exe> --user pl|ja  the logon names: run by
//       run-shutdown.sh with USER=Łukasz LC_ALL=en_US.UTF-8 (code page 1252), or
//       USER=山田 LC_ALL=ja_JP.UTF-8 (code page 932); Wine takes both from the environment
//
// Prints "ok - ..." / "FAIL - ..." lines and a final "N passed, M failed"; exits 0 only when
// every check passed. A crash shows in Wine's output, which run-shutdown.sh reads.

#include "kit/Driver.h"
#include "kit/Files.h"
#include "kit/Process.h"
#include "kit/Report.h"
#include "kit/Target.h"
#include "kit/Wait.h"

#include <tlhelp32.h>

#include <algorithm>
#include <map>

using namespace kit;

const char kDriverArguments[] = "[--user pl|ja]";

namespace {

std::wstring g_dir;  // the exe's folder, with its backslash
POINT g_spot{};      // where the cursor rests: inside the target window

std::wstring IniPath() { return g_dir + L"Vantrel.ini"; }

// The name Vantrel keys its section with: the logon name in the ANSI code page, as the INI
// file keeps it, which is what GetUserNameA gives on Windows. Wine 8's GetUserNameA cuts a
// name to as many bytes as it has UTF-16 units (山田 comes back as 山), so the conversion
// is made here.
std::string AnsiUserName() {
  wchar_t name[257] = {};
  DWORD size = 256;
  if (!GetUserNameW(name, &size)) return "";
  char ansi[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

// Marks in Wine's output (our stderr, which run-shutdown.sh keeps with Vantrel's) where the
// driver is, so that a crash reported there can be put down to a run.
void Mark(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void Mark(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  PrintLine(stderr, "e2e_shutdown: ", fmt, ap);
  va_end(ap);
}

// Appends item to a list written for the report, with the separator after the first.
void Join(std::string& list, const char* separator, const std::string& item) {
  if (!list.empty()) list += separator;
  list += item;
}

std::wstring FromAnsi(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

// ---------------------------------------------------------------------------------------
// The settings file as sections of lines

struct TIniSection {
  std::string name;  // ANSI bytes
  std::vector<std::string> lines;
};

std::vector<TIniSection> Sections(const std::string& bytes) {
  std::vector<TIniSection> sections;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    at = end + 1;
    if (!line.empty() && line[0] == '[') {
      const size_t close = line.find(']');
      const size_t length = close == std::string::npos ? std::string::npos : close - 1;
      sections.push_back({line.substr(1, length), {}});
    } else if (!sections.empty() && !line.empty()) {
      sections.back().lines.push_back(line);
    }
  }
  return sections;
}

std::string SectionNames(const std::vector<TIniSection>& sections) {
  std::string s;
  for (const TIniSection& section : sections)
    Join(s, ", ", Format("[%s]", Utf8(FromAnsi(section.name)).c_str()));
  return Format("%u: ", static_cast<unsigned>(sections.size())) + s;
}

const TIniSection* FindSection(const std::vector<TIniSection>& sections, const std::string& name) {
  for (const TIniSection& section : sections)
    if (lstrcmpiA(section.name.c_str(), name.c_str()) == 0) return &section;
  return nullptr;
}

bool HasLine(const TIniSection& section, const std::string& line) {
  for (const std::string& l : section.lines)
    if (l == line) return true;
  return false;
}

const char* const kKeys[] = {"Form1Top", "Form1Left", "ButtonClick", "CtrlLock", "ShiftLock",
                             "Spd",      "IntTime",   "AutoStop",    "LockAndClick", "ChkDot"};

// The keys of the save missing from the user's section ("" when all ten are there).
std::string MissingKeys(const std::string& user) {
  std::string bytes;
  if (!ReadBytes(IniPath(), bytes)) return "no file";
  const std::vector<TIniSection> sections = Sections(bytes);
  const TIniSection* mine = FindSection(sections, user);
  if (!mine) return "no section";
  std::string missing;
  for (const char* key : kKeys) {
    bool found = false;
    for (const std::string& l : mine->lines)
      found = found || l.rfind(std::string(key) + "=", 0) == 0;
    if (!found) Join(missing, " ", key);
  }
  return missing;
}

bool Seed(const std::string& user, const std::string& values) {
  return WriteBytes(IniPath(), "[" + user + "]\r\n" + values);
}

// ---------------------------------------------------------------------------------------
// The process seen from outside

int ThreadCount(DWORD pid) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 t{};
  t.dwSize = sizeof t;
  int n = 0;
  for (BOOL more = Thread32First(snap, &t); more; more = Thread32Next(snap, &t))
    if (t.th32OwnerProcessID == pid) ++n;
  CloseHandle(snap);
  return n;
}

struct TWindowList {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM lp) {
  auto* list = reinterpret_cast<TWindowList*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == list->pid) list->found.push_back(w);
  return TRUE;
}

enum class TWay { Close, EndSession };

const char* WayName(TWay way) { return way == TWay::Close ? "WM_CLOSE" : "the end of the session"; }

// As the system ends a session: every top-level window of the process is asked, and once
// all have agreed, each is told the session ends. Vantrel then ends by itself. Returns what
// went wrong ("" when all agreed).
std::string EndSession(const Proc& p) {
  TWindowList list{p.pi.dwProcessId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&list));
  if (list.found.empty()) return "no window";
  for (HWND w : list.found) {
    DWORD_PTR agreed = 0;
    if (!SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &agreed))
      return "query unanswered";
    if (!agreed) return "end refused";
  }
  for (HWND w : list.found) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(w, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  }
  return "";
}

// Asks Vantrel to end the given way; returns what went wrong ("" when it was asked).
std::string AskToEnd(const Proc& p, TWay way) {
  if (way == TWay::EndSession) return EndSession(p);
  HWND form = WindowOf(p, L"TForm1", L"Vantrel");
  if (!form) return "no main window";
  PostMessageW(form, WM_CLOSE, 0, 0);
  return "";
}

// What the system holds down (after a run): the buttons and the keys a lock may press.
std::string HeldDown() {
  static const struct {
    int vk;
    const char* name;
  } held[] = {{VK_LBUTTON, "left button"}, {VK_RBUTTON, "right button"},
              {VK_MBUTTON, "middle button"}, {VK_CONTROL, "Ctrl"}, {VK_SHIFT, "Shift"}};
  std::string s;
  for (const auto& h : held)
    if (KeyDown(h.vk)) Join(s, ", ", h.name);
  return s;
}

// Lets go of whatever a failed run left down, so that the next run starts clean.
void ReleaseAll() {
  static const struct {
    int vk;
    Btn button;
  } buttons[] = {{VK_LBUTTON, Btn::Left}, {VK_RBUTTON, Btn::Right}, {VK_MBUTTON, Btn::Middle}};
  for (const auto& b : buttons)
    if (KeyDown(b.vk)) MouseButton(b.button, false);
  ReleaseModifiers();
  WaitFor([] { return HeldDown().empty(); }, 3000);
}

// Runs from one series that went wrong, grouped by what went wrong: "exit 0xc0000005: 3 7".
using TFaults = std::map<std::string, std::vector<int>>;

std::string Listed(const TFaults& faults) {
  std::string s;
  for (const auto& [what, runs] : faults) {
    Join(s, "; ", what + ":");
    for (int run : runs) s += Format(" %d", run);
  }
  return s;
}

// ---------------------------------------------------------------------------------------
// 1. Ending while the worker clicks every millisecond with Ctrl locked

// One run; returns what went wrong, one entry per fault.
std::vector<std::string> EndWhileClicking(const std::wstring& exe, TWay way,
                                          const std::string& user) {
  std::vector<std::string> faults;
  if (!Seed(user, "IntTime=1\r\nCtrlLock=1\r\nLockAndClick=1\r\n")) return {"settings not seeded"};
  Proc p;
  if (!StartReady(exe, p)) {
    DWORD code = 0;
    std::string why = WindowOf(p, L"TApplication", L"Vantrel") ? "not ready (Home not held)"
                                                                : "not ready (no window)";
    if (!p.started)
      why = "not started (" + LastError() + ")";
    else if (!Running(p) && GetExitCodeProcess(p.pi.hProcess, &code))
      why = Format("ended at start, exit 0x%lx", code);
    Kill(p);
    return {why};
  }
  MoveCursor(g_spot);
  Pump();
  Events().clear();
  Chord(0, VK_HOME);
  if (!WaitFor([] { return CountLeftDownsFrom(0) >= 3; }, 5000)) faults.push_back("no clicks");
  const std::string asked = AskToEnd(p, way);
  if (!asked.empty()) faults.push_back(asked);
  DWORD code = 0;
  // A clean end takes about 2 s here, most of it Wine taking the tray icon away; a program
  // that ignores the request would only make the series slow.
  if (!WaitExit(p, 5000, code)) {
    faults.push_back("still running");
  } else {
    if (code != 0) faults.push_back(Format("exit 0x%lx", code));
    const std::string held = HeldDown();
    if (!held.empty()) faults.push_back(held + " down");
  }
  const std::string missing = MissingKeys(user);
  if (!missing.empty()) faults.push_back("not saved (" + missing + ")");
  Kill(p);
  ReleaseAll();
  return faults;
}

void WaysOut(const std::wstring& exe, const std::string& user) {
  const int kRuns = 20;
  for (TWay way : {TWay::Close, TWay::EndSession}) {
    TFaults faults;
    int runs = 0, stuck = 0;
    for (int run = 1; run <= kRuns; ++run) {
      ++runs;
      Mark("%s run %d", WayName(way), run);
      const std::vector<std::string> got = EndWhileClicking(exe, way, user);
      for (const std::string& what : got) faults[what].push_back(run);
      const bool ended = std::find(got.begin(), got.end(), "still running") == got.end();
      stuck = ended ? 0 : stuck + 1;
      if (stuck == 3) break;  // it does not end that way at all; the rest would say the same
    }
    Check(faults.empty() && runs == kRuns,
          Format("%d ends by %s while clicking every 1 ms with Ctrl locked", kRuns, WayName(way)),
          "each: exit 0, no button or key down afterwards, the section saved",
          [&] {
            return Listed(faults) + (runs < kRuns ? Format("; stopped after run %d", runs) : "");
          });
  }
}

// ---------------------------------------------------------------------------------------
// 2. A day-long interval: the worker sleeps between clicks

const char* const kDayLong = "IntTime=86400000\r\nCtrlLock=1\r\nLockAndClick=1\r\n";

// Ends Vantrel the given way; returns the milliseconds until its process was gone, or -1
// with the reason in `fault`.
double EndTime(Proc& p, TWay way, std::string& fault) {
  const long long asked = Now();
  fault = AskToEnd(p, way);
  if (!fault.empty()) return -1;
  DWORD code = 0;
  if (!WaitExit(p, 5000, code)) fault = "still running after 5 s";
  else if (code != 0) fault = Format("exit 0x%lx", code);
  return fault.empty() ? Ms(Now() - asked) : -1;
}

// How long an idle Vantrel takes to end the given way: the measure for an end while the
// worker waits (under Wine without a window manager, taking the tray icon away alone can
// take a second or two).
double IdleEndTime(const std::wstring& exe, TWay way, const std::string& user) {
  Mark("idle end by %s", WayName(way));
  Seed(user, kDayLong);
  Proc p;
  std::string fault = "not ready";
  const double took = StartReady(exe, p) ? EndTime(p, way, fault) : -1;
  Check(took >= 0, Format("an idle Vantrel ends by %s", WayName(way)), "exit 0", fault);
  if (took >= 0) Note("an idle end by %s takes %.0f ms", WayName(way), took);
  Kill(p);
  return took;
}

// Home, one click (the worker is now in its day-long wait), then the end: the wait must not
// hold it up by more than a second.
void EndsDuringLongWait(Proc& p, TWay way, double idle) {
  Mark("%s during a day-long wait", WayName(way));
  MoveCursor(g_spot);
  Pump();
  Events().clear();
  Chord(0, VK_HOME);
  const bool waiting = WaitFor(
      [] {
        for (const ButtonEvent& e : Events())
          if (e.button == Btn::Left && !e.down) return true;
        return false;
      },
      5000);
  Check(waiting, "Home with a day-long interval clicks once", "a left click", "none");
  std::string fault;
  const double took = EndTime(p, way, fault);
  Check(took >= 0 && took <= std::max(idle, 0.0) + 1000,
        Format("%s ends it within 1 s of an idle end while the worker waits a day", WayName(way)),
        Format("exit 0 within %.0f ms", std::max(idle, 0.0) + 1000),
        [&] { return took < 0 ? fault : Format("%.0f ms", took); });
  const std::string held = HeldDown();
  Check(held.empty(), Format("nothing is left down after %s", WayName(way)), "all up",
        held + " down");
  Kill(p);
  ReleaseAll();
}

void LongInterval(const std::wstring& exe, const std::string& user) {
  const double closeIdle = IdleEndTime(exe, TWay::Close, user);
  const double sessionIdle = IdleEndTime(exe, TWay::EndSession, user);
  Mark("Home/End pairs with a day-long interval");
  Seed(user, kDayLong);
  Proc p;
  if (!Check(StartReady(exe, p), "Vantrel starts with a day-long interval", "ready", "not ready")) {
    Kill(p);
    return;
  }
  const int before = ThreadCount(p.pi.dwProcessId);
  // Each press is served once its Ctrl lock shows: Home presses Ctrl before the worker
  // starts, End (seen as Ctrl+End) releases it after the worker was told to stop.
  const int kPairs = 50;
  std::vector<int> unserved;
  for (int pair = 1; pair <= kPairs; ++pair) {
    Chord(0, VK_HOME);
    const bool started = WaitFor([] { return KeyDown(VK_CONTROL); }, 3000);
    Chord(0, VK_END);
    const bool stopped = WaitFor([] { return !KeyDown(VK_CONTROL); }, 3000);
    if (!started || !stopped) unserved.push_back(pair);
  }
  Check(unserved.empty(), Format("%d Home/End pairs are each served", kPairs),
        "Ctrl down after each Home, up after each End", [&] {
          std::string s = "unserved pairs:";
          for (int pair : unserved) s += Format(" %d", pair);
          return s;
        });
  int now = -1;
  Check(WaitFor([&] { return (now = ThreadCount(p.pi.dwProcessId)) <= before; }, 3000),
        Format("no worker thread is left asleep after %d Home/End pairs", kPairs),
        Format("at most the %d threads before the first Home", before),
        [&] { return Format("%d", now); });
  EndsDuringLongWait(p, TWay::Close, closeIdle);

  Seed(user, kDayLong);
  Proc q;
  if (Check(StartReady(exe, q), "Vantrel starts again", "ready", "not ready"))
    EndsDuringLongWait(q, TWay::EndSession, sessionIdle);
  Kill(q);
}

// ---------------------------------------------------------------------------------------
// 3. Intervals below 1 ms

struct TRate {
  double perSecond = -1;  // -1: no clicks
  bool atLeast = false;   // the second was not all seen: a lower bound
};

std::string RateText(const TRate& r) {
  if (r.perSecond < 0) return "no clicks";
  return Format("%s%.0f/s", r.atLeast ? "at least " : "", r.perSecond);
}

// Tick order that holds across the wrap of the 32-bit tick count.
bool NotBefore(DWORD tick, DWORD since) { return tick - since < 0x80000000u; }

// The left downs queued in [from, to), by the message's time.
size_t DownsSent(DWORD from, DWORD to) {
  size_t n = 0;
  for (const ButtonEvent& e : Events())
    if (e.button == Btn::Left && e.down && NotBefore(e.sent, from) && !NotBefore(e.sent, to)) ++n;
  return n;
}

// Left clicks in one second of clicking at the given interval. The clicks are counted by
// when they were injected (the message's time), not when the target handled them: a flood
// comes faster than the driver can take it, which would then measure only itself. The
// queue is handled in order, so once an event of the second's end is seen every click of
// that second has been; a backlog that does not clear in time gives a lower bound.
TRate ClickRate(const std::wstring& exe, int interval, const std::string& user) {
  Mark("IntTime=%d", interval);
  Seed(user, Format("IntTime=%d\r\n", interval));
  Proc p;
  TRate rate;
  if (StartReady(exe, p)) {
    MoveCursor(g_spot);
    Pump();
    Events().clear();
    // Clicks queued before this press (a flood's backlog) are not this run's.
    const DWORD pressed = GetTickCount();
    Chord(0, VK_HOME);
    DWORD first = 0;
    const bool clicking = WaitFor(
        [&] {
          for (const ButtonEvent& e : Events())
            if (e.button == Btn::Left && e.down && NotBefore(e.sent, pressed)) {
              first = e.sent;
              return true;
            }
          return false;
        },
        5000);
    if (clicking) {
      const DWORD from = first + 100, to = from + 1000;  // past the worker's start-up
      const bool whole =
          WaitFor([&] { return !Events().empty() && NotBefore(Events().back().sent, to); }, 5000);
      rate.perSecond = static_cast<double>(DownsSent(from, to));
      rate.atLeast = !whole;
    }
    Chord(0, VK_END);
    // A flood may still be queued; only a clean start for the next run matters now.
    size_t seen = SIZE_MAX;
    long long quietSince = Now();
    WaitFor(
        [&] {
          if (Events().size() != seen) seen = Events().size(), quietSince = Now();
          return Ms(Now() - quietSince) > 300;
        },
        10000);
    DWORD code = 0;
    CloseAndWait(p, code, 5000);
  }
  Kill(p);
  ReleaseAll();
  Events().clear();
  return rate;
}

void ShortIntervals(const std::wstring& exe, const std::string& user) {
  // A cycle is never shorter than 1 ms (a Sleep of 1 ms never returns sooner): at most 1,000
  // clicks a second, and 10% for the edges of the counting window. The bound holds however
  // loaded the machine is, where a ratio of two rates measured one after the other does not
  // (a busy moment slowed one IntTime=1 run to 211/s). A flood injects thousands a second.
  constexpr double MaxPerSecond = 1100;
  const TRate first = ClickRate(exe, 1, user), second = ClickRate(exe, 1, user);
  Check(first.perSecond > 0 && second.perSecond > 0, "IntTime=1 clicks", "clicks", "none");
  Note("IntTime=1: %s, %s", RateText(first).c_str(), RateText(second).c_str());
  for (int interval : {1, 0, -5}) {
    const TRate rate = interval == 1 ? std::max(first, second, [](const TRate& a, const TRate& b) {
      return a.perSecond < b.perSecond;
    })
                                     : ClickRate(exe, interval, user);
    Check(rate.perSecond > 0 && rate.perSecond <= MaxPerSecond,
          Format("IntTime=%d clicks no faster than a 1 ms cycle, as IntTime=1", interval),
          Format("clicks, at most %.0f/s", MaxPerSecond), [&] { return RateText(rate); });
  }
}

// ---------------------------------------------------------------------------------------
// 4. Logon names outside the ANSI code page

struct TLogon {
  const char* id;
  const wchar_t* name;
  UINT codePage;
};

const TLogon kLogons[] = {{"pl", L"\x0141ukasz", 1252}, {"ja", L"\x5C71\x7530", 932}};

void LogonName(const std::wstring& exe, const TLogon& logon) {
  wchar_t name[257] = {};
  DWORD size = 256;
  GetUserNameW(name, &size);
  if (!Check(logon.name == std::wstring(name) && GetACP() == logon.codePage,
             "the session runs as the logon name under its code page",
             Format("%s, code page %u", Utf8(logon.name).c_str(), logon.codePage),
             [&] { return Format("%s, code page %u", Utf8(name).c_str(), GetACP()); }))
    return;
  const std::string user = AnsiUserName();
  Note("logon name %s, in code page %u: %s", Utf8(name).c_str(), GetACP(),
       Utf8(FromAnsi(user)).c_str());
  char system[257] = {};
  DWORD systemSize = 256;
  if (GetUserNameA(system, &systemSize) && user != system)
    Note("the system's GetUserNameA gives %s", Utf8(FromAnsi(system)).c_str());
  Mark("logon name %s, first run", logon.id);

  DeleteFileW(IniPath().c_str());
  Proc p;
  DWORD code = 0;
  const bool ready = StartReady(exe, p);
  const bool ended = ready && CloseAndWait(p, code);
  Check(ended && code == 0, "a first run ends with 0 after WM_CLOSE", "exit 0", [&] {
    if (!ready) return std::string("not ready");
    return ended ? Format("exit 0x%lx", code) : std::string("still running");
  });
  Kill(p);
  std::string bytes;
  ReadBytes(IniPath(), bytes);
  std::vector<TIniSection> sections = Sections(bytes);
  Check(sections.size() == 1 && sections[0].name == user,
        "its save writes one section, named in the ANSI code page",
        "1: [" + Utf8(FromAnsi(user)) + "]",
        [&] { return SectionNames(sections); });

  // A value seeded into the section the first run wrote is the next run's.
  const size_t header = bytes.find(']');
  const size_t key = bytes.find("\nIntTime=", header == std::string::npos ? 0 : header);
  if (!Check(key != std::string::npos, "the section holds IntTime", "IntTime=", Shown(bytes)))
    return;
  const size_t eol = bytes.find('\r', key + 1);
  bytes.replace(key + 1, eol == std::string::npos ? std::string::npos : eol - key - 1,
                "IntTime=50");
  WriteBytes(IniPath(), bytes);

  Mark("logon name %s, second run", logon.id);
  Proc q;
  Check(StartReady(exe, q), "a second run starts", "ready", "not ready");
  MoveCursor(g_spot);
  Pump();
  Events().clear();
  Chord(0, VK_HOME);
  WaitFor([] { return CountLeftDownsFrom(0) >= 12; });
  const std::vector<size_t> downs = LeftDownsFrom(0);
  const double period = downs.size() >= 12 ? MeanPeriod(downs, 1, downs.size() - 1) : 0;
  Check(period > 40 && period < 70, "the second run clicks at the seeded 50 ms", "40..70 ms",
        Format("%.1f ms over %u clicks", period, static_cast<unsigned>(downs.size())));
  Chord(0, VK_END);
  WaitClickingStopped();
  Check(CloseAndWait(q, code) && code == 0, "the second run ends with 0 after WM_CLOSE", "exit 0",
        [&] { return Format("exit 0x%lx", code); });
  Kill(q);
  ReleaseAll();
  ReadBytes(IniPath(), bytes);
  sections = Sections(bytes);
  Check(sections.size() == 1 && sections[0].name == user && HasLine(sections[0], "IntTime=50"),
        "its save keeps the one section with the seeded value",
        "1: [" + Utf8(FromAnsi(user)) + "] IntTime=50",
        [&] { return SectionNames(sections) + " " + Shown(bytes); });
}

}  // namespace

int Drive(const TDriverArgs& args) {
  const TLogon* logon = nullptr;
  if (args.more.size() == 2 && args.more[0] == L"--user")
    for (const TLogon& l : kLogons)
      if (Utf8(args.more[1]) == l.id) logon = &l;
  if (!args.more.empty() && !logon) return Usage();
  const std::wstring& exe = args.exe;
  g_dir = args.dir;

  RECT area{};
  if (!Check(CreateTarget(area), "target window created", "a window",
             LastError))
    return Summary();
  g_spot = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  MoveCursor(g_spot);
  EnsureModifiersUp("at the start");

  if (logon) {
    LogonName(exe, *logon);
  } else {
    const std::string user = AnsiUserName();
    Note("Windows user: %s", user.c_str());
    WaysOut(exe, user);
    LongInterval(exe, user);
    ShortIntervals(exe, user);
  }
  return Summary();
}
