#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "framework/base/Exception.h"
#include "framework/ui/EventLoop.h"
#include "framework/ui/Focus.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A dialog with an OK control (a click sets mrOk) that cancels on Escape.
class TDialogForm : public TForm {
  QN_CLASS(TDialogForm, TForm)
 public:
  explicit TDialogForm(TComponent* owner = nullptr) : TForm(owner) {
    SetBounds(200, 200, 300, 200);
    ok->SetTop(100);
    ok->OnClick = [this](TObject*) { SetModalResult(mrOk); };
    SetKeyPreview(true);
    OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
      if (key == VK_ESCAPE) SetModalResult(mrCancel);
    };
  }
  TTestEdit* ok = new TTestEdit(this, this, "OK");
};

// Runs work once the next loop dispatches.
void whenLoopRuns(std::function<void()> work) { postCall(std::move(work)); }

TEST(ModalRunTest, AButtonsResultEndsTheRunAndHidesTheForm) {
  qtApplication();
  TDialogForm dialog;
  whenLoopRuns([&] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
    QTest::mouseClick(dialog.ok->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
  });
  EXPECT_EQ(dialog.runModal(), mrOk);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(dialog.Window()->isVisible());
  EXPECT_EQ(dialog.ModalResult(), mrOk);
}

TEST(ModalRunTest, AScriptedKeyEndsTheRun) {
  qtApplication();
  TDialogForm dialog;
  whenLoopRuns([&] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
    dialog.ok->SetFocus();
    postKeyStroke(VK_ESCAPE);
  });
  EXPECT_EQ(dialog.runModal(), mrCancel);
}

TEST(ModalRunTest, TheWindowSystemsCloseAnswersCancel) {
  qtApplication();
  TDialogForm dialog;
  whenLoopRuns([&] { dialog.Window()->windowHandle()->close(); });
  EXPECT_EQ(dialog.runModal(), mrCancel);
  EXPECT_FALSE(dialog.Visible());
}

TEST(ModalRunTest, AnExceptionInAModalHandlerReachesTheHandlerAndTheRunGoesOn) {
  qtApplication();
  TDialogForm dialog;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "The code is not on file.");
  dialog.ok->OnClick = [&](TObject*) { throw Exception("The code is not on file."); };
  whenLoopRuns([&] {
    QTest::mouseClick(dialog.ok->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
    postCall([&] { dialog.SetModalResult(mrYes); });
  });
  EXPECT_EQ(dialog.runModal(), mrYes);
  EXPECT_EQ(boxes.shown().size(), 1u);
}

TEST(ModalRunTest, ACloseQueryThatRefusesKeepsTheRunGoing) {
  qtApplication();
  TDialogForm dialog;
  int asked = 0;
  dialog.OnCloseQuery = [&](TObject*, bool& canClose) {
    canClose = ++asked > 1;
    if (!canClose) postCall([&] { dialog.SetModalResult(mrAbort); });
  };
  whenLoopRuns([&] { dialog.SetModalResult(mrOk); });
  EXPECT_EQ(dialog.runModal(), mrAbort);
  EXPECT_EQ(asked, 2);
}

TEST(ModalRunTest, TerminatingEndsTheRunWithNoResultAndEveryLoopBelow) {
  LocalApplication app;
  TDialogForm lower;
  TDialogForm upper;
  TModalResult upperResult = mrOk;
  bool lowerLoopEnded = false;
  whenLoopRuns([&] {
    whenLoopRuns([&] { Application->Terminate(); });
    upperResult = upper.runModal();
  });
  qn::ui::runLoop([&] { return false; });  // a loop below both, as a test runs one
  lowerLoopEnded = true;
  EXPECT_EQ(upperResult, mrNone);
  EXPECT_FALSE(upper.Visible());
  EXPECT_TRUE(lowerLoopEnded);
  EXPECT_EQ(lower.runModal(), mrNone) << "a run started after the request ends at once";
  EXPECT_FALSE(lower.Visible());
}

TEST(ModalRunTest, ClosingTheLowerOfTwoModalFormsTakesEffectWhenTheUpperEnds) {
  qtApplication();
  Log log;
  TDialogForm lower;
  TDialogForm upper;
  TModalResult lowerResult = mrNone;
  whenLoopRuns([&] {
    whenLoopRuns([&] {
      lower.Close();
      log.push_back(lower.Visible() ? "lower still shown" : "lower hidden");
      postCall([&] { upper.SetModalResult(mrOk); });
    });
    log.push_back(upper.runModal() == mrOk ? "upper ok" : "upper ?");
    log.push_back(lower.Visible() ? "lower shown after upper" : "lower hidden after upper");
  });
  lowerResult = lower.runModal();
  EXPECT_EQ(lowerResult, mrCancel);
  EXPECT_EQ(log, (Log{"lower still shown", "upper ok", "lower shown after upper"}));
}

TEST(ModalRunTest, AFormFreedByItsCloseActionInsideARunIsGoneAtTheNextDispatch) {
  qtApplication();
  TDialogForm outer;
  Log log;
  auto* inner = new TLoggedForm(log, "Inner");
  ControlRef innerRef(inner);
  inner->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  bool goneInsideTheRun = false;
  whenLoopRuns([&] {
    inner->Show();
    inner->Close();
    postCall([&] {
      goneInsideTheRun = !innerRef;
      outer.SetModalResult(mrOk);
    });
  });
  EXPECT_EQ(outer.runModal(), mrOk);
  EXPECT_TRUE(goneInsideTheRun);
}

TEST(ModalRunTest, TheControlLastFocusedTakesTheFocusWhenTheDialogRunsAgain) {
  qtApplication();
  TDialogForm dialog;
  auto* name = new TTestEdit(&dialog, &dialog, "Name");
  int activations = 0;
  dialog.OnActivate = [&](TObject*) { ++activations; };
  for (int run = 0; run < 2; ++run) {
    TWinControl* focused = nullptr;
    bool windowFocused = false;
    whenLoopRuns([&] {
      ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.Window()));
      name->SetFocus();
      focused = focusedControl();
      windowFocused = QApplication::focusWidget() == name->Window();
      dialog.SetModalResult(mrOk);
    });
    EXPECT_EQ(dialog.runModal(), mrOk);
    EXPECT_EQ(focused, name) << "run " << run;
    EXPECT_TRUE(windowFocused) << "run " << run;
    EXPECT_EQ(activations, run + 1);
  }
}

TEST(ModalRunTest, TerminateBeforeRunEndsTheProgramAndClosingTheMainFormEndsRun) {
  {
    LocalApplication app;
    Application->Terminate();
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
  }
  LocalApplication app;
  TForm* main = nullptr;
  Application->CreateForm(main);
  ASSERT_EQ(Application->MainForm(), main);
  whenLoopRuns([&] {
    EXPECT_TRUE(main->Visible()) << "Run shows the main form";
    main->Close();
  });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
}  // namespace qn::ui::testing
