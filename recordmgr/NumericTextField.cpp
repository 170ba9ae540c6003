#include "recordmgr/NumericTextField.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "recordmgr/DecimalText.h"

namespace {

// Longer texts are cut before they are read or written.
constexpr size_t kLongestText = 40;

std::optional<double> readSignedDigits(const std::string& text, int decimals) {
  if (text.empty()) return std::nullopt;
  std::string digits = text.substr(0, text.size() - 1);
  std::string number = InsertDecimalPoint(digits, decimals);
  if (number.size() > kLongestText) number.resize(kLongestText);
  std::optional<double> value = ParseDecimalText(number);
  if (!value) return std::nullopt;
  return text.back() == '+' || *value == 0 ? *value : -*value;
}

// The trailing-sign text of size bytes: digits right-aligned behind zeros, then the sign.
std::optional<std::string> signedDigits(double value, size_t size, int decimals) {
  std::optional<FixedDigits> fixed = ToFixedDigits(value, decimals);
  if (size == 0 || !fixed || fixed->digits.size() > std::min(size - 1, kLongestText)) return std::nullopt;
  std::string text(size - 1 - fixed->digits.size(), '0');
  text += fixed->digits;
  text += fixed->negative ? '-' : '+';
  return text;
}

}  // namespace

std::optional<double> ReadTrailingSignText(const uint8_t* stored, size_t size, int decimals) {
  return readSignedDigits(std::string(reinterpret_cast<const char*>(stored), size), decimals);
}

std::optional<double> ReadOverpunchedText(const uint8_t* stored, size_t size, int decimals) {
  if (size == 0) return std::nullopt;
  std::string text(reinterpret_cast<const char*>(stored), size);
  char& last = text.back();
  char sign = '+';
  if (last == '{') {
    last = '0';
  } else if (last == '}') {
    last = '0', sign = '-';
  } else if (last >= 'A' && last <= 'I') {
    last = static_cast<char>(last - 16);
  } else if (last >= 'J' && last <= 'R') {
    last = static_cast<char>(last - 25), sign = '-';
  }
  return readSignedDigits(text + sign, decimals);
}

bool WriteTrailingSignText(double value, uint8_t* stored, size_t size, int decimals) {
  std::optional<std::string> text = signedDigits(value, size, decimals);
  if (!text) return false;
  std::memcpy(stored, text->data(), size);
  return true;
}

bool WriteOverpunchedText(double value, uint8_t* stored, size_t size, int decimals) {
  std::optional<std::string> text = signedDigits(value, size + 1, decimals);
  if (!text) return false;
  const bool negative = text->back() == '-';
  char& last = (*text)[size - 1];
  if (last == '0')
    last = negative ? '}' : '{';
  else
    last = static_cast<char>(last + (negative ? 25 : 16));
  std::memcpy(stored, text->data(), size);
  return true;
}
