#include <gtest/gtest.h>

#include "framework/base/Bits.h"
#include "framework/base/Exception.h"
#include "framework/base/List.h"

namespace {

TEST(ContainerTest, ListKeepsPointersInOrder) {
  int a = 1, b = 2, c = 3;
  TList list;
  list.Add(&b);
  list.Add(&c);
  list.Insert(0, &a);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.First(), &a);
  EXPECT_EQ(list.Last(), &c);
  EXPECT_EQ(list.IndexOf(&c), 2);
  list.Move(2, 0);
  EXPECT_EQ(list[0], &c);
  list.Exchange(0, 2);
  EXPECT_EQ(list[0], &b);
  EXPECT_EQ(list.Remove(&a), 1);
  EXPECT_EQ(list.Remove(&a), -1);
  EXPECT_EQ(list.Extract(&b), &b);
  EXPECT_EQ(list.Extract(&b), nullptr);
  list.Add(nullptr);
  list.Add(&a);
  list.Pack();
  EXPECT_EQ(list.Count(), 2);
  list.Sort([](void* x, void* y) { return *static_cast<int*>(x) - *static_cast<int*>(y); });
  EXPECT_EQ(list[0], &a);
  EXPECT_EQ(list[1], &c);
}

TEST(ContainerTest, ListIndexesOutsideRaise) {
  TList list;
  try {
    list.First();
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (0)");
  }
  EXPECT_THROW(list.Delete(0), EListError);
  EXPECT_THROW(list.Insert(1, nullptr), EListError);
  EXPECT_THROW(list.SetItems(-1, nullptr), EListError);
}

TEST(ContainerTest, BitsGrowWhenSet) {
  TBits bits;
  EXPECT_EQ(bits.OpenBit(), 0);
  bits.SetBits(0, true);
  bits.SetBits(1, true);
  bits.SetBits(3, true);
  EXPECT_EQ(bits.Size(), 4);
  EXPECT_EQ(bits.OpenBit(), 2);
  EXPECT_FALSE(bits.Bits(2));
  bits.SetBits(2, true);
  EXPECT_EQ(bits.OpenBit(), 4);
  bits.SetSize(2);
  EXPECT_EQ(bits.OpenBit(), 2);
  EXPECT_THROW(bits.Bits(2), EListError);
  EXPECT_THROW(bits.SetBits(-1, true), EListError);
  bits.SetSize(100);
  EXPECT_FALSE(bits.Bits(99));
}

}  // namespace
