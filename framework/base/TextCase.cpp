#include "framework/base/TextCase.h"

#include <algorithm>

namespace qn {
namespace {

// Capital and small forms of the code page's letters above ASCII that have both.
constexpr unsigned char kPairs[][2] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};

bool isAsciiLower(unsigned char c) { return c >= 'a' && c <= 'z'; }
bool isAsciiUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

char ansiUpperChar(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (isAsciiLower(c)) return static_cast<char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 32);
  for (const auto& pair : kPairs)
    if (c == pair[1]) return static_cast<char>(pair[0]);
  return ch;
}

char ansiLowerChar(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (isAsciiUpper(c)) return static_cast<char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
  for (const auto& pair : kPairs)
    if (c == pair[0]) return static_cast<char>(pair[1]);
  return ch;
}

bool isAnsiLetter(char ch) {
  auto c = static_cast<unsigned char>(ch);
  // ƒ, the ordinal indicators and ß are letters without a case partner.
  return ansiUpperChar(ch) != ch || ansiLowerChar(ch) != ch || c == 0x83 || c == 0xAA ||
         c == 0xBA || c == 0xDF;
}

}  // namespace qn

namespace {

template <typename Convert>
AnsiString convert(const AnsiString& s, Convert convertChar) {
  AnsiString out(s);
  std::transform(out.begin(), out.end(), out.begin(), convertChar);
  return out;
}

}  // namespace

AnsiString UpperCase(const AnsiString& s) {
  return convert(s, [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
}

AnsiString LowerCase(const AnsiString& s) {
  return convert(s, [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
}

AnsiString AnsiUpperCase(const AnsiString& s) { return convert(s, qn::ansiUpperChar); }
AnsiString AnsiLowerCase(const AnsiString& s) { return convert(s, qn::ansiLowerChar); }
