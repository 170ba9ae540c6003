#pragma once
// Packed decimal numbers as the record files hold them. A field of Size bytes holds 2 * Size - 1
// decimal digits, two per byte with the high nibble first; the last byte carries the last digit
// in its high nibble and the sign in its low nibble (F for zero and positive values, D for
// negative ones, written; read as every layer reads them, framework/base/PackedDecimalBytes.h).
// Zero has no sign: a value that rounds to zero is written with F, and zero digits read as plain
// zero whatever their sign. Decimals of the digits follow the decimal point. Fields are 1 to 6
// bytes long (at most 11 digits) with 0 to 2 * Size - 1 decimals; another shape raises
// EInvalidOperation.
#include <cstdint>
#include <optional>

#include "framework/base/AnsiString.h"

// The value; nothing when a digit is damaged (a nibble above 9). No bytes read as 0.
std::optional<double> PackedToNumber(const AnsiString& Bytes, int Decimals);
// The value, 0 for damaged digits (PackedToNumber tells them apart).
double PackedToFloat(const AnsiString& Bytes, int Decimals);
// The value times 10^Decimals: the digits as a whole number, with the sign; 0 when damaged.
int64_t PackedToInteger(const AnsiString& Bytes, int Decimals);

// The Size bytes of Value rounded to Decimals. A value beyond the field's largest (by more than
// 0.004), or one whose rounding needs a digit more than the field holds, raises EAbort with
// "Value exceeds allowable range.". Works under any decimal separator and leaves it as it was.
AnsiString FloatToPacked(double Value, int Size, int Decimals);
// The Size bytes of the value Scaled / 10^Decimals, digit for digit with no rounding: money and
// percentages kept as whole numbers reach the file exactly. A value with more digits than the field
// holds raises EAbort with "Value exceeds allowable range.", as FloatToPacked does.
AnsiString IntegerToPacked(int64_t Scaled, int Size, int Decimals);

// The mask a packed field is shown with: Size 6 with 2 decimals gives "########0.00".
AnsiString PackedDisplayMask(int Size, int Decimals);
