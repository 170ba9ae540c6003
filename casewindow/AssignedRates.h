#pragma once
// The active employees who have an hourly rate under one billing rate code, read from the employee
// rate file and the employee file of the data folder through the record-file layer, and the
// rate's text as the assigned rates list shows it. A rate record shorter than its 24-byte layout,
// or one whose rate digits are damaged, is left out: it is never shown as a rate.
#include <cstdint>
#include <optional>
#include <vector>

#include "framework/base/AnsiString.h"

// The record-file layer's numbers the list reads under; both are closed again before it returns.
constexpr uint8_t RateListRateFile = 230;
constexpr uint8_t RateListEmployeeFile = 231;

// The hourly rate's 5 packed bytes as digits: "0", the nine digits, leading zeros dropped while
// two characters remain, "-" in front for a negative sign (B or D) on a rate that is not zero,
// right-justified to 12. Nothing for fewer than 5 bytes or a digit nibble above 9.
std::optional<AnsiString> PackedRateText(const AnsiString& Packed);
// A rate text with the point before its last two digits, right-justified to 12 ("   12500" gives
// "   125.00").
AnsiString RateWithPoint(const AnsiString& RateText);

struct AssignedRate {
  AnsiString Employee;  // the 4-character employee code
  AnsiString Rate;      // as the list shows it: RateWithPoint of PackedRateText
};

// Every active employee's rate under the two-character code, in employee order; the files come
// from DataDir. What the layer raises comes through, after both files are closed.
std::vector<AssignedRate> ReadAssignedRates(const AnsiString& Code);
