#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "framework/base/Exception.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

void showActive(FormBase& form) {
  form.Show();
  form.Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
}

// A form whose controls log their enter and exit handling:
//   PanelA > InnerA > Current (> Child), Sibling;  PanelB > Other, InnerB > Deep;  Third.
struct FocusForm {
  TTestForm* form = new TTestForm;
  Log log;
  TTestPanel* panelA = new TTestPanel(form, form, "PanelA");
  TTestPanel* innerA = new TTestPanel(form, panelA, "InnerA");
  TTestEdit* current = new TTestEdit(form, innerA, "Current");
  TTestEdit* child = new TTestEdit(form, current, "Child");
  TTestEdit* sibling = new TTestEdit(form, innerA, "Sibling");
  TTestPanel* panelB = new TTestPanel(form, form, "PanelB");
  TTestEdit* other = new TTestEdit(form, panelB, "Other");
  TTestPanel* innerB = new TTestPanel(form, panelB, "InnerB");
  TTestEdit* deep = new TTestEdit(form, innerB, "Deep");
  TTestEdit* third = new TTestEdit(form, form, "Third");

  FocusForm() {
    panelB->SetTop(100);
    third->SetTop(250);
    sibling->SetTop(30);
    innerB->SetBounds(0, 30, 150, 60);
    child->SetBounds(40, 2, 30, 16);
    for (TWinControl* c : std::initializer_list<TWinControl*>{panelA, innerA, current, child, sibling, panelB, other, innerB, deep, third}) {
      std::string name = c->Name();
      c->OnEnter = [this, name](TObject*) { log.push_back("enter " + name); };
      c->OnExit = [this, name](TObject*) { log.push_back("exit " + name); };
      c->OnMouseDown = [this, name](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("down " + name); };
      c->OnClick = [this, name](TObject*) { log.push_back("click " + name); };
    }
    showActive(*form);
    current->SetFocus();
    log.clear();
  }
  ~FocusForm() { delete form; }
  // Only these two are tab stops, so Tab and Shift+Tab both go from one to the other.
  void onlyTabStops(TWinControl* a, TWinControl* b) {
    for (TWinControl* c : std::initializer_list<TWinControl*>{current, child, sibling, other, deep, third}) c->SetTabStop(c == a || c == b);
  }
};

enum class MoveKind { Tab, ShiftTab, EnterAsTab, Press, SetFocus, LabelAccelerator };
enum class ExitHandler { RaisesAbort, RaisesError, Accepts, FocusesThird };

const char* nameOf(MoveKind kind) {
  switch (kind) {
    case MoveKind::Tab: return "Tab";
    case MoveKind::ShiftTab: return "Shift+Tab";
    case MoveKind::EnterAsTab: return "Enter as Tab";
    case MoveKind::Press: return "press";
    case MoveKind::LabelAccelerator: return "label accelerator";
    default: return "SetFocus";
  }
}

void runMove(FocusForm& f, MoveKind kind, TTestEdit* target) {
  f.onlyTabStops(f.current, target);
  QLineEdit* from = f.current->lineEdit();
  switch (kind) {
    case MoveKind::Tab: QTest::keyClick(from, Qt::Key_Tab); break;
    case MoveKind::ShiftTab: QTest::keyClick(from, Qt::Key_Backtab, Qt::ShiftModifier); break;
    case MoveKind::EnterAsTab:
      f.form->SetKeyPreview(true);
      f.form->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == VK_RETURN) key = VK_TAB;
      };
      QTest::keyClick(from, Qt::Key_Return);
      break;
    case MoveKind::Press: QTest::mouseClick(target->lineEdit(), Qt::LeftButton, {}, QPoint(10, 8)); break;
    case MoveKind::SetFocus: target->SetFocus(); break;
    case MoveKind::LabelAccelerator: {
      auto* label = new TextLabel(f.form);
      label->SetParent(f.form);
      label->SetBounds(300, 280, 60, 13);
      label->SetCaption("&Go to");
      label->SetFocusControl(target);
      QTest::keyClick(from, Qt::Key_G, Qt::AltModifier);
      break;
    }
  }
}

