#include <gtest/gtest.h>

#include "core/RecordFiles.h"
#include "core/tests/RecordRaised.h"
#include "core/tests/SeededDataFolder.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "recordmgr/WinBtr.h"

namespace {

using qn::core::testing::raised;
using qn::core::testing::SeededDataFolder;
using qn::recmgr::testing::ServeChild;

constexpr uint8_t kClients = 3;
constexpr uint8_t kFees = 7;
const std::string kEvansHex = "4556414E532020";  // "EVANS  "

// Clients and fees open in slots 3 and 7; a second workstation looks at what is committed.
class RecordFileTransactionTest : public SeededDataFolder {
 protected:
  void SetUp() override {
    SeededDataFolder::SetUp();
    OpenRecordFile(kFees, path("Fee.qf;FE"), 0);
    OpenRecordFile(kClients, path("YClient.qf;CL"), 0);
    SetKeyPath(kClients, 1);
    ASSERT_EQ(other.status("open 0 " + linuxPath("YClient.qf")), 0);
    ASSERT_EQ(other.status("open 1 " + linuxPath("Fee.qf")), 0);
  }

  void writeBoth() {
    AnsiString client(389, ' ');
    client.replace(0, 5, "EVANS");
    InsertRecord(kClients, client);
    AnsiString fee(76, ' ');
    fee.replace(0, 5, "EVANS");
    InsertRecord(kFees, fee);
  }

  int othersEvansStatus() { return other.status("read 0 5 1 " + kEvansHex); }
  int othersFeeCount() {
    int count = 0;
    for (int status = other.status("read 1 33 0"); status == 0; status = other.status("read 1 24 0")) ++count;
    return count;
  }

  ServeChild other;
};

TEST_F(RecordFileTransactionTest, ACommittedTransactionWritesBothFilesAtOnce) {
  BeginFileTransaction();
  EXPECT_EQ(TransactionFileNumber, kClients);
  writeBoth();
  EXPECT_EQ(othersEvansStatus(), 4);
  EXPECT_EQ(othersFeeCount(), 3);
  EndFileTransaction();
  EXPECT_EQ(TransactionFileNumber, -1);
  EXPECT_EQ(othersEvansStatus(), 0);
  EXPECT_EQ(othersFeeCount(), 4);
}

TEST_F(RecordFileTransactionTest, AnAbortedTransactionLeavesBothFilesAsTheyWere) {
  BeginFileTransaction();
  writeBoth();
  AnsiString buffer(393, ' ');
  EXPECT_TRUE(GetEqualRecord(kClients, "EVANS  ", buffer, false));
  AbortFileTransaction();
  EXPECT_EQ(TransactionFileNumber, -1);
  EXPECT_FALSE(GetEqualRecord(kClients, "EVANS  ", buffer, false));
  EXPECT_EQ(GetRecordCount(kClients), 4u);
  EXPECT_EQ(GetRecordCount(kFees), 3u);
  EXPECT_EQ(othersFeeCount(), 3);
}

TEST_F(RecordFileTransactionTest, EndingOrAbortingWithoutATransactionIsRefused) {
  EXPECT_EQ(raised([] { EndFileTransaction(); }), "Unable to commit a transaction.\r\rNo active transaction!");
  EXPECT_EQ(raised([] { AbortFileTransaction(); }), "Unable to roll back a transaction.\r\rNo active transaction!");
}

TEST_F(RecordFileTransactionTest, ATransactionWhoseFileWasClosedCannotBeReached) {
  BeginFileTransaction();
  CloseRecordFile(kClients);
  EXPECT_EQ(raised([] { EndFileTransaction(); }), "Unable to commit a transaction.\r\rUnable to access file object");
  EXPECT_EQ(TransactionFileNumber, -1);
  // The record manager's transaction is still running; the fees' call object ends it.
  RecordFileTable(kFees).CallObject->AbortTransaction();
}

TEST_F(RecordFileTransactionTest, ABeginTheRecordManagerRefusesSaysWhy) {
  BeginFileTransaction();
  EXPECT_EQ(raised([] { BeginFileTransaction(); }),
            "Unable to start a transaction.\rBtrieve status 37.\rAnother transaction is already active");
  // The running transaction is still the layer's to end.
  EXPECT_EQ(TransactionFileNumber, kClients);
  writeBoth();
  EndFileTransaction();
  EXPECT_EQ(othersEvansStatus(), 0);
}

TEST(RecordFileTransactionWithoutFilesTest, BeginNeedsAnOpenFile) {
  EXPECT_EQ(raised([] { BeginFileTransaction(); }),
            "No files are currently opened.\r\rYou must have a file open to begin a transaction.");
  EXPECT_EQ(TransactionFileNumber, -1);
}

}  // namespace
