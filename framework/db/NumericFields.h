#pragma once
// The number fields: integers of 16, 32 and 64 bits (signed), 16 bits unsigned, the
// auto-increment integer, floating point, currency and BCD. Numbers are right-aligned; their
// display and edit texts follow DisplayFormat and EditFormat (FormatFloat masks) when set.
#include <cstdint>

#include "framework/db/Bcd.h"
#include "framework/db/Field.h"

class TNumericField : public TField {
  QN_PUBLISHED_CLASS(TNumericField, TField)
 public:
  explicit TNumericField(TComponent* owner = nullptr);
  const AnsiString& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& v);
  const AnsiString& EditFormat() const { return editFormat_; }
  void SetEditFormat(const AnsiString& v);

 private:
  AnsiString displayFormat_, editFormat_;
};

// The integer family; values are kept in 64 bits and range-checked against the native type.
class TIntegerField : public TNumericField {
  QN_CLASS(TIntegerField, TNumericField)
 public:
  explicit TIntegerField(TComponent* owner = nullptr);
  // 0 and 0 mean "the native type's range".
  int64_t MinValue() const { return minValue_; }
  int64_t MaxValue() const { return maxValue_; }
  void SetRange(int64_t minValue, int64_t maxValue);

  AnsiString AsString() const override;
  void SetAsString(const AnsiString& v) override;
  int32_t AsInteger() const override { return static_cast<int32_t>(ReadValue()); }
  void SetAsInteger(int32_t v) override { StoreValue(v); }
  double AsFloat() const override { return static_cast<double>(ReadValue()); }
  void SetAsFloat(double v) override;
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& v) override;
  int64_t AsLargeInt() const { return ReadValue(); }
  void SetAsLargeInt(int64_t v) { StoreValue(v); }

 protected:
  TIntegerField(TComponent* owner, TFieldType type, int64_t low, int64_t high);
  int GetDataSize() const override { return dataSize_; }
  int GetDefaultWidth() const override { return 11; }
  AnsiString GetText(bool displayText) const override;
  int64_t ReadValue() const;
  void StoreValue(int64_t v);

 private:
  int dataSize_;
  int64_t low_, high_;  // the native type's range
  int64_t minValue_ = 0, maxValue_ = 0;
};

class TSmallintField : public TIntegerField {
  QN_CLASS(TSmallintField, TIntegerField)
 public:
  explicit TSmallintField(TComponent* owner = nullptr);
 protected:
  int GetDefaultWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
  QN_CLASS(TWordField, TIntegerField)
 public:
  explicit TWordField(TComponent* owner = nullptr);
 protected:
  int GetDefaultWidth() const override { return 5; }
};

class TAutoIncField : public TIntegerField {
  QN_CLASS(TAutoIncField, TIntegerField)
 public:
  explicit TAutoIncField(TComponent* owner = nullptr);
};

class TLargeintField : public TIntegerField {
  QN_CLASS(TLargeintField, TIntegerField)
 public:
  explicit TLargeintField(TComponent* owner = nullptr);
 protected:
  int GetDefaultWidth() const override { return 15; }
};

// Floating point, stored as an 8-byte double. Currency shows as money.
class TFloatField : public TNumericField {
  QN_PUBLISHED_CLASS(TFloatField, TNumericField)
 public:
  explicit TFloatField(TComponent* owner = nullptr);
  bool Currency() const { return currency_; }
  void SetCurrency(bool v);
  // Significant digits of the general form (15 by default; texts show at most 15); a BCD
  // field's digits in all.
  int Precision() const { return precision_; }
  void SetPrecision(int v);

  AnsiString AsString() const override { return GetText(false); }
  void SetAsString(const AnsiString& v) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t v) override { SetAsFloat(v); }
  double AsFloat() const override;
  void SetAsFloat(double v) override;
  Variant AsVariant() const override;

 protected:
  int GetDataSize() const override { return 8; }
  int GetDefaultWidth() const override { return precision_ + 1; }
  AnsiString GetText(bool displayText) const override;
  // Reads the value; false when null.
  virtual bool ReadFloat(double& value) const;
  virtual void StoreFloat(double value);

 private:
  bool currency_ = false;
  int precision_ = 15;
};

class TCurrencyField : public TFloatField {
  QN_CLASS(TCurrencyField, TFloatField)
 public:
  explicit TCurrencyField(TComponent* owner = nullptr);
};

// Binary-coded decimal: Size decimals, Precision digits in all, stored as a BcdValue.
class TBCDField : public TFloatField {
  QN_CLASS(TBCDField, TFloatField)
 public:
  explicit TBCDField(TComponent* owner = nullptr);

 protected:
  int GetDataSize() const override { return sizeof(BcdValue); }
  void CheckSize(int size) const override;
  bool ReadFloat(double& value) const override;
  void StoreFloat(double value) override;
};
