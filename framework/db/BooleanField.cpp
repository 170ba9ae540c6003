#include "framework/db/BooleanField.h"

#include <algorithm>
#include <cstdint>

#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DatabaseError.h"

void TBooleanField::PublishProperties(PropertyPublisher<TBooleanField>& publish) {
  publish.String("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues);
}

TBooleanField::TBooleanField(TComponent* owner) : TField(owner) {
  SetDataType(ftBoolean);
  SetDisplayValues("True;False");
}

void TBooleanField::SetDisplayValues(const AnsiString& v) {
  displayValues_ = v;
  size_t semi = v.find(';');
  texts_[1] = v.substr(0, semi);
  texts_[0] = semi == AnsiString::npos ? AnsiString() : v.substr(semi + 1);
  PropertyChanged(true);
}

int TBooleanField::GetDefaultWidth() const {
  return static_cast<int>(std::max(texts_[0].size(), texts_[1].size()));
}

bool TBooleanField::AsBoolean() const {
  int16_t v = 0;
  return GetData(&v) && v != 0;
}

void TBooleanField::SetAsBoolean(bool v) {
  int16_t n = v ? -1 : 0;
  SetData(&n);
}

AnsiString TBooleanField::AsString() const {
  if (IsNull()) return {};
  return texts_[AsBoolean() ? 1 : 0];
}

void TBooleanField::SetAsString(const AnsiString& v) {
  if (v.empty()) {
    Clear();
    return;
  }
  for (bool value : {true, false}) {
    const AnsiString& text = texts_[value ? 1 : 0];
    if (!text.empty() && SameText(Copy(text, 1, static_cast<int>(v.size())), v)) {
      SetAsBoolean(value);
      return;
    }
  }
  DatabaseError(Format(dbtext::kInvalidBoolean, {v, DisplayName()}));
}

Variant TBooleanField::AsVariant() const {
  if (IsNull()) return {};
  return AsBoolean();
}
