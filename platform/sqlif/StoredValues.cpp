#include "platform/sqlif/StoredValues.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/base/PackedDecimalBytes.h"
#include "platform/recmgr/LittleEndian.h"

namespace qn::sqlif {

namespace {

using recmgr::readU16;
using recmgr::writeU16;

std::string numberText(const SqlValue& v) {
  switch (v.kind) {
    case SqlValue::Kind::integer: return std::to_string(v.integer);
    case SqlValue::Kind::real: {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.15g", v.real);
      return buffer;
    }
    case SqlValue::Kind::text: return v.text;
    case SqlValue::Kind::null: return {};
  }
  return {};
}

std::optional<double> asReal(const SqlValue& v) {
  switch (v.kind) {
    case SqlValue::Kind::integer: return static_cast<double>(v.integer);
    case SqlValue::Kind::real: return v.real;
    case SqlValue::Kind::text: {
      char* end = nullptr;
      const double d = std::strtod(v.text.c_str(), &end);
      if (v.text.empty() || *end != '\0') return std::nullopt;
      return d;
    }
    case SqlValue::Kind::null: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<int64_t> asInteger(const SqlValue& v) {
  if (v.kind == SqlValue::Kind::integer) return v.integer;
  const std::optional<double> d = asReal(v);
  if (!d || std::isnan(*d) || std::fabs(*d) > 9.2e18) return std::nullopt;
  return static_cast<int64_t>(std::llround(*d));
}

// Whether a signed integer of `size` bytes holds the value.
bool fitsIntegerBytes(int64_t value, uint16_t size) {
  if (size >= 8) return true;
  const int64_t limit = int64_t{1} << (8 * size - 1);
  return value >= -limit && value < limit;
}

bool isLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool validDate(int y, int m, int d) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  return d <= days[m - 1] + (m == 2 && isLeapYear(y) ? 1 : 0);
}

struct TimeOfDay {
  int hours, minutes, seconds, hundredths;
};

std::optional<TimeOfDay> parseTime(const std::string& text) {
  TimeOfDay t{0, 0, 0, 0};
  // Seconds and hundredths may be left out, but nothing may follow the last part given.
  int used = 0;
  if (std::sscanf(text.c_str(), "%2d:%2d%n", &t.hours, &t.minutes, &used) != 2) return std::nullopt;
  const char* rest = text.c_str() + used;
  if (*rest == ':') {
    used = 0;
    if (std::sscanf(rest, ":%2d%n", &t.seconds, &used) != 1) return std::nullopt;
    rest += used;
    if (*rest == '.') {
      used = 0;
      if (std::sscanf(rest, ".%2d%n", &t.hundredths, &used) != 1) return std::nullopt;
      rest += used;
    }
  }
  if (*rest != '\0') return std::nullopt;
  if (t.hours > 23 || t.minutes > 59 || t.seconds > 59 || t.hundredths > 99 || t.hours < 0 || t.minutes < 0 ||
      t.seconds < 0 || t.hundredths < 0)
    return std::nullopt;
  return t;
}

std::optional<int> parseDate(const std::string& text, int& month, int& day) {
  int year = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3) return std::nullopt;
  if (!validDate(year, month, day)) return std::nullopt;
  return year;
}

size_t digitsOf(const ColumnType& t) { return 2 * static_cast<size_t>(t.size) - 1; }

// The absolute value scaled by the decimals, as the packed digits; nothing when it has more.
std::optional<std::string> packedDigits(double value, const ColumnType& t) {
  const double scaled = std::round(std::fabs(value) * std::pow(10.0, t.decimals));
  if (!(scaled < 1e18)) return std::nullopt;
  std::string digits = std::to_string(static_cast<long long>(scaled));
  if (digits.size() > digitsOf(t)) return std::nullopt;
  return std::string(digitsOf(t) - digits.size(), '0') + digits;
}

std::string trimmedText(const uint8_t* bytes, size_t size, bool cutBlanks) {
  size_t n = 0;
  while (n < size && bytes[n] != 0) ++n;
  if (cutBlanks)
    while (n > 0 && bytes[n - 1] == ' ') --n;
  return std::string(reinterpret_cast<const char*>(bytes), n);
}

bool allZero(const uint8_t* bytes, size_t size) {
  for (size_t i = 0; i < size; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// Texts that end with a zero byte keep room for it.
size_t textCapacity(const ColumnType& t) {
  return t.storedType == storedType::string ? t.size : t.size - 1u;
}

}  // namespace

bool knownStoredType(int type) {
  switch (type) {
    case storedType::string:
    case storedType::integer:
    case storedType::floating:
    case storedType::date:
    case storedType::time:
    case storedType::decimal:
    case storedType::logical:
    case storedType::zstring:
    case storedType::note: return true;
    default: return false;
  }
}

std::string columnTypeProblem(const ColumnType& t) {
  const uint16_t n = t.size;
  bool sizeOk = false;
  switch (t.storedType) {
    case storedType::string: sizeOk = n >= 1 && n <= 255; break;
    case storedType::integer: sizeOk = n == 1 || n == 2 || n == 4 || n == 8; break;
    case storedType::floating: sizeOk = n == 4 || n == 8; break;
    case storedType::date:
    case storedType::time: sizeOk = n == 4; break;
    case storedType::decimal: sizeOk = n >= 1 && n <= 9; break;
    case storedType::logical: sizeOk = n == 1 || n == 2; break;
    case storedType::zstring: sizeOk = n >= 2 && n <= 256; break;
    case storedType::note: sizeOk = n >= 2 && n <= 32000; break;
    default: return "unknown type " + std::to_string(t.storedType);
  }
  if (!sizeOk) return "size " + std::to_string(n) + " not allowed for type " + std::to_string(t.storedType);
  const bool takesDecimals = t.storedType == storedType::decimal || t.storedType == storedType::floating;
  if (t.decimals != 0 && !takesDecimals) return "decimals not allowed for type " + std::to_string(t.storedType);
  if (t.storedType == storedType::decimal && t.decimals > digitsOf(t))
    return "decimals " + std::to_string(t.decimals) + " exceed the " + std::to_string(digitsOf(t)) + " digits";
  if (t.storedType == storedType::floating && t.decimals > 15) return "decimals above 15";
  return {};
}

std::string_view sqlDeclaration(uint8_t type) {
  switch (type) {
    case storedType::integer:
    case storedType::logical: return "INTEGER";
    case storedType::floating:
    case storedType::decimal: return "REAL";
    default: return "TEXT";
  }
}

bool storeValue(const SqlValue& value, const ColumnType& t, uint8_t* out) {
  std::memset(out, 0, t.size);
  if (value.kind == SqlValue::Kind::null) return true;
  switch (t.storedType) {
    case storedType::string:
    case storedType::zstring:
    case storedType::note: {
      const std::string text = numberText(value);
      const size_t n = std::min(text.size(), textCapacity(t));
      std::memcpy(out, text.data(), n);
      if (t.storedType == storedType::string) std::memset(out + n, ' ', t.size - n);
      return true;
    }
    case storedType::integer: {
      const std::optional<int64_t> v = asInteger(value);
      if (!v || !fitsIntegerBytes(*v, t.size)) return false;
      for (size_t i = 0; i < t.size; ++i) out[i] = static_cast<uint8_t>(static_cast<uint64_t>(*v) >> (8 * i));
      return true;
    }
    case storedType::floating: {
      const std::optional<double> v = asReal(value);
      if (!v) return false;
      if (t.size == 4) {
        const float f = static_cast<float>(*v);
        std::memcpy(out, &f, 4);
      } else {
        std::memcpy(out, &*v, 8);
      }
      return true;
    }
    case storedType::date: {
      int month = 0, day = 0;
      const std::optional<int> year = parseDate(numberText(value), month, day);
      if (!year) return false;
      out[0] = static_cast<uint8_t>(day);
      out[1] = static_cast<uint8_t>(month);
      writeU16(out + 2, static_cast<uint16_t>(*year));
      return true;
    }
    case storedType::time: {
      const std::optional<TimeOfDay> v = parseTime(numberText(value));
      if (!v) return false;
      out[0] = static_cast<uint8_t>(v->hundredths);
      out[1] = static_cast<uint8_t>(v->seconds);
      out[2] = static_cast<uint8_t>(v->minutes);
      out[3] = static_cast<uint8_t>(v->hours);
      return true;
    }
    case storedType::decimal: {
      const std::optional<double> v = asReal(value);
      const std::optional<std::string> digits = v ? packedDigits(*v, t) : std::nullopt;
      if (!digits) return false;
      const std::string nibbles = *digits + (*v < 0 ? char(0xD) : char(0xF));
      for (size_t i = 0; i < t.size; ++i) {
        auto nibble = [&](size_t k) { return static_cast<uint8_t>(k < digits->size() ? nibbles[k] - '0' : nibbles[k]); };
        out[i] = static_cast<uint8_t>((nibble(2 * i) << 4) | nibble(2 * i + 1));
      }
      return true;
    }
    case storedType::logical: {
      const std::optional<int64_t> v = asInteger(value);
      if (!v) return false;
      out[0] = *v != 0 ? 1 : 0;
      return true;
    }
    default: return false;
  }
}

std::optional<SqlValue> readStoredValue(const ColumnType& t, const uint8_t* bytes) {
  switch (t.storedType) {
    case storedType::string:
    case storedType::zstring:
    case storedType::note: {
      if (allZero(bytes, t.size)) return SqlValue{};
      return SqlValue::ofText(trimmedText(bytes, textCapacity(t), t.storedType == storedType::string));
    }
    case storedType::integer: {
      uint64_t u = 0;
      for (size_t i = 0; i < t.size; ++i) u |= static_cast<uint64_t>(bytes[i]) << (8 * i);
      const unsigned shift = 64 - 8 * t.size;
      const int64_t v = shift == 0 ? static_cast<int64_t>(u) : static_cast<int64_t>(u << shift) >> shift;
      return SqlValue::ofInteger(v);
    }
    case storedType::floating: {
      if (t.size == 4) {
        float f;
        std::memcpy(&f, bytes, 4);
        return SqlValue::ofReal(f);
      }
      double d;
      std::memcpy(&d, bytes, 8);
      return SqlValue::ofReal(d);
    }
    case storedType::date: {
      if (allZero(bytes, 4)) return SqlValue{};
      const int day = bytes[0], month = bytes[1], year = readU16(bytes + 2);
      if (!validDate(year, month, day)) return std::nullopt;
      char text[16];
      std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
      return SqlValue::ofText(text);
    }
    case storedType::time: {
      if (allZero(bytes, 4)) return SqlValue{};
      if (bytes[3] > 23 || bytes[2] > 59 || bytes[1] > 59 || bytes[0] > 99) return std::nullopt;
      char text[16];
      std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", bytes[3], bytes[2], bytes[1], bytes[0]);
      return SqlValue::ofText(text);
    }
    case storedType::decimal: {
      const std::optional<double> v = readPackedDecimal(bytes, t.size, t.decimals);
      if (!v) return std::nullopt;
      return SqlValue::ofReal(*v);
    }
    case storedType::logical: return SqlValue::ofInteger(allZero(bytes, t.size) ? 0 : 1);
    default: return std::nullopt;
  }
}

std::string valueProblem(const SqlValue& value, const ColumnType& t) {
  if (value.kind == SqlValue::Kind::null) return {};
  const bool isText = value.kind == SqlValue::Kind::text;
  switch (t.storedType) {
    case storedType::string:
    case storedType::zstring:
    case storedType::note:
      if (!isText) return "a text is expected";
      if (value.text.size() > textCapacity(t))
        return "text of " + std::to_string(value.text.size()) + " characters does not fit in " +
               std::to_string(textCapacity(t));
      if (value.text.find('\0') != std::string::npos) return "text holds a zero character";
      return {};
    case storedType::integer: {
      if (value.kind != SqlValue::Kind::integer) return "an integer is expected";
      if (!fitsIntegerBytes(value.integer, t.size))
        return std::to_string(value.integer) + " does not fit in " + std::to_string(t.size) + " bytes";
      return {};
    }
    case storedType::floating:
      return isText ? "a number is expected" : std::string();
    case storedType::date: {
      int month = 0, day = 0;
      return isText && parseDate(value.text, month, day) ? std::string() : "a date YYYY-MM-DD is expected";
    }
    case storedType::time:
      return isText && parseTime(value.text) ? std::string() : "a time HH:MM[:SS[.hh]] is expected";
    case storedType::decimal: {
      if (isText) return "a number is expected";
      const std::optional<double> v = asReal(value);
      const std::optional<std::string> digits = v ? packedDigits(*v, t) : std::nullopt;
      if (!digits) return numberText(value) + " does not fit in " + std::to_string(digitsOf(t)) + " digits";
      if (std::fabs(std::round(*v * std::pow(10.0, t.decimals)) - *v * std::pow(10.0, t.decimals)) > 1e-6)
        return numberText(value) + " has more than " + std::to_string(t.decimals) + " decimals";
      return {};
    }
    case storedType::logical:
      return value.kind == SqlValue::Kind::integer && (value.integer == 0 || value.integer == 1)
                 ? std::string()
                 : "true or false is expected";
    default: return "unknown type";
  }
}

}  // namespace qn::sqlif
