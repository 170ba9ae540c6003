// Statements outside the dialect are refused at compile with the not-supported status, and
// refusing one changes no file of the database.
#include <filesystem>
#include <map>

#include "platform/sqlif/tests/SqlFixture.h"
#include "testing/TestFiles.h"

namespace qn::sqlif::testing {
namespace {

class RefusalsTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    ASSERT_EQ(loginTo(folder), 0);
    ASSERT_EQ(openCursor(cursor), 0);
  }
  std::map<std::string, std::string> folderBytes() const {
    std::map<std::string, std::string> bytes;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      bytes[entry.path().filename().string()] = qn::testing::readFileText(entry.path().string());
    return bytes;
  }
  int16_t cursor = -1;
};

TEST_F(RefusalsTest, EachAnswersNotSupportedAndChangesNoFile) {
  const std::string attached = folder + "/../attached.db";
  const std::string texts[] = {
      "CREATE TABLE X (A INTEGER)",
      "DROP TABLE CLIENTS",
      "ALTER TABLE CLIENTS ADD COLUMN B",
      "ATTACH DATABASE '" + attached + "' AS other",
      "DETACH DATABASE other",
      "PRAGMA user_version = 5",
      "PRAGMA table_info(CLIENTS)",
      "VACUUM",
      "GRANT ALL ON CLIENTS TO PUBLIC",
      "SELECT ID FROM CLIENTS; DELETE FROM CLIENTS",
      "DELETE FROM CLIENTS WHERE ID = 1; SELECT 1",
      "SELECT * FROM sqlif_columns",
      "SELECT * FROM SQLIF_COLUMNS",
      "DELETE FROM sqlif_columns",
      "UPDATE sqlif_columns SET size = 1",
      "SELECT * FROM sqlite_master",
      "SELECT name FROM sqlite_schema",
      "SELECT load_extension('/tmp/nothing.so')",
      "SELECT ID FROM CLIENTS WHERE load_extension('x') IS NULL",
      "SELECT sqlite_version()",
      "SELECT ID FROM CLIENTS WHERE substr(NAME, 1, 1) = 'C'",
      "SELECT ID FROM CLIENTS WHERE upper(NAME) = upper(sqlite_source_id())",
      "SELECT ID FROM CLIENTS WHERE ID IN (SELECT size FROM sqlif_columns)",
      "WITH x AS (SELECT 1) SELECT * FROM x",
      "REPLACE INTO CLIENTS (ID) VALUES (1)",
      "EXEC A B",
      "BEGIN",
      "",
  };
  const auto before = folderBytes();
  for (const std::string& text : texts) {
    EXPECT_EQ(compileText(cursor, text), 221) << text;
    EXPECT_EQ(api.exec(cursor), 220) << text;  // nothing was compiled to run
  }
  EXPECT_EQ(folderBytes(), before);
  EXPECT_FALSE(std::filesystem::exists(attached));
  EXPECT_EQ(runStatement("SELECT COUNT(*) FROM CLIENTS"), 0);
}

TEST_F(RefusalsTest, ATrailingSemicolonIsNoSecondStatement) {
  EXPECT_EQ(compileText(cursor, "SELECT ID FROM CLIENTS;"), 0);
  EXPECT_EQ(compileText(cursor, "SELECT ID FROM CLIENTS WHERE NAME <> 'a;b' ; ;"), 0);
  EXPECT_EQ(compileText(cursor, "SELECT ID FROM CLIENTS -- ; DROP TABLE CLIENTS"), 0);
}

TEST_F(RefusalsTest, AProcedureHoldingARefusedStatementIsRefused) {
  nlohmann::json description = standardDescription();
  description["procedures"] = {{{"name", "BAD"}, {"text", "DROP TABLE CLIENTS"}},
                               {{"name", "NESTED"}, {"text", "EXEC BAD"}}};
  const std::string other = folder + "2";
  ASSERT_EQ(makeDatabase(other, description).exitCode, 0);
  ASSERT_EQ(loginTo(other), 0);
  int16_t c = -1;
  ASSERT_EQ(openCursor(c), 0);
  EXPECT_EQ(compileText(c, "EXEC BAD"), 221);
  EXPECT_EQ(compileText(c, "EXEC NESTED"), 221);
}

}  // namespace
}  // namespace qn::sqlif::testing
