#pragma once
// The enumerations shared by datasets, fields, data sources and data links. Their order is the
// order descendants and stored forms rely on; append, never reorder.
#include "framework/base/Alignment.h"
#include <string>

enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
  ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
  ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
  ftLargeint, ftADT, ftArray, ftReference, ftDataSet
};

// The blob types: their data lives outside the record buffer and is reached through streams.
inline bool IsBlobType(TFieldType t) { return t >= ftBlob && t <= ftTypedBinary; }

enum TDataSetState {
  dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue,
  dsOldValue, dsCurValue, dsBlockRead, dsInternalCalc
};

inline bool IsEditState(TDataSetState s) { return s == dsEdit || s == dsInsert || s == dsSetKey; }

// What a dataset tells its data sources and links. The info argument carries a field (field
// change, record change, focus control), a scroll distance, or nothing.
enum TDataEvent {
  deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange,
  deUpdateRecord, deUpdateState, deCheckBrowseMode, dePropertyChange, deFieldListChange,
  deFocusControl, deParentScroll
};

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };

enum TResyncModeFlag : unsigned { rmExact = 1, rmCenter = 2 };
using TResyncMode = unsigned;  // a set of TResyncModeFlag

// Where a buffer stands: on a record, an inserted record, or the crack before/after all records.
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };

enum TDataAction { daFail, daAbort, daRetry };

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TLocateOptionFlag : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;  // a set of TLocateOptionFlag

enum TFilterOptionFlag : unsigned { foCaseInsensitive = 1, foNoPartialCompare = 2 };
using TFilterOptions = unsigned;  // a set of TFilterOptionFlag

enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };

// A bookmark handed out by GetBookmark: a block of the dataset's bookmark size that the caller
// returns with FreeBookmark; nullptr means "none". TBookmarkStr holds the same bytes by value.
using TBookmark = char*;
using TBookmarkStr = std::string;
