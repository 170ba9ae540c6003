#include <gtest/gtest.h>

#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    box = new ListBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 120, 100);
    box->SetItemHeight(16);
    for (const char* item : {"Apple", "banana", "avocado", "cherry", "Almond"}) box->Items()->Add(item);
    box->OnClick = [this](TObject*) { ++clicks; };
  }
  void TearDown() override { delete form; }
  void showFocused() {
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    box->SetFocus();
  }
  QListWidget* view() { return static_cast<QListWidget*>(box->Window()); }
  // The centre of item i on the view's viewport, and in the control's client coordinates.
  QPoint itemCentre(int i) { return view()->visualItemRect(view()->item(i)).center(); }
  TPoint clientPoint(QPoint onViewport) {
    QPoint p = view()->viewport()->mapTo(view(), onViewport);
    return {p.x(), p.y()};
  }
  void click(int i, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, modifiers, itemCentre(i));
  }

  TTestForm* form;
  ListBox* box;
  int clicks = 0;
};

TEST_F(ListBoxTest, ShowingTheListKeepsItsSizeThoughItsViewportIsSmaller) {
  showFocused();
  EXPECT_EQ(box->Width(), 120);
  EXPECT_EQ(box->Height(), 100);
  EXPECT_LT(view()->viewport()->height(), 100);
  box->SetBounds(10, 10, 140, 90);
  QApplication::processEvents();
  EXPECT_EQ(box->Height(), 90);
  EXPECT_EQ(view()->height(), 90);
}

