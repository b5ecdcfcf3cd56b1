#include "framework/Icon.h"

TIcon::~TIcon() {
  if (FHandle) FIcons.ReleaseIcon(FHandle);
}

void TIcon::SetHandle(TIconHandle handle) {
  // The shell keeps its own copy of the picture it shows, so the old handle may go before
  // the tray hears of the new one; released first, it is not lost if OnChange throws.
  const TIconHandle old = FHandle;
  FHandle = handle;
  if (old && old != handle) FIcons.ReleaseIcon(old);
  if (OnChange) OnChange();
}

void TIcon::Assign(const TIcon& source) {
  if (&source == this) return;
  SetHandle(source.FHandle ? FIcons.CloneIcon(source.FHandle) : 0);
}

bool TIcon::LoadResource(const std::string& name, int size) {
  SetHandle(FIcons.LoadIconResource(name, size));
  return FHandle != 0;
}
