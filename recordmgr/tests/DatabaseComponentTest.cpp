#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/db/DatabaseError.h"
#include "framework/ui/LoginDialogs.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/tests/RecordingLog.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestSession.h"
#include "testing/TestDirs.h"

namespace {

using bindingtest::TestDatabaseComponent;
using bindingtest::TestSessionComponent;
using bindingtest::TestSessionList;

std::string messageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EDatabaseError& error) {
    return error.Message();
  }
  return "(nothing raised)";
}

class DatabaseComponentTest : public ::testing::Test {
 protected:
  DatabaseComponentTest() : folder(qn::testing::makeScratchDir("database-component")) {
    standard = new TestSessionComponent(nullptr, sessions);
    standard->SetSessionName("Btrieve");
  }
  ~DatabaseComponentTest() override {
    qn::ui::setLoginPresenter({});
    qn::os::RegistryKey(qn::os::HKEY_LOCAL_MACHINE).DeleteKey(sessiontest::AliasesKey);
  }

  TestDatabaseComponent* newDatabase(const std::string& name) {
    auto* database = new TestDatabaseComponent(nullptr, sessions);
    owned.emplace_back(database);
    database->SetDatabaseName(name);
    return database;
  }
  void writeAlias(const std::string& name, const std::vector<std::pair<std::string, std::string>>& values) {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(std::string(sessiontest::AliasesKey) + "\\" + name, true));
    for (const auto& [valueName, value] : values) registry.WriteString(valueName, value);
  }

  std::string folder;
  TestSessionList sessions;
  TestSessionComponent* standard;
  std::vector<std::unique_ptr<TestDatabaseComponent>> owned;
};

TEST_F(DatabaseComponentTest, AFolderConnectsThroughTheDefaultSessionAndClosesItsEngineDatabase) {
  TestDatabaseComponent* database = newDatabase(folder);
  EXPECT_EQ(database->Session(), standard);
  database->SetConnected(true);
  ASSERT_TRUE(database->Connected());
  EXPECT_TRUE(standard->Active());
  EXPECT_EQ(standard->GetHandle()->Databases()->Count(), 1);
  EXPECT_TRUE(database->IsSQLBased());  // the record manager's driver is not the standard one
  database->SetConnected(false);
  EXPECT_FALSE(database->Connected());
  EXPECT_EQ(standard->GetHandle()->Databases()->Count(), 0);
}

TEST_F(DatabaseComponentTest, TransactionsNeedAnOpenDatabaseAndRunOnItsHandle) {
  TestDatabaseComponent* database = newDatabase(folder);
  EXPECT_EQ(messageOf([&] { database->Commit(); }), "Cannot perform this operation on a closed database");
  EXPECT_EQ(messageOf([&] { database->Rollback(); }), "Cannot perform this operation on a closed database");
  EXPECT_EQ(messageOf([&] { database->StartTransaction(); }), "Cannot perform this operation on a closed database");
  EXPECT_EQ(sessions.engine, nullptr);  // no engine call was made
  EXPECT_FALSE(database->InTransaction());

  database->Open();
  EXPECT_FALSE(database->InTransaction());
  database->StartTransaction();
  EXPECT_TRUE(database->InTransaction());
  database->Commit();
  EXPECT_FALSE(database->InTransaction());
  database->StartTransaction();
  database->Rollback();
  EXPECT_FALSE(database->InTransaction());
}

// The engine's error for the record manager's status: its code and the status behind it.
void expectEngineError(const std::function<void()>& action, int32_t status) {
  try {
    action();
    ADD_FAILURE() << "nothing raised";
  } catch (const ETDBEngineError& error) {
    // The raised code first, then the entry the engine kept with the record manager's status.
    ASSERT_GE(error.ErrorCount(), 2);
    EXPECT_EQ(error.Errors(0).ErrorCode, BtrieveStatusToEngineCode(status));
    EXPECT_EQ(error.Errors(1).ErrorCode, BtrieveStatusToEngineCode(status));
    EXPECT_EQ(error.Errors(1).NativeError, status);
  }
}

constexpr int32_t kNoTransaction = 39;

TEST_F(DatabaseComponentTest, CommitAndRollbackWithoutATransactionRaiseTheEnginesError) {
  TestDatabaseComponent* database = newDatabase(folder);
  database->Open();
  const std::pair<const char*, std::function<void()>> ends[] = {
      {"commit", [&] { database->Commit(); }},
      {"rollback", [&] { database->Rollback(); }},
  };
  for (const auto& [name, end] : ends) {
    SCOPED_TRACE(name);
    expectEngineError(end, kNoTransaction);
    // And once more after a transaction that ended.
    database->StartTransaction();
    database->Commit();
    expectEngineError(end, kNoTransaction);
    EXPECT_FALSE(database->InTransaction());
  }
}

// The record manager refusing the end of a transaction is a failure the caller hears of, never a
// commit that seemed to go in (the recording library answers for the record manager here).
TEST_F(DatabaseComponentTest, ACommitTheRecordManagerRefusesRaisesTheEnginesError) {
  const uint16_t loaded = LoadBtrieveEngine("", "RECWBTRV.DLL");
  ASSERT_TRUE(loaded == 0 || loaded == 1016) << loaded;
  TestDatabaseComponent* database = newDatabase(folder);
  database->Open();
  constexpr uint16_t kEndTransaction = 20;
  constexpr int16_t kTransactionEnded = 41;
  database->StartTransaction();
  recordingtest::clearRecordedCalls();
  recordingtest::injectStatus(kEndTransaction, kTransactionEnded);
  expectEngineError([&] { database->Commit(); }, kTransactionEnded);
  ASSERT_EQ(recordingtest::recordedOps(kEndTransaction).size(), 1u) << "the commit reached the record manager";
}

