#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/RegistryKey.h"
#include "recordmgr/BtrDatabase.h"
#include "recordmgr/BtrSession.h"
#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/ConverterOptions.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/KorvoCollection.h"
#include "recordmgr/tests/BtrTestTables.h"
#include "recordmgr/tests/EngineFiles.h"
#include "recordmgr/tests/RecordingLog.h"
#include "testing/TestDirs.h"

namespace {

using namespace recordingtest;

void configure(const char* subkey, const char* name, const std::string& value) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey(SessionConfigurationKey(subkey).c_str(), true));
  registry.WriteString(name, value);
}

void configureBool(const char* subkey, const char* name, bool value) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey(SessionConfigurationKey(subkey).c_str(), true));
  registry.WriteBool(name, value);
}

class BtrSessionTest : public ::testing::Test {
 protected:
  // Sessions load the recording library unless a test configures another.
  void useRecordingLibrary() { configure("Btrieve Client", "DLLName", "RECWBTRV.DLL"); }

  TBtrSession* newSession() {
    return static_cast<TBtrSession*>(CreateSession<TBtrSession>(nullptr, nullptr, nullptr, &sessions));
  }

  TBtrDatabase* openDatabase(TBtrSession& session, const std::string& name) {
    TBaseDatabase* database = nullptr;
    session.OpenDatabase(name.c_str(), nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database);
    return static_cast<TBtrDatabase*>(database);
  }

  TKorvoCollection sessions;
};

TEST_F(BtrSessionTest, WithoutConfigurationTheDefaultLibraryStartsWithAnEmptyText) {
  TBtrSession* session = newSession();
  EXPECT_EQ(session->InitText(), AnsiString());
  EXPECT_EQ(session->LibraryName(), AnsiString());
  // The record manager answers: the default library (libwbtrv32.so) is loaded and started.
  uint8_t position[128] = {};
  char key[256] = {};
  uint16_t length = 0;
  EXPECT_EQ(CallBtrieve(18, position, nullptr, &length, key, 255, 0), 0);
  EXPECT_EQ(std::string(session->GetDriverName()), "BTRIEVE");
}

TEST_F(BtrSessionTest, ALoadFailureRaisesWithTheOptionsText) {
  configure("Btrieve Client", "DLLName", "NOSUCHENGINE.DLL");
  configure("Btrieve Client", "Options", "/m:64");
  try {
    newSession();
    FAIL() << "a session without its library was created";
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 20);
    EXPECT_EQ(error.KeyText(), AnsiString("/m:64"));
  }
  EXPECT_EQ(sessions.Count(), 0);
}

TEST_F(BtrSessionTest, ASecondSessionMeetsAStartedRecordManagerAndGetsItsOwnIdentifier) {
  useRecordingLibrary();
  configure("Btrieve Client", "Options", "/m:64");
  TBtrSession* first = newSession();
  TBtrSession* second = newSession();
  EXPECT_EQ(first->LibraryName(), AnsiString("recwbtrv.dll"));
  EXPECT_EQ(first->InitText(), AnsiString("/m:64"));
  std::vector<RecordedCall> inits;
  for (const RecordedCall& call : recordedCalls())
    if (call.entry == RecordedEntry::Init) inits.push_back(call);
  ASSERT_EQ(inits.size(), 2u);
  EXPECT_EQ(inits[1].status, 1016);

  EXPECT_NE(std::memcmp(first->ClientId(), second->ClientId(), 16), 0);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  for (const TBtrSession* session : {first, second}) {
    const uint8_t* id = session->ClientId();
    EXPECT_TRUE(std::all_of(id, id + 12, [](uint8_t b) { return b == 0; }));
    EXPECT_GE(id[12], 'A');
    EXPECT_LE(id[12], 'Z');
    EXPECT_GE(id[13], 'A');
    EXPECT_LE(id[13], 'Z');
    EXPECT_EQ(id[14], local.tm_hour);
  }
}

TEST_F(BtrSessionTest, EveryTemporaryCallCarriesTheSessionsIdentifier) {
  useRecordingLibrary();
  TBtrSession* session = newSession();
  const std::string dir = qn::testing::makeScratchDir("session-calls");
  TBtrDatabase* database = openDatabase(*session, dir);
  clearRecordedCalls();
  database->SetDirectory(dir.c_str());
  char current[261] = {};
  database->GetDirectory(0, current);
  EXPECT_EQ(std::string(current).substr(0, dir.size()), dir);
  uint32_t transaction = 0;
  database->BeginTransaction(0, transaction);
  database->EndTransaction(transaction, 0);
  database->BeginTransaction(0, transaction);
  database->EndTransaction(transaction, 2);
  std::array<uint8_t, 16> id{};
  std::memcpy(id.data(), session->ClientId(), id.size());
  sessions.FreeAll();  // stops the client

  std::vector<uint16_t> ops;
  for (const RecordedCall& call : recordedCalls()) {
    if (call.entry != RecordedEntry::Call && call.entry != RecordedEntry::CallId) continue;
    ops.push_back(call.op);
    EXPECT_EQ(call.entry, RecordedEntry::CallId) << call.op;
    EXPECT_EQ(std::memcmp(call.clientId, id.data(), id.size()), 0) << call.op;
    EXPECT_EQ(call.status, 0) << call.op;
  }
  EXPECT_EQ(ops, (std::vector<uint16_t>{17, 18, 19, 20, 19, 21, 25}));
}

