#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "framework/base/Clock.h"
#include "framework/ui/HintService.h"
#include "framework/ui/testing/ScriptedServices.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

struct HintForm {
  ManualClock clock{1000};
  TForm form{nullptr};
  TTestEdit* hinted = new TTestEdit(&form, &form, "Hinted");
  TTestEdit* plain = new TTestEdit(&form, &form, "Plain");
  Log changes;

  HintForm() {
    setClock(&clock);
    plain->SetTop(60);
    hinted->SetHint("Client code|Enter the client's code or press F2 to look it up");
    hinted->SetShowHint(true);
    EXPECT_TRUE(showActive(form));
    Application->hintChanged = [this](TObject*) { changes.push_back(Application->currentHint()); };
  }
  ~HintForm() {
    Application->hintChanged = nullptr;
    mouseIsOver(nullptr, {});
    setClock(nullptr);
  }
  void moveOver(TTestEdit* edit) { QTest::mouseMove(edit->lineEdit(), QPoint(10, 5)); }
};

TEST(HintAndHelpTest, RestingOverAControlShowsItsShortHintAfterThePause) {
  qtApplication();
  HintForm f;
  RecordedTooltips tooltips;
  f.moveOver(f.hinted);
  EXPECT_EQ(f.changes, Log{"Enter the client's code or press F2 to look it up"});
  f.clock.advance(kHintPauseMs - 1);
  Application->ProcessMessages();
  EXPECT_TRUE(tooltips.shown().empty()) << "the pause has not passed";
  f.clock.advance(1);
  Application->ProcessMessages();
  EXPECT_EQ(tooltips.shown(), std::vector<AnsiString>{"Client code"});
  f.clock.advance(5 * kHintPauseMs);
  Application->ProcessMessages();
  EXPECT_EQ(tooltips.shown().size(), 1u) << "shown once per rest";
}

TEST(HintAndHelpTest, MovingToAControlWithoutHintClearsTheCurrentHint) {
  qtApplication();
  HintForm f;
  RecordedTooltips tooltips;
  f.moveOver(f.hinted);
  f.moveOver(f.plain);
  EXPECT_EQ(Application->currentHint(), "");
  EXPECT_EQ(f.changes, (Log{"Enter the client's code or press F2 to look it up", ""}));
  f.clock.advance(kHintPauseMs);
  Application->ProcessMessages();
  EXPECT_TRUE(tooltips.shown().empty());
}

TEST(HintAndHelpTest, AHintWithoutBarIsBothShortAndLong) {
  EXPECT_EQ(GetShortHint("Save"), "Save");
  EXPECT_EQ(GetLongHint("Save"), "Save");
  EXPECT_EQ(GetShortHint("Save|Saves the matter"), "Save");
  EXPECT_EQ(GetLongHint("Save|Saves the matter"), "Saves the matter");
}

TEST(HintAndHelpTest, F1AsksForTheFocusedControlsContextElseItsForms) {
  qtApplication();
  RecordedHelp help;
  Application->SetHelpFile("/opt/help/cases.html");
  TForm form(nullptr);
  auto* withContext = new TTestEdit(&form, &form, "WithContext");
  auto* without = new TTestEdit(&form, &form, "Without");
  without->SetTop(40);
  withContext->SetHelpContext(42);
  form.SetHelpContext(7);
  ASSERT_TRUE(showActive(form));
  withContext->SetFocus();
  QTest::keyClick(withContext->lineEdit(), Qt::Key_F1);
  without->SetFocus();
  QTest::keyClick(without->lineEdit(), Qt::Key_F1);
  Application->showHelpContext(900);
  ASSERT_EQ(help.requests().size(), 3u);
  EXPECT_EQ(help.requests()[0].context, 42);
  EXPECT_EQ(help.requests()[0].helpFile, "/opt/help/cases.html");
  EXPECT_EQ(help.requests()[1].context, 7);
  EXPECT_EQ(help.requests()[2].context, 900);
}

}  // namespace
}  // namespace qn::ui::testing
