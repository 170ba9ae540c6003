#pragma once
// TBooleanField: a truth value stored in 16 bits (non-zero is true). Its texts are the two parts
// of DisplayValues ("True;False" by default); a typed text is accepted when it starts either.
#include "framework/db/Field.h"

class TBooleanField : public TField {
  QN_PUBLISHED_CLASS(TBooleanField, TField)
 public:
  explicit TBooleanField(TComponent* owner = nullptr);
  const AnsiString& DisplayValues() const { return displayValues_; }
  void SetDisplayValues(const AnsiString& v);

  AnsiString AsString() const override;
  void SetAsString(const AnsiString& v) override;
  bool AsBoolean() const override;
  void SetAsBoolean(bool v) override;
  int32_t AsInteger() const override { return AsBoolean() ? 1 : 0; }
  void SetAsInteger(int32_t v) override { SetAsBoolean(v != 0); }
  Variant AsVariant() const override;

 protected:
  int GetDataSize() const override { return 2; }
  int GetDefaultWidth() const override;

 private:
  AnsiString displayValues_;
  AnsiString texts_[2];  // false, true
};
