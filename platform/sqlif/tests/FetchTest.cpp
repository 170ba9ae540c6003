// Fetching a materialised result in every direction, in blocks, and by bookmark.
#include "platform/sqlif/tests/SqlFixture.h"

namespace qn::sqlif::testing {
namespace {

constexpr uint16_t kRow = 2 + 4 + 4;  // SELECT ID: length word, the integer, 4 unused bytes

class FetchTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    ASSERT_EQ(loginTo(folder), 0);
    cursor = query("SELECT ID FROM CLIENTS ORDER BY ID");
  }
  int16_t query(const std::string& text) {
    int16_t c = -1;
    EXPECT_EQ(openCursor(c), 0);
    EXPECT_EQ(compileText(c, text), 0);
    EXPECT_EQ(api.exec(c), 0);
    return c;
  }
  // The ID a single-row fetch delivers, or -status.
  int32_t fetchId(int16_t option, int16_t on = -1) {
    const Fetched f = fetchRows(on < 0 ? cursor : on, option, 1, kRow);
    if (f.status != 0) return -f.status;
    EXPECT_EQ(f.count, 1);
    return readI32(f.buffer.data() + 2);
  }
  std::vector<uint8_t> bookmark(int16_t on) {
    std::vector<uint8_t> mark(100, 0);
    uint16_t length = 100;
    int32_t count = 1, second = 0;
    EXPECT_EQ(api.recordFetch(on, &length, 5, &count, &second, mark.data()), 0);
    EXPECT_EQ(count, 1);
    return mark;
  }
  // Positions on the bookmark; the ID delivered, or 0 when no row came.
  int32_t toBookmark(int16_t on, const std::vector<uint8_t>& mark) {
    std::vector<uint8_t> scratch(300, 0);
    std::copy(mark.begin(), mark.begin() + 2 + readU16(mark.data()), scratch.begin());
    uint16_t length = 300;
    int32_t count = 1, second = -1;
    EXPECT_EQ(api.recordFetch(on, &length, 256, &count, &second, scratch.data()), 0);
    return count == 0 ? 0 : readI32(scratch.data() + 2);
  }
  int16_t cursor = -1;
};

TEST_F(FetchTest, BothWaysOverAHundredRows) {
  EXPECT_EQ(fetchId(1), 1);
  for (int32_t id = 2; id <= 100; ++id) ASSERT_EQ(fetchId(2), id);
  Fetched end = fetchRows(cursor, 2, 1, kRow);
  EXPECT_EQ(end.status, -109);
  EXPECT_EQ(end.count, 0);
  EXPECT_EQ(fetchId(3), 100);  // back from beyond the end
  EXPECT_EQ(fetchId(4), 100);
  for (int32_t id = 99; id >= 1; --id) ASSERT_EQ(fetchId(3), id);
  end = fetchRows(cursor, 3, 1, kRow);
  EXPECT_EQ(end.status, -109);
  EXPECT_EQ(end.count, 0);
  EXPECT_EQ(fetchId(2), 1);
  EXPECT_EQ(fetchId(0), 1);
  EXPECT_EQ(fetchId(0 + 1024), 1);  // a locked re-read is accepted
}

TEST_F(FetchTest, BlockFetchStopsAtTheEnd) {
  for (int i = 0; i < 90; ++i) ASSERT_GT(fetchId(i == 0 ? 1 : 2), 0);
  ASSERT_EQ(fetchId(0), 90);
  const Fetched block = fetchRows(cursor, 0, 30, kRow);  // from the current row 90
  EXPECT_EQ(block.status, -109);
  ASSERT_EQ(block.count, 11);
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(readU16(block.buffer.data() + i * kRow), kRow);
    EXPECT_EQ(readI32(block.buffer.data() + i * kRow + 2), 90 + i);
  }
  EXPECT_EQ(fetchId(0), 100);

  const Fetched fromStart = fetchRows(cursor, 1, 30, kRow);
  EXPECT_EQ(fromStart.status, 0);
  EXPECT_EQ(fromStart.count, 30);
  EXPECT_EQ(readI32(fromStart.buffer.data() + 29 * kRow + 2), 30);
}

