#include <gtest/gtest.h>

#include "framework/base/Exception.h"
#include "framework/ui/Clipboard.h"
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

TEST_F(GridEditorTest, AWordWrappedEditorShowsALongTextOnSeveralLinesAndEnterStillStoresIt) {
  const AnsiString text = "a long text of many words for one narrow cell";
  grid->setCellText(1, 2, text);
  key(Qt::Key_F2);
  TInplaceEdit* editor = grid->cellEditor();
  ASSERT_TRUE(grid->cellEditorShown());
  const int lastChar = static_cast<int>(text.size()) - 1;
  struct Wrap {
    bool on;
    bool severalLines;
  };
  for (const Wrap& wrap : {Wrap{false, false}, Wrap{true, true}, Wrap{false, false}}) {
    SCOPED_TRACE(wrap.on ? "wrapped" : "one line");
    editor->SetWordWrap(wrap.on);
    EXPECT_EQ(editor->WordWrap(), wrap.on);
    EXPECT_EQ(editor->Text(), text);
    EXPECT_EQ(editor->LineCount() > 2, wrap.severalLines);
    EXPECT_EQ(editor->PositionOfChar(lastChar).Y > editor->PositionOfChar(0).Y, wrap.severalLines);
    EXPECT_EQ(editor->SelStart(), lastChar + 1);
    EXPECT_TRUE(editorFocused());
  }
  // Wrapped, Enter is still the grid's: no line break goes into the text.
  editor->SetWordWrap(true);
  type("!");
  key(Qt::Key_Return);
  EXPECT_FALSE(grid->cellEditorShown());
  EXPECT_EQ(grid->stored, (std::vector<std::string>{"1,2=" + text + "!"}));
}

TEST_F(GridEditorTest, EscapeGivesBackTheCellsOwnTextAndHidesTheEditorUnlessItIsAlwaysShown) {
  for (const bool alwaysShown : {false, true}) {
    SCOPED_TRACE(alwaysShown ? "always shown" : "shown on demand");
    grid->hideCellEditor();
    setOption(gridAlwaysShowEditor, alwaysShown);
    grid->setCellText(1, 2, "c1r2");
    key(Qt::Key_F2);
    ASSERT_TRUE(editorFocused());
    type("zz");
    // The cell changes while it is edited: Escape shows what the cell holds now, not what the
    // editor held when editing began.
    grid->setCellText(1, 2, "fresh");
    key(Qt::Key_Escape);
    EXPECT_EQ(grid->cellEditorShown(), alwaysShown);
    EXPECT_EQ(editorFocused(), alwaysShown);
    EXPECT_EQ(grid->Focused(), !alwaysShown);
    EXPECT_EQ(grid->cellEditor()->Text(), "fresh");
    EXPECT_FALSE(grid->cellEditor()->Modified());
    if (alwaysShown) {
      EXPECT_EQ(grid->cellEditor()->SelLength(), 5) << "all selected";
    }
    EXPECT_TRUE(form->dialogKeys.empty()) << "Escape is the grid's, not the form's";
    // Nothing changed is left to store, by Enter or by leaving.
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    EXPECT_TRUE(grid->stored.empty());
    EXPECT_EQ(grid->cellText(1, 2), "fresh");
    grid->moveCurrentCell(1, 2, true);
  }
}

TEST_F(GridEditorTest, EveryChangeTheUserMakesAsksTheGridWhetherTheCellMayBeEdited) {
  key(Qt::Key_F2);
  ASSERT_TRUE(editorFocused());
  grid->editable = false;
  Clipboard::SetAsText("pasted");
  const std::vector<std::pair<const char*, std::function<void()>>> changes{
      {"typing", [this] { type("x"); }},
      {"backspace", [this] { key(Qt::Key_Backspace); }},
      {"paste", [this] { key(Qt::Key_V, Qt::ControlModifier); }},
      {"cut", [this] {
         grid->cellEditor()->SelectAll();
         key(Qt::Key_X, Qt::ControlModifier);
       }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    change();
    EXPECT_EQ(grid->cellEditor()->Text(), "c1r2");
    EXPECT_FALSE(grid->cellEditor()->Modified());
  }
  grid->editable = true;
  grid->cellEditor()->SetSelStart(4);
  type("x");
  EXPECT_EQ(grid->cellEditor()->Text(), "c1r2x");
  key(Qt::Key_Return);
  EXPECT_EQ(grid->stored, (std::vector<std::string>{"1,2=c1r2x"}));
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
  // The next cell's mask comes with the next cell; its text is shown even where the mask would
  // not let the user type it.
  digits->setCellText(3, 3, "n/a");
  key(Qt::Key_Right);
  key(Qt::Key_F2);
  EXPECT_EQ(digits->cellEditor()->EditMask(), "999;33");
  EXPECT_EQ(digits->cellEditor()->Text(), "n/a");
  type("7");
  EXPECT_EQ(digits->cellEditor()->Text(), "n/a");
}

}  // namespace
}  // namespace qn::ui::testing
