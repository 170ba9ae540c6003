#pragma once
// The form of the two packed-code replaces: the eight settings of a 3-bit code twice, the one to
// find and the one to put in its place, and the user's confirmation. TSTaxRepF and TEBFModF give
// it their texts.
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Form.h"
#include "framework/ui/RadioButtonGroup.h"

struct CodeChoiceTexts {
  const char* name;  // the form's name
  const char* caption;
  const char* fromCaption;
  const char* toCaption;
  const char* items[8];  // by the code's value
  const char* noFrom;
  const char* noTo;
  const char* question;  // followed by the "from" item, "' to '", the "to" item
};

class CodeChoiceReplaceForm : public TForm {
  QN_CLASS(CodeChoiceReplaceForm, TForm)
 public:
  CodeChoiceReplaceForm(TComponent* AOwner, const CodeChoiceTexts& texts);

  RadioButtonGroup* FromRadioGroup;
  RadioButtonGroup* ToRadioGroup;
  GlyphButton* BitBtnReplace;
  GlyphButton* BitBtnCancel;

  // Set by the caller before showing: " for the row(s) you have selected." or " for EVERY case
  // in your database.".
  AnsiString ScopeText;
  // Set when the user said Yes; the chosen codes are the groups' item indexes.
  bool Confirmed = false;

  void BitBtnReplaceClick(TObject* Sender);

 private:
  const CodeChoiceTexts& texts_;
};
