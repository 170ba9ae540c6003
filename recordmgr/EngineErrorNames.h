#pragma once
// The symbolic names of the engine error codes ("DBIERR_EOF"), as the error stack records them.
#include <cstddef>
#include <cstdint>

#include "framework/base/AnsiString.h"

// String number of the name of entry 0 of the code table; entry i is named by 14000 + i.
constexpr int EngineErrorNamesBase = 14000;
constexpr size_t EngineErrorNameCount = 471;

// The code of table entry i (i < EngineErrorNameCount).
uint16_t EngineErrorNameCode(size_t index);

// "DBIERR_" and the name of the first table entry holding the code, or "Korvo (BDE) Error %d."
// for a code the table lacks; cut to maxLength characters.
AnsiString GetEngineErrorName(uint16_t code, size_t maxLength);