TEST(FocusTest, MovesRunExitAndEnterHandlingAndRefusalsKeepTheFocus) {
  qtApplication();
  struct Target {
    TTestEdit* FocusForm::*member;
    Log accepted;  // the handling a completed move runs
  };
  const std::vector<Target> targets{
      {&FocusForm::sibling, {"exit Current", "enter Sibling"}},
      {&FocusForm::other, {"exit Current", "exit InnerA", "exit PanelA", "enter PanelB", "enter Other"}},
      {&FocusForm::deep, {"exit Current", "exit InnerA", "exit PanelA", "enter PanelB", "enter InnerB", "enter Deep"}},
      {&FocusForm::child, {"enter Child"}},
  };
  for (MoveKind kind : {MoveKind::Tab, MoveKind::ShiftTab, MoveKind::EnterAsTab, MoveKind::Press, MoveKind::SetFocus, MoveKind::LabelAccelerator}) {
    for (const Target& t : targets) {
      for (ExitHandler handler : {ExitHandler::RaisesAbort, ExitHandler::RaisesError, ExitHandler::Accepts, ExitHandler::FocusesThird}) {
        FocusForm f;
        TTestEdit* target = f.*t.member;
        SCOPED_TRACE(std::string(nameOf(kind)) + " to " + target->Name() + ", handler " + std::to_string(static_cast<int>(handler)));
        ScriptedMessageBoxes boxes;
        const bool toChild = target == f.child;
        f.current->OnExit = [&f, handler](TObject*) {
          f.log.push_back("exit Current");
          if (handler == ExitHandler::RaisesAbort) Abort();
          if (handler == ExitHandler::RaisesError) throw Exception("The code is not valid.");
          if (handler == ExitHandler::FocusesThird) f.third->SetFocus();
        };
        if (handler == ExitHandler::RaisesError && !toChild) boxes.expect(mtError, "The code is not valid.");
        int screenChanges = 0;
        Screen->activeControlChanged = [&](TObject*) { ++screenChanges; };
        runMove(f, kind, target);
        Screen->activeControlChanged = nullptr;

        if (toChild || handler == ExitHandler::Accepts) {
          EXPECT_TRUE(target->Focused());
          EXPECT_EQ(f.log.size() >= t.accepted.size() ? Log(f.log.begin(), f.log.begin() + static_cast<long>(t.accepted.size())) : f.log, t.accepted);
          EXPECT_EQ(QApplication::focusWidget(), target->lineEdit());
          EXPECT_EQ(screenChanges, 1);
          if (kind == MoveKind::Press) {
            EXPECT_EQ(f.log.back(), "click " + target->Name());
          }
        } else if (handler == ExitHandler::FocusesThird) {
          EXPECT_TRUE(f.third->Focused());
          EXPECT_EQ(f.log, (Log{"exit Current", "exit InnerA", "exit PanelA", "enter Third"}));
          EXPECT_EQ(QApplication::focusWidget(), f.third->lineEdit());
        } else {
          EXPECT_TRUE(f.current->Focused());
          EXPECT_EQ(f.log, Log{"exit Current"}) << "a refused press never reaches its control";
          EXPECT_EQ(QApplication::focusWidget(), f.current->lineEdit());
          EXPECT_EQ(screenChanges, 0);
        }
      }
    }
  }
}

TEST(FocusTest, TheWheelGoesToTheFocusedControlAndMovesNoFocus) {
  qtApplication();
  FocusForm f;
  auto* combo = new TTestCombo(f.form, f.panelB);
  combo->SetTop(70);
  combo->OnEnter = [&](TObject*) { f.log.push_back("enter combo"); };
  QComboBox* box = combo->combo();
  box->setCurrentIndex(1);
  EXPECT_LE(box->focusPolicy(), Qt::StrongFocus);
  for (int delta : {-60, -60}) {
    QPointF at(10, 10);
    QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &wheel);
  }
  EXPECT_TRUE(f.current->Focused());
  EXPECT_TRUE(f.log.empty());
  EXPECT_EQ(box->currentIndex(), 1);
  EXPECT_EQ(f.current->wheelSteps, -1) << "two half steps make one";
}

TEST(FocusTest, ActivationAndPopupsAreNoMoves) {
  qtApplication();
  FocusForm f;
  auto* combo = new TTestCombo(f.form, f.panelB);
  TTestForm second;
  showActive(second);
  EXPECT_FALSE(f.current->Focused());
  EXPECT_EQ(f.form->ActiveControl(), f.current);
  int screenChanges = 0;
  Screen->activeControlChanged = [&](TObject*) { ++screenChanges; };
  showActive(*f.form);
  Screen->activeControlChanged = nullptr;
  EXPECT_TRUE(f.current->Focused());
  EXPECT_EQ(screenChanges, 1);
  combo->combo()->showPopup();
  QApplication::processEvents();
  combo->combo()->hidePopup();
  QApplication::processEvents();
  EXPECT_TRUE(f.log.empty()) << ::testing::PrintToString(f.log);
  EXPECT_TRUE(f.current->Focused());
}

TEST(FocusTest, HiddenDisabledOrFreedFocusedControlsGiveTheFocusToTheNextOne) {
  qtApplication();
  for (int way = 0; way < 3; ++way) {
    FocusForm f;
    f.onlyTabStops(f.current, f.other);
    SCOPED_TRACE(way);
    if (way == 0) f.current->Hide();
    if (way == 1) f.current->SetEnabled(false);
    if (way == 2) delete f.current;
    EXPECT_TRUE(f.other->Focused());
    EXPECT_EQ(f.log, Log{"enter Other"}) << "no exit handling: the control left is no longer usable";
    EXPECT_EQ(QApplication::focusWidget(), f.other->lineEdit());
  }
}

TEST(FocusTest, APressOnAControlThatTakesNoFocusRunsNoExitHandling) {
  qtApplication();
  FocusForm f;
  auto* graphic = new TTestGraphic(f.form, f.form);
  graphic->SetBounds(300, 10, 40, 20);
  f.current->OnExit = [](TObject*) { Abort(); };
  int clicks = 0;
  graphic->OnClick = [&](TObject*) { ++clicks; };
  QTest::mouseClick(f.form->Window(), Qt::LeftButton, {}, QPoint(310, 15));
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(f.panelA->Window(), Qt::LeftButton, {}, QPoint(150, 80));
  EXPECT_EQ(f.log, (Log{"down PanelA", "click PanelA"})) << "delivered, with no exit handling";
  EXPECT_TRUE(f.current->Focused());
}

TEST(FocusTest, SetFocusOnAHiddenControlOrAnInactiveForm) {
  qtApplication();
  FocusForm f;
  f.other->Hide();
  try {
    f.other->SetFocus();
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_NE(std::string(e.Message()).find("Other"), std::string::npos) << e.Message();
  }
  TTestForm inactive;
  auto* edit = new TTestEdit(&inactive, &inactive, "Away");
  inactive.Show();
  QApplication::processEvents();
  f.form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.form->Window()));
  edit->SetFocus();
  EXPECT_EQ(inactive.ActiveControl(), edit);
  EXPECT_FALSE(edit->Focused());
  EXPECT_TRUE(f.current->Focused());
}

}  // namespace
}  // namespace qn::ui::testing