TEST_F(BtrSessionTest, SessionsAreSeparateClientsAndEndModeTwoAborts) {
  useRecordingLibrary();
  const std::string dir = qn::testing::makeScratchDir("session-clients");
  TBtrSession* first = newSession();
  TBtrSession* second = newSession();
  createRecordFile(dir + "/ITEMS.DAT", 16, {{1, 4, 0, 1}});
  TBtrDatabase* one = openDatabase(*first, dir);
  TBtrDatabase* two = openDatabase(*second, dir);
  EXPECT_STREQ(one->GetDriverType(), "BTRIEVE");
  EXPECT_STREQ(one->Description().Description, "Btrieve (FILE.DDF)");
  const std::vector<btrtest::TestField> fields = {{"Id", 0, 4, 1}};
  auto mine = btrtest::openTable(dir + "/ITEMS.DAT", fields, "0", 0, 0, first->ClientId());
  auto theirs = btrtest::openTable(dir + "/ITEMS.DAT", fields, "0", 0, 0, second->ClientId());
  std::vector<uint8_t> record(16);
  btrtest::place<int32_t>(record, 0, 1);
  btrtest::insert(*mine, record);

  std::vector<uint8_t> read(16);
  mine->GetRecord(1, read.data(), nullptr);  // the inserted record, locked by the first session
  try {
    theirs->GetNextRecord(1, read.data(), nullptr);
    FAIL() << "both sessions locked the record";
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 84);
  }
  mine->ReleaseLocks();

  uint32_t transaction = 0;
  two->BeginTransaction(0, transaction);
  EXPECT_NE(two->InTransaction(), false);
  btrtest::place<int32_t>(record, 0, 2);
  btrtest::insert(*theirs, record);
  two->EndTransaction(transaction, 2);
  EXPECT_FALSE(two->InTransaction());
  uint32_t count = 0;
  mine->GetExactRecordCount(count);
  EXPECT_EQ(count, 1u);
}

TEST_F(BtrSessionTest, DatabasesOpenOnFoldersAndAliases) {
  useRecordingLibrary();
  const std::string dir = qn::testing::makeScratchDir("session-alias");
  {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey("\\Software\\Korvo\\Btrieve\\Aliases\\QNDATA", true));
    registry.WriteString("PhysicalName", dir);
  }
  TBtrSession* session = newSession();
  EXPECT_EQ(std::string(openDatabase(*session, dir)->Directory()), dir + "\\");
  EXPECT_EQ(std::string(openDatabase(*session, "QNDATA")->Directory()), dir + "\\");
}

TEST_F(BtrSessionTest, AnAliasAddedAtRunTimeIsDeletedAndAMissingOneIsNotFound) {
  useRecordingLibrary();
  TBtrSession* session = newSession();
  session->AddAlias("TEMP", "STANDARD", "PATH:\"/srv/qn\"", false);
  session->AddAlias("TEMP2", "STANDARD", "PATH:\"/srv/qn2\"", false);
  ASSERT_EQ(session->ConfigRecords()->Count(), 2);
  session->DeleteAlias("TEMP");
  EXPECT_EQ(session->ConfigRecords()->Count(), 1);
  try {
    session->DeleteAlias("TEMP");
    ADD_FAILURE() << "nothing raised";
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_RECNOTFOUND);
  }
  EXPECT_EQ(session->ConfigRecords()->Count(), 1);
}

TEST_F(BtrSessionTest, TheConfigurationSetsTheConverterOptions) {
  useRecordingLibrary();
  configureBool("Fields", "Read", true);
  configureBool("Fields", "SmallIntAsByte", true);
  configureBool("Fields", "IntegersShowAsZero", true);
  configureBool("Intl", "IgnoreOemAnsi", true);
  ConverterOptions = TConverterOptions{};
  ConverterOptions.StringPaddedSpaces = false;
  TBtrSession* session = newSession();
  EXPECT_TRUE(ConverterOptions.Read);
  EXPECT_FALSE(ConverterOptions.Write);
  EXPECT_TRUE(ConverterOptions.SmallIntAsByte);
  EXPECT_TRUE(ConverterOptions.IntegersShowAsZero);
  EXPECT_TRUE(ConverterOptions.StringPaddedSpaces);  // missing: true

  // OEM text reaches the engine unconverted; ANSI text still becomes OEM.
  const char oem[] = "\x81";
  char converted[2] = {};
  uint32_t length = 0;
  session->NativeToAnsi(converted, length, 1, oem);
  EXPECT_EQ(converted[0], oem[0]);
  const char ansi[] = "\xFC";
  session->AnsiToNative(converted, length, 1, ansi);
  EXPECT_EQ(static_cast<uint8_t>(converted[0]), 0x81);
}

}  // namespace
