#include <gtest/gtest.h>

#include "framework/base/Tick.h"
#include "framework/base/tests/ScopedSettings.h"

namespace {

TEST(TickTest, CountWrapsAtTwoToThe32) {
  ScopedClock clock(0xFFFFFFFFull - 5);
  const uint32_t start = GetTickCount();
  EXPECT_EQ(start, 0xFFFFFFFFu - 5);
  clock->advance(10);
  EXPECT_EQ(GetTickCount(), 4u);
  // A deadline measured as an unsigned difference survives the wrap.
  EXPECT_EQ(GetTickCount() - start, 10u);
  clock->setMilliseconds((1ull << 32) * 3 + 7);
  EXPECT_EQ(GetTickCount(), 7u);
}

TEST(TickTest, SleepPassesTheClocksTime) {
  ScopedClock clock(1000);
  Sleep(250);
  EXPECT_EQ(GetTickCount(), 1250u);
}

TEST(TickTest, TheSystemClockMovesForward) {
  const uint32_t start = GetTickCount();
  Sleep(20);
  EXPECT_GE(GetTickCount() - start, 20u);
}

}  // namespace
