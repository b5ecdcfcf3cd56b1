// Fake icon pictures: a handle is a number that remembers the resource and size it came
// from, so a test can tell which picture the tray shows, and the live handles are counted,
// so a leak or a double release shows.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/Icons.h"

class TFakeIcons : public IIcons {
public:
  TIconHandle LoadIconResource(const std::string& name, int size) override;
  TIconHandle CloneIcon(TIconHandle icon) override;
  void ReleaseIcon(TIconHandle icon) override;
  int SmallIconSize() override { return SmallSize; }

  // The resource a handle's picture came from, also after its release (the shell keeps a
  // copy of what it shows); empty for 0.
  std::string NameOf(TIconHandle icon) const;
  int SizeOf(TIconHandle icon) const;
  std::size_t LiveCount() const { return FLive.size(); }
  int BadReleases = 0;  // releases of 0 or of a handle that was not live

  int SmallSize = 16;
  std::set<std::string> Missing;  // resources the program does not have

private:
  struct TPicture {
    std::string Name;
    int Size;
  };
  std::map<TIconHandle, TPicture> FLive;
  std::map<TIconHandle, TPicture> FMade;  // every handle ever given out; none is reused
  TIconHandle FNext = 0x50000;
};
