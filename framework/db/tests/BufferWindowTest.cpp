// The window of record buffers two links look through: each link keeps the current record in
// its own window and hears how far that window moved.
#include <gtest/gtest.h>

#include "framework/db/DataSource.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

class BufferWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(*ds, 20);
    source.SetDataSet(ds.get());
    tall.SetBufferCount(5);
    shortLink.SetBufferCount(2);
    tall.SetDataSource(&source);
    shortLink.SetDataSource(&source);
    Clear();
  }
  void Clear() {
    tall.scrolls.clear();
    shortLink.scrolls.clear();
  }
  // The ID shown in row `row` of a link's window.
  int IdAt(LoggingLink& link, int row) {
    int saved = link.ActiveRecord();
    link.SetActiveRecord(row);
    int id = CurrentId(*ds);
    link.SetActiveRecord(saved);
    return id;
  }
  std::vector<int> Rows(LoggingLink& link) {
    std::vector<int> ids;
    for (int row = 0; row < link.RecordCount(); ++row) ids.push_back(IdAt(link, row));
    return ids;
  }

  std::unique_ptr<MemoryDataSet> ds = People();
  TDataSource source{nullptr};
  LoggingLink tall, shortLink;
};

struct Step {
  int move;          // MoveBy distance
  int id;            // current record afterwards
  int tallScroll;    // distance the 5-row window reported
  int tallActive;
  int shortScroll;   // distance the 2-row window reported
  int shortActive;
};

TEST_F(BufferWindow, LinksOfDifferentSizesFollowScrollingByOneAndByPages) {
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Rows(shortLink), (std::vector<int>{1, 2}));

  const Step steps[] = {
      {1, 2, 0, 1, 0, 1},    // inside both windows
      {1, 3, 0, 2, 1, 1},    // the short window slides
      {1, 4, 0, 3, 1, 1},
      {1, 5, 0, 4, 1, 1},
      {1, 6, 1, 4, 1, 1},    // past the buffers: a record is fetched, both windows slide
      {5, 11, 5, 4, 5, 1},   // a page forward
      {-1, 10, 0, 3, 0, 0},  // back inside both windows
      {-1, 9, 0, 2, -1, 0},
      {-1, 8, 0, 1, -1, 0},
      {-1, 7, 0, 0, -1, 0},
      {-1, 6, -1, 0, -1, 0},  // before the buffers: a record is fetched at the top
      {-5, 1, -5, 0, -5, 0},  // a page back
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("moving " + std::to_string(s.move) + " to " + std::to_string(s.id));
    Clear();
    EXPECT_EQ(ds->MoveBy(s.move), s.move);
    EXPECT_EQ(CurrentId(*ds), s.id);
    EXPECT_EQ(tall.scrolls, std::vector<int>{s.tallScroll});
    EXPECT_EQ(shortLink.scrolls, std::vector<int>{s.shortScroll});
    EXPECT_EQ(tall.ActiveRecord(), s.tallActive);
    EXPECT_EQ(shortLink.ActiveRecord(), s.shortActive);
    EXPECT_EQ(IdAt(tall, tall.ActiveRecord()), s.id);
    EXPECT_EQ(IdAt(shortLink, shortLink.ActiveRecord()), s.id);
  }
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(Rows(shortLink), (std::vector<int>{1, 2}));

  // Trying to pass the first record finds the start: a scroll of nothing. Once the dataset
  // knows it is at the start, nothing is tried and nothing reported.
  Clear();
  EXPECT_EQ(ds->MoveBy(-3), 0);
  EXPECT_TRUE(ds->Bof());
  EXPECT_EQ(tall.scrolls, std::vector<int>{0});
  Clear();
  EXPECT_EQ(ds->MoveBy(-3), 0);
  EXPECT_TRUE(tall.scrolls.empty());
}

TEST_F(BufferWindow, APageBeyondTheEndStopsThereAndReportsTheDistanceTravelled) {
  ds->MoveBy(15);  // on 16, window 12..16
  Clear();
  EXPECT_EQ(ds->MoveBy(10), 4);
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(CurrentId(*ds), 20);
  EXPECT_EQ(tall.scrolls, std::vector<int>{4});
  EXPECT_EQ(shortLink.scrolls, std::vector<int>{4});
  EXPECT_EQ(Rows(tall), (std::vector<int>{16, 17, 18, 19, 20}));
  EXPECT_EQ(Rows(shortLink), (std::vector<int>{19, 20}));
}

