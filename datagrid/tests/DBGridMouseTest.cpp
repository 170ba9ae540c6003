// The data grid's mouse: titles as buttons, dragging a column by its title (the grid's own loop
// runs from the press to the release, so a test posts the moves before it presses), presses in
// data cells, multi-select presses and scrolling while the mouse holds a cell beyond the rows.
#include <QTest>
#include <memory>
#include <set>

#include "datagrid/tests/ClientsGridFixture.h"
#include "datagrid/tests/DBGridTestSupport.h"
#include "framework/base/Clock.h"
#include "framework/db/DataSet.h"
#include "framework/ui/Application.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/SafeDispatch.h"

namespace datagridtest {
namespace {

using MouseTest = DBGridTest;

QPoint centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// What the grid's loop will meet once the press is in: moves to each point, then the release at
// the last.
void postDrag(QWidget* widget, std::vector<QPoint> path) {
  qn::ui::postCall([widget, path] {
    for (const QPoint& p : path) QTest::mouseMove(widget, p);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, path.back());
  });
}

TEST_F(MouseTest, APressAndReleaseOnATitleWithinTwoPixelsIsATitleClick) {
  open(3);
  bind();
  grid->SetTitleButtons(true);
  std::vector<AnsiString> clicked;
  grid->OnTitleButtonClick = [&](TObject*, const AnsiString& name) { clicked.push_back(name); };
  const QPoint at = centre(grid->cellBounds(2, 0));
  QWidget* widget = grid->Window();
  postDrag(widget, {at + QPoint(2, 0)});
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], "Client");
  EXPECT_EQ(GetCaptureControl(), nullptr);

  postDrag(widget, {at + QPoint(3, 0)});
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  EXPECT_EQ(clicked.size(), 1u) << "moved past two pixels: a drag, no click";

  grid->SetTitleButtons(false);
  postDrag(widget, {at});
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  EXPECT_EQ(clicked.size(), 1u) << "plain titles are no buttons";
}

TEST_F(MouseTest, AHandlerThatRaisesInTheDropStillLetsTheMouseGo) {
  open(3);
  bind();
  std::vector<AnsiString> handled;
  Application->OnException = [&](TObject*, const Exception& e) { handled.push_back(e.Message()); };
  grid->OnColumnMoved = [](TObject*, int, int) { throw Exception("refused"); };
  const TRect from = grid->cellBounds(2, 0);
  const QPoint at(from.Right - 3, centre(from).y());
  QWidget* widget = grid->Window();
  postDrag(widget, {at + QPoint(5, 0), at + QPoint(10, 0)});
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  Application->OnException = nullptr;
  EXPECT_EQ(handled, std::vector<AnsiString>{"refused"});
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_FALSE(grid->ColumnDragStarted());
}

TEST_F(MouseTest, ADragThatScrollsOnTheTimerWhileTheImageLeansOnTheRightEdge) {
  qn::ManualClock clock(1000);
  qn::setClock(&clock);
  open(3);
  bind();
  for (int i = 1; i < grid->columnCount(); ++i) grid->setColumnWidth(i, 200);
  grid->SetBounds(0, 0, 300, 200);
  ASSERT_EQ(grid->firstScrollColumn(), 1);
  const TRect from = grid->cellBounds(1, 0);
  const QPoint at = centre(from);
  QWidget* widget = grid->Window();
  int firstDuringDrag = -1;
  qn::ui::postCall([&] {
    QTest::mouseMove(widget, at + QPoint(150, 0));
    clock.advance(100);
    Application->ProcessMessages();
    firstDuringDrag = grid->firstScrollColumn();
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at + QPoint(150, 0));
  });
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  qn::setClock(nullptr);
  EXPECT_EQ(firstDuringDrag, 2) << "one column on after a tick";
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

// A grid that keeps multi-select marks in a set of record numbers, as the published grid does.
class MarkingGrid : public TdcCustomDBGrid {
 public:
  using TdcCustomDBGrid::TdcCustomDBGrid;
  std::vector<std::string> log;
  std::set<int> marked;
  const TBookmarkStr& anchor() const { return shiftAnchor_; }

 protected:
  int record() { return DataLink().DataSet()->FieldByName("Amount")->AsInteger(); }
  bool ActiveRecordMarked() override { return marked.count(record()) > 0; }
  void SelectRecord() override {
    log.push_back("select " + std::to_string(record()));
    marked.insert(record());
  }
  void UnselectRecord() override {
    log.push_back("unselect " + std::to_string(record()));
    marked.erase(record());
  }
  void UnselectAll() override {
    log.push_back("unselect all");
    marked.clear();
  }
};

