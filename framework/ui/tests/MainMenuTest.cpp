#include <gtest/gtest.h>

#include <QTest>

#include "framework/ui/KeyRoute.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Messages.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class MainMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TTestEdit(form, form, "Edit1");
    edit->OnKeyDown = [this](TObject*, WORD& key, TShiftState) { keysDown.push_back(key); };
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    edit->SetFocus();
    for (TMainMenu*& menu : menus) menu = new TMainMenu(form);
    entry(menus[0], "&File", "&Save\tCtrl+S");
    entry(menus[1], "&Report", "&Print\tCtrl+P");
    entry(menus[2], "&View", "&Refresh\tF5");
  }
  void TearDown() override {
    setApplicationMessageHook({});
    delete form;
  }
  void entry(TMainMenu* menu, const AnsiString& top, const AnsiString& caption) {
    auto* topEntry = new TMenuItem(form);
    topEntry->SetCaption(top);
    menu->Items()->Add(topEntry);
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->OnClick = [this, caption](TObject*) { ran.push_back(caption); };
    topEntry->Add(item);
  }
  void typeAll() {
    ran.clear();
    QTest::keyClick(edit->lineEdit(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(edit->lineEdit(), Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(edit->lineEdit(), Qt::Key_F5);
  }

  TTestForm* form = nullptr;
  TTestEdit* edit = nullptr;
  TMainMenu* menus[3] = {};
  std::vector<AnsiString> ran;
  std::vector<WORD> keysDown;
};

TEST_F(MainMenuTest, OnlyTheShownMenusShortcutsWork) {
  const std::vector<AnsiString> expected[3] = {{"&Save\tCtrl+S"}, {"&Print\tCtrl+P"}, {"&Refresh\tF5"}};
  for (int shown = 0; shown < 3; ++shown) {
    showMainMenu(form, menus[shown]);
    typeAll();
    EXPECT_EQ(ran, expected[shown]) << "menu " << shown;
  }
  showMainMenu(form, nullptr);
  typeAll();
  EXPECT_TRUE(ran.empty());
}

TEST_F(MainMenuTest, AShortcutTakenByTheMenuNeverReachesTheControl) {
  showMainMenu(form, menus[0]);
  typeAll();
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('S')), 0);
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('P')), 1);
}

TEST_F(MainMenuTest, AKeyTheMessageHookHandledRunsNoEntry) {
  showMainMenu(form, menus[0]);
  setApplicationMessageHook([](TMsg& msg, bool& handled) { handled = msg.Message == WM_KEYDOWN && msg.WParam == 'S'; });
  typeAll();
  EXPECT_TRUE(ran.empty());
}

TEST_F(MainMenuTest, DisabledOrHiddenEntriesRunNot) {
  showMainMenu(form, menus[0]);
  TMenuItem* save = menus[0]->Items()->Items(0)->Items(0);
  save->Enabled = false;
  typeAll();
  EXPECT_TRUE(ran.empty());
  save->Enabled = true;
  menus[0]->Items()->Items(0)->Visible = false;
  typeAll();
  EXPECT_TRUE(ran.empty());
}

TEST_F(MainMenuTest, AMenuFreedStopsBeingShown) {
  showMainMenu(form, menus[1]);
  delete menus[1];
  EXPECT_EQ(shownMainMenu(form), nullptr);
  typeAll();
  EXPECT_TRUE(ran.empty());
}

}  // namespace
}  // namespace qn::ui::testing
