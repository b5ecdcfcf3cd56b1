#include <gtest/gtest.h>

#include "framework/WindowParams.h"
#include "hotkeys/HotKeyManager.h"
#include "support/FakeSystem.h"

using namespace win;

namespace {

struct TBaseProc final : IMessageHandler {
  explicit TBaseProc(IWindows& w) : Windows(w) {}
  TLResult HandleMessage(TWnd wnd, std::uint32_t msg, TWParam wp, TLParam lp) override {
    return Windows.DefaultProc(wnd, msg, wp, lp) + 7;  // a result the hook must pass back
  }
  IWindows& Windows;
};

struct HotKeyManagerTest : ::testing::Test {
  TFakeSystem sys;
  TBaseProc base{sys.Windows};
  TWnd app = CreateHiddenWindow(sys.Windows, "TApplication", "Vantrel", base);
  TComponent owner;
  THotKeyManager& manager = owner.Create<THotKeyManager>(sys.System, app);
  std::vector<std::pair<TShortCut, std::uint16_t>> presses;

  void Listen() {
    manager.OnHotKeyPressed = [this](TShortCut code, std::uint16_t index) {
      presses.push_back({code, index});
    };
  }
  TLResult SendHotKey(TWParam id, std::uint16_t modifiers, std::uint16_t vk) {
    return sys.Windows.Send(app, WM_HOTKEY, id, static_cast<TLParam>((vk << 16) | modifiers));
  }
};

}  // namespace

TEST_F(HotKeyManagerTest, AddHotKeyRegistersUnderTheAtomOfTheCodesName) {
  const struct { TShortCut code; const char* atom; std::uint32_t modifiers; } cases[] = {
      {0x0024, "HotKeyManagerHotKey36", 0},
      {0x2024, "HotKeyManagerHotKey8228", MOD_SHIFT},
      {0x6024, "HotKeyManagerHotKey24612", MOD_CONTROL | MOD_SHIFT},
      {0x6023, "HotKeyManagerHotKey24611", MOD_CONTROL | MOD_SHIFT},
      {0xA024, "HotKeyManagerHotKey40996", MOD_ALT | MOD_SHIFT},
      {0x1F24 | 0x4000, "HotKeyManagerHotKey24356", MOD_CONTROL},  // bits 0x1F00 stay ours
  };
  for (const auto& c : cases) {
    const std::uint16_t id = manager.AddHotKey(c.code);
    ASSERT_NE(id, 0) << c.atom;
    EXPECT_EQ(sys.Atoms.Find(c.atom), id);
    EXPECT_EQ(sys.HotKeys.Calls.back(), "register " + std::to_string(id) + " " +
                                            std::to_string(c.modifiers) + " " +
                                            std::to_string(c.code & 0xFF)) << c.atom;
    EXPECT_EQ(manager.HotKeys().back().Code, c.code);
    EXPECT_EQ(manager.HotKeys().back().Id, id);
  }
  EXPECT_EQ(manager.HotKeys().size(), std::size(cases));
}

TEST_F(HotKeyManagerTest, RefusedRegistrationGivesTheAtomBackAndRecordsNothing) {
  const std::uint16_t first = manager.AddHotKey(0x0024);
  ASSERT_NE(first, 0);
  EXPECT_EQ(manager.AddHotKey(0x0024), 0);
  EXPECT_EQ(manager.HotKeys().size(), 1u);
  EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey36"), 1);

  // Taken by another program: same outcome, and its registration stays.
  ASSERT_TRUE(sys.HotKeys.RegisterHotKey(0x999, 1, MOD_SHIFT, VK_END));
  EXPECT_EQ(manager.AddHotKey(scShift | VK_END), 0);
  EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey8227"), 0);
  EXPECT_TRUE(sys.HotKeys.Lookup(MOD_SHIFT, VK_END).has_value());
}

TEST_F(HotKeyManagerTest, FullAtomTableStillRegistersWithIdZero) {
  sys.Atoms.TableFull = true;
  EXPECT_EQ(manager.AddHotKey(0x0023), 0);
  ASSERT_EQ(manager.HotKeys().size(), 1u);
  EXPECT_EQ(manager.HotKeys()[0].Id, 0);
}

