#include "core/PacDecFieldInfo.h"

#include "core/PackedDecimal.h"

int64_t TPacDecFieldInfo::GetAsInteger() { return PackedToInteger(Text, Decimals); }

void TPacDecFieldInfo::SetSize(int n) {
  TFieldInfo::SetSize(n);
  DisplayMask = PackedDisplayMask(n, Decimals);
}

double TPacDecFieldInfo::GetAsFloat() { return PackedToFloat(Text, Decimals); }

void TPacDecFieldInfo::SetAsFloat(double x) { Text = FloatToPacked(x, Size, Decimals); }

Variant TPacDecFieldInfo::GetAsVariant() { return Variant(GetAsFloat()); }

void TPacDecFieldInfo::SetAsVariant(const Variant& v) { SetAsFloat(v.AsFloat()); }
