// What the tray icon tests share: a fake system's application, an owner component with a
// window of its own, a two-image list ("IMG0", "IMG1"), a popup menu that records what is
// done to it, and ways to see what the fake shell shows.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/FakeSystem.h"
#include "framework/WindowParams.h"
#include "tray/TrayIcon.h"

// The owner window's own procedure: records what reaches it.
struct TOwnerProc final : IMessageHandler {
  explicit TOwnerProc(TFakeSystem& sys) : Sys(sys) {}
  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override {
    Seen.push_back(msg);
    return Sys.Windows.DefaultProc(window, msg, wParam, lParam);
  }
  TFakeSystem& Sys;
  std::vector<std::uint32_t> Seen;
};

// A popup menu that writes what happens to it into a log.
class TTestMenu final : public TCustomPopupMenu {
public:
  TTestMenu(TComponent* owner, std::string name, std::vector<std::string>& log,
            std::vector<bool> defaults = {false, false, false})
      : TCustomPopupMenu(owner, std::move(name)), FLog(log), FDefaults(std::move(defaults)) {}
  std::size_t TopItemCount() const override { return FDefaults.size(); }
  bool IsDefaultItem(std::size_t index) const override { return FDefaults[index]; }
  void ClickItem(std::size_t index) override { FLog.push_back("item " + std::to_string(index)); }
  void PopupAt(TPoint point) override {
    FLog.push_back("popup at " + std::to_string(point.x) + "," + std::to_string(point.y) +
                   (PopupComponent ? " from " + PopupComponent->Name() : ""));
    if (OnPopup) OnPopup();
  }
  std::function<void()> OnPopup;  // runs while the menu is open

private:
  std::vector<std::string>& FLog;
  std::vector<bool> FDefaults;
};

// VS_FIXEDFILEINFO as the version port hands it back, for a file version major.minor.
inline std::string FixedFileInfo(std::pair<std::uint16_t, std::uint16_t> version) {
  std::string raw(52, '\0');
  const std::uint32_t head[3] = {0xFEEF04BD, 0x00010000,
                                 static_cast<std::uint32_t>(version.first) << 16 | version.second};
  std::memcpy(raw.data(), head, sizeof head);
  return raw;
}

struct TTrayFixtureWorld {
  explicit TTrayFixtureWorld(TFakeSystem& system)
      : sys(system),
        app(system.System, "Vantrel"),
        ownerProc(system),
        ownerWindow(CreateHiddenWindow(system.Windows, "TOwner", "Owner", ownerProc)),
        unit(system.System),
        owner(nullptr, "Owner"),
        list(owner.Create<TImageList>("IconList", system.Icons)) {
    list.AddIconResource("IMG0");
    list.AddIconResource("IMG1");
  }

  TTrayIcon& MakeIcon() { return owner.Create<TTrayIcon>("TrayIcon", unit, app, ownerWindow); }
  TTrayIconUnit& Unit() { return unit; }
  TWnd TrayWindow() const { return sys.Windows.FindWindow(TTrayIconUnit::WindowClassName); }
  // The picture the tray shows for the icon: its resource, "" for an empty icon, "absent"
  // when the icon is not in the tray.
  std::string Shown(const TTrayIcon& icon) const {
    const TNotifyIconData* data = sys.Shell.FindIcon(TrayWindow(), icon.TrayId());
    return data ? sys.Icons.NameOf(data->hIcon) : "absent";
  }
  // The shell calling the icon back with a mouse or balloon event.
  void Callback(const TTrayIcon& icon, std::uint32_t event) {
    sys.Windows.Send(TrayWindow(), TrayCallbackMessage, icon.TrayId(), event);
  }

  TFakeSystem& sys;
  TApplication app;
  TOwnerProc ownerProc;
  TWnd ownerWindow;
  TTrayIconUnit unit;
  TComponent owner;  // destroys the icons before the unit and the application go
  TImageList& list;
  std::vector<std::string> log;
};

struct TrayFixture : ::testing::Test {
  TFakeSystem sys;
  TTrayFixtureWorld world{sys};
  TApplication& app = world.app;
  TOwnerProc& ownerProc = world.ownerProc;
  TWnd ownerWindow = world.ownerWindow;
  TComponent& owner = world.owner;
  TImageList& list = world.list;
  std::vector<std::string>& log = world.log;

  TTrayIcon& MakeIcon() { return world.MakeIcon(); }
  TWnd TrayWindow() const { return world.TrayWindow(); }
  std::string Shown(const TTrayIcon& icon) const { return world.Shown(icon); }
  void Callback(const TTrayIcon& icon, std::uint32_t event) { world.Callback(icon, event); }
};
