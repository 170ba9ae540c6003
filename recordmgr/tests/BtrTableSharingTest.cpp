// The record-manager cursor on a data folder made by qnseed, with qnrecmgr serve as a second
// workstation on the same files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "platform/recmgr/tests/RecordManagerApi.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/TblResReader.h"
#include "recordmgr/tests/BtrTestTables.h"
#include "testing/TestDirs.h"

namespace {

using btrtest::textAt;
using qn::recmgr::testing::ServeChild;

constexpr uint32_t kClientRecord = 393;
const std::string kBright = "42524947485420";  // "BRIGHT " on key 1

class BtrTableSharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    const std::string root = qn::testing::makeScratchDir("btr-sharing");
    const std::string fixture = root + "/fixture";
    dataDir = root + "/data";
    ASSERT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
    std::ofstream(fixture + "/YClient.qf.seed") << "Client Code = ADAMS\n\nClient Code = BRIGHT\n\n"
                                                   "Client Code = CLARK\n\nClient Code = DAVIS\n";
    const std::string command = "'" + qn::recmgr::testing::programFolder() + "/qnseed' data '" + dataDir + "' '" +
                                fixture + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    clients = open("1");
    ASSERT_EQ(other.status("open 0 " + clientsPath()), 0);
  }

  std::string clientsPath() const { return dataDir + "/YClient.qf"; }

  // The clients file with the fields of its compiled layout, in key path index.
  std::unique_ptr<TBtrTable> open(const char* index) {
    const std::string name = clientsPath() + ";RES:YCLIENT";
    std::unique_ptr<TBtrTable> table(CreateCursor<TBtrTable>(nullptr, 0u, 0u, "", name.c_str(), nullptr, nullptr));
    EXPECT_TRUE(table->HasLayoutResource());
    table->SetPhysicalName(clientsPath());
    TTblResReader reader(table.get());
    EXPECT_TRUE(reader.Read(table->LayoutName()));
    table->Activate();
    table->SwitchToIndex(index, nullptr, 0, false);
    return table;
  }

  std::string code(const void* record) { return textAt(record, 4, 7); }

  std::string dataDir;
  std::unique_ptr<TBtrTable> clients;
  ServeChild other;
  std::vector<uint8_t> record = std::vector<uint8_t>(kClientRecord);
};

TEST_F(BtrTableSharingTest, ABookmarkOfARecordDeletedElsewhereLandsOnTheNextKey) {
  clients->GetNextRecord(0, record.data(), nullptr);
  clients->GetNextRecord(0, record.data(), nullptr);
  ASSERT_EQ(code(record.data()), "BRIGHT ");
  std::vector<uint8_t> bookmark(clients->GetBookmarkSize());
  clients->GetBookmark(bookmark.data());
  ASSERT_EQ(other.status("read 0 5 1 " + kBright), 0);
  ASSERT_EQ(other.status("delete 0 1"), 0);

  clients->SetToBookmark(bookmark.data());
  EXPECT_FALSE(clients->BookmarkReached());
  clients->GetRecord(0, record.data(), nullptr);
  EXPECT_EQ(code(record.data()), "CLARK  ");
}

TEST_F(BtrTableSharingTest, ABookmarkOfTheLastRecordDeletedElsewhereLandsOnTheLastSmaller) {
  clients->SetToEnd();
  clients->GetPriorRecord(0, record.data(), nullptr);
  ASSERT_EQ(code(record.data()), "DAVIS  ");
  std::vector<uint8_t> bookmark(clients->GetBookmarkSize());
  clients->GetBookmark(bookmark.data());
  ASSERT_EQ(other.status("read 0 13 1"), 0);
  ASSERT_EQ(other.status("delete 0 1"), 0);

  clients->SetToBookmark(bookmark.data());
  EXPECT_FALSE(clients->BookmarkReached());
  clients->GetRecord(0, record.data(), nullptr);
  EXPECT_EQ(code(record.data()), "CLARK  ");
}

TEST_F(BtrTableSharingTest, ARecordLockedElsewhereIsRefusedWithTheTableName) {
  ASSERT_EQ(other.status("read 0 205 1 " + kBright), 0);
  clients->GetNextRecord(0, record.data(), nullptr);
  try {
    clients->GetNextRecord(1, record.data(), nullptr);
    FAIL() << "the locked record was read under a lock";
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 84);
    EXPECT_EQ(error.KeyText(), AnsiString(clientsPath()));
  }
  // Unlocked reads still see it; a write of it is refused.
  clients->SetToBegin();
  clients->GetNextRecord(0, record.data(), nullptr);
  clients->GetNextRecord(0, record.data(), nullptr);
  EXPECT_EQ(code(record.data()), "BRIGHT ");
  try {
    clients->ModifyRecord(record.data(), true);
    FAIL() << "the locked record was written";
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 84);
  }
}

// A refresh forces the next read of the current record; that read under a lock meets the other
// workstation's lock and says so, rather than locking and handing back another record.
TEST_F(BtrTableSharingTest, ARefreshedRecordLockedElsewhereRefusesTheLockAndStaysCurrent) {
  clients->GetNextRecord(0, record.data(), nullptr);
  clients->GetNextRecord(0, record.data(), nullptr);
  ASSERT_EQ(code(record.data()), "BRIGHT ");
  ASSERT_EQ(other.status("read 0 205 1 " + kBright), 0);
  clients->ForceReread();
  try {
    clients->GetRecord(1, record.data(), nullptr);
    FAIL() << "the refreshed record was read under a lock another workstation holds";
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 84);
  }
  ASSERT_EQ(other.status("unlock 0 -1"), 0);
  clients->GetRecord(1, record.data(), nullptr);
  EXPECT_EQ(code(record.data()), "BRIGHT ");
}

TEST_F(BtrTableSharingTest, WritesReachTheOtherWorkstation) {
  std::vector<uint8_t> added(kClientRecord, ' ');
  std::fill(added.begin(), added.begin() + 4, 0);
  std::memcpy(added.data() + 4, "EVANS  ", 7);
  clients->InsertRecord(0, added.data());
  EXPECT_EQ(other.status("read 0 5 1 4556414E532020"), 0);

  clients->SearchKey(scEqual, true, record.data(), "ADAMS  ", 0, 0);
  clients->DeleteRecord(record.data());
  EXPECT_EQ(other.status("read 0 5 1 4144414D532020"), 4);
}

TEST_F(BtrTableSharingTest, AnAddedIndexServesTheOtherWorkstation) {
  const uint16_t keys = clients->Btr().KeyCountSafe();
  IndexDescriptor descriptor{};
  descriptor.KeyFieldCount = 1;
  descriptor.KeyFields[0] = 2;  // Client Code
  descriptor.Unique = 0;
  clients->AddIndex(descriptor, nullptr);
  ASSERT_EQ(clients->Btr().KeyCountSafe(), keys + 1);
  const std::string answer = other.ask("read 0 12 " + std::to_string(keys));
  EXPECT_EQ(answer.substr(0, 2), "0 ");

  clients->DeleteIndex(std::to_string(keys).c_str(), nullptr, 0);
  EXPECT_EQ(other.status("read 0 12 " + std::to_string(keys)), 6);
}

}  // namespace
