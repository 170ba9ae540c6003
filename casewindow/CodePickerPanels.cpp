#include "casewindow/CodePickerPanels.h"

#include "core/DM.h"
#include "core/Globals.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Color.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/TextLabel.h"

TDepartmentF* DepartmentF = nullptr;
TCaType1F* CaType1F = nullptr;
TCaType2F* CaType2F = nullptr;
TCaType3F* CaType3F = nullptr;
TStMsgF* StMsgF = nullptr;

CodePickerPanel::CodePickerPanel(TComponent* AOwner, const CodePickerLayout& Layout) : TCodeLookF(AOwner) {
  SetName(Layout.name);
  if (Layout.formTag) SetTag(Layout.formTag);
  LabelCode->SetCaption(Layout.caption);
  TableCode->SetTag(Layout.codeTag);
  TableDesc->SetTag(Layout.descTag);
  for (TdcDBLookupCombo* combo : {TableCode, TableDesc}) combo->Font()->SetColor(clMaroon);
  if (DM) TableCode->SetDataSource(DM->SourceOf(DM->Case1_));
  TableCode->SetDataField(Layout.field);
}

void CodePickerPanel::OpenStagedPanel() {
  if (opened_) return;
  SetTypeCode(modeTypeCode());
  OpenCodeTables();
  ++PanelInitStep;
  opened_ = true;
}

void CodePickerPanel::WndProc(TMessage& Message) {
  notices_.Hear(Message);
  TCodeLookF::WndProc(Message);
}

void CodePickerPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCodeLookF::Notification(AComponent, Operation);
  if (Operation == opRemove) notices_.Forget(AComponent);
}

TDepartmentF::TDepartmentF(TComponent* AOwner)
    : CodePickerPanel(AOwner, {"DepartmentF", 300, "Department", 310, "Department Code", 320}) {
  SetColor(clScrollBar);
  TableCode->SetDropDownCount(3);
}

TCaType1F::TCaType1F(TComponent* AOwner)
    : CodePickerPanel(AOwner, {"CaType1F", 400, "Case Type 1", 410, "Case Type 1", 420}) {}

char TCaType1F::modeTypeCode() const { return CalendarParameter ? 'I' : 'A'; }

TCaType2F::TCaType2F(TComponent* AOwner)
    : CodePickerPanel(AOwner, {"CaType2F", 500, "Case Type 2", 510, "Case Type 2", 520}) {}

char TCaType2F::modeTypeCode() const { return CalendarParameter ? 'I' : 'A'; }

TCaType3F::TCaType3F(TComponent* AOwner)
    : CodePickerPanel(AOwner, {"CaType3F", 0, "Case Type 3", 910, "Case Type 3", 920}) {}

TStMsgF::TStMsgF(TComponent* AOwner)
    : CodePickerPanel(AOwner, {"StMsgF", 0, "Statement Msg", 1010, "Statement Msg Code", 1020}) {
  SetWidth(762);
  TableDesc->SetDropDownWidth(400);
  Shape2 = AddPurpleBand(this, "Shape2");
}

namespace {

// The main block creates the first three by class name; the main window makes the other two when
// it needs them. Each is kept in its form variable.
UnitRegistration unit("casewindow/CodePickerPanels", {"framework/ui/Application"}, [] {
  RegisterClass<TDepartmentF>();
  RegisterFormVariable(DepartmentF);
  RegisterClass<TCaType1F>();
  RegisterFormVariable(CaType1F);
  RegisterClass<TCaType2F>();
  RegisterFormVariable(CaType2F);
  RegisterClass<TCaType3F>();
  RegisterFormVariable(CaType3F);
  RegisterClass<TStMsgF>();
  RegisterFormVariable(StMsgF);
});

}  // namespace
