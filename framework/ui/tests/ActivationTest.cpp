#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

TEST(ActivationTest, AFormShowingAScriptedBoxIsDeactivatedAndActivatedAgainOnceEach) {
  qtApplication();
  Log log;
  TLoggedForm form(log, "F");
  ASSERT_TRUE(showActive(form));
  QTest::qWait(10);
  EXPECT_EQ(Screen->activeForm(), &form);
  log.clear();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Save the changes?", mrYes);
  EXPECT_EQ(MessageDlg("Save the changes?", mtConfirmation, {mbYes, mbNo}, 0), mrYes);
  QTest::qWait(10);
  EXPECT_EQ(log, (Log{"deactivate F", "activate F"}));
  EXPECT_EQ(Screen->activeForm(), &form);
}

TEST(ActivationTest, ASecondFormTakesTheActivationAndGivesItBack) {
  qtApplication();
  Log log;
  TLoggedForm first(log, "A");
  TLoggedForm second(log, "B");
  ASSERT_TRUE(showActive(first));
  log.clear();
  ASSERT_TRUE(showActive(second));
  QTest::qWait(10);
  EXPECT_EQ(log, (Log{"show B", "deactivate A", "activate B"}));
  log.clear();
  second.Hide();
  EXPECT_TRUE(QTest::qWaitForWindowActive(first.Window()));
  QTest::qWait(10);
  EXPECT_EQ(log, (Log{"deactivate B", "activate A"}));
}

// A main form with two docked panel forms, each holding edits.
struct DockedForms {
  Log log;
  TLoggedForm main{log, "Main"};
  TLoggedForm* left = new TLoggedForm(log, "Left", &main);
  TLoggedForm* right = new TLoggedForm(log, "Right", &main);
  TTestEdit* leftEdit = new TTestEdit(left, left, "LeftEdit");
  TTestEdit* leftOther = new TTestEdit(left, left, "LeftOther");
  TTestEdit* rightEdit = new TTestEdit(right, right, "RightEdit");

  DockedForms() {
    left->SetParent(&main);
    right->SetParent(&main);
    left->SetBounds(0, 0, 150, 150);
    right->SetBounds(150, 0, 150, 150);
    leftOther->SetTop(40);
    left->Show();
    right->Show();
    EXPECT_TRUE(showActive(main));
    leftEdit->SetFocus();
    log.clear();
  }
};

TEST(ActivationTest, FocusMovingToAnotherDockedFormDeactivatesOneAndActivatesTheOther) {
  qtApplication();
  DockedForms f;
  EXPECT_EQ(activeDockedForm(), f.left);
  f.leftOther->SetFocus();
  EXPECT_EQ(f.log, Log{}) << "a move inside one docked form changes nothing";
  f.rightEdit->SetFocus();
  EXPECT_EQ(f.log, (Log{"deactivate Left", "activate Right"}));
  EXPECT_EQ(f.left->ActiveControl(), f.leftOther) << "the left form keeps its active control";
  f.log.clear();
  f.left->SetFocus();
  EXPECT_TRUE(f.leftOther->Focused()) << "coming back, the focus goes to the control it kept";
  EXPECT_EQ(f.log, (Log{"deactivate Right", "activate Left"}));
}

// A docked form that logs the messages its window gets.
class TMessageLoggingForm : public TForm {
  QN_CLASS(TMessageLoggingForm, TForm)
 public:
  TMessageLoggingForm(Log& log, TComponent* owner) : TForm(owner), log_(log) {}

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_MOUSEACTIVATE) log_.push_back("mouse activate");
    if (Message.Msg == WM_COMMAND) {
      auto* control = reinterpret_cast<TControl*>(Message.LParam);
      log_.push_back("command " + std::to_string(Message.WParam >> 16) + " from " + control->Name());
    }
    TForm::WndProc(Message);
  }

 private:
  Log& log_;
};

TEST(ActivationTest, ADockedFormHearsOfAPressBeforeItsControlAndOfItsEditsFocus) {
  qtApplication();
  Log log;
  TForm main(nullptr);
  auto* panel = new TMessageLoggingForm(log, &main);
  panel->SetParent(&main);
  panel->SetBounds(0, 0, 200, 100);
  auto* edit = new TTestEdit(panel, panel, "Code");
  auto* other = new TTestEdit(&main, &main, "Outside");
  other->SetTop(150);
  edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("edit pressed"); };
  panel->Show();
  ASSERT_TRUE(showActive(main));
  other->SetFocus();
  log.clear();
  QTest::mouseClick(edit->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(log, (Log{"mouse activate", "command 256 from Code", "edit pressed"}));
  log.clear();
  notifyDockedForm(edit, EN_CHANGE);
  EXPECT_EQ(log, Log{"command 768 from Code"});
}

}  // namespace
}  // namespace qn::ui::testing

namespace qn::ui::testing {
namespace {

TEST(ActivationTest, TheProgramsActivationHooksFollowItsWindowsAsAWhole) {
  qtApplication();
  Log log;
  Application->OnActivate = [&](TObject*) { log.push_back("program active"); };
  Application->OnDeactivate = [&](TObject*) { log.push_back("program inactive"); };
  QApplicationStateChangeEvent away(Qt::ApplicationInactive);
  QApplication::sendEvent(QApplication::instance(), &away);
  QApplicationStateChangeEvent back(Qt::ApplicationActive);
  QApplication::sendEvent(QApplication::instance(), &back);
  Application->OnActivate = nullptr;
  Application->OnDeactivate = nullptr;
  EXPECT_EQ(log, (Log{"program inactive", "program active"}));
}

TEST(ActivationTest, TheCommandHookIsOfferedEveryActionFirst) {
  TComponent save(nullptr);
  save.SetName("SaveAction");
  std::vector<AnsiString> offered;
  Application->OnActionExecute = [&](TComponent* action, bool& handled) {
    offered.push_back(action->Name());
    handled = true;
  };
  EXPECT_TRUE(Application->ExecuteAction(&save));
  Application->OnActionExecute = nullptr;
  EXPECT_FALSE(Application->ExecuteAction(&save)) << "without a hook nothing handles it";
  EXPECT_EQ(offered, std::vector<AnsiString>{"SaveAction"});
}

}  // namespace
}  // namespace qn::ui::testing
