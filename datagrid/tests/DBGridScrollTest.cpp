// How the data grid follows its table: the link's window of records, the current row, scrolling
// by rows and pages, the row, footer and top-row events, and the record-position scroll bar.
#include <QApplication>
#include <set>

#include "datagrid/tests/DBGridTestSupport.h"

namespace datagridtest {
namespace {

// The grid with the cells it paints counted and its scroll-bar answer open to the test.
class RecordingDBGrid : public TdcCustomDBGrid {
  QN_CLASS(RecordingDBGrid, TdcCustomDBGrid)
 public:
  using TdcCustomDBGrid::TdcCustomDBGrid;
  using TdcCustomDBGrid::VerticalScroll;
  std::set<std::pair<int, int>> drawn;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override {
    drawn.insert({ACol, ARow});
    TdcCustomDBGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

class UnsequencedTable : public MemoryDataSet {
  QN_CLASS(UnsequencedTable, MemoryDataSet)
 public:
  using MemoryDataSet::MemoryDataSet;
  bool IsSequenced() const override { return false; }
};

class ScrollTest : public DBGridTest {
 protected:
  void SetUp() override {
    DBGridTest::SetUp();
    delete grid;
    recording = new RecordingDBGrid(form);
    grid = recording;
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 400);
    QApplication::processEvents();
  }
  // The record shown on the current row is the table's current record.
  void expectCurrentRow(int row) {
    EXPECT_EQ(grid->Row(), row);
    EXPECT_EQ(grid->Row() - grid->TitleOffset(), grid->DataLink().ActiveRecord());
  }
  void paintNow() { QApplication::processEvents(); }
  std::set<int> rowsDrawn() const {
    std::set<int> rows;
    for (auto [column, row] : recording->drawn)
      if (row >= grid->TitleOffset()) rows.insert(row);
    return rows;
  }
  RecordingDBGrid* recording = nullptr;
};

TEST_F(ScrollTest, TheLinkBuffersTheRowsThatFit) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  EXPECT_EQ(k, rowsFitting());
  EXPECT_GT(k, 5);
  EXPECT_EQ(grid->DataLink().BufferCount(), k);
  EXPECT_EQ(grid->rowCount(), k + 1);

  grid->SetBounds(0, 0, 600, 200);  // fewer rows fit
  EXPECT_EQ(grid->VisibleRowCount(), rowsFitting());
  EXPECT_LT(grid->VisibleRowCount(), k);
  EXPECT_EQ(grid->DataLink().BufferCount(), grid->VisibleRowCount());

  table->Close();
  table->Open();
  table->EmptyDataSet();
  EXPECT_EQ(grid->rowCount(), 2);
}

TEST_F(ScrollTest, TheCurrentRowFollowsMovesByRowsAndPages) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  expectCurrentRow(1);
  for (int i = 1; i < k; ++i) table->Next();
  expectCurrentRow(k);
  table->Next();
  expectCurrentRow(k);
  EXPECT_EQ(currentRecordNumber(), k + 1);
  table->Prior();
  expectCurrentRow(k - 1);
  table->MoveBy(k);
  expectCurrentRow(k);
  EXPECT_EQ(currentRecordNumber(), 2 * k);
  table->MoveBy(-k);  // before the window: it starts again at the current record
  expectCurrentRow(1);
  EXPECT_EQ(currentRecordNumber(), k);
  table->MoveBy(-3 * k);
  expectCurrentRow(1);
  table->Last();
  expectCurrentRow(k);
  EXPECT_EQ(currentRecordNumber(), 1000);
}

TEST_F(ScrollTest, ALongJumpRepaintsEverythingAndALineOnlyTheNewRows) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  int topRowChanges = 0;
  grid->OnTopRowChanged = [&](TObject*) { ++topRowChanges; };
  table->MoveBy(k - 1);  // the last row, no scrolling
  paintNow();
  EXPECT_EQ(topRowChanges, 0);

  recording->drawn.clear();
  table->Next();
  paintNow();
  EXPECT_EQ(topRowChanges, 1);
  EXPECT_LT(rowsDrawn().size(), 4u);
  EXPECT_TRUE(rowsDrawn().count(k));

