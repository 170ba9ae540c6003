#include "editors/MonthCalendarOptions.h"

const EnumerationType kdcMonthOptionType{
    "TdcMonthOption", {"mdoDayState", "mdoWeekNumbers", "mdoNoToday", "mdoNoTodayCircle", "mdoMultiSelect"}};
const EnumerationType kdcCalDayOfWeekType{"TdcCalDayOfWeek",
                                          {"dcdowMonday", "dcdowTuesday", "dcdowWednesday", "dcdowThursday",
                                           "dcdowFriday", "dcdowSaturday", "dcdowSunday", "dcdowLocaleDefault"}};

void TdcDateTimeColors::PublishProperties(PropertyPublisher<TdcDateTimeColors>& publish) {
  using Self = TdcDateTimeColors;
  auto colour = [&](const char* name, int index) {
    publish.Integer(name, [index](Self& c) { return static_cast<int>(c.Color(index)); },
                    [index](Self& c, int v) { c.SetColor(index, static_cast<TColor>(v)); });
  };
  colour("TextColor", 1);
  colour("TitleBackColor", 2);
  colour("TitleTextColor", 3);
  colour("MonthBackColor", 4);
  colour("TrailingTextColor", 5);
}

TdcDateTimeColors::TdcDateTimeColors()
    : colors_{clWindow, clWindowText, clActiveCaption, clWhite, clWhite, clInactiveCaptionText} {}

void TdcDateTimeColors::SetColor(int Index, TColor Value) {
  colors_[Index] = Value;
  if (OnColorChange) OnColorChange(Index, Value);
}

void TdcDateTimeColors::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdcDateTimeColors*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  for (int i = 1; i <= 5; ++i) SetColor(i, source->colors_[i]);
}

void TdcPopupYearOptions::PublishProperties(PropertyPublisher<TdcPopupYearOptions>& publish) {
  using Self = TdcPopupYearOptions;
  publish.Integer("YearsPerColumn", &Self::YearsPerColumn, &Self::YearsPerColumn);
  publish.Integer("NumberColumns", &Self::NumberColumns, &Self::NumberColumns);
  publish.Integer("StartYear", &Self::StartYear, &Self::StartYear);
  publish.Boolean("ShowEditYear", &Self::ShowEditYear, &Self::ShowEditYear);
}

void TdcPopupYearOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdcPopupYearOptions*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  YearsPerColumn = source->YearsPerColumn;
  NumberColumns = source->NumberColumns;
  StartYear = source->StartYear;
  ShowEditYear = source->ShowEditYear;
}
