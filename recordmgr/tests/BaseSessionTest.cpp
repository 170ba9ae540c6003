// What a session resolves, keeps and converts: database names, aliases added at run time and in
// the registry, configuration records and lists, properties and character sets.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/os/ExecutablePath.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/AliasParams.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/tests/ConfigRows.h"
#include "recordmgr/tests/TestSession.h"

extern char** environ;

namespace sessiontest {
namespace {

using qn::os::HKEY_LOCAL_MACHINE;
using qn::os::RegistryKey;

template <typename Action>
EKorvoEngineError raisedBy(Action action) {
  try {
    action();
  } catch (const EKorvoEngineError& error) {
    return error;
  }
  ADD_FAILURE() << "no engine error";
  return EKorvoEngineError(0);
}

class BaseSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryKey registry(HKEY_LOCAL_MACHINE);
    registry.DeleteKey(AliasesKey);
    session_ = std::make_unique<TestSession>(nullptr, nullptr, "Test", nullptr);
  }

  TestSession& session() { return *session_; }

  // An alias of the registry with these string values, in this order.
  static void writeRegistryAlias(const std::string& name,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
    RegistryKey registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(std::string(AliasesKey) + "\\" + name, true));
    for (const auto& [valueName, value] : values) registry.WriteString(valueName, value);
  }

  DatabaseDescription resolve(const char* name) {
    DatabaseDescription description{};
    session().ResolveAlias(name, description, true);
    return description;
  }

 private:
  std::unique_ptr<TestSession> session_;
};

// --- Database names ---

struct PathCase {
  const char* name;
  bool keepPaths;
  const char* path;
};

