#pragma once
// The one record-locating engine of the control library: moves a dataset to the first (or the
// next) record whose field matches a value exactly, at its start or anywhere, with or without
// regard to case. On a framework table whose active index leads with the field, searches the index
// answers go by key instead of reading the records one by one.
#include "datagrid/LocateText.h"
#include "framework/base/AnsiString.h"

class TDataSet;

// True leaves DataSet on the record found; False leaves it where it was. FromStart tests from
// the first record on, otherwise from the record after the current one. A field the dataset
// lacks is told in a warning ("Field X not found.") and answers False.
bool LocateRecord(bool FromStart, TDataSet* DataSet, const AnsiString& FieldName,
                  bool CaseSensitive, int MatchType, const AnsiString& Value);
