#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTimer>

#include "framework/ui/PopupMenu.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace {

struct ShortcutCase {
  const char* caption;
  std::optional<TShortCut> expected;
};

TEST(MenuShortcutTest, CaptionsGiveTheirShortcuts) {
  const std::vector<ShortcutCase> cases{
      {"&Save\tCtrl+S", TShortCut{'S', {ssCtrl}}},
      {"Copy\tCtrl+Ins", TShortCut{VK_INSERT, {ssCtrl}}},
      {"Paste\tShift+Insert", TShortCut{VK_INSERT, {ssShift}}},
      {"Refresh\tF5", TShortCut{static_cast<WORD>(VK_F1 + 4), {}}},
      {"Find\tshift+ctrl+f", TShortCut{'F', {ssCtrl, ssShift}}},
      {"Year\tAlt+2", TShortCut{'2', {ssAlt}}},
      {"Delete\tDel", TShortCut{VK_DELETE, {}}},
      {"Plain", std::nullopt},
      {"Odd\tCtrl+Bogus", std::nullopt},
      {"Odd\tHyper+S", std::nullopt},
      {"Odd\tF25", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(qn::ui::shortcutOfCaption(c.caption), c.expected) << c.caption;
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override { qn::ui::testing::qtApplication(); }
  TMenuItem* add(TMenuItem* parent, const AnsiString& caption) {
    auto* item = new TMenuItem(&owner);
    item->SetCaption(caption);
    item->OnClick = [this, caption](TObject*) { clicked.push_back(caption); };
    parent->Add(item);
    return item;
  }
  TComponent owner{nullptr};
  std::vector<AnsiString> clicked;
};

TEST_F(MenuTest, ShortcutsCountOnlyOnVisibleEnabledEntries) {
  TMenuItem root(nullptr);
  TMenuItem* file = add(&root, "&File");
  TMenuItem* save = add(file, "&Save\tCtrl+S");
  TMenuItem* print = add(file, "&Print\tCtrl+P");
  TMenuItem* hidden = add(&root, "&Hidden");
  add(hidden, "Quit\tCtrl+Q");
  hidden->Visible = false;
  print->Enabled = false;

  EXPECT_EQ(root.findShortcut({'S', {ssCtrl}}), save);
  EXPECT_EQ(root.findShortcut({'S', {ssCtrl, ssShift}}), nullptr);
  EXPECT_EQ(root.findShortcut({'P', {ssCtrl}}), nullptr);
  EXPECT_EQ(root.findShortcut({'Q', {ssCtrl}}), nullptr);
  file->Remove(save);
  EXPECT_EQ(root.findShortcut({'S', {ssCtrl}}), nullptr);
  EXPECT_EQ(save->Parent(), nullptr);
}

TEST_F(MenuTest, PopupOpensAtAPointAndRunsTheChosenEntry) {
  TPopupMenu menu(&owner);
  add(menu.Items(), "&Open");
  TMenuItem* hidden = add(menu.Items(), "&Hidden");
  hidden->Visible = false;
  add(menu.Items(), "-");
  TMenuItem* checked = add(menu.Items(), "&Wrap");
  checked->Checked = true;
  TMenuItem* disabled = add(menu.Items(), "&Gone");
  disabled->Enabled = false;

  bool showingBeforeOpen = true;
  menu.OnPopup = [&](TObject*) {
    showingBeforeOpen = menu.Showing();
    add(menu.Items(), "&Late");  // entries added before opening are shown
  };
  QStringList shown;
  bool showingWhileOpen = false;
  bool disabledShownDisabled = false;
  bool checkedShownChecked = false;
  QTimer::singleShot(0, [&] {
    showingWhileOpen = menu.Showing();
    QMenu* open = menu.openMenu();
    ASSERT_NE(open, nullptr);
    for (QAction* action : open->actions()) {
      shown << (action->isSeparator() ? "-" : action->text());
      if (action->text() == "&Gone") disabledShownDisabled = !action->isEnabled();
      if (action->text() == "&Wrap") checkedShownChecked = action->isChecked();
    }
    open->setActiveAction(open->actions().at(2));
    QTest::keyClick(open, Qt::Key_Return);
  });
  menu.Popup(40, 50);

  EXPECT_FALSE(showingBeforeOpen);
  EXPECT_TRUE(showingWhileOpen);
  EXPECT_FALSE(menu.Showing());
  EXPECT_EQ(shown, QStringList({"&Open", "-", "&Wrap", "&Gone", "&Late"}));
  EXPECT_TRUE(disabledShownDisabled);
  EXPECT_TRUE(checkedShownChecked);
  EXPECT_EQ(clicked, std::vector<AnsiString>{"&Wrap"});
}

TEST_F(MenuTest, ARightPressOnAControlOpensItsPopupMenu) {
  auto* form = new qn::ui::testing::TTestForm;
  auto* edit = new qn::ui::testing::TTestEdit(form, form, "Edit1");
  form->Show();
  form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  auto& menu = *new TPopupMenu(form);
  add(menu.Items(), "&Undo");
  edit->SetPopupMenu(&menu);
  TComponent* openedFor = nullptr;
  QTimer::singleShot(0, [&] {
    openedFor = menu.PopupComponent();
    QMenu* open = menu.openMenu();
    ASSERT_NE(open, nullptr);
    open->setActiveAction(open->actions().at(0));
    QTest::keyClick(open, Qt::Key_Return);
  });
  QTest::mouseClick(edit->lineEdit(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(openedFor, edit);
  EXPECT_EQ(menu.PopupComponent(), nullptr);
  EXPECT_EQ(clicked, std::vector<AnsiString>{"&Undo"});
  delete form;
}

}  // namespace
