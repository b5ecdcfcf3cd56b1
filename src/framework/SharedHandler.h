// A handler shared by every object of a kind, with the window it owns: made for the first
// object that asks, counted for each one, destroyed with the last.
#pragma once

#include <memory>

template <class THandler>
class TSharedHandler {
public:
  THandler* Get() const { return FHandler.get(); }

  template <class... TArgs>
  THandler& Acquire(TArgs&... args) {
    if (!FHandler) FHandler = std::make_unique<THandler>(args...);
    ++FHandler->FRefCount;
    return *FHandler;
  }

  // The count never goes below 0.
  void Release() {
    if (!FHandler) return;
    if (FHandler->FRefCount > 0) --FHandler->FRefCount;
    if (FHandler->FRefCount == 0) FHandler.reset();
  }

private:
  std::unique_ptr<THandler> FHandler;
};
