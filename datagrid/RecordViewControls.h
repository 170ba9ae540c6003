#pragma once
// The controls the record view form makes of its own: a label that frames itself while the control
// it labels has the focus, and a data-aware check box and memo bound by their DataSource and
// DataField properties.
#include "framework/db/FieldDataLink.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Memo.h"
#include "framework/ui/TextLabel.h"

class TDataSource;

class TdcLabel : public TextLabel {
  QN_CLASS(TdcLabel, TextLabel)
 public:
  using TextLabel::TextLabel;
  void Paint() override;
};

// Ticked when the field holds ValueChecked (compared without case); a change by the user stores
// ValueChecked or ValueUnchecked in the field.
class TdcDBCheckBox : public CheckBox {
  QN_PUBLISHED_CLASS(TdcDBCheckBox, CheckBox)
 public:
  explicit TdcDBCheckBox(TComponent* AOwner);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  AnsiString DataField() const { return link_.FieldName(); }
  void SetDataField(const AnsiString& Value) { link_.SetFieldName(Value); }
  TField* Field() const { return link_.Field(); }
  bool Modified() const { return link_.IsModified(); }
  void SetModified(bool Value);

  AnsiString ValueChecked = "True";
  AnsiString ValueUnchecked = "False";

  void Click() override;

 protected:
  void DoEnter() override;
  void DoExit() override;

 private:
  void showField();
  void repaintLabels();

  TFieldDataLink link_;
  bool showing_ = false;
};

// A memo on a field's text; the text reaches the field when the focus leaves or the record posts.
// F2 opens the memo dialog on the field, with what was typed so far.
class TdcDBMemo : public TMemo {
  QN_PUBLISHED_CLASS(TdcDBMemo, TMemo)
 public:
  explicit TdcDBMemo(TComponent* AOwner);

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { link_.SetDataSource(Value); }
  AnsiString DataField() const { return link_.FieldName(); }
  void SetDataField(const AnsiString& Value) { link_.SetFieldName(Value); }
  TField* Field() const { return link_.Field(); }

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;
  void DoExit() override;

 private:
  void showField();

  TFieldDataLink link_;
  bool showing_ = false;
};
