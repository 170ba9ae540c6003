#include "framework/ui/MonthCalendarView.h"

#include <QFontMetrics>
#include <cmath>
#include <memory>

#include "framework/base/DateFormat.h"
#include "framework/base/Locale.h"
#include "framework/ui/CodePageFont.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

using qn::ui::CalendarHit;
using qn::ui::CalendarPart;
using qn::ui::MonthCalendarLayout;

namespace {

constexpr int weeks = 6;

TDateTime wholeDay(TDateTime value) { return std::floor(value); }

int yearOf(TDateTime day) {
  int year = 0;
  int month = 0;
  int dayOfMonth = 0;
  DecodeDate(day, year, month, dayOfMonth);
  return year;
}

// The ISO week of a shown week, judged by its middle day whichever day the row starts with.
int weekNumber(TDateTime rowStart) {
  TDateTime middle = rowStart + 3;
  TDateTime thursday = middle - qn::ui::weekdayIndex(middle) + 3;
  TDateTime firstOfYear = EncodeDate(yearOf(thursday), 1, 1);
  return static_cast<int>(thursday - firstOfYear) / 7 + 1;
}

}  // namespace

MonthCalendarView::MonthCalendarView(TComponent* AOwner)
    : SelfPaintedControl(AOwner),
      colors_{clWindowText, clActiveCaption, clWhite, clWhite, clInactiveCaptionText} {
  anchor_ = active_ = wholeDay(Date());
  int day = 0;
  DecodeDate(anchor_, shownYear_, shownMonth_, day);
  SetTabStop(true);
  SetColor(clWindow);
  TPoint size = minimumSize();
  SetBounds(Left(), Top(), size.X, size.Y);
}

qn::ui::CalendarLayoutSettings MonthCalendarView::layoutSettings() const {
  const std::shared_ptr<const qn::ui::CodePageFont> font = qn::ui::CodePageFont::of(*Font(), Screen->PixelsPerInch());
  const QFontMetrics& metrics = font->metrics();
  auto width = [font](const AnsiString& text) { return font->width(QString::fromStdString(qn::ansiToUtf8(text))); };
  int cellWidth = width("00");
  for (const AnsiString& name : Locale().ShortDayNames) cellWidth = std::max(cellWidth, width(name));
  qn::ui::CalendarLayoutSettings settings;
  settings.cellWidth = cellWidth + 6;
  settings.cellHeight = metrics.height() + 3;
  settings.firstDayOfWeek = firstDayOfWeek_;
  settings.weekNumbers = weekNumbers_;
  settings.showToday = showToday_;
  settings.textWidth = width;
  return settings;
}

MonthCalendarLayout MonthCalendarView::layout() const {
  return MonthCalendarLayout(layoutSettings(), Width(), Height(), shownYear_, shownMonth_);
}

TPoint MonthCalendarView::minimumSize() const { return MonthCalendarLayout::minimumSize(layoutSettings()); }

CalendarHit MonthCalendarView::hitTest(TPoint point) const { return layout().hitTest(point); }

int MonthCalendarView::shownMonthCount() const { return layout().monthCount(); }

bool MonthCalendarView::withinRange(TDateTime day) const {
  day = wholeDay(day);
  return (minDate_ == 0 || day >= wholeDay(minDate_)) && (maxDate_ == 0 || day <= wholeDay(maxDate_));
}

TDateTime MonthCalendarView::clampToRange(TDateTime day) const {
  day = wholeDay(day);
  if (minDate_ != 0) day = std::max(day, wholeDay(minDate_));
  if (maxDate_ != 0) day = std::min(day, wholeDay(maxDate_));
  return day;
}

void MonthCalendarView::setSelection(TDateTime start, TDateTime end) {
  start = clampToRange(start);
  end = multiSelect_ ? clampToRange(end) : start;
  if (end < start) std::swap(start, end);
  end = std::min(end, start + maxSelectCount_ - 1);
  applySelection(start, end, false);
  showDay(start);
}

