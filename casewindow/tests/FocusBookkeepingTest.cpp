// The main window's hooks on the program's activation and on focus moves: the focused control is
// remembered while the program is inactive and gets the focus back, and an edit that receives the
// focus has its whole text selected.
#include <QTest>

#include "casewindow/tests/DemoStartFixture.h"
#include "core/Globals.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"

namespace casewindow_test {
namespace {

class FocusBookkeepingTest : public DemoStartFixture {
 protected:
  // The shown window, active, with the calendar attorneys' panel showing.
  bool showActive() {
    startWith({"250101d"});
    show();
    caseF->PanelAttys->SetVisible(true);
    caseF->Window()->activateWindow();
    return QTest::qWaitForWindowActive(caseF->Window());
  }
};

TEST_F(FocusBookkeepingTest, AnEditThatGetsTheFocusHasItsWholeTextSelected) {
  ASSERT_TRUE(showActive());
  TEdit* atty = caseF->Atty[2];
  atty->SetAutoSelect(false);  // the main window selects, not the edit
  atty->SetText("AMB");
  atty->SetSelLength(0);
  atty->SetFocus();
  ASSERT_EQ(Screen->ActiveControl(), atty);
  EXPECT_EQ(atty->SelStart(), 0);
  EXPECT_EQ(atty->SelLength(), 3);
}

TEST_F(FocusBookkeepingTest, TheFocusedControlIsRememberedAcrossDeactivation) {
  ASSERT_TRUE(showActive());
  caseF->Atty[3]->SetFocus();
  Application->activationChanged(false);
  EXPECT_EQ(MouseActivateControl, nullptr);
  caseF->Atty[1]->SetFocus();
  Application->activationChanged(true);
  EXPECT_EQ(Screen->ActiveControl(), caseF->Atty[3]) << "the focus goes back";
  EXPECT_EQ(MouseActivateControl, caseF->Atty[3]);
}

TEST_F(FocusBookkeepingTest, ARememberedControlThatIsFreedIsForgotten) {
  ASSERT_TRUE(showActive());
  caseF->Atty[3]->SetFocus();
  Application->activationChanged(false);
  caseF->Atty[1]->SetFocus();
  delete caseF->Atty[3];
  caseF->Atty[3] = nullptr;
  Application->activationChanged(true);
  EXPECT_EQ(Screen->ActiveControl(), caseF->Atty[1]);
  EXPECT_EQ(MouseActivateControl, caseF->Atty[1]);
}

}  // namespace
}  // namespace casewindow_test
