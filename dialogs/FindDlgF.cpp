#include "dialogs/FindDlgF.h"

#include <cctype>

#include "core/Constants.h"
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/EBFModF.h"
#include "dialogs/STaxRepF.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"

TFindDlgF* FindDlgF = nullptr;

const LookInChoice LookInChoices[19] = {
    {"Billing Format Code", 14, 3, 0, LookInRule::Plain},
    {"Billing Rate Code", 15, 2, 0, LookInRule::Plain},
    {"Case Type 1 Code", 16, 2, 'A', LookInRule::Plain},
    {"Case Type 2 Code", 17, 2, 'A', LookInRule::Plain},
    {"Case Type 3 Code", 18, 2, 'A', LookInRule::Plain},
    {"Coordinating Attorney", -1, 0, 0, LookInRule::Refused},
    {"Cost Billing Cycle Code", 29, 1, 0, LookInRule::Plain},
    {"Department Code", 25, 2, 'D', LookInRule::Plain},
    {"Electronic Billing Codes", 11, 100, 0, LookInRule::ElectronicBilling},
    {"Fee Billing Cycle Code", 28, 1, 0, LookInRule::Plain},
    {"Finance Charge", 11, 1, 0, LookInRule::FinanceCharge},
    {"Responsible Attorney 1", 22, 4, 0, LookInRule::Plain},
    {"Responsible Attorney 2", 23, 4, 0, LookInRule::Plain},
    {"Responsible Attorney 3", 24, 4, 0, LookInRule::Plain},
    {"Retainer Minimum", 36, 7, 0, LookInRule::RetainerMinimum},
    {"Sales Tax", 26, 99, 0, LookInRule::SalesTax},
    {"Statement Message Code", 27, 2, 'S', LookInRule::Plain},
    {"Status Code 1", 30, 1, 0, LookInRule::NotPreventedOrClosed},
    {"Threshold", 19, 5, 0, LookInRule::Threshold},
};

namespace {

const AnsiString SelectedScope = " for the row(s) you have selected.";
const AnsiString EveryCaseScope = " for EVERY case in your database.";

TextLabel* label(TFindDlgF* form, int left, int top, const char* caption) {
  auto* text = PlaceControl<TextLabel>(form, form, left, top, 150, 13);
  text->SetCaption(caption);
  return text;
}

bool hasLowerCase(const AnsiString& text) {
  for (unsigned char c : text)
    if (std::islower(c)) return true;
  return false;
}

// A whole number from 0 to the limit, blanks around it allowed.
bool wholeNumberUpTo(const AnsiString& text, int limit) {
  const AnsiString trimmed = Trim(text);
  if (trimmed.empty()) return false;
  for (unsigned char c : trimmed)
    if (!std::isdigit(c)) return false;
  int value = 0;
  return TryStrToInt(trimmed, value) && value <= limit;
}

bool yesOrNo(const AnsiString& text) { return text == "Y" || text == "N"; }

}  // namespace

TFindDlgF::TFindDlgF(TComponent* AOwner) : TForm(AOwner) {
  SetName("FindDlgF");
  SetCaption("Find and Replace");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(420);
  SetClientHeight(240);
  Label1 = label(this, 12, 12, "Look In");
  ComboBox1 = PlaceControl<ComboBox>(this, this, 12, 28, 220, 21);
  ComboBox1->SetStyle(csDropDownList);
  for (const LookInChoice& c : LookInChoices) ComboBox1->Items()->Add(c.text);
  Label2 = label(this, 12, 60, "Find what");
  // The edits take the text as typed: the checks below refuse lower case in the new value and
  // offer to upper-case the value searched for.
  Edit1 = PlaceControl<TEdit>(this, this, 12, 76, 220, 21);
  Label3 = label(this, 12, 108, "Replace with");
  Edit2 = PlaceControl<TEdit>(this, this, 12, 124, 220, 21);
  RadioGroup2 = PlaceControl<RadioButtonGroup>(this, this, 12, 156, 396, 70);
  RadioGroup2->SetCaption(" Scope ");
  StringList scopes;
  scopes.Add("Search selected rows only");
  scopes.Add("Replace all occurrences");
  RadioGroup2->SetItems(&scopes);
  BitBtnReplace = PlaceControl<GlyphButton>(this, this, 316, 28, 92, 27);
  BitBtnReplace->SetCaption("&Replace");
  BitBtnReplace->SetDefault(true);
  BitBtnCancel = PlaceControl<GlyphButton>(this, this, 316, 64, 92, 27);
  BitBtnCancel->SetKind(gbkCancel);
  SalesTaxDialog = new TSTaxRepF(this);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  BitBtnReplace->OnClick = [this](TObject* Sender) { BitBtnReplaceClick(Sender); };
}

