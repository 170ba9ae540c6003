#pragma once
// The arithmetic of the fee split and of the reallocation, on whole numbers as the packed fields
// store them: percentages in ten-thousandths of a percent (100.0000 % is WholeSplit), amounts and
// rates in cents, hours in hundredths. Products and quotients are taken in 128 bits and rounded
// once, half away from zero, so no binary fraction ever decides a cent.
#include <cstdint>
#include <vector>

#include "framework/base/AnsiString.h"

namespace allocation {

// 100.0000 % in ten-thousandths of a percent.
constexpr int64_t WholeSplit = 1000000;
// Rounding steps in hundredths of an hour: to hundredths, and to tenths for the formats that bill
// tenths.
constexpr int64_t Hundredths = 1;
constexpr int64_t Tenths = 10;

// numerator / denominator to the nearest whole number, a half away from zero. denominator > 0.
int64_t RoundedQuotient(__int128 numerator, __int128 denominator);

// A value a table's field gave as a double, taken to its whole number of 10^-decimals units.
int64_t ScaledValue(double value, int decimals);
// The whole number of 10^-decimals units as text with that many decimals ("100.0000", "-5.01").
AnsiString ScaledText(int64_t scaled, int decimals);

// The shares of amount for the percentages, in the percentages' order: share i is
// R(amount x C_i) - R(amount x C_(i-1)), C_i the sum of the first i percentages and R rounding to
// a multiple of step. The shares add up to R(amount x the total), the whole amount when the
// percentages total 100 %, and each lies within one step of its exact share.
std::vector<int64_t> CumulativeShares(int64_t amount, const std::vector<int64_t>& percents, int64_t step = 1);

// The equal split of 100 % over n rows: rows 1 to n - 1 get 100 % / n rounded, the last what
// remains, so the rows always total 100 %. n >= 1.
std::vector<int64_t> EqualSplit(int n);

// A rate as an exact fraction: `cents` per `hundredths` hundredths of an hour. A looked-up hourly
// rate r is {r, 100}; the rate of an amount over hours is {amount, hours}.
struct HourlyRate {
  int64_t cents = 0;
  int64_t hundredths = 100;
};
// Hours (hundredths) at the rate, in cents, rounded once; 0 for a rate over no hours.
int64_t AmountForHours(int64_t hundredths, const HourlyRate& rate);

}  // namespace allocation
