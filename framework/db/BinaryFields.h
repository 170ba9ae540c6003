#pragma once
// Raw byte fields: TBytesField holds exactly Size bytes; TVarBytesField holds up to Size bytes
// after a 16-bit length. Their value is the bytes as a string; controls show them as "(Bytes)"
// and "(VarBytes)".
#include "framework/db/Field.h"

class TBinaryField : public TField {
  QN_CLASS(TBinaryField, TField)
 public:
  explicit TBinaryField(TComponent* owner = nullptr);
  AnsiString AsString() const override;
  void SetAsString(const AnsiString& v) override;
  Variant AsVariant() const override;

 protected:
  void CheckSize(int size) const override;
  AnsiString GetText(bool displayText) const override;
  // The bytes of a native value, and a native value of bytes.
  virtual AnsiString FromNative(const char* data) const = 0;
  virtual void ToNative(const AnsiString& bytes, char* data) const = 0;
};

class TBytesField : public TBinaryField {
  QN_CLASS(TBytesField, TBinaryField)
 public:
  explicit TBytesField(TComponent* owner = nullptr);
 protected:
  int GetDataSize() const override { return Size(); }
  AnsiString FromNative(const char* data) const override;
  void ToNative(const AnsiString& bytes, char* data) const override;
};

class TVarBytesField : public TBinaryField {
  QN_CLASS(TVarBytesField, TBinaryField)
 public:
  explicit TVarBytesField(TComponent* owner = nullptr);
 protected:
  int GetDataSize() const override { return Size() + 2; }
  AnsiString FromNative(const char* data) const override;
  void ToNative(const AnsiString& bytes, char* data) const override;
};
