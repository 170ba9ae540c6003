// A framework control as the content of a drop-down: a list box under an edit that keeps the
// focus, its window made again inside the drop-down, hiding it closes the drop-down, and an
// opening at a horizontal place of its own.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QTest>

#include "framework/ui/ListBox.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/tests/DropDownTestSupport.h"

namespace qn::ui::testing {
namespace {

class DropDownControlTest : public DropDownTestBase {
 protected:
  void SetUp() override {
    DropDownTestBase::SetUp();
    ASSERT_TRUE(showWithTheFocusOnTheOwner());
    list = new ListBox(form);
    for (int i = 0; i < 20; ++i) list->Items()->Add("choice " + std::to_string(i));
    list->OnClick = [this](TObject*) { log.push_back("click " + std::to_string(list->ItemIndex())); };
    makeDropDown(list);
    settle();
  }
  QWidget* viewport() { return qobject_cast<QAbstractItemView*>(list->Window())->viewport(); }

  ListBox* list = nullptr;
};

TEST_F(DropDownControlTest, AClickPicksAnItemAndTheEditKeepsTheFocusAndTheKeys) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  ASSERT_TRUE(list->hasWindow());
  EXPECT_TRUE(dropDown->window()->isAncestorOf(list->Window()));
  EXPECT_EQ(list->Window()->geometry(), QRect(0, 0, 150, 120)) << "fills the drop-down";
  const int row = list->ItemHeight();
  QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(10, row * 2 + row / 2));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_TRUE(owner->Focused());
  EXPECT_EQ(QApplication::focusWidget(), owner->lineEdit());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
  EXPECT_EQ(log, (Log{"click 2", "key b"})) << "no cancel mode, the key to the edit";
}

TEST_F(DropDownControlTest, AListWindowMadeAgainStaysInTheDropDown) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  QPointer<QWidget> first = list->Window();
  list->recreateWindow();
  EXPECT_TRUE(first.isNull());
  ASSERT_TRUE(list->hasWindow());
  EXPECT_TRUE(dropDown->window()->isAncestorOf(list->Window()));
  EXPECT_TRUE(list->Window()->isVisible());
  EXPECT_EQ(list->Window()->focusPolicy(), Qt::NoFocus);
}

TEST_F(DropDownControlTest, HidingTheControlClosesTheDropDownAndFreeingItLeavesNoWindow) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  list->SetVisible(false);
  EXPECT_FALSE(dropDown->isOpen());
  EXPECT_FALSE(dropDown->window()->isVisible());
  dropDown->open(150, 120);
  EXPECT_TRUE(list->Visible()) << "shown again on opening";
  QPointer<QWidget> window = list->Window();
  delete list;
  EXPECT_TRUE(window.isNull());
  dropDown.reset();
}

TEST_F(DropDownControlTest, ARightAlignedOpeningNearTheScreensRightEdgeStaysOnScreen) {
  const TPoint corner = owner->ClientToScreen({0, 0});
  ScreenFacts facts;
  facts.workArea = Rect(0, 0, corner.X + 130, 2000);
  setScreenFacts(facts);
  const int right = corner.X + owner->Width();
  dropDown->open(200, 100, right - 200 - 1);
  EXPECT_EQ(dropDown->placedAt().Left, right - 201) << "at the place asked for";
  dropDown->close();
  dropDown->open(300, 100, corner.X + 100);
  EXPECT_EQ(dropDown->placedAt().Right, corner.X + 130) << "kept on the work area";
  EXPECT_EQ(dropDown->placedAt().Left, corner.X + 130 - 300);
}

TEST_F(DropDownControlTest, TheWheelOverTheListScrollsTheList) {
  dropDown->open(150, 60);
  QTest::qWait(20);
  const QPoint inside(20, 20);
  QWheelEvent wheel(inside, viewport()->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport(), &wheel);
  EXPECT_GT(list->TopIndex(), 0);
  EXPECT_EQ(owner->wheelSteps, 0);
}

}  // namespace
}  // namespace qn::ui::testing
