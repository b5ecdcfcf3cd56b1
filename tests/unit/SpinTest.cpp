#include <gtest/gtest.h>

#include "framework/StandardControls.h"
#include "framework/Form.h"
#include "ui/Spin.h"

namespace {

struct SpinTest : ::testing::Test {
  TCustomForm form{nullptr, "F"};
  int beeps = 0;
  TSpEdit& Field(const char* name, std::int32_t min, std::int32_t max, std::int32_t step,
                 std::int32_t value) {
    TSpEdit& f = form.Create<TSpEdit>(name);
    f.MinValue = min;
    f.MaxValue = max;
    f.Increment = step;
    f.SetValue(value);
    f.Beep = [this] { ++beeps; };
    return f;
  }
  TSpEdit& IntTime() { return Field("IntTime", 1, 86400000, 10, 100); }
  TSpEdit& ChkDot() { return Field("ChkDot", 0, 99, 1, 0); }
};

}  // namespace

TEST_F(SpinTest, StepsMeetTheRangeAtTheEnds) {
  TSpEdit& interval = IntTime();
  interval.StepUp();
  EXPECT_EQ(interval.Text(), "110");
  interval.SetText("5");
  interval.StepDown();
  EXPECT_EQ(interval.Text(), "1") << "-5 clamped";

  TSpEdit& dot = ChkDot();
  dot.SetText("99");
  dot.StepUp();
  EXPECT_EQ(dot.Text(), "99");
  dot.SetText("0");
  dot.StepDown();
  EXPECT_EQ(dot.Text(), "0");
}

TEST_F(SpinTest, UnconvertibleTextReadsAsTheMinimumAndStepsFromIt) {
  TSpEdit& interval = IntTime();
  const struct { const char* text; std::int32_t value; } cases[] = {
      {"", 1}, {"-", 1}, {"1.5", 1}, {"12 ", 1}, {"007", 7}, {"+5", 5}, {" 5", 5}, {"0", 0}};
  for (const auto& c : cases) {
    interval.SetText(c.text);
    EXPECT_EQ(interval.Value(), c.value) << '"' << c.text << '"';
  }
  interval.SetText("");
  interval.StepUp();
  EXPECT_EQ(interval.Text(), "11");
  interval.SetText("");
  interval.MinValue = 20;
  interval.StepUp();
  EXPECT_EQ(interval.Text(), "30");
}

// Leaving the field takes its value: a number beyond the range goes to its nearest end, a
// text that is no whole number back to the last valid value; a whole number within the
// range stays as it was typed. Each case starts from the one before.
TEST_F(SpinTest, LeavingTheFieldTakesAWholeNumberWithinTheRangeOrTheLastValidOne) {
  TSpEdit& interval = IntTime();
  // The reading while in the field (unconvertible text reads as the minimum, 1), the text
  // once it is left, and the value taken then.
  const struct { const char* typed; std::int32_t reading; const char* after; std::int32_t taken; } cases[] = {
      {"0", 0, "1", 1},          {"-40", -40, "1", 1},   {"999999999", 999999999, "86400000", 86400000},
      {"007", 7, "007", 7},      {"+5", 5, "+5", 5},     {" 5", 5, " 5", 5},
      {"", 1, "5", 5},           {"1.5", 1, "5", 5},     {"12 ", 1, "12 ", 12},
      {"99999999999", 1, "86400000", 86400000},          {"１２３", 1, "86400000", 86400000}};
  for (const auto& c : cases) {
    interval.SetText(c.typed);
    EXPECT_EQ(interval.Value(), c.reading) << '"' << c.typed << '"';
    interval.DoExit();
    EXPECT_EQ(interval.Text(), c.after) << '"' << c.typed << '"';
    EXPECT_EQ(interval.LastValidValue(), c.taken) << '"' << c.typed << '"';
  }
}

TEST_F(SpinTest, ARaisedMinimumChangesNothingUntilTheTextIsTestedAgain) {
  TSpEdit& interval = IntTime();
  interval.SetText("10");
  interval.MinValue = 20;
  EXPECT_EQ(interval.Text(), "10");
  EXPECT_EQ(interval.Value(), 10);
  interval.DoExit();
  EXPECT_EQ(interval.Text(), "20");
}

