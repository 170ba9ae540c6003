#pragma once
// The filter dialog's data: a criterion the user entered for one field (TdcFieldInfo) and the
// description of a field the dialog can search (TdcDBFieldInfo).
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"

// The stored match kind. The search form produces start, anywhere, exact and range; none marks a
// field without a criterion.
enum TdcFilterMatchType : uint8_t { fdMatchStart, fdMatchAny, fdMatchExact, fdMatchEnd, fdMatchRange, fdMatchNone };

struct TdcFieldInfo {
  AnsiString FieldName;     // filled from DisplayLabel when empty
  AnsiString DisplayLabel;  // as the field list shows it; a '~' reads as a blank
  TdcFilterMatchType MatchType = fdMatchStart;
  AnsiString FilterValue;  // the value expression, unless MatchType is range
  AnsiString MinValue, MaxValue;  // range bounds; an empty bound is open
  bool CaseSensitive = false;
  bool NonMatching = false;  // inverts a value criterion; no effect on a range
};

struct TdcDBFieldInfo {
  AnsiString FieldName;          // unique within the list
  AnsiString OriginalFieldName;  // the name inside its table
  AnsiString TableName;          // the table or alias in a query; empty for plain datasets
  TFieldType DataType = ftUnknown;
  AnsiString DisplayLabel;
  int16_t Size = 0;
};
