#include "framework/base/DateParse.h"

#include <cctype>
#include <strings.h>

#include "framework/base/Exception.h"
#include "framework/base/Locale.h"

namespace {

enum class DateOrder { MDY, DMY, YMD };

DateOrder dateOrder(const AnsiString& shortDateFormat) {
  for (char c : shortDateFormat) {
    switch (std::tolower(static_cast<unsigned char>(c))) {
      case 'd': return DateOrder::DMY;
      case 'm': return DateOrder::MDY;
      case 'y': return DateOrder::YMD;
    }
  }
  return DateOrder::MDY;
}

int windowedYear(int twoDigitYear) {
  const int window = Locale().TwoDigitYearCenturyWindow;
  const int threshold = CurrentYear() - (window > 0 ? window : 0);
  int year = twoDigitYear + threshold / 100 * 100;
  if (window > 0 && year < threshold) year += 100;
  return year;
}

class Scanner {
 public:
  explicit Scanner(const AnsiString& s) : s_(s) {}

  bool atEnd() {
    blanks();
    return pos_ >= s_.size();
  }

  bool date(TDateTime& value) {
    const LocaleSettings& locale = Locale();
    int n1, n2, n3, len1, len2, len3;
    if (!number(n1, len1) || !separator(locale.DateSeparator) || !number(n2, len2)) return false;
    int year, month, day, yearLength;
    const DateOrder order = dateOrder(locale.ShortDateFormat);
    if (separator(locale.DateSeparator)) {
      if (!number(n3, len3)) return false;
      switch (order) {
        case DateOrder::MDY: year = n3, yearLength = len3, month = n1, day = n2; break;
        case DateOrder::DMY: year = n3, yearLength = len3, month = n2, day = n1; break;
        case DateOrder::YMD: year = n1, yearLength = len1, month = n2, day = n3; break;
      }
    } else {
      year = CurrentYear();
      yearLength = 4;
      month = order == DateOrder::DMY ? n2 : n1;
      day = order == DateOrder::DMY ? n1 : n2;
    }
    if (yearLength <= 2) year = windowedYear(year);
    return TryEncodeDate(year, month, day, value);
  }

  bool time(TDateTime& value) {
    const LocaleSettings& locale = Locale();
    int hour, min = 0, sec = 0, msec = 0, length;
    if (!number(hour, length)) return false;
    if (separator(locale.TimeSeparator)) {
      if (!number(min, length)) return false;
      if (separator(locale.TimeSeparator)) {
        if (!number(sec, length)) return false;
        if (separator(locale.DecimalSeparator) && !number(msec, length)) return false;
      }
    }
    blanks();
    int offset = -1;
    if (word(locale.TimeAMString) || word("AM")) offset = 0;
    else if (word(locale.TimePMString) || word("PM")) offset = 12;
    if (offset >= 0) {
      if (hour == 0 || hour > 12) return false;
      hour = hour % 12 + offset;
    }
    return TryEncodeTime(hour, min, sec, msec, value);
  }

 private:
  void blanks() {
    while (pos_ < s_.size() && s_[pos_] == ' ') ++pos_;
  }

  // Up to four digits after blanks.
  bool number(int& value, int& length) {
    blanks();
    value = 0;
    length = 0;
    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])) && length < 4) {
      value = value * 10 + (s_[pos_++] - '0');
      ++length;
    }
    return length > 0;
  }

  bool separator(char c) {
    size_t start = pos_;
    blanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    pos_ = start;
    return false;
  }

  bool word(const AnsiString& w) {
    if (w.empty() || s_.size() - pos_ < w.size() || strncasecmp(s_.c_str() + pos_, w.c_str(), w.size()) != 0)
      return false;
    pos_ += w.size();
    return true;
  }

  const AnsiString& s_;
  size_t pos_ = 0;
};

}  // namespace

bool TryStrToDate(const AnsiString& s, TDateTime& value) {
  Scanner scan(s);
  TDateTime date;
  if (!scan.date(date) || !scan.atEnd()) return false;
  value = date;
  return true;
}

bool TryStrToTime(const AnsiString& s, TDateTime& value) {
  Scanner scan(s);
  TDateTime time;
  if (!scan.time(time) || !scan.atEnd()) return false;
  value = time;
  return true;
}

bool TryStrToDateTime(const AnsiString& s, TDateTime& value) {
  Scanner scan(s);
  TDateTime date, time;
  if (scan.date(date)) {
    if (scan.atEnd()) {
      value = date;
      return true;
    }
    if (scan.time(time) && scan.atEnd()) {
      value = ComposeDateTime(date, time);
      return true;
    }
    return false;
  }
  return TryStrToTime(s, value);
}

namespace {

template <typename Try>
TDateTime orRaise(Try tryConvert, const AnsiString& s, const char* what) {
  TDateTime value;
  if (!tryConvert(s, value)) throw EConvertError("'" + s + "' is not a valid " + what);
  return value;
}

template <typename Try>
TDateTime orDefault(Try tryConvert, const AnsiString& s, TDateTime defaultValue) {
  TDateTime value;
  return tryConvert(s, value) ? value : defaultValue;
}

}  // namespace

TDateTime StrToDate(const AnsiString& s) { return orRaise(TryStrToDate, s, "date"); }
TDateTime StrToTime(const AnsiString& s) { return orRaise(TryStrToTime, s, "time"); }
TDateTime StrToDateTime(const AnsiString& s) { return orRaise(TryStrToDateTime, s, "date and time"); }

TDateTime StrToDateDef(const AnsiString& s, TDateTime d) { return orDefault(TryStrToDate, s, d); }
TDateTime StrToTimeDef(const AnsiString& s, TDateTime d) { return orDefault(TryStrToTime, s, d); }
TDateTime StrToDateTimeDef(const AnsiString& s, TDateTime d) { return orDefault(TryStrToDateTime, s, d); }
