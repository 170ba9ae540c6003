#pragma once
// The date and time fields. In a record buffer a date is a 32-bit day number (1 January 0001 is
// day 1), a time a 32-bit count of milliseconds since midnight, and a date-time an 8-byte float
// of day number × 86 400 000 + milliseconds. Values reach users as TDateTime (days since
// 30 December 1899); texts follow DisplayFormat (FormatDateTime letters) or the locale.
#include <cstdint>

#include "framework/base/DateTime.h"
#include "framework/db/Field.h"

class TDateTimeField : public TField {
  QN_PUBLISHED_CLASS(TDateTimeField, TField)
 public:
  explicit TDateTimeField(TComponent* owner = nullptr);
  const AnsiString& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& v);

  AnsiString AsString() const override { return GetText(false); }
  void SetAsString(const AnsiString& v) override;
  double AsFloat() const override { return AsDateTime(); }
  void SetAsFloat(double v) override { SetAsDateTime(v); }
  double AsDateTime() const override;
  void SetAsDateTime(double v) override;
  Variant AsVariant() const override;

 protected:
  TDateTimeField(TComponent* owner, TFieldType type);
  int GetDataSize() const override { return DataType() == ftDateTime ? 8 : 4; }
  int GetDefaultWidth() const override;
  AnsiString GetText(bool displayText) const override;
  // The text to value conversion of the kind (date, time or both).
  virtual TDateTime TextToValue(const AnsiString& text) const;
  // The locale format used without a DisplayFormat.
  virtual AnsiString DefaultFormat() const { return "c"; }

 private:
  AnsiString displayFormat_;
};

class TDateField : public TDateTimeField {
  QN_CLASS(TDateField, TDateTimeField)
 public:
  explicit TDateField(TComponent* owner = nullptr);
 protected:
  TDateTime TextToValue(const AnsiString& text) const override;
  AnsiString DefaultFormat() const override;
};

class TTimeField : public TDateTimeField {
  QN_CLASS(TTimeField, TDateTimeField)
 public:
  explicit TTimeField(TComponent* owner = nullptr);
 protected:
  TDateTime TextToValue(const AnsiString& text) const override;
  AnsiString DefaultFormat() const override;
};

// Day number of TDateTime 0 (30 December 1899) counted from 1 January 0001 as day 1.
constexpr int DateDelta = 693594;

// TDateTime to and from the record form: a day number and milliseconds of the day. Before
// 30 Dec 1899 the whole part counts back while the fraction still adds the time of day.
void DateTimeToNative(TDateTime value, int32_t& day, int32_t& msec);
TDateTime NativeToDateTime(int32_t day, int32_t msec);
// The 8-byte time stamp of a date-time field: day number × 86 400 000 + milliseconds.
double DateTimeToStamp(TDateTime value);
TDateTime StampToDateTime(double stamp);
