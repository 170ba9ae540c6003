#include "casewindow/CaseMiscF.h"

#include "casewindow/EBF2F.h"
#include "core/DM.h"
#include "datagrid/DcTbTable.h"
#include "editors/DBEdit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Color.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/TextLabel.h"

TCaseMiscF* CaseMiscF = nullptr;

namespace {

TextLabel* label(TCaseMiscF* form, const char* name, int left, const char* caption) {
  auto* text = PlaceControl<TextLabel>(form, form->PanelMisc, left, 6, 80, 16);
  text->SetName(name);
  text->SetCaption(caption);
  return text;
}

TdcDBEdit* amount(TCaseMiscF* form, const char* name, int left, const char* field, int maxLength) {
  auto* edit = PlaceControl<TdcDBEdit>(form, form->PanelMisc, left, 2, 110, 24);
  edit->SetName(name);
  if (DM) edit->SetDataSource(DM->SourceOf(DM->Case1_));
  edit->SetDataField(field);
  edit->SetMaxLength(maxLength);
  return edit;
}

}  // namespace

TCaseMiscF::TCaseMiscF(TComponent* AOwner) : DockedPanel(AOwner) {
  SetName("CaseMiscF");
  SetColor(clScrollBar);
  SetClientWidth(754);
  SetClientHeight(40);
  PanelMisc = PlaceControl<TPanel>(this, this, 0, 0, 754, 40);
  PanelMisc->SetName("PanelMisc");
  PanelMisc->SetAlign(alClient);
  PanelMisc->SetBevelOuter(bvNone);
  PanelMisc->SetColor(clScrollBar);
  // The row the main window gives the panel is 28 high at 120 pixels per inch: the controls fit it.
  LabelFeeBudget = label(this, "LabelFeeBudget", 6, "Fee Budget");
  FeeBudget = amount(this, "FeeBudget", 86, "Fee Budget $", 12);
  LabelCostBudget = label(this, "LabelCostBudget", 206, "Cost Budget");
  CostBudget = amount(this, "CostBudget", 290, "Cost Budget $", 14);
  LabelRetainerMin = label(this, "LabelRetainerMin", 410, "Ret Min Amt");
  RetainerMin = amount(this, "RetainerMin", 494, "Retainer Min $", 12);
  CheckBoxRetainerReserve = PlaceControl<CheckBox>(this, PanelMisc, 612, 4, 70, 20);
  CheckBoxRetainerReserve->SetName("CheckBoxRetainerReserve");
  CheckBoxRetainerReserve->SetCaption("Reserve");
  CheckBoxRetainerReserve->SetEnabled(false);
  Button1 = PlaceControl<TButton>(this, PanelMisc, 684, 1, 66, 26);
  Button1->SetName("Button1");
  Button1->SetCaption("EBF Codes");
  Button1->OnClick = [this](TObject* Sender) { Button1Click(Sender); };
  CheckBoxRetainerReserve->OnClick = [this](TObject* Sender) { CheckBoxRetainerReserveClick(Sender); };
}

void TCaseMiscF::Button1Click(TObject*) {
  if (EBF2F) EBF2F->runModal();
  EBFDialogFirstShow = false;
}

void TCaseMiscF::CheckBoxRetainerReserveClick(TObject*) { EditMatterForCheckBoxClick(); }

namespace {

// The main block creates the panel by its class name and keeps it in CaseMiscF.
UnitRegistration unit("casewindow/CaseMiscF", {"framework/ui/Application"}, [] {
  RegisterClass<TCaseMiscF>();
  RegisterFormVariable(CaseMiscF);
});

}  // namespace
