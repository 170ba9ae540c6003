#include "core/FieldInfo.h"

#include "framework/base/Exception.h"

int64_t TFieldInfo::GetAsInteger() { return 0; }

void TFieldInfo::SetSize(int n) {
  Size = n;
  Text.resize(n, '\0');
}

Variant TFieldInfo::GetAsVariant() { return Variant(AnsiString()); }

void TFieldInfo::SetAsVariant(const Variant&) { throw EAbort("variant"); }

double TFieldInfo::GetAsFloat() { return 0; }

void TFieldInfo::SetAsFloat(double) { throw EAbort("float"); }

AnsiString TFieldInfo::GetAsString() { return {}; }

void TFieldInfo::SetAsString(const AnsiString&) { throw EAbort("string"); }

TDateTime TFieldInfo::GetAsDate() { return Date(); }

void TFieldInfo::SetAsDate(TDateTime) { throw EAbort("date"); }
