#include "casewindow/AttorneyPickerPanels.h"

#include "core/DM.h"
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Color.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/TextLabel.h"

TRA1F* RA1F = nullptr;
TRA2F* RA2F = nullptr;
TRA3F* RA3F = nullptr;

AttorneyPickerPanel::AttorneyPickerPanel(TComponent* AOwner, int Number) : TEmpLookF(AOwner) {
  const AnsiString number = std::to_string(Number);
  SetName("RA" + number + "F");
  Label1->SetCaption("Resp Atty " + number);
  Label2->SetCaption("Attorney " + number);
  Label2->SetVisible(false);
  CCACode->SetTag(Number * 100 + 510);
  CCAName->SetTag(Number * 100 + 520);
  for (TdcDBLookupCombo* combo : {CCACode, CCAName}) combo->Font()->SetColor(clMaroon);
  SetWidth(483);
  if (DM) CCACode->SetDataSource(DM->SourceOf(DM->Case1_));
  CCACode->SetDataField("Resp Atty " + number);
}

void AttorneyPickerPanel::OpenStagedPanel() {
  if (opened_) return;
  OpenEmployeeTables();
  ++PanelInitStep;
  opened_ = true;
}

void AttorneyPickerPanel::WndProc(TMessage& Message) {
  notices_.Hear(Message);
  TEmpLookF::WndProc(Message);
}

void AttorneyPickerPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TEmpLookF::Notification(AComponent, Operation);
  if (Operation == opRemove) notices_.Forget(AComponent);
}

TRA3F::TRA3F(TComponent* AOwner) : AttorneyPickerPanel(AOwner, 3) { Shape1 = AddPurpleBand(this, "Shape1"); }

namespace {

// The main block creates the first two by class name; the main window makes the third when it
// needs it. Each is kept in its form variable.
UnitRegistration unit("casewindow/AttorneyPickerPanels", {"framework/ui/Application"}, [] {
  RegisterClass<TRA1F>();
  RegisterFormVariable(RA1F);
  RegisterClass<TRA2F>();
  RegisterFormVariable(RA2F);
  RegisterClass<TRA3F>();
  RegisterFormVariable(RA3F);
});

}  // namespace
