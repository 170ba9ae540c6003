#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "framework/ui/Form.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Screen.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A form whose presses on its own client area are logged with their points.
class TPressedForm : public TLoggedForm {
  QN_CLASS(TPressedForm, TLoggedForm)
 public:
  using TLoggedForm::TLoggedForm;
  std::vector<TPoint> presses;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    presses.push_back({X, Y});
    TLoggedForm::MouseDown(Button, Shift, X, Y);
  }
};

class MenuBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TPressedForm(log, "F");
    form->SetBounds(100, 100, 400, 300);
    edit = new TTestEdit(form, form, "Edit1");
    edit->SetBounds(10, 0, 100, 22);
    edit->OnKeyDown = [this](TObject*, WORD& key, TShiftState) { log.push_back("keydown " + std::to_string(key)); };
    ASSERT_TRUE(showActive(*form));
    edit->SetFocus();
    for (TMainMenu*& menu : menus) menu = new TMainMenu(form);
    top(menus[0], "&File", {"&Open", "&Save\tCtrl+S"});
    top(menus[0], "&Edit", {"&Copy"});
    top(menus[1], "&Report", {"&Print\tCtrl+P"});
    TMenuItem* hidden = top(menus[1], "&Hidden", {"&Gone"});
    hidden->Visible = false;
    TMenuItem* greyed = top(menus[1], "&Greyed", {"&Never"});
    greyed->Enabled = false;
    top(menus[2], "&View", {"&Refresh\tF5"});
  }
  void TearDown() override { delete form; }

  TMenuItem* top(TMainMenu* menu, const AnsiString& caption, std::vector<AnsiString> entries) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->OnClick = [this, caption](TObject*) { log.push_back("open " + caption); };
    menu->Items()->Add(item);
    for (const AnsiString& e : entries) {
      auto* entry = new TMenuItem(form);
      entry->SetCaption(e);
      entry->OnClick = [this, e](TObject*) { log.push_back("run " + e); };
      item->Add(entry);
    }
    return item;
  }
  QMenuBar* bar() { return qobject_cast<QMenuBar*>(mainMenuBar(form)); }
  QStringList barCaptions() {
    QStringList captions;
    for (QAction* action : bar()->actions()) captions << action->text() + (action->isEnabled() ? "" : " (off)");
    return captions;
  }

  Log log;
  TPressedForm* form = nullptr;
  TTestEdit* edit = nullptr;
  TMainMenu* menus[3] = {};
};

TEST_F(MenuBarTest, TheBarTakesItsRoomFromTheClientAreaAboveTheControls) {
  const int clientHeight = form->ClientHeight();
  const int menuHeight = Screen->metrics().menuHeight;
  showMainMenu(form, menus[0]);
  ASSERT_NE(bar(), nullptr);
  EXPECT_EQ(form->Height(), 300) << "the outer size stays";
  EXPECT_EQ(form->ClientHeight(), clientHeight - menuHeight);
  EXPECT_EQ(bar()->geometry(), QRect(0, 0, form->ClientWidth(), menuHeight));
  EXPECT_EQ(form->Window()->size(), QSize(form->ClientWidth(), clientHeight));
  EXPECT_EQ(edit->Window()->geometry(), QRect(10, menuHeight, 100, 22)) << "a control at the client's top is below the bar";
  const QPoint corner = form->Window()->mapToGlobal(QPoint(0, menuHeight));
  EXPECT_EQ(form->ClientToScreen({0, 0}), (TPoint{corner.x(), corner.y()}));

  showMainMenu(form, nullptr);
  EXPECT_EQ(mainMenuBar(form), nullptr);
  EXPECT_EQ(form->ClientHeight(), clientHeight);
  EXPECT_EQ(edit->Window()->geometry(), QRect(10, 0, 100, 22));
}

TEST_F(MenuBarTest, AFormDockedInTheClientAreaIsPlacedBelowTheBar) {
  const int menuHeight = Screen->metrics().menuHeight;
  showMainMenu(form, menus[0]);
  auto* docked = new TForm(form);
  docked->SetParent(form);
  docked->SetBounds(20, 5, 100, 40);
  docked->Show();
  EXPECT_EQ(docked->Window()->geometry(), QRect(20, menuHeight + 5, 100, 40));
  docked->SetBounds(30, 0, 100, 40);
  EXPECT_EQ(docked->Window()->geometry(), QRect(30, menuHeight, 100, 40));
}

