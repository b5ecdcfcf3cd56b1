// Objects by small ids: the id is the slot's index + 1, so a window message's 32-bit wParam
// leads back to its object without a search, also where addresses are 64 bits wide. A freed
// slot answers nullptr, so a message queued before its object went finds nobody.
#pragma once

#include <cstdint>
#include <vector>

template <class T>
class TSlotTable {
public:
  std::uint32_t Add(T& item) {
    for (std::size_t i = 0; i < FSlots.size(); ++i)
      if (!FSlots[i]) {
        FSlots[i] = &item;
        return static_cast<std::uint32_t>(i + 1);
      }
    FSlots.push_back(&item);
    return static_cast<std::uint32_t>(FSlots.size());
  }
  void Remove(std::uint32_t id) {
    if (id >= 1 && id <= FSlots.size()) FSlots[id - 1] = nullptr;
  }
  T* Find(std::uintptr_t id) const {
    return id >= 1 && id <= FSlots.size() ? FSlots[id - 1] : nullptr;
  }

private:
  std::vector<T*> FSlots;  // nullptr where free
};
