#include "dialogs/CodeChoiceReplace.h"

#include "framework/base/StringList.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"

namespace {

void fillItems(RadioButtonGroup* group, const CodeChoiceTexts& texts) {
  StringList lines;
  for (const char* item : texts.items) lines.Add(item);
  group->SetItems(&lines);
}

}  // namespace

CodeChoiceReplaceForm::CodeChoiceReplaceForm(TComponent* AOwner, const CodeChoiceTexts& texts)
    : TForm(AOwner), texts_(texts) {
  SetName(texts.name);
  SetCaption(texts.caption);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(470);
  SetClientHeight(270);
  FromRadioGroup = PlaceControl<RadioButtonGroup>(this, this, 8, 8, 222, 215);
  FromRadioGroup->SetCaption(texts.fromCaption);
  fillItems(FromRadioGroup, texts);
  ToRadioGroup = PlaceControl<RadioButtonGroup>(this, this, 240, 8, 222, 215);
  ToRadioGroup->SetCaption(texts.toCaption);
  fillItems(ToRadioGroup, texts);
  BitBtnReplace = PlaceControl<GlyphButton>(this, this, 290, 234, 82, 27);
  BitBtnReplace->SetCaption("&Replace");
  BitBtnReplace->SetDefault(true);
  BitBtnCancel = PlaceControl<GlyphButton>(this, this, 380, 234, 82, 27);
  BitBtnCancel->SetKind(gbkCancel);
  BitBtnReplace->OnClick = [this](TObject* Sender) { BitBtnReplaceClick(Sender); };
  OnShow = [this](TObject*) { Confirmed = false; };
}

void CodeChoiceReplaceForm::BitBtnReplaceClick(TObject*) {
  const int from = FromRadioGroup->ItemIndex(), to = ToRadioGroup->ItemIndex();
  if (from < 0) {
    MessageDlg(texts_.noFrom, mtWarning, {mbOK}, 0);
    return;
  }
  if (to < 0) {
    MessageDlg(texts_.noTo, mtWarning, {mbOK}, 0);
    return;
  }
  const AnsiString question = AnsiString(texts_.question) + texts_.items[from] + "'" + " to " + "'" + texts_.items[to] +
                              "'" + ScopeText + "\r\r" + "Are you SURE this is what you want to do?";
  if (MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) != mrYes) return;
  Confirmed = true;
  SetModalResult(mrOk);
}
