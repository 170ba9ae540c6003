#pragma once
// Whether one record's field text matches the value a locate searches for.
#include "framework/base/AnsiString.h"

// The match types of a locate, in the order the locate dialog offers them.
enum TdcLocateMatchType { mtExactMatch, mtPartialMatchStart, mtPartialMatchAny };

// value is expected upper-cased already unless caseSensitive; fieldText is upper-cased here.
// An empty value is found in no text: it matches only an empty text, and only exactly.
bool TextMatches(const AnsiString& fieldText, const AnsiString& value, int matchType,
                 bool caseSensitive);
