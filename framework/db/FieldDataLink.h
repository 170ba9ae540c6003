#pragma once
// TFieldDataLink: the link of a control that shows and edits one field. It finds the field by
// name whenever the dataset opens or its layout changes, tells the control when that field's
// value or the editing state changes, and asks it for its pending value (OnUpdateData) when the
// record is about to be posted, only if the control said it was modified.
#include <functional>

#include "framework/base/AnsiString.h"
#include "framework/db/DataLink.h"

class TComponent;

class TFieldDataLink : public TDataLink {
 public:
  using Notify = std::function<void()>;

  TComponent* Control() const { return control_; }
  void SetControl(TComponent* control) { control_ = control; }
  const AnsiString& FieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& name);
  TField* Field() const { return field_; }
  // Editing here means the dataset edits and this field can be modified.
  bool Editing() const { return editing_; }
  bool CanModify() const;
  bool Edit() override;
  // The control's text differs from the field: UpdateData will be asked for it.
  void Modified() { modified_ = true; }
  bool IsModified() const { return modified_; }
  // Drops the control's pending value and shows the field's again.
  void Reset() { RecordChanged(nullptr); }

  Notify OnDataChange, OnEditingChange, OnUpdateData, OnActiveChange;
  // Asked to take the focus for the field (a failed check names it); the control does so.
  Notify OnFocusControl;

 protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField** field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* field) override;
  void UpdateData() override;

 private:
  void UpdateField();
  void SetField(TField* field);
  void SetEditing(bool value);

  TComponent* control_ = nullptr;
  AnsiString fieldName_;
  TField* field_ = nullptr;
  bool editing_ = false;
  bool modified_ = false;
};
