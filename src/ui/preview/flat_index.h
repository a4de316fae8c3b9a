#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace tarvo::ui {

// Numbers the distinct keys it is given, in one array with no allocation per
// key (open addressing, linear probing, at most half full): the feature edges
// put every corner of every triangle of a tool through one on each change.
// `Hash` may be weak in its low bits; its value is mixed here.
template <typename K, typename Hash>
class FlatIndex {
 public:
  explicit FlatIndex(std::size_t expected = 0) { Resize(expected * 2); }

  // The number of `key`, given `number` when it is new; whether it is new.
  std::pair<int, bool> Insert(const K& key, int number) {
    if ((count_ + 1) * 2 > slots_.size()) Resize(slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = Mixed(Hash{}(key)) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.Number < 0) {
        slot = {key, number};
        ++count_;
        return {number, true};
      }
      if (slot.Key == key) return {slot.Number, false};
    }
  }
  std::size_t Size() const { return count_; }

 private:
  struct Slot {
    K Key{};
    int Number = -1;  // none: the slot is free
  };

  // The finishing steps of SplitMix64: every bit of the hash reaches the low bits.
  static std::size_t Mixed(std::uint64_t h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    return static_cast<std::size_t>(h ^ (h >> 31));
  }

  void Resize(std::size_t wanted) {
    std::size_t size = 64;
    while (size < wanted) size *= 2;
    std::vector<Slot> old(size);
    old.swap(slots_);
    count_ = 0;
    for (const Slot& slot : old) {
      if (slot.Number >= 0) Insert(slot.Key, slot.Number);
    }
  }

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
};

}  // namespace tarvo::ui