TEST_F(BaseSessionTest, APathNameNeverReadsTheRegistryAndEndsInASeparatorUnlessPathsAreKept) {
  // Aliases of the same names exist: a path must not find them.
  writeRegistryAlias("data.dir", {{"PhysicalName", "/aliased"}});
  writeRegistryAlias("C:DATA", {{"PhysicalName", "/aliased"}});
  const std::vector<PathCase> cases = {
      {"C:\\DATA", false, "C:\\DATA\\"},
      {"C:DATA", false, "C:DATA\\"},
      {"\\\\server\\share", false, "\\\\server\\share\\"},
      {"/srv/data", false, "/srv/data\\"},
      {"/srv/data/", false, "/srv/data/"},
      {"data.dir", false, "data.dir\\"},
      {"C:\\DATA\\", false, "C:\\DATA\\"},
      {"C:\\DATA", true, "C:\\DATA"},
      {"/srv/data", true, "/srv/data"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    session().SetKeepPaths(c.keepPaths);
    const DatabaseDescription description = resolve(c.name);
    EXPECT_STREQ(description.Name, "PATH");
    EXPECT_STREQ(description.Description, "PATH");
    EXPECT_STREQ(description.Path, c.path);
    EXPECT_STREQ(description.DriverType, "STANDARD");
  }
  EXPECT_EQ(session().Objects()->Count(), 0);
}

TEST_F(BaseSessionTest, AnAliasOfTheRegistryResolvesWithoutRegardToCase) {
  writeRegistryAlias("QNWIN", {{"Description", "Cases"}, {"PhysicalName", "/srv/qn"}});
  const DatabaseDescription description = resolve("qnwin");
  EXPECT_STREQ(description.Name, "QNWIN");
  EXPECT_STREQ(description.Description, "Cases");
  EXPECT_STREQ(description.Path, "/srv/qn\\");
  EXPECT_STREQ(description.DriverType, "KORVO");  // the alias list's, kept when resolved by alias

  DatabaseDescription byName{};
  session().ResolveName("QNWIN", byName);
  EXPECT_STREQ(byName.DriverType, "STANDARD");
  EXPECT_EQ(session().Objects()->Count(), 0) << "the alias list is freed";
}

TEST_F(BaseSessionTest, AnUnknownAliasRaises10014NamingItAndFreesTheList) {
  writeRegistryAlias("QNWIN", {{"PhysicalName", "/srv/qn"}});
  const EKorvoEngineError error = raisedBy([&] { resolve("NOWHERE"); });
  EXPECT_EQ(error.ErrorCode(), DBIERR_UNKNOWNDB);
  EXPECT_EQ(error.ExtraText(), "NOWHERE");
  EXPECT_EQ(session().Objects()->Count(), 0);
  EXPECT_EQ(
      raisedBy([&] { session().ResolveAlias(nullptr, *std::make_unique<DatabaseDescription>(), true); }).ErrorCode(),
      DBIERR_INVALIDPARAM);
}

TEST_F(BaseSessionTest, OpenDatabaseRefusesANilNameAndHandsTheResolvedNameToTheDriver) {
  TBaseDatabase* database = nullptr;
  EXPECT_EQ(raisedBy([&] {
              session().OpenDatabase(nullptr, nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database);
            }).ErrorCode(),
            DBIERR_INVALIDPARAM);
  EXPECT_EQ(raisedBy([&] {
              session().OpenDatabase("NOWHERE", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database);
            }).ErrorCode(),
            DBIERR_UNKNOWNDB);
  EXPECT_EQ(session().Databases()->Count(), 0);

  session().OpenDatabase("/srv/qn", nullptr, 0, 0, "secret", 0, nullptr, nullptr, database);
  ASSERT_NE(database, nullptr);
  EXPECT_STREQ(database->Description().Path, "/srv/qn\\");
  EXPECT_EQ(session().OpenedPassword, "secret");
  EXPECT_EQ(session().Databases()->Count(), 1);

  TBaseSession plain(nullptr, nullptr, "plain", nullptr);
  EXPECT_EQ(
      raisedBy([&] { plain.OpenDatabase("/srv", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, database); }).ErrorCode(),
      DBIERR_NOTSUPPORTED);
}

TEST_F(BaseSessionTest, SessionInformationCountsDatabasesAndTheirCursors) {
  TBaseDatabase* first = nullptr;
  TBaseDatabase* second = nullptr;
  session().OpenDatabase("/srv/one", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, first);
  session().OpenDatabase("/srv/two", nullptr, 0, 0, nullptr, 0, nullptr, nullptr, second);
  TBaseTable* cursor = nullptr;
  first->OpenTable("CASES", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, cursor);
  first->OpenTable("CASES", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, cursor);
  second->OpenTable("CLIENTS", nullptr, nullptr, nullptr, 0, 0, 0, 0, false, nullptr, cursor);
  session().SetLockWait(3);

  SessionInfo info{};
  session().GetSessionInfo(info);
  EXPECT_EQ(info.SessionNumber, 0);
  EXPECT_STREQ(info.Name, "Test");
  EXPECT_EQ(info.DatabaseCount, 2);
  EXPECT_EQ(info.CursorCount, 3);
  EXPECT_EQ(info.LockWait, 3);
  session().FillSessionInfo(info);
  EXPECT_EQ(info.LockWait, 0);

  // A database without the table counts none rather than failing the count.
  uint32_t total = 99;
  session().CountTableUse(true, "CASES", total);
  EXPECT_EQ(total, 2u);
  session().CountTableUse(true, "NOWHERE", total);
  EXPECT_EQ(total, 0u);
  session().CountTableUse(false, "CASES", total);
  EXPECT_EQ(total, 0u);
}

// --- Aliases added at run time ---

TEST_F(BaseSessionTest, AnAliasAddedTwiceKeepsItsFirstParameters) {
  session().AddAlias("QN", "STANDARD", "PATH:\"/srv/first\"", false);
  session().AddAlias("QN", "STANDARD", "PATH:\"/srv/second\";USER NAME:\"X\"", false);
  EXPECT_EQ(session().ConfigRecords()->Count(), 1);
  uint16_t count = 0;
  session().ReadConfig("\\DATABASES\\QN\\DB INFO", nullptr, nullptr, count);
  EXPECT_EQ(count, 1);
  EXPECT_STREQ(resolve("QN").Path, "/srv/first");
}

struct ParamsCase {
  const char* text;
  std::vector<std::pair<std::string, std::string>> pairs;
};

TEST(AliasParamsTest, PairsAreKeysAndQuotedValuesWhoseColonsAndSemicolonsStayInside) {
  const std::vector<ParamsCase> cases = {
      {"PATH:\"/srv/a\"", {{"PATH", "/srv/a"}}},
      {"PATH:\"a;b\";USER NAME:\"x:y\"", {{"PATH", "a;b"}, {"USER NAME", "x:y"}}},
      {"A:\"\";B:\"2\"", {{"A", ""}, {"B", "2"}}},
      {"NOQUOTES:value;B:\"2\"", {{"B", "2"}}},  // a pair never closed by its quote is dropped
      {"", {}},
  };
  for (const ParamsCase& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const AliasParam& param : ParseAliasParams(c.text)) pairs.emplace_back(param.Key, param.Value);
    EXPECT_EQ(pairs, c.pairs);
  }
}

