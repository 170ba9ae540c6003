#pragma once
// The month-calendar control: shows one month, or as many as its size holds, and selects a day
// or, with multi-select, a range of at most MaxSelectCount days, within an optional lowest and
// highest date, by mouse and keys. Bold days come from OnDayState, asked once for each shown
// month whenever the shown months change (never without day states switched on). A subclass may
// take a press or a key before the control handles it.
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/base/DateTime.h"
#include "framework/ui/MonthCalendarLayout.h"
#include "framework/ui/SelfPaintedControl.h"

enum class CalendarColor { text, titleBackground, titleText, monthBackground, trailingText };

class MonthCalendarView : public SelfPaintedControl {
  QN_CLASS(MonthCalendarView, SelfPaintedControl)
 public:
  explicit MonthCalendarView(TComponent* AOwner);

  // The selected range (one day without multi-select); whole days.
  TDateTime selectionStart() const { return std::min(anchor_, active_); }
  TDateTime selectionEnd() const { return std::max(anchor_, active_); }
  // Selects the days, cut to the limits and to MaxSelectCount days from start, and shows the
  // month of start. Changes no range without multi-select: end is then start. Like every change
  // by code, it tells OnSelectionChange nothing.
  void setSelection(TDateTime start, TDateTime end);
  void setDate(TDateTime date) { setSelection(date, date); }

  bool multiSelect() const { return multiSelect_; }
  void setMultiSelect(bool value);
  int MaxSelectCount() const { return maxSelectCount_; }
  void SetMaxSelectCount(int value);

  // 0 for no limit.
  TDateTime minDate() const { return minDate_; }
  TDateTime maxDate() const { return maxDate_; }
  void setRange(TDateTime minDate, TDateTime maxDate);
  bool withinRange(TDateTime day) const;

  bool dayStates() const { return dayStates_; }
  void setDayStates(bool value);
  // Bit d - 1 of the answer makes day d of that month bold.
  std::function<std::uint32_t(int year, int month)> OnDayState;
  // Asks OnDayState again for every shown month.
  void refreshDayStates();
  bool isBold(TDateTime day) const;

  bool weekNumbers() const { return weekNumbers_; }
  void setWeekNumbers(bool value);
  bool showToday() const { return showToday_; }
  void setShowToday(bool value);
  bool todayCircle() const { return todayCircle_; }
  void setTodayCircle(bool value);
  // 0 Monday .. 6 Sunday. The program's locale settings carry no first day, so Sunday is the
  // default, as on the workstations the program was written for.
  int firstDayOfWeek() const { return firstDayOfWeek_; }
  void setFirstDayOfWeek(int value);

  TColor color(CalendarColor part) const { return colors_[static_cast<size_t>(part)]; }
  void setColor(CalendarColor part, TColor value);

  // How many months the next and previous buttons move.
  int monthStep() const { return monthStep_; }
  void setMonthStep(int value) { monthStep_ = std::max(1, value); }

  int shownYear() const { return shownYear_; }
  int shownMonth() const { return shownMonth_; }
  int shownMonthCount() const;
  void setShownMonth(int year, int month);

  // What one month and the today line need with the control's font.
  TPoint minimumSize() const;
  qn::ui::CalendarHit hitTest(TPoint point) const;
  qn::ui::MonthCalendarLayout layout() const;

  TNotifyEvent OnSelectionChange;

 protected:
  // Run first on every press and key; true keeps the control from handling it.
  virtual bool takePress(const qn::ui::CalendarHit& hit, TMouseButton Button, TShiftState Shift, TPoint point);
  virtual bool takeKey(WORD& Key, TShiftState Shift);

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  TWantedKeys WantedKeys() const override;
  void BoundsChanged() override;
  void FontChanged() override;

 private:
  qn::ui::CalendarLayoutSettings layoutSettings() const;
  TDateTime clampToRange(TDateTime day) const;
  // Moves the active end (and the anchor unless extending) and reports a change.
  void moveTo(TDateTime day, bool extend);
  // Only a change the user made is told to OnSelectionChange.
  void applySelection(TDateTime anchor, TDateTime active, bool byUser);
  void showDay(TDateTime day);
  void shownMonthsChanged();
  void paintMonth(Canvas& canvas, const qn::ui::MonthCalendarLayout& layout, int index);

  TDateTime anchor_;
  TDateTime active_;
  bool multiSelect_ = false;
  int maxSelectCount_ = 7;
  TDateTime minDate_ = 0;
  TDateTime maxDate_ = 0;
  bool dayStates_ = false;
  std::vector<std::uint32_t> boldDays_;  // one mask per shown month, while day states are on
  bool weekNumbers_ = false;
  bool showToday_ = true;
  bool todayCircle_ = true;
  int firstDayOfWeek_ = 6;
  std::array<TColor, 5> colors_;
  int monthStep_ = 1;
  int shownYear_ = 0;
  int shownMonth_ = 0;
  int askedCount_ = 0;  // how many months the bold days were asked for
};
