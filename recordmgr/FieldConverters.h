#pragma once
// The Btrieve cursor's conversion of one field between the record manager's stored form (its
// local type and size) and the engine's value. Engine values: text zero-terminated; integers of
// 16, 32 or 64 bits; floats as 8-byte doubles; dates as 32-bit day numbers (1 January 0001 is
// day 1); times as 32-bit milliseconds since midnight; timestamps as doubles of
// day number * 86 400 000 + milliseconds. Decimals is the field's number of decimal places (for
// the bit type, the bit number). Stored types 228 to 255 are converted by the extended types;
// any other type converts nothing.
//
// A stored value that cannot be converted, or a value that cannot be stored, raises status 2999
// unless the converter options ask otherwise (ConversionFailure.h). The one exception is a packed
// decimal (decimal, money) with a damaged digit: it reads as blank and 0, and raises nothing.
#include <cstdint>

// Stored -> Value; Blank starts false and becomes true when the field counts as blank. Value may
// be nil for the logical and bit types.
void GetStoredField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, bool& Blank, void* Value,
                    const void* Stored, uint16_t FieldLength);
// Value -> Stored; the stored field is cleared first (size bytes of zero), except for the bit type.
void PutStoredField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, const void* Value, void* Stored,
                    uint16_t FieldLength);