void TFindDlgF::FormShow(TObject*) {
  Confirmed = false;
  FromIndex.clear();
  ToIndex.clear();
  RadioGroup2->SetItemIndex(SelectedRows > 0 ? scopeSelected : scopeAll);
  if (ComboBox1->ItemIndex() < 0) ComboBox1->SetItemIndex(0);
}

const LookInChoice* TFindDlgF::choice() const {
  const int index = ComboBox1->ItemIndex();
  return index < 0 ? nullptr : &LookInChoices[index];
}

void TFindDlgF::refuse(const AnsiString& text, TEdit* edit) {
  MessageDlg(text, mtWarning, {mbOK}, 0);
  edit->SetFocus();
  edit->SelectAll();
}

bool TFindDlgF::codeCheckWanted(const LookInChoice& c) const {
  if (!c.codeType) return false;
  const AnsiString& setting = c.position == 16   ? SysopSettings.ValCa1
                              : c.position == 17 ? SysopSettings.ValCa2
                              : c.position == 18 ? SysopSettings.ValCa3
                              : c.position == 25 ? SysopSettings.ValCaDpt
                                                 : SysopSettings.ValStmt;
  return setting == "R" || (setting == "Y" && !Trim(Edit2->Text()).empty());
}

bool TFindDlgF::checksPass(const LookInChoice& c) {
  const AnsiString field = c.text;
  if (c.rule == LookInRule::Refused) {
    MessageDlg("You may not change the Client Attorney at the case level.\rIt could introduce inconsistencies in your data.",
               mtWarning, {mbOK}, 0);
    return false;
  }
  if (c.rule == LookInRule::NotPreventedOrClosed && (Edit2->Text() == "P" || Edit2->Text() == "X")) {
    MessageDlg("This feature does not allow you to change Case Status 1 to:\r\r         P   (Prevent entry)        or\r"
               "         X   (Closed case)",
               mtWarning, {mbOK}, 0);
    return false;
  }
  if (c.rule == LookInRule::SalesTax || c.rule == LookInRule::ElectronicBilling) return true;
  if (Trim(Edit1->Text()) == Trim(Edit2->Text())) {
    MessageDlg("Nothing to do!  Please specify find and replace values.", mtWarning, {mbOK}, 0);
    return false;
  }
  const AnsiString limit = "field is limited to " + std::to_string(c.maxLength) + " characters.";
  if (static_cast<int>(Edit1->Text().size()) > c.maxLength) {
    refuse("The search value you have specified is invalid.  The " + field + "\r" + limit, Edit1);
    return false;
  }
  if (static_cast<int>(Edit2->Text().size()) > c.maxLength) {
    refuse("The replace value you have specified is invalid.  The " + field + "\r" + limit, Edit2);
    return false;
  }
  if (hasLowerCase(Edit2->Text())) {
    refuse("The field " + field + " will not accept any lowercase characters." + "\r" +
               "Please re-enter a valid replacement value.",
           Edit2);
    return false;
  }
  if (hasLowerCase(Edit1->Text())) {
    const AnsiString question = "The value you are searching for contains 1 or more lower case characters.\rThe field " +
                                field + " only allows upper case characters." + "\r\r" +
                                "Do you want Quillon to correct the search value so that it is all uppercase?";
    if (MessageDlg(question, mtConfirmation, {mbOK, mbCancel}, 0) != mrOk) return false;
    Edit1->SetText(UpperCase(Edit1->Text()));
  }
  if (c.rule == LookInRule::RetainerMinimum && !wholeNumberUpTo(Edit2->Text(), 9999999)) {
    refuse("The Retainer minimum value must be a number between 0 and 9999999.", Edit2);
    return false;
  }
  if (c.rule == LookInRule::Threshold && !wholeNumberUpTo(Edit2->Text(), 99999)) {
    refuse("The Threshold value must be a number between 0 and 99999.", Edit2);
    return false;
  }
  if (c.rule == LookInRule::FinanceCharge && !(yesOrNo(Edit1->Text()) && yesOrNo(Edit2->Text()))) {
    refuse("Only Y and N are valid for the Finance Charge switch.", yesOrNo(Edit1->Text()) ? Edit2 : Edit1);
    return false;
  }
  if (codeCheckWanted(c) && !CheckReplacementCode(c.position)) {
    Edit2->SetFocus();
    Edit2->SelectAll();
    return false;
  }
  return true;
}

