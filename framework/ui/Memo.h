#pragma once
// The multi-line edit placed on forms: its text as Lines, wrapped at words unless WordWrap is off,
// with the scroll bars asked for; Enter inserts a line unless WantReturns is off (then it goes to
// the form's default button), Tab inserts a tab only with WantTabs. CaretPos tells the caret as a
// line and a column, counted in lines as shown.
#include <memory>

#include "framework/base/Strings.h"
#include "framework/ui/Edit.h"

class TMemo : public TCustomEdit {
  QN_PUBLISHED_CLASS(TMemo, TCustomEdit)
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  // The text's lines (split at CR LF); changing them changes the text as code does.
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* Value);

  using TCustomEdit::ScrollBars;
  using TCustomEdit::SetScrollBars;
  using TCustomEdit::SetWantReturns;
  using TCustomEdit::SetWantTabs;
  using TCustomEdit::SetWordWrap;
  using TCustomEdit::WantReturns;
  using TCustomEdit::WantTabs;
  using TCustomEdit::WordWrap;

  // X the column, Y the line of the caret; setting it puts the caret there (clamped to the text).
  TPoint CaretPos();
  void SetCaretPos(TPoint Value);

 private:
  std::unique_ptr<TStrings> lines_;
};
