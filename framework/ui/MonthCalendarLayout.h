#pragma once
// Where a month calendar puts its parts: months side by side and in rows as far as the control's
// size allows (at most twelve), each with its title (previous button on the first month, next
// button on the last month of the first row, month name and year), the day names, six weeks of
// days with the neighbouring months' trailing days before the first and after the last shown
// month, and the today line below. Pure geometry over a cell size, so the hit test is exact.
#include <functional>

#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"
#include "framework/ui/Geometry.h"

namespace qn::ui {

enum class CalendarPart { nothing, titleMonth, titleYear, nextButton, previousButton, day, today };

// What lies under a point. year and month name the month the part belongs to (for a day, the
// day's own month, so a trailing day names its neighbouring month); day is 0 off the days.
struct CalendarHit {
  CalendarPart part = CalendarPart::nothing;
  int year = 0;
  int month = 0;
  int day = 0;
  int monthIndex = -1;  // which shown month the point lies in, -1 for none

  TDateTime date() const { return day > 0 ? EncodeDate(year, month, day) : 0; }
  friend bool operator==(const CalendarHit&, const CalendarHit&) = default;
};

struct CalendarLayoutSettings {
  int cellWidth = 24;
  int cellHeight = 16;
  int firstDayOfWeek = 6;  // 0 Monday .. 6 Sunday
  bool weekNumbers = false;
  bool showToday = true;
  // Widths of the title's texts and of the today line, measured with the control's font.
  std::function<int(const AnsiString&)> textWidth;
};

class MonthCalendarLayout {
 public:
  MonthCalendarLayout(CalendarLayoutSettings settings, int width, int height, int firstYear, int firstMonth);

  // The size one month and the today line need.
  static TPoint minimumSize(const CalendarLayoutSettings& settings);

  int monthCount() const { return count_; }
  // The shown month at index 0.. monthCount()-1.
  void monthAt(int index, int& year, int& month) const;
  TRect monthRect(int index) const;
  TRect titleRect(int index) const;
  TRect monthNameRect(int index) const;
  TRect yearRect(int index) const;
  TRect previousButton() const;
  TRect nextButton() const;
  TRect dayNamesRect(int index) const;
  // The cell of week row (0..5) and column (0..6) of a shown month.
  TRect dayCell(int index, int row, int column) const;
  // The day that cell stands for; false when the cell stays blank (a neighbouring month's day
  // that is no trailing day).
  bool dayInCell(int index, int row, int column, TDateTime& day) const;
  // The week-number cell of a row (only with week numbers).
  TRect weekNumberCell(int index, int row) const;
  TRect todayRect() const;  // empty without the today line
  // Where a day is shown, if it is: index of the shown month and its cell.
  bool findDay(TDateTime day, int& index, int& row, int& column) const;

  CalendarHit hitTest(TPoint point) const;

 private:
  int monthWidth() const;
  int monthHeight() const;
  int titleHeight() const;
  int todayHeight() const;
  TDateTime gridStart(int index) const;

  CalendarLayoutSettings settings_;
  int width_;
  int firstYear_;
  int firstMonth_;
  int columns_;
  int count_;
};

// 0 for Monday .. 6 for Sunday.
int weekdayIndex(TDateTime day);

}  // namespace qn::ui
