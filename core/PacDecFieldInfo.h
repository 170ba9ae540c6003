#pragma once
// A packed-decimal field (see PackedDecimal.h) with its decimals and the mask it is shown with.
// Set Decimals before the size: SetSize builds the mask from them. A value out of the field's
// range is refused with EAbort ("Value exceeds allowable range.") and the field keeps its bytes.
#include "core/FieldInfo.h"

class TPacDecFieldInfo : public TFieldInfo {
  QN_CLASS(TPacDecFieldInfo, TFieldInfo)
 public:
  int Decimals = 0;
  AnsiString DisplayMask;

  // The value times 10^Decimals, rounded.
  int64_t GetAsInteger() override;
  void SetSize(int n) override;
  // The value as a float variant; a variant is written as the float it converts to.
  Variant GetAsVariant() override;
  void SetAsVariant(const Variant& v) override;
  double GetAsFloat() override;
  void SetAsFloat(double x) override;
};
