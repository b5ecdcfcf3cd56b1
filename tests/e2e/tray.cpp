// Tray end-to-end helper: starts Vantrel.exe, waits until it serves its hotkeys, then acts on
// the commands a script writes to its standard input, so that the script can watch the tray
// icon from outside (screenshots of the X display) between the steps.
//
//   e2e_tray.exe <path\to\Vantrel.exe>
//
// Commands, one per line: "home" and "end" press and release that key; "quit" closes
// Vantrel as the system would (WM_CLOSE to its application window) and waits for it to end.
// Every command is answered with one line: "ready" after the start, "ok <command>",
// "exited <code>", or "error <what>". Every wait is for a condition, with a timeout.

#include "E2eKit.h"

#include <cstring>

using namespace e2e;

namespace {
void Answer(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  QueryPerformanceFrequency(&g_freq);
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_tray <path\\to\\Vantrel.exe>\n");
    return 2;
  }
  Proc vantrel;
  if (!StartReady(argv[1], vantrel)) {
    Answer("error Vantrel did not start or take its hotkeys (" + LastError() + ")");
    Kill(vantrel);
    return 1;
  }
  // The clicks that Home starts land where the cursor is: a corner with no window, away
  // from the tray icon, whose own clicks would open things.
  MoveCursor({GetSystemMetrics(SM_CXSCREEN) / 2, 8});
  Answer("ready");

  char line[64];
  while (std::fgets(line, sizeof line, stdin)) {
    line[std::strcspn(line, "\r\n")] = '\0';
    const std::string command = line;
    if (command == "home" || command == "end") {
      Chord(0, command == "home" ? VK_HOME : VK_END);
      Answer("ok " + command);
    } else if (command == "quit") {
      const HWND app = AppWindowOf(vantrel).found;
      if (app) PostMessageW(app, WM_CLOSE, 0, 0);
      DWORD code = 0;
      if (!app || !WaitExit(vantrel, 20000, code)) {
        Answer("error Vantrel did not end on WM_CLOSE");
        Kill(vantrel);
        return 1;
      }
      Answer(Format("exited %lu", static_cast<unsigned long>(code)));
      Kill(vantrel);  // only closes the handles now
      return 0;
    } else if (!command.empty()) {
      Answer("error unknown command " + command);
    }
  }
  Kill(vantrel);
  return 1;
}
