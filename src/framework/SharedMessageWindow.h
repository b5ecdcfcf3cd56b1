// One hidden window shared by every object of a kind that needs the system to call it back
// (the program's timers, its tray icons): made when the first object joins, destroyed when
// the last one leaves. Each object gets an id from the window's slot table (see SlotTable.h),
// which a callback carries back in 32 bits; the table outlives the window, so an id is never
// reused, not even across a new window. The user supplies only its message switch.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "framework/SlotTable.h"
#include "framework/WindowParams.h"
#include "platform/Windowing.h"

template <class T>
class TSharedMessageWindow final : private IMessageHandler {
public:
  // Answers a message of the window (a result), or leaves it to the default procedure.
  using TSwitch = std::function<std::optional<TLResult>(std::uint32_t msg, TWParam wParam, TLParam lParam)>;

  // className: the window's class, of our own; failure: what a window that cannot be made
  // is reported as.
  TSharedMessageWindow(IWindows& windows, std::string className, std::string failure, TSwitch messageSwitch)
      : FWindows(windows),
        FClassName(std::move(className)),
        FFailure(std::move(failure)),
        FSwitch(std::move(messageSwitch)) {}
  // The program's end: a window that an object left behind goes too.
  ~TSharedMessageWindow() override { DestroyWindow(); }
  TSharedMessageWindow(const TSharedMessageWindow&) = delete;
  TSharedMessageWindow& operator=(const TSharedMessageWindow&) = delete;

  // The object's id; the window is made for the first object (an error when the system
  // refuses it, and then the object has not joined).
  std::uint32_t Join(T& object) {
    if (!FWindow) {
      FWindow = CreateUtilityWindow(FWindows, FClassName, *this);
      if (!FWindow) throw LastWindowsError(FWindows, FFailure);
    }
    ++FUsers;
    return FSlots.Add(object);
  }
  // The object of that id leaves; the window goes with the last one.
  void Leave(std::uint32_t id) {
    FSlots.Remove(id);
    if (FUsers > 0 && --FUsers == 0) DestroyWindow();
  }
  // The object an id leads to; null for an id whose object has left.
  T* Find(std::uintptr_t id) const { return FSlots.Find(id); }
  // 0 while no object has joined.
  TWnd Window() const { return FWindow; }

private:
  TLResult HandleMessage(TWnd window, std::uint32_t msg, TWParam wParam, TLParam lParam) override {
    if (const std::optional<TLResult> answer = FSwitch(msg, wParam, lParam)) return *answer;
    // Nobody closes the shared window but its owner: the default procedure would destroy it
    // under the objects that use it.
    if (msg == win::WM_CLOSE) return 0;
    return FWindows.DefaultProc(window, msg, wParam, lParam);
  }
  void DestroyWindow() {
    if (FWindow) FWindows.DestroyWindow(std::exchange(FWindow, TWnd{0}));
  }

  IWindows& FWindows;
  std::string FClassName;
  std::string FFailure;
  TSwitch FSwitch;
  TSlotTable<T> FSlots;
  TWnd FWindow = 0;
  std::size_t FUsers = 0;
};
