#include "framework/WindowPeer.h"

using namespace win;

std::int32_t TWindowPeer::GetInt(TPeerProperty property) {
  TRect r;
  if (!FWindows.GetWindowRect(FWindow, r)) return 0;
  switch (property) {
    case TPeerProperty::Left: return r.Left;
    case TPeerProperty::Top: return r.Top;
    case TPeerProperty::Width: return r.Right - r.Left;
    case TPeerProperty::Height: return r.Bottom - r.Top;
    default: return 0;
  }
}

void TWindowPeer::SetInt(TPeerProperty property, std::int32_t value) {
  TRect r;
  if (!FWindows.GetWindowRect(FWindow, r)) return;
  std::int32_t x = r.Left, y = r.Top, w = r.Right - r.Left, h = r.Bottom - r.Top;
  switch (property) {
    case TPeerProperty::Left: x = value; break;
    case TPeerProperty::Top: y = value; break;
    case TPeerProperty::Width: w = value; break;
    case TPeerProperty::Height: h = value; break;
    default: return;
  }
  // A window that refuses keeps its bounds, and reading them back says so.
  (void)FWindows.SetWindowPos(FWindow, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}
