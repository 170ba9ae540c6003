#include "datagrid/DcTbTable.h"

#include "datagrid/FieldPictureMasks.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"

namespace {

UnitRegistration unit("datagrid/DcTbTable", {"recordmgr/Sessions"}, [] { RegisterClass<TdcTbTable>(); });

}  // namespace

void TdcTbTable::PublishProperties(PropertyPublisher<TdcTbTable>& publish) {
  publish.StringList("ControlType", &TdcTbTable::ControlType, &TdcTbTable::SetControlType);
  publish.StringList("PictureMasks", &TdcTbTable::PictureMasks, &TdcTbTable::SetPictureMasks);
  publish.Boolean("ValidateWithMask", &TdcTbTable::ValidateWithMask, &TdcTbTable::SetValidateWithMask);
  publish.Event("OnInvalidValue", &TdcTbTable::OnInvalidValue, &TdcTbTable::OnInvalidValue);
}

TdcTbTable::TdcTbTable(TComponent* owner) : TtbTable(owner) {}

void TdcTbTable::SetControlType(TStrings* value) {
  if (value) controlType_.Assign(*value);
}

void TdcTbTable::SetPictureMasks(TStrings* value) {
  if (value) pictureMasks_.Assign(*value);
}

void TdcTbTable::DoBeforePost() {
  TtbTable::DoBeforePost();
  if (validateWithMask_) ValidatePictureMasks(this, OnInvalidValue);
}
