#include "framework/ImageList.h"

int IconSizeFor(int wanted, std::span<const int> sizes) {
  for (int size : sizes)
    if (size >= wanted) return size;
  return sizes.empty() ? wanted : sizes.back();
}

bool TImageList::AddIconResource(const std::string& name) {
  auto image = std::make_unique<TIcon>(FIcons);
  if (!image->LoadResource(name, Width)) return false;
  FImages.push_back(std::move(image));
  return true;
}

void TImageList::GetIcon(int index, TIcon& icon) const {
  if (index < 0 || index >= Count())
    icon.SetHandle(0);
  else
    icon.Assign(*FImages[static_cast<std::size_t>(index)]);
}

TIconHandle TImageList::IconHandle(int index) const {
  return index < 0 || index >= Count() ? 0 : FImages[static_cast<std::size_t>(index)]->Handle();
}
