#pragma once
// The parser of a rich edit: as the memo's, in the rich edit's positions (one for each paragraph
// break) and with its own screen positions.
#include "spell/CustomMemoParser.h"

class TCustomRichEdit;

class TCustomRichEditParser : public TCustomMemoParser {
 public:
  TCustomRichEditParser(const AnsiString& WordChars, int UndoLimit, TCustomRichEdit* RichEdit);

 protected:
  AnsiString SourceText() const override;
};
