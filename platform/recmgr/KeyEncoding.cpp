#include "platform/recmgr/KeyEncoding.h"

#include <cstring>

#include "framework/base/PackedDecimalBytes.h"

namespace qn::recmgr {
namespace {

// Windows-1252 letters to upper case.
uint8_t foldCase(uint8_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

// Big-endian bytes of a little-endian field, so byte order is numeric order.
void appendReversed(const uint8_t* v, size_t n, std::string& out) {
  for (size_t i = n; i-- > 0;) out.push_back(static_cast<char>(v[i]));
}

void appendSigned(const uint8_t* v, size_t n, std::string& out) {
  size_t start = out.size();
  appendReversed(v, n, out);
  out[start] = static_cast<char>(static_cast<uint8_t>(out[start]) ^ 0x80);
}

void appendFloat(const uint8_t* v, size_t n, std::string& out) {
  uint64_t bits = 0;
  for (size_t i = 0; i < n; ++i) bits |= static_cast<uint64_t>(v[i]) << (8 * i);
  const uint64_t sign = uint64_t{1} << (8 * n - 1);
  const uint64_t mask = n == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
  if (bits == sign) bits = 0;  // -0 orders as +0
  bits = (bits & sign) ? (~bits & mask) : (bits | sign);
  for (size_t i = n; i-- > 0;) out.push_back(static_cast<char>(bits >> (8 * i)));
}

// Packed decimal: two digits a byte, the sign in the last nibble (read as every layer reads it).
// Image: a sign byte (0 negative, 1 otherwise), then the digits, complemented when negative, so
// that -0 equals +0 and larger magnitudes sort further from zero.
void appendDecimal(const uint8_t* v, size_t n, std::string& out) {
  const size_t digits = 2 * n - 1;
  auto digit = [&](size_t i) { return static_cast<uint8_t>(i % 2 == 0 ? v[i / 2] >> 4 : v[i / 2] & 0x0F); };
  bool negative = packedSignNegative(v[n - 1]);
  bool zero = true;
  for (size_t i = 0; i < digits; ++i) zero = zero && digit(i) == 0;
  if (zero) negative = false;
  out.push_back(negative ? 0 : 1);
  uint8_t pending = 0;
  for (size_t i = 0; i < digits; ++i) {
    uint8_t d = negative ? static_cast<uint8_t>(15 - digit(i)) : digit(i);
    if (i % 2 == 0) {
      pending = static_cast<uint8_t>(d << 4);
    } else {
      out.push_back(static_cast<char>(pending | d));
    }
  }
  out.push_back(static_cast<char>(pending));  // digits are odd in number: the last half byte
}

}  // namespace

void KeyEncoding::appendSegment(const SegmentSpec& s, const uint8_t* v, std::string& out) const {
  const size_t start = out.size();
  const size_t n = s.length;
  auto appendText = [&](const uint8_t* text, size_t length, size_t width) {
    const uint8_t* table = nullptr;
    if (s.has(segmentFlag::alternateCollation) && s.collation < spec_.collatingSequences.size())
      table = spec_.collatingSequences[s.collation].table.data();
    const bool fold = !table && s.has(segmentFlag::caseInsensitive);
    for (size_t i = 0; i < length; ++i) {
      uint8_t c = text[i];
      if (table) c = table[c];
      if (fold) c = foldCase(c);
      out.push_back(static_cast<char>(c));
    }
    out.append(width - length, '\0');
  };

  switch (s.keyType()) {
    case KeyType::integer:
    case KeyType::autoIncrement:
      appendSigned(v, n, out);
      break;
    case KeyType::unsignedBinary:
      appendReversed(v, n, out);
      break;
    case KeyType::floating:
      appendFloat(v, n, out);
      break;
    case KeyType::date:  // day, month, year (u16)
      out.push_back(static_cast<char>(v[3]));
      out.push_back(static_cast<char>(v[2]));
      out.push_back(static_cast<char>(v[1]));
      out.push_back(static_cast<char>(v[0]));
      break;
    case KeyType::time:  // hundredths, second, minute, hour
      appendReversed(v, 4, out);
      break;
    case KeyType::decimal:
      appendDecimal(v, n, out);
      break;
    case KeyType::lstring: {
      const size_t length = std::min<size_t>(v[0], n - 1);
      appendText(v + 1, length, n - 1);
      break;
    }
    case KeyType::zstring: {
      const void* zero = std::memchr(v, 0, n);
      appendText(v, zero ? static_cast<const uint8_t*>(zero) - v : n, n);
      break;
    }
    case KeyType::string:
    case KeyType::logical:
    default:
      appendText(v, n, n);
      break;
  }
  if (s.has(segmentFlag::descending))
    for (size_t i = start; i < out.size(); ++i) out[i] = static_cast<char>(~static_cast<uint8_t>(out[i]));
}

std::string KeyEncoding::fromKeyValue(const KeySpec& key, const uint8_t* value) const {
  std::string out;
  for (const SegmentSpec& s : key.segments) {
    appendSegment(s, value, out);
    value += s.length;
  }
  return out;
}

std::optional<std::string> KeyEncoding::fromRecord(const KeySpec& key, std::string_view record) const {
  const std::string value = keyValue(key, record);
  if (key.nullable()) {
    bool allNull = true;
    size_t offset = 0;
    for (const SegmentSpec& s : key.segments) {
      for (size_t i = 0; i < s.length && allNull; ++i)
        allNull = static_cast<uint8_t>(value[offset + i]) == s.nullValue;
      offset += s.length;
    }
    if (allNull) return std::nullopt;
  }
  return fromKeyValue(key, reinterpret_cast<const uint8_t*>(value.data()));
}

std::string KeyEncoding::keyValue(const KeySpec& key, std::string_view record) {
  std::string value;
  value.reserve(key.length());
  for (const SegmentSpec& s : key.segments) {
    const size_t from = s.position - 1u;
    for (size_t i = 0; i < s.length; ++i) value.push_back(from + i < record.size() ? record[from + i] : '\0');
  }
  return value;
}

int64_t KeyEncoding::integerFromImage(const SegmentSpec& segment, std::string_view image) {
  uint64_t bits = 0;
  const uint8_t invert = segment.has(segmentFlag::descending) ? 0xFF : 0x00;
  for (size_t i = 0; i < segment.length && i < image.size(); ++i)
    bits = (bits << 8) | static_cast<uint8_t>(static_cast<uint8_t>(image[i]) ^ invert);
  const unsigned width = 8u * segment.length;
  bits ^= uint64_t{1} << (width - 1);  // back from offset to two's complement
  if (width < 64 && (bits >> (width - 1)) & 1) bits |= ~uint64_t{0} << width;
  return static_cast<int64_t>(bits);
}

}  // namespace qn::recmgr