TEST_F(HotKeyManagerTest, PressIsMatchedByCodeReportedWithItsIdAndPassedOn) {
  Listen();
  manager.AddHotKey(0x6023);
  manager.AddHotKey(0x0024);
  // modifiers, key -> expected code (0 = not reported)
  const struct { std::uint16_t modifiers, vk; TShortCut reported; } cases[] = {
      {MOD_CONTROL | MOD_SHIFT, VK_END, 0x6023},
      {MOD_CONTROL | MOD_SHIFT | MOD_WIN, VK_END, 0x6023},  // the Win key is dropped
      {0, VK_HOME, 0x0024},
      {MOD_ALT, VK_HOME, 0},                                 // Alt+Home is not ours
      {MOD_SHIFT, VK_END, 0},
  };
  for (const auto& c : cases) {
    presses.clear();
    sys.Windows.DefaultHandled.clear();
    EXPECT_EQ(SendHotKey(0x12345, c.modifiers, c.vk), 7) << "the previous procedure's result";
    if (c.reported) {
      ASSERT_EQ(presses.size(), 1u);
      EXPECT_EQ(presses[0], (std::pair<TShortCut, std::uint16_t>{c.reported, 0x2345}));
    } else {
      EXPECT_TRUE(presses.empty());
    }
    ASSERT_EQ(sys.Windows.DefaultHandled.size(), 1u) << "every message goes on";
    EXPECT_EQ(sys.Windows.DefaultHandled[0].Msg, WM_HOTKEY);
  }
}

TEST_F(HotKeyManagerTest, WithoutAHandlerPressesAreOnlyPassedOn) {
  manager.AddHotKey(0x0024);
  EXPECT_EQ(SendHotKey(1, 0, VK_HOME), 7);
  EXPECT_EQ(sys.Windows.DefaultHandled.size(), 1u);
}

TEST_F(HotKeyManagerTest, FailingHandlerStillPassesTheMessageOnAndTheErrorIsReported) {
  std::vector<std::string> errors;
  sys.Windows.SetErrorHandler([&](std::exception_ptr e) {
    try { std::rethrow_exception(e); } catch (const std::exception& x) { errors.push_back(x.what()); }
  });
  manager.OnHotKeyPressed = [](TShortCut, std::uint16_t) { throw std::runtime_error("boom"); };
  manager.AddHotKey(0x0024);
  SendHotKey(1, 0, VK_HOME);
  EXPECT_EQ(sys.Windows.DefaultHandled.size(), 1u);
  EXPECT_EQ(errors, std::vector<std::string>{"boom"});
}

TEST_F(HotKeyManagerTest, ClearHotKeysUnregistersLastFirstAndReleasesTheAtoms) {
  const std::uint16_t a = manager.AddHotKey(0x0024);
  const std::uint16_t b = manager.AddHotKey(0x0023);
  sys.HotKeys.Calls.clear();
  manager.ClearHotKeys();
  EXPECT_EQ(sys.HotKeys.Calls, (std::vector<std::string>{"unregister " + std::to_string(b),
                                                         "unregister " + std::to_string(a)}));
  EXPECT_TRUE(manager.HotKeys().empty());
  EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey36"), 0);
  EXPECT_TRUE(sys.HotKeys.Registered().empty());

  manager.ClearHotKeys();
  EXPECT_TRUE(sys.HotKeys.Calls.size() == 2u) << "a second clear does nothing";

  EXPECT_NE(manager.AddHotKey(0x0024), 0) << "the same code can be added again";
  EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey36"), 1);
}

TEST_F(HotKeyManagerTest, UnregistrationFailureStillReleasesTheAtomAndDropsTheEntry) {
  manager.AddHotKey(0x0024);
  ASSERT_TRUE(sys.HotKeys.UnregisterHotKey(app, manager.HotKeys()[0].Id));  // gone behind its back
  manager.ClearHotKeys();
  EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey36"), 0);
  EXPECT_TRUE(manager.HotKeys().empty());
}

TEST_F(HotKeyManagerTest, DestructionClearsAndUnhooksOnlyItsOwnHook) {
  auto localOwner = std::make_unique<TComponent>();
  auto& local = localOwner->Create<THotKeyManager>(sys.System, app);
  local.AddHotKey(0x0023);
  TBaseProc later{sys.Windows};
  ASSERT_TRUE(sys.Windows.SubclassWindow(app, later));  // another party hooks after us
  EXPECT_EQ(sys.Windows.HookCount(app), 3u);
  localOwner.reset();
  EXPECT_EQ(sys.Windows.HookCount(app), 2u) << "the later hook stays in place";
  EXPECT_FALSE(sys.HotKeys.Lookup(0, VK_END).has_value());
  EXPECT_EQ(sys.Atoms.RefCount("HotKeyManagerHotKey35"), 0);
}
