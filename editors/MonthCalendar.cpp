#include "editors/MonthCalendar.h"

#include <algorithm>
#include <cmath>

#include "datagrid/Intl.h"
#include "editors/DateTimeError.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateFormat.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Beep.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/InputBox.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/VirtualKeys.h"

using qn::ui::CalendarHit;
using qn::ui::CalendarPart;

namespace {

UnitRegistration unit("editors/MonthCalendar", {}, [] { RegisterClass<TdcMonthCalendar>(); });

TDateTime wholeDays(TDateTime Value) { return std::trunc(Value); }
TDateTime timeOfDay(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

CalendarColor partOf(int index) { return static_cast<CalendarColor>(index - 1); }

}  // namespace

void TdcMonthCalendar::PublishProperties(PropertyPublisher<TdcMonthCalendar>& publish) {
  using Self = TdcMonthCalendar;
  publish.Float("Date", &Self::Date, &Self::SetDate);
  publish.Float("Time", &Self::Time, &Self::SetTime);
  publish.Float("MinDate", &Self::MinDate, &Self::SetMinDate);
  publish.Float("MaxDate", &Self::MaxDate, &Self::SetMaxDate);
  publish.Integer("MaxSelectCount", &Self::MaxSelectCount, &Self::SetMaxSelectCount);
  publish.Set("Options", kdcMonthOptionType, &Self::Options, &Self::SetOptions);
  publish.Enumeration("FirstDayOfWeek", kdcCalDayOfWeekType, &Self::FirstDayOfWeek, &Self::SetFirstDayOfWeek);
  publish.Object("CalColors", [](Self& c) { return c.CalColors(); },
                 [](Self& c, TdcDateTimeColors* v) { c.CalColors()->Assign(v); });
  publish.Object("PopupYearOptions", [](Self& c) { return c.PopupYearOptions(); },
                 [](Self& c, TdcPopupYearOptions* v) { c.PopupYearOptions()->Assign(v); });
  publish.Event("OnChange", &Self::OnChange, &Self::OnChange);
  publish.Event("OnCalcBoldDay", &Self::OnCalcBoldDay, &Self::OnCalcBoldDay);
}

TdcMonthCalendar::TdcMonthCalendar(TComponent* AOwner)
    : MonthCalendarView(AOwner), value_(Now()), monthMenu_(new TCalendarPopupMenu(this)) {
  SetColor(clWindow);
  SetTabStop(true);
  SetMaxSelectCount(31);
  colors_.OnColorChange = [this](int index, TColor value) {
    if (index == 0) SetColor(value);
    else setColor(partOf(index), value);
  };
  for (int i = 1; i <= 5; ++i) setColor(partOf(i), colors_.Color(i));
  OnDayState = [this](int year, int month) { return dayState(year, month); };
  OnSelectionChange = [this](TObject*) { selectionChanged(); };
  SetOptions(options_);
  for (int month = 1; month <= 12; ++month) {
    auto* item = new TMenuItem(monthMenu_);
    item->SetCaption(Locale().LongMonthNames[month - 1]);
    item->OnClick = [this, month](TObject*) {
      showValue(withYearMonth(shownYear(), month));
      qn::ui::callHandler(OnChange, this);
    };
    monthMenu_->Items()->Add(item);
  }
  SetBounds(0, 0, 155, minimumSize().Y);
  showValue(value_);
}

TPoint TdcMonthCalendar::FittedSize() const {
  const int border = BorderStyle() == bsSingle ? 2 : 0;
  const TPoint least = minimumSize();
  return {least.X + border, least.Y + border};
}

void TdcMonthCalendar::fitSize() {
  const TPoint least = FittedSize();
  SetBounds(Left(), Top(), std::max(Width(), least.X), std::max(Height(), least.Y));
}

void TdcMonthCalendar::BorderChanged() {
  fitSize();
  MonthCalendarView::BorderChanged();
}

void TdcMonthCalendar::FontChanged() {
  fitSize();
  MonthCalendarView::FontChanged();
}

void TdcMonthCalendar::Paint() {
  MonthCalendarView::Paint();
  if (BorderStyle() != bsSingle) return;
  Canvas& c = canvas();
  c.Brush.Style = BrushStyle::solid;
  c.Brush.Color = clWindowFrame;
  c.frameRect(ClientRect());
}

void TdcMonthCalendar::SetOptions(TdcMonthOptions Value) {
  options_ = Value;
  setDayStates(Value.Contains(mdoDayState));
  setWeekNumbers(Value.Contains(mdoWeekNumbers));
  setShowToday(!Value.Contains(mdoNoToday));
  setTodayCircle(!Value.Contains(mdoNoTodayCircle));
  setMultiSelect(Value.Contains(mdoMultiSelect));
  // The control made again takes back the range the user had selected.
  if (multiSelect() && rangeEnd_ > rangeStart_) setSelection(rangeStart_, rangeEnd_);
  else showValue(value_);
}

void TdcMonthCalendar::SetFirstDayOfWeek(TdcCalDayOfWeek Value) {
  firstDay_ = Value;
  setFirstDayOfWeek(Value == dcdowLocaleDefault ? 6 : static_cast<int>(Value));
}

bool TdcMonthCalendar::outsideLimits(TDateTime Day) const {
  return (MaxDate() != 0 && DayAfter(Day, MaxDate())) || (MinDate() != 0 && DayBefore(Day, MinDate()));
}

TDateTime TdcMonthCalendar::clampDay(TDateTime Value) const {
  if (MaxDate() != 0 && DayAfter(Value, MaxDate())) return wholeDays(MaxDate()) + timeOfDay(Value);
  if (MinDate() != 0 && DayBefore(Value, MinDate())) return wholeDays(MinDate()) + timeOfDay(Value);
  if (MinDate() == 0 && Value < 0) return EncodeDate(1899, 12, 31) + timeOfDay(Value);
  return Value;
}

void TdcMonthCalendar::showValue(TDateTime Value) {
  value_ = clampDay(Value);
  rangeStart_ = rangeEnd_ = wholeDays(value_);
  rangeChanged_ = false;
  setDate(rangeStart_);
}

void TdcMonthCalendar::SetDate(TDateTime Value) {
  const TDateTime next = wholeDays(Value) + timeOfDay(value_);
  if (next != value_ && next != 0) CheckDateWithinLimits(next, MinDate(), MaxDate());
  showValue(next);
}

void TdcMonthCalendar::SetTime(TDateTime Value) { value_ = wholeDays(value_) + timeOfDay(Value); }

void TdcMonthCalendar::SetMaxDate(TDateTime Value) {
  if (Value != 0 && MinDate() != 0 && DayBefore(Value, MinDate())) RaiseDateBelowMinimum(MinDate());
  if (Value == MaxDate()) return;
  setRange(MinDate(), Value);
  showValue(value_);
}

void TdcMonthCalendar::SetMinDate(TDateTime Value) {
  if (Value != 0 && MaxDate() != 0 && DayAfter(Value, MaxDate())) RaiseDateAboveMaximum(MaxDate());
  if (Value == MinDate()) return;
  setRange(Value, MaxDate());
  showValue(value_);
}

void TdcMonthCalendar::selectionChanged() {
  auto raised = [this](TDateTime day) {
    return MinDate() != 0 && DayBefore(day, MinDate()) ? wholeDays(MinDate()) : day;
  };
  const TDateTime start = raised(selectionStart());
  const TDateTime end = multiSelect() ? raised(selectionEnd()) : start;
  if (start != rangeStart_ || end != rangeEnd_) rangeChanged_ = multiSelect();
  rangeStart_ = start;
  rangeEnd_ = end;
  if (start == end) value_ = start + timeOfDay(value_);
  if (!multiSelect()) qn::ui::callHandler(OnChange, this);
}

std::uint32_t TdcMonthCalendar::dayState(int Year, int Month) {
  std::uint32_t mask = 0;
  if (!OnCalcBoldDay || !options_.Contains(mdoDayState)) return mask;
  for (int day = 1; day <= DaysInAMonth(Year, Month); ++day) {
    bool accept = false;
    OnCalcBoldDay(this, EncodeDate(Year, Month, day), Month, day, Year, accept);
    if (accept) mask |= std::uint32_t{1} << (day - 1);
  }
  return mask;
}

TDateTime TdcMonthCalendar::withYearMonth(int Year, int Month) const {
  int year, month, day;
  DecodeDate(value_, year, month, day);
  return EncodeDate(Year, Month, std::min(day, DaysInAMonth(Year, Month))) + timeOfDay(value_);
}

void TdcMonthCalendar::moveByMonths(int Months) {
  TDateTime next = IncMonth(value_, Months);
  if (outsideLimits(next)) {
    next = clampDay(next);
    Beep();
  }
  showValue(next);
  qn::ui::callHandler(OnChange, this);
}

// ---- the mouse ----

bool TdcMonthCalendar::takePress(const CalendarHit& hit, TMouseButton Button, TShiftState Shift, TPoint point) {
  pressOutside_ = false;
  if (Button != mbLeft) return false;
  switch (hit.part) {
    case CalendarPart::day: {
      const TDateTime day = hit.date();
      if (!outsideLimits(day)) return false;
      pressOutside_ = true;
      showValue(day);
      qn::ui::callHandler(OnChange, this);
      return true;
    }
    case CalendarPart::nextButton:
    case CalendarPart::previousButton:
      moveByMonths(hit.part == CalendarPart::nextButton ? monthStep() : -monthStep());
      return true;
    case CalendarPart::titleMonth: {
      BuildMonthMenu();
      const TPoint at = ClientToScreen(point);
      monthMenu_->Popup(at.X, at.Y);
      return true;
    }
    case CalendarPart::titleYear: {
      BuildYearMenu();
      const TPoint at = ClientToScreen(point);
      yearMenu_->Popup(at.X, at.Y);
      return true;
    }
    default: return false;
  }
}

void TdcMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  MonthCalendarView::MouseDown(Button, Shift, X, Y);
  const CalendarHit hit = hitTest({X, Y});
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y, hit.month, hit.day, hit.year);
}

void TdcMonthCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const CalendarHit hit = hitTest({X, Y});
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y, hit.month, hit.day, hit.year);
  if (pressOutside_) {
    pressOutside_ = false;
    return;
  }
  MonthCalendarView::MouseUp(Button, Shift, X, Y);
}

void TdcMonthCalendar::MouseMove(TShiftState Shift, int X, int Y) {
  MonthCalendarView::MouseMove(Shift, X, Y);
  const CalendarHit hit = hitTest({X, Y});
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y, hit.month, hit.day, hit.year);
}

void TdcMonthCalendar::FocusWhenVisible() {
  if (Visible() && CanFocus()) SetFocus();
}

// ---- the menus ----

void TdcMonthCalendar::BuildMonthMenu() {
  int year, month, day;
  DecodeDate(value_, year, month, day);
  for (int m = 1; m <= 12; ++m) {
    TMenuItem* item = monthMenu_->Items()->Items(m - 1);
    item->SetChecked(m == shownMonth());
    item->Enabled = !outsideLimits(withYearMonth(shownYear(), m));
  }
}

void TdcMonthCalendar::BuildYearMenu() {
  // Made anew each time: the options may have changed.
  delete yearMenu_;
  yearMenu_ = new TCalendarPopupMenu(this);
  TMenuItem* root = yearMenu_->Items();
  int year, month, day;
  DecodeDate(value_, year, month, day);
  const TdcPopupYearOptions& o = yearOptions_;
  if (o.ShowEditYear) {
    auto* edit = new TMenuItem(yearMenu_);
    edit->SetCaption(dcIntlDefaults->MonthCalendar()->PopupYearLabel);
    edit->OnClick = [this](TObject*) { EditYear(); };
    root->Add(edit);
    auto* line = new TMenuItem(yearMenu_);
    line->SetCaption("-");
    root->Add(line);
  }
  const int count = o.NumberColumns * o.YearsPerColumn;
  for (int i = 0; i < count; ++i) {
    const int y = o.StartYear + i;
    auto* item = new TMenuItem(yearMenu_);
    item->SetCaption(std::to_string(y));
    item->StartsColumn = (i > 0 && o.YearsPerColumn > 0 && i % o.YearsPerColumn == 0) ||
                         (i == 0 && o.ShowEditYear && o.YearsPerColumn != 1);
    item->SetChecked(y == year);
    item->Enabled = !outsideLimits(withYearMonth(y, month));
    item->OnClick = [this, y](TObject*) {
      int yy, mm, dd;
      DecodeDate(value_, yy, mm, dd);
      showValue(withYearMonth(y, mm));
      qn::ui::callHandler(OnChange, this);
    };
    root->Add(item);
  }
}

