#pragma once
// TdcMemoDialog: the dialog component that shows a field's text (a memo, or any field's text) in
// a large modal memo and, when the user confirms, writes it back into the field.
#include <memory>

#include "datagrid/DBGridOptions.h"
#include "datagrid/MemoDialogForm.h"
#include "framework/base/Component.h"
#include "framework/db/FieldDataLink.h"
#include "framework/ui/Font.h"

class TDataSource;

class TdcMemoDialog : public TComponent {
  QN_CLASS(TdcMemoDialog, TComponent)
 public:
  explicit TdcMemoDialog(TComponent* AOwner);
  ~TdcMemoDialog() override;

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  const AnsiString& DataField() const { return link_.FieldName(); }
  void SetDataField(const AnsiString& Value) { link_.SetFieldName(Value); }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }

  TdcMemoAttributes MemoAttributes = kDefaultMemoAttributes;
  AnsiString Caption;
  int DlgLeft = 0;
  int DlgTop = 0;
  int DlgWidth = 561;
  int DlgHeight = 396;
  AnsiString UserButton1Caption;
  AnsiString UserButton2Caption;
  TdcOnInitMemoDlgEvent OnInitDialog;
  TdcOnInitMemoDlgEvent OnCloseDialog;
  TdcMemoUserButtonEvent OnUserButton1Click;
  TdcMemoUserButtonEvent OnUserButton2Click;

  virtual void DoInitDialog(TdcMemoDlg* Dialog);
  virtual void DoCloseDialog(TdcMemoDlg* Dialog);
  // Shows the memo modally over the active form; answers whether the user confirmed. A confirmed,
  // editable memo is in the field (the dataset put into edit) when this returns.
  virtual bool Execute();

 private:
  TField* boundField() const;

  TFieldDataLink link_;
  std::unique_ptr<TFont> font_;
};
