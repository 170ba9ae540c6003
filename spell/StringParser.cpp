#include "spell/StringParser.h"

TStringParser::TStringParser(const AnsiString& WordChars, int UndoLimit, AnsiString& Source)
    : TParser(WordChars, UndoLimit), source_(Source) {
  RangeOverText();
}

void TStringParser::WriteSource(int Position, int Length, const AnsiString& Text) {
  source_.replace(static_cast<size_t>(Position - 1), static_cast<size_t>(Length), Text);
}
