// The windowed controls' one lifecycle: a window made from the control's create parameters,
// children after their parent in the order they were added, each window bound to its
// control, destroyed with it, and the notifications a parent gets about a child handed to
// that child's control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/WinControl.h"
#include "support/FakeDrawing.h"
#include "support/FakeSystem.h"

using namespace win;

namespace {

// A control of the class it is given, ours or the system's, that notes its window's life and
// answers the notifications handed to it.
class TProbe : public TWinControl {
public:
  TProbe(TComponent* owner, std::string name, std::string className, bool systemClass,
         std::vector<std::string>& log)
      : TWinControl(owner, std::move(name)), FClass(std::move(className)), FSystem(systemClass), FLog(log) {}
  ~TProbe() override { DestroyHandle(); }
  bool TopLevel = false;
  bool Answers = true;
  std::vector<std::uint32_t> Reflected;

protected:
  void CreateParams(TWinCreateParams& params) const override {
    TWinControl::CreateParams(params);
    params.ClassName = FClass;
    params.SystemClass = FSystem;
    params.Bounds = {0, 0, 50, 20};
    if (TopLevel) {
      // The options window's frame: a caption with the close box only.
      params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
      params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    } else {
      params.Style |= WS_TABSTOP;
    }
  }
  void WindowCreated() override { FLog.push_back("made " + Name()); }
  void WindowDestroying() override { FLog.push_back("gone " + Name()); }
  bool NotificationReflected(std::uint32_t msg, TWParam, TLParam, TLResult& result) override {
    Reflected.push_back(msg);
    result = 0x5A;
    return Answers;
  }

private:
  std::string FClass;
  bool FSystem;
  std::vector<std::string>& FLog;
};

struct WinControl : ::testing::Test {
  TFakeSystem sys;
  TControlPorts ports{sys.Windows, sys.Input, sys.Drawing, sys.Environment};
  std::vector<std::string> log;
  // Declared last: the controls and their windows go before the system.
  TComponent owner;

  TProbe& Probe(const char* name, const char* className, bool systemClass, TWinControl* parent) {
    TProbe& p = owner.Create<TProbe>(name, className, systemClass, log);
    p.SetParent(parent);
    return p;
  }
};

TEST_F(WinControl, ChildrenAreMadeAfterTheirParentInTheOrderTheyWereAddedAndGoWithTheirControls) {
  TProbe& form = Probe("Form", "TProbeForm", false, nullptr);
  form.TopLevel = true;
  TProbe& a = Probe("A", "BUTTON", true, &form);
  TProbe& b = Probe("B", "TProbePanel", false, &form);
  TProbe& b1 = Probe("B1", "EDIT", true, &b);
  TProbe& c = Probe("C", "EDIT", true, &form);
  form.CreateHandle(ports, 0);

  EXPECT_EQ(log, (std::vector<std::string>{"made Form", "made A", "made B", "made B1", "made C"}));
  const struct {
    TProbe& control;
    TWnd parent;
    std::uint32_t id;
    std::size_t hooks;  // a system class's window has its control in front of its procedure
  } windows[] = {
      {a, form.Handle(), 0x100, 1}, {b, form.Handle(), 0x101, 0}, {b1, b.Handle(), 0x100, 1},
      {c, form.Handle(), 0x102, 1},
  };
  TWnd previous = form.Handle();
  for (const auto& w : windows) {
    SCOPED_TRACE(w.control.Name());
    ASSERT_NE(w.control.Handle(), 0u);
    EXPECT_GT(w.control.Handle(), previous) << "made in tab order";
    previous = w.control.Handle();
    EXPECT_EQ(sys.Windows.Parent(w.control.Handle()), w.parent);
    EXPECT_EQ(sys.Windows.Child(w.control.Handle())->Id, w.id);
    EXPECT_EQ(sys.Windows.HookCount(w.control.Handle()), w.hooks);
  }
  EXPECT_EQ(sys.Windows.HookCount(form.Handle()), 0u) << "our class: the control is the procedure";
  EXPECT_EQ(sys.Windows.RegisteredClasses(), (std::set<std::string>{"TProbeForm", "TProbePanel"}));
  const TCreateParams& frame = *sys.Windows.Params(form.Handle());
  EXPECT_EQ(frame.Style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(frame.ExStyle & WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME);

  // A control's end takes its window and its children's.
  log.clear();
  const TWnd panel = b.Handle(), edit = b1.Handle();
  owner.DestroyComponent(b);
  EXPECT_EQ(log, (std::vector<std::string>{"gone B", "gone B1"}));
  EXPECT_FALSE(sys.Windows.IsWindow(panel));
  EXPECT_FALSE(sys.Windows.IsWindow(edit));
  EXPECT_EQ(b1.Handle(), 0u);

  // The parent's window goes first, then its children's; made again, the children follow.
  log.clear();
  form.DestroyHandle();
  EXPECT_EQ(log, (std::vector<std::string>{"gone Form", "gone A", "gone C"}));
  EXPECT_EQ(a.Handle() | c.Handle() | form.Handle(), 0u);
  EXPECT_EQ(sys.Windows.WindowCount(), 0u);
  log.clear();
  form.CreateHandle(ports, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"made Form", "made A", "made C"}));
}

