#include "framework/base/DateFormat.h"

#include <cctype>
#include <strings.h>

#include "framework/base/Locale.h"

namespace {

AnsiString twoDigits(int v) { return v < 10 ? "0" + std::to_string(v) : std::to_string(v); }

bool startsWithNoCase(const AnsiString& s, size_t pos, const char* word) {
  size_t n = std::char_traits<char>::length(word);
  return s.size() - pos >= n && strncasecmp(s.c_str() + pos, word, n) == 0;
}

// True when an AM/PM marker stands in the format at or after pos, outside quotes.
bool amPmFollows(const AnsiString& f, size_t pos) {
  char quote = 0;
  for (; pos < f.size(); ++pos) {
    char c = f[pos];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (startsWithNoCase(f, pos, "am/pm") || startsWithNoCase(f, pos, "a/p") ||
               startsWithNoCase(f, pos, "ampm")) {
      return true;
    }
  }
  return false;
}

class DateTimeWriter {
 public:
  explicit DateTimeWriter(TDateTime value) {
    DecodeDate(value, year_, month_, day_);
    DecodeTime(value, hour_, minute_, second_, msec_);
    dayOfWeek_ = DayOfWeek(value);
  }

  // depth stops formats that name themselves (a "c" inside ShortDateFormat).
  void write(const AnsiString& f, int depth = 0) {
    if (depth > 2) return;
    const LocaleSettings& locale = Locale();
    char lastLetter = 0;
    for (size_t i = 0; i < f.size();) {
      char c = f[i];
      char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      size_t run = 1;
      while (i + run < f.size() && std::tolower(static_cast<unsigned char>(f[i + run])) == lower) ++run;
      switch (lower) {
        case '"':
        case '\'': {
          size_t close = f.find(c, i + 1);
          if (close == AnsiString::npos) close = f.size();
          out_.append(f, i + 1, close - i - 1);
          i = close + 1;
          continue;
        }
        case 'c':
          write(locale.ShortDateFormat, depth + 1);
          if (hour_ || minute_ || second_ || msec_) {
            out_ += ' ';
            write(locale.LongTimeFormat, depth + 1);
          }
          run = 1;
          break;
        case 'd':
          if (run == 1) out_ += std::to_string(day_);
          else if (run == 2) out_ += twoDigits(day_);
          else if (run == 3) out_ += locale.ShortDayNames[dayOfWeek_ - 1];
          else if (run == 4) out_ += locale.LongDayNames[dayOfWeek_ - 1];
          else if (run == 5) write(locale.ShortDateFormat, depth + 1);
          else {
            write(locale.LongDateFormat, depth + 1);
            run = 6;
          }
          break;
        case 'm':
          if (lastLetter == 'h') {
            run = std::min<size_t>(run, 2);
            out_ += run == 1 ? std::to_string(minute_) : twoDigits(minute_);
          } else if (run == 1) {
            out_ += std::to_string(month_);
          } else if (run == 2) {
            out_ += twoDigits(month_);
          } else if (run == 3) {
            out_ += locale.ShortMonthNames[month_ - 1];
          } else {
            out_ += locale.LongMonthNames[month_ - 1];
            run = 4;
          }
          break;
        case 'y':
          if (run <= 2) {
            out_ += twoDigits(year_ % 100);
          } else {
            AnsiString y = std::to_string(year_);
            out_ += AnsiString(4 - std::min<size_t>(4, y.size()), '0') + y;
            run = std::min<size_t>(run, 4);
          }
          break;
        case 'h': {
          run = std::min<size_t>(run, 2);
          int h = hour_;
          if (amPmFollows(f, i + run)) h = h % 12 == 0 ? 12 : h % 12;
          out_ += run == 1 ? std::to_string(h) : twoDigits(h);
          break;
        }
        case 'n':
          run = std::min<size_t>(run, 2);
          out_ += run == 1 ? std::to_string(minute_) : twoDigits(minute_);
          break;
        case 's':
          run = std::min<size_t>(run, 2);
          out_ += run == 1 ? std::to_string(second_) : twoDigits(second_);
          break;
        case 'z':
          if (run < 3) {
            out_ += std::to_string(msec_);
          } else {
            AnsiString ms = std::to_string(msec_);
            out_ += AnsiString(3 - ms.size(), '0') + ms;
            run = 3;
          }
          break;
        case 't':
          run = std::min<size_t>(run, 2);
          write(run == 1 ? locale.ShortTimeFormat : locale.LongTimeFormat, depth + 1);
          break;
        case 'a':
          run = amPm(f, i);
          break;
        case '/':
          run = 1;
          out_ += locale.DateSeparator;
          break;
        case ':':
          run = 1;
          out_ += locale.TimeSeparator;
          break;
        default:
          out_.append(f, i, run);
          break;
      }
      if (std::isalpha(static_cast<unsigned char>(lower))) lastLetter = lower;
      i += run;
    }
  }

  const AnsiString& text() const { return out_; }

 private:
  // Writes the marker at f[i] (or the 'a' itself) and answers how many characters it took.
  size_t amPm(const AnsiString& f, size_t i) {
    const bool pm = hour_ >= 12;
    if (startsWithNoCase(f, i, "am/pm")) {
      const char* word = pm ? "pm" : "am";
      const bool capital = std::isupper(static_cast<unsigned char>(f[i + (pm ? 3 : 0)]));
      for (const char* p = word; *p; ++p) out_ += capital ? static_cast<char>(std::toupper(*p)) : *p;
      return 5;
    }
    if (startsWithNoCase(f, i, "a/p")) {
      char marker = f[i + (pm ? 2 : 0)];
      out_ += marker;
      return 3;
    }
    if (startsWithNoCase(f, i, "ampm")) {
      out_ += pm ? Locale().TimePMString : Locale().TimeAMString;
      return 4;
    }
    out_ += f[i];
    return 1;
  }

  int year_, month_, day_, hour_, minute_, second_, msec_, dayOfWeek_;
  AnsiString out_;
};

}  // namespace

AnsiString FormatDateTime(const AnsiString& format, TDateTime value) {
  DateTimeWriter writer(value);
  writer.write(format);
  return writer.text();
}

AnsiString DateToStr(TDateTime date) { return FormatDateTime("ddddd", date); }
AnsiString TimeToStr(TDateTime time) { return FormatDateTime("tt", time); }
AnsiString DateTimeToStr(TDateTime dateTime) { return FormatDateTime("c", dateTime); }
