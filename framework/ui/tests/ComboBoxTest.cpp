#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    combo = new ComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 150, 24);
    for (const char* item : {"Apple", "banana", "avocado", "cherry", "Almond"}) combo->Items()->Add(item);
    combo->OnChange = [this](TObject*) { log.push_back("change " + combo->Text()); };
    combo->OnClick = [this](TObject*) { log.push_back("click"); };
    combo->OnDropDown = [this](TObject*) { log.push_back("dropdown"); };
    combo->OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
  }
  void TearDown() override { delete form; }
  void showFocused() {
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    combo->SetFocus();
  }
  QComboBox* box() { return static_cast<QComboBox*>(combo->Window()); }

  TTestForm* form;
  ComboBox* combo;
  Log log;
};

TEST_F(ComboBoxTest, TypingALetterInADropDownListPicksTheNextItemBeginningWithIt) {
  combo->SetStyle(csDropDownList);
  showFocused();
  combo->SetItemIndex(0);
  for (int want : {2, 4, 0, 2}) {
    QTest::keyClick(box(), Qt::Key_A);
    EXPECT_EQ(combo->ItemIndex(), want);
    EXPECT_EQ(box()->currentIndex(), want) << "the box shows it";
  }
  EXPECT_EQ(combo->Text(), "avocado");
  QTest::keyClick(box(), Qt::Key_C);
  EXPECT_EQ(combo->ItemIndex(), 3);
  QTest::keyClick(box(), Qt::Key_Q);
  EXPECT_EQ(combo->ItemIndex(), 3) << "no item begins with q";
  EXPECT_EQ(log, (Log{"click", "change avocado", "click", "change Almond", "click", "change Apple", "click",
                      "change avocado", "click", "change cherry"}));
}

TEST_F(ComboBoxTest, UpAndDownPickThePreviousAndNextItemWithinTheList) {
  combo->SetStyle(csDropDownList);
  showFocused();
  QTest::keyClick(box(), Qt::Key_Down);
  EXPECT_EQ(combo->ItemIndex(), 0);
  QTest::keyClick(box(), Qt::Key_Up);
  EXPECT_EQ(combo->ItemIndex(), 0) << "nothing before the first";
  for (int i = 0; i < 6; ++i) QTest::keyClick(box(), Qt::Key_Down);
  EXPECT_EQ(combo->ItemIndex(), 4) << "nothing after the last";
  EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, ASortedComboKeepsItsOrderAndObjectsAfterAdds) {
  TObject marker;
  combo->SetSorted(true);
  combo->Items()->AddObject("Blueberry", &marker);
  combo->Items()->Add("aardvark");
  std::vector<AnsiString> order;
  for (int i = 0; i < combo->Items()->Count(); ++i) order.push_back(combo->Items()->Get(i));
  EXPECT_EQ(order, (std::vector<AnsiString>{"aardvark", "Almond", "Apple", "avocado", "banana", "Blueberry", "cherry"}));
  EXPECT_EQ(combo->Items()->GetObject(5), &marker);
  combo->SetItemIndex(5);
  combo->Items()->Add("Apricot");
  EXPECT_EQ(combo->ItemIndex(), 6) << "the chosen item moved down with the add";
  EXPECT_EQ(combo->Text(), "Blueberry");
  combo->Items()->Delete(3);
  order.clear();
  for (int i = 0; i < combo->Items()->Count(); ++i) order.push_back(combo->Items()->Get(i));
  form->Show();
  ASSERT_EQ(box()->count(), 7);
  EXPECT_EQ(box()->currentIndex(), 5);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(box()->itemText(i).toStdString(), order[i]);
}

