#pragma once
// The record structures by two-letter structure code, from the record-file catalogue compiled
// into the program (the same source the record layouts come from), and the descriptor
// factories that build them.
#include <memory>
#include <optional>

#include "core/DateFieldInfo.h"
#include "core/PacDecFieldInfo.h"
#include "core/QNFileStructure.h"
#include "core/StringFieldInfo.h"

TStringFieldInfo* NewStringField(TQNFileStructure& structure, const AnsiString& name, int index, uint8_t controlKind,
                                 int offset, int size);
TPacDecFieldInfo* NewPackedField(TQNFileStructure& structure, const AnsiString& name, int index, uint8_t controlKind,
                                 int decimals, int offset, int size);
// The order letter and four-digit-year flag come from the system's short date format.
TDateFieldInfo* NewDateField(TQNFileStructure& structure, const AnsiString& name, int index, uint8_t controlKind,
                             int offset, int size);

// The code's structure with all its descriptors and its buffer fitted to the record; null for a
// code without a field schema.
std::unique_ptr<TQNFileStructure> BuildSchemaStructure(const AnsiString& code);

// Whether the code is one of the structure codes (compared exactly), and the length of the bare
// buffer an open without descriptors makes for it (nothing: no buffer).
bool IsStructureCode(const AnsiString& code);
std::optional<int> BareBufferLength(const AnsiString& code);
