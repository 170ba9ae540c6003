#include "framework/db/Field.h"

#include <cstring>

#include "framework/base/FormatText.h"
#include "framework/db/DataSet.h"
#include "framework/db/DatabaseError.h"

namespace {

const EnumerationType kFieldKind{"TFieldKind",
                                 {"fkData", "fkCalculated", "fkLookup", "fkInternalCalc"}};

}  // namespace

void TField::PublishProperties(PropertyPublisher<TField>& publish) {
  publish.String("FieldName", &TField::FieldName, &TField::SetFieldName);
  publish.String("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel);
  publish.Integer("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth);
  publish.Enumeration("Alignment", kAlignmentType, &TField::Alignment, &TField::SetAlignment);
  publish.String("EditMask", &TField::EditMask, &TField::SetEditMask);
  publish.Boolean("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly);
  publish.Boolean("Required", &TField::Required, &TField::SetRequired);
  publish.Boolean("Visible", &TField::Visible, &TField::SetVisible);
  publish.Integer("Index", &TField::Index, &TField::SetIndex);
  publish.Integer("Size", &TField::Size, &TField::SetSize);
  publish.Enumeration("FieldKind", kFieldKind, &TField::FieldKind, &TField::SetFieldKind);
  publish.String("KeyFields", &TField::KeyFields, &TField::SetKeyFields);
  publish.Object("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet);
  publish.String("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields);
  publish.String("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField);
  publish.Event("OnChange", &TField::OnChange, &TField::OnChange);
  publish.Event("OnValidate", &TField::OnValidate, &TField::OnValidate);
  publish.Event("OnGetText", &TField::OnGetText, &TField::OnGetText);
  publish.Event("OnSetText", &TField::OnSetText, &TField::OnSetText);
}

TField::TField(TComponent* owner) : TComponent(owner) {
  validChars_.set();
}

TField::~TField() {
  if (dataSet_) {
    // The record layout changes with the field list: a dataset loses a field only while closed.
    if (dataSet_->Active()) dataSet_->Close();
    dataSet_->fields_.Remove(this);
  }
}

void TField::CheckInactive() const {
  if (dataSet_) dataSet_->CheckInactive();
}

void TField::SetDataSet(TDataSet* dataSet) {
  if (dataSet == dataSet_) return;
  if (dataSet_) dataSet_->CheckInactive();
  if (dataSet) {
    dataSet->CheckInactive();
    if (!fieldName_.empty() && dataSet->FindField(fieldName_))
      DatabaseError(Format("Duplicate field name '%s'", {fieldName_}), dataSet);
  }
  if (dataSet_) dataSet_->fields_.Remove(this);
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->fields_.Add(this);
}

void TField::SetFieldName(const AnsiString& name) {
  CheckInactive();
  if (dataSet_) {
    TField* other = dataSet_->FindField(name);
    if (other && other != this)
      DatabaseError(Format("Duplicate field name '%s'", {name}), dataSet_);
  }
  fieldName_ = name;
}

void TField::SetFieldKind(TFieldKind kind) {
  if (kind == fieldKind_) return;
  CheckInactive();
  fieldKind_ = kind;
}

void TField::SetDisplayLabel(const AnsiString& label) {
  displayLabel_ = label == fieldName_ ? AnsiString() : label;
  PropertyChanged(true);
}

void TField::SetDisplayWidth(int width) {
  displayWidth_ = width;
  PropertyChanged(true);
}

void TField::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  PropertyChanged(false);
}

void TField::SetEditMask(const AnsiString& mask) {
  editMask_ = mask;
  PropertyChanged(false);
}

void TField::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  PropertyChanged(true);
}

void TField::SetSize(int size) {
  CheckInactive();
  CheckSize(size);
  size_ = size;
}

void TField::CheckSize(int size) const {
  if (size != 0) DatabaseError(Format("Invalid field size %d", {size}), this);
}

int TField::Index() const {
  return dataSet_ ? dataSet_->fields_.IndexOf(this) : -1;
}

void TField::SetIndex(int index) {
  if (!dataSet_) return;
  dataSet_->fields_.SetFieldIndex(this, index);
  PropertyChanged(true);
}

void TField::SetLookupDataSet(TDataSet* v) {
  if (v == lookupDataSet_) return;
  if (lookupDataSet_) RemoveFreeNotification(lookupDataSet_);
  lookupDataSet_ = v;
  if (lookupDataSet_) FreeNotification(lookupDataSet_);
}

void TField::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == lookupDataSet_) lookupDataSet_ = nullptr;
}

bool TField::CanModify() const {
  return !readOnly_ && dataSet_ && dataSet_->CanModify();
}

void TField::PropertyChanged(bool layout) {
  if (dataSet_ && dataSet_->Active())
    dataSet_->DataEvent(layout ? deLayoutChange : deDataSetChange, 0);
}

// ---------------------------------------------------------------- native data

bool TField::GetData(void* buffer) const {
  if (!dataSet_) DatabaseError(Format(dbtext::kNoDataSet, {DisplayName()}));
  if (isValidating_) {
    if (!validating_) return false;
    if (buffer) std::memcpy(buffer, validating_, DataSize());
    return true;
  }
  return dataSet_->GetFieldData(const_cast<TField*>(this), buffer);
}

void TField::SetData(const void* buffer) {
  if (!dataSet_) DatabaseError(Format(dbtext::kNoDataSet, {DisplayName()}));
  dataSet_->SetFieldData(this, buffer);
}

bool TField::IsNull() const {
  return !GetData(nullptr);
}

void TField::Validate(const void* buffer) {
  if (!OnValidate) return;
  const void* savedValue = validating_;
  bool saved = isValidating_;
  isValidating_ = true;
  validating_ = buffer;
  try {
    OnValidate(this);
  } catch (...) {
    isValidating_ = saved;
    validating_ = savedValue;
    throw;
  }
  isValidating_ = saved;
  validating_ = savedValue;
}

void TField::Change() {
  if (OnChange) OnChange(this);
}

void TField::FocusControl() {
  if (!dataSet_ || !dataSet_->Active()) return;
  TField* field = this;
  dataSet_->DataEvent(deFocusControl, reinterpret_cast<intptr_t>(&field));
}

// ---------------------------------------------------------------- text

AnsiString TField::GetTextWithEvent(bool displayText) const {
  if (OnGetText) {
    AnsiString text;
    OnGetText(const_cast<TField*>(this), text, displayText);
    return text;
  }
  return GetText(displayText);
}

void TField::SetText(const AnsiString& text) {
  if (OnSetText)
    OnSetText(this, text);
  else
    AssignText(text);
}

// ---------------------------------------------------------------- typed access

void TField::AccessError(const char* typeName) const {
  DatabaseError(Format(dbtext::kFieldAccess, {DisplayName(), AnsiString(typeName)}));
}

AnsiString TField::AsString() const { AccessError("String"); }
void TField::SetAsString(const AnsiString&) { AccessError("String"); }
int32_t TField::AsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int32_t) { AccessError("Integer"); }
double TField::AsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
double TField::AsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(double) { AccessError("DateTime"); }
Variant TField::AsVariant() const { AccessError("Variant"); }

void TField::SetAsVariant(const Variant& v) {
  switch (v.VarType()) {
    case Variant::vkNull: Clear(); break;
    case Variant::vkBoolean: SetAsBoolean(v.AsBoolean()); break;
    case Variant::vkInteger: SetAsInteger(static_cast<int32_t>(v.AsInteger())); break;
    case Variant::vkFloat: SetAsFloat(v.AsFloat()); break;
    case Variant::vkDateTime: SetAsDateTime(v.AsFloat()); break;
    case Variant::vkString: SetAsString(v.AsString()); break;
  }
}
