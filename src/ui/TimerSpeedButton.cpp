#include "ui/TimerSpeedButton.h"

#include "framework/Finally.h"

// ---- repeat timer ---------------------------------------------------------------------

// Failures of the timer's calls are let be: without a system timer (none left, or the window
// is gone) the held button only does not repeat, and a timer that cannot be stopped is gone.
TRepeatTimer::~TRepeatTimer() {
  if (FEnabled) (void)FWindows.KillTimer(FWindow, FId);
}

void TRepeatTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  if (FEnabled)
    (void)FWindows.SetTimer(FWindow, FId, FInterval);
  else
    (void)FWindows.KillTimer(FWindow, FId);
}

void TRepeatTimer::SetInterval(std::uint32_t value) {
  if (value == FInterval) return;
  FInterval = value;
  // Setting the same id again replaces the system timer: the count starts over.
  if (FEnabled) (void)FWindows.SetTimer(FWindow, FId, FInterval);
}

// ---- button ---------------------------------------------------------------------------

TTimerSpeedButton::TTimerSpeedButton(TComponent* owner, ISpeedButtonHost& host)
    : TControl(owner), FHost(host) {}

TTimerSpeedButton::~TTimerSpeedButton() = default;

void TTimerSpeedButton::SetBoundsRect(const TRect& bounds) {
  if (bounds == FBounds) return;
  FBounds = bounds;
  FHost.InvalidateButton(*this);
}

void TTimerSpeedButton::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  FHost.InvalidateButton(*this);
}

void TTimerSpeedButton::SetFocusRect(bool value) {
  if (value == FFocusRect) return;
  FFocusRect = value;
  FHost.InvalidateButton(*this);
}

void TTimerSpeedButton::SetDown(bool value) {
  if (value == FDown) return;
  FDown = value;
  FHost.InvalidateButton(*this);
}

bool TTimerSpeedButton::Contains(int x, int y) const {
  return x >= 0 && y >= 0 && x < FBounds.Right - FBounds.Left && y < FBounds.Bottom - FBounds.Top;
}

void TTimerSpeedButton::MouseDown(TMouseButton button, int x, int y) {
  (void)x;
  (void)y;
  if (OnMouseDown) OnMouseDown(*this, button);
  if (button == TMouseButton::mbLeft && FEnabled) {
    FDragging = true;
    SetDown(true);
  }
  // Any button arms the timer, but only a held left button makes the ticks click.
  if (AllowTimer) {
    if (!FRepeatTimer) FRepeatTimer = FHost.CreateRepeatTimer(*this);
    if (FRepeatTimer) {
      FRepeatTimer->SetInterval(FirstRepeatDelay);
      FRepeatTimer->SetEnabled(true);
    }
  }
}

void TTimerSpeedButton::MouseMove(int x, int y) {
  if (FDragging) SetDown(Contains(x, y));
}

void TTimerSpeedButton::MouseUp(TMouseButton button, int x, int y) {
  // Any release stops the repeats, also when the release's own click fails.
  TFinally stop{[this] {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
  }};
  if (button != TMouseButton::mbLeft || !FDragging) return;
  FDragging = false;
  SetDown(false);
  if (Contains(x, y)) Click();
}

void TTimerSpeedButton::CancelMode() {
  FDragging = false;
  SetDown(false);
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TTimerSpeedButton::TimerExpired() {
  // A tick queued before the timer was stopped has nothing left to do.
  if (!FRepeatTimer || !FRepeatTimer->Enabled()) return;
  FRepeatTimer->SetInterval(RepeatInterval);
  if (!FDown || !FHost.HoldsCapture(*this)) return;
  try {
    Click();
  } catch (...) {
    // One failure is enough: the repeats stop, and the error goes on to be shown.
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TTimerSpeedButton::Paint(ICanvas& canvas, IDrawing& drawing) const {
  const int w = FBounds.Right - FBounds.Left, h = FBounds.Bottom - FBounds.Top;
  if (w <= 0 || h <= 0) return;
  canvas.DrawButtonFace(FBounds, FDown);
  // The pressed face's contents sit one pixel lower and to the right, as a push button's do.
  const int shift = FDown ? 1 : 0;
  int bw = 0, bh = 0;
  if (Glyph && drawing.BitmapSize(Glyph, bw, bh)) {
    const int count = NumGlyphs > 0 ? NumGlyphs : 1;
    const int gw = bw / count;
    int image = 0;
    if (!FEnabled && count > 1) image = 1;
    else if (FDown && count > 2) image = 2;
    const TRect source{image * gw, 0, image * gw + gw, bh};
    canvas.DrawGlyph(Glyph, source, FBounds.Left + (w - gw) / 2 + shift,
                     FBounds.Top + (h - bh) / 2 + shift, FEnabled);
  }
  if (FFocusRect) {
    const TRect r{FBounds.Left + 3 + shift, FBounds.Top + 3 + shift, FBounds.Right - 3 + shift,
                  FBounds.Bottom - 3 + shift};
    canvas.DrawFocusRect(r);
  }
}
