#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "framework/ui/KeyRoute.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Messages.h"
#include "framework/ui/PopupMenu.h"
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

  // Whatever menu is open next: its captions, then the entry with that caption is chosen.
  void chooseInNextMenu(const QString& caption, QStringList& shown) {
    QTimer::singleShot(0, [caption, &shown] {
      auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(open, nullptr);
      for (QAction* action : open->actions()) {
        shown << action->text();
        if (action->text() == caption) open->setActiveAction(action);
      }
      QTest::keyClick(open, Qt::Key_Return);
    });
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

TEST_F(MainMenuTest, AltAndATopEntrysLetterOpensItsMenuAfterItsOpeningEvent) {
  showMainMenu(form, menus[0]);
  TMenuItem* file = menus[0]->Items()->Items(0);
  file->OnClick = [this, file](TObject*) {
    ran.push_back("open &File");
    auto* late = new TMenuItem(form);
    late->SetCaption("&Close");
    late->OnClick = [this](TObject*) { ran.push_back("&Close"); };
    file->Add(late);
  };
  QStringList shown;
  chooseInNextMenu("&Close", shown);
  QTest::keyClick(edit->lineEdit(), Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(shown, (QStringList{"&Save\tCtrl+S", "&Close"}));
  EXPECT_EQ(ran, (std::vector<AnsiString>{"open &File", "&Close"}));
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('F')), 0) << "the menu took the key";
}

TEST_F(MainMenuTest, OnlyTheShownMenusAcceleratorsOpenAMenu) {
  showMainMenu(form, menus[1]);
  QTest::keyClick(edit->lineEdit(), Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('F')), 1) << "the key went on to the control";
}

TEST_F(MainMenuTest, AnAltLetterTheMessageHookHandledOpensNoMenu) {
  showMainMenu(form, menus[0]);
  int seen = 0;
  setApplicationMessageHook([&](TMsg& msg, bool& handled) {
    if (msg.Message != WM_SYSKEYDOWN || msg.WParam != 'F') return;
    ++seen;
    handled = true;
  });
  QTest::keyClick(edit->lineEdit(), Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_TRUE(ran.empty());
}

// The menus answer before KeyDown: a control's KeyDown that zeroes a shortcut comes too late to
// keep it from the menu (it never sees the key); the message hook, which comes first, can.
TEST_F(MainMenuTest, AShortcutZeroedByTheHookRunsNoEntryWhileKeyDownComesTooLate) {
  showMainMenu(form, menus[0]);
  edit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
    keysDown.push_back(key);
    if (key == 'S' && shift.Contains(ssCtrl)) key = 0;
  };
  typeAll();
  EXPECT_EQ(ran, std::vector<AnsiString>{"&Save\tCtrl+S"});
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('S')), 0);

  setApplicationMessageHook([](TMsg& msg, bool&) {
    if (msg.Message == WM_KEYDOWN && msg.WParam == 'S') msg.WParam = 0;
  });
  typeAll();
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('S')), 0);
}

TEST_F(MainMenuTest, TheFocusedControlsPopupMenuShortcutsComeBeforeTheMainMenus) {
  showMainMenu(form, menus[0]);
  auto* own = new TPopupMenu(form);
  auto* parents = new TPopupMenu(form);
  const auto popupEntry = [this](TPopupMenu* menu, const AnsiString& caption) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->OnClick = [this, caption](TObject*) { ran.push_back(caption); };
    menu->Items()->Add(item);
  };
  popupEntry(own, "Sa&ve here\tCtrl+S");
  popupEntry(parents, "&Print form\tCtrl+P");
  edit->SetPopupMenu(own);
  form->SetPopupMenu(parents);
  typeAll();
  EXPECT_EQ(ran, (std::vector<AnsiString>{"Sa&ve here\tCtrl+S", "&Print form\tCtrl+P"}));
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('S')), 0);
  EXPECT_EQ(std::count(keysDown.begin(), keysDown.end(), WORD('P')), 0);
}

}  // namespace
}  // namespace qn::ui::testing
