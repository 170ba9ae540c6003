// The published table on a data folder made by qnseed, through the process's default session.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "framework/base/ClassRegistry.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

// Whether another thread could enter the sessions' critical section just now.
bool criticalSectionFreeElsewhere() {
  bool entered = false;
  std::thread([&] {
    entered = BtrieveSessionList()->CriticalSection().try_lock();
    if (entered) BtrieveSessionList()->CriticalSection().unlock();
  }).join();
  return entered;
}

TEST(TbTable, FormsMakeItByClassNameAndItOpensByPathAndLayoutInsideTheCriticalSection) {
  const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(status == 0 || status == 1016) << status;
  const std::string data = datasettest::seedClients("tb-table", {"ADAMS", "BRIGHT", "CLARK"});

  TtbSession* standard = DefaultBtrieveSession();
  ASSERT_FALSE(standard->Active());
  int startups = 0;
  bool heldDuringStart = false;
  standard->OnStartup = [&](TObject*) {
    ++startups;
    heldDuringStart = !criticalSectionFreeElsewhere();
  };

  TComponent form(nullptr);
  auto* table = dynamic_cast<TtbTable*>(CreateComponentByClassName("TtbTable", &form));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->DefaultSession(), standard);
  table->SetDatabaseName(data);
  table->SetTableName(datasettest::kClientsTable);
  table->SetIndexName("1");
  table->Open();

  EXPECT_EQ(startups, 1);
  EXPECT_TRUE(heldDuringStart);
  EXPECT_TRUE(criticalSectionFreeElsewhere());
  EXPECT_TRUE(standard->Active());
  std::vector<std::string> codes;
  for (table->First(); !table->Eof(); table->Next()) codes.push_back(table->FieldByName(datasettest::kClientCode)->AsString());
  EXPECT_EQ(codes, (std::vector<std::string>{"ADAMS", "BRIGHT", "CLARK"}));
  EXPECT_EQ(table->Engine(), BtrieveSessionList()->Engine());
}

}  // namespace
