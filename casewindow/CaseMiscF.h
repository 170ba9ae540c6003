#pragma once
// TCaseMiscF: the matter's fee and cost budgets, its retainer minimum, the retainer-reserve box
// and the button to the electronic-billing codes, docked in the main window. The edits are bound
// to the matter; the main window loads and saves the box.
#include "casewindow/DockedPanel.h"

class CheckBox;
class TButton;
class TdcDBEdit;
class TPanel;
class TextLabel;

class TCaseMiscF : public DockedPanel {
  QN_CLASS(TCaseMiscF, DockedPanel)
 public:
  explicit TCaseMiscF(TComponent* AOwner);

  TPanel* PanelMisc;
  TdcDBEdit* FeeBudget;
  TdcDBEdit* CostBudget;
  TdcDBEdit* RetainerMin;
  TextLabel* LabelFeeBudget;
  TextLabel* LabelCostBudget;
  TextLabel* LabelRetainerMin;
  CheckBox* CheckBoxRetainerReserve;
  TButton* Button1;

  // Shows the electronic-billing codes modally; the dialog's first showing is over then.
  void Button1Click(TObject* Sender);
  void CheckBoxRetainerReserveClick(TObject* Sender);
};

extern TCaseMiscF* CaseMiscF;
