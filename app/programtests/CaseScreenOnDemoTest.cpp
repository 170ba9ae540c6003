// The case screen of the real program on the demo: the main block's panels docked and shown at
// their places, the focus in the header's client code, a client and suffix typed as a user types
// them, pictured for a person to look at, and a matter the command line names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "app/programtests/DemoPrograms.h"
#include "app/programtests/DemoScreenshots.h"
#include "app/programtests/MainBlockOnDemo.h"
#include "casewindow/CaseF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "core/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Panel.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using demoprograms::MainBlockOnDemo;
using demoprograms::saveScreenshot;
using demoprograms::todayArgument;

// Keys as the keyboard delivers them: to whatever widget has the focus.
void type(const char* text) {
  QTest::keyClicks(QApplication::focusWidget(), text);
  Application->ProcessMessages();
}
void tab() {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  Application->ProcessMessages();
}

TEST(CaseScreenOnDemo, ThePanelsShowAndTheHeaderTakesAClientAndSuffixFromTheKeyboard) {
  MainBlockOnDemo program({todayArgument()});
  qn::ui::testing::ScriptedMessageBoxes boxes;
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_NE(CaseF, nullptr);
  ASSERT_NE(ClientCaseLookF1, nullptr);

  const TRect client = CaseF->ClientRect();
  for (const char* name : {"ClientCaseLookF1", "RA1F", "RA2F", "DepartmentF", "CaType1F", "CaType2F", "CaseMiscF",
                           "FCSalesTaxF"}) {
    auto* panel = dynamic_cast<TForm*>(Application->FindComponent(name));
    ASSERT_NE(panel, nullptr) << name;
    EXPECT_EQ(panel->Parent(), CaseF) << name;
    EXPECT_TRUE(panel->Showing()) << name;
    EXPECT_GT(panel->Height(), 0) << name;
    EXPECT_GE(panel->Left(), 0) << name;
    EXPECT_LE(panel->Left() + panel->Width(), client.Right) << name << " lies inside the window";
    EXPECT_LE(panel->Top() + panel->Height(), client.Bottom) << name;
    EXPECT_EQ(panel->Window()->geometry().top(), CaseF->OriginInWindow().Y + panel->Top()) << name << " under the menu bar";
  }
  EXPECT_GE(ClientCaseLookF1->Top(), CaseF->PanelSpeedBar->Top() + CaseF->PanelSpeedBar->Height())
      << "the header leaves the button bar free";

  CaseF->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(CaseF->Window()));
  Application->ProcessMessages();
  ASSERT_EQ(Screen->ActiveControl(), ClientCaseLookF1->ClientCode) << "the demo's entry mode is client code";
  EXPECT_FALSE(ClientCaseLookF1->LabelFormatCode->Visible()) << "no matter, no billing format";
  EXPECT_TRUE(saveScreenshot(CaseF, "qncases-case-start.png"));

  type("ADAMS");
  tab();
  EXPECT_EQ(ClientCaseLookF1->ClientName->Text(), "Adams, Harriet") << "the client code's check found the client";
  EXPECT_EQ(Screen->ActiveControl(), ClientCaseLookF1->CaseSuffix);
  EXPECT_TRUE(ClientCaseLookF1->CaseSuffix->IsDroppedDown()) << "the client's matters are listed";
  type("1");
  EXPECT_EQ(ClientCaseLookF1->CaseSuffix->Text(), "1");
  EXPECT_TRUE(saveScreenshot(CaseF, "qncases-case-adams-1-list.png"));

  // The list closed first, the suffix typed and left: the matter is shown.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  Application->ProcessMessages();
  EXPECT_EQ(ClientCaseLookF1->CaseSuffix->Text(), "") << "back to what it held on entering";
  type("1");
  tab();
  EXPECT_TRUE(HeaderEditsShown);
  EXPECT_EQ(Screen->ActiveControl(), ClientCaseLookF1->AlternateID);
  EXPECT_TRUE(saveScreenshot(CaseF, "qncases-case-adams-1.png"));
}

TEST(CaseScreenOnDemo, TheCommandLinesSuffixWaitsForTheSuffixFocusAndItsMatterIsShownOnLeaving) {
  MainBlockOnDemo program({todayArgument(), "ADAMS", "x_x_x", "1"});
  qn::ui::testing::ScriptedMessageBoxes boxes;
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_NE(ClientCaseLookF1, nullptr);
  CaseF->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(CaseF->Window()));
  Application->runUntilIdle();
  ASSERT_EQ(Screen->ActiveControl(), ClientCaseLookF1->ClientCode);
  EXPECT_EQ(ClientCaseLookF1->ClientCode->Text(), "ADAMS");
  EXPECT_TRUE(ClientCaseLookF1->CaseSuffix->Text().empty()) << "not before the suffix has the focus";
  EXPECT_TRUE(PendingCaseArgs);

  tab();
  ASSERT_EQ(Screen->ActiveControl(), ClientCaseLookF1->CaseSuffix);
  Application->runUntilIdle();
  EXPECT_FALSE(PendingCaseArgs) << "applied once";
  EXPECT_EQ(ClientCaseLookF1->CaseSuffix->Text(), "1");
  tab();
  EXPECT_TRUE(HeaderEditsShown);
  EXPECT_EQ(ClientCaseLookF1->AlternateID->Text(), "ADAMS-EST");
  EXPECT_TRUE(saveScreenshot(CaseF, "qncases-case-adams-1-from-command-line.png"));
}

}  // namespace
