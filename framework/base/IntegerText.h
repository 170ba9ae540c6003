#pragma once
// Integers to text and back. The readers take leading blanks, a sign, and decimal digits or hex
// digits after '$' or "0x"; anything else, trailing blanks included, is not a number.
#include <cstdint>

#include "framework/base/AnsiString.h"

AnsiString IntToStr(int64_t value);
// Capital hex digits, at least `digits` of them; a negative value shows its two's complement
// (32 bits for int, 64 for int64_t).
AnsiString IntToHex(int value, int digits);
AnsiString IntToHex(int64_t value, int digits);

// Raise EConvertError "'<text>' is not a valid integer value" on bad text or a value outside
// the type. Hex text is a bit pattern of the type's width ("$FFFFFFFF" is the int -1) which a
// minus negates; the negation of the lowest value ("-$80000000" as int) is outside the type.
int StrToInt(const AnsiString& s);
int64_t StrToInt64(const AnsiString& s);
int StrToIntDef(const AnsiString& s, int defaultValue);
int64_t StrToInt64Def(const AnsiString& s, int64_t defaultValue);
bool TryStrToInt(const AnsiString& s, int& value);
bool TryStrToInt64(const AnsiString& s, int64_t& value);
