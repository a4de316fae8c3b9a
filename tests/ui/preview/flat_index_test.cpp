#include "ui/preview/flat_index.h"

#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

namespace tarvo::ui {
namespace {

// A hash with nothing in its low bits: the index must mix it.
struct HighBitsOnly {
  std::size_t operator()(std::uint64_t key) const { return key << 40; }
};

// Keys drawn from a small range, so that most come again: each gets the
// number it was first given, as a standard map keeps it, across growth.
TEST(FlatIndexTest, NumbersEachKeyAsTheFirstTimeItCame) {
  std::mt19937_64 random(35);
  for (const std::size_t expected : {0, 10, 5000}) {
    FlatIndex<std::uint64_t, HighBitsOnly> index(expected);
    std::unordered_map<std::uint64_t, int> reference;
    for (int i = 0; i < 20000; ++i) {
      const std::uint64_t key = random() % 3000;
      const auto [number, added] = index.Insert(key, i);
      const auto [at, referenceAdded] = reference.try_emplace(key, i);
      ASSERT_EQ(added, referenceAdded) << key;
      ASSERT_EQ(number, at->second) << key;
    }
    EXPECT_EQ(index.Size(), reference.size());
  }
}

}  // namespace
}  // namespace tarvo::ui
