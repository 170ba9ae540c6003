#include "editors/DateTimeCompletion.h"

#include <cctype>

#include "datagrid/DateTextHelpers.h"
#include "datagrid/DateTimeParts.h"
#include "framework/base/Locale.h"
#include "framework/base/TextCase.h"

namespace {

int count(const AnsiString& text, char c) {
  int n = 0;
  for (char t : text) n += t == c;
  return n;
}

bool endsWith(const AnsiString& text, char c) { return !text.empty() && text.back() == c; }

AnsiString digits(int value, bool twoDigits) {
  return (twoDigits && value < 10 ? "0" : "") + std::to_string(value);
}

// The time portion: what follows the date of a date-time text.
AnsiString timePortion(const AnsiString& text, DateTimeContent content) {
  if (content == DateTimeContent::time) return text;
  const size_t blank = text.find(' ');
  return blank == AnsiString::npos ? AnsiString() : text.substr(blank + 1);
}

bool showsAmPm(const AnsiString& time) {
  const LocaleSettings& locale = Locale();
  const AnsiString upper = UpperCase(time);
  for (const AnsiString* marker : {&locale.TimeAMString, &locale.TimePMString})
    if (!marker->empty() && upper.find(static_cast<char>(std::toupper(static_cast<unsigned char>((*marker)[0])))) !=
                                AnsiString::npos)
      return true;
  return false;
}

}  // namespace

AnsiString CompleteDateTimeOnSpace(const AnsiString& Text, DateTimeContent Content, TDateTime Now) {
  const LocaleSettings& locale = Locale();
  const char dateSep = locale.DateSeparator;
  const char timeSep = locale.TimeSeparator;
  AnsiString text = Text;
  const int separators = count(text, dateSep);
  const bool completeDate = separators >= 2 && !endsWith(text, dateSep);
  const int caret = static_cast<int>(text.size());

  int part;
  if (Content == DateTimeContent::time) {
    part = GetTimePartAtCaret(caret, text);
  } else if (text.empty()) {
    const int order = GetDateOrder(locale.ShortDateFormat);
    part = order == doDMY ? dtpDay : order == doYMD ? dtpYear : dtpMonth;
  } else if (separators < 2 && !endsWith(text, dateSep)) {
    return text + dateSep;
  } else {
    part = GetDateTimePartAtCaret(caret, text, false);
  }
  if ((completeDate || Content == DateTimeContent::time) && part <= dtpYear) part = dtpHour;

  int year, month, day, hour, minute, second, msec;
  DecodeDate(Now, year, month, day);
  DecodeTime(Now, hour, minute, second, msec);
  const AnsiString format = LowerCase(locale.ShortDateFormat);

  if (part <= dtpYear) {
    if (part == dtpDay) text += digits(day, format.find("dd") != AnsiString::npos);
    else if (part == dtpMonth) text += digits(month, format.find("mm") != AnsiString::npos);
    else text += format.find("yyyy") != AnsiString::npos ? digits(year, true) : digits(year % 100, true);
    if (!endsWith(text, dateSep) && count(text, dateSep) < 2) text += dateSep;
    return text;
  }

  if (Content == DateTimeContent::date) return text;
  const AnsiString time = timePortion(text, Content);
  const bool hasAm = !locale.TimeAMString.empty();
  const bool completeTime = count(time, timeSep) >= 2 && !endsWith(time, timeSep);
  if (hasAm ? showsAmPm(time) : completeTime) return text;
  if (part == dtpSecond && completeTime) part = dtpAmPm;

  switch (part) {
    case dtpHour:
      if (Content == DateTimeContent::dateTime && !endsWith(text, ' ')) return text + ' ';
      text += hasAm ? std::to_string(hour % 12 == 0 ? 12 : hour % 12) : std::to_string(hour);
      text += timeSep;
      break;
    case dtpMinute:
      if (!endsWith(text, timeSep)) return text + timeSep;
      text += digits(minute, true) + timeSep;
      break;
    case dtpSecond:
      text += digits(second, true);
      break;
    default:
      if (!endsWith(text, ' ')) text += ' ';
      text += hour < 12 ? locale.TimeAMString : locale.TimePMString;
      break;
  }
  return text;
}
