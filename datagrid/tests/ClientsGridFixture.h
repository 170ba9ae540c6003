#pragma once
// A shown form holding a data-aware grid over the application's table on a clients file of 100
// records made by qnseed (client codes C001 to C100), opened on the client code.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace datagridtest {

inline constexpr const char* kClientCode = "Client Code";
inline constexpr const char* kFirstName = "Client First Name";
inline constexpr const char* kLastName = "Client Last Name";

class ClientsGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    std::vector<std::string> codes;
    char code[8];
    for (int i = 1; i <= 100; ++i) {
      std::snprintf(code, sizeof code, "C%03d", i);
      codes.push_back(code);
    }
    const std::string data = datasettest::seedClients("clients-grid", codes);
    form = new qn::ui::testing::TTestForm;
    form->SetBounds(100, 100, 640, 480);
    table = datasettest::newClientsTable(form, data);
    source = new TDataSource(form);
    source->SetDataSet(table);
    grid = new TdcCustomDBGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 400);
    grid->SetUseTFields(false);
    grid->Selected().SetText(std::string(kClientCode) + "\t8\tCode\r\n" + kFirstName + "\t12\tFirst\r\n" + kLastName +
                             "\t12\tLast\r\n");
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  }
  void TearDown() override { delete form; }

  void openAndBind() {
    table->Open();
    grid->SetDataSource(source);
  }
  AnsiString currentCode() { return table->FieldByName(kClientCode)->AsString(); }

  qn::ui::testing::TTestForm* form = nullptr;
  TdcTbTable* table = nullptr;
  TDataSource* source = nullptr;
  TdcCustomDBGrid* grid = nullptr;
};

}  // namespace datagridtest
