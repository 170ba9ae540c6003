// The framework's table component over the process's sessions: the class names code asks for,
// creation by class name, and a table opened on a data folder through the default session.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/base/ClassRegistry.h"
#include "framework/base/ComponentError.h"
#include "framework/base/UnitLifecycle.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/FrameworkTable.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

TEST(FrameworkTable, FormsMakeItByClassNameAndItAnswersTheFrameworkClassNames) {
  TComponent form(nullptr);
  TComponent* table = CreateComponentByClassName("TTable", &form);
  ASSERT_NE(table, nullptr);
  for (const char* name : {"TTable", "TttTable", "TDBDataSet", "TttDBDataset", "TBDEDataSet", "TDataSet"})
    EXPECT_TRUE(table->InheritsFrom(name)) << name;
  EXPECT_EQ(table->ClassName(), "TTable");
}

TEST(FrameworkTable, WithoutTheProcessSessionsItCannotBeMade) {
  UnitRegistry::Program().StopAll();
  EXPECT_THROW(TTable table(nullptr), EComponentError);
  UnitRegistry::Program().StartAll();
  EXPECT_NO_THROW(TTable table(nullptr));
}

TEST(FrameworkTable, ItReadsADataFolderThroughTheDefaultSession) {
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  const std::string data = datasettest::seedClients("framework-table", {"CLARK", "ADAMS", "BRIGHT"});
  TTable table(nullptr);
  table.SetDatabaseName(data);
  table.SetTableName(datasettest::kClientsTable);
  table.SetIndexName("1");
  table.Open();
  std::vector<std::string> codes;
  for (table.First(); !table.Eof(); table.Next()) codes.push_back(table.FieldByName(datasettest::kClientCode)->AsString());
  EXPECT_EQ(codes, (std::vector<std::string>{"ADAMS", "BRIGHT", "CLARK"}));
  EXPECT_EQ(table.DBSession(), DefaultBtrieveSession());
  table.Close();
}

}  // namespace
