#pragma once
// The filter dialog's index path on the library's table: one criterion that the table's index
// can serve becomes a key range, so the record test runs over fewer records. The range never
// keeps out a record the record test would accept: a text criterion without case uses only an
// index without case, or a value that has no letters.
#include <vector>

#include "datagrid/FilterCriteria.h"

class TdcTable;
class TdcFieldOperators;

enum TdcFilterOptimization { fdNone, fdUseAllIndexes, fdUseActiveIndex };

// Applies the range of the first criterion that can be one (not NonMatching, no operator in its
// value, on the first field of the active index, or with fdUseAllIndexes of an index that then
// becomes the table's); True when a range was applied.
bool ApplyFilterIndexRange(TdcTable& Table, const std::vector<TdcFieldInfo>& Criteria,
                           const TdcFieldOperators& Operators, TdcFilterOptimization Optimization, char PadChar);
