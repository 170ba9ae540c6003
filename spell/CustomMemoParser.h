#pragma once
// The parser of a memo, line by line: the word's line and column are kept, a quoted line can be
// skipped, and the word is scrolled to the middle of the visible lines. It works through the
// edit's line operations, which the memo and the rich edit both answer.
#include "spell/CustomEditParser.h"

class TCustomMemoParser : public TCustomEditParser {
 public:
  TCustomMemoParser(const AnsiString& WordChars, int UndoLimit, TCustomEdit* Memo);

  void ScrollToWord() override;

 protected:
  bool HasLines() const override { return true; }
};