bool TFindDlgF::CheckReplacementCode(int FieldPosition) {
  const LookInChoice* c = choice();
  const AnsiString field = c ? c->text : "";
  const char type = FieldPosition == 25 ? 'D' : FieldPosition == 27 ? 'S' : 'A';
  TdcTbTable codes(nullptr);
  try {
    codes.SetDatabaseName("QNWIN");
    codes.SetTableName(DataDir + "\\ytable.qf;RES:SIMPLECD");
    codes.SetIndexName("1");
    codes.Open();
  } catch (const std::exception&) {
    MessageDlg("Quillon was unable to determine whether the replacement text you\rhave specified meets the requirements for " +
                   field + "." + "\r\r" + ContactSupportText,
               mtError, {mbOK}, 0);
    return false;
  }
  if (codes.FindKey({AnsiString(1, type), Format("%-1s", {" "}), Format("%-4s", {Edit2->Text()})})) return true;
  MessageDlg("The replacement text you have specified is not valid for\rthe field " + field + ".", mtWarning, {mbOK}, 0);
  return false;
}

TEBFModF* TFindDlgF::ElectronicBillingDialog() {
  if (EBFModF) return EBFModF;
  if (!ownElectronicBilling_) ownElectronicBilling_ = new TEBFModF(this);
  return ownElectronicBilling_;
}

void TFindDlgF::takeCodeChoice(CodeChoiceReplaceForm& dialog) {
  dialog.ScopeText = ScopeText;
  dialog.runModal();
  if (!dialog.Confirmed) return;
  FromIndex = std::to_string(dialog.FromRadioGroup->ItemIndex());
  ToIndex = std::to_string(dialog.ToRadioGroup->ItemIndex());
  Confirmed = true;
}

void TFindDlgF::BitBtnReplaceClick(TObject*) {
  Confirmed = false;
  if (RadioGroup2->ItemIndex() == scopeSelected && SelectedRows == 0) {
    MessageDlg("No rows have been selected.  You may select multiple rows by\rusing the mouse in combination with the Shift or "
               "Control key.",
               mtWarning, {mbOK}, 0);
    SetModalResult(mrCancel);
    return;
  }
  const LookInChoice* c = choice();
  if (!c || !checksPass(*c)) return;
  FieldPosition = c->position;
  MaxLength = c->maxLength;
  ScopeText = RadioGroup2->ItemIndex() == scopeSelected ? SelectedScope : EveryCaseScope;
  if (c->rule == LookInRule::SalesTax) {
    takeCodeChoice(*SalesTaxDialog);
  } else if (c->rule == LookInRule::ElectronicBilling) {
    takeCodeChoice(*ElectronicBillingDialog());
  } else {
    const AnsiString question = "Quillon is about to change each " + AnsiString(c->text) + " of " + "'" + Edit1->Text() +
                                "'" + " to " + "'" + Edit2->Text() + "'" + ScopeText + "\r\r" +
                                "Are you SURE this is what you want to do?";
    Confirmed = MessageDlg(question, mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
  }
  SetModalResult(Confirmed ? mrOk : mrCancel);
}

namespace {

// The main block creates the dialog by its class name and keeps it in FindDlgF.
UnitRegistration unit("dialogs/FindDlgF", {"recordmgr/Sessions", "framework/ui/Application"}, [] {
  RegisterClass<TFindDlgF>();
  RegisterFormVariable(FindDlgF);
});

}  // namespace
