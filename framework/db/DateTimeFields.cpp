#include "framework/db/DateTimeFields.h"

#include <cmath>
#include <cstdint>

#include "framework/base/DateFormat.h"
#include "framework/base/DateParse.h"
#include "framework/base/Locale.h"

void DateTimeToNative(TDateTime value, int32_t& day, int32_t& msec) {
  double whole = std::trunc(value);
  int64_t ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
  if (ms >= static_cast<int64_t>(MSecsPerDay)) {  // rounded up into the next day
    ms = 0;
    whole += value < 0 ? -1 : 1;
  }
  day = static_cast<int32_t>(whole) + DateDelta;
  msec = static_cast<int32_t>(ms);
}

TDateTime NativeToDateTime(int32_t day, int32_t msec) {
  double whole = day - DateDelta;
  double time = msec / MSecsPerDay;
  return whole < 0 ? whole - time : whole + time;
}

double DateTimeToStamp(TDateTime value) {
  int32_t day, ms;
  DateTimeToNative(value, day, ms);
  return static_cast<double>(day) * MSecsPerDay + ms;
}

TDateTime StampToDateTime(double stamp) {
  int64_t total = std::llround(stamp);
  auto perDay = static_cast<int64_t>(MSecsPerDay);
  return NativeToDateTime(static_cast<int32_t>(total / perDay),
                          static_cast<int32_t>(total % perDay));
}

void TDateTimeField::PublishProperties(PropertyPublisher<TDateTimeField>& publish) {
  publish.String("DisplayFormat", &TDateTimeField::DisplayFormat,
                 &TDateTimeField::SetDisplayFormat);
}

TDateTimeField::TDateTimeField(TComponent* owner) : TDateTimeField(owner, ftDateTime) {}

TDateTimeField::TDateTimeField(TComponent* owner, TFieldType type) : TField(owner) {
  SetDataType(type);
}

TDateField::TDateField(TComponent* owner) : TDateTimeField(owner, ftDate) {}
TTimeField::TTimeField(TComponent* owner) : TDateTimeField(owner, ftTime) {}

void TDateTimeField::SetDisplayFormat(const AnsiString& v) {
  displayFormat_ = v;
  PropertyChanged(false);
}

int TDateTimeField::GetDefaultWidth() const {
  return static_cast<int>(FormatDateTime(DefaultFormat(), EncodeDate(2000, 12, 31) +
                                                             EncodeTime(23, 59, 59, 0))
                              .size());
}

double TDateTimeField::AsDateTime() const {
  switch (DataType()) {
    case ftDate: {
      int32_t day = 0;
      return GetData(&day) ? NativeToDateTime(day, 0) : 0;
    }
    case ftTime: {
      int32_t ms = 0;
      return GetData(&ms) ? NativeToDateTime(DateDelta, ms) : 0;
    }
    default: {
      double stamp = 0;
      return GetData(&stamp) ? StampToDateTime(stamp) : 0;
    }
  }
}

void TDateTimeField::SetAsDateTime(double v) {
  int32_t day, ms;
  DateTimeToNative(v, day, ms);
  switch (DataType()) {
    case ftDate: SetData(&day); break;
    case ftTime: SetData(&ms); break;
    default: {
      double stamp = DateTimeToStamp(v);
      SetData(&stamp);
    }
  }
}

void TDateTimeField::SetAsString(const AnsiString& v) {
  if (v.empty())
    Clear();
  else
    SetAsDateTime(TextToValue(v));
}

Variant TDateTimeField::AsVariant() const {
  if (IsNull()) return {};
  return Variant::FromDateTime(AsDateTime());
}

AnsiString TDateTimeField::GetText(bool displayText) const {
  if (IsNull()) return {};
  const AnsiString& format =
      displayText && !displayFormat_.empty() ? displayFormat_ : DefaultFormat();
  return FormatDateTime(format, AsDateTime());
}

TDateTime TDateTimeField::TextToValue(const AnsiString& text) const { return StrToDateTime(text); }
TDateTime TDateField::TextToValue(const AnsiString& text) const { return StrToDate(text); }
TDateTime TTimeField::TextToValue(const AnsiString& text) const { return StrToTime(text); }
AnsiString TDateField::DefaultFormat() const { return Locale().ShortDateFormat; }
AnsiString TTimeField::DefaultFormat() const { return Locale().LongTimeFormat; }
