// The compiler's two stacks: last in, first out, and an empty stack answers nothing.
#include <gtest/gtest.h>

#include <memory>

#include "datagrid/ParserStacks.h"

TEST(ParserStacks, TextsComeBackLastFirstAndAnEmptyStackAnswersAnEmptyText) {
  TStackStr stack;
  EXPECT_EQ(stack.Pop(), "");
  stack.Push("a");
  stack.Push("b");
  EXPECT_EQ(stack.Count(), 2);
  EXPECT_EQ(stack.Pop(), "b");
  EXPECT_EQ(stack.Pop(), "a");
  EXPECT_EQ(stack.Count(), 0);
  EXPECT_EQ(stack.Pop(), "");
}

TEST(ParserStacks, ReferencesComeBackLastFirstAndStayOwnedByThePusher) {
  auto first = std::make_shared<int>(1);
  auto second = std::make_shared<int>(2);
  {
    TStackPtr<int> stack;
    EXPECT_EQ(stack.Pop(), nullptr);
    stack.Push(first.get());
    stack.Push(second.get());
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Pop(), second.get());
    stack.Push(second.get());
  }  // dropped with two references on it
  EXPECT_EQ(*first, 1);
  EXPECT_EQ(*second, 2);
  EXPECT_EQ(first.use_count(), 1);
}
