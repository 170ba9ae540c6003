#include "framework/db/NumericFields.h"

#include <cmath>
#include <limits>

#include "framework/base/FloatText.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/NumberFormat.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/DatabaseError.h"

namespace {

TFieldChars CharsOf(const char* chars) {
  TFieldChars set;
  for (const char* c = chars; *c; ++c) set.set(static_cast<unsigned char>(*c));
  return set;
}

}  // namespace

// ---------------------------------------------------------------- TNumericField

void TNumericField::PublishProperties(PropertyPublisher<TNumericField>& publish) {
  publish.String("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat);
  publish.String("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
}

void TFloatField::PublishProperties(PropertyPublisher<TFloatField>& publish) {
  publish.Boolean("Currency", &TFloatField::Currency, &TFloatField::SetCurrency);
  publish.Integer("Precision", &TFloatField::Precision, &TFloatField::SetPrecision);
}

TNumericField::TNumericField(TComponent* owner) : TField(owner) {
  SetAlignment(taRightJustify);
}

void TNumericField::SetDisplayFormat(const AnsiString& v) {
  displayFormat_ = v;
  PropertyChanged(false);
}

void TNumericField::SetEditFormat(const AnsiString& v) {
  editFormat_ = v;
  PropertyChanged(false);
}

// ---------------------------------------------------------------- the integers

TIntegerField::TIntegerField(TComponent* owner)
    : TIntegerField(owner, ftInteger, std::numeric_limits<int32_t>::min(),
                    std::numeric_limits<int32_t>::max()) {}

TIntegerField::TIntegerField(TComponent* owner, TFieldType type, int64_t low, int64_t high)
    : TNumericField(owner), low_(low), high_(high) {
  SetDataType(type);
  dataSize_ = type == ftSmallint || type == ftWord ? 2 : type == ftLargeint ? 8 : 4;
  SetValidChars(CharsOf("+-0123456789"));
}

TSmallintField::TSmallintField(TComponent* owner)
    : TIntegerField(owner, ftSmallint, std::numeric_limits<int16_t>::min(),
                    std::numeric_limits<int16_t>::max()) {}

TWordField::TWordField(TComponent* owner)
    : TIntegerField(owner, ftWord, 0, std::numeric_limits<uint16_t>::max()) {}

TAutoIncField::TAutoIncField(TComponent* owner) : TIntegerField(owner) {
  SetDataType(ftAutoInc);
}

TLargeintField::TLargeintField(TComponent* owner)
    : TIntegerField(owner, ftLargeint, std::numeric_limits<int64_t>::min(),
                    std::numeric_limits<int64_t>::max()) {}

void TIntegerField::SetRange(int64_t minValue, int64_t maxValue) {
  minValue_ = minValue;
  maxValue_ = maxValue;
}

int64_t TIntegerField::ReadValue() const {
  unsigned char buffer[8] = {};
  if (!GetData(buffer)) return 0;
  switch (DataType()) {
    case ftSmallint: return FromBytes<int16_t>(buffer);
    case ftWord: return FromBytes<uint16_t>(buffer);
    case ftLargeint: return FromBytes<int64_t>(buffer);
    default: return FromBytes<int32_t>(buffer);
  }
}

void TIntegerField::StoreValue(int64_t v) {
  int64_t low = low_, high = high_;
  if (minValue_ != 0 || maxValue_ != 0) {
    low = minValue_;
    high = maxValue_;
  }
  if (v < low || v > high)
    DatabaseError(Format(dbtext::kOutOfRange,
                         {IntToStr(v), DisplayName(), IntToStr(low), IntToStr(high)}));
  unsigned char buffer[8] = {};
  switch (DataType()) {
    case ftSmallint: ToBytes(buffer, static_cast<int16_t>(v)); break;
    case ftWord: ToBytes(buffer, static_cast<uint16_t>(v)); break;
    case ftLargeint: ToBytes(buffer, v); break;
    default: ToBytes(buffer, static_cast<int32_t>(v)); break;
  }
  SetData(buffer);
}

AnsiString TIntegerField::AsString() const {
  return IsNull() ? AnsiString() : IntToStr(ReadValue());
}

void TIntegerField::SetAsString(const AnsiString& v) {
  if (v.empty())
    Clear();
  else
    StoreValue(StrToInt64(v));
}

void TIntegerField::SetAsFloat(double v) {
  StoreValue(static_cast<int64_t>(std::llround(v)));
}

Variant TIntegerField::AsVariant() const {
  if (IsNull()) return {};
  return ReadValue();
}

void TIntegerField::SetAsVariant(const Variant& v) {
  if (v.VarType() == Variant::vkInteger)
    StoreValue(v.AsInteger());
  else
    TField::SetAsVariant(v);
}

AnsiString TIntegerField::GetText(bool displayText) const {
  if (IsNull()) return {};
  const AnsiString& format = displayText || EditFormat().empty() ? DisplayFormat() : EditFormat();
  if (format.empty()) return IntToStr(ReadValue());
  return FormatFloat(format, static_cast<double>(ReadValue()));
}

// ---------------------------------------------------------------- floating point

TFloatField::TFloatField(TComponent* owner) : TNumericField(owner) {
  SetDataType(ftFloat);
  AnsiString chars = "+-0123456789Ee";
  chars += Locale().DecimalSeparator;
  SetValidChars(CharsOf(chars.c_str()));
}

TCurrencyField::TCurrencyField(TComponent* owner) : TFloatField(owner) {
  SetDataType(ftCurrency);
  SetCurrency(true);
}

TBCDField::TBCDField(TComponent* owner) : TFloatField(owner) {
  SetDataType(ftBCD);
  SetSize(4);
  SetPrecision(32);
}

void TFloatField::SetCurrency(bool v) {
  currency_ = v;
  PropertyChanged(false);
}

void TFloatField::SetPrecision(int v) {
  precision_ = v < 2 ? 2 : v;
  PropertyChanged(false);
}

bool TFloatField::ReadFloat(double& value) const {
  return GetData(&value);
}

void TFloatField::StoreFloat(double value) {
  SetData(&value);
}

double TFloatField::AsFloat() const {
  double v = 0;
  return ReadFloat(v) ? v : 0;
}

void TFloatField::SetAsFloat(double v) {
  StoreFloat(v);
}

int32_t TFloatField::AsInteger() const {
  return static_cast<int32_t>(std::llround(AsFloat()));
}

void TFloatField::SetAsString(const AnsiString& v) {
  if (v.empty())
    Clear();
  else
    SetAsFloat(StrToFloat(v));
}

Variant TFloatField::AsVariant() const {
  double v = 0;
  if (!ReadFloat(v)) return {};
  return v;
}

AnsiString TFloatField::GetText(bool displayText) const {
  double v = 0;
  if (!ReadFloat(v)) return {};
  int digits = precision_ > 15 ? 15 : precision_;
  if (displayText) {
    if (!DisplayFormat().empty()) return FormatFloat(DisplayFormat(), v);
    if (currency_) return FloatToStrF(v, ffCurrency, digits, Locale().CurrencyDecimals);
    return FloatToStrF(v, ffGeneral, digits, 0);
  }
  if (!EditFormat().empty()) return FormatFloat(EditFormat(), v);
  if (currency_) return FloatToStrF(v, ffFixed, digits, Locale().CurrencyDecimals);
  return FloatToStrF(v, ffGeneral, digits, 0);
}

void TBCDField::CheckSize(int size) const {
  if (size < 0 || size > 32) DatabaseError(Format("Invalid field size %d", {size}), this);
}

bool TBCDField::ReadFloat(double& value) const {
  BcdValue bcd;
  if (!GetData(&bcd)) return false;
  value = BcdToDouble(bcd);
  return true;
}

void TBCDField::StoreFloat(double value) {
  BcdValue bcd = DoubleToBcd(value, Precision(), Size());
  SetData(&bcd);
}
