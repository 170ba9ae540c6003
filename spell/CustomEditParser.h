#pragma once
// The parser of an edit control (a one-line edit or a masked edit), through its text and
// selection; positions from 1.
#include "spell/Parser.h"

class TCustomEdit;

class TCustomEditParser : public TParser {
 public:
  // Edit must outlive the parser.
  TCustomEditParser(const AnsiString& WordChars, int UndoLimit, TCustomEdit* Edit);

  void StartAtCaret() override;
  void StopAtSelectionEnd() override;
  void SelectWord() override;
  TRect GetControlRect() override;
  TRect GetWordRect() override;
  void BeforeUndoReplace() override { SelectWord(); }

 protected:
  int FirstPosition() const override { return 1; }
  AnsiString SourceText() const override;
  void WriteSource(int Position, int Length, const AnsiString& Text) override;

  TCustomEdit* Edit() const { return edit_; }

 private:
  TCustomEdit* edit_;
};
