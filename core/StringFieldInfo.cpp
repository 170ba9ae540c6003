#include "core/StringFieldInfo.h"

AnsiString FitToFieldWidth(const AnsiString& s, int size) {
  AnsiString fitted = s.substr(0, size);
  fitted.resize(size, ' ');
  return fitted;
}

Variant TStringFieldInfo::GetAsVariant() { return Variant(GetAsString()); }

void TStringFieldInfo::SetAsVariant(const Variant& v) { SetAsString(v.AsString()); }

AnsiString TStringFieldInfo::GetAsString() { return Text; }

void TStringFieldInfo::SetAsString(const AnsiString& s) {
  const AnsiString fitted = FitToFieldWidth(s, Size);
  if (fitted != Text) Text = fitted;
}
