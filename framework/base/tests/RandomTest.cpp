#include <gtest/gtest.h>

#include <set>

#include "framework/base/Random.h"

namespace {

TEST(RandomTest, AScriptedGeneratorGivesItsValuesAndRandomizeLeavesItInPlace) {
  qn::ScriptedRandom scripted({3, 7, 12});
  EXPECT_EQ(Random(10), 3);
  Randomize();
  EXPECT_EQ(Random(10), 7);
  EXPECT_EQ(Random(10), 2);  // 12 taken within the range
  EXPECT_EQ(Random(10), 3);  // and round again
  EXPECT_EQ(scripted.calls(), 4);
}

TEST(RandomTest, TheGeneratorReplacedComesBackWhenTheScriptEnds) {
  {
    qn::ScriptedRandom outer({1});
    {
      qn::ScriptedRandom inner({2});
      EXPECT_EQ(Random(9), 2);
    }
    EXPECT_EQ(Random(9), 1);
  }
  EXPECT_EQ(qn::setRandomGenerator(nullptr), nullptr);
}

TEST(RandomTest, TheFrameworksOwnStaysInRangeAndVaries) {
  Randomize();
  std::set<int> seen;
  for (int i = 0; i < 500; ++i) {
    const int n = Random(9);
    ASSERT_GE(n, 0);
    ASSERT_LT(n, 9);
    seen.insert(n);
  }
  EXPECT_EQ(seen.size(), 9u);
  EXPECT_EQ(Random(0), 0);
  EXPECT_EQ(Random(-4), 0);
  EXPECT_EQ(Random(1), 0);
}

}  // namespace
