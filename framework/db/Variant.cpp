#include "framework/db/Variant.h"

#include <cmath>
#include <cstdlib>

#include "framework/base/CNotation.h"
#include "framework/base/DateFormat.h"
#include "framework/base/FloatText.h"

Variant Variant::FromDateTime(double days) {
  Variant v;
  v.value_ = DateTime{days};
  return v;
}

Variant::Kind Variant::VarType() const {
  switch (value_.index()) {
    case 0: return vkNull;
    case 1: return vkBoolean;
    case 2: return vkInteger;
    case 3: return vkFloat;
    case 4: return vkString;
    default: return vkDateTime;
  }
}

bool Variant::AsBoolean() const {
  switch (VarType()) {
    case vkBoolean: return std::get<bool>(value_);
    case vkString: {
      const AnsiString& s = std::get<AnsiString>(value_);
      return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
    }
    case vkNull: return false;
    default: return AsFloat() != 0;
  }
}

int64_t Variant::AsInteger() const {
  switch (VarType()) {
    case vkInteger: return std::get<int64_t>(value_);
    case vkBoolean: return std::get<bool>(value_) ? -1 : 0;
    case vkString: return std::strtoll(std::get<AnsiString>(value_).c_str(), nullptr, 10);
    case vkNull: return 0;
    default: return static_cast<int64_t>(std::llround(AsFloat()));
  }
}

double Variant::AsFloat() const {
  switch (VarType()) {
    case vkFloat: return std::get<double>(value_);
    case vkDateTime: return std::get<DateTime>(value_).days;
    case vkInteger: return static_cast<double>(std::get<int64_t>(value_));
    case vkBoolean: return std::get<bool>(value_) ? -1 : 0;
    case vkString: return qn::ParseCNotation(std::get<AnsiString>(value_).c_str());
    default: return 0;
  }
}

AnsiString Variant::AsString() const {
  switch (VarType()) {
    case vkNull: return "";
    case vkString: return std::get<AnsiString>(value_);
    case vkBoolean: return std::get<bool>(value_) ? "True" : "False";
    case vkInteger: return std::to_string(std::get<int64_t>(value_));
    case vkDateTime: return DateTimeToStr(AsFloat());
    default: return FloatToStr(AsFloat());
  }
}

bool Variant::operator==(const Variant& other) const {
  Kind a = VarType(), b = other.VarType();
  if (a == vkNull || b == vkNull) return a == b;
  if (a == vkString || b == vkString) return AsString() == other.AsString();
  if (a == vkInteger && b == vkInteger) return AsInteger() == other.AsInteger();
  return AsFloat() == other.AsFloat();
}
