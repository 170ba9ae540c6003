#pragma once
// Which part of a date or time text the caret stands in, and selecting one part, for the edits
// that step a date or time part by part (the spin edit, the grid's date cells). Parts follow the
// locale's date order and its date and time separators.
#include "framework/base/AnsiString.h"

// Date and time parts.
constexpr int dtpDay = 0;
constexpr int dtpMonth = 1;
constexpr int dtpYear = 2;
constexpr int dtpHour = 3;
constexpr int dtpMinute = 4;
constexpr int dtpSecond = 5;
constexpr int dtpAmPm = 6;

// The part at CaretPos (a selection start, counted from 0). A date-time text puts the caret in
// its time once the caret has reached the time (or stands on the blank just before it); TimeOnly
// texts are all time.
int GetDateTimePartAtCaret(int CaretPos, const AnsiString& Text, bool TimeOnly);
// The time part at CaretPos of a time text; the hour for a CaretPos of 0 or less.
int GetTimePartAtCaret(int CaretPos, const AnsiString& Text);

// Where Part stands in Text: SelStart counted from 0 and SelLength. False when the text has no
// such part (a time part of a date-time text whose date does not scan, a missing piece).
bool FindDateTimePart(int Part, const AnsiString& Text, bool TimeOnly, int& SelStart, int& SelLength);

// Selects Part in the edit's text; an edit without that part keeps its selection. Edit is any
// edit with Text(), SetSelStart() and SetSelLength().
template <class Edit>
void SelectDateTimePart(int Part, Edit& SpinEdit, bool TimeOnly) {
  int start, length;
  if (!FindDateTimePart(Part, SpinEdit.Text(), TimeOnly, start, length)) return;
  SpinEdit.SetSelStart(start);
  SpinEdit.SetSelLength(length);
}
