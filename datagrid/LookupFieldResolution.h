#pragma once
// Lookup fields of the library's datasets: a LookupFields line names a calculated field that
// takes the value of a field of another table, found through the LookupLinks line of the same
// index (pairs of this dataset's field and the other table's key field). The other tables are
// internal TdcTable objects of the dataset, opened on first need and positioned once per record.
#include <vector>

#include "datagrid/DcDataSetExtension.h"
#include "framework/base/AnsiString.h"

class TDataSet;
class TField;
class TStrings;
class TdcTable;

// The internal lookup tables of a library dataset; nullptr for any other dataset.
TdcLookupTableList* GetLookupTableList(TDataSet* DataSet);
// Fills the dataset's lookup fields for its current (calculated) record.
void RefreshLookupFields(TDataSet* DataSet, TStrings& LookupFields, TStrings& LookupLinks,
                         TdcLookupTableList& LookupTableList);
// Moves the lookup table to the record the dataset's link fields name: by locate when the table
// has no index fields (first pair only), else by key with 1 to 6 values (2 to 12 tokens); any
// other number of tokens answers False.
bool PositionByLinks(TdcTable* LookupTable, TDataSet* DataSet, const std::vector<AnsiString>& LinkTokens);
// Positions a lookup control's table for the dataset's field; FirstLinkField gets the first link
// token. A missing master field hides the field and answers False.
bool PositionLookupTable(TDataSet* DataSet, TdcTable* LookupTable, const AnsiString& FieldName,
                         AnsiString& FirstLinkField);
// The lookup value of a calculated field through the dataset's internal table of its spec.
bool FindLookupFieldValue(TField* Field, AnsiString& Value, AnsiString& LookupField);
