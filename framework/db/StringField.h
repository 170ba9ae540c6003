#pragma once
// TStringField: text of at most Size bytes, stored NUL-terminated (Size + 1 bytes). A fixed-char
// field (ftFixedChar) is padded with blanks by its store and reads without them. Empty text is
// stored as null, as record files keep it.
#include "framework/db/Field.h"

class TStringField : public TField {
  QN_CLASS(TStringField, TField)
 public:
  explicit TStringField(TComponent* owner = nullptr);

  bool FixedChar() const { return DataType() == ftFixedChar; }
  void SetFixedChar(bool value) { SetDataType(value ? ftFixedChar : ftString); }

  AnsiString AsString() const override;
  void SetAsString(const AnsiString& v) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t v) override;
  double AsFloat() const override;
  void SetAsFloat(double v) override;
  bool AsBoolean() const override;
  void SetAsBoolean(bool v) override;
  double AsDateTime() const override;
  void SetAsDateTime(double v) override;
  Variant AsVariant() const override;

 protected:
  int GetDataSize() const override { return Size() + 1; }
  int GetDefaultWidth() const override { return Size(); }
  void CheckSize(int size) const override;
};