TEST(AliasParamsTest, DescriptorsNumberThePairsAndPlaceTheirValuesOneAfterAnother) {
  std::vector<FieldDescriptor> descriptors;
  std::vector<char> values;
  DescribeAliasParams(ParseAliasParams("PATH:\"/a\";USER NAME:\"bob\""), descriptors, values);
  ASSERT_EQ(descriptors.size(), 2u);
  EXPECT_EQ(descriptors[1].FieldNumber, 2);
  EXPECT_STREQ(descriptors[1].FieldName, "USER NAME");
  EXPECT_EQ(descriptors[1].Offset, 3);
  EXPECT_EQ(descriptors[1].FieldLength, 4);
  EXPECT_EQ(std::string(values.begin(), values.end()), std::string("/a\0bob\0", 7));
}

TEST_F(BaseSessionTest, AnUnterminatedQuoteOrValuesPastTheBufferAreRefusedAndNothingIsAdded) {
  const std::string fits = "P:\"" + std::string(AliasValueBufferSize - 1, 'v') + "\"";
  EXPECT_EQ(ParseAliasParams(fits.c_str()).at(0).Value.size(), AliasValueBufferSize - 1);

  const std::vector<std::string> refused = {
      "PATH:\"/srv/a",
      "P:\"" + std::string(AliasValueBufferSize, 'v') + "\"",
      "A:\"" + std::string(600, 'a') + "\";B:\"" + std::string(600, 'b') + "\"",
      "P:\"" + std::string(5000, 'v'),
  };
  for (const std::string& text : refused) {
    SCOPED_TRACE(text.substr(0, 20));
    EXPECT_EQ(raisedBy([&] { session().AddAlias("QN", "", text.c_str(), false); }).ErrorCode(), DBIERR_INVALIDPARAM);
    EXPECT_EQ(session().ConfigRecords()->Count(), 0);
  }
}

// --- Configuration records ---

FieldDescriptor textField(uint16_t number, const char* name, uint16_t offset, uint16_t length) {
  FieldDescriptor field{};
  field.FieldNumber = number;
  std::strcpy(field.FieldName, name);
  field.Offset = offset;
  field.FieldLength = length;
  return field;
}

TEST_F(BaseSessionTest, ConfigurationRecordsAreReadUpdatedAndDeletedByKey) {
  const FieldDescriptor one = textField(1, "PATH", 0, 3);
  session().WriteConfig("\\DATABASES\\A\\DB INFO", "/a", &one, 1);
  session().WriteConfig("\\DATABASES\\A\\DB OPEN", "/o", &one, 1);
  session().WriteConfig("\\DATABASES\\B\\DB INFO", "/b", &one, 1);

  EXPECT_NO_THROW(session().ConfigExists("\\B\\"));
  EXPECT_EQ(raisedBy([&] { session().ConfigExists("\\C\\"); }).ErrorCode(), DBIERR_EOF);
  uint16_t count = 0;
  EXPECT_EQ(raisedBy([&] { session().ReadConfig("\\DATABASES\\A", nullptr, nullptr, count); }).ErrorCode(), DBIERR_EOF)
      << "reading needs the whole key";

  const FieldDescriptor two[] = {textField(1, "PATH", 0, 3), textField(2, "USER NAME", 3, 4)};
  session().UpdateConfig("\\DATABASES\\B\\DB INFO", "/b\0bob", two, 2);
  char values[7] = {};
  FieldDescriptor read[2] = {};
  session().ReadConfig("\\DATABASES\\B\\DB INFO", values, read, count);
  EXPECT_EQ(count, 2);
  EXPECT_STREQ(read[1].FieldName, "USER NAME");
  EXPECT_STREQ(values + 3, "bob");
  const EKorvoEngineError missing = raisedBy([&] { session().UpdateConfig("\\DATABASES\\C\\DB INFO", "", &one, 1); });
  EXPECT_EQ(missing.ErrorCode(), DBIERR_RECNOTFOUND);
  EXPECT_EQ(missing.ExtraText(), "\\DATABASES\\C\\DB INFO");

  // A key part of two record keys removes both.
  session().DeleteConfig("\\DATABASES\\A\\");
  ASSERT_EQ(session().ConfigRecords()->Count(), 1);
  EXPECT_NO_THROW(session().ConfigExists("\\DATABASES\\B\\DB INFO"));
  const EKorvoEngineError absent = raisedBy([&] { session().DeleteConfig("\\DATABASES\\A\\"); });
  EXPECT_EQ(absent.ErrorCode(), DBIERR_RECNOTFOUND);
  EXPECT_EQ(absent.ExtraText(), "\\DATABASES\\A\\");
}

