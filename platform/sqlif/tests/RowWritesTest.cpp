// Inserting, updating and removing rows through a result, as the driver's cursor does, and
// seeing the changes from a fresh statement.
#include <cstring>
#include <iterator>

#include "platform/sqlif/tests/SqlFixture.h"

namespace qn::sqlif::testing {
namespace {

class RowWritesTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    ASSERT_EQ(loginTo(folder), 0);
  }
  int16_t query(const std::string& text) {
    int16_t c = -1;
    EXPECT_EQ(openCursor(c), 0);
    EXPECT_EQ(compileText(c, text), 0) << text;
    EXPECT_EQ(api.exec(c), 0) << text;
    return c;
  }
  // The first row of a fresh query, `rowSize` bytes; empty when there is none.
  std::vector<uint8_t> firstRow(const std::string& text, uint16_t rowSize) {
    const int16_t c = query(text);
    Fetched f = fetchRows(c, 1, 1, rowSize);
    api.free(c);
    if (f.status != 0) f.buffer.clear();
    return f.buffer;
  }
  static void putText(std::vector<uint8_t>& row, size_t offset, size_t size, const std::string& text, char pad) {
    std::memset(row.data() + offset, pad, size);
    std::memcpy(row.data() + offset, text.data(), text.size());
  }
};

// CLIENTS ID, NAME, AMOUNT: offsets 2, 6, 26; 35 bytes.
constexpr uint16_t kClientRow = 35;

TEST_F(RowWritesTest, InsertUpdateRemoveAreSeenByAFreshStatement) {
  const int16_t c = query("SELECT ID, NAME, AMOUNT FROM CLIENTS WHERE ID > 95 ORDER BY ID");
  ASSERT_EQ(recordSize(c), kClientRow);

  std::vector<uint8_t> row(kClientRow, 0);
  row[2] = 0xF4, row[3] = 0x01;  // 500
  putText(row, 6, 20, "New client", ' ');
  const uint8_t amount[] = {0x00, 0x00, 0x01, 0x23, 0x4F};  // 12.34
  std::memcpy(row.data() + 26, amount, 5);
  int32_t count = 1;
  ASSERT_EQ(api.insert(c, 1, "*.*", &count, row.data()), 0);
  EXPECT_EQ(count, 1);
  Fetched again = fetchRows(c, 0, 1, kClientRow);  // the driver re-reads the inserted row
  ASSERT_EQ(again.status, 0);
  EXPECT_EQ(readI32(again.buffer.data() + 2), 500);
  std::vector<uint8_t> fresh = firstRow("SELECT ID, NAME, AMOUNT FROM CLIENTS WHERE ID = 500", kClientRow);
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(std::string(reinterpret_cast<char*>(fresh.data() + 6), 20), "New client          ");
  EXPECT_EQ(std::memcmp(fresh.data() + 26, amount, 5), 0);

  Fetched first = fetchRows(c, 1, 1, kClientRow);
  ASSERT_EQ(readI32(first.buffer.data() + 2), 96);
  putText(first.buffer, 6, 20, "Renamed", ' ');
  count = 1;
  ASSERT_EQ(api.update(c, 1, "*.*", &count, first.buffer.data()), 0);
  EXPECT_EQ(count, 1);
  fresh = firstRow("SELECT NAME FROM CLIENTS WHERE ID = 96", 2 + 20 + 4);
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(std::string(reinterpret_cast<char*>(fresh.data() + 2), 7), "Renamed");

  ASSERT_EQ(readI32(fetchRows(c, 2, 1, kClientRow).buffer.data() + 2), 97);
  count = 1;
  ASSERT_EQ(api.remove(c, 1, "*.*", &count), 0);
  EXPECT_TRUE(firstRow("SELECT ID FROM CLIENTS WHERE ID = 97", 10).empty());
  EXPECT_EQ(fetchRows(c, 0, 1, kClientRow).status, -109);  // no current row after a removal
  EXPECT_EQ(readI32(fetchRows(c, 2, 1, kClientRow).buffer.data() + 2), 98);
  EXPECT_EQ(readI32(fetchRows(c, 3, 1, kClientRow).buffer.data() + 2), 96);
  count = 1;
  EXPECT_EQ(api.remove(c, 1, "*.*", &count), 0);
}

