#pragma once
// Format: printf-like text building with the system's rules, which differ from C's:
//   "%" [index ":"] ["-"] [width] ["." precision] type
//   d  signed integer (precision = minimum digits, zero-padded after the sign)
//   u  unsigned integer (a negative argument shows its two's complement)
//   x  hex integer in capitals (precision = minimum digits)
//   e  scientific, precision = significant digits (15): "1.50000000000000E+003"
//   f  fixed, precision = decimals (2)           n  fixed with thousands separators (2)
//   g  shortest general form, precision = significant digits (15)
//   m  money in the locale's currency format, precision = decimals (the locale's)
//   p  pointer in hex capitals                   s  text or character
//   %% a percent sign
// A width pads with blanks (on the right with "-") and never cuts; a precision on %s cuts the
// text ("%-7.7s" gives exactly 7 characters, "%-7s" at least 7). '*' for width or precision
// takes the next argument. An index takes the argument at that place (from 0) and the following
// directives go on after it. Decimal and thousands separators are the locale's; numbers round
// half away from zero. A missing argument, an argument of the wrong kind (a double for %d, an
// integer for %f, a number for %s) or an unknown type raises EConvertError.
//
//   Format("%-7s%7s", {client, suffix});   Format("%2d - %s", {key, name});
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "framework/base/AnsiString.h"

// One argument of Format: an integer, a floating-point number, a text, a character or a pointer.
class TVarRec {
 public:
  enum class Kind { Integer, Unsigned, Float, String, Char, Pointer };

  template <std::signed_integral T>
    requires(!std::same_as<T, char>)
  TVarRec(T v) : kind_(Kind::Integer), integer_(v) {}
  template <std::unsigned_integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>)
  TVarRec(T v) : kind_(Kind::Unsigned), unsigned_(v) {}
  template <std::floating_point T>
  TVarRec(T v) : kind_(Kind::Float), float_(v) {}
  TVarRec(char c) : kind_(Kind::Char), string_(1, c) {}
  TVarRec(const char* s) : kind_(Kind::String), string_(s ? s : "") {}
  TVarRec(AnsiString s) : kind_(Kind::String), string_(std::move(s)) {}
  TVarRec(const void* p) : kind_(Kind::Pointer), pointer_(p) {}
  TVarRec(std::nullptr_t) : kind_(Kind::Pointer) {}
  TVarRec(bool) = delete;  // a truth value has no form here; say what to show

  Kind kind() const { return kind_; }
  int64_t integer() const { return integer_; }
  uint64_t unsignedValue() const { return unsigned_; }
  double floatValue() const { return float_; }
  const AnsiString& string() const { return string_; }
  const void* pointer() const { return pointer_; }

 private:
  Kind kind_;
  int64_t integer_ = 0;
  uint64_t unsigned_ = 0;
  double float_ = 0;
  AnsiString string_;
  const void* pointer_ = nullptr;
};

AnsiString Format(const AnsiString& format, std::span<const TVarRec> args);
inline AnsiString Format(const AnsiString& format, std::initializer_list<TVarRec> args) {
  return Format(format, std::span<const TVarRec>(args.begin(), args.size()));
}
