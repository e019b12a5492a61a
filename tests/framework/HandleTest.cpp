#include "Set.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TCountingTraits {
  using THandleType = int;
  static int Invalid() { return 0; }
  static void Close(int handle) { Closed.push_back(handle); }
  static inline std::vector<int> Closed;
};
using TCountedHandle = TUniqueHandle<TCountingTraits>;

TEST(UniqueHandleTest, EachHandleIsClosedOnceByWhoeverOwnsItLast) {
  TCountingTraits::Closed.clear();
  {
    TCountedHandle first(1);
    TCountedHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), 1);

    TCountedHandle third(3);
    third = std::move(second); // 3 goes now, 1 moves on
    EXPECT_FALSE(second);
    EXPECT_EQ(TCountingTraits::Closed, std::vector<int>{3});
    TCountedHandle& same = third;
    third = std::move(same);
    EXPECT_EQ(third.get(), 1);

    TCountedHandle released(4);
    EXPECT_EQ(released.release(), 4);
    third.reset(5);
    EXPECT_EQ(TCountingTraits::Closed, (std::vector<int>{3, 1}));
  }
  EXPECT_EQ(TCountingTraits::Closed, (std::vector<int>{3, 1, 5})); // 4 was given away

  // A failed call answers its kind's own "no handle", which must not count as one.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string missing = std::string(temp) + "kov-missing-folder\\*";
  WIN32_FIND_DATAA entry;
  EXPECT_FALSE(TFindHandle(FindFirstFileA(missing.c_str(), &entry)));
  EXPECT_FALSE(TFileHandle(
      CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
}

enum TBit { bFirst, bSecond, bLast = 31 };

TEST(SetTest, MembersAreIndependentUpToTheLastBit) {
  TSet<TBit> set{bFirst, bLast};
  EXPECT_TRUE(set.Contains(bFirst) && set.Contains(bLast));
  EXPECT_FALSE(set.Contains(bSecond));
  set.Exclude(bFirst);
  EXPECT_EQ(set, TSet<TBit>{bLast});
  set.Exclude(bLast);
  EXPECT_TRUE(set.Empty());
}

} // namespace
