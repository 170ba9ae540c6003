#include <gtest/gtest.h>

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "framework/ui/Canvas.h"
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
  checked->SetChecked(true);
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

TEST_F(MenuTest, CheckingARadioEntryUnchecksTheOthersOfItsGroupOnly) {
  TMenuItem root(nullptr);
  TMenuItem* a = add(&root, "&A");
  TMenuItem* b = add(&root, "&B");
  TMenuItem* other = add(&root, "&Other");
  TMenuItem* plain = add(&root, "&Plain");
  a->RadioGroup = b->RadioGroup = 1;
  other->RadioGroup = 2;
  for (TMenuItem* e : {a, other, plain}) e->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked()) << "another group";
  EXPECT_TRUE(plain->Checked()) << "no group";
  b->SetChecked(false);
  EXPECT_FALSE(a->Checked()) << "unchecking checks no other";
}

// Opens menu, hands the open Qt menu to look, and closes it with Escape unless look chose.
void whileOpen(TPopupMenu& menu, std::function<void(QMenu*)> look) {
  QTimer::singleShot(0, [&menu, look] {
    QMenu* open = menu.openMenu();
    ASSERT_NE(open, nullptr);
    look(open);
    if (QApplication::activePopupWidget()) QTest::keyClick(open, Qt::Key_Escape);
  });
  menu.Popup(400, 50);
}

TEST_F(MenuTest, RadioEntriesShowInExclusiveGroups) {
  TPopupMenu menu(&owner);
  TMenuItem* note = add(menu.Items(), "&Note");
  TMenuItem* place = add(menu.Items(), "&Place");
  note->RadioGroup = place->RadioGroup = 1;
  place->SetChecked(true);
  std::vector<std::pair<bool, bool>> shown;  // checkable, checked
  QActionGroup* group = nullptr;
  whileOpen(menu, [&](QMenu* open) {
    for (QAction* action : open->actions()) shown.emplace_back(action->isCheckable(), action->isChecked());
    group = open->actions().at(0)->actionGroup();
    EXPECT_EQ(group, open->actions().at(1)->actionGroup());
    if (group) {
      EXPECT_TRUE(group->isExclusive());
    }
  });
  EXPECT_NE(group, nullptr);
  EXPECT_EQ(shown, (std::vector<std::pair<bool, bool>>{{true, false}, {true, true}}));
}

TEST_F(MenuTest, EntriesStartingAColumnLayTheMenuOutInColumns) {
  TPopupMenu menu(&owner);
  for (int year = 2020; year < 2026; ++year) {
    TMenuItem* entry = add(menu.Items(), std::to_string(year));
    entry->StartsColumn = year % 2 == 0;
    entry->Enabled = year != 2023;
    if (year == 2024) entry->SetChecked(true);
  }
  std::vector<int> columnX;
  std::map<QString, std::pair<bool, bool>> states;  // enabled, checked
  whileOpen(menu, [&](QMenu* open) {
    ASSERT_EQ(open->actions().size(), 1);
    auto* columns = qobject_cast<QWidgetAction*>(open->actions().at(0));
    ASSERT_NE(columns, nullptr);
    QToolButton* choose = nullptr;
    for (QToolButton* b : columns->defaultWidget()->findChildren<QToolButton*>()) {
      states[b->text()] = {b->isEnabled(), b->isChecked()};
      if (std::find(columnX.begin(), columnX.end(), b->x()) == columnX.end()) columnX.push_back(b->x());
      if (b->text() == "2025") choose = b;
    }
    ASSERT_NE(choose, nullptr);
    choose->click();
  });
  EXPECT_EQ(columnX.size(), 3u) << "two years a column";
  EXPECT_EQ(states.size(), 6u);
  EXPECT_FALSE(states["2023"].first);
  EXPECT_TRUE(states["2024"].second);
  EXPECT_FALSE(states["2022"].second);
  EXPECT_EQ(clicked, std::vector<AnsiString>{"2025"});
  EXPECT_FALSE(menu.Showing());
}

TEST_F(MenuTest, AnEntryDrawnByTheProgramIsMeasuredAndPaintedOnACanvas) {
  TPopupMenu menu(&owner);
  TMenuItem* red = add(menu.Items(), "Red");
  int measuredTextHeight = 0;
  int measuredTextWidth = 0;
  red->OnMeasure = [&](TObject* sender, Canvas& canvas, int& width, int& height) {
    EXPECT_EQ(sender, red);
    measuredTextWidth = canvas.textWidth("Red");
    measuredTextHeight = canvas.textHeight("Red");
    height = measuredTextHeight + 2;
    width = measuredTextWidth + 45;
  };
  std::vector<TRect> painted;
  red->OnDraw = [&](TObject*, Canvas& canvas, TRect rect, bool) {
    canvas.Brush.Color = clRed;
    canvas.fillRect(Rect(rect.Left + 3, rect.Top + 2, rect.Left + 43, rect.Bottom - 2));
    painted.push_back(rect);
  };
  QSize size;
  whileOpen(menu, [&](QMenu* open) {
    auto* drawn = qobject_cast<QWidgetAction*>(open->actions().at(0));
    ASSERT_NE(drawn, nullptr);
    QWidget* widget = drawn->defaultWidget();
    size = widget->sizeHint();
    QTest::qWait(20);
    widget->repaint();
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, 5));
  });
  EXPECT_GT(measuredTextHeight, 0);
  EXPECT_EQ(size, QSize(measuredTextWidth + 45, measuredTextHeight + 2));
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.back().Right - painted.back().Left, size.width());
  EXPECT_EQ(clicked, std::vector<AnsiString>{"Red"});
}

TEST_F(MenuTest, ASubMenuRunsItsEntrysClickAsItOpensAndShowsWhatItChanged) {
  TPopupMenu menu(&owner);
  TMenuItem* recent = add(menu.Items(), "&Recent");
  TMenuItem* first = add(recent, "first");
  recent->OnClick = [&](TObject*) {
    clicked.push_back("open");
    first->Visible = false;
    add(recent, "latest");
  };
  QStringList shown;
  whileOpen(menu, [&](QMenu* open) {
    QMenu* sub = open->actions().at(0)->menu();
    ASSERT_NE(sub, nullptr);
    sub->popup(QPoint(100, 60));
    for (QAction* action : sub->actions()) shown << action->text();
    sub->close();
  });
  EXPECT_EQ(clicked, std::vector<AnsiString>{"open"});
  EXPECT_EQ(shown, QStringList{"latest"});
}

TEST_F(MenuTest, AlignmentLinesTheMenuUpOnThePoint) {
  TPopupMenu menu(&owner);
  add(menu.Items(), "&Open a rather long entry");
  const std::pair<PopupAlignment, const char*> cases[] = {
      {PopupAlignment::left, "left"}, {PopupAlignment::right, "right"}, {PopupAlignment::centre, "centre"}};
  for (const auto& [alignment, name] : cases) {
    menu.Alignment = alignment;
    QRect placed;
    whileOpen(menu, [&](QMenu* open) { placed = open->geometry(); });
    ASSERT_GT(placed.width(), 0) << name;
    const int expectedLeft = alignment == PopupAlignment::left    ? 400
                             : alignment == PopupAlignment::right ? 400 - placed.width()
                                                                  : 400 - placed.width() / 2;
    EXPECT_EQ(placed.left(), expectedLeft) << name;
    EXPECT_EQ(placed.top(), 50) << name;
  }
}

}  // namespace
