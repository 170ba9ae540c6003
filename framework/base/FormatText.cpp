#include "framework/base/FormatText.h"

#include <cctype>
#include <cstdlib>

#include "framework/base/Exception.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"

namespace {

using Kind = TVarRec::Kind;

struct Directive {
  bool leftJustify = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

class Formatter {
 public:
  Formatter(const AnsiString& format, std::span<const TVarRec> args) : format_(format), args_(args) {}

  AnsiString run() {
    AnsiString out;
    for (pos_ = 0; pos_ < format_.size();) {
      char c = format_[pos_++];
      if (c != '%') {
        out += c;
        continue;
      }
      if (pos_ < format_.size() && format_[pos_] == '%') {
        out += '%';
        ++pos_;
        continue;
      }
      out += directive();
    }
    return out;
  }

 private:
  [[noreturn]] void invalid() const {
    throw EConvertError("Format '" + format_ + "' invalid or incompatible with argument");
  }

  const TVarRec& nextArg() {
    if (argIndex_ >= args_.size()) throw EConvertError("No argument for format '" + format_ + "'");
    return args_[argIndex_++];
  }

  bool atDigit() const { return pos_ < format_.size() && format_[pos_] >= '0' && format_[pos_] <= '9'; }

  // A number an int cannot hold is refused rather than wrapped into some other width.
  int number() {
    int64_t n = 0;
    while (atDigit()) {
      n = n * 10 + (format_[pos_++] - '0');
      if (n > INT32_MAX) invalid();
    }
    return static_cast<int>(n);
  }

  // Digits, or '*' for the next argument (an integer); -1 when neither stands here.
  int numberOrStar() {
    if (pos_ < format_.size() && format_[pos_] == '*') {
      ++pos_;
      const TVarRec& arg = nextArg();
      if (arg.kind() == Kind::Integer && arg.integer() >= INT32_MIN && arg.integer() <= INT32_MAX)
        return static_cast<int>(arg.integer());
      if (arg.kind() == Kind::Unsigned && arg.unsignedValue() <= INT32_MAX)
        return static_cast<int>(arg.unsignedValue());
      invalid();
    }
    return atDigit() ? number() : -1;
  }

  AnsiString directive() {
    Directive d;
    // An index is digits followed by ':'; otherwise the digits were the width.
    size_t start = pos_;
    if (atDigit()) {
      int n = number();
      if (pos_ < format_.size() && format_[pos_] == ':') {
        argIndex_ = n;
        ++pos_;
      } else {
        pos_ = start;
      }
    }
    if (pos_ < format_.size() && format_[pos_] == '-') {
      d.leftJustify = true;
      ++pos_;
    }
    d.width = numberOrStar();
    if (pos_ < format_.size() && format_[pos_] == '.') {
      ++pos_;
      d.precision = numberOrStar();
      if (d.precision < 0) d.precision = 0;
    }
    if (pos_ >= format_.size()) invalid();
    d.type = static_cast<char>(std::tolower(static_cast<unsigned char>(format_[pos_++])));
    AnsiString text = convert(d, nextArg());
    if (d.width > static_cast<int>(text.size())) {
      AnsiString pad(d.width - text.size(), ' ');
      text = d.leftJustify ? text + pad : pad + text;
    }
    return text;
  }

  AnsiString convert(const Directive& d, const TVarRec& arg) {
    const bool isInteger = arg.kind() == Kind::Integer || arg.kind() == Kind::Unsigned;
    switch (d.type) {
      case 'd':
        if (!isInteger) invalid();
        return arg.kind() == Kind::Integer ? signedText(arg.integer(), d.precision)
                                           : zeroPadded(std::to_string(arg.unsignedValue()), d.precision);
      case 'u':
        if (!isInteger) invalid();
        return zeroPadded(std::to_string(asUnsigned(arg)), d.precision);
      case 'x':
        if (!isInteger) invalid();
        return IntToHex(static_cast<int64_t>(asUnsigned(arg)), d.precision);
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm':
        if (arg.kind() != Kind::Float) invalid();
        return floatText(d, arg.floatValue());
      case 'p':
        if (arg.kind() != Kind::Pointer) invalid();
        return IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(arg.pointer())),
                        static_cast<int>(2 * sizeof(void*)));
      case 's':
        if (arg.kind() != Kind::String && arg.kind() != Kind::Char) invalid();
        return d.precision >= 0 ? arg.string().substr(0, d.precision) : arg.string();
      default:
        invalid();
    }
  }

  static AnsiString zeroPadded(AnsiString digits, int precision) {
    if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), '0');
    return digits;
  }

  static AnsiString signedText(int64_t v, int precision) {
    uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    AnsiString digits = zeroPadded(std::to_string(magnitude), precision);
    return v < 0 ? "-" + digits : digits;
  }

  // A negative integer read as unsigned: its 32-bit two's complement when it fits in 32 bits.
  static uint64_t asUnsigned(const TVarRec& arg) {
    if (arg.kind() == Kind::Unsigned) return arg.unsignedValue();
    int64_t v = arg.integer();
    if (v < 0 && v >= INT32_MIN) return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<uint64_t>(v);
  }

  static AnsiString floatText(const Directive& d, double v) {
    switch (d.type) {
      case 'e': return FloatToStrF(v, ffExponent, d.precision < 0 ? 15 : d.precision, 3);
      case 'f': return FloatToStrF(v, ffFixed, 15, d.precision < 0 ? 2 : d.precision);
      case 'g': return FloatToStrF(v, ffGeneral, d.precision < 0 ? 15 : d.precision, 0);
      case 'n': return FloatToStrF(v, ffNumber, 15, d.precision < 0 ? 2 : d.precision);
      default:
        return FloatToStrF(v, ffCurrency, 15, d.precision < 0 ? Locale().CurrencyDecimals : d.precision);
    }
  }

  const AnsiString& format_;
  std::span<const TVarRec> args_;
  size_t pos_ = 0;
  size_t argIndex_ = 0;
};

}  // namespace

AnsiString Format(const AnsiString& format, std::span<const TVarRec> args) {
  return Formatter(format, args).run();
}