void MonthCalendarView::applySelection(TDateTime anchor, TDateTime active, bool byUser) {
  if (anchor == anchor_ && active == active_) return;
  anchor_ = anchor;
  active_ = active;
  Invalidate();
  if (byUser) qn::ui::callHandler(OnSelectionChange, this);
}

void MonthCalendarView::moveTo(TDateTime day, bool extend) {
  day = clampToRange(day);
  if (!extend || !multiSelect_) {
    applySelection(day, day, true);
  } else {
    // The range may hold MaxSelectCount days at most; the moving end stops there.
    TDateTime limit = maxSelectCount_ - 1;
    day = std::clamp(day, anchor_ - limit, anchor_ + limit);
    applySelection(anchor_, day, true);
  }
  showDay(day);
}

void MonthCalendarView::setMultiSelect(bool value) {
  multiSelect_ = value;
  if (!value) applySelection(anchor_, anchor_, false);
}

void MonthCalendarView::SetMaxSelectCount(int value) {
  maxSelectCount_ = std::max(1, value);
  if (selectionEnd() - selectionStart() >= maxSelectCount_) setSelection(selectionStart(), selectionEnd());
}

void MonthCalendarView::setRange(TDateTime minDate, TDateTime maxDate) {
  minDate_ = minDate;
  maxDate_ = maxDate;
  if (!withinRange(anchor_) || !withinRange(active_)) setSelection(selectionStart(), selectionEnd());
  Invalidate();
}

void MonthCalendarView::setDayStates(bool value) {
  dayStates_ = value;
  refreshDayStates();
}

void MonthCalendarView::refreshDayStates() {
  boldDays_.clear();
  askedCount_ = shownMonthCount();
  if (dayStates_ && OnDayState) {
    MonthCalendarLayout shown = layout();
    for (int index = 0; index < shown.monthCount(); ++index) {
      int year = 0;
      int month = 0;
      shown.monthAt(index, year, month);
      boldDays_.push_back(OnDayState(year, month));
    }
  }
  Invalidate();
}

bool MonthCalendarView::isBold(TDateTime day) const {
  int index = 0;
  int row = 0;
  int column = 0;
  MonthCalendarLayout shown = layout();
  if (!shown.findDay(wholeDay(day), index, row, column) || index >= static_cast<int>(boldDays_.size())) return false;
  int year = 0;
  int month = 0;
  int dayOfMonth = 0;
  DecodeDate(day, year, month, dayOfMonth);
  return (boldDays_[index] >> (dayOfMonth - 1)) & 1;
}

void MonthCalendarView::setWeekNumbers(bool value) {
  weekNumbers_ = value;
  shownMonthsChanged();
}

void MonthCalendarView::setShowToday(bool value) {
  showToday_ = value;
  shownMonthsChanged();
}

void MonthCalendarView::setTodayCircle(bool value) {
  todayCircle_ = value;
  Invalidate();
}

void MonthCalendarView::setFirstDayOfWeek(int value) {
  firstDayOfWeek_ = std::clamp(value, 0, 6);
  Invalidate();
}

void MonthCalendarView::setColor(CalendarColor part, TColor value) {
  colors_[static_cast<size_t>(part)] = value;
  Invalidate();
}

void MonthCalendarView::setShownMonth(int year, int month) {
  int months = year * 12 + month - 1;
  if (year == shownYear_ && month == shownMonth_) return;
  shownYear_ = months / 12;
  shownMonth_ = months % 12 + 1;
  shownMonthsChanged();
}

void MonthCalendarView::showDay(TDateTime day) {
  int index = 0;
  int row = 0;
  int column = 0;
  if (layout().findDay(day, index, row, column)) return;
  int year = 0;
  int month = 0;
  int dayOfMonth = 0;
  DecodeDate(day, year, month, dayOfMonth);
  if (year * 12 + month < shownYear_ * 12 + shownMonth_) {
    setShownMonth(year, month);
  } else {
    int months = year * 12 + month - 1 - (shownMonthCount() - 1);
    setShownMonth(months / 12, months % 12 + 1);
  }
}

