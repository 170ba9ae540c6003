#pragma once
// TdcDBRichEdit: the rich edit bound to one field through a data source. A blob field holds the
// rich text the control writes for its whole content and is loaded lazily (when shown, or on a
// double-click or Enter without AutoDisplay); any other field holds the plain text. The grid's
// preview and the record view load a field's first part through LoadFromBlobField.
#include <functional>

#include "datagrid/BlobFieldLoader.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/db/FieldDataLink.h"

class TDataSource;

// Allows every change of protected text: a load replaces the content whole.
class TRichProtectClass {
 public:
  void AllowChange(TObject* Sender, int StartPos, int EndPos, bool& AllowChange) { AllowChange = true; }
};

class TdcDBRichEdit : public TdcCustomRichEdit, public BlobFieldLoader {
  QN_PUBLISHED_CLASS(TdcDBRichEdit, TdcCustomRichEdit)
 public:
  explicit TdcDBRichEdit(TComponent* AOwner);
  ~TdcDBRichEdit() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  AnsiString DataField() const { return link_.FieldName(); }
  void SetDataField(const AnsiString& Value);
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value) override;
  bool AutoDisplay() const { return autoDisplay_; }
  // Set again, the next paint loads the content.
  void SetAutoDisplay(bool Value);
  TField* Field() const { return link_.Field(); }
  TFieldDataLink* GetDataLink() { return &link_; }

  // The field's first part, for a preview; the next paint loads the whole of a bound field.
  void LoadFromBlobField(TField* Field) override;
  // Loads the blob field's content when it is not loaded yet.
  void LoadMemo();

  bool GetReadOnly() override;
  void Edit() override;
  void UpdateField() override;
  bool IsLoaded() override { return loaded_; }
  TField* GetField() override { return link_.Field(); }

  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void BeforeTextPaint() override;
  // A blob's content is loaded again in the new place (at the next paint).
  void SetParent(TWinControl* Value) override;

 protected:
  bool HasFieldBinding() const override { return bound_; }
  void DoEnter() override;
  void DoExit() override;
  void DblClick() override;
  void Change() override;

 private:
  void DataChange();
  void EditingChange();
  bool isBlob() const;
  // Text set by code, with no change handling.
  void showText(const AnsiString& Text);
  // Runs a load of the content as loading, with every change of protected text allowed; both are
  // put back however the load ends.
  void loadAllowingChanges(const std::function<void()>& load);
  void setWindowReadOnly(bool Value) { TCustomEdit::SetReadOnly(Value); }

  TFieldDataLink link_;
  bool autoDisplay_ = true;
  bool bound_ = false;
  bool loaded_ = false;
  bool focused_ = false;
  bool painted_ = false;
  bool reparenting_ = false;
  std::string editStartValue_;  // the field's value when editing began
};
