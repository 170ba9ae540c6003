#include "editors/PopupCalendar.h"

#include "editors/DBDateTimePicker.h"

TdcPopupCalendar::TdcPopupCalendar(TdcDBCustomDateTimePicker* Picker) : TdcMonthCalendar(Picker), picker_(Picker) {
  SetTabStop(false);
  SetBorderStyle(bsSingle);
  OnChange = [this](TObject*) { picker_->calendarChanged(); };
}

bool TdcPopupCalendar::TakePickerKey(WORD& Key, TShiftState Shift) {
  const WORD key = Key;
  KeyDown(Key, Shift);
  return Key != key;
}

void TdcPopupCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdcMonthCalendar::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && hitTest({X, Y}).part == qn::ui::CalendarPart::day) picker_->CloseUp(true);
}
