#include "spell/CustomEditParser.h"

#include "framework/ui/Edit.h"
#include "framework/ui/ScreenFacts.h"

TCustomEditParser::TCustomEditParser(const AnsiString& WordChars, int UndoLimit, TCustomEdit* Edit)
    : TParser(WordChars, UndoLimit), edit_(Edit) {
  RangeOverText();
}

AnsiString TCustomEditParser::SourceText() const { return edit_->Text(); }

void TCustomEditParser::WriteSource(int Position, int Length, const AnsiString& Text) {
  edit_->SetSelStart(Position - 1);
  edit_->SetSelLength(Length);
  edit_->SetSelText(Text);
}

void TCustomEditParser::StartAtCaret() {
  RereadText();
  PlaceAt(edit_->SelStart() + 1);
  BackToWordStart();
}

void TCustomEditParser::StopAtSelectionEnd() { SetRange(Position(), edit_->SelStart() + edit_->SelLength()); }

void TCustomEditParser::SelectWord() {
  edit_->SetSelStart(Position() - 1);
  edit_->SetSelLength(WordLength());
}

TRect TCustomEditParser::GetControlRect() {
  const TPoint origin = edit_->ClientToScreen(TPoint{0, 0});
  return TRect{origin.X, origin.Y, origin.X + edit_->Width(), origin.Y + edit_->Height()};
}

TRect TCustomEditParser::GetWordRect() {
  const TPoint start = edit_->ClientToScreen(edit_->PositionOfChar(Position() - 1));
  const TPoint end = edit_->ClientToScreen(edit_->PositionOfChar(Position() - 1 + WordLength()));
  return TRect{start.X, start.Y, end.X, end.Y + qn::ui::screenFacts().systemFontLineHeight};
}
