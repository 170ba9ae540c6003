#pragma once
// How the filter dialog reads a search text as a value of its field's type, for the record test's
// comparisons and for the numbers and dates it writes into SQL.
#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"

enum class FilterValueKind { Text, Integer, Float, Date, Time, DateTime, Boolean, Other };

// Text for the string types, memos and other types compared as text; Other for no comparison.
FilterValueKind FilterValueKindOf(TFieldType FieldType);
// The text read as a value of the kind (Integer, Float, Date, Time, DateTime); False, and Value
// untouched, when the text is not one. A date-time accepts a date alone.
bool ReadFilterValue(FilterValueKind Kind, const AnsiString& Text, double& Value);
