#pragma once
// Stored types 228 to 255, written by other applications in their own formats. Four are
// converted here: 232 (overpunched numeric text), 238 (ten-byte decimal float), 253 (eight-byte
// date-time) and 255 (six-byte real); the others go through the optional conversion library and
// fail as unconvertible values without one. 248 to 252 convert nothing. Arguments and failure
// rules are those of GetStoredField and PutStoredField, which hand these types here.
#include <cstdint>

void GetExtendedField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, bool& Blank, void* Value,
                      const void* Stored, uint16_t FieldLength);
// The stored field arrives cleared.
void PutExtendedField(uint16_t LocalType, uint16_t LocalSize, uint16_t Decimals, const void* Value, void* Stored,
                      uint16_t FieldLength);
