#include "editors/DateTimeSections.h"

#include <cctype>
#include <strings.h>

#include "framework/base/DateFormat.h"
#include "framework/base/Locale.h"

namespace {

bool startsWithNoCase(const AnsiString& s, size_t pos, const char* word) {
  const size_t n = std::char_traits<char>::length(word);
  return s.size() - pos >= n && strncasecmp(s.c_str() + pos, word, n) == 0;
}

// The length of the AM/PM token at pos, 0 when none stands there.
size_t amPmTokenAt(const AnsiString& f, size_t pos) {
  if (startsWithNoCase(f, pos, "am/pm")) return 5;
  if (startsWithNoCase(f, pos, "ampm")) return 4;
  if (startsWithNoCase(f, pos, "a/p")) return 3;
  return 0;
}

bool amPmAtOrAfter(const AnsiString& f, size_t pos) {
  char quote = 0;
  for (; pos < f.size(); ++pos) {
    const char c = f[pos];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (amPmTokenAt(f, pos)) {
      return true;
    }
  }
  return false;
}

AnsiString replaceAll(AnsiString text, const AnsiString& from, const AnsiString& to) {
  AnsiString out;
  size_t i = 0;
  while (i < text.size()) {
    if (strncasecmp(text.c_str() + i, from.c_str(), from.size()) == 0 && text.size() - i >= from.size()) {
      out += to;
      i += from.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

AnsiString twoDigits(int v) { return v < 10 ? "0" + std::to_string(v) : std::to_string(v); }

// One piece of the format: a section's token, or literal text rendered as FormatDateTime does.
struct Piece {
  bool section = false;
  DateTimeSectionKind kind = DateTimeSectionKind::day;
  AnsiString text;  // the format's characters
};

std::vector<Piece> readPieces(const AnsiString& f) {
  std::vector<Piece> pieces;
  auto literal = [&](const AnsiString& text) {
    if (!pieces.empty() && !pieces.back().section) pieces.back().text += text;
    else pieces.push_back({false, DateTimeSectionKind::day, text});
  };
  char lastLetter = 0;
  for (size_t i = 0; i < f.size();) {
    const char c = f[i];
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '"' || c == '\'') {
      size_t close = f.find(c, i + 1);
      if (close == AnsiString::npos) close = f.size() - 1;
      literal(f.substr(i, close - i + 1));
      i = close + 1;
      continue;
    }
    if (const size_t amPm = amPmTokenAt(f, i)) {
      pieces.push_back({true, DateTimeSectionKind::ampm, f.substr(i, amPm)});
      lastLetter = 'a';
      i += amPm;
      continue;
    }
    size_t run = 1;
    while (i + run < f.size() && std::tolower(static_cast<unsigned char>(f[i + run])) == lower) ++run;
    DateTimeSectionKind kind;
    size_t most = 2;
    switch (lower) {
      case 'd':
        kind = run >= 3 ? DateTimeSectionKind::weekday : DateTimeSectionKind::day;
        most = 4;
        break;
      case 'm':
        if (lastLetter == 'h') {
          kind = DateTimeSectionKind::minute;
        } else {
          kind = run >= 3 ? DateTimeSectionKind::monthName : DateTimeSectionKind::month;
          most = 4;
        }
        break;
      case 'y':
        kind = DateTimeSectionKind::year;
        most = run <= 2 ? 2 : 4;
        break;
      case 'h': kind = DateTimeSectionKind::hour; break;
      case 'n': kind = DateTimeSectionKind::minute; break;
      case 's': kind = DateTimeSectionKind::second; break;
      default:
        literal(f.substr(i, 1));
        if (std::isalpha(static_cast<unsigned char>(lower))) lastLetter = lower;
        ++i;
        continue;
    }
    run = std::min(run, most);
    pieces.push_back({true, kind, f.substr(i, run)});
    lastLetter = lower;
    i += run;
  }
  return pieces;
}

AnsiString renderSection(const Piece& piece, const AnsiString& f, size_t pos, TDateTime value) {
  int year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  const bool two = piece.text.size() >= 2;
  switch (piece.kind) {
    case DateTimeSectionKind::minute: return two ? twoDigits(minute) : std::to_string(minute);
    case DateTimeSectionKind::hour: {
      if (amPmAtOrAfter(f, pos + piece.text.size())) hour = hour % 12 == 0 ? 12 : hour % 12;
      return two ? twoDigits(hour) : std::to_string(hour);
    }
    default: return FormatDateTime(piece.text, value);
  }
}

}  // namespace

bool DateTimeSection::isNumeric() const {
  return kind != DateTimeSectionKind::weekday && kind != DateTimeSectionKind::monthName &&
         kind != DateTimeSectionKind::ampm;
}

AnsiString ExpandDateTimeFormat(const AnsiString& Format) {
  const LocaleSettings& locale = Locale();
  AnsiString f = replaceAll(Format, "c", locale.ShortDateFormat + " " + locale.LongTimeFormat);
  f = replaceAll(f, "dddddd", locale.LongDateFormat);
  f = replaceAll(f, "ddddd", locale.ShortDateFormat);
  f = replaceAll(f, "tt", locale.LongTimeFormat);
  return replaceAll(f, "t", locale.ShortTimeFormat);
}

std::vector<DateTimeSection> DateTimeDisplaySections(const AnsiString& ExpandedFormat, TDateTime Value, bool Dates,
                                                     bool Times) {
  std::vector<DateTimeSection> sections;
  AnsiString rendered;
  size_t pos = 0;
  for (const Piece& piece : readPieces(ExpandedFormat)) {
    const AnsiString text = piece.section ? renderSection(piece, ExpandedFormat, pos, Value)
                                          : FormatDateTime(piece.text, Value);
    if (piece.section) {
      const bool isDate = piece.kind <= DateTimeSectionKind::year;
      if (isDate ? Dates : Times)
        sections.push_back({piece.kind, piece.text, static_cast<int>(rendered.size()), static_cast<int>(text.size())});
    }
    rendered += text;
    pos += piece.text.size();
  }
  return sections;
}

bool FormatHasAmPm(const AnsiString& ExpandedFormat) { return amPmAtOrAfter(ExpandedFormat, 0); }

int DateTimeEpochRule(int TwoDigitYear, int Epoch) {
  int year = TwoDigitYear + (Epoch / 100) * 100;
  if (TwoDigitYear < Epoch % 100) year += 100;
  return year;
}
