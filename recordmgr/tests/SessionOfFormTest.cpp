// What a session does for the components around it: the datasets and databases of a form follow
// the form's self-naming session, and starting the engine shows the hourglass.
#include <gtest/gtest.h>

#include <thread>

#include "framework/ui/Screen.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestDataset.h"
#include "recordmgr/tests/TestSession.h"

namespace {

using bindingtest::TestDatabaseComponent;
using bindingtest::TestSessionComponent;
using bindingtest::TestTableDataset;

// The screen cursor as the engine's first session saw it while starting.
TCursor cursorAtStart = crDefault;

class CursorSeeingSession : public sessiontest::TestSession {
 public:
  using TestSession::TestSession;
  void DoStart() override { cursorAtStart = Screen->Cursor(); }
};

class SessionOfFormTest : public ::testing::Test {
 protected:
  SessionOfFormTest() {
    sessions.engineClass = &CreateSession<CursorSeeingSession>;
    standard = new TestSessionComponent(nullptr, sessions);
    standard->SetSessionName("Btrieve");
    cursorAtStart = crDefault;
  }
  ~SessionOfFormTest() override { Screen->SetCursor(crDefault); }

  bindingtest::TestSessionList sessions;
  TestSessionComponent* standard;
};

TEST_F(SessionOfFormTest, TheFormsDatasetsAndDatabasesFollowItsSelfNamingSession) {
  TComponent form(nullptr);
  auto* early = new TestTableDataset(&form, sessions);
  auto* session = new TestSessionComponent(&form, sessions);
  session->SetName("Session1");
  session->SetAutoSessionName(true);
  EXPECT_EQ(early->SessionName(), "Session1_1");

  auto* later = new TestTableDataset(&form, sessions);
  auto* database = new TestDatabaseComponent(&form, sessions);
  EXPECT_EQ(later->SessionName(), "Session1_1");
  EXPECT_EQ(database->Session(), session);
  EXPECT_EQ(database->SessionName(), "Session1_1");

  session->SetName("Renamed");
  EXPECT_EQ(early->SessionName(), "Renamed_1");
  EXPECT_EQ(later->SessionName(), "Renamed_1");
  EXPECT_EQ(database->SessionName(), "Renamed_1");

  // Elsewhere nothing changes.
  TComponent otherForm(nullptr);
  auto* elsewhere = new TestTableDataset(&otherForm, sessions);
  auto* otherDatabase = new TestDatabaseComponent(&otherForm, sessions);
  EXPECT_EQ(elsewhere->SessionName(), "");
  EXPECT_EQ(otherDatabase->Session(), standard);
}

TEST_F(SessionOfFormTest, StartingTheEngineShowsTheHourglassAndPutsBackTheCursor) {
  standard->SetActive(true);
  EXPECT_EQ(cursorAtStart, crHourGlass);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(SessionOfFormTest, ACursorAlreadyChosenStaysWhileTheEngineStarts) {
  Screen->SetCursor(crCross);
  standard->SetActive(true);
  EXPECT_EQ(cursorAtStart, crCross);
  EXPECT_EQ(Screen->Cursor(), crCross);
}

TEST_F(SessionOfFormTest, AnotherThreadStartsTheEngineWithoutTouchingTheCursor) {
  std::thread starter([&] { standard->SetActive(true); });
  starter.join();
  EXPECT_TRUE(standard->Active());
  EXPECT_EQ(cursorAtStart, crDefault);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

}  // namespace
