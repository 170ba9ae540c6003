#include "datagrid/RecordViewForm.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Font.h"

namespace {

UnitRegistration unit("datagrid/RecordViewForm", {}, [] {
  RegisterClass<TdcRecordViewForm>();
  RegisterFormVariable(dcRecordViewForm);
});

}  // namespace

TdcRecordViewForm* dcRecordViewForm = nullptr;

TdcRecordViewForm::TdcRecordViewForm(TComponent* AOwner) : TForm(AOwner) {
  SetWidth(342);
  SetHeight(362);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
  OnDeactivate = [this](TObject* Sender) { FormDeactivate(Sender); };
}

void TdcRecordViewForm::FormActivate(TObject*) {
  if (StayOnTopWhenInactive && FormStyle() == fsStayOnTop) SetFormStyle(fsNormal);
}

void TdcRecordViewForm::FormDeactivate(TObject*) {
  if (!StayOnTopWhenInactive || FormStyle() == fsStayOnTop) return;
  SetFormStyle(fsStayOnTop);
  if (TWinControl* active = ActiveControl()) active->Invalidate();
}
