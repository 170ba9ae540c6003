#include "dialogs/CaseCodeTexts.h"

#include <cstring>

namespace {

// The members of a bit set, the highest bit first, joined by blanks.
AnsiString members(int bits, const char* const names[], int count) {
  AnsiString text;
  for (int i = 0; i < count; ++i) {
    if (!(bits & (1 << (count - 1 - i)))) continue;
    if (!text.empty()) text += ' ';
    text += names[i];
  }
  return text;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

AnsiString SalesTaxText(const AnsiString& code) {
  static const char* const texts[] = {"None", "IC", "DC", "DC IC", "F", "F IC", "F DC", "All"};
  if (code.size() != 1 || code[0] < '0' || code[0] > '7') return "None";
  return texts[code[0] - '0'];
}

bool FinanceChargeOn(const AnsiString& code) {
  if (code == "Y") return true;
  return code.size() == 1 && hexDigit(code[0]) >= 8;
}

int ElectronicBillingCode(const AnsiString& code) {
  if (code == "N" || code == "Y") return 0;
  const int digit = code.size() == 1 ? hexDigit(code[0]) : -1;
  return digit < 0 ? -1 : digit & 7;
}

AnsiString ElectronicBillingText(const AnsiString& code) {
  static const char* const names[] = {"T", "A", "E"};
  const int bits = ElectronicBillingCode(code);
  return bits <= 0 ? AnsiString() : members(bits, names, 3);
}

AnsiString RetainerTransferText(const AnsiString& code) {
  static const char* const names[] = {"F", "DC", "IC", "FC", "ST"};
  static const char marks[] = "!@#$%";
  if (code.size() != 1) return "";
  const char c = code[0];
  int bits = 0;
  if (c >= 'A' && c <= 'Z') bits = c - 'A' + 1;
  else if (const char* at = std::strchr(marks, c); at && c) bits = 27 + static_cast<int>(at - marks);
  if (bits == 31) return "All";
  return members(bits, names, 5);
}
