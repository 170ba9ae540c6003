// The grid's selection of records: all of them, one by Ctrl+click, a range by Shift+click from
// the anchor in either direction, the handler that may refuse, the calculated "selected" column,
// and no selection while the record is being edited.
#include <QGuiApplication>
#include <QStyleHints>

#include "datagrid/tests/PublishedGridFixture.h"
#include "framework/db/Field.h"
#include "framework/ui/VirtualKeys.h"

namespace publishedgridtest {
namespace {

class MultiSelectTest : public PublishedGridTest {
 protected:
  void SetUp() override { PublishedGridTest::SetUp(); }
  void openAndBind(int count, bool selectedColumn = false) {
    openMatters(count, selectedColumn);
    bind(matters);
    // A list to pick records from: a press on the current cell opens no editor (which would put
    // the record into edit, where no record counts as selected).
    grid->SetDBOptions(grid->DBOptions().Include(dgMultiSelect).Exclude(dgEditing));
    grid->SetMultiSelectOptions({msoShiftSelect});
    focusGridAt("CaseID");
  }
  // Clicks the current record's case id with the shift keys given; never the second click of a
  // double click.
  void clickCurrent(Qt::KeyboardModifiers modifiers) {
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 20);
    const TRect cell = grid->cellBounds(grid->IndicatorOffset(), grid->Row());
    QTest::mouseClick(grid->Window(), Qt::LeftButton, modifiers, {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
  }
  // The case ids of the selected records, in the order of the table.
  std::vector<AnsiString> selectedIds() {
    std::vector<AnsiString> ids;
    const TBookmarkStr here = matters->Bookmark();
    for (matters->First(); !matters->Eof(); matters->Next())
      if (grid->CurrentRecordSelected()) ids.push_back(matters->FieldByName("CaseID")->AsString());
    matters->SetBookmark(here);
    return ids;
  }
  std::vector<AnsiString> ids(int from, int to) {
    std::vector<AnsiString> result;
    for (int i = from; i <= to; ++i) result.push_back("M" + std::to_string(i));
    return result;
  }
  AnsiString currentId() { return matters->FieldByName("CaseID")->AsString(); }
};

TEST_F(MultiSelectTest, SelectAllOnAnEmptyTableSelectsNothing) {
  openAndBind(0);
  grid->SelectAll();
  EXPECT_TRUE(grid->SelectedBookmarks().empty());
}

TEST_F(MultiSelectTest, SelectAllSelectsEveryRecordAndStaysOnTheCurrentOne) {
  openAndBind(50);
  matters->MoveBy(9);
  int events = 0;
  grid->OnMultiSelectRecord = [&](TObject*, bool, bool&) { ++events; };
  grid->SelectAll();
  EXPECT_EQ(grid->SelectedBookmarks().size(), 50u);
  EXPECT_EQ(currentId(), "M10");
  EXPECT_EQ(events, 0);
  EXPECT_EQ(selectedIds(), ids(1, 50));
  grid->UnselectAll();
  EXPECT_TRUE(selectedIds().empty());
}

TEST_F(MultiSelectTest, CtrlClickTogglesTheOneRecord) {
  openAndBind(10);
  matters->MoveBy(2);
  clickCurrent(Qt::ControlModifier);
  EXPECT_EQ(selectedIds(), ids(3, 3));
  grid->Window()->repaint();
  EXPECT_EQ(grid->RowMarks()[grid->Row() - grid->TitleOffset()], 'T');
  EXPECT_TRUE(grid->HighlightCell(0, grid->Row() - grid->TitleOffset(), {}, ""));
  EXPECT_FALSE(grid->HighlightCell(0, 0, {cellSelected}, "")) << "another row's mark is F";
  clickCurrent(Qt::ControlModifier);
  EXPECT_TRUE(selectedIds().empty());
}

struct RangeCase {
  int anchor;
  int target;
};

class RangeTest : public MultiSelectTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RangeTest, ShiftClickSelectsFromTheAnchorKeepingTheRowOnTheScreen) {
  const RangeCase& t = GetParam();
  openAndBind(60);
  matters->MoveBy(t.anchor - 1);
  clickCurrent(Qt::ControlModifier);
  matters->MoveBy(t.target - t.anchor);
  const int screenRow = grid->Row();
  clickCurrent(Qt::ShiftModifier);
  EXPECT_EQ(grid->Row(), screenRow);
  EXPECT_EQ(selectedIds(), ids(std::min(t.anchor, t.target), std::max(t.anchor, t.target)));
  EXPECT_EQ(currentId(), "M" + std::to_string(t.target));
}

INSTANTIATE_TEST_SUITE_P(Directions, RangeTest,
                         ::testing::Values(RangeCase{3, 7}, RangeCase{7, 2}, RangeCase{5, 40}, RangeCase{45, 12}));

TEST_F(MultiSelectTest, ARefusingHandlerKeepsTheSelectionAsItWas) {
  openAndBind(5);
  clickCurrent(Qt::ControlModifier);
  bool accept = false;
  std::vector<bool> asked;
  grid->OnMultiSelectRecord = [&](TObject*, bool selecting, bool& Accept) {
    asked.push_back(selecting);
    Accept = accept;
  };
  clickCurrent(Qt::ControlModifier);
  EXPECT_EQ(selectedIds(), ids(1, 1)) << "unselecting refused";
  matters->Next();
  clickCurrent(Qt::ControlModifier);
  EXPECT_EQ(selectedIds(), ids(1, 1)) << "selecting refused";
  EXPECT_EQ(asked, (std::vector<bool>{false, true}));
}

TEST_F(MultiSelectTest, TheCalculatedSelectedCheckBoxColumnShowsAndTogglesTheSelection) {
  openAndBind(4, true);
  grid->SetDBOptions(grid->DBOptions().Exclude(dgMultiSelect).Include(dgEditing));
  matters->ControlType.SetText("Selected;CheckBox;T;F\r\n");
  grid->LayoutColumns();
  EXPECT_TRUE(grid->columnTakesTab(columnOf("Selected") + grid->IndicatorOffset())) << "calculated, yet a tab stop";
  grid->SetSelectedIndex(columnOf("Selected"));
  WORD key = VK_SPACE;
  grid->KeyDown(key, {});
  EXPECT_EQ(selectedIds(), ids(1, 1));
  EXPECT_EQ(matters->State(), dsBrowse) << "the selection is no change to the record";
  grid->Window()->repaint();
  EXPECT_EQ(grid->RowMarks()[0], 'T');
  EXPECT_EQ(grid->RowMarks()[1], 'F');
  key = VK_SPACE;
  grid->KeyDown(key, {});
  EXPECT_TRUE(selectedIds().empty());
}

TEST_F(MultiSelectTest, TheSelectedColumnsCheckBoxIsPaintedCheckedForASelectedRecord) {
  openAndBind(4, true);
  // Without multi-select the rows show no marks of their own; the check box alone shows it.
  grid->SetDBOptions(grid->DBOptions().Exclude(dgMultiSelect));
  matters->ControlType.SetText("Selected;CheckBox;T;F\r\n");
  grid->LayoutColumns();
  const int column = columnOf("Selected") + grid->IndicatorOffset();
  matters->Next();
  grid->SelectRecord();
  matters->MoveBy(2);
  // Records 2 and 3 are neither current nor different but for the selection.
  auto cellImage = [&](int record) {
    const TRect cell = grid->cellBounds(column, grid->TitleOffset() + record - 1);
    return grid->Window()->grab(QRect(cell.Left, cell.Top, cell.Width(), cell.Height())).toImage();
  };
  EXPECT_NE(cellImage(2), cellImage(3));
  grid->UnselectAll();
  EXPECT_EQ(cellImage(2), cellImage(3));
}

TEST_F(MultiSelectTest, NoRecordCountsAsSelectedWhileTheTableEdits) {
  openAndBind(3);
  grid->SelectAll();
  matters->Edit();
  EXPECT_FALSE(grid->CurrentRecordSelected());
  grid->Window()->repaint();
  EXPECT_EQ(grid->RowMarks(), std::vector<char>(grid->RowMarks().size(), 'F'));
  matters->Cancel();
  EXPECT_TRUE(grid->CurrentRecordSelected());
}

}  // namespace
}  // namespace publishedgridtest
