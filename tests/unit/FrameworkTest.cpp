#include <gtest/gtest.h>

#include "framework/Actions.h"
#include "framework/Form.h"
#include "framework/GroupControls.h"
#include "framework/StrToInt.h"

TEST(StrToInt, DecimalOrHexBehindAPrefixWithAnOptionalSignAndNothingAfter) {
  const struct { const char* text; std::optional<std::int32_t> value; } cases[] = {
      {"100", 100},          {"-7", -7},           {"+5", 5},             {"007", 7},
      {"  42", 42},          {"42 ", {}},          {"", {}},              {"-", {}},
      {"$6", 6},             {"0x5", 5},           {"0X1f", 31},          {"x10", 16},
      {"X10", 16},           {"-$10", -16},        {"$FFFFFFFF", -1},     {"$000000001", 1},
      {"$100000000", {}},    {"0x", {}},           {"$", {}},             {"1e3", {}},
      {"2147483647", 2147483647}, {"2147483648", {}}, {"-2147483648", INT32_MIN},
      {"-2147483649", {}},   {"99999999999999999999", {}}, {"yes", {}},   {"+-1", {}},
      {"12\r\n", {}},        {"$-1", {}},
  };
  for (const auto& c : cases) {
    std::int32_t v = 12345;
    const bool ok = TryStrToInt(c.text, v);
    EXPECT_EQ(ok, c.value.has_value()) << '"' << c.text << '"';
    if (ok && c.value) {
      EXPECT_EQ(v, *c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(StrToIntDef(c.text, -99), c.value.value_or(-99)) << '"' << c.text << '"';
  }
}

TEST(Controls, ChildrenComeWindowlessFirstThenWindowedEachInOrderAdded) {
  TCustomForm form(nullptr, "F");
  auto& a = form.Create<TCheckBox>("A");
  auto& l1 = form.Create<TShape>("L1");
  auto& b = form.Create<TEdit>("B");
  auto& l2 = form.Create<TShape>("L2");
  for (TControl* c : std::initializer_list<TControl*>{&a, &l1, &b, &l2}) c->SetParent(&form);
  EXPECT_EQ(form.Controls(), (std::vector<TControl*>{&l1, &l2, &a, &b}));
}

TEST(Controls, CheckBoxClicksOnlyOnAChangeOfState) {
  TCustomForm form(nullptr, "F");
  auto& box = form.Create<TCheckBox>("Box");
  int clicks = 0;
  box.OnClick = [&](TComponent*) { ++clicks; };
  box.SetChecked(false);
  EXPECT_EQ(clicks, 0);
  box.SetChecked(true);
  box.SetChecked(true);
  EXPECT_EQ(clicks, 1);
  box.SetChecked(false);
  EXPECT_EQ(clicks, 2);
}

TEST(Controls, RadioButtonCheckingUnchecksItsSiblingsAndOnlyCheckingClicks) {
  TCustomForm form(nullptr, "F");
  auto& r1 = form.Create<TRadioButton>("R1");
  auto& r2 = form.Create<TRadioButton>("R2");
  r1.SetParent(&form);
  r2.SetParent(&form);
  int clicks1 = 0, clicks2 = 0;
  r1.OnClick = [&](TComponent*) { ++clicks1; };
  r2.OnClick = [&](TComponent*) { ++clicks2; };
  r1.SetChecked(true);
  r2.SetChecked(true);
  EXPECT_FALSE(r1.Checked());
  EXPECT_TRUE(r2.Checked());
  EXPECT_EQ(clicks1, 1) << "becoming unchecked raises nothing";
  EXPECT_EQ(clicks2, 1);
}

TEST(Controls, RadioGroupItemIndexIsClamped) {
  TCustomForm form(nullptr, "F");
  auto& group = form.Create<TRadioGroup>("G");
  group.SetItems({"a", "b", "c"});
  const struct { std::int32_t set, got; } cases[] = {{1, 1}, {-1, -1}, {-7, -1}, {3, 2}, {9, 2}, {0, 0}};
  for (const auto& c : cases) {
    group.SetItemIndex(c.set);
    EXPECT_EQ(group.ItemIndex(), c.got) << c.set;
  }
  ASSERT_EQ(group.Controls().size(), 3u);
  EXPECT_TRUE(dynamic_cast<TRadioButton&>(*group.Controls()[0]).Checked());
}

TEST(Controls, ABoundCheckBoxRunsItsActionAndFollowsTheActionsState) {
  TCustomForm form(nullptr, "F");
  auto& action = form.Create<TAction>("acLock");
  action.SetCaption("Ctrl Key Lock");
  int runs = 0;
  action.OnExecute = [&](TComponent*) {
    ++runs;
    action.SetChecked(!action.Checked());
  };
  auto& box = form.Create<TCheckBox>("Box");
  box.SetAction(&action);
  EXPECT_EQ(box.Caption, "Ctrl Key Lock");
  box.SetChecked(true);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(action.Checked());
  EXPECT_TRUE(box.Checked());
  action.SetChecked(false);  // from elsewhere (the menu): the box follows without a click
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(runs, 1);
  // The action goes first: the box lets go of it, and its clicks no longer reach it.
  form.DestroyComponent(action);
  EXPECT_EQ(box.Action(), nullptr);
  box.SetChecked(true);
  EXPECT_EQ(runs, 1);
}
