// Transactions seen from a second process on the same database folder.
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/sqlif/tests/SqlFixture.h"

namespace qn::sqlif::testing {
namespace {

class TransactionsTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    ASSERT_EQ(loginTo(folder), 0);
  }
  // The second process, started on the statement; `printed` waits for what it prints.
  FILE* startOther(const std::string& statement) {
    const std::string command = "'" + programFolder() + "/qn-sqlif-child' '" + folder + "' \"" + statement + "\"";
    return ::popen(command.c_str(), "r");
  }
  static std::string printed(FILE* pipe) {
    std::string out;
    if (pipe == nullptr) return out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
    return out;
  }
  // What the second process prints for the statement.
  std::string other(const std::string& statement) { return printed(startOther(statement)); }
  std::string othersCount() { return other("SELECT COUNT(*) FROM CLIENTS"); }
};

TEST_F(TransactionsTest, CommitAndRollbackAsSeenByAnotherProcess) {
  ASSERT_EQ(runStatement("START TRANSACTION"), 0);
  EXPECT_EQ(runStatement("start transaction"), 37);
  ASSERT_EQ(runStatement("INSERT INTO CLIENTS (ID, NAME) VALUES (1000, 'Inside')"), 0);
  EXPECT_EQ(othersCount(), "exec=0 first=100\n");
  // The other process cannot write while this one holds the transaction.
  EXPECT_EQ(other("START TRANSACTION"), "exec=84\n");
  ASSERT_EQ(runStatement("COMMIT WORK"), 0);
  EXPECT_EQ(othersCount(), "exec=0 first=101\n");

  ASSERT_EQ(runStatement("START TRANSACTION"), 0);
  ASSERT_EQ(runStatement("DELETE FROM CLIENTS"), 0);
  ASSERT_EQ(runStatement("ROLLBACK WORK"), 0);
  EXPECT_EQ(othersCount(), "exec=0 first=101\n");

  EXPECT_EQ(runStatement("COMMIT WORK"), 39);
  EXPECT_EQ(runStatement("ROLLBACK WORK"), 39);
}

// The other process waits for this one's transaction as the record manager waits for a file
// (busyWaitMs): a transaction that ends within a second is no busy database.
TEST_F(TransactionsTest, AnotherProcessWaitsOutATransactionThatEndsWithinASecond) {
  ASSERT_EQ(runStatement("START TRANSACTION"), 0);
  FILE* pipe = startOther("START TRANSACTION");
  ASSERT_NE(pipe, nullptr);
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_EQ(runStatement("COMMIT WORK"), 0);
  EXPECT_EQ(printed(pipe), "exec=0\n");
}

TEST_F(TransactionsTest, LogoutRollsAnOpenTransactionBack) {
  ASSERT_EQ(runStatement("START TRANSACTION"), 0);
  ASSERT_EQ(runStatement("DELETE FROM CLIENTS WHERE ID <= 50"), 0);
  ASSERT_EQ(api.logout(), 0);
  EXPECT_EQ(othersCount(), "exec=0 first=100\n");
  EXPECT_EQ(other("START TRANSACTION"), "exec=0\n");  // nothing is held any more
}

}  // namespace
}  // namespace qn::sqlif::testing
