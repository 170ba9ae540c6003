#pragma once
// Filters on a record-manager dataset's cursor: a filter text compiled into an expression block,
// or a record callback. FilterHandle is the cursor's filter while one is installed, nullptr
// otherwise; it belongs to the dataset that passed it.
#include "framework/base/AnsiString.h"
#include "recordmgr/FilterListItem.h"

class TttBDEDataset;

// Replaces the cursor's filter by Text; an empty text only removes it. An inactive table without
// Force answers True and installs nothing. False when the text does not compile (the installed
// filter stays) or the cursor refuses it (no filter then).
bool ApplyFilterExpression(const AnsiString& Text, TttBDEDataset* Table, TFilterListItem*& FilterHandle, bool Force);
// Replaces the cursor's filter by Callback, its client data the dataset; a nil callback only
// removes it. False without a cursor or when the cursor refuses the filter.
bool InstallCallbackFilter(FilterCallback Callback, TttBDEDataset* DataSet, TFilterListItem*& FilterHandle);
// Deactivates and drops the installed filter, if any.
void DropFilter(TttBDEDataset* DataSet, TFilterListItem*& FilterHandle);
