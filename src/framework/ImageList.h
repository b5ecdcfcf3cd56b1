// TImageList: a component holding a row of same-sized images, handed out as icons. Images
// come from the program's icon resources, loaded at the list's size.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Icon.h"

// Of the sizes a set of icon resources holds (ascending), the one to load for a wanted size:
// the smallest at or above it, else the largest. A picture is then drawn at a size it was
// drawn for, never one made from a smaller picture by stretching it.
int IconSizeFor(int wanted, std::span<const int> sizes);

class TImageList : public TComponent {
public:
  TImageList(TComponent* owner, std::string name, IIcons& icons)
      : TComponent(owner, std::move(name)), FIcons(icons) {}

  // The size of the images; set it before adding any.
  int Width = 16;
  int Height = 16;

  int Count() const { return static_cast<int>(FImages.size()); }
  // Adds the icon resource as the next image; false when the program has no such icon,
  // and the list is unchanged.
  bool AddIconResource(const std::string& name);
  // Puts a copy of image index into icon; an index the list does not hold gives an empty
  // icon.
  void GetIcon(int index, TIcon& icon) const;
  // The list's own handle of image index, for drawing; 0 for an index it does not hold.
  TIconHandle IconHandle(int index) const;

private:
  IIcons& FIcons;
  std::vector<std::unique_ptr<TIcon>> FImages;
};