TEST_F(RowWritesTest, BlockInsertWritesEveryRow) {
  const int16_t c = query("SELECT ID FROM CLIENTS WHERE ID = 1");
  std::vector<uint8_t> rows(3 * 10, 0);
  for (int i = 0; i < 3; ++i) rows[i * 10 + 2] = static_cast<uint8_t>(200 + i);
  int32_t count = 3;
  ASSERT_EQ(api.insert(c, 1, "*.*", &count, rows.data()), 0);
  EXPECT_EQ(count, 3);
  const int16_t check = query("SELECT COUNT(*) FROM CLIENTS WHERE ID BETWEEN 200 AND 202");
  EXPECT_EQ(readI32(fetchRows(check, 1, 1, 10).buffer.data() + 2), 3);
}

TEST_F(RowWritesTest, NoteColumnEndsTheRowWhereItsTextEnds) {
  // MATTERS ID, CLIENT_ID, TITLE (zstring 31), NOTES (note 200): the note starts at 41.
  const int16_t c = query("SELECT ID, CLIENT_ID, TITLE, NOTES FROM MATTERS ORDER BY ID");
  const Described notes = describeColumn(c, 4);
  EXPECT_EQ(notes.type, 12);
  EXPECT_EQ(notes.size, 200);
  const uint16_t size = recordSize(c);
  ASSERT_EQ(size, 2 + 4 + 4 + 31 + 200 + 4);
  Fetched f = fetchRows(c, 1, 1, size);
  EXPECT_EQ(readU16(f.buffer.data()), 41 + 11);
  EXPECT_STREQ(reinterpret_cast<char*>(f.buffer.data() + 41), "first note");
  EXPECT_STREQ(reinterpret_cast<char*>(f.buffer.data() + 10), "Smith v. Jones");
  f = fetchRows(c, 2, 1, size);
  EXPECT_EQ(readU16(f.buffer.data()), 41 + 1);  // no note

  std::vector<uint8_t> row(size, 0);
  row[2] = 9;
  putText(row, 10, 31, "Written", '\0');
  putText(row, 41, 200, "memo text", '\0');
  row[0] = 41 + 10;
  int32_t count = 1;
  ASSERT_EQ(api.insert(c, 1, "*.*", &count, row.data()), 0);
  // Only the row length's worth of the tail is the note; what lies beyond is not written.
  row[2] = 10;
  putText(row, 41, 200, "garbage beyond the row", 'x');
  row[0] = 41;
  count = 1;
  ASSERT_EQ(api.insert(c, 1, "*.*", &count, row.data()), 0);

  std::vector<uint8_t> fresh = firstRow("SELECT NOTES FROM MATTERS WHERE ID = 9", 2 + 200 + 4);
  ASSERT_FALSE(fresh.empty());
  EXPECT_STREQ(reinterpret_cast<char*>(fresh.data() + 2), "memo text");
  fresh = firstRow("SELECT NOTES FROM MATTERS WHERE ID = 10", 2 + 200 + 4);
  ASSERT_FALSE(fresh.empty());
  EXPECT_STREQ(reinterpret_cast<char*>(fresh.data() + 2), "");
}

// A condition comparing letter case or a pattern still picks table rows: they can be changed.
TEST_F(RowWritesTest, RowsPickedThroughLetterCaseAndPatternsAreUpdatable) {
  const char* texts[] = {
      "SELECT ID, NAME, AMOUNT FROM CLIENTS WHERE Upper(NAME) = 'CLIENT 007'",
      "SELECT ID, NAME, AMOUNT FROM CLIENTS WHERE lower(NAME) like 'client 007%'",
      "SELECT ID, NAME, AMOUNT FROM CLIENTS WHERE NAME like '%ent 007'",
  };
  for (size_t i = 0; i < std::size(texts); ++i) {
    const char* text = texts[i];
    const int16_t c = query(text);
    Fetched f = fetchRows(c, 1, 1, kClientRow);
    ASSERT_EQ(f.status, 0) << text;
    ASSERT_EQ(readI32(f.buffer.data() + 2), 7) << text;
    const std::string name = "Changed by " + std::to_string(i);
    putText(f.buffer, 6, 20, name, ' ');
    int32_t count = 1;
    EXPECT_EQ(api.update(c, 1, "*.*", &count, f.buffer.data()), 0) << text;
    api.free(c);
    std::vector<uint8_t> fresh = firstRow("SELECT NAME FROM CLIENTS WHERE ID = 7", 2 + 20 + 4);
    ASSERT_FALSE(fresh.empty()) << text;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(fresh.data() + 2), name.size()), name) << text;
    // Back, so the next condition finds the row again.
    const int16_t back = query("UPDATE CLIENTS SET NAME = 'Client 007' WHERE ID = 7");
    api.free(back);
  }
}

