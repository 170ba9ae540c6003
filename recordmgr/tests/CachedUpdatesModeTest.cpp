// A table switched into and out of cached updates, open and closed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/db/DatabaseError.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

class CachedUpdatesModeTest : public datasettest::ClientsDatasetTest {
 protected:
  static std::string failure(TttBDEDataset& table) {
    try {
      table.CheckCachedUpdates();
    } catch (const EDatabaseError& e) {
      return e.Message();
    }
    return "";
  }
};

TEST_F(CachedUpdatesModeTest, OnlyATableInCachedUpdatesPassesTheCheck) {
  seed({"ADAMS", "BRIGHT", "CLARK"});
  bindingtest::TestTableDataset* clients = openClients();
  EXPECT_EQ(failure(*clients), "Not in cached update mode");
  clients->SetCachedUpdates(true);
  EXPECT_EQ(failure(*clients), "");
  clients->SetCachedUpdates(false);
  EXPECT_EQ(failure(*clients), "Not in cached update mode");
}

TEST_F(CachedUpdatesModeTest, TheRecordsReadTheSameUnderTheCacheOpenedOrSwitched) {
  seed({"ADAMS", "BRIGHT", "CLARK"});
  const std::vector<std::string> all{"ADAMS", "BRIGHT", "CLARK"};
  bindingtest::TestTableDataset* switched = openClients();
  switched->Next();
  switched->SetCachedUpdates(true);
  EXPECT_EQ(code(*switched), "BRIGHT");
  EXPECT_EQ(codes(*switched), all);
  switched->Close();
  EXPECT_TRUE(switched->CachedUpdates());
  switched->Open();
  EXPECT_EQ(codes(*switched), all);
  switched->SetCachedUpdates(false);
  EXPECT_EQ(codes(*switched), all);
  switched->Close();

  bindingtest::TestTableDataset* stored = newClients();
  stored->SetCachedUpdates(true);
  EXPECT_TRUE(stored->CachedUpdates());
  stored->Open();
  EXPECT_EQ(codes(*stored), all);
}

}  // namespace