void MonthCalendarView::shownMonthsChanged() {
  refreshDayStates();
}

void MonthCalendarView::BoundsChanged() {
  SelfPaintedControl::BoundsChanged();
  if (shownMonthCount() != askedCount_) shownMonthsChanged();
}

void MonthCalendarView::FontChanged() {
  SelfPaintedControl::FontChanged();
  shownMonthsChanged();
}

TWantedKeys MonthCalendarView::WantedKeys() const { return {wkArrows}; }

bool MonthCalendarView::takePress(const CalendarHit&, TMouseButton, TShiftState, TPoint) { return false; }

bool MonthCalendarView::takeKey(WORD&, TShiftState) { return false; }

void MonthCalendarView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SelfPaintedControl::MouseDown(Button, Shift, X, Y);
  CalendarHit hit = hitTest(Point(X, Y));
  if (takePress(hit, Button, Shift, Point(X, Y)) || Button != mbLeft) return;
  switch (hit.part) {
    case CalendarPart::previousButton:
    case CalendarPart::nextButton: {
      int step = hit.part == CalendarPart::nextButton ? monthStep_ : -monthStep_;
      int months = shownYear_ * 12 + shownMonth_ - 1 + step;
      setShownMonth(months / 12, months % 12 + 1);
      break;
    }
    case CalendarPart::day:
    case CalendarPart::today:
      // Days outside the limits cannot be chosen.
      if (withinRange(hit.date())) moveTo(hit.date(), Shift.Contains(ssShift));
      break;
    default:
      break;
  }
}

void MonthCalendarView::KeyDown(WORD& Key, TShiftState Shift) {
  SelfPaintedControl::KeyDown(Key, Shift);
  if (Key == 0 || takeKey(Key, Shift)) return;
  TDateTime day = active_;
  switch (Key) {
    case VK_LEFT: day -= 1; break;
    case VK_RIGHT: day += 1; break;
    case VK_UP: day -= 7; break;
    case VK_DOWN: day += 7; break;
    case VK_PRIOR: day = IncMonth(day, -1); break;
    case VK_NEXT: day = IncMonth(day, 1); break;
    case VK_HOME: {
      int year = 0;
      int month = 0;
      int dayOfMonth = 0;
      DecodeDate(day, year, month, dayOfMonth);
      day = EncodeDate(year, month, 1);
      break;
    }
    case VK_END: {
      int year = 0;
      int month = 0;
      int dayOfMonth = 0;
      DecodeDate(day, year, month, dayOfMonth);
      day = EncodeDate(year, month, DaysInAMonth(year, month));
      break;
    }
    default:
      return;
  }
  Key = 0;
  moveTo(day, Shift.Contains(ssShift));
}

void MonthCalendarView::Paint() {
  Canvas& c = canvas();
  c.SetFont(Font());
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = Color();
  c.fillRect(ClientRect());
  MonthCalendarLayout shown = layout();
  for (int index = 0; index < shown.monthCount(); ++index) paintMonth(c, shown, index);

  auto arrow = [&c](const TRect& r, bool pointsRight) {
    c.Brush.Color = c.Pen.Color;
    int middle = (r.Top + r.Bottom) / 2;
    int half = r.Height() / 4 + 1;
    for (int i = 0; i < half; ++i) {
      int x = pointsRight ? r.Left + r.Width() / 2 - half / 2 + i : r.Left + r.Width() / 2 + half / 2 - i;
      c.fillRect(Rect(x, middle - (half - i), x + 1, middle + (half - i) + 1));
    }
  };
  c.Pen.Color = color(CalendarColor::titleText);
  arrow(shown.previousButton(), false);
  arrow(shown.nextButton(), true);

  TRect todayLine = shown.todayRect();
  if (!todayLine.IsEmpty()) {
    c.Brush.Style = BrushStyle::clear;
    c.Font()->SetColor(color(CalendarColor::text));
    int markWidth = 0;
    if (todayCircle_) {
      markWidth = todayLine.Height();
      c.Pen.Color = clRed;
      c.drawRectangle(Rect(todayLine.Left, todayLine.Top + 2, todayLine.Left + markWidth - 4, todayLine.Bottom - 2));
    }
    c.drawText(todayLine.Left + markWidth, todayLine.Top + 2, "Today: " + FormatDateTime("ddddd", Date()));
  }
  SelfPaintedControl::Paint();
}

