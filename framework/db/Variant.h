#pragma once
// A field value of any type, or Null: what Value, Locate, Lookup and key searches pass around.
// Conversions between kinds follow the fields' own text and number rules (see Field.h); this type
// only holds and compares.
#include <cstdint>
#include <variant>
#include <vector>

#include "framework/base/AnsiString.h"

class Variant {
 public:
  enum Kind { vkNull, vkBoolean, vkInteger, vkFloat, vkString, vkDateTime };

  Variant() = default;
  Variant(bool v) : value_(v) {}
  Variant(int v) : value_(int64_t{v}) {}
  Variant(int64_t v) : value_(v) {}
  Variant(double v) : value_(v) {}
  Variant(const char* v) : value_(AnsiString(v)) {}
  Variant(AnsiString v) : value_(std::move(v)) {}
  // A date-time travels as its day count, tagged so that it prints and compares as a date.
  static Variant FromDateTime(double days);

  Kind VarType() const;
  bool IsNull() const { return VarType() == vkNull; }

  bool AsBoolean() const;
  int64_t AsInteger() const;
  double AsFloat() const;
  AnsiString AsString() const;

  // Equal kinds compare by value; numbers compare as numbers across kinds; Null equals only Null.
  bool operator==(const Variant& other) const;

 private:
  struct DateTime {
    double days;
  };
  std::variant<std::monostate, bool, int64_t, double, AnsiString, DateTime> value_;
};

// The several values of a multi-field key (Locate, FindKey, SetRange).
using VariantArray = std::vector<Variant>;
