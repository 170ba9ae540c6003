#pragma once
// A dialog on a memory dataset holding one client, run with a script that plays once its form is
// up. The edit control class the dialog makes by name is registered here, as the editors register
// theirs in the program. Test code only.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <functional>
#include <vector>

#include "datagrid/RecordViewControls.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/FieldDataLink.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Font.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/ScrollArea.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace recordviewtest {

// A data-aware edit published under the name the dialog asks for.
class TdcDBEdit : public TEdit {
  QN_PUBLISHED_CLASS(TdcDBEdit, TEdit)
 public:
  explicit TdcDBEdit(TComponent* AOwner) : TEdit(AOwner) {
    link.SetControl(this);
    link.OnDataChange = [this] {
      if (link.Field()) SetText(link.Field()->AsString());
    };
    link.OnUpdateData = [this] { link.Field()->SetAsString(Text()); };
  }
  TDataSource* DataSource() const { return link.DataSource(); }
  void SetDataSource(TDataSource* Value) { link.SetDataSource(Value); }
  AnsiString DataField() const { return link.FieldName(); }
  void SetDataField(const AnsiString& Value) { link.SetFieldName(Value); }

 protected:
  void KeyPress(char& Key) override {
    if (Key != 0 && link.Field() && !link.Edit()) Key = 0;
    TEdit::KeyPress(Key);
  }
  void Change() override {
    if (Modified()) link.Modified();
    TEdit::Change();
  }

 private:
  TFieldDataLink link;
};
inline void TdcDBEdit::PublishProperties(PropertyPublisher<TdcDBEdit>& publish) {
  publish.Object("DataSource", &TdcDBEdit::DataSource, &TdcDBEdit::SetDataSource)
      .String("DataField", &TdcDBEdit::DataField, &TdcDBEdit::SetDataField);
}

inline int TextWidthIn(TFont* font, const AnsiString& text) {
  QImage image(1, 1, QImage::Format_RGB32);
  Canvas canvas(&image);
  canvas.SetFont(font);
  return canvas.textWidth(text);
}

class RecordViewDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    RegisterClass<TdcDBEdit>();
    clients.FieldDefs().Add("Code", ftString, 6);
    clients.FieldDefs().Add("Name", ftString, 30);
    clients.FieldDefs().Add("City", ftString, 15);
    clients.FieldDefs().Add("Active", ftString, 1);
    clients.FieldDefs().Add("Notes", ftMemo);
    clients.Open();
    clients.FieldByName("City")->SetDisplayLabel("Home~Town");
    clients.FieldByName("Code")->SetDisplayWidth(6);
    clients.FieldByName("Name")->SetDisplayWidth(30);
    clients.FieldByName("City")->SetDisplayWidth(15);
    clients.FieldByName("Active")->SetDisplayWidth(1);
    clients.Append();
    clients.FieldByName("Code")->SetAsString("C1");
    clients.FieldByName("Name")->SetAsString("Adams");
    clients.FieldByName("City")->SetAsString("Boston");
    clients.FieldByName("Active")->SetAsString("Y");
    clients.Post();
    source.SetDataSet(&clients);
    dialog->SetDataSource(&source);
  }
  void TearDown() override { qn::ui::setScreenFacts(std::nullopt); }

  // Runs the dialog; the script plays once the form is up, and the form is then ended with
  // Cancel unless the script did, or said it ends the form itself (by keys it posted).
  bool Run(std::function<void(TdcRecordViewForm&)> script, bool scriptEndsForm = false) {
    dialog->OnInitDialog = [this, script, scriptEndsForm](TdcRecordViewForm* form) {
      qn::ui::postCall([this, form, script, scriptEndsForm] {
        script(*form);
        if (!scriptEndsForm && dialog->Form() == form && form->ModalResult() == mrNone)
          form->SetModalResult(mrCancel);
      });
    };
    return dialog->Execute();
  }

  std::vector<TextLabel*> Labels(TdcRecordViewForm& form) {
    std::vector<TextLabel*> labels;
    for (int i = 0; i < form.ScrollBox->ControlCount(); ++i)
      if (auto* label = dynamic_cast<TextLabel*>(form.ScrollBox->Controls(i))) labels.push_back(label);
    return labels;
  }
  TControl* ControlOf(const char* fieldName) {
    for (TControl* control : dialog->CreatedControls())
      if (ReadStringProperty(control, "DataField").value_or("") == fieldName) return control;
    return nullptr;
  }
  // Replaces the edit's text by typing, as the user does.
  static void Type(TdcRecordViewForm& form, TCustomEdit* edit, const char* text) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
    edit->SetFocus();
    edit->SelectAll();
    QTest::keyClicks(edit->Window(), text);
  }
  int EditWidth(int characters) { return TextWidthIn(dialog->Font(), "0") * (characters + 1) + 3; }

  MemoryDataSet clients{nullptr};
  TDataSource source;
  TForm ownerForm{nullptr};
  TdcRecordViewDialog* dialog = new TdcRecordViewDialog(&ownerForm);
};

}  // namespace recordviewtest
