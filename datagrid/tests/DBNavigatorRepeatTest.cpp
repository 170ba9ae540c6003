// A movement button held down repeats on the repeat interval while the mouse stays on it.
#include <gtest/gtest.h>

#include "datagrid/tests/NavigatorFixture.h"

namespace navigatortest {
namespace {

class DBNavigatorRepeatTest : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    table->Open();
    button(nbsNext)->OnClick = [this](TObject*) { ++clicks; };
  }
  int clicks = 0;
};

TEST_F(DBNavigatorRepeatTest, HeldDownNextClicksAfterTheInitialDelayThenEveryInterval) {
  press(nbsNext);
  wait(499);
  EXPECT_EQ(clicks, 0);
  wait(1);
  EXPECT_EQ(clicks, 1) << "the first repeat after 500 ms";
  wait(99);
  EXPECT_EQ(clicks, 1);
  wait(1);
  EXPECT_EQ(clicks, 2);
  wait(100);
  wait(100);
  EXPECT_EQ(clicks, 4);
  release(nbsNext);
  EXPECT_EQ(clicks, 5) << "the release in place clicks once more";
  wait(1000);
  EXPECT_EQ(clicks, 5) << "nothing repeats after the release";
}

TEST_F(DBNavigatorRepeatTest, APressAndReleaseClicksOnce) {
  click(nbsNext);
  wait(2000);
  EXPECT_EQ(clicks, 1);
}

TEST_F(DBNavigatorRepeatTest, LeavingTheButtonStopsAndComingBackStartsWithTheInitialDelay) {
  const QPoint away = centreOf(button(nbsInsert));
  press(nbsNext);
  wait(550);
  EXPECT_EQ(clicks, 1);
  qn::ui::testing::moveHeldTo(window(), away);
  wait(1000);
  EXPECT_EQ(clicks, 1) << "no repeat while the mouse is off the button";
  qn::ui::testing::moveHeldTo(window(), centreOf(button(nbsNext)));
  wait(499);
  EXPECT_EQ(clicks, 1);
  wait(1);
  EXPECT_EQ(clicks, 2) << "the initial delay again";
  wait(100);
  EXPECT_EQ(clicks, 3);
  qn::ui::testing::moveHeldTo(window(), away);
  qn::ui::testing::releaseAt(window(), away);
  EXPECT_EQ(clicks, 3) << "a release away from the button is no click";
}

TEST_F(DBNavigatorRepeatTest, TheRepeatIntervalIsTheNavigators) {
  navigator->RepeatInterval()->InitialDelay = 200;
  navigator->RepeatInterval()->Interval = 50;
  press(nbsNext);
  wait(200);
  wait(50);
  wait(50);
  EXPECT_EQ(clicks, 3);
  release(nbsNext);
}

TEST_F(DBNavigatorRepeatTest, TheBuiltInMovementRepeatsAndOtherStylesDoNot) {
  button(nbsNext)->OnClick = nullptr;
  press(nbsNext);
  wait(500);
  wait(100);
  EXPECT_EQ(code(), "C03");
  release(nbsNext);
  EXPECT_EQ(code(), "C04");

  press(nbsEdit);
  EXPECT_FALSE(button(nbsEdit)->repeating());
  release(nbsEdit);
  EXPECT_EQ(table->State(), dsEdit);
  table->Cancel();
}

TEST_F(DBNavigatorRepeatTest, AFailingMovementStopsTheRepeat) {
  button(nbsNext)->OnClick = nullptr;
  table->Last();
  table->Prior();
  press(nbsNext);
  EXPECT_TRUE(button(nbsNext)->repeating());
  table->Edit();
  table->FieldByName(datasettest::kFirstName)->SetAsString("12a");
  table->PictureMasks()->SetText(std::string(datasettest::kFirstName) + "\t#####\tT\tF\r\n");
  std::vector<std::string> shown;
  Application->OnException = [&](TObject*, const Exception& e) { shown.push_back(e.Message()); };
  wait(500);
  Application->OnException = nullptr;
  EXPECT_FALSE(button(nbsNext)->repeating()) << "the refused move (its post) ended the repeat";
  EXPECT_TRUE(shown.empty()) << "a movement fails quietly";
  release(nbsNext);
  table->Cancel();
}

}  // namespace
}  // namespace navigatortest
