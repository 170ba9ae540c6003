#pragma once
// TFindDlgF ("Find and Replace"): the case field to change, the value to find and the one to put
// in its place, and whether the change is for the selected matters or for every matter. Every
// check runs here, before the case grid starts the replace. Made once by the main block.
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/RadioButtonGroup.h"
#include "framework/ui/TextLabel.h"

class CodeChoiceReplaceForm;
class TEBFModF;
class TSTaxRepF;

// One "Look In" choice: the case grid's field position, the longest find and replace text, the
// code-table type the new value must be found under (0: none) and what else it demands.
enum class LookInRule { Plain, Refused, ElectronicBilling, FinanceCharge, RetainerMinimum, SalesTax, NotPreventedOrClosed, Threshold };
struct LookInChoice {
  const char* text;
  int position;
  int maxLength;
  char codeType;
  LookInRule rule;
};
extern const LookInChoice LookInChoices[19];

class TFindDlgF : public TForm {
  QN_CLASS(TFindDlgF, TForm)
 public:
  explicit TFindDlgF(TComponent* AOwner);

  TextLabel* Label1;
  ComboBox* ComboBox1;
  TextLabel* Label2;
  TEdit* Edit1;
  TextLabel* Label3;
  TEdit* Edit2;
  RadioButtonGroup* RadioGroup2;
  GlyphButton* BitBtnReplace;
  GlyphButton* BitBtnCancel;

  // Set by the case grid before showing: how many rows the user selected.
  int SelectedRows = 0;

  // What the grid's replace reads once the dialog closed.
  bool Confirmed = false;
  int FieldPosition = -1;
  int MaxLength = 0;
  // The sales-tax or electronic-billing setting found and put in its place, as a digit.
  AnsiString FromIndex, ToIndex;
  AnsiString ScopeText;

  enum { scopeSelected, scopeAll };

  void FormShow(TObject* Sender);
  void BitBtnReplaceClick(TObject* Sender);
  // The packed-code dialogs: its own for sales tax; the main block's EBFModF for electronic
  // billing codes, or its own where there is none.
  TSTaxRepF* SalesTaxDialog;
  TEBFModF* ElectronicBillingDialog();

  // Whether the new value is a code of the field's type in the code table; false after saying why.
  bool CheckReplacementCode(int FieldPosition);

 private:
  const LookInChoice* choice() const;
  // The message, the focus back on the edit with its text selected; the dialog stays open.
  void refuse(const AnsiString& text, TEdit* edit);
  bool checksPass(const LookInChoice& c);
  bool codeCheckWanted(const LookInChoice& c) const;
  // Shows the packed-code dialog and takes its choice when the user confirmed it.
  void takeCodeChoice(CodeChoiceReplaceForm& dialog);
  TEBFModF* ownElectronicBilling_ = nullptr;
};

extern TFindDlgF* FindDlgF;
