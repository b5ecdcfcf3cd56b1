// The peer of a top-level window: position and outer size read from and written to the
// window itself, also while it is hidden.
#pragma once

#include "framework/Controls.h"
#include "platform/Windowing.h"

class TWindowPeer final : public IControlPeer {
public:
  TWindowPeer(IWindows& windows, TWnd window) : FWindows(windows), FWindow(window) {}
  std::string GetText() override { return {}; }
  void SetText(const std::string&) override {}
  std::int32_t GetInt(TPeerProperty property) override;
  void SetInt(TPeerProperty property, std::int32_t value) override;

private:
  IWindows& FWindows;
  TWnd FWindow;
};
