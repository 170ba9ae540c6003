#include "testing/HexText.h"

namespace qn::testing {

std::string hexText(std::string_view bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string text;
  for (unsigned char b : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[b >> 4];
    text += digits[b & 0xF];
  }
  return text;
}

}  // namespace qn::testing
