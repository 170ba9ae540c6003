#include "framework/db/FieldDataLink.h"

#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

void TFieldDataLink::SetFieldName(const AnsiString& name) {
  if (name == fieldName_) return;
  fieldName_ = name;
  UpdateField();
}

bool TFieldDataLink::CanModify() const {
  return !ReadOnly() && field_ && field_->CanModify();
}

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return editing_;
}

void TFieldDataLink::SetEditing(bool value) {
  if (value == editing_) return;
  editing_ = value;
  modified_ = false;
  if (OnEditingChange) OnEditingChange();
}

void TFieldDataLink::UpdateField() {
  TField* field = nullptr;
  if (Active() && !fieldName_.empty()) field = DataSet()->FieldByName(fieldName_);
  SetField(field);
}

void TFieldDataLink::SetField(TField* field) {
  if (field == field_) return;
  field_ = field;
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange();
}

void TFieldDataLink::LayoutChanged() {
  UpdateField();
}

void TFieldDataLink::EditingChanged() {
  SetEditing(TDataLink::Editing() && CanModify());
}

void TFieldDataLink::RecordChanged(TField* field) {
  if (field && field != field_) return;
  if (OnDataChange) OnDataChange();
  modified_ = false;
}

void TFieldDataLink::UpdateData() {
  if (!modified_) return;
  if (field_ && OnUpdateData) OnUpdateData();
  modified_ = false;
}

void TFieldDataLink::FocusControl(TField** field) {
  if (!*field || *field != field_ || !OnFocusControl) return;
  *field = nullptr;
  OnFocusControl();
}
