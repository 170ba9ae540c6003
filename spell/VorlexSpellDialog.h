#pragma once
// TVorlexSpellDialog: the check dialog the spell checker shows when no other is supplied. It stays
// on top and holds the word not found, the replace box, the suggestion list and the buttons of
// the twelve actions, reached through its dialog control DC. Long captions of a language widen it.
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/TextLabel.h"
#include "spell/DialogControl.h"

class TVorlexSpellDialog : public TForm {
  QN_CLASS(TVorlexSpellDialog, TForm)
 public:
  explicit TVorlexSpellDialog(TComponent* AOwner);

  TextLabel* ErrorLabel;
  TextLabel* ActionLabel;
  TextLabel* SuggestLabel;
  TEdit* NotFound;
  TEdit* WordEdit;
  ListBox* SuggestBox;
  TButton* ChangeAll;
  TButton* Change;
  TButton* IgnoreAll;
  TButton* Ignore;
  TButton* Add;
  TButton* AutoCorrect;
  TButton* Suggest;
  TButton* Start;
  TButton* UndoLast;
  TButton* Options;
  TButton* Help;
  GlyphButton* Cancel;
  TDialogControl* DC;

  // The part the dialog control means by its element number; nullptr for none.
  TControl* Element(int Index) const;

 private:
  void widenForCaptions();
};
