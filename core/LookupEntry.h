#pragma once
// Checking a code typed into an edit box against its code table: the description (or "NOT FOUND")
// shown in the lookup combo beside it, the employee rights and inactive employees, and the offer
// to have the suite's main program add a code that does not exist.
#include "framework/base/AnsiString.h"

class TControl;
class TdcTbTable;
class TttTable;

// CodeTable's first field is the description, its second the code; it is searched on its index
// in force. SyncTable, a second table on the same file, is moved to the record found. True when
// the entry is acceptable.
bool ValidateLookupEntry(TControl* Edit, TControl* Combo, TdcTbTable* CodeTable, TttTable* SyncTable);

// Edit's text against Table's current record (first field the code, second the name shown in
// Combo). ShowMessage: whether a refused code is told; KindText names what was looked up.
bool ValidateEmployeeEntry(TControl* Edit, TControl* Combo, TdcTbTable* Table, bool ShowMessage, const AnsiString& KindText);

// Whether the user may enter transactions for the employee; an empty code is allowed.
bool IsEmployeeAllowed(const AnsiString& Code);
