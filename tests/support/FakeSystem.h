// The fake system: every port in memory, for unit tests. It records calls in order, keeps
// windows with a message queue, refuses hotkeys that are taken, counts atom references and
// runs all waiting on a virtual clock, so the click loop runs in microseconds.
#pragma once

#include "support/FakeDrawing.h"
#include "support/FakeMenus.h"
#include "support/FakePorts.h"


class TFakeSystem {
public:
  TFakeSystem();

  // The calls of the shell and of the windows port that the tray's tests follow, in the
  // order they were made: "NIM_ADD ok", "SetForegroundWindow 65552", "ShellExecute ...".
  std::vector<std::string> CallLog;
  TFakeClock Clock;
  TFakeThreads Threads;
  TFakeAtoms Atoms;
  TFakeHotKeys HotKeys;
  TFakeWindows Windows{Clock, CallLog};
  TFakeInput Input{Clock, Windows};
  TFakeProcess Process;
  TFakeProfile Profile;
  TFakeEnvironment Environment;
  TFakeShell Shell{Windows, CallLog};
  TFakeIcons Icons;
  TFakeDrawing Drawing{Windows};
  TFakeMenus Menus{Windows, Drawing};
  TSystem System{Input, Clock, Threads, Atoms, HotKeys, Windows, Process, Profile, Environment,
                 Shell, Icons, Drawing, Menus};

  // The user pressing a key combination: WM_HOTKEY is posted to the window that registered
  // it, as the system does; false when nobody holds the combination.
  bool PressHotKey(TShortCut code);
  // The user pressing keys while injected key-downs hold modifiers: Home with Ctrl held
  // reaches the system as Ctrl+Home.
  bool UserPress(TShortCut code);
  // Delivers what is posted, running the click worker's thread in between, until the queue
  // stays empty; true when WM_QUIT came.
  bool Settle();
};
