#include "framework/base/AnsiString.h"

#include <cstdint>

namespace qn {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    char32_t cp = kHighControls[byte - 0x80];
    return cp ? cp : byte;
  }
  return byte;
}

int byteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    char32_t mapped = kHighControls[i] ? kHighControls[i] : static_cast<char32_t>(0x80 + i);
    if (mapped == cp) return 0x80 + i;
  }
  return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at text[i]; answers its length, or 0 when it is malformed.
size_t decodeUtf8(std::string_view text, size_t i, char32_t& cp) {
  auto lead = static_cast<unsigned char>(text[i]);
  size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (len == 0 || i + len > text.size()) return 0;
  cp = lead & (0x3F >> (len - 1));
  for (size_t k = 1; k < len; ++k) {
    auto c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  // The shortest form only, and no surrogate halves or code points beyond Unicode's range.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
  return len;
}

}  // namespace

std::string ansiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (unsigned char c : ansi) appendUtf8(out, codePointOf(c));
  return out;
}

AnsiString utf8ToAnsi(std::string_view utf8) {
  AnsiString out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    char32_t cp = 0;
    size_t len = decodeUtf8(utf8, i, cp);
    if (len == 0) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    int byte = byteOf(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    i += len;
  }
  return out;
}

bool utf8FitsAnsi(std::string_view utf8) { return ansiToUtf8(utf8ToAnsi(utf8)) == utf8; }

}  // namespace qn
