// Compiling, substituting, executing and describing statements through the entry points.
#include <cstring>

#include "platform/sqlif/tests/SqlFixture.h"

namespace qn::sqlif::testing {
namespace {

class StatementTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    ASSERT_EQ(loginTo(folder), 0);
    ASSERT_EQ(openCursor(cursor), 0);
  }
  // The single integer a one-row query of a 4-byte column answers.
  int32_t countOf(const std::string& text) {
    int16_t c = -1;
    EXPECT_EQ(openCursor(c), 0);
    EXPECT_EQ(compileText(c, text), 0) << text;
    EXPECT_EQ(api.exec(c), 0) << text;
    const Fetched f = fetchRows(c, 1, 1, 10);
    EXPECT_EQ(f.status, 0) << text;
    api.free(c);
    return readI32(f.buffer.data() + 2);
  }
  int16_t cursor = -1;
};

TEST_F(StatementTest, TwoVariablesCompileUnresolvedThenRunAfterSubstitution) {
  EXPECT_EQ(compileText(cursor, "SELECT ID FROM CLIENTS WHERE AMOUNT > @LOW AND NAME <> @SKIP"), -108);
  ASSERT_EQ(compileText(cursor, "SELECT ID, NAME, AMOUNT FROM CLIENTS WHERE AMOUNT > @LOW AND NAME <> @SKIP ORDER BY ID"),
            -108);
  EXPECT_EQ(api.exec(cursor), -108);  // not yet runnable
  ASSERT_EQ(substitute(cursor, "LOW", "1000"), 0);
  EXPECT_EQ(api.exec(cursor), -108);
  ASSERT_EQ(substitute(cursor, "skip", "Client 099"), 0);  // names without case
  ASSERT_EQ(api.exec(cursor), 0);

  struct Expected {
    int16_t type, size, decimals;
    const char* name;
    uint16_t offset;
  };
  const Expected columns[] = {{1, 4, 0, "ID", 2}, {0, 20, 0, "NAME", 6}, {5, 5, 2, "AMOUNT", 26}};
  uint16_t offset = 2;
  for (int16_t i = 0; i < 3; ++i) {
    const Described d = describeColumn(cursor, static_cast<int16_t>(i + 1));
    ASSERT_EQ(d.status, 0);
    EXPECT_EQ(d.type, columns[i].type) << i;
    EXPECT_EQ(d.size, columns[i].size) << i;
    EXPECT_EQ(d.decimals, columns[i].decimals) << i;
    EXPECT_EQ(d.name, columns[i].name);
    EXPECT_EQ(offset, columns[i].offset);
    offset = static_cast<uint16_t>(offset + d.size);
  }
  EXPECT_EQ(describeColumn(cursor, 4).status, 804);
  const uint16_t size = recordSize(cursor);
  EXPECT_EQ(size, 35);

  Fetched f = fetchRows(cursor, 1, 1, size);
  ASSERT_EQ(f.status, 0);
  EXPECT_EQ(readU16(f.buffer.data()), 35);
  EXPECT_EQ(readI32(f.buffer.data() + 2), 98);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(f.buffer.data() + 6), 20), "Client 098          ");
  const uint8_t amount[] = {0x00, 0x01, 0x00, 0x45, 0x0F};  // 1004.50
  EXPECT_EQ(std::memcmp(f.buffer.data() + 26, amount, 5), 0);
  f = fetchRows(cursor, 2, 1, size);
  ASSERT_EQ(f.status, 0);
  EXPECT_EQ(readI32(f.buffer.data() + 2), 100);  // 99 skipped
  EXPECT_EQ(fetchRows(cursor, 2, 1, size).status, -109);
}

TEST_F(StatementTest, QuotedMarkersAreNoVariables) {
  EXPECT_EQ(compileText(cursor, "SELECT COUNT(*) FROM CLIENTS WHERE NAME <> '@X'"), 0);
  EXPECT_EQ(api.exec(cursor), 0);
}

