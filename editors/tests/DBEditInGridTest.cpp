// The data-aware edit mounted in a cell of the published grid over the application's table:
// it shows the cell's text, hands the keys that leave the cell to the grid, and the other rows'
// cells show the field's own text.
#include "datagrid/tests/PublishedGridFixture.h"
#include "editors/DBEdit.h"
#include "framework/ui/Color.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/VirtualKeys.h"

namespace publishedgridtest {
namespace {

constexpr const char* kCode = "Client Code";

class DBEditInGridTest : public PublishedGridTest {
 protected:
  void SetUp() override {
    PublishedGridTest::SetUp();
    edit = new TdcDBEdit(form);
    edit->SetName("ClientCodeEdit");
    edit->SetParent(form);
    TdcTbTable& table = openClients({"ADAMS", "BRIGHT", "CARTER"});
    table.ControlType()->SetText(std::string(kCode) + ";CustomEdit;ClientCodeEdit\r\n");
    bind(&table);
    focusGridAt(kCode);
    paint();
  }
  void alwaysShowEditor(bool on) {
    TdcDBGridOptions options = grid->DBOptions();
    if (on) options.Include(dgAlwaysShowEditor);
    else options.Exclude(dgAlwaysShowEditor);
    grid->SetDBOptions(options);
  }
  // The edit focused with the caret at Caret (-1: the whole text selected).
  void focusEdit(int caret) {
    edit->SetFocus();
    if (caret < 0) {
      edit->SelectAll();
    } else {
      edit->SetSelStart(caret);
      edit->SetSelLength(0);
    }
  }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(edit->Window(), k, m); }

  TdcDBEdit* edit = nullptr;
};

TEST_F(DBEditInGridTest, TheEditIsMountedAndShowsTheCellsText) {
  EXPECT_EQ(grid->MountedControl(), edit);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Text(), "ADAMS");
  EXPECT_EQ(edit->BoundsRect(), currentCell());
}

TEST_F(DBEditInGridTest, RightAndCtrlRightLeaveTheCellOnlyWhileTheGridAlwaysShowsItsEditor) {
  struct Row {
    bool always;
    int caret;
    Qt::KeyboardModifiers modifiers;
    bool leaves;
  };
  const std::vector<Row> rows{
      {false, 5, Qt::NoModifier, false},  {false, 2, Qt::ControlModifier, false},
      {true, 5, Qt::NoModifier, true},    {true, 2, Qt::ControlModifier, true},
      {true, 2, Qt::NoModifier, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.always ? "always shown" : "not always shown") + ", caret " +
                 std::to_string(row.caret) + (row.modifiers ? " with Ctrl" : ""));
    alwaysShowEditor(row.always);
    focusGridAt(kCode);
    paint();
    const int column = grid->SelectedIndex();
    focusEdit(row.caret);
    key(Qt::Key_Right, row.modifiers);
    EXPECT_EQ(grid->SelectedIndex() != column, row.leaves);
    EXPECT_EQ(edit->Focused(), !row.leaves);
  }
}

TEST_F(DBEditInGridTest, EscapeUnmodifiedAndPageDownGoToTheGrid) {
  focusEdit(-1);
  key(Qt::Key_Escape);
  EXPECT_TRUE(grid->Focused());
  paint();
  focusEdit(0);
  key(Qt::Key_PageDown);
  EXPECT_TRUE(grid->Focused());
  EXPECT_NE(clients->FieldByName(kCode)->AsString(), "ADAMS") << "the grid paged down";
}

TEST_F(DBEditInGridTest, F2FiresTheGridsKeyDownEvent) {
  std::vector<WORD> seen;
  grid->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { seen.push_back(Key); };
  focusEdit(-1);
  key(Qt::Key_F2);
  EXPECT_EQ(seen, std::vector<WORD>{VK_F2});
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->SelLength(), 0) << "F2 takes the selection away";
}

TEST_F(DBEditInGridTest, EnterAndWithTheGridsTabsTabGoToTheGrid) {
  std::vector<WORD> seen;
  grid->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { seen.push_back(Key); };
  TdcDBGridOptions options = grid->DBOptions();
  options.Include(dgTabs);
  grid->SetDBOptions(options);
  for (Qt::Key k : {Qt::Key_Return, Qt::Key_Tab}) {
    SCOPED_TRACE(k);
    seen.clear();
    focusGridAt(kCode);
    paint();
    focusEdit(-1);
    key(k);
    EXPECT_FALSE(edit->Focused());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), k == Qt::Key_Return ? VK_RETURN : VK_TAB);
  }
}

TEST_F(DBEditInGridTest, InsideTheFocusedGridTheEditPaintsTheCellHighlighted) {
  ASSERT_TRUE(grid->Focused());
  ASSERT_TRUE(edit->Visible());
  const QImage image = edit->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb highlight = qn::ui::qtColor(clHighlight).rgb() & 0xFFFFFF;
  int marked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) marked += (image.pixel(x, y) & 0xFFFFFF) == highlight;
  EXPECT_GT(marked, image.width() * image.height() / 3);
  edit->SetFocus();
  const QImage focused = edit->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(focused, image) << "the edit's own look once it has the focus";
}

TEST_F(DBEditInGridTest, TheOtherRowsShowTheFieldsText) {
  AnsiString shown;
  EXPECT_FALSE(edit->GetMappedDisplayText("BRIGHT", shown));
  clients->Next();
  EXPECT_EQ(grid->GetCellText(clients->FieldByName(kCode)), "BRIGHT");
}

}  // namespace
}  // namespace publishedgridtest