  recording->drawn.clear();
  table->MoveBy(k + 1);
  paintNow();
  EXPECT_EQ(topRowChanges, 1);
  EXPECT_EQ(rowsDrawn().size(), static_cast<size_t>(k));
}

TEST_F(ScrollTest, RowChangesAreReportedOncePerRecord) {
  open(50);
  int rows = 0, cells = 0;
  grid->OnRowChanged = [&](TObject*) { ++rows; };
  grid->OnCellChanged = [&](TObject*) { ++cells; };
  bind();
  EXPECT_EQ(cells, 1);  // the column entered
  table->Next();
  table->MoveBy(10);
  EXPECT_EQ(rows, 2);
  grid->SetSelectedIndex(2);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(cells, 4);
  table->Refresh();
  EXPECT_EQ(rows, 2);
  table->MoveBy(0);
  EXPECT_EQ(rows, 2);
}

TEST_F(ScrollTest, AppendAndInsertMakeTheNewRowCurrent) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  table->MoveBy(4);
  table->Insert();
  EXPECT_EQ(table->State(), dsInsert);
  expectCurrentRow(5);
  table->Cancel();
  expectCurrentRow(5);
  EXPECT_EQ(currentRecordNumber(), 5);

  table->Append();
  expectCurrentRow(k);
  table->FieldByName("Amount")->SetAsInteger(1001);
  table->Post();
  expectCurrentRow(k);
  EXPECT_EQ(currentRecordNumber(), 1001);
}

TEST_F(ScrollTest, TheIndicatorShowsTheRecordState) {
  open(10);
  bind();
  table->Next();
  auto indicator = [&] {
    QApplication::processEvents();
    const TRect cell = grid->cellBounds(0, grid->Row());
    return grid->Window()->grab(QRect(cell.Left, cell.Top, cell.Width(), cell.Height())).toImage();
  };
  const QImage browse = indicator();
  table->Edit();
  const QImage edit = indicator();
  table->Cancel();
  table->Insert();
  const QImage insert = indicator();
  EXPECT_NE(browse, edit);
  EXPECT_NE(browse, insert);
  EXPECT_NE(edit, insert);
}

TEST_F(ScrollTest, DeletingTheLastRecordKeepsTheNewLastOnTheLastRow) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  table->Last();
  table->Delete();
  expectCurrentRow(k);
  EXPECT_EQ(currentRecordNumber(), 999);
  EXPECT_EQ(grid->rowCount(), k + 1);
}

TEST_F(ScrollTest, TheFooterFollowsTheMastersRecord) {
  auto* clients = new MemoryDataSet(form);
  clients->FieldDefs().Add("Client", ftString, 7);
  clients->Open();
  clients->AppendRecord({"CL1"});
  clients->AppendRecord({"CL2"});
  clients->First();
  auto* clientSource = new TDataSource(form);
  clientSource->SetDataSet(clients);
  table->SetIndexFieldNames("Client");
  table->SetMasterSource(clientSource);
  table->SetMasterFields("Client");
  table->Open();
  for (int i = 0; i < 6; ++i) table->AppendRecord({"C" + std::to_string(i), i % 2 ? "CL1" : "CL2", "M", i});
  table->First();

  int footers = 0;
  grid->OnUpdateFooter = [&](TObject*) { ++footers; };
  bind();
  const int atStart = footers;
  EXPECT_GE(atStart, 1);
  table->Next();
  EXPECT_EQ(footers, atStart);
  clients->Next();
  EXPECT_EQ(footers, atStart + 1);
  table->Next();
  EXPECT_EQ(footers, atStart + 1);
  clients->Prior();
  EXPECT_EQ(footers, atStart + 2);
}

