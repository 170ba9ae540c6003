#pragma once
// The library's engine helpers: incremental and key searches, the index switch that keeps the
// record, locating a field's value, and the small token and value readers the filter and the
// lookup code share. Searches take the key road when an index serves them, so a search on a large
// table costs about one keyed read.
//
// Bad input moves nothing: a value or a search text that is no valid text for its field's type
// answers False before the table is touched.
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/db/Variant.h"

class TDataSet;
class TField;
class TdcTable;
struct TIndexDef;

namespace enginehelper_texts {
inline constexpr const char* kTTableNotSupported =
    "Incremental Search - TTable component not supported. Use TdcTable instead.";
inline constexpr const char* kIndexNotFound = ": Table index not found";
inline constexpr const char* kTooManyValues = ": FindKey has too many lookup values for index ";
}  // namespace enginehelper_texts

// Moves the table to the first record whose key field at KeyIndex (after the current record's
// leading key values) starts with Value, and answers whether the record reached matches: integer
// fields by equal text, Float and Currency by equal number, others by a start without case; an
// empty Value matches an empty field.
bool IncrementalFind(TDataSet* Table, const AnsiString& Value, int KeyIndex);
// Whether the field's value answers an incremental search for Value: integer fields by equal
// text, Float and Currency by equal number, others by a start without case; an empty Value
// matches an empty field.
bool IncrementalMatch(TField& Field, const AnsiString& Value);
// Makes the index current, keeping the record the table stands on.
void SwitchIndexKeepingPosition(TdcTable* Table, const TIndexDef& IndexDef);
// True at once when the current record's field text equals Value (case as asked); otherwise the
// locate engine from the first record.
bool LocateFieldValue(TDataSet* DataSet, const AnsiString& Value, const AnsiString& FieldName, bool CaseSensitive,
                      int MatchType);
// The same with the table's lookup-search counter raised.
bool TdcTableLocateValue(TdcTable* Table, const AnsiString& Value, const AnsiString& FieldName, bool CaseSensitive,
                         int MatchType);
// The record whose leading key fields hold the values' texts: True when the current one already
// does (compared without case), else a key search. No index fields, or more values than there
// are, warn and answer False; so does a value that is no text of its field's type.
bool FindKeyValues(TdcTable* Table, const std::vector<AnsiString>& Values);
// Whether the fields are the leading fields of the dataset's active index, compared with the
// index's case option (case-insensitive unless CaseSensitive).
bool FieldsMapToIndex(TDataSet* DataSet, const AnsiString& FieldNames, bool CaseSensitive);

// After blanks and TABs: a text in double or single quotes, or a run of '$', '.', digits, capital
// letters and '_'. Pos counts from 1 and is left after the token; an empty token when none.
AnsiString ScanFilterToken(const AnsiString& Text, int& Pos);