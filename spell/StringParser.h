#pragma once
// The parser of a string the caller keeps, positions from 1; replacements change the string.
#include "spell/Parser.h"

class TStringParser : public TParser {
 public:
  // Source must outlive the parser.
  TStringParser(const AnsiString& WordChars, int UndoLimit, AnsiString& Source);

 protected:
  // Only the parser writes the caller's text while it checks it.
  bool ChangesOutside() const override { return false; }
  int FirstPosition() const override { return 1; }
  AnsiString SourceText() const override { return source_; }
  void WriteSource(int Position, int Length, const AnsiString& Text) override;

 private:
  AnsiString& source_;
};
