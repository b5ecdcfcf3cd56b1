// A window with the options window's two numeric fields in it, on the fake system: IntTime
// (1 to 86400000, step 10) and ChkDot (0 to 99, step 1, at most 2 characters) in the
// 12-pixel font, with a tab stop of another kind between them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/WindowParams.h"
#include "support/FakeDrawing.h"
#include "support/FakeSystem.h"
#include "ui/Spin.h"

struct SpinFixture : ::testing::Test {
  static constexpr TFontHandle Font12 = 0xF012;

  // A window procedure that leaves everything to the system.
  struct TDefaultHandler final : IMessageHandler {
    TFakeWindows& Windows;
    explicit TDefaultHandler(TFakeWindows& windows) : Windows(windows) {}
    TLResult HandleMessage(TWnd w, std::uint32_t msg, TWParam wp, TLParam lp) override {
      return Windows.DefaultProc(w, msg, wp, lp);
    }
  };

  TFakeSystem sys;
  TFakeWindows& windows = sys.Windows;
  TFakeInput& input = sys.Input;
  TFakeDrawing& drawing = sys.Drawing;
  TControlPorts ports{sys.Windows, sys.Input, drawing, sys.Environment};
  TDefaultHandler plain{sys.Windows};
  TWnd form = 0;
  TWnd checkBox = 0;  // a tab stop between the two fields
  std::vector<std::exception_ptr> errors;
  // Declared last: its components (and their windows) go before the system they use.
  TCustomForm owner{nullptr, "Form1"};

  SpinFixture() {
    drawing.FontHeights[Font12] = 12;
    form = CreateHiddenWindow(sys.Windows, "TForm1", "Vantrel", plain);
    sys.Windows.ShowWindow(form, win::SW_SHOW);
    sys.Windows.SetErrorHandler([this](std::exception_ptr e) { errors.push_back(e); });
  }

  TSpEdit& Field(const char* name, std::int32_t min, std::int32_t max, std::int32_t step,
                 std::int32_t value, TRect bounds, bool windowed = true) {
    TSpEdit& f = owner.Create<TSpEdit>(name);
    f.MinValue = min;
    f.MaxValue = max;
    f.Increment = step;
    f.SetValue(value);
    f.SetParent(&owner);
    f.SetFont(Font12);
    if (windowed) f.CreateHandle(ports, form, bounds);
    return f;
  }
  TSpEdit& IntTime(bool windowed = true) {
    return Field("IntTime", 1, 86400000, 10, 100, {8, 104, 8 + 81, 104 + 21}, windowed);
  }
  TSpEdit& ChkDot(bool windowed = true) {
    TSpEdit& f = Field("ChkDot", 0, 99, 1, 0, {24, 184, 24 + 41, 184 + 21}, false);
    f.SetMaxLength(2);
    if (windowed) f.CreateHandle(ports, form, {24, 184, 24 + 41, 184 + 21});
    return f;
  }
  TWnd CheckBox() {
    checkBox = sys.Windows.CreateWindowFrom(
        {"BUTTON", "", win::WS_CHILD | win::WS_VISIBLE | win::WS_TABSTOP, 0, {8, 168, 313, 185}, form, 0},
        nullptr);
    return checkBox;
  }

  const TFakeWindows::TChild& Edit(const TSpinEdit& f) const { return *windows.Child(f.Handle()); }
  TWnd Pair(const TSpinEdit& f) const { return f.Button()->Handle(); }

  // The mouse on a field's arrow pair, in the pair's client coordinates; keys are the MK_
  // flags of the buttons down after the event.
  void Mouse(const TSpinEdit& f, std::uint32_t msg, int x, int y, TWParam keys) {
    const TLParam at = static_cast<TLParam>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                            static_cast<std::uint32_t>(x & 0xFFFF));
    sys.Windows.Send(Pair(f), msg, keys, at);
  }
};
