#include "datagrid/RecordViewControls.h"

#include "datagrid/MemoDialogPopup.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/VirtualKeys.h"

namespace {

UnitRegistration unit("datagrid/RecordViewControls", {}, [] {
  RegisterClass<TdcDBCheckBox>();
  RegisterClass<TdcDBMemo>();
});

}  // namespace

void TdcLabel::Paint() {
  TextLabel::Paint();
  TWinControl* labelled = FocusControl();
  if (!labelled || !labelled->Focused()) return;
  Canvas& c = canvas();
  c.Brush.Style = BrushStyle::clear;
  c.Pen = CanvasPen{clGray, 1, PenStyle::dot};
  c.drawRectangle(ClientRect());
}

// ---- check box ----

void TdcDBCheckBox::PublishProperties(PropertyPublisher<TdcDBCheckBox>& publish) {
  publish.Object("DataSource", &TdcDBCheckBox::DataSource, &TdcDBCheckBox::SetDataSource)
      .String("DataField", &TdcDBCheckBox::DataField, &TdcDBCheckBox::SetDataField)
      .Boolean("Modified", &TdcDBCheckBox::Modified, &TdcDBCheckBox::SetModified)
      .String("ValueChecked", &TdcDBCheckBox::ValueChecked, &TdcDBCheckBox::ValueChecked)
      .String("ValueUnchecked", &TdcDBCheckBox::ValueUnchecked, &TdcDBCheckBox::ValueUnchecked);
}

TdcDBCheckBox::TdcDBCheckBox(TComponent* AOwner) : CheckBox(AOwner) {
  link_.SetControl(this);
  link_.OnDataChange = [this] { showField(); };
  link_.OnActiveChange = [this] { showField(); };
  link_.OnUpdateData = [this] {
    if (TField* field = link_.Field()) field->SetAsString(Checked() ? ValueChecked : ValueUnchecked);
  };
}

void TdcDBCheckBox::SetModified(bool Value) {
  if (Value) {
    link_.Modified();
  } else {
    link_.Reset();
  }
}

void TdcDBCheckBox::showField() {
  showing_ = true;
  TField* field = link_.Active() ? link_.Field() : nullptr;
  SetChecked(field && SameText(field->AsString(), ValueChecked));
  showing_ = false;
}

void TdcDBCheckBox::Click() {
  if (showing_ || !link_.Field()) {
    CheckBox::Click();
    return;
  }
  // Into edit first: the dataset shows its record again as it starts editing.
  if (!link_.Edit()) return;
  CheckBox::Click();
  link_.Modified();
  link_.UpdateRecord();
}

void TdcDBCheckBox::repaintLabels() {
  if (TWinControl* parent = Parent()) parent->Invalidate();
}

void TdcDBCheckBox::DoEnter() {
  CheckBox::DoEnter();
  repaintLabels();
}

void TdcDBCheckBox::DoExit() {
  CheckBox::DoExit();
  repaintLabels();
}

// ---- memo ----

void TdcDBMemo::PublishProperties(PropertyPublisher<TdcDBMemo>& publish) {
  publish.Object("DataSource", &TdcDBMemo::DataSource, &TdcDBMemo::SetDataSource)
      .String("DataField", &TdcDBMemo::DataField, &TdcDBMemo::SetDataField);
}

TdcDBMemo::TdcDBMemo(TComponent* AOwner) : TMemo(AOwner) {
  link_.SetControl(this);
  link_.OnDataChange = [this] { showField(); };
  link_.OnActiveChange = [this] { showField(); };
  link_.OnUpdateData = [this] {
    if (TField* field = link_.Field()) field->SetAsString(Text());
  };
}

void TdcDBMemo::showField() {
  showing_ = true;
  TField* field = link_.Active() ? link_.Field() : nullptr;
  SetText(field ? field->AsString() : AnsiString());
  showing_ = false;
}

void TdcDBMemo::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_F2 && link_.Field()) {
    if (link_.IsModified()) link_.UpdateRecord();
    TdcMemoDialogPopup popup(*this);
    popup.Execute();
    Key = 0;
    return;
  }
  TMemo::KeyDown(Key, Shift);
}

void TdcDBMemo::KeyPress(char& Key) {
  // Into edit before the key changes the text: the dataset shows its record again as it starts
  // editing. A dataset that cannot edit refuses the key.
  if (Key != 0 && link_.Field() && !link_.Edit()) Key = 0;
  TMemo::KeyPress(Key);
}

void TdcDBMemo::Change() {
  if (!showing_ && link_.Field() && Modified()) link_.Modified();
  TMemo::Change();
}

void TdcDBMemo::DoExit() {
  if (link_.IsModified()) link_.UpdateRecord();
  TMemo::DoExit();
}
