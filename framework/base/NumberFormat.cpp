#include "framework/base/NumberFormat.h"

#include <cmath>
#include <vector>

#include "framework/base/DecimalDigits.h"
#include "framework/base/FloatText.h"
#include "framework/base/Locale.h"

namespace {

struct Token {
  enum Kind { Digit, Point, Literal, Exponent } kind = Literal;
  bool zero = false;        // Digit: '0' rather than '#'
  bool afterPoint = false;  // Digit
  AnsiString text;          // Literal; Exponent: "E" or "e"
  bool signAlways = false;  // Exponent: E+ rather than E-
  int exponentDigits = 0;   // Exponent
};

// A section of the mask read once: its tokens and what they demand of the number.
struct Mask {
  std::vector<Token> tokens;
  int integerPlaces = 0;
  int minIntegerDigits = 0;
  int fractionPlaces = 0;
  int minFractionDigits = 0;
  bool thousands = false;
  bool scientific = false;
  bool hasPlaces() const { return integerPlaces + fractionPlaces > 0; }
};

std::vector<AnsiString> splitSections(const AnsiString& format) {
  std::vector<AnsiString> sections(1);
  char quote = 0;
  for (char c : format) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

Mask readMask(const AnsiString& section) {
  Mask m;
  bool point = false;
  int firstIntegerZero = -1;
  for (size_t i = 0; i < section.size(); ++i) {
    char c = section[i];
    if (c == '"' || c == '\'') {
      size_t close = section.find(c, i + 1);
      if (close == AnsiString::npos) close = section.size();
      m.tokens.push_back({.kind = Token::Literal, .text = section.substr(i + 1, close - i - 1)});
      i = close;
    } else if ((c == '0' || c == '#') && !m.scientific) {
      Token t;
      t.kind = Token::Digit;
      t.zero = c == '0';
      t.afterPoint = point;
      if (point) {
        ++m.fractionPlaces;
        if (t.zero) m.minFractionDigits = m.fractionPlaces;
      } else {
        if (t.zero && firstIntegerZero < 0) firstIntegerZero = m.integerPlaces;
        ++m.integerPlaces;
      }
      m.tokens.push_back(t);
    } else if (c == '.' && !point && !m.scientific) {
      point = true;
      m.tokens.emplace_back();
      m.tokens.back().kind = Token::Point;
    } else if (c == ',' && !m.scientific) {
      if (!point) m.thousands = true;
    } else if ((c == 'E' || c == 'e') && !m.scientific && i + 1 < section.size() &&
               (section[i + 1] == '+' || section[i + 1] == '-')) {
      Token t{.kind = Token::Exponent, .text = AnsiString(1, c)};
      t.signAlways = section[++i] == '+';
      while (i + 1 < section.size() && section[i + 1] == '0') {
        ++t.exponentDigits;
        ++i;
      }
      m.scientific = true;
      m.tokens.push_back(t);
    } else if (c != '.') {
      m.tokens.push_back({.kind = Token::Literal, .text = AnsiString(1, c)});
    }
  }
  m.minIntegerDigits = firstIntegerZero < 0 ? 0 : m.integerPlaces - firstIntegerZero;
  return m;
}

// The number laid out for a mask: integer digits, fraction digits, exponent.
struct Layout {
  std::string integer;
  std::string fraction;
  int exponent = 0;
  bool zero = true;
};

Layout layOut(const Mask& m, double magnitude) {
  Layout l;
  qn::DecimalDigits d = qn::toDecimal(magnitude);
  if (m.scientific) {
    const int placesBeforePoint = std::max(m.integerPlaces, 1);
    qn::roundToSignificant(d, placesBeforePoint + m.fractionPlaces);
    l.zero = d.isZero();
    if (!l.zero) {
      l.exponent = d.exponent - placesBeforePoint;
      d.exponent = placesBeforePoint;
    }
  } else {
    qn::roundToDecimals(d, m.fractionPlaces);
    l.zero = d.isZero();
  }
  l.integer = d.integerDigits();
  if (static_cast<int>(l.integer.size()) < m.minIntegerDigits)
    l.integer.insert(0, m.minIntegerDigits - l.integer.size(), '0');
  l.fraction = d.fractionDigits(m.fractionPlaces);
  while (static_cast<int>(l.fraction.size()) > m.minFractionDigits && l.fraction.back() == '0')
    l.fraction.pop_back();
  return l;
}

AnsiString render(const Mask& m, const Layout& l) {
  const LocaleSettings& locale = Locale();
  AnsiString out;
  auto integerDigit = [&](size_t index) {
    out += l.integer[index];
    size_t remaining = l.integer.size() - 1 - index;
    if (m.thousands && remaining > 0 && remaining % 3 == 0) out += locale.ThousandSeparator;
  };
  auto allIntegerDigits = [&] {
    for (size_t k = 0; k < l.integer.size(); ++k) integerDigit(k);
  };
  const int extra = static_cast<int>(l.integer.size()) - m.integerPlaces;
  int integerPlace = 0;
  size_t fractionPlace = 0;
  for (const Token& t : m.tokens) {
    switch (t.kind) {
      case Token::Digit:
        if (t.afterPoint) {
          if (fractionPlace < l.fraction.size()) out += l.fraction[fractionPlace];
          ++fractionPlace;
        } else {
          int index = integerPlace++ + extra;
          if (integerPlace == 1)
            for (int k = 0; k < extra; ++k) integerDigit(k);
          if (index >= 0) integerDigit(index);
        }
        break;
      case Token::Point:
        if (m.integerPlaces == 0) allIntegerDigits();
        if (!l.fraction.empty()) out += locale.DecimalSeparator;
        break;
      case Token::Literal:
        out += t.text;
        break;
      case Token::Exponent: {
        AnsiString digits = std::to_string(std::abs(l.exponent));
        if (static_cast<int>(digits.size()) < t.exponentDigits)
          digits.insert(0, t.exponentDigits - digits.size(), '0');
        out += t.text + (l.exponent < 0 ? "-" : t.signAlways ? "+" : "") + digits;
        break;
      }
    }
  }
  return out;
}

}  // namespace

AnsiString FormatFloat(const AnsiString& format, double value) {
  if (auto text = qn::nonFiniteText(value)) return *text;
  if (format.empty()) return FloatToStr(value);
  const std::vector<AnsiString> sections = splitSections(format);
  auto present = [&](size_t i) { return sections.size() > i && !sections[i].empty(); };

  const bool negative = value < 0;
  const bool ownNegativeSection = negative && present(1);
  Mask mask = readMask(sections[ownNegativeSection ? 1 : 0]);
  Layout layout = layOut(mask, std::fabs(value));
  if (layout.zero && present(2)) {
    mask = readMask(sections[2]);
    layout = layOut(mask, 0);
  }
  AnsiString text = render(mask, layout);
  const bool minus = negative && !ownNegativeSection && !layout.zero && mask.hasPlaces();
  return minus ? "-" + text : text;
}
