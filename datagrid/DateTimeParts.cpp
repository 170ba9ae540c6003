#include "datagrid/DateTimeParts.h"

#include <vector>

#include "datagrid/DateTextHelpers.h"
#include "framework/base/Locale.h"

namespace {

// Positions (from 1) of the separators from Start on.
std::vector<int> separatorsFrom(const AnsiString& text, int start, char separator) {
  std::vector<int> positions;
  for (int p = start; p <= static_cast<int>(text.size()); ++p)
    if (text[p - 1] == separator) positions.push_back(p);
  return positions;
}

// How many separator-ended pieces the caret has passed: a piece counts once the caret (from 0)
// is not less than the position (from 1) of the separator that ends it, that is, once the caret
// stands after the separator.
int piecesPassed(int caretPos, const std::vector<int>& separators) {
  int passed = 0;
  while (passed < static_cast<int>(separators.size()) && caretPos >= separators[passed]) ++passed;
  return passed;
}

int timePartFrom(int caretPos, const AnsiString& text, int start) {
  const std::vector<int> separators = separatorsFrom(text, start, Locale().TimeSeparator);
  switch (piecesPassed(caretPos, separators)) {
    case 0: return dtpHour;
    case 1: return dtpMinute;
    case 2: return caretPos > separators[1] + 2 ? dtpAmPm : dtpSecond;
    default: return dtpSecond;
  }
}

// Where the date at the start of the text ends (its trailing blanks included); 0 without one.
int dateEnd(const AnsiString& text) {
  int pos = 1;
  TDateTime date;
  return ScanDateText(text, pos, date) ? pos : 0;
}

// The date pieces (0 first) that hold the day, the month and the year, by date order.
int datePieceIndex(int part, int order) {
  static const int kIndex[3][3] = {
      // MDY DMY YMD
      {1, 0, 2},  // day
      {0, 1, 1},  // month
      {2, 2, 0},  // year
  };
  return kIndex[part][order];
}

// The Index-th piece (0 first) of the text from Start, between separators: its start (from 1) and
// length. False when the text has fewer pieces.
bool piece(const AnsiString& text, int start, char separator, int index, int& pieceStart, int& pieceLength) {
  const std::vector<int> separators = separatorsFrom(text, start, separator);
  if (index > static_cast<int>(separators.size())) return false;
  pieceStart = index == 0 ? start : separators[index - 1] + 1;
  const int end = index < static_cast<int>(separators.size()) ? separators[index] : static_cast<int>(text.size()) + 1;
  pieceLength = end - pieceStart;
  return true;
}

// Position (from 0, within the piece) of the piece's first blank; -1 without one.
int firstBlank(const AnsiString& text, int pieceStart, int pieceLength) {
  for (int i = 0; i < pieceLength; ++i)
    if (text[pieceStart - 1 + i] == ' ') return i;
  return -1;
}

}  // namespace

int GetTimePartAtCaret(int CaretPos, const AnsiString& Text) {
  if (CaretPos <= 0) return dtpHour;
  return timePartFrom(CaretPos, Text, 1);
}

int GetDateTimePartAtCaret(int CaretPos, const AnsiString& Text, bool TimeOnly) {
  if (TimeOnly) return timePartFrom(CaretPos, Text, 1);
  const int end = dateEnd(Text);
  if (end > 0 && (CaretPos >= end || (CaretPos == end - 1 && Text[end - 2] == ' ')))
    return timePartFrom(CaretPos, Text, end);
  const int passed = piecesPassed(CaretPos, separatorsFrom(Text, 1, Locale().DateSeparator));
  static const int kPartOfPiece[3][3] = {
      // MDY       DMY       YMD
      {dtpMonth, dtpDay, dtpYear},    // first piece
      {dtpDay, dtpMonth, dtpMonth},   // second piece
      {dtpYear, dtpYear, dtpDay},     // third piece and after
  };
  return kPartOfPiece[passed < 2 ? passed : 2][GetDateOrder(Locale().ShortDateFormat)];
}

bool FindDateTimePart(int Part, const AnsiString& Text, bool TimeOnly, int& SelStart, int& SelLength) {
  int start, length;
  if (Part >= dtpHour && Part <= dtpAmPm) {
    int timeStart = 1;
    if (!TimeOnly) {
      timeStart = dateEnd(Text);
      if (timeStart == 0) return false;
    }
    const int index = Part == dtpAmPm ? 2 : Part - dtpHour;
    if (!piece(Text, timeStart, Locale().TimeSeparator, index, start, length)) return false;
    const int blank = firstBlank(Text, start, length);
    if (Part == dtpAmPm) {
      if (blank < 0) return false;
      start += blank + 1;
      length -= blank + 1;
    } else if (blank >= 0) {
      // Hour and minutes too, so "10:15 PM" selects "15" for the minutes.
      length = blank;
    }
  } else if (Part >= dtpDay && Part <= dtpYear) {
    const int index = datePieceIndex(Part, GetDateOrder(Locale().ShortDateFormat));
    if (!piece(Text, 1, Locale().DateSeparator, index, start, length)) return false;
    const int blank = firstBlank(Text, start, length);
    if (blank >= 0) length = blank;
  } else {
    return false;
  }
  SelStart = start - 1;
  SelLength = length;
  return true;
}
