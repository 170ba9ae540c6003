// Ending the modal runs as the program's end asks: real Qt boxes and a modal form, each ended as
// its Cancel (or only button) would end it, and the work that waits for them.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "framework/ui/Form.h"
#include "framework/ui/ModalRuns.h"
#include "framework/ui/QtMessageBox.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

TModalResult boxWith(TMsgDlgButtons buttons) {
  MessageBoxRequest request;
  request.text = "Waiting on the user.";
  request.kind = mtConfirmation;
  request.buttons = buttons;
  return qn::ui::showQtMessageBox(request);
}

// Ends the runs once the next loop dispatches, counting how often the work after them ran.
void endRunsSoon(int& thenRuns) {
  QTimer::singleShot(0, [&thenRuns] { qn::ui::endModalRuns([&thenRuns] { ++thenRuns; }); });
}

TEST(EndModalRuns, EachBoxAnswersAsItsCancelOrItsOnlyButtonWould) {
  qn::ui::testing::qtApplication();
  struct Case {
    TMsgDlgButtons buttons;
    TModalResult answer;
  } cases[] = {
      {{mbOK}, mrOk},
      {{mbOK, mbCancel}, mrCancel},
      {{mbYes, mbNo, mbCancel}, mrCancel},
      {{mbYes, mbNo}, mrNo},
      {{mbAbort, mbRetry, mbIgnore}, mrAbort},
      {{mbRetry, mbCancel}, mrCancel},
      {{mbRetry, mbIgnore}, mrNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    int thenRuns = 0;
    endRunsSoon(thenRuns);
    EXPECT_EQ(boxWith(c.buttons), c.answer);
    EXPECT_EQ(thenRuns, 0) << "the work waits for the loop";
    EXPECT_TRUE(QTest::qWaitFor([&] { return thenRuns > 0; }, 10000));
    EXPECT_EQ(thenRuns, 1);
  }
}

TEST(EndModalRuns, ABoxOpenedAsTheFirstUnwindsEndsTooAndTheWorkRunsOnceAfterBoth) {
  qn::ui::testing::qtApplication();
  int thenRuns = 0;
  endRunsSoon(thenRuns);
  EXPECT_EQ(boxWith({mbOK, mbCancel}), mrCancel);
  // A refusal's next box, shown at once after the first.
  EXPECT_EQ(boxWith({mbOK}), mrOk);
  EXPECT_EQ(thenRuns, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return thenRuns > 0; }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(thenRuns, 1);
}

TEST(EndModalRuns, AModalFormEndsWithCancel) {
  qn::ui::testing::qtApplication();
  TForm dialog(nullptr);
  dialog.SetBounds(200, 200, 300, 200);
  int thenRuns = 0;
  endRunsSoon(thenRuns);
  EXPECT_EQ(dialog.runModal(), mrCancel);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return thenRuns > 0; }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(thenRuns, 1);
}

TEST(EndModalRuns, WithNothingModalTheWorkRunsFromTheLoop) {
  qn::ui::testing::qtApplication();
  int thenRuns = 0;
  qn::ui::endModalRuns([&] { ++thenRuns; });
  EXPECT_EQ(thenRuns, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return thenRuns > 0; }, 10000));
  QTest::qWait(50);
  EXPECT_EQ(thenRuns, 1);
}

}  // namespace
