// The split arithmetic on whole numbers: a dummy's amount shared out by the fee-split
// percentages, the equal split and hours at a rate.
#include "dialogs/Allocation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

namespace dialogs_test {
namespace {

using namespace allocation;

struct ShareCase {
  const char* what;
  int64_t amount;
  std::vector<int64_t> percents;
  int64_t step;
  std::vector<int64_t> shares;
};

TEST(AllocationTest, AmountsAreSharedCumulativelyInRowOrder) {
  const std::vector<int64_t> thirds = {333333, 333333, 333334};
  const std::vector<int64_t> seventh(7, 142857);
  std::vector<int64_t> sevenths = seventh;
  sevenths.back() = WholeSplit - 6 * 142857;
  const std::vector<ShareCase> cases = {
      {"100.00 in thirds", 10000, thirds, Hundredths, {3333, 3334, 3333}},
      // Here every share is a whole number of cents, so each receptor gets its exact share.
      {"10,000.00 in thirds", 1000000, thirds, Hundredths, {333333, 333333, 333334}},
      {"-10.01 in halves", -1001, {500000, 500000}, Hundredths, {-501, -500}},
      {"0.01 in thirds", 1, thirds, Hundredths, {0, 1, 0}},
      {"999,999,999.99 in sevenths",
       99999999999,
       sevenths,
       Hundredths,
       {14285700000, 14285700000, 14285700000, 14285699999, 14285700000, 14285700000, 14285800000}},
      {"100.00 over 60 %", 10000, {200000, 400000}, Hundredths, {2000, 4000}},
      {"1.00 hour in thirds, tenths", 100, thirds, Tenths, {30, 40, 30}},
  };
  for (const ShareCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CumulativeShares(c.amount, c.percents, c.step), c.shares);
  }
}

// Any amount shared over percentages that total 100 % comes out whole, every share within one
// cent of its exact part.
TEST(AllocationTest, GeneratedSplitsAddUpExactly) {
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int64_t> amounts(-100000000, 100000000);
  std::uniform_int_distribution<int> receptors(1, 12);
  for (int round = 0; round < 10000; ++round) {
    const int64_t amount = amounts(random);
    const int n = receptors(random);
    // n - 1 cut points over 0..WholeSplit make n percentages that total 100 %.
    std::vector<int64_t> cuts = {0, WholeSplit};
    std::uniform_int_distribution<int64_t> cut(0, WholeSplit);
    for (int i = 1; i < n; ++i) cuts.push_back(cut(random));
    std::sort(cuts.begin(), cuts.end());
    std::vector<int64_t> percents;
    for (int i = 1; i <= n; ++i) percents.push_back(cuts[i] - cuts[i - 1]);

    const std::vector<int64_t> shares = CumulativeShares(amount, percents);
    ASSERT_EQ(std::accumulate(shares.begin(), shares.end(), int64_t{0}), amount) << "round " << round;
    for (int i = 0; i < n; ++i) {
      // |share - amount x p / 100 %| < 1 cent, compared in whole numbers.
      const __int128 gap = static_cast<__int128>(shares[i]) * WholeSplit - static_cast<__int128>(amount) * percents[i];
      ASSERT_LT(gap < 0 ? -gap : gap, WholeSplit) << "round " << round << " receptor " << i;
    }
  }
}

TEST(AllocationTest, EqualSplitAlwaysTotalsOneHundred) {
  for (int n = 1; n <= 12; ++n) {
    SCOPED_TRACE(n);
    const std::vector<int64_t> split = EqualSplit(n);
    ASSERT_EQ(split.size(), static_cast<size_t>(n));
    const int64_t share = (2 * WholeSplit + n) / (2 * n);
    for (int i = 0; i + 1 < n; ++i) EXPECT_EQ(split[i], share);
    EXPECT_EQ(ScaledText(std::accumulate(split.begin(), split.end(), int64_t{0}), 4), "100.0000");
  }
  EXPECT_EQ(EqualSplit(1), std::vector<int64_t>{WholeSplit});
  EXPECT_EQ(EqualSplit(3), (std::vector<int64_t>{333333, 333333, 333334}));
  EXPECT_EQ(EqualSplit(6), (std::vector<int64_t>{166667, 166667, 166667, 166667, 166667, 166665}));
}

TEST(AllocationTest, HoursAtARateRoundOnce) {
  EXPECT_EQ(AmountForHours(125, {15000, 100}), 18750);  // 1.25 h at 150.00
  EXPECT_EQ(AmountForHours(33, {10001, 100}), 3300);  // 33.0033 rounds down
  EXPECT_EQ(AmountForHours(50, {101, 100}), 51);  // 0.505 rounds away from zero
  EXPECT_EQ(AmountForHours(-50, {101, 100}), -51);
  // The rate of 100.00 over 3.00 hours is exactly 33.333...: one hour of it is 33.33.
  EXPECT_EQ(AmountForHours(100, {10000, 300}), 3333);
  EXPECT_EQ(AmountForHours(300, {10000, 300}), 10000);
  EXPECT_EQ(AmountForHours(100, {10000, 0}), 0);
}

TEST(AllocationTest, QuotientsRoundHalfAwayFromZero) {
  EXPECT_EQ(RoundedQuotient(5, 2), 3);
  EXPECT_EQ(RoundedQuotient(-5, 2), -3);
  EXPECT_EQ(RoundedQuotient(7, 3), 2);
  EXPECT_EQ(RoundedQuotient(-7, 3), -2);
  EXPECT_EQ(RoundedQuotient(static_cast<__int128>(99999999999) * WholeSplit, WholeSplit), 99999999999);
}

TEST(AllocationTest, FieldValuesAndTexts) {
  EXPECT_EQ(ScaledValue(33.3333, 4), 333333);
  EXPECT_EQ(ScaledValue(0.29, 2), 29);
  EXPECT_EQ(ScaledValue(-1.01, 2), -101);
  EXPECT_EQ(ScaledText(1000000, 4), "100.0000");
  EXPECT_EQ(ScaledText(-501, 2), "-5.01");
  EXPECT_EQ(ScaledText(5, 2), "0.05");
  EXPECT_EQ(ScaledText(0, 4), "0.0000");
  EXPECT_EQ(ScaledText(-5, 2), "-0.05");
}

}  // namespace
}  // namespace dialogs_test