TEST_F(StatementTest, SubstitutedValueIsComparedAsText) {
  ASSERT_EQ(compileText(cursor, "SELECT COUNT(*) FROM CLIENTS WHERE NAME = @N"), -108);
  ASSERT_EQ(substitute(cursor, "N", "x'; DROP TABLE CLIENTS; --"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const Fetched f = fetchRows(cursor, 1, 1, 10);
  ASSERT_EQ(f.status, 0);
  EXPECT_EQ(readI32(f.buffer.data() + 2), 0);
  EXPECT_EQ(countOf("SELECT COUNT(*) FROM CLIENTS"), 100);
  EXPECT_EQ(countOf("SELECT COUNT(*) FROM MATTERS"), 3);

  ASSERT_EQ(substitute(cursor, "N", "Client 007"), 0);  // a new value for the same variable
  ASSERT_EQ(api.exec(cursor), 0);
  EXPECT_EQ(readI32(fetchRows(cursor, 1, 1, 10).buffer.data() + 2), 1);
}

TEST_F(StatementTest, ComputedColumnsDescribeAsTheDriverExpects) {
  ASSERT_EQ(compileText(cursor, "SELECT COUNT(*), SUM(ID), SUM(AMOUNT), AVG(AMOUNT), MAX(NAME), ID + 1 FROM CLIENTS"),
            0);
  struct Expected {
    const char* name;
    int16_t type;
    int16_t size;
    int16_t decimals;
  };
  const Expected columns[] = {{"COUNT(*)", 0, 0, 0},    {"SUM(ID)", 0, 0, 0},       {"SUM(AMOUNT)", 2, 8, 2},
                              {"AVG(AMOUNT)", 2, 8, 2}, {"MAX(NAME)", 0, 255, 0}, {"ID + 1", 0, 255, 0}};
  for (int16_t i = 0; i < 6; ++i) {
    const Described d = describeColumn(cursor, static_cast<int16_t>(i + 1));
    ASSERT_EQ(d.status, 0);
    EXPECT_EQ(d.type, columns[i].type) << columns[i].name;
    EXPECT_EQ(d.size, columns[i].size) << columns[i].name;
    EXPECT_EQ(d.name, columns[i].name);
    EXPECT_EQ(d.decimals, columns[i].decimals) << columns[i].name;
  }
  EXPECT_EQ(describeColumn(cursor, 7).status, 804);
  EXPECT_EQ(describeColumn(cursor, 0).status, 804);
}

TEST_F(StatementTest, CountAndSumAreWrittenWhereTheDriverReadsThem) {
  EXPECT_EQ(countOf("select count(*) from CLIENTS where ID <= 40"), 40);
  ASSERT_EQ(compileText(cursor, "SELECT SUM(ID) FROM CLIENTS"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const Fetched f = fetchRows(cursor, 1, 1, 14);  // an 8-byte float, as the driver sizes it
  ASSERT_EQ(f.status, 0);
  double sum = 0;
  std::memcpy(&sum, f.buffer.data() + 2, 8);
  EXPECT_DOUBLE_EQ(sum, 5050.0);
}

TEST_F(StatementTest, AColumnAfterACountStartsWhereTheCountEnds) {
  ASSERT_EQ(compileText(cursor, "SELECT COUNT(*), SUM(ID), ID FROM CLIENTS WHERE ID = 42"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const Fetched f = fetchRows(cursor, 1, 1, 2 + 4 + 8 + 4 + 4);
  ASSERT_EQ(f.status, 0);
  EXPECT_EQ(readI32(f.buffer.data() + 2), 1);
  double sum = 0;
  std::memcpy(&sum, f.buffer.data() + 2 + 4, 8);
  EXPECT_DOUBLE_EQ(sum, 42.0);
  EXPECT_EQ(readI32(f.buffer.data() + 2 + 4 + 8), 42);
}

TEST_F(StatementTest, GroupedAggregates) {
  ASSERT_EQ(compileText(cursor, "SELECT CLIENT_ID, COUNT(*) FROM MATTERS GROUP BY CLIENT_ID ORDER BY CLIENT_ID"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const Fetched f = fetchRows(cursor, 1, 5, 2 + 4 + 4 + 4);
  EXPECT_EQ(f.status, -109);
  EXPECT_EQ(f.count, 2);
  EXPECT_EQ(readI32(f.buffer.data() + 2), 1);
}

TEST_F(StatementTest, ProceduresRunTheirStoredText) {
  ASSERT_EQ(compileText(cursor, "EXEC BIGCLIENTS"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const Fetched f = fetchRows(cursor, 1, 10, 2 + 4 + 20 + 4);
  EXPECT_EQ(f.status, -109);
  EXPECT_EQ(f.count, 3);
  EXPECT_EQ(compileText(cursor, "exec bigclients"), 0);
  EXPECT_EQ(compileText(cursor, "EXEC NOSUCH"), 222);
}

TEST_F(StatementTest, SetStatementIsAnsweredMinus101) {
  ASSERT_EQ(compileText(cursor, "SET OWNER = x"), 0);
  EXPECT_EQ(api.exec(cursor), -101);
}

TEST_F(StatementTest, StatementErrorsAnswer220) {
  for (const char* text : {"SELECT FROM WHERE", "SELECT NOPE FROM CLIENTS", "SELECT ID FROM NOTABLE",
                           "INSERT INTO CLIENTS VALUES (1, 2, 3, 4, 5, 6)", "UPDATE CLIENTS SET"})
    EXPECT_EQ(compileText(cursor, text), 220) << text;
  EXPECT_EQ(api.exec(cursor), 220);  // nothing compiled
}

TEST_F(StatementTest, ChangesRunAndAreSeen) {
  EXPECT_EQ(runStatement("UPDATE CLIENTS SET NAME = 'Changed' WHERE ID <= 10"), 0);
  EXPECT_EQ(countOf("SELECT COUNT(*) FROM CLIENTS WHERE NAME = 'Changed'"), 10);
  EXPECT_EQ(runStatement("DELETE FROM CLIENTS WHERE ID > 90"), 0);
  EXPECT_EQ(countOf("SELECT COUNT(*) FROM CLIENTS"), 90);
  EXPECT_EQ(runStatement("INSERT INTO CLIENTS (ID, NAME) VALUES (500, 'New')"), 0);
  EXPECT_EQ(countOf("SELECT COUNT(*) FROM CLIENTS"), 91);
  // A computed MAX is a text of its own bytes.
  ASSERT_EQ(compileText(cursor, "SELECT MAX(ID) FROM CLIENTS"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const Fetched f = fetchRows(cursor, 1, 1, 2 + 255 + 4);
  ASSERT_EQ(f.status, 0);
  EXPECT_EQ(std::string(f.buffer.begin() + 2, f.buffer.begin() + 2 + 255), "500" + std::string(252, ' '));
}

TEST_F(StatementTest, OddTextsAnswerAStatus) {
  const std::pair<std::string, int16_t> texts[] = {
      {"SELECT 'unterminated FROM CLIENTS", 220},
      {"SELECT ID FROM CLIENTS /* a comment left open", 0},
      {"SELECT @ FROM CLIENTS", 220},
      {"SELECT \"ID FROM CLIENTS", 220},
      {"SELECT [ID FROM CLIENTS", 220},
      {";", 221},
      {"   ", 221},
      {"EXEC", 221},
      {"EXEC 'quoted'", 221},
      {"SELECT ID FROM CLIENTS WHERE NAME = @" + std::string(300, 'V'), -108},
      {"SELECT " + std::string(20000, '('), 220},
      {"START", 221},
      {"COMMIT WORK NOW", 221},
  };
  for (const auto& [text, expected] : texts) {
    EXPECT_EQ(compileText(cursor, text), expected) << text.substr(0, 60);
    api.exec(cursor);
  }
  uint16_t length = 0;
  EXPECT_EQ(api.compile(cursor, &length, "SELECT ID FROM CLIENTS"), 221);  // an empty text
  length = 500;  // a length beyond the text stops at its zero
  EXPECT_EQ(api.compile(cursor, &length, "SELECT ID FROM CLIENTS"), 0);
  EXPECT_EQ(api.compile(cursor, nullptr, "SELECT 1"), 220);
}

// A search without regard to case compares the column's capital (or small) form with the
// value's, letters of the code page above ASCII included.
TEST_F(StatementTest, LetterCaseFunctionsFoldEveryLetterOfTheCodePage) {
  ASSERT_EQ(compileText(cursor, "INSERT INTO CLIENTS (ID, NAME) VALUES (300, 'Caf\xE9 M\xFCller \x9C')"), 0);
  ASSERT_EQ(api.exec(cursor), 0);
  const struct {
    const char* text;
    int32_t count;
  } cases[] = {
      {"SELECT COUNT(*) FROM CLIENTS WHERE Upper(NAME) like 'CAF\xC9 M\xDC%'", 1},
      {"SELECT COUNT(*) FROM CLIENTS WHERE Upper(\"CLIENTS\".\"NAME\") like '%\xDCLLER \x8C%'", 1},
      {"SELECT COUNT(*) FROM CLIENTS WHERE UPPER(NAME) = 'CAF\xC9 M\xDCLLER \x8C'", 1},
      {"SELECT COUNT(*) FROM CLIENTS WHERE lower(NAME) = 'caf\xE9 m\xFCller \x9C'", 1},
      {"SELECT COUNT(*) FROM CLIENTS WHERE Upper(NAME) = 'Caf\xE9 M\xFCller \x9C'", 0},
      {"SELECT COUNT(*) FROM CLIENTS WHERE Upper(NAME) like 'CLIENT 01%'", 10},
      {"SELECT COUNT(*) FROM MATTERS WHERE Upper(NOTES) IS NULL", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(countOf(c.text), c.count) << c.text;
}

TEST_F(StatementTest, LikeMindsLetterCaseAsEqualsDoes) {
  const struct {
    const char* text;
    int32_t count;
  } cases[] = {
      {"SELECT COUNT(*) FROM CLIENTS WHERE NAME like 'Client 00%'", 9},
      {"SELECT COUNT(*) FROM CLIENTS WHERE NAME like 'client 00%'", 0},
      {"SELECT COUNT(*) FROM CLIENTS WHERE NAME like '%LIENT 00%'", 0},
      {"SELECT COUNT(*) FROM CLIENTS WHERE Upper(NAME) like 'CLIENT 00%'", 9},
      {"SELECT COUNT(*) FROM MATTERS WHERE TITLE like '%jones'", 0},
      {"SELECT COUNT(*) FROM MATTERS WHERE lower(TITLE) like '%jones'", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(countOf(c.text), c.count) << c.text;
}

}  // namespace
}  // namespace qn::sqlif::testing
