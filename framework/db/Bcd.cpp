#include "framework/db/Bcd.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "framework/base/CNotation.h"
#include "framework/db/DatabaseError.h"

BcdValue DoubleToBcd(double value, int precision, int places) {
  precision = std::clamp(precision, 1, 64);
  places = std::clamp(places, 0, std::min(precision, 63));
  char text[400];
  qn::PrintCNotation(text, sizeof text, "%.*f", places, std::fabs(value));
  std::string digits;
  for (const char* p = text; *p; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  // digits = whole part then exactly `places` decimals; drop leading zeros of the whole part.
  size_t whole = digits.size() - places;
  size_t skip = 0;
  while (skip < whole && digits[skip] == '0') ++skip;
  digits.erase(0, skip);
  if (static_cast<int>(digits.size()) > precision) DatabaseError("BCD overflow");
  digits.insert(0, precision - digits.size(), '0');

  BcdValue bcd;
  bcd.precision = static_cast<uint8_t>(precision);
  bool zero = digits.find_first_not_of('0') == std::string::npos;
  bcd.signAndPlaces = static_cast<uint8_t>(places | (value < 0 && !zero ? 0x80 : 0));
  for (int i = 0; i < precision; ++i) {
    uint8_t d = static_cast<uint8_t>(digits[i] - '0');
    bcd.digits[i / 2] |= (i % 2 == 0) ? static_cast<uint8_t>(d << 4) : d;
  }
  return bcd;
}

double BcdToDouble(const BcdValue& bcd) {
  int places = bcd.signAndPlaces & 0x3F;
  std::string text = (bcd.signAndPlaces & 0x80) ? "-" : "";
  int precision = std::min<int>(bcd.precision, 64);
  for (int i = 0; i < precision; ++i) {
    if (i == precision - places) text += '.';
    uint8_t b = bcd.digits[i / 2];
    text += static_cast<char>('0' + ((i % 2 == 0) ? (b >> 4) : (b & 0x0F)));
  }
  return text.empty() || text == "-" ? 0 : qn::ParseCNotation(text.c_str());
}
