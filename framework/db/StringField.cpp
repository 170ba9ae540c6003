#include "framework/db/StringField.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/base/DateFormat.h"
#include "framework/base/DateParse.h"
#include "framework/base/FloatText.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/DatabaseError.h"

TStringField::TStringField(TComponent* owner) : TField(owner) {
  SetDataType(ftString);
  SetSize(20);
}

void TStringField::CheckSize(int size) const {
  if (size < 1 || size > 8192) DatabaseError(Format("Invalid field size %d", {size}), this);
}

AnsiString TStringField::AsString() const {
  std::vector<char> buffer(DataSize() + 1, '\0');
  if (!GetData(buffer.data())) return {};
  AnsiString text(buffer.data(), strnlen(buffer.data(), Size()));
  return FixedChar() ? TrimRight(text) : text;
}

void TStringField::SetAsString(const AnsiString& v) {
  if (v.empty()) {
    SetData(nullptr);
    return;
  }
  std::vector<char> buffer(DataSize(), '\0');
  std::memcpy(buffer.data(), v.data(), std::min<size_t>(v.size(), Size()));
  SetData(buffer.data());
}

int32_t TStringField::AsInteger() const { return StrToInt(AsString()); }
void TStringField::SetAsInteger(int32_t v) { SetAsString(IntToStr(v)); }
double TStringField::AsFloat() const { return StrToFloat(AsString()); }
void TStringField::SetAsFloat(double v) { SetAsString(FloatToStr(v)); }

bool TStringField::AsBoolean() const {
  AnsiString s = AsString();
  return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

void TStringField::SetAsBoolean(bool v) { SetAsString(v ? "T" : "F"); }
double TStringField::AsDateTime() const { return StrToDateTime(AsString()); }
void TStringField::SetAsDateTime(double v) { SetAsString(DateTimeToStr(v)); }

Variant TStringField::AsVariant() const {
  if (IsNull()) return {};
  return AsString();
}