void TdcMonthCalendar::EditYear() {
  int year, month, day;
  DecodeDate(value_, year, month, day);
  // The lowest and highest years that give a date within the limits with the shown month and day.
  int low = 1, high = 9999;
  const bool hasLow = MinDate() != 0, hasHigh = MaxDate() != 0;
  if (hasLow) {
    int y, m, d;
    DecodeDate(MinDate(), y, m, d);
    low = y + ((month < m || (month == m && day < d)) ? 1 : 0);
  }
  if (hasHigh) {
    int y, m, d;
    DecodeDate(MaxDate(), y, m, d);
    high = y - ((month > m || (month == m && day > d)) ? 1 : 0);
  }
  AnsiString caption = dcIntlDefaults->MonthCalendar()->EnterYearPrompt;
  AnsiString prompt = "Enter New Year:";
  if (hasLow && hasHigh) caption += " (" + std::to_string(low) + "-" + std::to_string(high) + ")";
  else if (hasLow) caption += " (>=" + std::to_string(low) + ")";
  else if (hasHigh) caption += " (<=" + std::to_string(high) + ")";
  else prompt = "";
  AnsiString shown = std::to_string(year);
  for (;;) {
    const std::optional<AnsiString> answer = qn::ui::showInputBox({caption, prompt, shown});
    if (!answer) return;
    int typed = 0;
    if (!TryStrToInt(*answer, typed)) continue;
    if (typed < low) {
      shown = std::to_string(low);
      continue;
    }
    if (typed > high) {
      shown = std::to_string(high);
      continue;
    }
    showValue(withYearMonth(typed, month));
    qn::ui::callHandler(OnChange, this);
    return;
  }
}

// ---- the keys ----

bool TdcMonthCalendar::takeKey(WORD& Key, TShiftState Shift) {
  TDateTime next;
  switch (Key) {
    case VK_PRIOR: next = IncMonth(value_, -1); break;
    case VK_NEXT: next = IncMonth(value_, 1); break;
    case VK_LEFT: next = value_ - 1; break;
    case VK_RIGHT: next = value_ + 1; break;
    case VK_UP: next = value_ - 7; break;
    case VK_DOWN: next = value_ + 7; break;
    default: return false;
  }
  // A range grows or shrinks by the view's own handling.
  if (multiSelect() && Shift.Contains(ssShift)) return false;
  Key = 0;
  SetDate(next);
  qn::ui::callHandler(OnChange, this);
  return true;
}
