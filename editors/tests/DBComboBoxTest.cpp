// The combo box with its map list: what the field shows and stores, the list's size and place,
// and the keys that choose, complete and clear.
#include <QApplication>
#include <QTest>

#include "editors/DBComboBox.h"
#include "editors/PopupListbox.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/ScreenFacts.h"

namespace editorstest {
namespace {

class DBComboBoxTest : public EditorsTest {
 protected:
  void TearDown() override {
    qn::ui::setScreenFacts(std::nullopt);
    EditorsTest::TearDown();
  }
  TdcDBComboBox* combo(std::initializer_list<const char*> items, const char* field = nullptr, bool mapList = false) {
    auto* c = place<TdcDBComboBox>();
    c->SetMapList(mapList);
    StringList lines;
    for (const char* item : items) lines.Add(item);
    c->SetItems(&lines);
    if (field) {
      c->SetDataSource(&source);
      c->SetDataField(field);
    }
    return c;
  }
  void setCode(const char* value) {
    data.Edit();
    data.FieldByName("Code")->SetAsString(value);
    data.Post();
  }
  int listRows(TdcDBComboBox* c) {
    return (c->DropDownWindowOfList()->placedAt().Height() - 4) / c->PopupList()->ItemHeight();
  }
};

TEST_F(DBComboBoxTest, AMapListShowsTheDisplayPartOfTheStoredValueAndStoresThePartOfTheChosenLine) {
  setCode("2");
  auto* c = combo({"a\t1", "b\t2"}, "Code", true);
  ASSERT_TRUE(show());
  EXPECT_EQ(c->Text(), "b");
  c->SetFocus();
  c->DropDown();
  c->PopupList()->SetItemIndex(0);
  c->CloseUp(true);
  EXPECT_EQ(c->Text(), "a");
  next->SetFocus();
  data.Post();
  EXPECT_EQ(data.FieldByName("Code")->AsString(), "1");
  setCode("3");
  EXPECT_EQ(c->Text(), "") << "a value outside the map shows nothing";
}

TEST_F(DBComboBoxTest, ATypedTextOutsideTheMapStoresAnEmptyValue) {
  setCode("2");
  auto* c = combo({"a\t1", "b\t2"}, "Code", true);
  ASSERT_TRUE(show());
  c->SetFocus();
  key(c, Qt::Key_End);
  key(c, Qt::Key_Backspace);
  type(c, "zz");
  EXPECT_EQ(c->Text(), "zz");
  next->SetFocus();
  data.Post();
  EXPECT_TRUE(data.FieldByName("Code")->AsString().empty());
}

TEST_F(DBComboBoxTest, WithoutAMapListTheLineIsBothTextAndValue) {
  setCode("b\t2");
  auto* c = combo({"a\t1", "b\t2"}, "Code", false);
  ASSERT_TRUE(show());
  AnsiString display;
  EXPECT_FALSE(c->GetMappedDisplayText("b\t2", display));
  EXPECT_EQ(c->DisplayToStored("a\t1"), "a\t1");
  c->SetFocus();
  c->DropDown();
  c->PopupList()->SetItemIndex(0);
  c->CloseUp(true);
  EXPECT_EQ(c->Text(), "a\t1");
  next->SetFocus();
  data.Post();
  EXPECT_EQ(data.FieldByName("Code")->AsString(), "a\t1");
}

TEST_F(DBComboBoxTest, TypingALetterInADropDownListSelectsTheNextItemBeginningWithItAndWraps) {
  auto* c = combo({"Apple", "Banana", "Avocado"});
  c->SetStyle(csDropDownList);
  c->SetItemIndex(0);
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "a");
  EXPECT_EQ(c->Text(), "Avocado");
  EXPECT_EQ(c->ItemIndex(), 2);
  type(c, "a");
  EXPECT_EQ(c->Text(), "Apple");
  type(c, "b");
  EXPECT_EQ(c->Text(), "Banana");
  EXPECT_TRUE(c->Modified());
}

TEST_F(DBComboBoxTest, TheListIsAsManyRowsHighAsItemsUpToTheDropDownCountAndAtLeastOne) {
  struct Row {
    int items;
    int count;
    int rows;
  };
  for (const Row& row : {Row{10, 8, 8}, Row{3, 8, 3}, Row{10, 0, 1}, Row{10, -1, 1}}) {
    SCOPED_TRACE(std::to_string(row.items) + " items, count " + std::to_string(row.count));
    auto* c = combo({});
    for (int i = 0; i < row.items; ++i) c->Items()->Add("item " + std::to_string(i));
    c->SetDropDownCount(row.count);
    ASSERT_TRUE(show());
    c->SetFocus();
    c->DropDown();
    ASSERT_TRUE(c->DropDownWindowOfList()->isOpen());
    EXPECT_EQ(listRows(c), row.rows);
    c->CloseUp(false);
    delete c;
  }
}

TEST_F(DBComboBoxTest, WhileDroppedCharactersReachTheTextAndDownMovesTheList) {
  auto* c = combo({"one", "two", "three"});
  ASSERT_TRUE(show());
  c->SetFocus();
  key(c, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(c->IsDroppedDown());
  type(c, "&(");
  EXPECT_EQ(c->Text(), "&(");
  key(c, Qt::Key_Down);
  EXPECT_EQ(c->PopupList()->ItemIndex(), 0);
  key(c, Qt::Key_Down);
  EXPECT_EQ(c->PopupList()->ItemIndex(), 1);
  EXPECT_EQ(c->Text(), "&(") << "the keys moved the list, not the text";
}

TEST_F(DBComboBoxTest, TabClosesAcceptingTheHighlightedLine) {
  auto* c = combo({"one", "two", "three"});
  bool accepted = false;
  c->OnCloseUp = [&](TObject*, bool select) { accepted = select; };
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Tab);
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_TRUE(accepted);
  EXPECT_EQ(c->Text(), "two");
  EXPECT_TRUE(next->Focused());
}

TEST_F(DBComboBoxTest, EnterAcceptsAndEscapeKeepsTheText) {
  auto* c = combo({"one", "two"});
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Escape);
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(c->Text(), "");
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Return);
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(c->Text(), "one");
}

