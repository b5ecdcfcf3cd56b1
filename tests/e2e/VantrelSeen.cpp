#include "VantrelSeen.h"

#include "kit/Screen.h"
#include "kit/Wait.h"

#include <cstring>
#include <string>

using namespace kit;

void TVantrelSeen::FindForm() {
  form = WindowOf(p, L"TForm1", L"Vantrel");
  thread = GetWindowThreadProcessId(form, nullptr);
}

HWND TVantrelSeen::Kid(size_t i) const {
  HWND w = GetWindow(form, GW_CHILD);
  while (w && i-- > 0) w = GetWindow(w, GW_HWNDNEXT);
  return w;
}

GUITHREADINFO TVantrelSeen::Gui() const {
  GUITHREADINFO gi{};
  gi.cbSize = sizeof gi;
  GetGUIThreadInfo(thread, &gi);
  return gi;
}

bool TVantrelSeen::FocusOn(HWND w) const { return WaitFor([&] { return Focus() == w; }, 3000); }

bool TVantrelSeen::ClickTray(Btn b) {
  POINT icon{};
  if (!WaitFor([&] { return TrayIcon(icon); }, 10000)) return false;
  icon.x += FTrayClicks++ % 2 ? 4 : -4;
  return MouseClick(icon, b);
}

bool TVantrelSeen::Choose(char letter) {
  if (!ClickTray(Btn::Right) || !WaitFor([&] { return VisibleWindowOf(p, L"#32768") != nullptr; }, 5000))
    return false;
  Chord(0, static_cast<WORD>(letter));
  return WaitFor([&] { return !VisibleWindowOf(p, L"#32768"); }, 5000);
}

bool TVantrelSeen::Type(HWND field, const char* digits) {
  Chord(MOD_CONTROL, 'A');
  for (const char* c = digits; *c; ++c) Chord(0, static_cast<WORD>(*c));
  const std::wstring typed(digits, digits + std::strlen(digits));
  return WaitFor([&] { return WindowText(field) == typed; }, 3000);
}

bool TVantrelSeen::TypeInterval(const char* digits) {
  if (Focus() != IntTime()) {
    const HWND before = Focus();
    Chord(MOD_ALT, 'T');
    WaitFor([&] { return Focus() != before; }, 3000);
    if (GetParent(Focus()) == Kid(3)) Chord(0, VK_TAB);
  }
  return FocusOn(IntTime()) && Type(IntTime(), digits);
}
