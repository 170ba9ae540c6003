#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "framework/ui/Application.h"
#include "framework/ui/ContextMenu.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/PendingInput.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

constexpr unsigned WM_VALIDATE = WM_USER + 100;

// An edit that answers the validation message: 1 when its entry is valid.
class TValidatingEdit : public TTestEdit {
  QN_CLASS(TValidatingEdit, TTestEdit)
 public:
  using TTestEdit::TTestEdit;
  int received = 0;
  bool valid = true;
  std::function<void()> onMessage;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg != WM_VALIDATE) return TTestEdit::WndProc(Message);
    ++received;
    Message.Result = valid ? 1 : 0;
    if (onMessage) onMessage();
  }
};

class MessageAndCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    // A fresh application object: a termination another test asked for would end every loop.
    program = std::exchange(Application, &application);
    form = new TTestForm;
    edit = new TValidatingEdit(form, form, "Edit1");
    other = new TTestEdit(form, form, "Edit2");
    other->SetTop(40);
    panel = new TTestPanel(form, form, "Panel1");
    panel->SetBounds(0, 100, 200, 100);
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    edit->SetFocus();
  }
  void TearDown() override {
    delete form;
    Application = program;
  }

  TApplication application{nullptr};
  TApplication* program = nullptr;
  TTestForm* form;
  TValidatingEdit* edit;
  TTestEdit* other;
  TTestPanel* panel;
};

TEST_F(MessageAndCaptureTest, APostedMessageArrivesOnceAfterTheHandlerReturns) {
  int seenInHandler = -1;
  postCall([&] {
    PostMessage(edit, WM_VALIDATE, 0, 0);
    seenInHandler = edit->received;
  });
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(seenInHandler, 0);
  EXPECT_EQ(edit->received, 1);
}

TEST_F(MessageAndCaptureTest, ASentMessageAnswersItsResult) {
  EXPECT_EQ(SendMessage(edit, WM_VALIDATE, 0, 0), 1);
  edit->valid = false;
  EXPECT_EQ(SendMessage(edit, WM_VALIDATE, 0, 0), 0);
  EXPECT_EQ(edit->received, 2);
}

TEST_F(MessageAndCaptureTest, AMessagePostedBeforeANestedLoopArrivesInsideIt) {
  int receivedInLoop = -1;
  edit->onMessage = [&] { ReleaseCapture(); };
  postCall([&] {
    PostMessage(edit, WM_VALIDATE, 0, 0);
    SetCaptureControl(edit);
    runCaptureLoop(edit);
    receivedInLoop = edit->received;
  });
  QApplication::processEvents();
  EXPECT_EQ(receivedInLoop, 1);
}