// --- Configuration lists ---

TEST_F(BaseSessionTest, AConfigurationListHoldsTheAliasValuesInOrderAndEndsWithAnEmptyUserName) {
  writeRegistryAlias("QNWIN", {{"PhysicalName", "/srv/qn"}, {"Description", "Cases"}});
  {
    RegistryKey registry(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKey(std::string(AliasesKey) + "\\QNWIN", false));
    registry.WriteInteger("OPEN MODE", -2);
    const char bytes[] = {1, 2};
    registry.WriteBinaryData("SKIPPED", bytes, 2);
  }
  ConfigRows rows("\\DATABASES\\QNWIN\\DB OPEN");
  session().FillConfigList(rows);
  EXPECT_EQ(rows.Texts(), (std::vector<std::string>{"PhysicalName=/srv/qn (1)", "Description=Cases (1)",
                                                    "OPEN MODE=-2 (1)", "USER NAME= (1)"}));
  EXPECT_EQ(rows.State(), csOpen);
}

TEST_F(BaseSessionTest, TheFirstUserValueBecomesTheUserNameRow) {
  writeRegistryAlias("QNWIN", {{"Comment", "x"}, {"user", "bob"}, {"USER NAME", "other"}});
  ConfigRows rows("\\DATABASES\\QNWIN\\DB INFO");
  session().FillConfigList(rows);
  EXPECT_EQ(rows.Texts(), (std::vector<std::string>{"Comment=x (1)", "USER NAME=bob (1)", "USER NAME=other (1)"}));
}

TEST_F(BaseSessionTest, APathAliasListsItsPathAndOtherNamesListNothing) {
  ConfigRows path("\\DATABASES\\/srv/qn\\DB INFO");
  session().FillConfigList(path);
  EXPECT_EQ(path.Texts(), (std::vector<std::string>{"PATH=/srv/qn (0)", "USER NAME= (1)"}));

  for (const char* empty : {"\\DRIVERS\\STANDARD", "\\DATABASES\\MISSING\\DB INFO"}) {
    ConfigRows rows(empty);
    session().FillConfigList(rows);
    EXPECT_TRUE(rows.Texts().empty()) << empty;
  }
}

// --- The registry ---

TEST_F(BaseSessionTest, AnAliasSavedByAnotherProcessIsReadHereAndDeletedAgain) {
  const std::string program = qn::os::runningProgramFolder() + "/qn-alias-writer";
  std::vector<std::string> args = {program, "SHARED", "PhysicalName:\"/srv/shared\";Description:\"From afar\""};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0) << program;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer failed, status " << status;

  const DatabaseDescription description = resolve("SHARED");
  EXPECT_STREQ(description.Path, "/srv/shared\\");
  EXPECT_STREQ(description.Description, "From afar");

  session().DeleteAliasFromRegistry("SHARED");
  EXPECT_EQ(raisedBy([&] { resolve("SHARED"); }).ErrorCode(), DBIERR_UNKNOWNDB);
  EXPECT_NO_THROW(session().DeleteAliasFromRegistry("SHARED"));
}

// --- Properties, names and character sets ---

TEST_F(BaseSessionTest, PropertiesAnswerTheCurrentDirectoryAndTheStoredValue) {
  char directory[261] = {};
  uint16_t length = 0;
  session().GetProperty(TBaseSession::PropertyCurrentDirectory, directory, length, sizeof directory);
  EXPECT_EQ(directory, std::filesystem::current_path().string());
  EXPECT_EQ(length, std::strlen(directory) + 1);

  session().SetProperty(TBaseSession::PropertyValue, 77);
  uint32_t value = 0;
  session().GetProperty(TBaseSession::PropertyValueAlso, &value, length, sizeof value);
  EXPECT_EQ(value, 77u);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(raisedBy([&] { session().GetProperty(0x20001, &value, length, sizeof value); }).ErrorCode(),
            DBIERR_NOTSUPPORTED);
}

TEST_F(BaseSessionTest, ConversionsUseTheOemTableUnlessTheirFlagIgnoresThem) {
  const char ansi[] = "caf\xE9";  // é
  const char oem[] = "caf\x82";
  char out[5] = {};
  uint32_t length = 99;
  session().AnsiToNative(out, length, 4, ansi);
  EXPECT_STREQ(out, oem);
  EXPECT_EQ(length, 0u);
  session().NativeToAnsi(out, length, 4, oem);
  EXPECT_STREQ(out, ansi);

  session().SetCharsetOptions(true, false);
  session().NativeToAnsi(out, length, 4, oem);
  EXPECT_STREQ(out, oem);
  session().AnsiToNative(out, length, 4, ansi);
  EXPECT_STREQ(out, oem);
}

