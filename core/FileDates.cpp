#include "core/FileDates.h"

#include <cmath>

#include "core/Constants.h"
#include "core/MessageBoxes.h"
#include "framework/base/DateFormat.h"
#include "framework/base/DateParse.h"
#include "framework/base/FloatText.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"

bool LastDateConversionFailed = false;

namespace {

constexpr int kFirstYear = 1980;
const AnsiString kFallbackFileDate = "010101";
const AnsiString kFallbackDisplay = "01/01/81";
const AnsiString kFallbackDateText = "Date 01/01/1981 will be used. ";
const AnsiString kFallbackDisplayText = "Date 01/01/81 will be used. ";

TDateTime fallbackDate() { return EncodeDate(1981, 1, 1); }

void report(bool quiet, const AnsiString& message) {
  if (!quiet) ShowErrorBox(message + CallSupportText);
}

bool allDigits(const AnsiString& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// The digits of a record-file date, checked only for their form.
struct FileDateDigits {
  AnsiString yy, mm, dd;
  int year() const { return kFirstYear + std::stoi(yy); }
  int month() const { return std::stoi(mm); }
  int day() const { return std::stoi(dd); }
  bool exists() const {
    TDateTime ignored;
    return TryEncodeDate(year(), month(), day(), ignored);
  }
};

FileDateDigits digitsOf(const AnsiString& sixDigits) {
  return {sixDigits.substr(0, 2), sixDigits.substr(2, 2), sixDigits.substr(4, 2)};
}

// Shared by both display forms: the checks and messages differ only in their words.
struct DisplayMessages {
  AnsiString notInteger, badLength, cannotBuild;
};

void fileDateToDisplay(const AnsiString& fileDate, bool quiet, AnsiString& display, bool fourDigitYear,
                       const DisplayMessages& messages) {
  LastDateConversionFailed = true;
  display = kFallbackDisplay;
  SetFileDateYearWindow();
  const AnsiString text = Trim(fileDate);
  if (!allDigits(text)) return report(quiet, messages.notInteger);
  if (text.size() != 6) return report(quiet, messages.badLength);
  const FileDateDigits digits = digitsOf(text);
  if (!digits.exists()) return report(quiet, messages.cannotBuild);
  const AnsiString year = fourDigitYear ? IntToStr(digits.year()) : Format("%.2d", {(digits.year() % 100)});
  display = JoinDateParts(SystemDateOrder(), digits.dd, digits.mm, year, Locale().DateSeparator);
  LastDateConversionFailed = false;
}

}  // namespace

char SystemDateOrder() {
  const AnsiString first = UpperCase(Copy(Locale().ShortDateFormat, 1, 1));
  return first == "D" || first == "Y" ? first[0] : 'M';
}

AnsiString JoinDateParts(char Order, const AnsiString& Day, const AnsiString& Month, const AnsiString& Year,
                         char Separator) {
  const AnsiString sep(1, Separator);
  switch (Order) {
    case 'D': return Day + sep + Month + sep + Year;
    case 'Y': return Year + sep + Month + sep + Day;
    default: return Month + sep + Day + sep + Year;
  }
}

void SetFileDateYearWindow() { Locale().TwoDigitYearCenturyWindow = CurrentYear() - kFirstYear; }

void DateToFileDate(bool Quiet, AnsiString& FileDate, TDateTime Date) {
  LastDateConversionFailed = true;
  FileDate = kFallbackFileDate;
  const bool decodable = std::isfinite(Date) && Date >= EncodeDate(1, 1, 1) && Date < EncodeDate(9999, 12, 31) + 1;
  int year = 0, month = 0, day = 0;
  if (decodable) DecodeDate(Date, year, month, day);
  if (year < kFirstYear || year >= kFirstYear + 100) {
    const AnsiString shown = decodable ? DateToStr(Date) : FloatToStr(Date);
    return report(Quiet, "Invalid date (" + shown + ") cannot convert to QN file format. " + kFallbackDateText);
  }
  FileDate = Format("%.2d%.2d%.2d", {year - kFirstYear, month, day});
  LastDateConversionFailed = false;
}

TDateTime FileDateToDate(const AnsiString& FileDate, bool Quiet) {
  LastDateConversionFailed = true;
  SetFileDateYearWindow();
  const AnsiString text = Trim(FileDate);
  if (text.size() != 6 || !allDigits(text)) {
    report(Quiet, "Invalid date - must be 6 integers. (" + text + ") " + kFallbackDateText);
    return fallbackDate();
  }
  const FileDateDigits digits = digitsOf(text);
  TDateTime date;
  if (!TryEncodeDate(digits.year(), digits.month(), digits.day(), date)) {
    const AnsiString shown = JoinDateParts(SystemDateOrder() == 'D' ? 'D' : 'M', digits.dd, digits.mm,
                                           IntToStr(digits.year()), '/');
    report(Quiet, "Invalid QN file date  " + shown + kFallbackDateText);
    return fallbackDate();
  }
  LastDateConversionFailed = false;
  return date;
}

void FileDateToDisplay4(const AnsiString& FileDate, bool Quiet, AnsiString& Display) {
  const AnsiString text = Trim(FileDate);
  const AnsiString closing = ")  Can't convert to QN display date. " + kFallbackDisplayText;
  fileDateToDisplay(FileDate, Quiet, Display, true,
                    {"Invalid QN file date - must be 6 integers. (" + text + closing,
                     "Invalid QN file date length - Must be 6 integers. (" + text + closing,
                     "Can't convert QN file date to QN display date. DateFormat = " + Locale().ShortDateFormat +
                         ". QN file date = " + text + ". " + kFallbackDateText});
}

void FileDateToDisplay(const AnsiString& FileDate, bool Quiet, AnsiString& Display) {
  const AnsiString text = Trim(FileDate);
  const AnsiString badForm =
      "Invalid QN file date length - Must be 6 integers. (" + text + ")  Can't convert to QN display date. " +
      kFallbackDisplayText;
  fileDateToDisplay(FileDate, Quiet, Display, false,
                    {badForm, badForm,
                     "Can't convert QN file date to QN display date. DateFormat = " + Locale().ShortDateFormat +
                         ".  QN file date = " + text + ". " + kFallbackDisplayText});
}

void DisplayToFileDate(const AnsiString& Display, bool Quiet, AnsiString& FileDate) {
  LastDateConversionFailed = true;
  FileDate = kFallbackFileDate;
  SetFileDateYearWindow();
  TDateTime date;
  if (!TryStrToDate(Display, date))
    return report(Quiet, "Invalid QN display date - date = " + Display + ".  Can't convert to QN file date. " +
                             kFallbackDateText);
  DateToFileDate(Quiet, FileDate, date);
}
