#pragma once
// The settings a month calendar takes as objects: its colours, its year menu, its options and the
// first day of its weeks. The date-time picker holds the same ones for its drop-down calendar.
#include <functional>

#include "framework/base/DateTime.h"
#include "framework/base/EnumSet.h"
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"
#include "framework/ui/Color.h"

enum TdcMonthOption { mdoDayState, mdoWeekNumbers, mdoNoToday, mdoNoTodayCircle, mdoMultiSelect };
using TdcMonthOptions = EnumSet<TdcMonthOption>;
extern const EnumerationType kdcMonthOptionType;

class TObject;
// Asked for each day of a shown month; Accept true makes the day bold.
using TCalcBoldDayEvent =
    std::function<void(TObject* Sender, TDateTime ADate, int Month, int Day, int Year, bool& Accept)>;

enum TdcCalDayOfWeek {
  dcdowMonday,
  dcdowTuesday,
  dcdowWednesday,
  dcdowThursday,
  dcdowFriday,
  dcdowSaturday,
  dcdowSunday,
  dcdowLocaleDefault
};
extern const EnumerationType kdcCalDayOfWeekType;

// The background (index 0, unpublished: the control's Color) and the five colours of the parts:
// 1 text, 2 title background, 3 title text, 4 month background, 5 trailing days' text.
class TdcDateTimeColors : public TPersistent {
  QN_PUBLISHED_CLASS(TdcDateTimeColors, TPersistent)
 public:
  TdcDateTimeColors();

  TColor Color(int Index) const { return colors_[Index]; }
  // Stores the colour and tells OnColorChange.
  void SetColor(int Index, TColor Value);
  TColor BackColor() const { return colors_[0]; }
  TColor TextColor() const { return colors_[1]; }
  TColor TitleBackColor() const { return colors_[2]; }
  TColor TitleTextColor() const { return colors_[3]; }
  TColor MonthBackColor() const { return colors_[4]; }
  TColor TrailingTextColor() const { return colors_[5]; }

  // Copies the five published colours from another TdcDateTimeColors; refuses anything else.
  void Assign(TPersistent* Source) override;

  // The calendar that owns the colours shows them.
  std::function<void(int Index, TColor Value)> OnColorChange;

 private:
  TColor colors_[6];
};

class TdcPopupYearOptions : public TPersistent {
  QN_PUBLISHED_CLASS(TdcPopupYearOptions, TPersistent)
 public:
  int YearsPerColumn = 10;
  int NumberColumns = 2;
  int StartYear = 1990;
  bool ShowEditYear = false;

  void Assign(TPersistent* Source) override;
};
