#pragma once
// TdcMonthCalendar: the month calendar as a component. It holds a date with its time, keeps every
// date it takes within its lowest and highest date (a press on a day outside them selects the
// nearest limit, code outside them is refused with EDateTimeError), asks OnCalcBoldDay for the
// bold days, and replaces the title's own navigation with a menu of the months and a menu of
// years (with an optional entry that asks for any year). Next and previous move the date itself.
#include <functional>

#include "editors/MonthCalendarOptions.h"
#include "framework/ui/MonthCalendarView.h"
#include "framework/ui/PopupMenu.h"

using TmcMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y, int Month, int Day, int Year)>;
using TmcMouseUPDownEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y,
                                               int Month, int Day, int Year)>;

// A popup menu whose Showing() holds while its Popup runs.
class TCalendarPopupMenu : public TPopupMenu {
  QN_CLASS(TCalendarPopupMenu, TPopupMenu)
 public:
  using TPopupMenu::TPopupMenu;
};

class TdcMonthCalendar : public MonthCalendarView {
  QN_PUBLISHED_CLASS(TdcMonthCalendar, MonthCalendarView)
 public:
  explicit TdcMonthCalendar(TComponent* AOwner);

  TDateTime Date() const { return value_; }
  // The new day with the stored time; outside the limits EDateTimeError and the old date stays.
  void SetDate(TDateTime Value);
  TDateTime Time() const { return value_; }
  void SetTime(TDateTime Value);
  TDateTime MinDate() const { return minDate(); }
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const { return maxDate(); }
  void SetMaxDate(TDateTime Value);
  TdcMonthOptions Options() const { return options_; }
  virtual void SetOptions(TdcMonthOptions Value);
  TdcCalDayOfWeek FirstDayOfWeek() const { return firstDay_; }
  void SetFirstDayOfWeek(TdcCalDayOfWeek Value);
  TdcDateTimeColors* CalColors() { return &colors_; }
  TdcPopupYearOptions* PopupYearOptions() { return &yearOptions_; }
  TCalendarPopupMenu* MonthMenu() const { return monthMenu_; }
  TCalendarPopupMenu* YearMenu() const { return yearMenu_; }
  // With multi-select, the days the user last selected (the start raised to MinDate), and
  // whether a selection by the user changed them since the date was last set.
  TDateTime RangeStart() const { return rangeStart_; }
  TDateTime RangeEnd() const { return rangeEnd_; }
  bool RangeChanged() const { return rangeChanged_; }
  // What one month needs with the font, and the border.
  TPoint FittedSize() const;
  bool MenuShowing() const { return monthMenu_->Showing() || (yearMenu_ && yearMenu_->Showing()); }
  // Fills the menus for the shown month as a press on the title would.
  void BuildMonthMenu();
  void BuildYearMenu();
  // The edit-year entry: asks for a year until one within the limits is given or the box is
  // cancelled; shows it.
  void EditYear();

  TCalcBoldDayEvent OnCalcBoldDay;
  TNotifyEvent OnChange;
  TmcMouseUPDownEvent OnMouseDown;
  TmcMouseUPDownEvent OnMouseUp;
  TmcMouseMoveEvent OnMouseMove;

 protected:
  bool takePress(const qn::ui::CalendarHit& hit, TMouseButton Button, TShiftState Shift, TPoint point) override;
  bool takeKey(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  virtual void FocusWhenVisible();
  void Paint() override;
  void BorderChanged() override;
  void FontChanged() override;

 private:
  TDateTime clampDay(TDateTime Value) const;
  // Shows the date (within the limits) and stores it.
  void showValue(TDateTime Value);
  void selectionChanged();
  std::uint32_t dayState(int Year, int Month);
  void moveByMonths(int Months);
  // Month and day kept, the day cut to the month's length.
  TDateTime withYearMonth(int Year, int Month) const;
  bool outsideLimits(TDateTime Day) const;
  // Grows the control to what one month needs with its font, and its border.
  void fitSize();

  TDateTime value_;
  TdcMonthOptions options_{mdoDayState};
  TdcCalDayOfWeek firstDay_ = dcdowLocaleDefault;
  TdcDateTimeColors colors_;
  TdcPopupYearOptions yearOptions_;
  TCalendarPopupMenu* monthMenu_;
  TCalendarPopupMenu* yearMenu_ = nullptr;
  TDateTime rangeStart_ = 0;
  TDateTime rangeEnd_ = 0;
  bool rangeChanged_ = false;
  bool pressOutside_ = false;  // the press was on a day outside the limits
};
