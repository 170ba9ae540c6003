#pragma once
// A text field: its bytes as they stand in the record. A text written to it keeps the field's
// width: a shorter one is filled with blanks, a longer one cut, so packing never shifts the
// fields behind it.
#include "core/FieldInfo.h"

class TStringFieldInfo : public TFieldInfo {
  QN_CLASS(TStringFieldInfo, TFieldInfo)
 public:
  Variant GetAsVariant() override;
  void SetAsVariant(const Variant& v) override;
  AnsiString GetAsString() override;
  void SetAsString(const AnsiString& s) override;
};

// s at exactly size bytes: cut, or filled with blanks.
AnsiString FitToFieldWidth(const AnsiString& s, int size);
