#include "core/idlist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// A list of elements with the given payloads, each prefixed by its count.
Bytes List(const std::vector<Bytes>& elements) {
  Bytes list;
  for (const Bytes& payload : elements) {
    const std::size_t count = payload.size() + 2;
    list.push_back(static_cast<unsigned char>(count & 0xFF));
    list.push_back(static_cast<unsigned char>(count >> 8));
    list.insert(list.end(), payload.begin(), payload.end());
  }
  list.push_back(0);
  list.push_back(0);
  return list;
}

TEST(IdList, SizesCountElementsAndTheTerminator) {
  EXPECT_EQ(core::IdListSize(nullptr), 2u);
  EXPECT_EQ(core::IdListSize(List({}).data()), 2u);
  EXPECT_EQ(core::IdListSize(List({{1, 2, 3}}).data()), 7u);
  EXPECT_EQ(core::IdListSize(List({{1}, {2, 3}, Bytes(300, 9)}).data()), 3u + 4 + 302 + 2);
  // A count of 1 cannot be an element: the list ends there.
  const Bytes broken = {4, 0, 7, 7, 1, 0, 0, 0};
  EXPECT_EQ(core::IdListSize(broken.data()), 6u);
}

TEST(IdList, JoinPutsTheSecondListAfterTheFirstWithOneTerminator) {
  const Bytes a = List({{1, 2}, {3}}), b = List({{4, 5, 6}});
  ASSERT_EQ(core::JoinedIdListSize(a.data(), b.data()), a.size() - 2 + b.size());
  Bytes out(core::JoinedIdListSize(a.data(), b.data()), 0xCC);
  core::JoinIdLists(out.data(), a.data(), b.data());
  EXPECT_EQ(out, List({{1, 2}, {3}, {4, 5, 6}}));

  // A missing first list is empty: the join is a copy of the second.
  Bytes alone(core::JoinedIdListSize(nullptr, b.data()), 0xCC);
  core::JoinIdLists(alone.data(), nullptr, b.data());
  EXPECT_EQ(alone, b);
  Bytes none(core::JoinedIdListSize(nullptr, nullptr), 0xCC);
  core::JoinIdLists(none.data(), nullptr, nullptr);
  EXPECT_EQ(none, List({}));
}

TEST(IdList, FirstElementCopiesWithATerminatorOfItsOwn) {
  const Bytes list = List({{7, 8, 9}, {1}});
  ASSERT_EQ(core::FirstIdSize(list.data()), 7u);
  Bytes out(core::FirstIdSize(list.data()), 0xCC);
  core::CopyFirstId(out.data(), list.data());
  EXPECT_EQ(out, List({{7, 8, 9}}));
  Bytes empty(core::FirstIdSize(nullptr), 0xCC);
  core::CopyFirstId(empty.data(), nullptr);
  EXPECT_EQ(empty, List({}));
}

}  // namespace
