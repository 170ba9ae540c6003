// Datasets and their database component beside a second workstation (qnrecmgr serve) on the same
// data folder: locks met, rows deleted underneath, transactions seen from outside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/db/DatabaseError.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "recordmgr/Database.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"
#include "recordmgr/tests/RecordingLog.h"

namespace {

using datasettest::ClientsDatasetTest;
using datasettest::kClientCode;
using datasettest::kFirstName;
using qn::recmgr::testing::ServeChild;

// The hex digits of the text padded with blanks to width bytes, as the other workstation takes
// a key.
std::string keyHex(const std::string& text, size_t width) {
  static const char* digits = "0123456789ABCDEF";
  std::string padded = text;
  padded.resize(width, ' ');
  std::string hex;
  for (unsigned char c : padded) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

std::string clientKey(const std::string& code) { return keyHex(code, 7); }

// A client record of the other workstation: no number yet, the code, blanks after it.
std::string clientRecordHex(const std::string& code) { return "00000000" + keyHex(code, 389); }

class DatasetSharingTest : public ClientsDatasetTest {
 protected:
  void SetUp() override {
    ClientsDatasetTest::SetUp();
    seed({"ADAMS", "BRIGHT", "CLARK", "DAVIS"}, {"AMB", "ZED"});
    ASSERT_EQ(other.status("open 0 " + dataDir + "/YClient.qf"), 0);
    ASSERT_EQ(other.status("open 1 " + dataDir + "/YEmpl.qf"), 0);
  }
  // Whether the other workstation finds the client (0) or not (4).
  int otherFindsClient(const std::string& code) { return other.status("read 0 5 1 " + clientKey(code)); }
  int otherFindsEmployee(const std::string& code) { return other.status("read 1 5 1 " + keyHex(code, 4)); }

  ServeChild other;
};

TEST_F(DatasetSharingTest, AnEditOfARecordHeldElsewhereReachesOnEditErrorAndARetrySucceedsOnceItIsLetGo) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(1);
  ASSERT_EQ(code(*clients), "BRIGHT");
  ASSERT_EQ(other.status("read 0 205 1 " + clientKey("BRIGHT")), 0);
  std::vector<std::string> seen;
  clients->OnEditError = [&](TDataSet*, EDatabaseError& error, TDataAction& action) {
    seen.push_back(error.Message());
    // The first answer is retry while the record is still held; the second lets it go first.
    if (seen.size() == 2) {
      ASSERT_EQ(other.status("unlock 0 -1"), 0);
    }
    action = daRetry;
  };
  clients->Edit();
  ASSERT_EQ(seen.size(), 2u);
  for (const std::string& message : seen) EXPECT_EQ(message.substr(0, 17), "Btrieve Status 84") << message;
  clients->FieldByName(kFirstName)->SetAsString("Beatrice");
  clients->Post();
  const std::string answer = other.ask("read 0 5 1 " + clientKey("BRIGHT"));
  EXPECT_NE(answer.find(keyHex("Beatrice", 8)), std::string::npos) << answer;
}

TEST_F(DatasetSharingTest, AnEditHoldsTheRecordUntilItIsPostedOrCancelled) {
  bindingtest::TestTableDataset* clients = openClients();
  const std::string lockBright = "read 0 205 1 " + clientKey("BRIGHT");
  clients->MoveBy(1);
  clients->Edit();
  EXPECT_EQ(other.status(lockBright), 84);
  clients->Cancel();
  EXPECT_EQ(other.status(lockBright), 0);
  ASSERT_EQ(other.status("unlock 0 -1"), 0);

  clients->Edit();
  clients->FieldByName(kFirstName)->SetAsString("Held");
  EXPECT_EQ(other.status(lockBright), 84);
  clients->Post();
  EXPECT_EQ(other.status(lockBright), 0);
}

TEST_F(DatasetSharingTest, APostMeetingATransactionElsewhereReachesOnPostErrorAndARetrySucceedsAfterItsEnd) {
  bindingtest::TestTableDataset* clients = openClients();
  ASSERT_EQ(other.status("begin"), 0);
  ASSERT_EQ(other.status("insert 0 " + clientRecordHex("ZED")), 0);
  std::string seen;
  clients->OnPostError = [&](TDataSet*, EDatabaseError& error, TDataAction& action) {
    seen = error.Message();
    ASSERT_EQ(other.status("end"), 0);
    action = daRetry;
  };
  clients->Insert();
  clients->FieldByName(kClientCode)->SetAsString("EVANS");
  clients->Post();
  EXPECT_EQ(seen.substr(0, 17), "Btrieve Status 84") << seen;
  EXPECT_EQ(clients->State(), dsBrowse);
  EXPECT_EQ(otherFindsClient("EVANS"), 0);
  EXPECT_EQ(codes(*clients), (std::vector<std::string>{"ADAMS", "BRIGHT", "CLARK", "DAVIS", "EVANS", "ZED"}));
}

TEST_F(DatasetSharingTest, ARowDeletedElsewhereIsNeitherEditedNorPostedOverItsNeighbour) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(1);
  ASSERT_EQ(code(*clients), "BRIGHT");
  ASSERT_EQ(other.status("read 0 5 1 " + clientKey("BRIGHT")), 0);
  ASSERT_EQ(other.status("delete 0 1"), 0);
  try {
    clients->Edit();
    FAIL() << "a row deleted elsewhere went into edit";
  } catch (const ETDBEngineError& error) {
    ASSERT_GT(error.ErrorCount(), 0);
    EXPECT_EQ(error.Errors(0).ErrorCode, 8709);
  }
  EXPECT_EQ(clients->State(), dsBrowse);