TEST_F(MessageAndCaptureTest, ACaptureLoopEndsWhenTheCaptureGoes) {
  SetCaptureControl(panel);
  postCall([] { ReleaseCapture(); });
  runCaptureLoop(panel);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(MessageAndCaptureTest, TerminatingEndsACaptureLoopAndStaysRequested) {
  SetCaptureControl(panel);
  postCall([] { Application->Terminate(); });
  runCaptureLoop(panel);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(GetCaptureControl(), panel);
  ReleaseCapture();
}

TEST_F(MessageAndCaptureTest, DuringCaptureMovesOverAnotherControlGoToTheCapturingOne) {
  Log log;
  edit->OnMouseMove = [&](TObject*, TShiftState shift, int, int) { log.push_back(shift.Contains(ssLeft) ? "edit moved, left down" : "edit moved"); };
  other->OnMouseMove = [&](TObject*, TShiftState, int, int) { log.push_back("other moved"); };
  QTest::mousePress(edit->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(GetCaptureControl(), edit);
  EXPECT_TRUE(edit->ControlState().Contains(csLButtonDown));
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), other->lineEdit()->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::instance()->notify(other->lineEdit(), &move);
  QTest::mouseRelease(edit->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(log, Log{"edit moved, left down"});
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_FALSE(edit->ControlState().Contains(csLButtonDown));
}

TEST_F(MessageAndCaptureTest, APostedLeftButtonReleaseEndsThePress) {
  int clicks = 0;
  panel->OnClick = [&](TObject*) { ++clicks; };
  QTest::mousePress(panel->Window(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(GetCaptureControl(), panel);
  PostMessage(panel, WM_LBUTTONUP, 0, MakeLParam(5, 5));
  QApplication::processEvents();
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MessageAndCaptureTest, TheControlUnderAPointIsFoundByItsName) {
  TWinControl* found = windowedControlAt(other->ClientToScreen({10, 10}));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->Name(), "Edit2");
  EXPECT_EQ(windowedControlAt(panel->ClientToScreen({50, 50}))->Name(), "Panel1");
}

TEST_F(MessageAndCaptureTest, APendingEscapeIsAnsweredAndTakenWithItsRelease) {
  Log log;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("down " + std::to_string(key)); };
  edit->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { log.push_back("up " + std::to_string(key)); };
  QCoreApplication::postEvent(edit->lineEdit(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b"));
  QCoreApplication::postEvent(edit->lineEdit(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, "\x1b"));
  EXPECT_TRUE(pendingEscapePressed());
  EXPECT_FALSE(pendingEscapePressed()) << "taken by the first check";
  QApplication::processEvents();
  EXPECT_TRUE(log.empty());
}

TEST_F(MessageAndCaptureTest, InputHeldDuringTheCheckIsDeliveredAfterTheOperationInOrder) {
  Log log;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("key " + std::to_string(key)); };
  panel->OnClick = [&](TObject*) { log.push_back("click"); };
  int receivedDuringCheck = -1;
  postCall([&] {
    // The long operation: input arrives while it runs, and a message is posted meanwhile.
    QCoreApplication::postEvent(edit->lineEdit(), new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QCoreApplication::postEvent(edit->lineEdit(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a"));
    QWidget* target = panel->Window();
    const QPointF at(5, 5);
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
    QTimer::singleShot(0, [&] { PostMessage(edit, WM_VALIDATE, 0, 0); });
    EXPECT_FALSE(pendingEscapePressed());
    EXPECT_FALSE(pendingEscapePressed());
    receivedDuringCheck = edit->received;
    EXPECT_TRUE(log.empty());
  });
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(receivedDuringCheck, 0);
  EXPECT_EQ(edit->received, 1);
  EXPECT_EQ(log, (Log{"key 65", "click"}));
  EXPECT_EQ(edit->Text(), "a");
}

}  // namespace
}  // namespace qn::ui::testing

namespace qn::ui::testing {
namespace {

// Records the mouse presses that reach a widget past the framework.
struct PressRecorder : QObject {
  std::vector<Qt::MouseButton> presses;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) presses.push_back(static_cast<QMouseEvent*>(event)->button());
    return false;
  }
};

TEST_F(MessageAndCaptureTest, AMiddlePressNeverReachesAnEdit) {
  PressRecorder recorder;
  edit->lineEdit()->installEventFilter(&recorder);
  std::vector<TMouseButton> seen;
  edit->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) { seen.push_back(button); };
  QTest::mouseClick(edit->lineEdit(), Qt::MiddleButton, {}, QPoint(5, 5));
  QTest::mouseClick(edit->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(seen, (std::vector<TMouseButton>{mbMiddle, mbLeft}));
  EXPECT_EQ(recorder.presses, std::vector<Qt::MouseButton>{Qt::LeftButton});
}

TEST_F(MessageAndCaptureTest, TheRightPressAndTheMenuKeyOpenThePopupMenu) {
  TComponent menu(form);
  panel->SetPopupMenu(&menu);
  edit->SetPopupMenu(&menu);
  std::vector<std::string> opened;
  auto previous = setPopupMenuOpener([&](TControl* control, TComponent* popup, TPoint) {
    EXPECT_EQ(popup, &menu);
    opened.push_back(control->Name());
  });
  QTest::mouseClick(panel->Window(), Qt::RightButton, {}, QPoint(5, 5));
  QTest::keyClick(edit->lineEdit(), Qt::Key_Menu);
  setPopupMenuOpener(previous);
  EXPECT_EQ(opened, (std::vector<std::string>{"Panel1", "Edit1"}));
}

TEST_F(MessageAndCaptureTest, AWindowlessControlShowsItsCursorOverItsParent) {
  auto* graphic = new TTestGraphic(form, panel);
  graphic->SetBounds(50, 10, 40, 20);
  graphic->SetCursor(crHSplit);
  QTest::mouseMove(panel->Window(), QPoint(60, 15));
  EXPECT_EQ(panel->Window()->cursor().shape(), Qt::SplitHCursor);
  QTest::mouseMove(panel->Window(), QPoint(5, 80));
  EXPECT_EQ(panel->Window()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MessageAndCaptureTest, TheWindowIsNamedAfterItsControl) {
  other->SetName("ClientCode");
  EXPECT_EQ(other->Window()->objectName(), "ClientCode");
}

}  // namespace
}  // namespace qn::ui::testing
