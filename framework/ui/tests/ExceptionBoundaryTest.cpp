#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/WidgetApplication.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// Exceptions this test process lets reach notify() on purpose; any other one is a fault.
int deliberateEscapes = 0;

// Every exception of a UI test must be caught at our boundaries: none reaches the backstop.
class BackstopStaysUnused : public ::testing::Environment {
 public:
  void TearDown() override {
    if (auto* app = dynamic_cast<WidgetApplication*>(QCoreApplication::instance())) {
      EXPECT_EQ(app->escapedExceptions(), deliberateEscapes) << "an exception got past our boundaries";
    }
  }
};
const auto* const backstopCheck = ::testing::AddGlobalTestEnvironment(new BackstopStaysUnused);

constexpr unsigned WM_FAIL = WM_USER + 7;

class TFailingEdit : public TTestEdit {
  QN_CLASS(TFailingEdit, TTestEdit)
 public:
  using TTestEdit::TTestEdit;
  bool failPaint = false;
  bool* painting = nullptr;
  void PaintWindow(QPainter&) override {
    if (!failPaint) return;
    *painting = true;
    failPaint = false;
    struct Done {
      bool* flag;
      ~Done() { *flag = false; }
    } done{painting};
    throw Exception("paint");
  }

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_FAIL) throw Exception("message");
    TTestEdit::WndProc(Message);
  }
};

class ExceptionBoundaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    // A fresh application object: a termination another test asked for would end every loop.
    program = std::exchange(Application, &application);
    form = new TTestForm;
    edit = new TFailingEdit(form, form, "Edit1");
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    edit->SetFocus();
    Application->OnException = [this](TObject*, const Exception& E) { handled.push_back({E.Message(), painting}); };
  }
  void TearDown() override {
    delete form;
    Application = program;
  }

 public:
  struct Handled {
    AnsiString message;
    bool duringPaint;
    bool operator==(const Handled&) const = default;
  };
  TApplication application{nullptr};
  TApplication* program = nullptr;
  TTestForm* form;
  TFailingEdit* edit;
  std::vector<Handled> handled;
  bool painting = false;
};

TEST_F(ExceptionBoundaryTest, EveryWayInHandsItsExceptionOverOnceAndTheLoopGoesOn) {
  struct Case {
    const char* message;
    std::function<void(ExceptionBoundaryTest&)> raise;
  };
  const std::vector<Case> cases{
      {"key",
       [](ExceptionBoundaryTest& t) {
         t.edit->OnKeyDown = [](TObject*, WORD&, TShiftState) { throw Exception("key"); };
         QTest::keyClick(t.edit->lineEdit(), Qt::Key_A);
         t.edit->OnKeyDown = nullptr;
       }},
      {"mouse",
       [](ExceptionBoundaryTest& t) {
         t.edit->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw Exception("mouse"); };
         QTest::mouseClick(t.edit->lineEdit(), Qt::LeftButton, {}, QPoint(5, 5));
         t.edit->OnMouseDown = nullptr;
       }},
      {"paint",
       [](ExceptionBoundaryTest& t) {
         t.edit->painting = &t.painting;
         t.edit->failPaint = true;
         t.edit->lineEdit()->repaint();
         EXPECT_TRUE(t.handled.empty()) << "no box inside a paint";
       }},
      {"timer", [](ExceptionBoundaryTest&) { QTimer::singleShot(0, [] { guarded(nullptr, [] { throw Exception("timer"); }); }); }},
      {"posted call", [](ExceptionBoundaryTest&) { postCall([] { throw Exception("posted call"); }); }},
      {"message", [](ExceptionBoundaryTest& t) { PostMessage(t.edit, WM_FAIL, 0, 0); }},
      {"signal",
       [](ExceptionBoundaryTest& t) {
         t.edit->OnChange = [](TObject*) { throw Exception("signal"); };
         QTest::keyClick(t.edit->lineEdit(), Qt::Key_B);
         t.edit->OnChange = nullptr;
       }},
      {"nested loop",
       [](ExceptionBoundaryTest& t) {
         SetCaptureControl(t.edit);
         postCall([] { throw Exception("nested loop"); });
         postCall([] { ReleaseCapture(); });
         runCaptureLoop(t.edit);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    handled.clear();
    c.raise(*this);
    bool loopWentOn = false;
    postCall([&] { loopWentOn = true; });
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    EXPECT_EQ(handled, (std::vector<Handled>{{c.message, false}}));
    EXPECT_TRUE(loopWentOn);
  }
}

TEST_F(ExceptionBoundaryTest, AChangeHandlerFiredBySettingTheTextRaisesToTheSetter) {
  Application->OnException = nullptr;
  ScriptedMessageBoxes boxes;  // none expected
  edit->OnChange = [](TObject*) { throw EDatabaseError("Field 'Code' must have a value"); };
  EXPECT_THROW(edit->SetText("x"), EDatabaseError);
  EXPECT_EQ(edit->Text(), "x");
}

TEST_F(ExceptionBoundaryTest, ARaisingDestroyHandlerIsReportedAndTheFreeCompletes) {
  struct TRaisingForm : TTestForm {
    void DoDestroy() override { throw Exception("destroy"); }
  };
  auto* doomed = new TRaisingForm;
  auto* child = new TTestEdit(doomed, doomed);
  ControlRef childRef(child);
  delete doomed;
  EXPECT_FALSE(childRef);
  EXPECT_EQ(handled, (std::vector<Handled>{{"destroy", false}}));
}

TEST_F(ExceptionBoundaryTest, TheBackstopCatchesWhatEscapedAndCountsIt) {
  struct Leaky : QObject {
    bool event(QEvent*) override { throw Exception("escaped"); }
  } leaky;
  auto& app = widgetApplication();
  const int before = app.escapedExceptions();
  QEvent event(QEvent::User);
  ++deliberateEscapes;
  QCoreApplication::sendEvent(&leaky, &event);
  EXPECT_EQ(app.escapedExceptions(), before + 1);
  QApplication::processEvents();
  EXPECT_EQ(handled, (std::vector<Handled>{{"escaped", false}}));
}

}  // namespace
}  // namespace qn::ui::testing