TEST_F(ListBoxTest, AnIndexOutsideTheItemsRaisesAndKeepsTheIndex) {
  box->SetItemIndex(2);
  for (int bad : {5, 9, -2}) {
    try {
      box->SetItemIndex(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const EListError& e) {
      EXPECT_EQ(AnsiString(e.Message()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
    EXPECT_EQ(box->ItemIndex(), 2);
  }
  box->SetItemIndex(-1);
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_THROW(box->Selected(5), EListError);
}

TEST_F(ListBoxTest, PrefixSearchStartsAtTheGivenIndexWithoutCaseAndWraps) {
  struct Row {
    const char* prefix;
    int start, found;
  };
  for (const Row& row : {Row{"a", 3, 4}, Row{"a", 0, 0}, Row{"AV", 3, 2}, Row{"ba", 2, 1}, Row{"apple", 1, 0},
                         Row{"x", 0, -1}, Row{"al", 9, 4}}) {
    SCOPED_TRACE(std::string(row.prefix) + " from " + std::to_string(row.start));
    EXPECT_EQ(box->FindItemWithPrefix(row.prefix, row.start), row.found);
  }
  box->Items()->Delete(4);
  EXPECT_EQ(box->FindItemWithPrefix("a", 3), 0) << "past the last match it wraps to the first";
}

TEST_F(ListBoxTest, TypingALetterPicksTheNextItemBeginningWithIt) {
  showFocused();
  box->SetItemIndex(0);
  const std::vector<int> expected{2, 4, 0};
  for (int want : expected) {
    QTest::keyClick(box->Window(), Qt::Key_A, Qt::NoModifier);
    EXPECT_EQ(box->ItemIndex(), want);
    EXPECT_EQ(view()->currentRow(), want) << "the view shows it";
  }
  EXPECT_EQ(clicks, 3);
  QTest::keyClick(box->Window(), Qt::Key_Z);
  EXPECT_EQ(box->ItemIndex(), 0) << "no item begins with z";
  EXPECT_EQ(clicks, 3);
  QTest::keyClick(box->Window(), Qt::Key_Down);
  EXPECT_EQ(box->ItemIndex(), 1) << "the arrows move through the list";
  EXPECT_EQ(clicks, 4);
}

TEST_F(ListBoxTest, AMultiSelectListReportsWhatTheUserSelected) {
  box->SetMultiSelect(true);
  box->SetExtendedSelect(false);
  showFocused();
  for (int i : {1, 3, 4, 3}) click(i);
  EXPECT_EQ(box->SelCount(), 2);
  std::vector<bool> selected;
  for (int i = 0; i < box->Items()->Count(); ++i) selected.push_back(box->Selected(i));
  EXPECT_EQ(selected, (std::vector<bool>{false, true, false, false, true}));
  EXPECT_EQ(box->ItemIndex(), 3) << "the current item is the last clicked";
  EXPECT_EQ(clicks, 4);

  box->SetSelected(0, true);
  EXPECT_TRUE(view()->item(0)->isSelected()) << "code's selection shows";
  EXPECT_EQ(clicks, 4) << "and runs no click";
}

TEST_F(ListBoxTest, ExtendedSelectTakesARangeWithShift) {
  box->SetMultiSelect(true);
  showFocused();
  click(1);
  click(3, Qt::ShiftModifier);
  EXPECT_EQ(box->SelCount(), 3);
  EXPECT_FALSE(box->Selected(0));
  EXPECT_TRUE(box->Selected(2));
  click(4);
  EXPECT_EQ(box->SelCount(), 1) << "a plain click starts again";
}

TEST_F(ListBoxTest, ASortedListKeepsItsOrderAfterAddsAndTheSelectionFollowsByIndex) {
  box->SetSorted(true);
  box->Items()->Add("Banana split");
  box->Items()->Add("aardvark");
  std::vector<AnsiString> shown;
  for (int i = 0; i < box->Items()->Count(); ++i) shown.push_back(box->Items()->Get(i));
  EXPECT_EQ(shown, (std::vector<AnsiString>{"aardvark", "Almond", "Apple", "avocado", "banana", "Banana split", "cherry"}));
  form->Show();
  for (int i = 0; i < view()->count(); ++i) EXPECT_EQ(view()->item(i)->text().toStdString(), shown[i]);
}

TEST_F(ListBoxTest, TheCurrentAndSelectedItemsStayChosenWhereverAChangeOfTheItemsMovesThem) {
  box->SetMultiSelect(true);
  box->SetSorted(true);  // Almond, Apple, avocado, banana, cherry
  box->SetItemIndex(3);
  box->SetSelected(1, true);
  box->SetSelected(4, true);
  form->Show();
  box->Items()->Add("aardvark");
  EXPECT_EQ(box->Items()->Get(box->ItemIndex()), "banana");
  std::vector<AnsiString> selected;
  for (int i = 0; i < box->Items()->Count(); ++i)
    if (box->Selected(i)) selected.push_back(box->Items()->Get(i));
  EXPECT_EQ(selected, (std::vector<AnsiString>{"Apple", "cherry"}));
  EXPECT_TRUE(view()->item(2)->isSelected()) << "the view shows Apple, now third, selected";
  box->Items()->Delete(box->ItemIndex());
  EXPECT_EQ(box->ItemIndex(), -1) << "the current item is gone";
  EXPECT_EQ(box->SelCount(), 2);
}

TEST_F(ListBoxTest, OwnerDrawnItemsAreDrawnByTheHandlerAtTheirMeasuredHeights) {
  box->SetStyle(lbOwnerDrawVariable);
  box->SetBorderStyle(bsNone);
  std::vector<int> drawn;
  box->OnMeasureItem = [](TWinControl*, int Index, int& Height) { Height = Index == 1 ? 30 : 10; };
  box->OnDrawItem = [&](TWinControl* control, int Index, TRect Rect, TOwnerDrawState) {
    drawn.push_back(Index);
    Canvas& c = static_cast<ListBox*>(control)->canvas();
    c.Brush.Color = Index == 1 ? clRed : clBlue;
    c.fillRect(Rect);
  };
  form->Show();
  QImage image = box->Window()->grab().toImage();
  EXPECT_FALSE(drawn.empty());
  EXPECT_EQ(image.pixelColor(50, 5), QColor(0, 0, 255)) << "item 0, ten high";
  EXPECT_EQ(image.pixelColor(50, 25), QColor(255, 0, 0)) << "item 1, thirty high";
  EXPECT_EQ(image.pixelColor(50, 45), QColor(0, 0, 255)) << "item 2 after it";
  EXPECT_EQ(box->ItemAtPos({50, 39}, true), 1);
  EXPECT_EQ(box->ItemAtPos({50, 41}, true), 2);
  EXPECT_EQ(box->ItemAtPos({50, 95}, true), -1);
  EXPECT_EQ(box->ItemAtPos({50, 95}, false), 5);
}

TEST_F(ListBoxTest, AHorizontalExtentWiderThanTheBoxScrollsAcross) {
  form->Show();
  EXPECT_FALSE(view()->horizontalScrollBar()->isVisible()) << "long text is cut";
  box->SetHorizontalExtent(400);
  QApplication::processEvents();
  EXPECT_TRUE(view()->horizontalScrollBar()->isVisible());
  EXPECT_GE(view()->horizontalScrollBar()->maximum(), 400 - box->Width());
}

TEST_F(ListBoxTest, TopIndexScrollsAndSurvivesARemadeWindow) {
  for (int i = 0; i < 30; ++i) box->Items()->Add("more " + std::to_string(i));
  form->Show();
  box->SetTopIndex(12);
  EXPECT_EQ(box->TopIndex(), 12);
  box->SetItemIndex(13);
  box->recreateWindow();
  EXPECT_EQ(box->TopIndex(), 12);
  EXPECT_EQ(view()->currentRow(), 13);
  EXPECT_EQ(box->ItemAtPos(clientPoint(itemCentre(12)), true), 12);
}

}  // namespace
}  // namespace qn::ui::testing
