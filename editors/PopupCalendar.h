#pragma once
// TdcPopupCalendar: the month calendar a date-time picker drops down. It never takes the focus
// (the keys stay with the picker, which hands them on), tells the picker of every date the user
// chooses, and a release on a shown date closes it with that date.
#include "editors/MonthCalendar.h"

class TdcDBCustomDateTimePicker;

class TdcPopupCalendar : public TdcMonthCalendar {
  QN_CLASS(TdcPopupCalendar, TdcMonthCalendar)
 public:
  explicit TdcPopupCalendar(TdcDBCustomDateTimePicker* Picker);

  // A key the picker took while the calendar is open; answers whether the calendar used it.
  bool TakePickerKey(WORD& Key, TShiftState Shift);

 protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void FocusWhenVisible() override {}

 private:
  TdcDBCustomDateTimePicker* picker_;
};
