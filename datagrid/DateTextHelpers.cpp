#include "datagrid/DateTextHelpers.h"

#include <cctype>

#include "framework/base/FloatText.h"
#include "framework/base/Locale.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"

namespace {

// Reading position over a text, counted from 1.
struct Cursor {
  const AnsiString& text;
  int& pos;

  bool atEnd() const { return pos < 1 || pos > static_cast<int>(text.size()); }
  char current() const { return atEnd() ? '\0' : text[pos - 1]; }
  void skipBlanks() {
    while (current() == ' ') ++pos;
  }
  // Blanks, then Ch; the position moves only when Ch is there.
  bool take(char ch) {
    const int start = pos;
    skipBlanks();
    if (!atEnd() && current() == ch) {
      ++pos;
      return true;
    }
    pos = start;
    return false;
  }
  // Blanks, then Word (without regard to case); the position moves only when the word is there.
  bool takeWord(const AnsiString& word) {
    if (word.empty()) return false;
    const int start = pos;
    skipBlanks();
    if (!atEnd() && AnsiUpperCase(Copy(text, pos, static_cast<int>(word.size()))) == AnsiUpperCase(word)) {
      pos += static_cast<int>(word.size());
      return true;
    }
    pos = start;
    return false;
  }
  // Blanks, then up to four digits, or else a short month name giving its month number.
  bool number(int& value) {
    skipBlanks();
    if (atEnd()) return false;
    if (std::isdigit(static_cast<unsigned char>(current()))) {
      value = 0;
      while (!atEnd() && std::isdigit(static_cast<unsigned char>(current())) && value <= 999) {
        value = value * 10 + (current() - '0');
        ++pos;
      }
      return true;
    }
    const AnsiString word = AnsiUpperCase(Copy(text, pos, 3));
    const auto& names = Locale().ShortMonthNames;
    for (int month = 1; month <= 12; ++month) {
      if (AnsiUpperCase(names[month - 1]) == word) {
        value = month;
        pos += 3;
        return true;
      }
    }
    return false;
  }
};

bool scanDate(Cursor& in, TDateTime& date) {
  const int order = GetDateOrder(Locale().ShortDateFormat);
  const char separator = Locale().DateSeparator;
  int n1, n2, n3;
  if (!in.number(n1) || !in.take(separator) || !in.number(n2)) return false;
  int year, month, day;
  if (in.take(separator)) {
    if (!in.number(n3)) return false;
    switch (order) {
      case doDMY: day = n1, month = n2, year = n3; break;
      case doYMD: year = n1, month = n2, day = n3; break;
      default: month = n1, day = n2, year = n3; break;
    }
    if (year < 100) year += year > 50 ? 1900 : 2000;
  } else {
    year = CurrentYear();
    if (order == doDMY)
      day = n1, month = n2;
    else
      month = n1, day = n2;
  }
  in.skipBlanks();
  return TryEncodeDateParts(year, month, day, date);
}

bool scanTime(Cursor& in, TDateTime& time) {
  const char separator = Locale().TimeSeparator;
  int hour, min, sec = 0;
  if (!in.number(hour) || !in.take(separator) || !in.number(min)) return false;
  if (in.take(separator) && !in.number(sec)) return false;
  int offset = -1;
  if (in.takeWord(Locale().TimeAMString) || in.takeWord("AM"))
    offset = 0;
  else if (in.takeWord(Locale().TimePMString) || in.takeWord("PM"))
    offset = 12;
  if (offset >= 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + offset;
  }
  in.skipBlanks();
  return TryEncodeTimeParts(hour, min, sec, 0, time);
}

// A scanner's answer with the position put back when the text does not scan.
template <class Scan>
bool scanFrom(const AnsiString& text, int& pos, TDateTime& value, Scan scan) {
  const int start = pos;
  Cursor in{text, pos};
  if (!in.atEnd() && scan(in, value)) return true;
  pos = start;
  return false;
}

bool usesWholeText(const AnsiString& text, int pos) { return pos > static_cast<int>(text.size()); }

}  // namespace

int GetDateOrder(const AnsiString& Format) {
  for (char c : Format) {
    switch (c) {
      case 'd': case 'D': return doDMY;
      case 'm': case 'M': return doMDY;
      case 'y': case 'Y': return doYMD;
    }
  }
  return doMDY;
}

int NextDayOfMonth(int Year, int Month, int Day) { return Day >= DaysInAMonth(Year, Month) ? 1 : Day + 1; }

int PrevDayOfMonth(int Year, int Month, int Day) { return Day <= 1 ? DaysInAMonth(Year, Month) : Day - 1; }

bool ScanDateText(const AnsiString& Text, int& Pos, TDateTime& Date) { return scanFrom(Text, Pos, Date, scanDate); }

bool ScanTimeText(const AnsiString& Text, int& Pos, TDateTime& Time) { return scanFrom(Text, Pos, Time, scanTime); }

bool IsDateText(const AnsiString& Text) {
  int pos = 1;
  TDateTime date;
  return ScanDateText(Text, pos, date) && usesWholeText(Text, pos);
}

bool IsTimeText(const AnsiString& Text) {
  int pos = 1;
  TDateTime time;
  return ScanTimeText(Text, pos, time) && usesWholeText(Text, pos);
}

TDateTime DateTimeTextToValue(const AnsiString& Text) {
  int pos = 1;
  TDateTime date, time;
  if (!ScanDateText(Text, pos, date) || !ScanTimeText(Text, pos, time) || !usesWholeText(Text, pos)) return 0;
  // Joined the framework's way: before 30 Dec 1899 a plain sum would move the day.
  return ComposeDateTime(date, time);
}

bool IsDateTimeText(const AnsiString& Text) {
  int pos = 1;
  TDateTime date, time;
  return ScanDateText(Text, pos, date) && ScanTimeText(Text, pos, time) && usesWholeText(Text, pos);
}

TDateTime DateTextToValue(const AnsiString& Text) {
  int pos = 1;
  TDateTime date;
  return ScanDateText(Text, pos, date) ? date : 0;
}

TDateTime TimeTextToValue(const AnsiString& Text) {
  int pos = 1;
  TDateTime time;
  return ScanTimeText(Text, pos, time) && usesWholeText(Text, pos) ? time : 0;
}

bool IsIntegerText(const AnsiString& Text) {
  for (size_t i = 0; i < Text.size(); ++i) {
    const char c = Text[i];
    if (c == '-' && i == 0 && Text.size() > 1) continue;
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsFloatText(const AnsiString& Text) {
  double value;
  return Text.empty() || TryStrToFloat(Copy(Text, 1, 63), value);
}
