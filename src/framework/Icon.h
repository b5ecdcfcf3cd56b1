// TIcon: an icon picture the program owns. Its handle is released with it or when another
// picture takes its place, and OnChange follows every change of picture (a tray icon shows
// the new picture from there).
#pragma once

#include <functional>
#include <string>

#include "platform/Icons.h"

class TIcon {
public:
  explicit TIcon(IIcons& icons) : FIcons(icons) {}
  ~TIcon();
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  TIconHandle Handle() const { return FHandle; }
  bool Empty() const { return FHandle == 0; }
  // Takes ownership of handle; 0 empties the icon.
  void SetHandle(TIconHandle handle);
  // Takes a copy of source's picture (an empty source empties this one).
  void Assign(const TIcon& source);
  // The program's icon resource at size × size; false (and empty) when there is none.
  bool LoadResource(const std::string& name, int size);

  std::function<void()> OnChange;

private:
  IIcons& FIcons;
  TIconHandle FHandle = 0;
};
