// The drop-down edit base: the button's place and the edit rectangle, the ellipsis and its dialog
// event, and the keys that open a drop-down.
#include <QTest>

#include "editors/DBCustomCombo.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/tests/ButtonTestSupport.h"

namespace editorstest {
namespace {

class DBCustomComboTest : public EditorsTest {
 protected:
  TdcDBCustomCombo* combo(int top = 10) { return place<TdcDBCustomCombo>(top, 160, 22); }
  static void clickButton(TdcDBCustomCombo* c) {
    QWidget* panel = c->ButtonPanel()->Window();
    const QPoint at(c->Button()->Left() + 3, c->Button()->Top() + 5);
    qn::ui::testing::sendMouse(panel, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    qn::ui::testing::sendMouse(panel, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
};

TEST_F(DBCustomComboTest, HidingTheButtonWidensTheEditRectangleToTheClientWidthLessTwo) {
  auto* c = combo();
  ASSERT_TRUE(show());
  EXPECT_EQ(c->ComboEditRect().Right, c->ButtonPanel()->Left() - 2);
  EXPECT_LT(c->ComboEditRect().Right, c->ClientWidth() - 2);
  c->SetShowButton(false);
  EXPECT_FALSE(c->GetShowButton());
  EXPECT_EQ(c->ComboEditRect(), (TRect{0, 0, c->ClientWidth() - 2, c->ClientHeight() + 1}));
  c->SetShowButton(true);
  EXPECT_EQ(c->ComboEditRect().Right, c->ButtonPanel()->Left() - 2);
}

TEST_F(DBCustomComboTest, ABorderlessComboIsInsetByTwoAndItsButtonIsOnePixelHigherAndTaller) {
  auto* bordered = combo(10);
  bordered->SetBorderStyle(bsSingle);
  auto* borderless = combo(40);
  borderless->SetBorderStyle(bsNone);
  ASSERT_TRUE(show());
  EXPECT_EQ(bordered->ComboEditRect().Left, 0);
  EXPECT_EQ(bordered->ComboEditRect().Top, 0);
  EXPECT_EQ(borderless->ComboEditRect().Left, 2);
  EXPECT_EQ(borderless->ComboEditRect().Top, 2);
  EXPECT_EQ(bordered->Button()->Top(), 0);
  EXPECT_EQ(bordered->Button()->Height(), bordered->ButtonPanel()->Height());
  EXPECT_EQ(borderless->Button()->Top(), -1);
  EXPECT_EQ(borderless->Button()->Height(), borderless->ButtonPanel()->Height() + 1);
  // The bordered panel sits 4 pixels further in (new-style frame).
  EXPECT_EQ(bordered->ButtonPanel()->Left(), bordered->Width() - bordered->ButtonPanel()->Width() - 4);
  EXPECT_EQ(borderless->ButtonPanel()->Left(), borderless->Width() - borderless->ButtonPanel()->Width());
}

TEST_F(DBCustomComboTest, WithoutADialogEventTheEllipsisOnlyFocusesTheEdit) {
  auto* c = combo();
  c->SetDataSource(&source);
  c->SetDataField("Name");
  ASSERT_TRUE(show());
  next->SetFocus();
  clickButton(c);
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(data.State(), dsBrowse) << "nothing put into edit";
  EXPECT_FALSE(c->Modified());
}

TEST_F(DBCustomComboTest, TheDialogEventRunsOnceWithTheRecordInEditAndTheDroppedFlagSet) {
  auto* c = combo();
  c->SetDataSource(&source);
  c->SetDataField("Name");
  int runs = 0;
  bool droppedInside = false;
  TDataSetState stateInside = dsInactive;
  c->OnCustomDlg = [&](TObject* sender) {
    ++runs;
    EXPECT_EQ(sender, c);
    droppedInside = c->IsDroppedDown();
    stateInside = data.State();
  };
  ASSERT_TRUE(show());
  next->SetFocus();
  clickButton(c);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(droppedInside);
  EXPECT_EQ(stateInside, dsEdit);
  EXPECT_FALSE(c->IsDroppedDown());
}

TEST_F(DBCustomComboTest, ADialogEventThatRaisesLeavesTheDroppedFlagClear) {
  auto* c = combo();
  c->OnCustomDlg = [](TObject*) { throw EInvalidOperation("no dialog"); };
  ASSERT_TRUE(show());
  c->SetFocus();
  EXPECT_THROW(c->DropDown(), EInvalidOperation);
  EXPECT_FALSE(c->IsDroppedDown());
}

TEST_F(DBCustomComboTest, AltDownAndAltUpRunTheDropDown) {
  auto* c = combo();
  int runs = 0;
  c->OnCustomDlg = [&](TObject*) { ++runs; };
  ASSERT_TRUE(show());
  c->SetFocus();
  key(c, Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(runs, 1);
  key(c, Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(runs, 2);
  key(c, Qt::Key_Down);
  EXPECT_EQ(runs, 2) << "Down alone opens nothing";
}

TEST_F(DBCustomComboTest, ATabCharacterGoesNoFurtherUnderAnEditMask) {
  auto* c = combo();
  int seen = 0;
  c->OnKeyPress = [&](TObject*, char& k) {
    if (k == '\t') ++seen;
  };
  char tab = '\t';
  c->KeyPress(tab);
  EXPECT_EQ(seen, 1);
  c->SetEditMask("999");
  tab = '\t';
  c->KeyPress(tab);
  EXPECT_EQ(tab, 0);
  EXPECT_EQ(seen, 1);
}

TEST_F(DBCustomComboTest, EnabledIsCopiedToTheButton) {
  auto* c = combo();
  c->SetEnabled(false);
  EXPECT_FALSE(c->Button()->Enabled());
  c->SetEnabled(true);
  EXPECT_TRUE(c->Button()->Enabled());
}

}  // namespace
}  // namespace editorstest
