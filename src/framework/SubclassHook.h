// A subclass of one window for as long as the object lives: installed by the constructor,
// removed by the destructor. Removing it takes out this hook only, so a hook that someone
// installed later on the same window stays in place (swapping a saved procedure back would
// drop it). The hook's id is its address: no executable thunk is needed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Windowing.h"

class TSubclassHook : private IMessageHandler {
public:
  // Answers a message (a result) or leaves it to the window's previous procedure (nullopt).
  using THandler = std::function<std::optional<TLResult>(TWnd window, std::uint32_t msg, TWParam wParam,
                                                         TLParam lParam)>;

  TSubclassHook(IWindows& windows, TWnd window, THandler handler);
  ~TSubclassHook() override;
  TSubclassHook(const TSubclassHook&) = delete;
  TSubclassHook& operator=(const TSubclassHook&) = delete;

  // False when the system refused the subclass (it gives no reason); then the hook sees
  // nothing.
  bool Installed() const { return FInstalled; }
  TWnd Window() const { return FWindow; }

private:
  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override;

  IWindows& FWindows;
  TWnd FWindow;
  THandler FHandler;
  bool FInstalled;
};

// A hook that only listens: every message goes on to the window's previous procedure, also
// when the listener fails, and the error is raised again once the message has gone on (for
// the application to show), so no message of the window is ever lost to a failing listener.
class TListeningHook final {
public:
  using TListener = std::function<void(std::uint32_t msg, TWParam wParam, TLParam lParam)>;

  TListeningHook(IWindows& windows, TWnd window, TListener listener);
  bool Installed() const { return FHook.Installed(); }

private:
  TSubclassHook FHook;
};
