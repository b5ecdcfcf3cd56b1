// Windows drops, without an error, the input that a program injects into a window of a
// process with a higher integrity level (a game run as administrator): the clicks go out and
// nothing happens. This check finds such a target when clicking starts, so the player can be
// told once per target process.
#pragma once

#include <cstdint>
#include <set>

#include "platform/System.h"

// What the player is told, in a tray balloon titled with the program's name.
inline constexpr const char* ElevatedTargetWarning =
    "このウィンドウは管理者として実行されています。クリックを届けるには Vantrel も管理者として実行してください。";

class TElevationCheck {
public:
  explicit TElevationCheck(TSystem& system) : FSystem(system) {}

  // The window at point, or the foreground window where there is none: true when its
  // process runs at a higher integrity level than this one, or cannot even be asked, and
  // the player has not been told of that process yet.
  bool ShouldWarn(TPoint point);

private:
  TSystem& FSystem;
  std::set<std::uint32_t> FWarned;
};
