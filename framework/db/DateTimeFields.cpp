#include "framework/db/DateTimeFields.h"

#include <cmath>
#include <cstdint>

#include "framework/base/DateFormat.h"
#include "framework/base/DateParse.h"
#include "framework/base/Locale.h"

namespace {

// TDateTime to the day number and milliseconds a record holds. Before 30 Dec 1899 the whole
// part counts back while the fraction still adds the time of day.
void Split(TDateTime value, int32_t& day, int32_t& msec) {
  double whole = std::trunc(value);
  int64_t ms = std::llround(std::fabs(value - whole) * MSecsPerDay);
  if (ms >= static_cast<int64_t>(MSecsPerDay)) {  // rounded up into the next day
    ms = 0;
    whole += value < 0 ? -1 : 1;
  }
  day = static_cast<int32_t>(whole) + DateDelta;
  msec = static_cast<int32_t>(ms);
}

TDateTime Join(int32_t day, int32_t msec) {
  double whole = day - DateDelta;
  double time = msec / MSecsPerDay;
  return whole < 0 ? whole - time : whole + time;
}

}  // namespace

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
      return GetData(&day) ? Join(day, 0) : 0;
    }
    case ftTime: {
      int32_t ms = 0;
      return GetData(&ms) ? Join(DateDelta, ms) : 0;
    }
    default: {
      double stamp = 0;
      if (!GetData(&stamp)) return 0;
      int64_t total = std::llround(stamp);
      return Join(static_cast<int32_t>(total / static_cast<int64_t>(MSecsPerDay)),
                  static_cast<int32_t>(total % static_cast<int64_t>(MSecsPerDay)));
    }
  }
}

void TDateTimeField::SetAsDateTime(double v) {
  int32_t day, ms;
  Split(v, day, ms);
  switch (DataType()) {
    case ftDate: SetData(&day); break;
    case ftTime: SetData(&ms); break;
    default: {
      double stamp = static_cast<double>(day) * MSecsPerDay + ms;
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
