// Damaged or incomplete database folders answer statuses; nothing crashes.
#include <sqlite3.h>

#include <filesystem>

#include "platform/sqlif/tests/SqlFixture.h"
#include "testing/TestFiles.h"

namespace qn::sqlif::testing {
namespace {

class DamagedDatabaseTest : public SqlFixture {};

TEST_F(DamagedDatabaseTest, DamagedDataFileAnswers285) {
  std::string bytes = qn::testing::readFileText(folder + "/SQLDATA.sqlite");
  ASSERT_GT(bytes.size(), 200u);
  for (size_t i = 0; i < 100; ++i) bytes[i] = static_cast<char>(i * 7);
  qn::testing::writeFileText(folder + "/SQLDATA.sqlite", bytes);
  EXPECT_EQ(loginTo(folder), 285);
}

TEST_F(DamagedDatabaseTest, MissingDataFileOrCatalogAnswers285) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((folder + "/SQLDATA.sqlite").c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "DROP TABLE sqlif_columns", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  EXPECT_EQ(loginTo(folder), 285);
  std::filesystem::remove(folder + "/SQLDATA.sqlite");
  EXPECT_EQ(loginTo(folder), 285);
  EXPECT_FALSE(std::filesystem::exists(folder + "/SQLDATA.sqlite"));  // never made up
}

TEST_F(DamagedDatabaseTest, MissingOrTruncatedUserFileAnswers285) {
  const std::string users = folder + "/USER.DDF";
  const std::string bytes = qn::testing::readFileText(users);
  qn::testing::writeFileText(users, bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(loginTo(folder), 285);
  std::filesystem::remove(users);
  EXPECT_EQ(loginTo(folder), 285);
}

TEST_F(DamagedDatabaseTest, TruncatedProcedureFileAnswersAtExec) {
  const std::string procedures = folder + "/PROC.DDF";
  const std::string bytes = qn::testing::readFileText(procedures);
  qn::testing::writeFileText(procedures, bytes.substr(0, bytes.size() / 3));
  ASSERT_EQ(loginTo(folder), 0);
  int16_t cursor = -1;
  ASSERT_EQ(openCursor(cursor), 0);
  EXPECT_EQ(compileText(cursor, "EXEC BIGCLIENTS"), 285);
  EXPECT_EQ(compileText(cursor, "SELECT ID FROM CLIENTS"), 0);  // the login goes on
  std::filesystem::remove(procedures);
  EXPECT_EQ(compileText(cursor, "EXEC BIGCLIENTS"), 285);
}

TEST_F(DamagedDatabaseTest, DataFileDamagedAfterLoginAnswersAStatus) {
  ASSERT_EQ(loginTo(folder), 0);
  int16_t cursor = -1;
  ASSERT_EQ(openCursor(cursor), 0);
  std::string bytes = qn::testing::readFileText(folder + "/SQLDATA.sqlite");
  for (size_t i = 0; i < bytes.size(); i += 3) bytes[i] = static_cast<char>(0xA5);
  qn::testing::writeFileText(folder + "/SQLDATA.sqlite", bytes);
  const int16_t compiled = compileText(cursor, "SELECT ID FROM CLIENTS");
  const int16_t s = compiled == 0 ? api.exec(cursor) : compiled;
  EXPECT_NE(s, 0);
}

}  // namespace
}  // namespace qn::sqlif::testing
