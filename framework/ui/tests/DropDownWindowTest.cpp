#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "framework/ui/ScreenFacts.h"
#include "framework/ui/tests/DropDownTestSupport.h"

namespace qn::ui::testing {
namespace {

class DropDownWindowTest : public DropDownTestBase {
 protected:
  void SetUp() override {
    DropDownTestBase::SetUp();
    other = new TTestEdit(form, form, "Other");
    other->SetBounds(20, 80, 120, 22);
    owner->OnExit = [this](TObject*) { log.push_back("exit Owner"); };
    ASSERT_TRUE(showWithTheFocusOnTheOwner());
    list = new QListWidget;
    for (int i = 0; i < 100; ++i) list->addItem(QString("choice %1").arg(i));
    makeDropDown(list);
    dropDown->OnPressOutside = [this](TPoint) { log.push_back("press outside"); };
    settle();
  }

  TTestEdit* other = nullptr;
  QListWidget* list = nullptr;
};

TEST_F(DropDownWindowTest, OpensUnderItsControlWithoutTakingActivationOrFocus) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  ASSERT_TRUE(dropDown->isOpen());
  const TPoint corner = owner->ClientToScreen({0, 0});
  EXPECT_FALSE(dropDown->openedAbove());
  EXPECT_EQ(dropDown->placedAt(), Rect(corner.X, corner.Y + 22, corner.X + 150, corner.Y + 22 + 120));
  EXPECT_EQ(dropDown->window()->geometry(), QRect(corner.X, corner.Y + 22, 150, 120));
  EXPECT_EQ(QApplication::activeWindow(), form->Window());
  EXPECT_EQ(QApplication::focusWidget(), owner->lineEdit());
  EXPECT_EQ(list->focusPolicy(), Qt::NoFocus);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A);
  dropDown->close();
  QTest::qWait(20);
  EXPECT_FALSE(dropDown->isOpen());
  EXPECT_EQ(QApplication::activeWindow(), form->Window());
  EXPECT_EQ(log, Log{"key a"}) << "no exit, deactivation or cancel mode on showing and hiding";
}

TEST_F(DropDownWindowTest, NearTheBottomOfTheWorkAreaItOpensAboveAndStaysOnTheScreen) {
  const TPoint corner = owner->ClientToScreen({0, 0});
  ScreenFacts facts;
  facts.workArea = Rect(0, 0, corner.X + 100, corner.Y + 22 + 60);
  setScreenFacts(facts);
  dropDown->open(150, 120);
  EXPECT_TRUE(dropDown->openedAbove());
  EXPECT_EQ(dropDown->placedAt(), Rect(corner.X + 100 - 150, corner.Y - 120, corner.X + 100, corner.Y));
  EXPECT_EQ(dropDown->window()->geometry(), QRect(corner.X - 50, corner.Y - 120, 150, 120));
}

TEST_F(DropDownWindowTest, APressOutsideTellsItsControlAndOneInsideOrOnTheControlDoesNot) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseClick(owner->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(log.empty()) << log.front();
  QTest::mousePress(other->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(log.front(), "press outside");
  EXPECT_EQ(std::count(log.begin(), log.end(), "press outside"), 1);
}

TEST_F(DropDownWindowTest, MovingTheFocusAwaySendsTheCancelModeOnce) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  other->SetFocus();
  owner->SetFocus();
  other->SetFocus();
  EXPECT_EQ(std::count(log.begin(), log.end(), "cancel mode"), 1);
  EXPECT_EQ(log.front(), "exit Owner");
}

TEST_F(DropDownWindowTest, ARearmedDropDownSendsTheCancelModeAtTheNextLossAgain) {
  dropDown->OnCancelMode = [this] {
    log.push_back("cancel mode");
    if (std::count(log.begin(), log.end(), "cancel mode") == 1) dropDown->rearmCancelMode();
  };
  dropDown->open(150, 120);
  QTest::qWait(20);
  for (int i = 0; i < 3; ++i) {
    other->SetFocus();
    owner->SetFocus();
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), "cancel mode"), 2);
}

TEST_F(DropDownWindowTest, AnotherWindowBecomingActiveSendsTheCancelModeOnce) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  TLoggedForm second(log, "G");
  second.SetBounds(600, 100, 200, 150);
  ASSERT_TRUE(showActive(second));
  EXPECT_EQ(std::count(log.begin(), log.end(), "cancel mode"), 1);
}

TEST_F(DropDownWindowTest, OnlyOneDropDownIsOpenAtATime) {
  DropDownWindow second(other, new QListWidget);
  dropDown->open(150, 120);
  second.open(100, 100);
  EXPECT_FALSE(dropDown->isOpen());
  EXPECT_TRUE(second.isOpen());
  EXPECT_FALSE(dropDown->window()->isVisible());
}

TEST_F(DropDownWindowTest, TheWheelOverItScrollsItAndNotTheFocusedControl) {
  dropDown->open(150, 120);
  QTest::qWait(20);
  QWidget* viewport = list->viewport();
  const QPoint inside(20, 20);
  QWheelEvent wheel(inside, viewport->mapToGlobal(inside), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(viewport, &wheel);
  EXPECT_GT(list->verticalScrollBar()->value(), 0);
  EXPECT_EQ(owner->wheelSteps, 0);
}

}  // namespace
}  // namespace qn::ui::testing
