#include "datagrid/LocateDialogForm.h"

#include "datagrid/DialogButton.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "datagrid/LocateRecord.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

AnsiString LocateFieldLabel(const AnsiString& DisplayLabel) {
  AnsiString label = DisplayLabel;
  for (char& c : label)
    if (c == '~') c = ' ';
  return label;
}

TdcLocateDlg::TdcLocateDlg(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Locate Value");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(212);
  SetClientHeight(238);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  Font()->SetStyle(TFontStyles{fsBold});

  FieldValueGroup = PlaceControl<GroupFrame>(this, this, 8, 4, 196, 46);
  FieldValueGroup->SetText("Field &Value");
  SearchValue = PlaceControl<TEdit>(this, FieldValueGroup, 8, 17, 180, 21);

  SearchTypeGroup = PlaceControl<GroupFrame>(this, this, 8, 54, 196, 104);
  SearchTypeGroup->SetText("&Search Type");
  CaseSensitiveCheckBox = PlaceControl<CheckBox>(this, SearchTypeGroup, 8, 17, 180, 17);
  CaseSensitiveCheckBox->SetCaption("&Case-sensitive");
  Panel1 = PlaceControl<BevelLine>(this, SearchTypeGroup, 8, 37, 180, 2);
  Panel1->SetShape(bevelBox);
  Panel1->SetStyle(bevelLowered);
  ExactMatchBtn = PlaceControl<RadioButton>(this, SearchTypeGroup, 8, 43, 180, 17);
  ExactMatchBtn->SetCaption("&Exact Match");
  PartialMatchStartBtn = PlaceControl<RadioButton>(this, SearchTypeGroup, 8, 62, 180, 17);
  PartialMatchStartBtn->SetCaption("&Partial Match at Beginning");
  PartialMatchStartBtn->SetChecked(true);
  PartialMatchAnyBtn = PlaceControl<RadioButton>(this, SearchTypeGroup, 8, 81, 180, 17);
  PartialMatchAnyBtn->SetCaption("Partial Match &Anywhere");

  FieldsGroup = PlaceControl<GroupFrame>(this, this, 8, 162, 196, 46);
  FieldsGroup->SetText("&Fields");
  FieldNameComboBox = PlaceControl<ComboBox>(this, FieldsGroup, 8, 17, 180, 21);
  FieldNameComboBox->SetStyle(csDropDownList);
  FieldNameComboBox->SetSorted(true);

  FirstButton = PlaceControl<TButton>(this, this, 8, 211, 57, 27);
  FirstButton->SetCaption("Fi&rst");
  NextButton = PlaceControl<TButton>(this, this, 69, 211, 57, 27);
  NextButton->SetCaption("&Next");
  NextButton->SetDefault(true);

  CancelButton = CreateDialogButton(this, dbkCancel);
  CancelButton->SetTabOrder(5);
  const int ppi = Screen->PixelsPerInch();
  CancelButton->SetBounds(FieldsGroup->Left() + FieldsGroup->Width() - 1 - 72 * ppi / 96,
                          NextButton->Top(), 72 * ppi / 96, 27 * ppi / 96);
  CancelButton->SetVisible(true);
  SetActiveControl(SearchValue);

  FirstButton->OnClick = [this](TObject*) { Find(true); };
  NextButton->OnClick = [this](TObject*) { Find(false); };
  // A new field wants a new value.
  FieldNameComboBox->OnChange = [this](TObject*) {
    SearchValue->SetText("");
    if (!FieldNameComboBox->DroppedDown() && Visible()) SearchValue->SetFocus();
  };
  FieldNameComboBox->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_RETURN && FieldNameComboBox->DroppedDown()) {
      FieldNameComboBox->SetDroppedDown(false);
      SearchValue->SetFocus();
      Key = 0;
    }
  };
  // While the list has the focus Enter belongs to it, not to Next.
  FieldNameComboBox->OnEnter = [this](TObject*) { NextButton->SetDefault(false); };
  FieldNameComboBox->OnExit = [this](TObject*) { NextButton->SetDefault(true); };
}

void TdcLocateDlg::ApplyTexts() {
  const TdcLocateDialogIntl* t = dcIntlDefaults->LocateDialog();
  FieldValueGroup->SetText(t->FieldValueLabel);
  SearchTypeGroup->SetText(t->SearchTypeLabel);
  CaseSensitiveCheckBox->SetCaption(t->CaseSensitiveLabel);
  ExactMatchBtn->SetCaption(t->MatchExactLabel);
  PartialMatchStartBtn->SetCaption(t->MatchStartLabel);
  PartialMatchAnyBtn->SetCaption(t->MatchAnyLabel);
  FieldsGroup->SetText(t->FieldsLabel);
  FirstButton->SetCaption(t->BtnFirst);
  NextButton->SetCaption(t->BtnNext);
  CancelButton->SetCaption(t->BtnCancel);
  SearchValue->SetHint(t->FieldValueHint);
  CaseSensitiveCheckBox->SetHint(t->CaseSensitiveHint);
  ExactMatchBtn->SetHint(t->MatchExactHint);
  PartialMatchStartBtn->SetHint(t->MatchStartHint);
  PartialMatchAnyBtn->SetHint(t->MatchAnyHint);
  FirstButton->SetHint(t->BtnFirstHint);
  NextButton->SetHint(t->BtnNextHint);
  FieldNameComboBox->SetHint(t->FieldNameHint);
  Font()->SetStyle(dcIntlDefaults->DialogFontStyle);
}

AnsiString TdcLocateDlg::SelectedFieldName() const {
  if (!dataSet_) return {};
  const AnsiString label = LocateFieldLabel(FieldNameComboBox->Text());
  for (bool data : {true, false})
    for (int i = 0; i < dataSet_->FieldCount(); ++i) {
      TField* field = dataSet_->Fields()[i];
      if ((field->FieldKind() == fkData) == data && LocateFieldLabel(field->DisplayLabel()) == label)
        return field->FieldName();
    }
  return {};
}

int TdcLocateDlg::MatchType() const {
  if (ExactMatchBtn->Checked()) return mtExactMatch;
  if (PartialMatchAnyBtn->Checked()) return mtPartialMatchAny;
  return mtPartialMatchStart;
}

void TdcLocateDlg::SetMatchType(int Value) {
  (Value == mtExactMatch ? ExactMatchBtn
   : Value == mtPartialMatchAny ? PartialMatchAnyBtn
                                : PartialMatchStartBtn)->SetChecked(true);
}

void TdcLocateDlg::Find(bool FromStart) {
  const AnsiString field = SelectedFieldName();
  if (!field.empty() && dataSet_ &&
      LocateRecord(FromStart, dataSet_, field, CaseSensitiveCheckBox->Checked(), MatchType(),
                   SearchValue->Text())) {
    SetModalResult(mrOk);
    return;
  }
  const TdcUserMessagesIntl* messages = dcIntlDefaults->UserMessages();
  MessageDlg(FromStart ? messages->LocateNoMatches : messages->LocateNoMoreMatches, mtInformation,
             {mbOK}, 0);
}