TEST_F(BufferWindow, LastAndFirstRefillTheWindowAsAChange) {
  tall.log.clear();
  ds->Last();
  EXPECT_EQ(tall.log, (std::vector<std::string>{"check", "changed"}));
  EXPECT_EQ(Rows(tall), (std::vector<int>{16, 17, 18, 19, 20}));
  EXPECT_EQ(tall.ActiveRecord(), 4);
  EXPECT_EQ(Rows(shortLink), (std::vector<int>{19, 20}));
  ds->First();
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(tall.ActiveRecord(), 0);
}

TEST_F(BufferWindow, ATallerWindowAtTheEndFillsUpwards) {
  ds->Last();
  tall.SetBufferCount(8);
  EXPECT_EQ(tall.RecordCount(), 8);
  EXPECT_EQ(Rows(tall), (std::vector<int>{13, 14, 15, 16, 17, 18, 19, 20}));
  EXPECT_EQ(tall.ActiveRecord(), 7);
  EXPECT_EQ(Rows(shortLink), (std::vector<int>{19, 20}));
  EXPECT_EQ(CurrentId(*ds), 20);

  // Shrinking keeps the current record in view.
  tall.SetBufferCount(3);
  EXPECT_EQ(Rows(tall), (std::vector<int>{18, 19, 20}));
  EXPECT_EQ(tall.ActiveRecord(), 2);
  EXPECT_EQ(CurrentId(*ds), 20);
}

TEST_F(BufferWindow, AFewRecordsLeaveTheRestOfTheWindowEmpty) {
  auto few = People();
  Fill(*few, 3);
  TDataSource s(nullptr);
  s.SetDataSet(few.get());
  LoggingLink link;
  link.SetBufferCount(10);
  link.SetDataSource(&s);
  EXPECT_EQ(link.RecordCount(), 3);
  few->Last();
  EXPECT_EQ(link.ActiveRecord(), 2);
  few->Next();
  EXPECT_TRUE(few->Eof());
  link.SetDataSource(nullptr);
}

TEST_F(BufferWindow, DeleteKeepsTheRowAndInsertPushesTheRowsDown) {
  ds->MoveBy(2);  // on 3, row 2 of both windows... row 1 of the short one
  ds->Delete();
  EXPECT_EQ(CurrentId(*ds), 4);
  EXPECT_EQ(tall.ActiveRecord(), 2);
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 4, 5, 6}));

  ds->Insert();
  EXPECT_EQ(tall.ActiveRecord(), 2);
  EXPECT_EQ(tall.RecordCount(), 5);
  ds->FieldByName("ID")->SetAsInteger(99);
  ds->Post();
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 99, 4, 5}));
}

TEST_F(BufferWindow, ATallerWindowWhileInsertingShowsTheRecordPushedOut) {
  ds->MoveBy(4);
  ds->Insert();  // before 5, which falls out of the full window
  ds->FieldByName("ID")->SetAsInteger(99);
  tall.SetBufferCount(7);
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 3, 4, 99, 5, 6}));
  EXPECT_EQ(tall.ActiveRecord(), 4);
  ds->Post();
  EXPECT_EQ(Rows(tall), (std::vector<int>{1, 2, 3, 4, 99, 5, 6}));
}

}  // namespace

namespace {

TEST_F(BufferWindow, ABlockReadTellsTheControlsOnlyAtItsEnd) {
  tall.log.clear();
  ds->SetBlockReadSize(10);
  EXPECT_EQ(ds->State(), dsBlockRead);
  int read = 0;
  while (!ds->Eof()) {
    ds->Next();
    ++read;
  }
  EXPECT_EQ(read, 20);
  EXPECT_TRUE(tall.scrolls.empty());
  ds->SetBlockReadSize(0);
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(CurrentId(*ds), 20);
  EXPECT_EQ(Rows(tall), (std::vector<int>{16, 17, 18, 19, 20}));
  EXPECT_EQ(tall.ActiveRecord(), 4);
}

}  // namespace