TEST_F(SpinTest, RangeRuleWithMinimumEqualToOrAboveTheMaximum) {
  TSpEdit& f = Field("F", 0, 0, 1, 0);
  for (std::int32_t v : {-5, 0, 123456}) {
    f.SetValue(v);
    EXPECT_EQ(f.Value(), v) << "no range at all";
  }
  f.MinValue = 50;
  f.MaxValue = 10;
  const struct { std::int32_t in, out; } cases[] = {{49, 50}, {-3, 50}, {50, 10}, {5, 50}, {100, 10}};
  for (const auto& c : cases) EXPECT_EQ(f.ClampValue(c.in), c.out) << c.in;
}

TEST_F(SpinTest, StepsNearThe32BitLimitsSaturate) {
  TSpEdit& f = Field("F", 0, 0, 10, 0);
  f.SetText("2147483645");
  f.StepUp();
  EXPECT_EQ(f.Text(), "2147483647");
  f.SetText("-2147483645");
  f.StepDown();
  EXPECT_EQ(f.Text(), "-2147483648");
}

TEST_F(SpinTest, ReadOnlyStepsBeepAndChangeNothing) {
  TSpEdit& interval = IntTime();
  interval.SetReadOnly(true);
  interval.KeyDown(win::VK_UP);
  interval.StepDown();
  EXPECT_EQ(interval.Text(), "100");
  EXPECT_EQ(beeps, 2);
  EXPECT_FALSE(interval.CanPasteOrCut());
}

TEST_F(SpinTest, CharacterFilterFollowsEditorEnabledAndTheLocaleSeparator) {
  TSpEdit& f = IntTime();
  f.DecimalSeparator = ',';
  const std::string accepted = std::string("0123456789+-,\t\x1b\x08\x01", 17);
  // Line breaks too: the edit is a multi-line one and would start a second line.
  const std::string refused = std::string("\r\n a.x\x7f\x80\xff", 9);
  for (char c : accepted) EXPECT_TRUE(f.KeyPress(c)) << int(static_cast<unsigned char>(c));
  for (char c : refused) EXPECT_FALSE(f.KeyPress(c)) << int(static_cast<unsigned char>(c));
  EXPECT_EQ(beeps, static_cast<int>(refused.size()));

  f.EditorEnabled = false;
  for (char c : std::string("05+,\x08 ")) EXPECT_FALSE(f.IsAcceptedChar(c)) << int(c);
  for (char c : std::string("\t\x1b\x01")) EXPECT_TRUE(f.IsAcceptedChar(c)) << int(c);
  EXPECT_FALSE(f.CanPasteOrCut());
  f.KeyDown(win::VK_UP);
  EXPECT_EQ(f.Text(), "110") << "the arrows and keys still step";
}

TEST(SpinLayout, TheOptionsWindowsFieldsGetTheirArrowsWhereTheyBelong) {
  EXPECT_EQ(SpinLayout::MinimumHeight(12, 16, 1), 21);
  EXPECT_EQ(SpinLayout::MinimumHeight(12, 8, 1), 12 + 2 + 4 + 2);
  EXPECT_EQ(SpinLayout::AutoHeight(12, 1, true), 20);
  EXPECT_EQ(SpinLayout::AutoHeight(12, 1, false), 18);

  // IntTime is 81 wide, ChkDot 41; both 21 high with the 3-D look.
  EXPECT_EQ(SpinLayout::ArrowPairBounds(81, 21, true), (TRect{61, 0, 76, 16}));
  EXPECT_EQ(SpinLayout::ArrowPairBounds(41, 21, true), (TRect{21, 0, 36, 16}));
  EXPECT_EQ(SpinLayout::ArrowPairBounds(41, 21, false), (TRect{26, 1, 41, 19}));

  const SpinLayout::TArrowLayout arrows = SpinLayout::FitArrows(15, 16);
  EXPECT_EQ(arrows.Up, (TRect{0, 0, 15, 8}));
  EXPECT_EQ(arrows.Down, (TRect{0, 7, 15, 16})) << "15 x 9 at top 7: one shared row";
  EXPECT_EQ(SpinLayout::FitArrows(9, 25).Width, 15);
  EXPECT_EQ(SpinLayout::FitArrows(9, 25).Down, (TRect{0, 11, 15, 25}));

  EXPECT_EQ(SpinLayout::EditRect(77, 17), (TRect{0, 0, 60, 18}));
  EXPECT_EQ(SpinLayout::AlignmentStyle(TAlignment::taRightJustify), 6u);
  EXPECT_EQ(SpinLayout::AlignmentStyle(TAlignment::taCenter), 5u);
  EXPECT_EQ(SpinLayout::AlignmentStyle(TAlignment::taLeftJustify), 4u);
}
