#pragma once
// The case grid's calculated fields: several stored fields of a matter packed into one cell of
// three lines, and the fields of the case file the grid shows, in its order.
#include <vector>

#include "framework/base/AnsiString.h"

class TDataSet;

struct CaseGridCalculated {
  const char* name;
  int size;
};
// AltIDDecsLine1, Types, BCCRate, StatCodesMsg, FinChgAltFmt, SalesTaxText, DeptCCA, Budget,
// Dates, with their sizes.
extern const CaseGridCalculated CaseGridCalculatedFields[9];

// The case grid's field at a position of its field order (the positions the find-and-replace
// dialog names); empty for a calculated field or a position past the list.
AnsiString CaseGridFieldName(int position);

// The stored fields of the case file the grid's table declares.
std::vector<AnsiString> CaseGridStoredFields();

// Sets the calculated fields of the table's current record; lines are separated by "\r".
void CalculateCaseGridFields(TDataSet* cases);
