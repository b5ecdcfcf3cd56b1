#include "framework/SubclassHook.h"

#include <exception>
#include <utility>

TSubclassHook::TSubclassHook(IWindows& windows, TWnd window, THandler handler)
    : FWindows(windows), FWindow(window), FHandler(std::move(handler)),
      FInstalled(window && windows.SubclassWindow(window, *this)) {}

TSubclassHook::~TSubclassHook() {
  if (FInstalled) FWindows.RemoveSubclass(FWindow, *this);
}

TLResult TSubclassHook::HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) {
  if (const std::optional<TLResult> answer = FHandler(window, msg, wParam, lParam)) return *answer;
  return FWindows.DefSubclassProc(window, msg, wParam, lParam);
}

TListeningHook::TListeningHook(IWindows& windows, TWnd window, TListener listener)
    : FHook(windows, window,
            [&windows, listener = std::move(listener)](TWnd w, std::uint32_t msg, TWParam wParam,
                                                       TLParam lParam) -> std::optional<TLResult> {
              std::exception_ptr failure;
              try {
                listener(msg, wParam, lParam);
              } catch (...) {
                failure = std::current_exception();
              }
              const TLResult result = windows.DefSubclassProc(w, msg, wParam, lParam);
              if (failure) std::rethrow_exception(failure);
              return result;
            }) {}
