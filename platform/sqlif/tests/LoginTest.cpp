// Logging in: users checked through USER.DDF, "@" names through the registry, folders that are
// no SQL database refused, and logout freeing the login's cursors.
#include <dlfcn.h>

#include "platform/sqlif/DatabaseRegistry.h"
#include "platform/sqlif/tests/SqlFixture.h"
#include "testing/TestDirs.h"

namespace qn::sqlif::testing {
namespace {

class LoginTest : public SqlFixture {};

TEST_F(LoginTest, VersionBlockAnswersMajorFour) {
  uint8_t block[22] = {'X', 'V', 'E', 'R', 22, 0};
  ASSERT_EQ(api.version(block), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block), 4), "XVER");
  EXPECT_EQ(readU16(block + 4), 22);
  EXPECT_EQ(readU16(block + 12), 4);
}

TEST_F(LoginTest, UsersAndPasswords) {
  struct Case {
    const char* user;
    const char* password;
    int16_t expected;
  };
  const Case cases[] = {
      {"ADMIN", "secret", 0},      {"admin", "secret", 0},     // user names without case
      {"clerk", "pass word", 0},   {"NOBODY", "secret", 205},  // unknown user
      {"ADMIN", "SECRET", 205},    {"ADMIN", "", 205},          // wrong passwords alike
      {"", "", 205},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(loginTo(folder, c.user, c.password), c.expected) << c.user << "/" << c.password;
    if (c.expected == 0) {
      EXPECT_EQ(api.logout(), 0);
    }
  }
}

TEST_F(LoginTest, AtNameThroughTheRegistry) {
  registerDatabase({"LAWDB", folder, false});
  registerDatabase({"FARAWAY", "/nowhere", true});
  EXPECT_EQ(loginTo("@LAWDB"), 0);
  EXPECT_EQ(runStatement("SELECT ID FROM CLIENTS"), 0);
  EXPECT_EQ(api.logout(), 0);
  EXPECT_EQ(loginTo("@lawdb"), 0);
  EXPECT_EQ(api.logout(), 0);
  EXPECT_EQ(loginTo("@FARAWAY"), 2103);
  EXPECT_EQ(loginTo("@UNKNOWN"), 285);
}

TEST_F(LoginTest, FolderWithoutUserFileAnswers285) {
  const std::string empty = qn::testing::makeScratchDir("plain");
  EXPECT_EQ(loginTo(empty), 285);
  EXPECT_EQ(loginTo(empty + "/missing"), 285);
}

TEST_F(LoginTest, LogoutFreesTheCursors) {
  ASSERT_EQ(loginTo(folder), 0);
  int16_t first = -1, second = -1;
  ASSERT_EQ(openCursor(first), 0);
  ASSERT_EQ(openCursor(second), 0);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  ASSERT_EQ(compileText(second, "SELECT ID FROM CLIENTS"), 0);
  ASSERT_EQ(api.logout(), 0);
  ASSERT_EQ(loginTo(folder), 0);
  EXPECT_EQ(api.exec(second), 210);  // the bad-cursor status
  EXPECT_EQ(api.free(first), 210);
  int16_t again = -1;
  ASSERT_EQ(openCursor(again), 0);
  EXPECT_EQ(again, 0);  // numbering starts again for the new login
}

TEST_F(LoginTest, CursorsStopAtSixtyFour) {
  ASSERT_EQ(loginTo(folder), 0);
  int16_t cursor = -1;
  for (int i = 0; i < 64; ++i) ASSERT_EQ(openCursor(cursor), 0);
  EXPECT_EQ(cursor, 63);
  EXPECT_EQ(openCursor(cursor), 211);
  ASSERT_EQ(api.free(5), 0);
  ASSERT_EQ(openCursor(cursor), 0);
  EXPECT_EQ(cursor, 5);
}

TEST_F(LoginTest, NoLoginNoCursor) {
  int16_t cursor = -1;
  EXPECT_EQ(openCursor(cursor), 212);
  EXPECT_EQ(api.exec(0), 210);
  EXPECT_EQ(api.logout(), 212);
}

TEST_F(LoginTest, EveryResolvedNameIsExported) {
  const char* statementNames[] = {
      "_xGetSessionID", "_xPutSessionID", "_XQLCallback", "_xShareSessionID", "_XQLCursor", "_XQLCompile",
      "XQLDescribe",    "XQLExec",        "_XQLFetch",    "XQLFormat",        "_XQLFree",   "_XQLLogin",
      "_XQLLogout",     "XQLSPUtility",   "XQLStatus",    "_XQLStop",         "XQLSubst",   "XQLVersion",
      "XQLConvert",     "XQLValidate",    "XQLMask",      "xCompute",         "xDescribe",  "xMovefld",
      "xFetch",         "xField",         "xFree",        "xInsert",          "xJoin",      "xLogin",
      "xLogout",        "xNew",           "xOrder",       "xRemall",          "xRemove",    "xReset",
      "xRestrict",      "xStop",          "xTrans",       "xStore",           "xRecall",    "xUpdate",
      "xUpdall",        "xDD",            "xDDAttr",      "xDDModify",        "xDDCreate",  "xDDDrop",
      "xDDField",       "xDDFile",        "xDDIndex",     "xDDPath",          "xDDView",    "xAccess",
      "xPassword",      "xSecurity",      "xUser",        "xChar",            "xVersion",   "xStatus",
      "xConvert",       "xValidate",      "xMask"};
  for (const char* name : statementNames) EXPECT_NE(api.symbol(name), nullptr) << name;
  for (const char* name : {"SQLGetCountDatabaseNames", "SQLGetCountRemoteDatabaseNames", "SQLGetDatabaseNames",
                           "SQLGetRemoteDatabaseNames", "SQLUnloadDBNames"})
    EXPECT_NE(api.symbol(name, true), nullptr) << name;
  // The entry points are the library's own; the record manager is not linked into it.
  Dl_info info{};
  ASSERT_NE(dladdr(api.symbol("xMask"), &info), 0);
  EXPECT_NE(std::string(info.dli_fname).find("libwssql32.so"), std::string::npos);
  EXPECT_EQ(api.symbol("BTRCALLID"), nullptr);
}

TEST_F(LoginTest, UnservedEntriesAnswerNotSupported) {
  using Entry = int16_t (*)();
  for (const char* name : {"XQLStatus", "xDDCreate", "xTrans", "_XQLStop"})
    EXPECT_EQ(reinterpret_cast<Entry>(api.symbol(name))(), 221) << name;
}

}  // namespace
}  // namespace qn::sqlif::testing