TEST_F(BaseSessionTest, NamesAndDirectoriesAreCutToTheirFields) {
  const std::string longName(40, 'n');
  TestSession named(nullptr, "/srv/net", longName.c_str(), nullptr);
  EXPECT_EQ(std::string(named.GetSessionName()), longName.substr(0, 31));
  EXPECT_STREQ(named.NetworkDirectory(), "/srv/net");
  EXPECT_STREQ(named.PrivateDirectory(), "/srv/net");
  named.SetPrivateDirectory(std::string(300, 'p').c_str());
  EXPECT_EQ(std::strlen(named.PrivateDirectory()), 260u);
  EXPECT_STREQ(named.NetworkDirectory(), "/srv/net");
}

TEST_F(BaseSessionTest, ReservedOperationsClearTheirRecordsOrRefuse) {
  const std::vector<std::pair<int, std::function<void()>>> refusals = {
      {13, [&] { session().Reserved13(); }}, {18, [&] { session().Reserved18(); }},
      {27, [&] { session().Reserved27(); }}, {29, [&] { session().Reserved29(); }},
      {34, [&] { session().Reserved34(); }}, {38, [&] { session().Reserved38(); }},
      {41, [&] { session().Reserved41(); }}, {56, [&] { session().Reserved56(); }},
      {59, [&] { session().Reserved59(); }}, {61, [&] { session().Reserved61(); }},
      {66, [&] { session().Reserved66(); }}, {71, [&] { session().Reserved71(); }},
  };
  for (const auto& [slot, call] : refusals) EXPECT_EQ(raisedBy(call).ErrorCode(), DBIERR_NOTSUPPORTED) << slot;
  EXPECT_EQ(raisedBy([&] { session().Reserved46(); }).ErrorCode(), 9491);
  EXPECT_NO_THROW(session().Reserved42());
  EXPECT_EQ(session().Reserved7(), 0);
  uint32_t value = 5;
  session().Reserved21(value);
  EXPECT_EQ(value, 0u);

  // Each clears exactly its own size.
  const std::vector<std::pair<size_t, std::function<void(void*)>>> clears = {
      {156, [&](void* r) { session().Reserved22(0, r); }}, {32, [&](void* r) { session().Reserved43(r); }},
      {346, [&](void* r) { session().Reserved44(r); }},    {327, [&](void* r) { session().Reserved45(r); }},
      {14, [&](void* r) { session().Reserved47(r); }},
  };
  for (const auto& [size, clear] : clears) {
    std::vector<uint8_t> record(size + 1, 0xAA);
    clear(record.data());
    EXPECT_EQ(record[size], 0xAA) << size;
    EXPECT_EQ(record[size - 1], 0) << size;
  }

  TKorvoCollection facadeList;
  TestSession listed(nullptr, "/srv/net", "Listed", &facadeList);
  std::vector<char> record(346, 'x');
  listed.Reserved44(record.data());
  EXPECT_EQ(std::vector<uint8_t>(record.begin(), record.begin() + 6),
            (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0xFF, 0xFF}));
  listed.Reserved45(record.data());
  EXPECT_EQ(record[32], 1);
  EXPECT_STREQ(&record[34], "/srv/net");
  listed.Reserved47(record.data());
  EXPECT_EQ(record[8], 1);
  const char* text = nullptr;
  listed.Reserved26(0, text);
  EXPECT_STREQ(text, KorvoRegistryPath);
  char user[256] = {};
  GetNetworkUserName(user);
  char reported[256] = {};
  listed.Reserved49(reported);
  EXPECT_STREQ(reported, user);
}

TEST(CreateSessionTest, StartsTheSessionOnceItStandsAndFreesOneWhoseStartFails) {
  TKorvoCollection list;
  auto* session = static_cast<TestSession*>(CreateSession<TestSession>(nullptr, nullptr, "S", &list));
  EXPECT_EQ(session->Starts, 1);
  EXPECT_EQ(list.Count(), 1);

  struct FailingSession : TestSession {
    using TestSession::TestSession;
    void DoStart() override { RaiseEngineError(DBIERR_NOTINITIALIZED); }
  };
  EXPECT_THROW(CreateSession<FailingSession>(nullptr, nullptr, "F", &list), EKorvoEngineError);
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
}  // namespace sessiontest
