// Vantrel as the options and journey drivers see it from outside: its process, its hidden
// options window and that window's controls, the focus in its thread, and its tray icon
// clicked with the real mouse.
#pragma once

#include "kit/Input.h"
#include "kit/Process.h"

#include <windows.h>

struct TVantrelSeen {
  kit::Proc p;
  HWND form = nullptr;
  DWORD thread = 0;

  // Once Vantrel is ready: its options window ("TForm1") and the thread that runs it.
  void FindForm();
  // The options window's i-th child in z-order (nullptr past the last).
  HWND Kid(size_t i) const;
  HWND CtrlLock() const { return Kid(1); }
  HWND IntTime() const { return Kid(5); }
  HWND Ok() const { return Kid(10); }

  GUITHREADINFO Gui() const;
  HWND Focus() const { return Gui().hwndFocus; }
  bool FocusOn(HWND w) const;

  // A real click on the tray icon. Successive clicks land 8 pixels apart, on either side of
  // the icon's middle: two at one spot within the double-click time would make the second a
  // double click.
  bool ClickTray(kit::Btn b);
  // The right-button menu, and in it the item whose mnemonic is `letter`.
  bool Choose(char letter);
  // The focused field's text selected and replaced by digits typed one by one.
  bool Type(HWND field, const char* digits);
  // IntTime focused (Alt+T, then Tab when that went to the priority group, which has the same
  // mnemonic and comes just before it), its text selected and replaced by digits typed one by
  // one.
  bool TypeInterval(const char* digits);

 private:
  int FTrayClicks = 0;
};
