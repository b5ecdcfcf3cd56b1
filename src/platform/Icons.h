// Icon pictures: the program's icon resources loaded at a size, copies and their release,
// and the size the notification area shows icons at.
#pragma once

#include <string>

#include "platform/Shell.h"

class IIcons {
public:
  virtual ~IIcons() = default;
  // LoadImage(program, name, IMAGE_ICON, size, size): the resource's image that best fits
  // the size, scaled when none has it; 0 when the program has no such icon. The caller
  // releases it.
  [[nodiscard]] virtual TIconHandle LoadIconResource(const std::string& name, int size) = 0;
  // CopyIcon: a handle of its own to the same picture; 0 for no icon or on failure.
  [[nodiscard]] virtual TIconHandle CloneIcon(TIconHandle icon) = 0;
  // DestroyIcon.
  virtual void ReleaseIcon(TIconHandle icon) = 0;
  // GetSystemMetrics(SM_CXSMICON): the size of a small icon, as the tray shows them.
  [[nodiscard]] virtual int SmallIconSize() = 0;
};