TEST_F(FetchTest, EmptyResultAnswersMinus109AtBothEnds) {
  const int16_t empty = query("SELECT ID FROM CLIENTS WHERE ID > 1000");
  for (int16_t option : {1, 2, 3, 4, 0}) {
    const Fetched f = fetchRows(empty, option, 1, kRow);
    EXPECT_EQ(f.status, -109) << option;
    EXPECT_EQ(f.count, 0) << option;
  }
}

TEST_F(FetchTest, BufferShorterThanARowIsRefused) {
  const Fetched f = fetchRows(cursor, 1, 1, kRow - 1);
  EXPECT_EQ(f.status, 225);
  EXPECT_EQ(f.count, 0);
}

TEST_F(FetchTest, BookmarksFindTheirRowAgain) {
  for (int i = 0; i < 42; ++i) ASSERT_GT(fetchId(i == 0 ? 1 : 2), 0);
  const std::vector<uint8_t> mark = bookmark(cursor);
  EXPECT_EQ(readU16(mark.data()), 16);
  EXPECT_EQ(fetchId(1), 1);
  EXPECT_EQ(toBookmark(cursor, mark), 42);
  EXPECT_EQ(fetchId(0), 42);
  EXPECT_EQ(fetchId(2), 43);

  const int16_t other = query("SELECT ID FROM CLIENTS ORDER BY ID");
  ASSERT_EQ(fetchId(4, other), 100);
  EXPECT_EQ(toBookmark(other, mark), 0);  // another cursor's bookmark
  EXPECT_EQ(toBookmark(cursor, bookmark(other)), 0);
  EXPECT_EQ(fetchId(0, other), 100);  // left where it was
}

TEST_F(FetchTest, BookmarkOfARemovedRowDeliversNothing) {
  ASSERT_EQ(fetchId(1), 1);
  for (int i = 0; i < 4; ++i) ASSERT_GT(fetchId(2), 0);
  const std::vector<uint8_t> fifth = bookmark(cursor);
  ASSERT_EQ(fetchId(2), 6);
  ASSERT_EQ(fetchId(2), 7);
  const std::vector<uint8_t> seventh = bookmark(cursor);
  int32_t count = 1;
  ASSERT_EQ(toBookmark(cursor, fifth), 5);
  ASSERT_EQ(api.remove(cursor, 1, "*.*", &count), 0);
  EXPECT_EQ(toBookmark(cursor, fifth), 0);
  // Removed by another statement after the result was read.
  EXPECT_EQ(runStatement("DELETE FROM CLIENTS WHERE ID = 7"), 0);
  EXPECT_EQ(toBookmark(cursor, seventh), 0);
  EXPECT_EQ(fetchId(1), 1);
  EXPECT_EQ(fetchId(2), 2);
}

TEST_F(FetchTest, BookmarkWithoutCurrentRowDeliversNothing) {
  std::vector<uint8_t> mark(100, 0);
  uint16_t length = 100;
  int32_t count = 1, second = 0;
  EXPECT_EQ(api.recordFetch(cursor, &length, 5, &count, &second, mark.data()), 0);
  EXPECT_EQ(count, 0);
}

TEST_F(FetchTest, AResultIsReadOnceAndKeepsItsRows) {
  ASSERT_EQ(fetchId(1), 1);
  EXPECT_EQ(runStatement("DELETE FROM CLIENTS WHERE ID <= 50"), 0);
  EXPECT_EQ(fetchId(2), 2);  // the materialised rows stay until the next execution
  ASSERT_EQ(api.exec(cursor), 0);
  EXPECT_EQ(fetchId(1), 51);
}

}  // namespace
}  // namespace qn::sqlif::testing