TEST_F(DBComboBoxTest, ShowMatchTextCompletesTheTypedTextAndSelectsTheRest) {
  auto* c = combo({"Apple", "Banana", "Avocado"});
  c->SetShowMatchText(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  type(c, "ba");
  EXPECT_EQ(c->Text(), "Banana");
  EXPECT_EQ(c->SelStart(), 2);
  EXPECT_EQ(c->SelLength(), 4);
  EXPECT_EQ(c->SelText(), "nana");
}

TEST_F(DBComboBoxTest, TheClearKeyWithTheTextEmptiedWhileDroppedClearsTheSelection) {
  auto* c = combo({"one", "two"});
  c->SetAllowClearKey(true);
  ASSERT_TRUE(show());
  c->SetFocus();
  c->SetItemIndex(1);
  c->DropDown();
  EXPECT_EQ(c->PopupList()->ItemIndex(), 1);
  c->SelectAll();
  key(c, Qt::Key_Backspace);
  EXPECT_EQ(c->Text(), "");
  EXPECT_EQ(c->PopupList()->ItemIndex(), -1);
  EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(DBComboBoxTest, AnOwnerDrawnListForgetsItsTypedPrefixAfterOneAndAHalfSeconds) {
  auto* c = combo({"alpha", "beta", "bravo", "brown"});
  c->SetStyle(csOwnerDrawFixed);
  c->OnDrawItem = [](TWinControl*, int, TRect, TOwnerDrawState) {};
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  type(c, "br");
  EXPECT_EQ(c->PopupList()->ItemIndex(), 2);
  clock.advance(1400);
  type(c, "o");
  EXPECT_EQ(c->PopupList()->ItemIndex(), 3) << "\"bro\" within the time";
  clock.advance(1600);
  type(c, "a");
  EXPECT_EQ(c->PopupList()->HeldPrefix(), "a");
  EXPECT_EQ(c->PopupList()->ItemIndex(), 0);
}

TEST_F(DBComboBoxTest, APressOutsideClosesTakingTheHighlightedLineAndFiresOnCloseUpWithTrue) {
  auto* c = combo({"one", "two"});
  int closes = 0;
  bool accepted = false;
  c->OnCloseUp = [&](TObject*, bool select) {
    ++closes;
    accepted = select;
  };
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  key(c, Qt::Key_Down);
  key(c, Qt::Key_Down);
  QTest::mousePress(form->Window(), Qt::LeftButton, {}, QPoint(300, 150));
  QTest::mouseRelease(form->Window(), Qt::LeftButton, {}, QPoint(300, 150));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(c->Text(), "two");
}

TEST_F(DBComboBoxTest, AReleaseInsideTheListClosesAcceptingTheLineUnderIt) {
  auto* c = combo({"one", "two", "three"});
  ASSERT_TRUE(show());
  c->SetFocus();
  c->DropDown();
  QWidget* list = c->PopupList()->Window();
  QWidget* viewport = list->findChildren<QWidget*>().isEmpty() ? list : list->findChild<QWidget*>("qt_scrollarea_viewport");
  const int row = c->PopupList()->ItemHeight();
  QTest::mouseClick(viewport ? viewport : list, Qt::LeftButton, {}, QPoint(10, row * 2 + row / 2));
  EXPECT_FALSE(c->IsDroppedDown());
  EXPECT_EQ(c->Text(), "three");
  EXPECT_TRUE(c->Focused()) << "the edit kept the focus";
}

TEST_F(DBComboBoxTest, AComboAtTheScreensRightEdgeOpensItsListRightAlignedAndOnScreen) {
  auto* c = combo({"one", "two"});
  c->SetDropDownWidth(200);
  ASSERT_TRUE(show());
  const TPoint corner = c->ClientToScreen({0, 0});
  ScreenFacts facts;
  facts.workArea = Rect(0, 0, corner.X + c->Width() + 20, 2000);
  qn::ui::setScreenFacts(facts);
  c->SetFocus();
  c->DropDown();
  const TRect placed = c->DropDownWindowOfList()->placedAt();
  EXPECT_EQ(placed.Left, corner.X + c->Width() - 200 - 1);
  EXPECT_EQ(placed.Width(), 200);
  EXPECT_LE(placed.Right, facts.workArea.Right);
}

TEST_F(DBComboBoxTest, AClickOnTheTextOfADropDownListOpensAndClosesTheList) {
  auto* c = combo({"one", "two"});
  c->SetStyle(csDropDownList);
  ASSERT_TRUE(show());
  next->SetFocus();
  QTest::mouseClick(c->Window(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(c->Focused());
  EXPECT_TRUE(c->IsDroppedDown());
  QTest::mouseClick(c->Window(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(c->IsDroppedDown());
}

TEST_F(DBComboBoxTest, TheHintIsOffWhileDroppedAndAsBeforeAfterwards) {
  for (const bool hint : {true, false}) {
    auto* c = combo({"Apple", "Banana"});
    c->SetShowHint(hint);
    ASSERT_TRUE(show());
    c->DropDown();
    ASSERT_TRUE(c->IsDroppedDown());
    EXPECT_FALSE(c->ShowHint()) << hint;
    c->CloseUp(false);
    EXPECT_EQ(c->ShowHint(), hint);
    delete c;
  }
}

TEST_F(DBComboBoxTest, AnOwnerDrawnComboDrawsItsTextThroughOnDrawItem) {
  struct Call {
    TWinControl* control;
    int index;
    TOwnerDrawState state;
  };
  for (const TComboBoxStyle style : {csOwnerDrawFixed, csOwnerDrawVariable, csDropDownList}) {
    auto* c = combo({"Apple", "Banana"});
    c->SetStyle(style);
    std::vector<Call> calls;
    c->OnDrawItem = [&calls](TWinControl* control, int index, TRect, TOwnerDrawState state) {
      calls.push_back({control, index, state});
    };
    c->SetItemIndex(1);
    ASSERT_TRUE(show());
    c->Window()->grab();
    if (style == csDropDownList) {
      EXPECT_TRUE(calls.empty()) << "not owner-drawn: the combo draws its text";
    } else {
      ASSERT_FALSE(calls.empty()) << style;
      EXPECT_EQ(calls.back().control, c);
      EXPECT_EQ(calls.back().index, 1);
      EXPECT_TRUE(calls.back().state.Contains(odComboBoxEdit));
      EXPECT_TRUE(calls.back().state.Contains(odFocused));
    }
    delete c;
  }
}

}  // namespace
}  // namespace editorstest
