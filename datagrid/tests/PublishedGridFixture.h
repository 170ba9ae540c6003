#pragma once
// A shown, active form holding the published data-aware grid on a TdcDataSource, with two kinds
// of table to bind it to: a memory table of matters that publishes the extension properties
// (case id, a Y/N "Billable" flag, a memo of notes and, when asked, a calculated "selected"
// column), and the application's table on a clients file made by qnseed. Also the small edit the
// grid mounts into cells, as the data-aware edits of the program behave.
#include <gtest/gtest.h>

#include <QTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "datagrid/CellDisplayMapping.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DcDataSource.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "framework/db/BlobField.h"
#include "framework/db/FieldDataLink.h"
#include "framework/db/StringField.h"
#include "framework/ui/Application.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace publishedgridtest {

// An edit bound by name to a field: it writes its text to the field when it is left changed (the
// framework's exit notification), records the keys it gets, and may show stored values as others.
class GridTestEdit : public TCustomEdit, public CellDisplayMapping {
  QN_PUBLISHED_CLASS(GridTestEdit, TCustomEdit)
 public:
  explicit GridTestEdit(TComponent* owner) : TCustomEdit(owner) { link_.SetControl(this); }

  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* value) { link_.SetDataSource(value); }
  AnsiString DataField() const { return link_.FieldName(); }
  void SetDataField(const AnsiString& value) { link_.SetFieldName(value); }

  void DoExit() override {
    if (Modified() && link_.Field() && link_.Edit()) {
      link_.Field()->SetAsString(Text());
      SetModified(false);
    }
    TCustomEdit::DoExit();
  }
  void KeyDown(WORD& Key, TShiftState Shift) override {
    keysDown.push_back(Key);
    TCustomEdit::KeyDown(Key, Shift);
  }
  bool GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) override {
    const auto found = shownAs.find(StoredValue);
    if (found == shownAs.end()) return false;
    DisplayText = found->second;
    return true;
  }

  std::vector<WORD> keysDown;
  std::map<AnsiString, AnsiString> shownAs;

 private:
  TFieldDataLink link_;
};

inline void GridTestEdit::PublishProperties(PropertyPublisher<GridTestEdit>& publish) {
  publish.Object("DataSource", &GridTestEdit::DataSource, &GridTestEdit::SetDataSource);
  publish.String("DataField", &GridTestEdit::DataField, &GridTestEdit::SetDataField);
}

// The record-view dialog's form, by class name: its controls never edit grid cells.
class TdcRecordViewForm : public TForm {
  QN_CLASS(TdcRecordViewForm, TForm)
 public:
  using TForm::TForm;
};

class PublishedGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    form = new TForm(Application);
    form->SetBounds(100, 100, 640, 480);
    source = new TdcDataSource(form);
    grid = new TdcDBGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 400);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  }
  void TearDown() override {
    delete form;
    clients.reset();
  }

  // Matters M1.. with Billable "Y" on the odd ones and notes "Note n".
  datagridtest::ExtendedTestDataSet* openMatters(int count, bool selectedColumn = false) {
    matters = new datagridtest::ExtendedTestDataSet(form);
    auto add = [this](TField* field, const char* name, int size) {
      field->SetFieldName(name);
      if (size) field->SetSize(size);
      field->SetDataSet(matters);
      return field;
    };
    add(new TStringField(matters), "CaseID", 8);
    add(new TStringField(matters), "Billable", 1);
    add(new TMemoField(matters), "Notes", 0)->SetDisplayLabel("Case~Notes");
    if (selectedColumn) add(new TStringField(matters), "Selected", 1)->SetFieldKind(fkCalculated);
    matters->FieldDefs().Add("CaseID", ftString, 8);
    matters->FieldDefs().Add("Billable", ftString, 1);
    matters->FieldDefs().Add("Notes", ftMemo);
    matters->Open();
    for (int i = 1; i <= count; ++i)
      matters->AppendRecord({"M" + std::to_string(i), i % 2 ? "Y" : "N", "Note " + std::to_string(i)});
    matters->First();
    return matters;
  }

  // The clients of those codes through the application's table, on the client-code key.
  TdcTbTable& openClients(const std::vector<std::string>& codes) {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    EXPECT_TRUE(status == 0 || status == 1016) << status;
    const std::string data = datasettest::seedClients("published-grid", codes);
    clients.reset(datasettest::newClientsTable(nullptr, data));
    clients->Open();
    return *clients;
  }

  void bind(TDataSet* dataSet) {
    source->SetDataSet(dataSet);
    grid->SetDataSource(source);
  }
  // The data column showing the field.
  int columnOf(const char* fieldName) {
    for (int i = 0; i < grid->GetFieldCount(); ++i)
      if (grid->GetFields(i)->FieldName() == fieldName) return i;
    ADD_FAILURE() << fieldName << " is no column";
    return -1;
  }
  void focusGridAt(const char* fieldName) {
    grid->SetFocus();
    grid->SetSelectedIndex(columnOf(fieldName));
  }
  void paint() { grid->Window()->repaint(); }
  TRect currentCell() { return grid->cellBounds(grid->Col(), grid->Row()); }

  TForm* form = nullptr;
  TdcDataSource* source = nullptr;
  TdcDBGrid* grid = nullptr;
  datagridtest::ExtendedTestDataSet* matters = nullptr;
  std::unique_ptr<TdcTbTable> clients;
};

}  // namespace publishedgridtest