TEST_F(MenuBarTest, OneBarShowsWhicheverMenuIsShown) {
  showMainMenu(form, menus[0]);
  QMenuBar* first = bar();
  EXPECT_EQ(barCaptions(), (QStringList{"&File", "&Edit"}));
  showMainMenu(form, menus[1]);
  EXPECT_EQ(bar(), first) << "the entries are replaced, not the bar";
  EXPECT_EQ(barCaptions(), (QStringList{"&Report", "&Greyed (off)"}));
  showMainMenu(form, menus[2]);
  EXPECT_EQ(barCaptions(), (QStringList{"&View"}));
  QTest::keyClick(edit->lineEdit(), Qt::Key_F5);
  QTest::keyClick(edit->lineEdit(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(std::count(log.begin(), log.end(), "run &Refresh\tF5"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "run &Save\tCtrl+S"), 0);
}

TEST_F(MenuBarTest, TopEntriesChangedByTheProgramShowOnceItsHandlersHaveReturned) {
  showMainMenu(form, menus[0]);
  TMenuItem* file = menus[0]->Items()->Items(0);
  TMenuItem* editMenu = menus[0]->Items()->Items(1);
  QTimer::singleShot(0, [&] {
    file->Visible = false;
    editMenu->Enabled = false;
    top(menus[0], "&Help", {"&About"});
  });
  ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(barCaptions(), (QStringList{"&Edit (off)", "&Help"}));
  file->Visible = true;
  ASSERT_TRUE(Application->runUntilIdle());
  EXPECT_EQ(barCaptions().size(), 3);
}

TEST_F(MenuBarTest, AltAndALetterOpensTheBarsMenuAfterItsOpeningEventAndTheChoiceRuns) {
  showMainMenu(form, menus[0]);
  log.clear();
  QStringList shown;
  QTimer::singleShot(50, [&] {
    auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(open, nullptr);
    for (QAction* action : open->actions()) shown << action->text();
    open->setActiveAction(open->actions().at(0));
    QTest::keyClick(open, Qt::Key_Return);
  });
  QTest::keyClick(edit->lineEdit(), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty() && !QApplication::activePopupWidget(); }, 2000));
  EXPECT_EQ(shown, QStringList{"&Copy"});
  Log menuSteps;
  std::copy_if(log.begin(), log.end(), std::back_inserter(menuSteps), [](const std::string& line) {
    return line.starts_with("open") || line.starts_with("run") || line == "keydown 69";
  });
  EXPECT_EQ(menuSteps, (Log{"open &Edit", "run &Copy"})) << "the E itself never reached KeyDown";
  EXPECT_EQ(QApplication::focusWidget(), edit->lineEdit()) << "the focus stays with the control";
}

TEST_F(MenuBarTest, APressOnTheBarIsNotTheFormsAndOneOnTheClientIsAtItsClientPoint) {
  showMainMenu(form, menus[0]);
  QTest::mousePress(form->Window(), Qt::LeftButton, {}, QPoint(200, Screen->metrics().menuHeight + 50));
  QTest::mouseRelease(form->Window(), Qt::LeftButton, {}, QPoint(200, Screen->metrics().menuHeight + 50));
  ASSERT_EQ(form->presses.size(), 1u);
  EXPECT_EQ(form->presses[0], (TPoint{200, 50}));
  QTest::mouseClick(bar(), Qt::LeftButton, {}, QPoint(bar()->width() - 5, 5));
  EXPECT_EQ(form->presses.size(), 1u);
}

TEST_F(MenuBarTest, AControlWithoutAWindowIsPressedAndPlacedBelowTheBar) {
  auto* graphic = new TTestGraphic(form, form);
  graphic->SetBounds(150, 0, 30, 20);
  std::vector<TPoint> pressed;
  graphic->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { pressed.push_back({x, y}); };
  showMainMenu(form, menus[0]);
  const int menuHeight = Screen->metrics().menuHeight;
  QTest::mouseClick(form->Window(), Qt::LeftButton, {}, QPoint(155, menuHeight + 5));
  EXPECT_EQ(pressed, (std::vector<TPoint>{{5, 5}}));
  EXPECT_TRUE(form->presses.empty());
  const QPoint corner = form->Window()->mapToGlobal(QPoint(150, menuHeight));
  EXPECT_EQ(graphic->ClientToScreen({0, 0}), (TPoint{corner.x(), corner.y()}));
}

}  // namespace
}  // namespace qn::ui::testing
