#include "framework/ui/MonthCalendarLayout.h"

#include <algorithm>

#include "framework/base/Locale.h"

namespace qn::ui {

namespace {
constexpr int margin = 4;
constexpr int weeks = 6;
constexpr int maxMonths = 12;
}  // namespace

int weekdayIndex(TDateTime day) { return (DayOfWeek(day) + 5) % 7; }

MonthCalendarLayout::MonthCalendarLayout(CalendarLayoutSettings settings, int width, int height, int firstYear, int firstMonth)
    : settings_(std::move(settings)), width_(width), firstYear_(firstYear), firstMonth_(firstMonth) {
  columns_ = std::max(1, width / monthWidth());
  int rows = std::max(1, (height - todayHeight()) / monthHeight());
  count_ = std::min(columns_ * rows, maxMonths);
  columns_ = std::min(columns_, count_);
}

TPoint MonthCalendarLayout::minimumSize(const CalendarLayoutSettings& settings) {
  MonthCalendarLayout layout(settings, 0, 0, 2000, 1);
  return {layout.monthWidth(), layout.monthHeight() + layout.todayHeight()};
}

int MonthCalendarLayout::monthWidth() const { return (settings_.weekNumbers ? 8 : 7) * settings_.cellWidth + 2 * margin; }
int MonthCalendarLayout::titleHeight() const { return settings_.cellHeight + 8; }
int MonthCalendarLayout::monthHeight() const { return titleHeight() + settings_.cellHeight + 2 + weeks * settings_.cellHeight + margin; }
int MonthCalendarLayout::todayHeight() const { return settings_.showToday ? settings_.cellHeight + 4 : 0; }

void MonthCalendarLayout::monthAt(int index, int& year, int& month) const {
  int months = firstYear_ * 12 + (firstMonth_ - 1) + index;
  year = months / 12;
  month = months % 12 + 1;
}

TRect MonthCalendarLayout::monthRect(int index) const {
  int column = index % columns_;
  int row = index / columns_;
  return Bounds(column * monthWidth(), row * monthHeight(), monthWidth(), monthHeight());
}

TRect MonthCalendarLayout::titleRect(int index) const {
  TRect month = monthRect(index);
  return Rect(month.Left + 1, month.Top + 1, month.Right - 1, month.Top + titleHeight());
}

namespace {
AnsiString monthName(int month) { return Locale().LongMonthNames[month - 1]; }
}  // namespace

TRect MonthCalendarLayout::monthNameRect(int index) const {
  int year = 0;
  int month = 0;
  monthAt(index, year, month);
  int nameWidth = settings_.textWidth(monthName(month));
  int yearWidth = settings_.textWidth(std::to_string(year));
  int gap = settings_.textWidth(" ");
  TRect title = titleRect(index);
  int left = title.Left + (title.Width() - (nameWidth + gap + yearWidth)) / 2;
  int top = title.Top + (title.Height() - settings_.cellHeight) / 2;
  return Rect(left, top, left + nameWidth, top + settings_.cellHeight);
}

TRect MonthCalendarLayout::yearRect(int index) const {
  int year = 0;
  int month = 0;
  monthAt(index, year, month);
  TRect name = monthNameRect(index);
  int left = name.Right + settings_.textWidth(" ");
  return Rect(left, name.Top, left + settings_.textWidth(std::to_string(year)), name.Bottom);
}

TRect MonthCalendarLayout::previousButton() const {
  TRect title = titleRect(0);
  int side = title.Height() - 6;
  return Bounds(title.Left + margin, title.Top + 3, side, side);
}

TRect MonthCalendarLayout::nextButton() const {
  TRect title = titleRect(columns_ - 1);
  int side = title.Height() - 6;
  return Bounds(title.Right - margin - side, title.Top + 3, side, side);
}

TRect MonthCalendarLayout::dayNamesRect(int index) const {
  TRect month = monthRect(index);
  int left = month.Left + margin + (settings_.weekNumbers ? settings_.cellWidth : 0);
  int top = month.Top + titleHeight();
  return Rect(left, top, left + 7 * settings_.cellWidth, top + settings_.cellHeight);
}

TRect MonthCalendarLayout::dayCell(int index, int row, int column) const {
  TRect names = dayNamesRect(index);
  return Bounds(names.Left + column * settings_.cellWidth, names.Bottom + 2 + row * settings_.cellHeight, settings_.cellWidth,
                settings_.cellHeight);
}

TRect MonthCalendarLayout::weekNumberCell(int index, int row) const {
  TRect first = dayCell(index, row, 0);
  return Rect(first.Left - settings_.cellWidth, first.Top, first.Left, first.Bottom);
}

TDateTime MonthCalendarLayout::gridStart(int index) const {
  int year = 0;
  int month = 0;
  monthAt(index, year, month);
  TDateTime first = EncodeDate(year, month, 1);
  return first - (weekdayIndex(first) - settings_.firstDayOfWeek + 7) % 7;
}

bool MonthCalendarLayout::dayInCell(int index, int row, int column, TDateTime& day) const {
  int year = 0;
  int month = 0;
  monthAt(index, year, month);
  day = gridStart(index) + row * 7 + column;
  TDateTime first = EncodeDate(year, month, 1);
  TDateTime last = EncodeDate(year, month, DaysInAMonth(year, month));
  if (day >= first && day <= last) return true;
  bool leadingTrail = index == 0 && day < first;
  bool closingTrail = index == count_ - 1 && day > last;
  return leadingTrail || closingTrail;
}

TRect MonthCalendarLayout::todayRect() const {
  if (!settings_.showToday) return {};
  int rows = (count_ + columns_ - 1) / columns_;
  int top = rows * monthHeight();
  return Rect(margin, top, std::min(width_, columns_ * monthWidth()) - margin, top + todayHeight());
}

bool MonthCalendarLayout::findDay(TDateTime day, int& index, int& row, int& column) const {
  int year = 0;
  int month = 0;
  int dayOfMonth = 0;
  DecodeDate(day, year, month, dayOfMonth);
  for (index = 0; index < count_; ++index) {
    int shownYear = 0;
    int shownMonth = 0;
    monthAt(index, shownYear, shownMonth);
    if (year != shownYear || month != shownMonth) continue;
    int offset = static_cast<int>(day - gridStart(index));
    row = offset / 7;
    column = offset % 7;
    return true;
  }
  return false;
}

CalendarHit MonthCalendarLayout::hitTest(TPoint point) const {
  CalendarHit hit;
  if (previousButton().Contains(point)) {
    hit.part = CalendarPart::previousButton;
    hit.monthIndex = 0;
    monthAt(0, hit.year, hit.month);
    return hit;
  }
  if (nextButton().Contains(point)) {
    hit.part = CalendarPart::nextButton;
    hit.monthIndex = columns_ - 1;
    monthAt(hit.monthIndex, hit.year, hit.month);
    return hit;
  }
  if (todayRect().Contains(point)) {
    TDateTime today = Date();
    hit.part = CalendarPart::today;
    DecodeDate(today, hit.year, hit.month, hit.day);
    return hit;
  }
  for (int index = 0; index < count_; ++index) {
    if (!monthRect(index).Contains(point)) continue;
    hit.monthIndex = index;
    monthAt(index, hit.year, hit.month);
    if (monthNameRect(index).Contains(point)) {
      hit.part = CalendarPart::titleMonth;
      return hit;
    }
    if (yearRect(index).Contains(point)) {
      hit.part = CalendarPart::titleYear;
      return hit;
    }
    for (int row = 0; row < weeks; ++row) {
      for (int column = 0; column < 7; ++column) {
        if (!dayCell(index, row, column).Contains(point)) continue;
        TDateTime day = 0;
        if (!dayInCell(index, row, column, day)) return hit;
        hit.part = CalendarPart::day;
        DecodeDate(day, hit.year, hit.month, hit.day);
        return hit;
      }
    }
    return hit;
  }
  return hit;
}

}  // namespace qn::ui
