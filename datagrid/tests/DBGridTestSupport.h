#pragma once
// A shown form holding a data-aware grid over a memory table of matters (case id, client,
// title, amount), and the measures the grid takes through its canvas.
#include <gtest/gtest.h>

#include <QTest>
#include <string>

#include "datagrid/CustomDBGrid.h"
#include "framework/base/StringList.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/Font.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace datagridtest {

class DBGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    form = new qn::ui::testing::TTestForm;
    form->SetBounds(100, 100, 640, 480);
    table = makeTable(form);
    table->FieldDefs().Add("CaseID", ftString, 8);
    table->FieldDefs().Add("Client", ftString, 7);
    table->FieldDefs().Add("Title", ftString, 40);
    table->FieldDefs().Add("Amount", ftInteger);
    source = new TDataSource(form);
    source->SetDataSet(table);
    grid = new TdcCustomDBGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 400);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  }
  void TearDown() override { delete form; }
  // The table the grid shows; a fixture may give one of its own kind.
  virtual MemoryDataSet* makeTable(TComponent* owner) { return new MemoryDataSet(owner); }

  // Opens the table with count matters, the current one the first.
  void open(int count) {
    table->Open();
    for (int i = 1; i <= count; ++i)
      table->AppendRecord({"C" + std::to_string(100000 + i), "CL" + std::to_string(i % 97), "Matter " + std::to_string(i), i});
    table->First();
  }
  void bind() { grid->SetDataSource(source); }

  int charWidth() { return measureWidth(grid->Font(), "0"); }
  int measureWidth(TFont* font, const AnsiString& text) {
    Canvas& c = grid->canvas();
    c.SetFont(font);
    return c.textWidth(text);
  }
  int measureHeight(TFont* font, const AnsiString& text) {
    Canvas& c = grid->canvas();
    c.SetFont(font);
    return c.textHeight(text);
  }
  // The whole data rows below the title row (the line after the last may fall off).
  int rowsFitting() const {
    return (grid->ClientRect().Height() - grid->rowHeight(0)) / (grid->defaultRowHeight() + grid->lineWidth());
  }
  int currentRecordNumber() { return table->FieldByName("Amount")->AsInteger(); }

  qn::ui::testing::TTestForm* form = nullptr;
  MemoryDataSet* table = nullptr;
  TDataSource* source = nullptr;
  TdcCustomDBGrid* grid = nullptr;
};

}  // namespace datagridtest