TEST_F(ComboBoxTest, AnIndexOutsideTheItemsRaisesAndKeepsTheIndex) {
  combo->SetItemIndex(1);
  for (int bad : {5, 6, -2}) {
    try {
      combo->SetItemIndex(bad);
      ADD_FAILURE() << bad << " was taken";
    } catch (const EListError& e) {
      EXPECT_EQ(AnsiString(e.Message()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "banana");
  }
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(ComboBoxTest, TheListOpensAfterOnDropDownAndAPickClosesItWithTheItem) {
  combo->SetStyle(csDropDownList);
  combo->SetDropDownCount(3);
  combo->OnDropDown = [this](TObject*) {
    log.push_back("dropdown");
    combo->Items()->Add("damson");
  };
  showFocused();
  QTest::keyClick(box(), Qt::Key_F4);
  EXPECT_TRUE(combo->DroppedDown());
  ASSERT_TRUE(box()->view()->isVisible());
  EXPECT_EQ(box()->view()->model()->rowCount(), 6) << "the item the handler added is listed";
  EXPECT_EQ(box()->maxVisibleItems(), 3);

  QAbstractItemView* list = box()->view();
  const QRect item = list->visualRect(list->model()->index(5, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 5);
  EXPECT_EQ(combo->Text(), "damson");
  EXPECT_EQ(log, (Log{"dropdown", "closeup", "click", "change damson"}));
}

TEST_F(ComboBoxTest, ClickingTheClosedBoxOpensTheListWithoutAPick) {
  combo->SetStyle(csDropDownList);
  showFocused();
  QTest::mouseClick(box(), Qt::LeftButton, {}, QPoint(140, 12));
  EXPECT_TRUE(combo->DroppedDown());
  EXPECT_EQ(log, Log{"dropdown"});
}

TEST_F(ComboBoxTest, AnEditableComboTakesTypedTextWithinMaxLengthButKeepsCodesTextWhole) {
  combo->SetMaxLength(4);
  showFocused();
  QTest::keyClicks(box()->lineEdit(), "cherry");
  EXPECT_EQ(combo->Text(), "cher");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(log, (Log{"change c", "change ch", "change che", "change cher"}));
  combo->SetText("avocado");
  EXPECT_EQ(combo->Text(), "avocado") << "MaxLength limits typing only";
  EXPECT_EQ(box()->lineEdit()->text(), "avocado");
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ComboBoxTest, AnOwnerDrawnComboDrawsItsChosenItemInTheClosedBox) {
  combo->SetStyle(csOwnerDrawFixed);
  std::vector<TOwnerDrawState> states;
  combo->OnDrawItem = [&](TWinControl* control, int Index, TRect Rect, TOwnerDrawState State) {
    states.push_back(State);
    Canvas& c = static_cast<ComboBox*>(control)->canvas();
    c.Brush.Color = Index == 3 ? clRed : clBlue;
    c.fillRect(Rect);
  };
  combo->SetItemIndex(3);
  form->Show();
  QImage image = box()->grab().toImage();
  ASSERT_FALSE(states.empty());
  EXPECT_TRUE(states.back().Contains(odComboBoxEdit));
  EXPECT_EQ(image.pixelColor(20, 12), QColor(255, 0, 0));
}

TEST_F(ComboBoxTest, AnInstalledPaintHandlerPaintsTheClosedBoxWhenItAnswersThatItPainted) {
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(3);
  bool paints = true;
  int calls = 0;
  combo->SetPaintHandler([&](Canvas& canvas) {
    ++calls;
    if (!paints) return false;
    canvas.Brush.Color = clLime;
    canvas.fillRect({0, 0, combo->Width(), combo->Height()});
    return true;
  });
  form->Show();
  QImage image = box()->grab().toImage();
  EXPECT_GT(calls, 0);
  EXPECT_EQ(image.pixelColor(20, 12), QColor(0, 255, 0));
  paints = false;
  image = box()->grab().toImage();
  EXPECT_NE(image.pixelColor(20, 12), QColor(0, 255, 0)) << "the box paints itself again";
}

TEST_F(ComboBoxTest, VariableHeightItemsAreMeasuredInTheList) {
  combo->SetStyle(csOwnerDrawVariable);
  combo->OnMeasureItem = [](TWinControl*, int Index, int& Height) { Height = 10 + 5 * Index; };
  showFocused();
  combo->SetDroppedDown(true);
  QAbstractItemView* list = box()->view();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list->visualRect(list->model()->index(i, 0)).height(), 10 + 5 * i);
  combo->SetDroppedDown(false);
  EXPECT_EQ(log, (Log{"dropdown", "closeup"}));
}

}  // namespace
}  // namespace qn::ui::testing