class PressTest : public DBGridTest {
 protected:
  void SetUp() override {
    DBGridTest::SetUp();
    delete grid;
    marking = new MarkingGrid(form);
    grid = marking;
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 400);
  }
  void press(int col, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint at = centre(grid->cellBounds(col, row));
    QTest::mousePress(grid->Window(), Qt::LeftButton, modifiers, at);
    QTest::mouseRelease(grid->Window(), Qt::LeftButton, modifiers, at);
  }
  MarkingGrid* marking = nullptr;
};

TEST_F(PressTest, APressMovesRecordAndColumnBeforeOnMouseDownAndReportsTheCellOnce) {
  open(10);
  bind();
  std::vector<std::string> events;
  grid->OnCellChanged = [&](TObject*) { events.push_back("cell changed"); };
  grid->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
    events.push_back("mouse down at record " + std::to_string(currentRecordNumber()) + ", column " +
                     std::to_string(grid->SelectedIndex()));
  };
  events.clear();
  press(3, 4);
  EXPECT_EQ(currentRecordNumber(), 4);
  EXPECT_EQ(grid->SelectedIndex(), 2);
  EXPECT_EQ(events, (std::vector<std::string>{"cell changed", "mouse down at record 4, column 2"}));
  EXPECT_FALSE(grid->cellEditorShown());

  events.clear();
  press(3, 4);
  EXPECT_TRUE(grid->cellEditorShown()) << "the current cell pressed again";
  EXPECT_EQ(events, (std::vector<std::string>{"mouse down at record 4, column 2"}));
}

TEST_F(PressTest, MultiSelectPressesToggleWithCtrlAndStartAfreshWithAutoUnselect) {
  open(10);
  bind();
  grid->SetDBOptions(grid->DBOptions().Include(dgMultiSelect));
  grid->SetMultiSelectOptions({msoAutoUnselect, msoShiftSelect});
  press(2, 2);
  press(2, 3, Qt::ControlModifier);
  press(2, 3, Qt::ControlModifier);
  EXPECT_EQ(marking->log, (std::vector<std::string>{"unselect all", "select 2", "select 3", "unselect 3"}));
  EXPECT_EQ(marking->marked, std::set<int>{2});
  table->MoveBy(0);
  EXPECT_EQ(marking->anchor(), table->Bookmark()) << "the anchor is the record pressed last";
}

TEST_F(MouseTest, HoldingACellBelowTheRowsScrollsByTheRowsOnTheGridsTimer) {
  qn::ManualClock clock(1000);
  qn::setClock(&clock);
  open(200);
  bind();
  const QPoint at = centre(grid->cellBounds(2, 1));
  QWidget* widget = grid->Window();
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  const int shown = grid->DataLink().RecordCount();
  QTest::mouseMove(widget, QPoint(at.x(), grid->ClientRect().Bottom + 5));
  const int before = currentRecordNumber();
  clock.advance(60);
  Application->ProcessMessages();
  EXPECT_EQ(currentRecordNumber(), before + shown - (before - 1)) << "forward by the buffer less the active record";
  const int below = currentRecordNumber();
  QTest::mouseMove(widget, QPoint(at.x(), grid->rowHeight(0) - 3));
  const int active = grid->DataLink().ActiveRecord();
  clock.advance(60);
  Application->ProcessMessages();
  EXPECT_EQ(currentRecordNumber(), below - (active + 1)) << "back by the active record and one";
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  qn::setClock(nullptr);
}

// ---- on the clients table ----

using ClientsMouseTest = ClientsGridTest;

TEST_F(ClientsMouseTest, ADragOfTenPixelsMovesTheColumnAndWithUseTFieldsTheFieldOrder) {
  grid->SetUseTFields(true);
  openAndBind();
  std::vector<std::pair<int, int>> moves;
  grid->OnColumnMoved = [&](TObject*, int from, int to) { moves.emplace_back(from, to); };
  TField* first = grid->GetFields(0);
  TField* second = grid->GetFields(1);
  const TRect from = grid->cellBounds(1, 0);
  const QPoint at(from.Right - 4, centre(from).y());
  QWidget* widget = grid->Window();
  postDrag(widget, {at + QPoint(5, 0), at + QPoint(10, 0)});
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 1}}));
  EXPECT_EQ(first->Index(), 1);
  EXPECT_EQ(second->Index(), 0);
  EXPECT_EQ(grid->GetFields(0), second);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

}  // namespace
}  // namespace datagridtest
