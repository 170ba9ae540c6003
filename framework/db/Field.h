#pragma once
// TField: one column of a dataset's current record. It reads and writes its value through the
// dataset's record-buffer protocol (GetFieldData/SetFieldData) in the field's native form, and
// converts between that form and text, numbers, dates and variants. Descendants (one per data
// type) define the native form and the conversions; an access a type does not support raises
// "Cannot access field '%s' as type %s".
#include <bitset>
#include <functional>
#include <vector>

#include "framework/base/Component.h"
#include "framework/db/DbTypes.h"
#include "framework/db/Variant.h"

class TDataSet;
class TField;

using TFieldNotifyEvent = std::function<void(TField* sender)>;
using TFieldGetTextEvent = std::function<void(TField* sender, AnsiString& text, bool displayText)>;
using TFieldSetTextEvent = std::function<void(TField* sender, const AnsiString& text)>;
using TFieldChars = std::bitset<256>;

class TField : public TComponent {
  QN_PUBLISHED_CLASS(TField, TComponent)
 public:
  explicit TField(TComponent* owner = nullptr);
  ~TField() override;

  TDataSet* DataSet() const { return dataSet_; }
  // Moves the field into dataSet's field list (both datasets must be closed).
  void SetDataSet(TDataSet* dataSet);

  const AnsiString& FieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& name);
  int FieldNo() const { return fieldNo_; }
  void SetFieldNo(int no) { fieldNo_ = no; }
  TFieldType DataType() const { return dataType_; }
  TFieldKind FieldKind() const { return fieldKind_; }
  void SetFieldKind(TFieldKind kind);
  bool Calculated() const { return fieldKind_ == fkCalculated; }
  bool Lookup() const { return fieldKind_ == fkLookup; }
  bool IsBlob() const { return IsBlobType(dataType_); }

  AnsiString DisplayLabel() const { return displayLabel_.empty() ? DisplayName() : displayLabel_; }
  void SetDisplayLabel(const AnsiString& label);
  AnsiString DisplayName() const { return fieldName_.empty() ? Name() : fieldName_; }
  int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : GetDefaultWidth(); }
  void SetDisplayWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  const AnsiString& EditMask() const { return editMask_; }
  void SetEditMask(const AnsiString& mask);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  bool Required() const { return required_; }
  void SetRequired(bool value) { required_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int Size() const { return size_; }
  void SetSize(int size);
  int DataSize() const { return GetDataSize(); }
  // Where the field's data lies in a record buffer; for calculated and lookup fields, within
  // the dataset's calculation area.
  int Offset() const { return offset_; }
  void SetOffset(int offset) { offset_ = offset; }
  // The field's position in its dataset's field list; setting it reorders the list.
  int Index() const;
  void SetIndex(int index);
  bool CanModify() const;

  // Lookup fields: KeyFields of this dataset are searched in LookupKeyFields of LookupDataSet,
  // whose LookupResultField gives the value.
  const AnsiString& KeyFields() const { return keyFields_; }
  void SetKeyFields(const AnsiString& v) { keyFields_ = v; }
  TDataSet* LookupDataSet() const { return lookupDataSet_; }
  // The field forgets a lookup dataset that is freed before it.
  void SetLookupDataSet(TDataSet* v);
  const AnsiString& LookupKeyFields() const { return lookupKeyFields_; }
  void SetLookupKeyFields(const AnsiString& v) { lookupKeyFields_ = v; }
  const AnsiString& LookupResultField() const { return lookupResultField_; }
  void SetLookupResultField(const AnsiString& v) { lookupResultField_ = v; }

  // --- values ---
  virtual AnsiString AsString() const;
  virtual void SetAsString(const AnsiString& v);
  virtual int32_t AsInteger() const;
  virtual void SetAsInteger(int32_t v);
  virtual double AsFloat() const;
  virtual void SetAsFloat(double v);
  double AsCurrency() const { return AsFloat(); }
  void SetAsCurrency(double v) { SetAsFloat(v); }
  virtual bool AsBoolean() const;
  virtual void SetAsBoolean(bool v);
  // Days since 30 December 1899, the fraction being the time of day.
  virtual double AsDateTime() const;
  virtual void SetAsDateTime(double v);
  virtual Variant AsVariant() const;
  virtual void SetAsVariant(const Variant& v);
  Variant Value() const { return AsVariant(); }
  void SetValue(const Variant& v) { SetAsVariant(v); }
  // The text a control shows while not editing, and the text it edits.
  AnsiString DisplayText() const { return GetTextWithEvent(true); }
  AnsiString Text() const { return GetTextWithEvent(false); }
  void SetText(const AnsiString& text);
  bool IsNull() const;
  void Clear() { SetData(nullptr); }

  // --- native data ---
  // Copies the native value into buffer (when given); false when the value is null.
  bool GetData(void* buffer) const;
  // Stores a native value (nullptr stores null); the dataset validates it first.
  void SetData(const void* buffer);
  // Runs OnValidate with buffer as the field's value for the duration: a handler that reads
  // the field sees the value about to be stored, and raises to refuse it.
  void Validate(const void* buffer);
  // Fires OnChange; the dataset calls it after a value was stored.
  void Change();

  // --- controls ---
  bool IsValidChar(unsigned char c) const { return validChars_[c]; }
  const TFieldChars& ValidChars() const { return validChars_; }
  void SetValidChars(const TFieldChars& chars) { validChars_ = chars; }
  // Asks the control showing this field to take the focus.
  void FocusControl();

  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  TFieldNotifyEvent OnValidate, OnChange;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void SetDataType(TFieldType type) { dataType_ = type; }
  virtual int GetDataSize() const { return 0; }
  virtual int GetDefaultWidth() const { return 10; }
  virtual void CheckSize(int size) const;
  // The text without the OnGetText event; displayText selects the display form.
  virtual AnsiString GetText(bool displayText) const { return AsString(); }
  // Stores a text typed by the user (SetText without an OnSetText handler).
  virtual void AssignText(const AnsiString& text) { SetAsString(text); }
  // Raises the access error for the named type.
  [[noreturn]] void AccessError(const char* typeName) const;
  // Re-lays the controls (layout) or repaints them when the dataset is open.
  void PropertyChanged(bool layout);
  void CheckInactive() const;

 private:
  friend class TDataSet;
  friend class TFields;
  AnsiString GetTextWithEvent(bool displayText) const;

  TDataSet* dataSet_ = nullptr;
  AnsiString fieldName_;
  AnsiString displayLabel_;
  AnsiString editMask_;
  AnsiString keyFields_, lookupKeyFields_, lookupResultField_;
  TDataSet* lookupDataSet_ = nullptr;
  int fieldNo_ = 0;
  TFieldType dataType_ = ftUnknown;
  TFieldKind fieldKind_ = fkData;
  int displayWidth_ = 0;
  int size_ = 0;
  int offset_ = 0;
  TAlignment alignment_ = taLeftJustify;
  bool readOnly_ = false;
  bool required_ = false;
  bool visible_ = true;
  TFieldChars validChars_;
  // While OnValidate runs, reads see the value about to be stored.
  const void* validating_ = nullptr;
  bool isValidating_ = false;
};
