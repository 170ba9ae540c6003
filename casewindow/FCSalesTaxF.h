#pragma once
// TFCSalesTaxF: which kinds of the matter's charges bear sales tax (fees, direct costs, indirect
// costs) and whether finance charges apply, docked in the main window. The box being worked in is
// shown red with its label while a matter is loaded; the main window loads and saves the boxes.
#include "casewindow/DockedPanel.h"

class CheckBox;
class GroupFrame;
class TPanel;
class TextLabel;

class TFCSalesTaxF : public DockedPanel {
  QN_CLASS(TFCSalesTaxF, DockedPanel)
 public:
  explicit TFCSalesTaxF(TComponent* AOwner);

  TPanel* PanelTax;
  GroupFrame* GroupBoxTax;
  CheckBox* CBFees;           // Tag 1
  CheckBox* CBDirectCosts;    // Tag 2
  CheckBox* CBIndirectCosts;  // Tag 3
  TextLabel* LabelCBFees;
  TextLabel* LabelCBDirectCosts;
  TextLabel* LabelCBIndirectCosts;
  GroupFrame* GBFinanceCharge;
  CheckBox* CBFinanceCharge;  // Tag 0
  TextLabel* Label1;          // "Finance"
  TextLabel* Label2;          // "Charges"

  // Every box and label back to the panel's colour.
  void ResetTaxHighlight();

  void FormDeactivate(TObject* Sender);
  // OnEnter of the three tax boxes.
  void CBFinanceChargeEnter(TObject* Sender);
  // OnClick of the three tax boxes.
  void CBFeesClick(TObject* Sender);
  void CBFinanceChargeClick(TObject* Sender);
  void LabelCBFeesClick(TObject* Sender);
  void LabelCBDirectCostsClick(TObject* Sender);
  void LabelCBIndirectCostsClick(TObject* Sender);
  // Both finance labels.
  void Label1Click(TObject* Sender);
};

extern TFCSalesTaxF* FCSalesTaxF;