void MonthCalendarView::paintMonth(Canvas& c, const MonthCalendarLayout& shown, int index) {
  int year = 0;
  int month = 0;
  shown.monthAt(index, year, month);
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = color(CalendarColor::monthBackground);
  c.fillRect(shown.monthRect(index));
  c.Brush.Color = color(CalendarColor::titleBackground);
  c.fillRect(shown.titleRect(index));

  c.Brush.Style = BrushStyle::clear;
  c.Font()->SetColor(color(CalendarColor::titleText));
  TRect name = shown.monthNameRect(index);
  c.drawText(name.Left, name.Top, Locale().LongMonthNames[month - 1]);
  TRect yearText = shown.yearRect(index);
  c.drawText(yearText.Left, yearText.Top, std::to_string(year));

  TRect names = shown.dayNamesRect(index);
  c.Font()->SetColor(color(CalendarColor::titleBackground));
  for (int column = 0; column < 7; ++column) {
    const AnsiString& dayName = Locale().ShortDayNames[(firstDayOfWeek_ + column + 1) % 7];
    TRect cell = Rect(names.Left + column * names.Width() / 7, names.Top, names.Left + (column + 1) * names.Width() / 7, names.Bottom);
    c.drawText(cell, dayName, textCentre | textSingleLine | textVerticalCentre);
  }
  c.Pen.Color = color(CalendarColor::titleBackground);
  c.moveTo(names.Left, names.Bottom);
  c.drawLineTo(names.Right, names.Bottom);

  TDateTime today = wholeDay(Date());
  for (int row = 0; row < weeks; ++row) {
    TDateTime first = 0;
    TDateTime last = 0;
    bool rowShown = shown.dayInCell(index, row, 0, first) | shown.dayInCell(index, row, 6, last);
    if (weekNumbers_ && rowShown) {
      TRect cell = shown.weekNumberCell(index, row);
      c.Font()->SetColor(color(CalendarColor::titleBackground));
      c.drawText(cell, std::to_string(weekNumber(first)), textCentre | textSingleLine | textVerticalCentre);
    }
    for (int column = 0; column < 7; ++column) {
      TDateTime day = 0;
      if (!shown.dayInCell(index, row, column, day)) continue;
      int dayYear = 0;
      int dayMonth = 0;
      int dayOfMonth = 0;
      DecodeDate(day, dayYear, dayMonth, dayOfMonth);
      TRect cell = shown.dayCell(index, row, column);
      bool selected = day >= selectionStart() && day <= selectionEnd();
      if (selected) {
        c.Brush.Style = BrushStyle::solid;
        c.Brush.Color = color(CalendarColor::titleBackground);
        c.fillRect(cell);
      }
      c.Brush.Style = BrushStyle::clear;
      bool trailing = dayMonth != month;
      c.Font()->SetColor(selected ? color(CalendarColor::monthBackground)
                         : trailing ? color(CalendarColor::trailingText)
                                    : color(CalendarColor::text));
      c.Font()->SetStyle(!trailing && isBold(day) ? TFontStyles{fsBold} : TFontStyles{});
      c.drawText(cell, std::to_string(dayOfMonth), textCentre | textSingleLine | textVerticalCentre);
      if (day == today && todayCircle_) {
        c.Pen.Color = clRed;
        c.drawRectangle(cell);
      }
    }
  }
  c.Font()->SetStyle({});
}
