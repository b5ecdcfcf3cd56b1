#include "click/ElevationCheck.h"

bool TElevationCheck::ShouldWarn(TPoint point) {
  IWindows& windows = FSystem.Windows;
  TWnd target = windows.WindowAt(point);
  if (!target) target = windows.ForegroundWindow();
  const std::uint32_t process = target ? windows.WindowProcessId(target) : 0;
  if (!process || FWarned.count(process)) return false;
  const std::optional<std::uint32_t> own = FSystem.Process.OwnIntegrityLevel();
  const std::optional<std::uint32_t> theirs = FSystem.Process.IntegrityLevel(process);
  // Without a level of its own there is nothing to compare with but a refusal.
  if (theirs && (!own || *theirs <= *own)) return false;
  FWarned.insert(process);
  return true;
}
