#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <functional>

#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

constexpr unsigned WM_PING = WM_USER + 1;

class TCountingEdit : public TTestEdit {
  QN_CLASS(TCountingEdit, TTestEdit)
 public:
  using TTestEdit::TTestEdit;
  int pings = 0;
  QWidget* windowAtPing = nullptr;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg != WM_PING) return TTestEdit::WndProc(Message);
    ++pings;
    windowAtPing = Window();
  }
};

// A shown, active form: Panel1 holding Edit1 (focused) and Edit2, and a loose Edit3.
struct LiveForm {
  TTestForm* form = new TTestForm;
  TTestPanel* panel = new TTestPanel(form, form, "Panel1");
  TCountingEdit* edit = new TCountingEdit(form, panel, "Edit1");
  TTestEdit* second = new TTestEdit(form, panel, "Edit2");
  TTestEdit* loose = new TTestEdit(form, form, "Edit3");
  ControlRef formRef{form};

  LiveForm() {
    second->SetTop(30);
    loose->SetTop(150);
    form->Show();
    form->Window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    edit->SetFocus();
  }
  ~LiveForm() {
    if (formRef) delete form;
  }
};

void settle() {
  for (int i = 0; i < 3; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST(LifetimeTest, ControlsFreedInTheirOwnHandlersOrOutOfOrderLeaveNothingBehind) {
  qtApplication();
  struct Case {
    const char* name;
    std::function<void(LiveForm&)> run;
  };
  const std::vector<Case> cases{
      {"a click frees its form",
       [](LiveForm& f) {
         f.panel->OnClick = [&f](TObject*) { delete f.form; };
         QPointer<QWidget> pressed = f.panel->Window();
         QTest::mouseClick(pressed, Qt::LeftButton, {}, QPoint(150, 80));
         EXPECT_FALSE(f.formRef);
         EXPECT_TRUE(pressed.isNull() || !pressed->isVisible());
         settle();
         EXPECT_TRUE(pressed.isNull());
       }},
      {"a click frees its form and runs a nested loop",
       [](LiveForm& f) {
         QPointer<QWidget> pressed = f.panel->Window();
         bool aliveInNestedLoop = false;
         f.panel->OnClick = [&](TObject*) {
           delete f.form;
           QApplication::processEvents();
           aliveInNestedLoop = !pressed.isNull();
         };
         QTest::mouseClick(pressed, Qt::LeftButton, {}, QPoint(150, 80));
         EXPECT_TRUE(aliveInNestedLoop) << "its deletion waits for the outer loop";
         settle();
         EXPECT_TRUE(pressed.isNull());
       }},
      {"a control freed from its own KeyDown",
       [](LiveForm& f) {
         QPointer<QWidget> typing = f.edit->lineEdit();
         f.edit->OnKeyDown = [&f](TObject*, WORD&, TShiftState) { delete f.edit; };
         QTest::keyClick(typing, Qt::Key_A);
         EXPECT_EQ(f.form->FindChildControl("Edit1"), nullptr);
         EXPECT_TRUE(f.second->Focused());
         settle();
         EXPECT_TRUE(typing.isNull());
       }},
      {"a container freed before its child control",
       [](LiveForm& f) {
         const int owned = f.form->ComponentCount();
         delete f.panel;
         EXPECT_EQ(f.form->FindChildControl("Edit1"), nullptr);
         EXPECT_EQ(f.form->ComponentCount(), owned - 3);
         EXPECT_TRUE(f.loose->Focused());
         settle();
       }},
      {"a message posted to a control that is then remade",
       [](LiveForm& f) {
         PostMessage(f.edit, WM_PING, 0, 0);
         QPointer<QWidget> before = f.edit->Window();
         f.edit->recreateWindow();
         settle();
         EXPECT_EQ(f.edit->pings, 1);
         EXPECT_NE(f.edit->windowAtPing, nullptr);
         EXPECT_EQ(f.edit->windowAtPing, f.edit->Window());
         EXPECT_TRUE(before.isNull());
       }},
      {"a message posted to a control that is then freed",
       [](LiveForm& f) {
         PostMessage(f.edit, WM_PING, 0, 0);
         delete f.edit;
         settle();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LiveForm f;
    c.run(f);
  }
}

TEST(LifetimeTest, ARemadeWindowKeepsWhatTheControlShowsAndTheFocus) {
  qtApplication();
  LiveForm f;
  Log log;
  f.edit->OnExit = [&](TObject*) { log.push_back("exit"); };
  f.edit->OnEnter = [&](TObject*) { log.push_back("enter"); };
  f.edit->SetBounds(3, 4, 90, 22);
  f.edit->SetText("Hello");
  f.edit->lineEdit()->setCursorPosition(2);
  QWidget* before = f.edit->Window();
  f.edit->recreateWindow();
  QLineEdit* after = f.edit->lineEdit();
  EXPECT_NE(static_cast<QWidget*>(after), before);
  EXPECT_EQ(after->text(), "Hello");
  EXPECT_EQ(after->cursorPosition(), 2);
  EXPECT_EQ(after->geometry(), QRect(3, 4, 90, 22));
  EXPECT_TRUE(after->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), after);
  EXPECT_TRUE(f.edit->Focused());

  QWidget* panelBefore = f.panel->Window();
  f.panel->recreateWindow();
  EXPECT_NE(f.panel->Window(), panelBefore);
  EXPECT_EQ(f.second->Window()->parentWidget(), f.panel->Window()) << "child windows move to the new one";
  EXPECT_TRUE(f.second->Window()->isVisible());
  EXPECT_EQ(f.edit->lineEdit(), after) << "child windows are kept";
  EXPECT_EQ(QApplication::focusWidget(), after);
  EXPECT_TRUE(log.empty());
  settle();
}

}  // namespace
}  // namespace qn::ui::testing
