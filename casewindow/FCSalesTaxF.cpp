#include "casewindow/FCSalesTaxF.h"

#include "core/Globals.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/TextLabel.h"

TFCSalesTaxF* FCSalesTaxF = nullptr;

namespace {

CheckBox* box(TFCSalesTaxF* form, TWinControl* parent, const char* name, int tag, int left, int top) {
  auto* check = PlaceControl<CheckBox>(form, parent, left, top, 17, 17);
  check->SetName(name);
  check->SetTag(tag);
  check->SetColor(clScrollBar);
  return check;
}

TextLabel* label(TFCSalesTaxF* form, TWinControl* parent, const char* name, const char* caption, int left, int top,
                 void (TFCSalesTaxF::*click)(TObject*)) {
  auto* text = PlaceControl<TextLabel>(form, parent, left, top, 90, 16);
  text->SetName(name);
  text->SetCaption(caption);
  text->SetTransparent(false);
  text->SetColor(clScrollBar);
  text->OnClick = [form, click](TObject* Sender) { (form->*click)(Sender); };
  return text;
}

}  // namespace

TFCSalesTaxF::TFCSalesTaxF(TComponent* AOwner) : DockedPanel(AOwner) {
  SetName("FCSalesTaxF");
  SetColor(clScrollBar);
  SetClientWidth(389);
  SetClientHeight(48);
  PanelTax = PlaceControl<TPanel>(this, this, 0, 0, 389, 48);
  PanelTax->SetName("PanelTax");
  PanelTax->SetBevelOuter(bvNone);
  PanelTax->SetColor(clScrollBar);
  PanelTax->SetVisible(false);
  GroupBoxTax = PlaceControl<GroupFrame>(this, PanelTax, 2, 0, 300, 46);
  GroupBoxTax->SetName("GroupBoxTax");
  GroupBoxTax->SetCaption("   Apply Sales Tax to:  ");
  CBFees = box(this, GroupBoxTax, "CBFees", 1, 8, 20);
  LabelCBFees = label(this, GroupBoxTax, "LabelCBFees", "Fees", 28, 21, &TFCSalesTaxF::LabelCBFeesClick);
  LabelCBFees->SetWidth(40);
  CBDirectCosts = box(this, GroupBoxTax, "CBDirectCosts", 2, 72, 20);
  LabelCBDirectCosts =
      label(this, GroupBoxTax, "LabelCBDirectCosts", "Direct Costs", 92, 21, &TFCSalesTaxF::LabelCBDirectCostsClick);
  CBIndirectCosts = box(this, GroupBoxTax, "CBIndirectCosts", 3, 184, 20);
  LabelCBIndirectCosts = label(this, GroupBoxTax, "LabelCBIndirectCosts", "Indirect Costs", 204, 21,
                               &TFCSalesTaxF::LabelCBIndirectCostsClick);
  GBFinanceCharge = PlaceControl<GroupFrame>(this, PanelTax, 306, 0, 80, 46);
  GBFinanceCharge->SetName("GBFinanceCharge");
  CBFinanceCharge = box(this, GBFinanceCharge, "CBFinanceCharge", 0, 6, 18);
  Label1 = label(this, GBFinanceCharge, "Label1", "Finance", 26, 10, &TFCSalesTaxF::Label1Click);
  Label1->SetWidth(50);
  Label2 = label(this, GBFinanceCharge, "Label2", "Charges", 26, 26, &TFCSalesTaxF::Label1Click);
  Label2->SetWidth(50);
  for (CheckBox* tax : {CBFees, CBDirectCosts, CBIndirectCosts}) {
    tax->OnEnter = [this](TObject* Sender) { CBFinanceChargeEnter(Sender); };
    tax->OnClick = [this](TObject* Sender) { CBFeesClick(Sender); };
  }
  CBFinanceCharge->OnClick = [this](TObject* Sender) { CBFinanceChargeClick(Sender); };
  OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
}

void TFCSalesTaxF::ResetTaxHighlight() {
  for (CheckBox* check : {CBFees, CBDirectCosts, CBIndirectCosts, CBFinanceCharge}) check->SetColor(clScrollBar);
  for (TextLabel* text : {LabelCBFees, LabelCBDirectCosts, LabelCBIndirectCosts, Label1, Label2})
    text->SetColor(clScrollBar);
}

void TFCSalesTaxF::FormDeactivate(TObject*) {
  if (MatterLoaded) ResetTaxHighlight();
}

void TFCSalesTaxF::CBFinanceChargeEnter(TObject* Sender) {
  if (!MatterLoaded) return;
  ResetTaxHighlight();
  auto* entered = static_cast<CheckBox*>(Sender);
  entered->SetColor(clRed);
  TextLabel* const labels[] = {nullptr, LabelCBFees, LabelCBDirectCosts, LabelCBIndirectCosts};
  if (entered->Tag() >= 1 && entered->Tag() <= 3) labels[entered->Tag()]->SetColor(clRed);
}

void TFCSalesTaxF::CBFeesClick(TObject*) { EditMatterForCheckBoxClick(); }

void TFCSalesTaxF::CBFinanceChargeClick(TObject*) { EditMatterForCheckBoxClick(); }

void TFCSalesTaxF::LabelCBFeesClick(TObject*) { CBFees->SetFocus(); }

void TFCSalesTaxF::LabelCBDirectCostsClick(TObject*) { CBDirectCosts->SetFocus(); }

void TFCSalesTaxF::LabelCBIndirectCostsClick(TObject*) { CBIndirectCosts->SetFocus(); }

void TFCSalesTaxF::Label1Click(TObject*) { CBFinanceCharge->SetFocus(); }

namespace {

// The main block creates the panel by its class name and keeps it in FCSalesTaxF.
UnitRegistration unit("casewindow/FCSalesTaxF", {"framework/ui/Application"}, [] {
  RegisterClass<TFCSalesTaxF>();
  RegisterFormVariable(FCSalesTaxF);
});

}  // namespace
