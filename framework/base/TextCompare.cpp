#include "framework/base/TextCompare.h"

#include <array>

#include "framework/base/TextCase.h"

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

int compareBytes(const AnsiString& a, const AnsiString& b, char (*fold)(char)) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = static_cast<unsigned char>(fold(a[i])) - static_cast<unsigned char>(fold(b[i]));
    if (d != 0) return sign(d);
  }
  return sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

char asIs(char c) { return c; }
char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// The three weights of a character (see the header).
struct Weight {
  int primary;
  int accent;
  int caseRank;  // 0 small, 1 capital
};

char baseLetter(unsigned char capital) {
  if (capital < 0x80) return static_cast<char>(capital);
  switch (capital) {
    case 0x83: return 'F';
    case 0x8A: case 0xDF: return 'S';
    case 0x8C: case 0xBA: return 'O';
    case 0x8E: return 'Z';
    case 0x9F: case 0xDD: return 'Y';
    case 0xAA: return 'A';
    case 0xC7: return 'C';
    case 0xD0: return 'D';
    case 0xD1: return 'N';
    case 0xD8: return 'O';
    case 0xDE: return 'T';
  }
  if (capital >= 0xC0 && capital <= 0xC6) return 'A';
  if (capital >= 0xC8 && capital <= 0xCB) return 'E';
  if (capital >= 0xCC && capital <= 0xCF) return 'I';
  if (capital >= 0xD2 && capital <= 0xD6) return 'O';
  if (capital >= 0xD9 && capital <= 0xDC) return 'U';
  return 0;
}

bool isControl(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::array<Weight, 256> buildWeights() {
  std::array<Weight, 256> weights{};
  for (int i = 0; i < 256; ++i) {
    auto c = static_cast<unsigned char>(i);
    char ch = static_cast<char>(c);
    Weight& w = weights[i];
    if (qn::isAnsiLetter(ch)) {
      auto capital = static_cast<unsigned char>(qn::ansiUpperChar(ch));
      w.primary = 0x300 + (baseLetter(capital) - 'A');
      w.accent = capital < 0x80 ? 0 : capital;
      w.caseRank = qn::ansiLowerChar(ch) != ch ? 1 : 0;
    } else if (c >= '0' && c <= '9') {
      w.primary = 0x200 + c;
    } else if (isControl(c)) {
      w.primary = c;
    } else {
      w.primary = 0x100 + c;
    }
  }
  return weights;
}

const std::array<Weight, 256>& weights() {
  static const std::array<Weight, 256> table = buildWeights();
  return table;
}

int collate(const AnsiString& a, const AnsiString& b, bool withCase) {
  const auto& w = weights();
  auto at = [&](const AnsiString& s, size_t i) { return w[static_cast<unsigned char>(s[i])]; };
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (int d = at(a, i).primary - at(b, i).primary) return sign(d);
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  for (size_t i = 0; i < n; ++i)
    if (int d = at(a, i).accent - at(b, i).accent) return sign(d);
  if (withCase)
    for (size_t i = 0; i < n; ++i)
      if (int d = at(a, i).caseRank - at(b, i).caseRank) return sign(d);
  return 0;
}

}  // namespace

int CompareStr(const AnsiString& a, const AnsiString& b) { return compareBytes(a, b, asIs); }
int CompareText(const AnsiString& a, const AnsiString& b) { return compareBytes(a, b, asciiUpper); }
bool SameText(const AnsiString& a, const AnsiString& b) { return CompareText(a, b) == 0; }

int AnsiCompareStr(const AnsiString& a, const AnsiString& b) { return collate(a, b, true); }
int AnsiCompareText(const AnsiString& a, const AnsiString& b) { return collate(a, b, false); }
bool AnsiSameStr(const AnsiString& a, const AnsiString& b) { return a == b; }
bool AnsiSameText(const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) == 0; }