TEST_F(DatabaseComponentTest, TheNameOfAConnectedDatabaseStays) {
  TestDatabaseComponent* database = newDatabase(folder);
  database->Open();
  EXPECT_NO_THROW(database->SetDatabaseName(folder));
  EXPECT_EQ(messageOf([&] { database->SetDatabaseName(folder + "/other"); }),
            "Cannot perform this operation on an open database");
  EXPECT_EQ(database->DatabaseName(), folder);
  auto* unnamed = new TestDatabaseComponent(nullptr, sessions);
  owned.emplace_back(unnamed);
  EXPECT_EQ(messageOf([&] { unnamed->Open(); }), "Database name missing");
}

TEST_F(DatabaseComponentTest, TwoDatabasesOfOneNameInASessionMustShareTheirHandle) {
  TestDatabaseComponent* first = newDatabase("QN");
  EXPECT_EQ(messageOf([&] { newDatabase("qn"); }), "Duplicate database name 'qn'");

  first->SetDatabaseName(folder);
  first->SetHandleShared(true);
  first->Open();
  auto* second = new TestDatabaseComponent(nullptr, sessions);
  owned.emplace_back(second);
  second->SetHandleShared(true);
  second->SetDatabaseName(folder);
  second->Open();
  EXPECT_EQ(second->Handle(), first->Handle());
  EXPECT_EQ(standard->GetHandle()->Databases()->Count(), 1);
  second->Close();
  EXPECT_TRUE(first->Connected());
  EXPECT_EQ(standard->GetHandle()->Databases()->Count(), 1);
  first->Close();
  EXPECT_EQ(standard->GetHandle()->Databases()->Count(), 0);
}

TEST_F(DatabaseComponentTest, WithoutLoginPromptNoDialogIsAsked) {
  writeAlias("QN", {{"PATH", folder}});
  int asked = 0;
  qn::ui::setLoginPresenter([&](const LoginRequest&) -> std::optional<LoginAnswer> {
    ++asked;
    return std::nullopt;
  });
  TestDatabaseComponent* database = newDatabase("QN");
  database->Open();
  EXPECT_TRUE(database->Connected());
  EXPECT_EQ(asked, 0);
}

TEST_F(DatabaseComponentTest, TheLoginDialogIsAskedForTheAliasUserAndCancelFailsTheConnection) {
  writeAlias("QN", {{"PATH", folder}, {"USER", "Ren"}});
  std::vector<LoginRequest> requests;
  std::optional<LoginAnswer> answer;
  qn::ui::setLoginPresenter([&](const LoginRequest& request) {
    requests.push_back(request);
    return answer;
  });
  TestDatabaseComponent* database = newDatabase("QN");
  database->SetLoginPrompt(true);
  EXPECT_EQ(messageOf([&] { database->Open(); }), "Cannot connect to database 'QN'");
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].databaseName, "QN");
  EXPECT_EQ(requests[0].userName, "Ren");
  EXPECT_FALSE(database->Connected());

  answer = LoginAnswer{"Ren", "secret"};
  database->Open();
  EXPECT_TRUE(database->Connected());
  EXPECT_EQ(database->Params().Values("USER NAME"), "Ren");
}

// A database named apart from its alias adds a temporary alias of its own name on opening; the
// close takes it away again, without an error, however often the database opens.
TEST_F(DatabaseComponentTest, ClosingRemovesTheTemporaryAliasItsOpeningAdded) {
  writeAlias("QN", {{"PATH", folder}});
  TestDatabaseComponent* database = newDatabase("MINE");
  database->SetAliasName("QN");
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    database->Open();
    ASSERT_TRUE(database->Connected());
    ASSERT_EQ(standard->GetHandle()->ConfigRecords()->Count(), 1);
    EXPECT_EQ(messageOf([&] { database->Close(); }), "(nothing raised)");
    EXPECT_FALSE(database->Connected());
    EXPECT_EQ(standard->GetHandle()->ConfigRecords()->Count(), 0);
  }
}

TEST_F(DatabaseComponentTest, TheSessionOpensADatabaseOnDemandAndFreesItWithTheLastUser) {
  standard->SetKeepConnections(false);
  TttDatabase* database = standard->OpenDatabase(folder);
  EXPECT_TRUE(database->Temporary());
  EXPECT_TRUE(database->Connected());
  EXPECT_EQ(standard->OpenDatabase(folder), database);
  EXPECT_EQ(database->ReferenceCount(), 2);
  standard->CloseDatabase(database);
  EXPECT_EQ(standard->DatabaseCount(), 1);
  standard->CloseDatabase(database);
  EXPECT_EQ(standard->DatabaseCount(), 0);
  EXPECT_EQ(standard->GetHandle()->Databases()->Count(), 0);
}

}  // namespace

namespace {

TEST_F(DatabaseComponentTest, AnAutomaticallyNamedSessionTakesTheDatabasesOfItsForm) {
  TComponent form(nullptr);
  auto* database = new TestDatabaseComponent(&form, sessions);
  database->SetDatabaseName(folder);
  EXPECT_EQ(database->Session(), standard);
  auto* session = new TestSessionComponent(&form, sessions);
  session->SetName("Session1");
  session->SetAutoSessionName(true);
  EXPECT_EQ(database->SessionName(), "Session1_1");
  EXPECT_EQ(database->Session(), session);
  EXPECT_EQ(standard->DatabaseCount(), 0);
  EXPECT_EQ(session->DatabaseCount(), 1);
  database->Open();
  EXPECT_TRUE(session->Active());
  EXPECT_EQ(database->Handle()->Owner(), session->GetHandle());
}

}  // namespace
