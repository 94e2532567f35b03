#include "core/idlist.h"

#include <gtest/gtest.h>

#include <vector>

using Bytes = std::vector<unsigned char>;

// Lists as bytes: each element starts with its 16-bit count, a zero count ends the list.
TEST(IdList, SizesJoinsAndFirstElementsEndWithOneTerminator) {
  const Bytes a = {4, 0, 1, 2, 3, 0, 3, 0, 0}, b = {5, 0, 4, 5, 6, 0, 0};
  Bytes big = {0x2E, 0x01};  // one element of 302 bytes
  big.resize(0x12E + 2, 0);
  EXPECT_EQ(core::IdListSize(big.data()), 0x130u);
  const Bytes broken = {4, 0, 7, 7, 1, 0, 0, 0};  // a count of 1 is no element: the end
  EXPECT_EQ(core::IdListSize(broken.data()), 6u);
  EXPECT_EQ(core::IdListSize(nullptr), 2u);  // a missing list is the empty one
  Bytes joined(core::JoinedIdListSize(a.data(), b.data()), 0xCC);
  core::JoinIdLists(joined.data(), a.data(), b.data());
  EXPECT_EQ(joined, (Bytes{4, 0, 1, 2, 3, 0, 3, 5, 0, 4, 5, 6, 0, 0}));
  Bytes first(core::FirstIdSize(a.data()), 0xCC);
  core::CopyFirstId(first.data(), a.data());
  EXPECT_EQ(first, (Bytes{4, 0, 1, 2, 0, 0}));
}