TEST_F(ScrollTest, TheScrollBarShowsTheRecordPosition) {
  open(1000);
  bind();
  EXPECT_EQ(grid->verticalScrollRange(), (std::pair{0, 200}));
  struct Case {
    int recNo;
    int position;
  };
  for (Case c : {Case{500, 499 * 200 / 999}, Case{2, 200 / 999}, Case{999, 998 * 200 / 999}, Case{251, 250 * 200 / 999}}) {
    SCOPED_TRACE(c.recNo);
    table->SetRecNo(c.recNo);
    EXPECT_EQ(grid->verticalScrollPosition(), c.position);
  }
  table->Last();
  EXPECT_EQ(grid->verticalScrollPosition(), 200);
  table->First();
  EXPECT_EQ(grid->verticalScrollPosition(), 0);

  grid->SetShowVertScrollBar(false);
  EXPECT_EQ(grid->verticalScrollRange(), (std::pair{0, 0}));
}

TEST_F(ScrollTest, OneRecordCountsAsTwoOnTheScrollBar) {
  open(1);
  bind();
  table->Next();  // past the end: neither at the beginning nor at the end flag alone decides
  EXPECT_EQ(grid->verticalScrollPosition(), table->Eof() ? 200 : 0);
  table->First();
  EXPECT_EQ(grid->verticalScrollPosition(), 0);
}

TEST_F(ScrollTest, ThumbPositionsMoveThroughASequencedTable) {
  open(1000);
  bind();
  struct Case {
    int position;
    int record;
  };
  for (Case c : {Case{100, 501}, Case{0, 1}, Case{200, 1000}, Case{1, 6}, Case{199, 996}}) {
    SCOPED_TRACE(c.position);
    recording->VerticalScroll(ScrollAction::thumbPosition, c.position);
    EXPECT_EQ(currentRecordNumber(), c.record);
    EXPECT_EQ(grid->Row() - 1, grid->DataLink().ActiveRecord());
  }
  recording->VerticalScroll(ScrollAction::lineUp, 0);
  EXPECT_EQ(currentRecordNumber(), 995);
  recording->VerticalScroll(ScrollAction::top, 0);
  EXPECT_EQ(currentRecordNumber(), 1);
  recording->VerticalScroll(ScrollAction::pageDown, 0);
  EXPECT_EQ(currentRecordNumber(), 1 + grid->VisibleRowCount());
  recording->VerticalScroll(ScrollAction::lineDown, 0);
  EXPECT_EQ(currentRecordNumber(), 2 + grid->VisibleRowCount());
  recording->VerticalScroll(ScrollAction::bottom, 0);
  EXPECT_EQ(currentRecordNumber(), 1000);
}

class UnsequencedScrollTest : public ScrollTest {
 protected:
  void SetUp() override {
    ScrollTest::SetUp();
    unsequenced = new UnsequencedTable(form);
    unsequenced->FieldDefs().Add("Amount", ftInteger);
    unsequenced->Open();
    for (int i = 1; i <= 200; ++i) unsequenced->AppendRecord({i});
    unsequenced->First();
    source->SetDataSet(unsequenced);
    bind();
  }
  int current() { return unsequenced->FieldByName("Amount")->AsInteger(); }
  UnsequencedTable* unsequenced = nullptr;
};

TEST_F(UnsequencedScrollTest, TheBarKnowsOnlyBeginningMiddleAndEnd) {
  EXPECT_EQ(grid->verticalScrollRange(), (std::pair{0, 4}));
  EXPECT_EQ(grid->verticalScrollPosition(), 0);
  unsequenced->MoveBy(50);
  EXPECT_EQ(grid->verticalScrollPosition(), 2);
  unsequenced->Last();
  unsequenced->Next();
  EXPECT_EQ(grid->verticalScrollPosition(), 4);
}

TEST_F(UnsequencedScrollTest, ThumbPositionsMoveByPagesAndEnds) {
  const int k = grid->VisibleRowCount();
  unsequenced->MoveBy(99);
  struct Case {
    int position;
    int record;
  };
  for (Case c : {Case{3, 100 + k}, Case{1, 100}, Case{2, 100}, Case{4, 200}, Case{0, 1}}) {
    SCOPED_TRACE(c.position);
    recording->VerticalScroll(ScrollAction::thumbPosition, c.position);
    EXPECT_EQ(current(), c.record);
  }
}

}  // namespace
}  // namespace datagridtest
