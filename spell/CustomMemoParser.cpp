#include "spell/CustomMemoParser.h"

#include <algorithm>

#include "framework/ui/Edit.h"
#include "framework/ui/ScreenFacts.h"

TCustomMemoParser::TCustomMemoParser(const AnsiString& WordChars, int UndoLimit, TCustomEdit* Memo)
    : TCustomEditParser(WordChars, UndoLimit, Memo) {}

void TCustomMemoParser::ScrollToWord() {
  const int lineHeight = qn::ui::screenFacts().systemFontLineHeight;
  const int visible = lineHeight > 0 ? Edit()->ClientHeight() / lineHeight : 0;
  const int line = Edit()->LineOfChar(Position() - 1);
  const int wantedTop = std::max(0, line - visible / 2);
  Edit()->ScrollLines(wantedTop - Edit()->FirstVisibleLine());
}
