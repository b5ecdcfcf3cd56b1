// Objects by small ids, so a window message's 32-bit wParam leads back to its object without
// a search, also where addresses are 64 bits wide. An id is the slot's index + 1 in its low
// 16 bits and the slot's generation above them: a freed slot is reused at once, but under a
// new id, so a message queued for the object that went finds nobody rather than the
// object that took its place.
#pragma once

#include <cstdint>
#include <vector>

template <class T>
class TSlotTable {
public:
  std::uint32_t Add(T& item) {
    std::size_t i = 0;
    while (i < FSlots.size() && FSlots[i].Item) ++i;
    if (i == FSlots.size()) FSlots.push_back({});
    FSlots[i].Item = &item;
    return IdOf(i);
  }
  void Remove(std::uint32_t id) {
    if (TSlot* slot = SlotOf(id)) {
      slot->Item = nullptr;
      ++slot->Generation;  // wraps after 65536 reuses of one slot
    }
  }
  T* Find(std::uintptr_t id) const {
    const TSlot* slot = SlotOf(id);
    return slot ? slot->Item : nullptr;
  }

private:
  struct TSlot {
    T* Item = nullptr;  // nullptr where free
    std::uint16_t Generation = 0;
  };

  std::uint32_t IdOf(std::size_t i) const {
    return (std::uint32_t{FSlots[i].Generation} << 16) | static_cast<std::uint32_t>(i + 1);
  }
  const TSlot* SlotOf(std::uintptr_t id) const {
    const std::size_t index = (id & 0xFFFF);
    if (index < 1 || index > FSlots.size() || id > 0xFFFFFFFFu) return nullptr;
    const TSlot& slot = FSlots[index - 1];
    return slot.Generation == (id >> 16) ? &slot : nullptr;
  }
  TSlot* SlotOf(std::uintptr_t id) {
    return const_cast<TSlot*>(static_cast<const TSlotTable*>(this)->SlotOf(id));
  }

  std::vector<TSlot> FSlots;
};