TEST_F(WinControl, AChildThatCannotBeMadeLeavesNoWindowBehind) {
  TProbe& form = Probe("Form", "TProbeForm", false, nullptr);
  form.TopLevel = true;
  Probe("A", "EDIT", true, &form);
  Probe("B", "NoSuchSystemClass", true, &form);
  try {
    form.CreateHandle(ports, 0);
    ADD_FAILURE() << "made a window of a class the system does not know";
  } catch (const EOSError& e) {
    // Why, as the system said it right after the failed call.
    EXPECT_EQ(e.ErrorCode(), 1407u);  // ERROR_CANNOT_FIND_WND_CLASS
    EXPECT_STREQ(e.what(), "Error creating window: Cannot find window class. (error 1407)");
  }
  EXPECT_EQ(form.Handle(), 0u);
  EXPECT_EQ(sys.Windows.WindowCount(), 0u);
  EXPECT_EQ(log, (std::vector<std::string>{"made Form", "made A", "gone Form", "gone A"}));
}

TEST_F(WinControl, TheParentHandsNotificationsAboutAChildToThatChildsControl) {
  TProbe& form = Probe("Form", "TProbeForm", false, nullptr);
  form.TopLevel = true;
  TProbe& button = Probe("Button", "BUTTON", true, &form);
  TProbe& edit = Probe("Edit", "EDIT", true, &form);
  TProbe& silent = Probe("Silent", "BUTTON", true, &form);
  silent.Answers = false;
  form.CreateHandle(ports, 0);
  // A window in the form that no control of the form made.
  const TWnd stranger = sys.Windows.CreateWindowFrom(
      {"BUTTON", "", WS_CHILD | WS_VISIBLE, 0, {0, 0, 10, 10}, form.Handle(), 7}, nullptr);

  using TNotice = TFakeWindows::TNotice;
  const TNotice fromButton{button.Handle(), ODT_BUTTON, 0x100};
  const TNotice fromSilent{silent.Handle(), ODT_BUTTON, 0x102};
  const TNotice editMeasured{0, ODT_BUTTON, 0x101};  // WM_MEASUREITEM names the control by id
  const TNotice menuItem{0, ODT_MENU, 0};
  const TNotice fromStranger{stranger, ODT_BUTTON, 7};
  const auto ptr = [](const TNotice& n) { return reinterpret_cast<TLParam>(&n); };
  const struct {
    const char* what;
    std::uint32_t msg;
    TWParam wParam;
    TLParam lParam;
    TProbe* target;  // null: the form's own procedure handles it
  } cases[] = {
      {"a button's click", WM_COMMAND, 0x100, static_cast<TLParam>(button.Handle()), &button},
      {"a menu command", WM_COMMAND, 40001, 0, nullptr},
      {"an edit's colours", WM_CTLCOLOREDIT, 0x4D0, static_cast<TLParam>(edit.Handle()), &edit},
      {"a button's colours", WM_CTLCOLORBTN, 0x4D0, static_cast<TLParam>(button.Handle()), &button},
      {"a notify header", WM_NOTIFY, 0x100, ptr(fromButton), &button},
      {"a control's item to draw", WM_DRAWITEM, 0x100, ptr(fromButton), &button},
      {"an item to measure", WM_MEASUREITEM, 0x101, ptr(editMeasured), &edit},
      {"a menu item to draw", WM_DRAWITEM, 0, ptr(menuItem), nullptr},
      {"a menu item to measure", WM_MEASUREITEM, 0, ptr(menuItem), nullptr},
      {"a window of no control", WM_DRAWITEM, 7, ptr(fromStranger), nullptr},
      {"a control that leaves it to the parent", WM_DRAWITEM, 0x102, ptr(fromSilent), nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (TProbe* p : {&button, &edit, &silent}) p->Reflected.clear();
    sys.Windows.DefaultHandled.clear();
    const TLResult result = sys.Windows.Send(form.Handle(), c.msg, c.wParam, c.lParam);
    for (TProbe* p : {&button, &edit})
      EXPECT_EQ(p->Reflected, p == c.target ? std::vector<std::uint32_t>{c.msg} : std::vector<std::uint32_t>{})
          << p->Name();
    const bool toForm = !sys.Windows.DefaultHandled.empty() &&
                        sys.Windows.DefaultHandled.back().Window == form.Handle() &&
                        sys.Windows.DefaultHandled.back().Msg == c.msg;
    EXPECT_EQ(toForm, c.target == nullptr);
    EXPECT_EQ(result, c.target ? 0x5A : 0);
  }
}

}  // namespace
