#pragma once
// The value rules of the transaction fields and the billable-fields snapshot.
#include "dialogs/MemoF.h"

// A value typed to its second decimal: the field moves on by itself.
bool TwoDecimalsComplete(const AnsiString& Text);
bool IsNegativeAmount(const AnsiString& Text);
// What the billable-fields dialog left, as the main window takes it: the employee "%-4s" (four
// blanks when none), the three values "%3f", marked changed.
BillableFieldValues BillableValuesTaken(const BillableFieldValues& Dialog);