  // A row being edited whose lock was lost and that another workstation then deleted.
  clients->First();
  clients->MoveBy(1);
  ASSERT_EQ(code(*clients), "CLARK");
  clients->Edit();
  clients->FieldByName(kFirstName)->SetAsString("Changed");
  ASSERT_EQ(clients->Engine()->ReleaseRecordLock(clients->Handle(), true), 0);
  ASSERT_EQ(other.status("read 0 5 1 " + clientKey("CLARK")), 0);
  ASSERT_EQ(other.status("delete 0 1"), 0);
  try {
    clients->Post();
    FAIL() << "a post of a row deleted elsewhere succeeded";
  } catch (const ETDBEngineError& error) {
    ASSERT_GT(error.ErrorCount(), 0);
    EXPECT_EQ(error.Errors(0).ErrorCode, 8709);
  }
  clients->Cancel();
  bindingtest::TestTableDataset* fresh = openClients();
  EXPECT_EQ(codes(*fresh), (std::vector<std::string>{"ADAMS", "DAVIS"}));
  for (fresh->First(); !fresh->Eof(); fresh->Next())
    EXPECT_EQ(fresh->FieldByName(kFirstName)->AsString(), "") << code(*fresh);
}

TEST_F(DatasetSharingTest, DeletingARowDeletedElsewhereRaisesNothingAndDeletesNothingElse) {
  bindingtest::TestTableDataset* clients = openClients();
  clients->MoveBy(2);
  ASSERT_EQ(code(*clients), "CLARK");
  ASSERT_EQ(other.status("read 0 5 1 " + clientKey("CLARK")), 0);
  ASSERT_EQ(other.status("delete 0 1"), 0);
  EXPECT_NO_THROW(clients->Delete());
  EXPECT_EQ(clients->RecordCount(), 3);
  for (const char* kept : {"ADAMS", "BRIGHT", "DAVIS"}) EXPECT_EQ(otherFindsClient(kept), 0) << kept;
  EXPECT_EQ(codes(*clients), (std::vector<std::string>{"ADAMS", "BRIGHT", "DAVIS"}));
}

TEST_F(DatasetSharingTest, ATransactionOverTwoTablesIsSeenElsewhereOnlyOnceCommitted) {
  bindingtest::TestDatabaseComponent database(nullptr, sessions);
  database.SetDatabaseName(dataDir);
  database.Open();
  bindingtest::TestTableDataset* clients = openClients();
  bindingtest::TestTableDataset* employees = openClients("1", datasettest::kEmployeesTable);
  ASSERT_EQ(clients->Database(), &database);
  ASSERT_EQ(employees->Database(), &database);
  auto addBoth = [&](const std::string& client, const std::string& employee) {
    clients->Insert();
    clients->FieldByName(kClientCode)->SetAsString(client);
    clients->Post();
    employees->Insert();
    employees->FieldByName("Employee Code")->SetAsString(employee);
    employees->Post();
  };

  database.StartTransaction();
  addBoth("EVANS", "EVA");
  EXPECT_EQ(otherFindsClient("EVANS"), 4);
  EXPECT_EQ(otherFindsEmployee("EVA"), 4);
  database.Commit();
  EXPECT_EQ(otherFindsClient("EVANS"), 0);
  EXPECT_EQ(otherFindsEmployee("EVA"), 0);

  database.StartTransaction();
  addBoth("FOSTER", "FOS");
  database.Rollback();
  EXPECT_EQ(otherFindsClient("FOSTER"), 4);
  EXPECT_EQ(otherFindsEmployee("FOS"), 4);
  clients->Refresh();
  EXPECT_EQ(codes(*clients), (std::vector<std::string>{"ADAMS", "BRIGHT", "CLARK", "DAVIS", "EVANS"}));

  database.Close();
  EXPECT_FALSE(clients->Active());
  EXPECT_FALSE(employees->Active());
}

TEST_F(DatasetSharingTest, ACommitOnAClosedDatabaseMakesNoEngineCall) {
  bindingtest::TestDatabaseComponent database(nullptr, sessions);
  database.SetDatabaseName(dataDir);
  database.Open();
  EXPECT_NO_THROW(database.SetDatabaseName(dataDir));
  try {
    database.SetDatabaseName(dataDir + "/other");
    FAIL() << "a connected database changed its name";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "Cannot perform this operation on an open database");
  }
  database.Close();
  EXPECT_FALSE(recordingtest::recordedCalls().empty());  // the connection went through the recording
  recordingtest::clearRecordedCalls();
  for (auto end : {&TttDatabase::Commit, &TttDatabase::Rollback, &TttDatabase::StartTransaction}) {
    try {
      (database.*end)();
      FAIL() << "a closed database ran a transaction call";
    } catch (const EDatabaseError& error) {
      EXPECT_EQ(error.Message(), "Cannot perform this operation on a closed database");
    }
  }
  EXPECT_TRUE(recordingtest::recordedCalls().empty());
}

}  // namespace
