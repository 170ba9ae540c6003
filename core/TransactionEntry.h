#pragma once
// What the main window tells the description and transaction editor and the narrative picker
// about the entry it is editing; the main window sets these, the editor panels read them (and set
// the few the main window waits for).
#include <map>

#include "framework/base/AnsiString.h"

struct TransactionEntryState {
  // 1 time, 2 and 3 costs, 8 retainer transfer; 0 none.
  int Kind = 0;
  // Electronic-billing codes must be chosen from the code table.
  bool CodesRequired = false;
  // Typed description characters become capitals.
  bool CapitaliseDescription = false;
  // An activity code chosen gives its text, and a blank, as the description's beginning.
  bool ActivityTextAsPrefix = false;
  AnsiString DescriptionPrefix;
  // Entering the description opens the large editor (a posted F1).
  bool OpenEditorOnEnter = false;
  // The entry waits to be committed once the large editor closes; CommitPending is the main
  // window's cue that the posted Tab and Enter commit it.
  bool EntryPending = false;
  bool CommitPending = false;
  // Closing the narrative picker's drop-down inserts the code chosen (cleared when used).
  bool InsertOnCloseUp = false;
  // The main window keeps with the previous description whether it came with codes; "=" putting
  // such a description in marks both that it was copied and that its codes came along, for the
  // main window to take up with the entry.
  bool PreviousDescriptionHadCodes = false;
  bool PreviousDescriptionCopied = false;
  bool CopiedDescriptionCodes = false;
  // The main window asks that the narrative picker's activation be marked for its keyboard
  // handling; the picker sets NarrativePickerActivated then, and the main window clears it.
  bool MarkNarrativeActivation = false;
  bool NarrativePickerActivated = false;
  // The last electronic-billing code each code box refused, by the box's name ("ComboBoxTask",
  // "ComboBoxActivity", "ComboBoxExpense").
  std::map<AnsiString, AnsiString> RejectedCodes;
  // The cost entry is an indirect cost.
  bool IndirectCost = false;
  // The entry is fixed-amount (its rate comes from the amount).
  bool FixedAmount = false;
  // The rate's source code, the stored value of a fixed entry and two further lines, for the rate
  // information.
  AnsiString RateSourceCode;
  AnsiString StoredRateValue;
  AnsiString RateInfoLine1, RateInfoLine2;
  // Billable fields: rate and amount of a time entry are not offered; the entry's status forbids
  // Hold and No Bill (the first also the billable rate and amount); the entry is an unallocated
  // write-up or write-down.
  bool HideBillableRateAndAmount = false;
  bool BilledStatus = false;
  bool LockedStatus = false;
  bool UnallocatedWriteUpDown = false;
};

extern TransactionEntryState TransactionEntry;
