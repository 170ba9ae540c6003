#include "spell/CustomRichEditParser.h"

#include "framework/ui/RichEdit.h"

TCustomRichEditParser::TCustomRichEditParser(const AnsiString& WordChars, int UndoLimit, TCustomRichEdit* RichEdit)
    : TCustomMemoParser(WordChars, UndoLimit, RichEdit) {
  RangeOverText();
}

AnsiString TCustomRichEditParser::SourceText() const {
  // The text joins paragraphs with CR LF; a position counts a paragraph break as one.
  const AnsiString text = Edit()->Text();
  AnsiString out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) out += text[i];
  return out;
}
