#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "framework/ui/tests/GridTestSupport.h"

namespace qn::ui::testing {
namespace {

// An editor that takes digits only, made by a grid that gives each cell a mask and a length.
class TDigitsEdit : public TInplaceEdit {
  QN_CLASS(TDigitsEdit, TInplaceEdit)
 public:
  explicit TDigitsEdit(TCustomGrid* grid) : TInplaceEdit(grid) {}

 protected:
  bool maskAllows(const AnsiString& NewText) override {
    return NewText.find_first_not_of("0123456789") == AnsiString::npos;
  }
};

class TDigitsGrid : public TextGrid {
  QN_CLASS(TDigitsGrid, TextGrid)
 public:
  explicit TDigitsGrid(TComponent* owner) : TextGrid(owner) { setEditorReadOnly(false); }

 protected:
  TInplaceEdit* makeCellEditor() override { return new TDigitsEdit(this); }
  AnsiString cellEditMask(int ACol, int ARow) override { return "999;" + std::to_string(ACol) + std::to_string(ARow); }
  int cellEditMaxLength() override { return 3; }
};

// A 4 x 30 text grid with an editable editor, cells "c<column>r<row>".
class GridEditorTest : public GridFormTest {
 protected:
  void SetUp() override {
    GridFormTest::SetUp();
    grid->setScrollBars(scrollBarsNone);
    grid->SetBounds(0, 0, 300, 21 + 6 * 21);
    grid->setColumnCount(4);
    grid->setRowCount(30);
    grid->setDefaultRowHeight(20);
    grid->setEditorReadOnly(false);
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 30; ++r) grid->setCellText(c, r, "c" + std::to_string(c) + "r" + std::to_string(r));
    setOption(gridEditing, true);
    setOption(gridTabs, true);
    grid->moveCurrentCell(1, 2, true);
  }
  bool editorFocused() { return grid->cellEditor() && grid->cellEditor()->Focused(); }
  // Records the exits and entries of the grid and its editor (made by showing it once).
  void recordFocus() {
    ASSERT_TRUE(grid->showCellEditor());
    grid->hideCellEditor();
    grid->OnExit = [this](TObject*) {
      log.push_back("grid exit");
      if (refuse) throw EAbort("kept");
    };
    grid->OnEnter = [this](TObject*) { log.push_back("grid enter"); };
    grid->cellEditor()->OnExit = [this](TObject*) { log.push_back("editor exit"); };
    grid->cellEditor()->OnEnter = [this](TObject*) { log.push_back("editor enter"); };
  }
  Log log;
  bool refuse = false;
};

TEST_F(GridEditorTest, EnterF2AndTypingShowTheEditorWithTheFocusInIt) {
  struct Opening {
    const char* name;
    std::function<void()> open;
    const char* text;
    int selStart;
    int selLength;
  };
  const std::vector<Opening> openings{
      {"enter", [this] { key(Qt::Key_Return); }, "c1r2", 0, 4},
      {"f2", [this] { key(Qt::Key_F2); }, "c1r2", 4, 0},
      {"typing", [this] { type("x"); }, "x", 1, 0},
  };
  for (const Opening& opening : openings) {
    SCOPED_TRACE(opening.name);
    grid->hideCellEditor();
    grid->SetFocus();
    opening.open();
    ASSERT_TRUE(grid->cellEditorShown());
    EXPECT_TRUE(editorFocused());
    EXPECT_EQ(grid->cellEditor()->Text(), opening.text);
    EXPECT_EQ(grid->cellEditor()->SelStart(), opening.selStart);
    EXPECT_EQ(grid->cellEditor()->SelLength(), opening.selLength);
    EXPECT_EQ(grid->cellEditor()->BoundsRect(), grid->cellBounds(1, 2));
    key(Qt::Key_Escape);
  }
}

TEST_F(GridEditorTest, TheEditorFollowsItsCellWhenTheGridScrolls) {
  key(Qt::Key_F2);
  ASSERT_TRUE(grid->cellEditorShown());
  grid->setFirstScrollRow(2);
  EXPECT_EQ(grid->cellEditor()->BoundsRect(), grid->cellBounds(1, 2));
  EXPECT_EQ(grid->cellEditor()->Top(), 21);
  // Scrolled out of view it leaves the cells, and comes back with its cell.
  grid->setFirstScrollRow(10);
  EXPECT_LT(grid->cellEditor()->Left() + grid->cellEditor()->Width(), 0);
  grid->setFirstScrollRow(1);
  EXPECT_EQ(grid->cellEditor()->BoundsRect(), grid->cellBounds(1, 2));
  EXPECT_TRUE(editorFocused());
}

TEST_F(GridEditorTest, EscapeRestoresTheTextAndEnterStoresItOnce) {
  key(Qt::Key_F2);
  type("zz");
  EXPECT_EQ(grid->cellEditor()->Text(), "c1r2zz");
  key(Qt::Key_Escape);
  EXPECT_FALSE(grid->cellEditorShown());
  EXPECT_TRUE(grid->Focused());
  EXPECT_TRUE(grid->stored.empty());
  EXPECT_EQ(grid->cellText(1, 2), "c1r2");

  key(Qt::Key_F2);
  type("!");
  key(Qt::Key_Return);
  EXPECT_FALSE(grid->cellEditorShown());
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(grid->stored, (std::vector<std::string>{"1,2=c1r2!"}));
  EXPECT_EQ(grid->cellText(1, 2), "c1r2!");
}

TEST_F(GridEditorTest, MovingToAnotherCellStoresTheTextOnceAndHidesTheEditor) {
  key(Qt::Key_F2);
  type("?");
  key(Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_FALSE(grid->cellEditorShown());
  EXPECT_EQ(grid->stored, (std::vector<std::string>{"1,2=c1r2?"}));
  // With the editor always shown it is there at once, its text selected, and it moves along
  // with the new cell's text.
  setOption(gridAlwaysShowEditor, true);
  ASSERT_TRUE(grid->cellEditorShown());
  type("+");
  key(Qt::Key_Down);
  EXPECT_TRUE(grid->cellEditorShown());
  EXPECT_EQ(grid->cellEditor()->Text(), "c1r4");
  EXPECT_EQ(grid->cellEditor()->BoundsRect(), grid->cellBounds(1, 4));
  EXPECT_EQ(grid->stored, (std::vector<std::string>{"1,2=c1r2?", "1,3=+"}));
}

TEST_F(GridEditorTest, NeverShownWithoutEditingOrWhereCanEditSaysNo) {
  const auto tryAll = [this] {
    key(Qt::Key_Return);
    key(Qt::Key_F2);
    type("q");
    EXPECT_FALSE(grid->showCellEditor());
    EXPECT_FALSE(grid->cellEditorShown());
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->cellText(1, 2), "c1r2");
  };
  setOption(gridEditing, false);
  tryAll();
  setOption(gridEditing, true);
  grid->editable = false;
  tryAll();
  grid->editable = true;
  setOption(gridRowSelect, true);
  tryAll();
}

TEST_F(GridEditorTest, EnteringTheEditorRunsNoExitOfTheGrid) {
  recordFocus();
  const std::vector<std::pair<const char*, std::function<void()>>> openings{
      {"enter", [this] { key(Qt::Key_Return); }},
      {"f2", [this] { key(Qt::Key_F2); }},
      {"typing", [this] { type("t"); }},
  };
  for (const auto& [name, open] : openings) {
    SCOPED_TRACE(name);
    grid->hideCellEditor();
    log.clear();
    open();
    ASSERT_TRUE(editorFocused());
    EXPECT_EQ(log, (Log{"editor enter"}));
  }
}

TEST_F(GridEditorTest, TabPastTheLastColumnRunsTheEditorsThenTheGridsExitOnce) {
  recordFocus();
  grid->moveCurrentCell(3, 2, true);
  key(Qt::Key_F2);
  type("#");
  log.clear();
  key(Qt::Key_Tab);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(log, (Log{"editor exit", "grid exit"}));
  EXPECT_EQ(grid->stored, (std::vector<std::string>{"3,2=c3r2#"}));
  QApplication::processEvents();
  EXPECT_FALSE(grid->cellEditorShown());
}

TEST_F(GridEditorTest, APressOnAnotherControlRunsTheEditorsThenTheGridsExitOnce) {
  recordFocus();
  key(Qt::Key_F2);
  log.clear();
  QTest::mouseClick(other->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(log, (Log{"editor exit", "grid exit"}));
  QApplication::processEvents();
  EXPECT_FALSE(grid->cellEditorShown());
}

TEST_F(GridEditorTest, ARefusedExitKeepsTheEditorShownAndFocused) {
  recordFocus();
  key(Qt::Key_F2);
  refuse = true;
  log.clear();
  QTest::mouseClick(other->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  QApplication::processEvents();
  EXPECT_EQ(log, (Log{"editor exit", "grid exit"}));
  EXPECT_TRUE(grid->cellEditorShown());
  EXPECT_TRUE(editorFocused());
  EXPECT_FALSE(other->Focused());
}

TEST_F(GridEditorTest, AReadOnlyEditorShowsTextToSelectButStoresNothing) {
  grid->setEditorReadOnly(true);
  type("x");
  EXPECT_FALSE(grid->cellEditorShown());
  key(Qt::Key_Return);
  ASSERT_TRUE(editorFocused());
  EXPECT_EQ(grid->cellEditor()->SelText(), "c1r2");
  type("x");
  key(Qt::Key_Return);
  EXPECT_EQ(grid->cellText(1, 2), "c1r2");
  EXPECT_TRUE(grid->stored.empty());
}

TEST_F(GridEditorTest, ChangingWordWrapMakesTheEditorsWindowAgainKeepingTextAndFocus) {
  key(Qt::Key_F2);
  type("w");
  QWidget* before = grid->cellEditor()->Window();
  grid->cellEditor()->SetWordWrap(true);
  EXPECT_NE(grid->cellEditor()->Window(), before);
  EXPECT_EQ(grid->cellEditor()->Text(), "c1r2w");
  EXPECT_EQ(grid->cellEditor()->SelStart(), 5);
  EXPECT_TRUE(editorFocused());
}

TEST_F(GridEditorTest, TheEditorIsTheGridsOwnKindAndTakesTheCellsMaskAndLength) {
  auto* digits = new TDigitsGrid(form);
  digits->SetParent(form);
  digits->SetBounds(0, 180, 300, 120);
  GridOptions options = digits->Options();
  options.Include(gridEditing);
  digits->SetOptions(options);
  digits->SetFocus();
  digits->moveCurrentCell(2, 3);
  type("1a2345");
  ASSERT_TRUE(digits->cellEditorShown());
  EXPECT_NE(dynamic_cast<TDigitsEdit*>(digits->cellEditor()), nullptr);
  EXPECT_EQ(digits->cellEditor()->EditMask(), "999;23");
  EXPECT_EQ(digits->cellEditor()->MaxLength(), 3);
  EXPECT_EQ(digits->cellEditor()->Text(), "123");
  key(Qt::Key_Return);
  EXPECT_EQ(digits->cellText(2, 3), "123");
  // The next cell's mask comes with the next cell.
  key(Qt::Key_Right);
  key(Qt::Key_F2);
  EXPECT_EQ(digits->cellEditor()->EditMask(), "999;33");
}

}  // namespace
}  // namespace qn::ui::testing