TEST_F(RowWritesTest, ResultsThatAreNoTableRowsAreNotUpdatable) {
  const char* texts[] = {
      "SELECT C.ID, M.TITLE FROM CLIENTS C JOIN MATTERS M ON M.CLIENT_ID = C.ID",
      "SELECT M.ID, M.TITLE FROM MATTERS M JOIN CLIENTS C ON M.CLIENT_ID = C.ID",  // one table's columns, two tables
      "SELECT COUNT(*) FROM CLIENTS",
      "SELECT DISTINCT NAME FROM CLIENTS",
      "SELECT ID FROM CLIENTS WHERE ID IN (SELECT CLIENT_ID FROM MATTERS)",
      "SELECT ID, ID + 1 FROM CLIENTS",
  };
  for (const char* text : texts) {
    const int16_t c = query(text);
    Fetched f = fetchRows(c, 1, 1, 1024);
    ASSERT_EQ(f.status, 0) << text;
    int32_t count = 1;
    EXPECT_EQ(api.update(c, 1, "*.*", &count, f.buffer.data()), 223) << text;
    count = 1;
    EXPECT_EQ(api.insert(c, 1, "*.*", &count, f.buffer.data()), 223) << text;
    count = 1;
    EXPECT_EQ(api.remove(c, 1, "*.*", &count), 223) << text;
    api.free(c);
  }
  const int16_t check = query("SELECT COUNT(*) FROM MATTERS");
  EXPECT_EQ(readI32(fetchRows(check, 1, 1, 10).buffer.data() + 2), 3);
}

TEST_F(RowWritesTest, AColumnSelectedTwiceIsWrittenFromItsChangedFirstCopy) {
  // NAME at 2 and again at 26, after ID at 22; 50 bytes.
  const int16_t c = query("SELECT NAME, ID, NAME FROM CLIENTS WHERE ID = 7");
  ASSERT_EQ(recordSize(c), 2 + 20 + 4 + 20 + 4);
  Fetched f = fetchRows(c, 1, 1, 50);
  ASSERT_EQ(f.status, 0);
  ASSERT_EQ(readI32(f.buffer.data() + 22), 7);
  putText(f.buffer, 2, 20, "First copy changed", ' ');
  int32_t count = 1;
  const int16_t status = api.update(c, 1, "*.*", &count, f.buffer.data());
  api.free(c);
  if (status == 223) return;  // not updatable: nothing can be lost
  ASSERT_EQ(status, 0);
  const std::vector<uint8_t> fresh = firstRow("SELECT NAME FROM CLIENTS WHERE ID = 7", 2 + 20 + 4);
  ASSERT_FALSE(fresh.empty());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(fresh.data() + 2), 20), "First copy changed  ");
}

TEST_F(RowWritesTest, UpdateWithoutCurrentRowAndBadValues) {
  const int16_t c = query("SELECT ID, OPENED FROM CLIENTS ORDER BY ID");
  std::vector<uint8_t> row(2 + 4 + 4 + 4, 0);
  int32_t count = 1;
  EXPECT_EQ(api.update(c, 1, "*.*", &count, row.data()), 224);
  Fetched f = fetchRows(c, 1, 1, 14);
  EXPECT_EQ(f.buffer[6], 2);   // 2020-01-02: day
  EXPECT_EQ(f.buffer[7], 1);   // month
  f.buffer[7] = 13;            // no month 13
  count = 1;
  EXPECT_EQ(api.update(c, 1, "*.*", &count, f.buffer.data()), 227);
  const int16_t check = query("SELECT COUNT(*) FROM CLIENTS WHERE OPENED = '2020-01-02'");
  EXPECT_GT(readI32(fetchRows(check, 1, 1, 10).buffer.data() + 2), 0);
}

}  // namespace
}  // namespace qn::sqlif::testing
