#include "support/FakeIcons.h"

TIconHandle TFakeIcons::LoadIconResource(const std::string& name, int size) {
  if (Missing.count(name)) return 0;
  const TIconHandle handle = FNext++;
  FLive[handle] = FMade[handle] = {name, size};
  return handle;
}

TIconHandle TFakeIcons::CloneIcon(TIconHandle icon) {
  auto it = FLive.find(icon);
  if (it == FLive.end()) return 0;
  const TIconHandle handle = FNext++;
  FLive[handle] = FMade[handle] = it->second;
  return handle;
}

void TFakeIcons::ReleaseIcon(TIconHandle icon) {
  if (FLive.erase(icon) == 0) ++BadReleases;
}

std::string TFakeIcons::NameOf(TIconHandle icon) const {
  auto it = FMade.find(icon);
  return it == FMade.end() ? std::string() : it->second.Name;
}

int TFakeIcons::SizeOf(TIconHandle icon) const {
  auto it = FMade.find(icon);
  return it == FMade.end() ? 0 : it->second.Size;
}
