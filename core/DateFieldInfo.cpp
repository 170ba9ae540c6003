#include "core/DateFieldInfo.h"

#include "core/FileDates.h"
#include "core/StringFieldInfo.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/StringUtils.h"

namespace {

constexpr int kFirstYear = 1980;

struct StoredDate {
  int yy = 0, month = 0, day = 0;
};

// The stored digits, when the text is six of them.
bool readStored(const AnsiString& text, StoredDate& out) {
  if (text.size() != 6) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  out = {std::stoi(text.substr(0, 2)), std::stoi(text.substr(2, 2)), std::stoi(text.substr(4, 2))};
  return true;
}

}  // namespace

void TDateFieldInfo::SetAsString(const AnsiString& s) { Text = FitToFieldWidth(s, Size); }

TDateTime TDateFieldInfo::GetAsDate() {
  SetFileDateYearWindow();
  StoredDate stored;
  TDateTime date;
  if (readStored(Text, stored) && TryEncodeDate(kFirstYear + stored.yy, stored.month, stored.day, date)) return date;
  return Date();
}

void TDateFieldInfo::SetAsDate(TDateTime d) {
  AnsiString fileDate;
  DateToFileDate(true, fileDate, d);
  if (!LastDateConversionFailed) Text = fileDate;
}

AnsiString TDateFieldInfo::GetDisplayText() {
  StoredDate stored;
  if (Trim(Text).empty()) {
    DisplayText = AnsiString(8, ' ');
  } else if (readStored(Text, stored)) {
    const AnsiString year = FourDigitYear ? IntToStr(kFirstYear + stored.yy) : Format("%.2d", {(stored.yy + 80) % 100});
    DisplayText = JoinDateParts(OrderLetter, Text.substr(4, 2), Text.substr(2, 2), year, Locale().DateSeparator);
  } else {
    DisplayText = "xx/xx/xx";
  }
  return DisplayText;
}

Variant TDateFieldInfo::GetAsVariant() { return Variant::FromDateTime(GetAsDate()); }

void TDateFieldInfo::SetAsVariant(const Variant& v) { SetAsDate(v.AsFloat()); }
