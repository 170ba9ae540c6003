// The command line the main window starts with: the system date and the mode characters of the
// first argument, the client arguments, and the refusals that end the start-up where they happen.
#include <filesystem>

#include "casewindow/tests/DemoStartFixture.h"
#include "core/Constants.h"
#include "core/Globals.h"

namespace casewindow_test {
namespace {

using CommandLineTest = DemoStartFixture;

struct ModeCase {
  const char* argument;
  bool calendarMode, calendarParameter, calledFromInstance;
};

TEST_F(CommandLineTest, TheFirstArgumentsLengthAndSeventhCharacterChooseTheMode) {
  for (const ModeCase& c : {ModeCase{"250101", false, false, false}, ModeCase{"250101d", true, true, false},
                            ModeCase{"250101**", false, false, true}, ModeCase{"250101x", true, false, false}}) {
    SCOPED_TRACE(c.argument);
    CalendarMode = CalendarParameter = CalledFromInstance = false;
    startWith({c.argument});
    show();
    EXPECT_EQ(CalendarMode, c.calendarMode);
    EXPECT_EQ(CalendarParameter, c.calendarParameter);
    EXPECT_EQ(CalledFromInstance, c.calledFromInstance);
    EXPECT_EQ(SystemDateText, "250101");
    EXPECT_EQ(SystemDateDisplay, "01/01/05");
    EXPECT_FALSE(Application->Terminated());
    delete caseF;
    caseF = nullptr;
  }
}

TEST_F(CommandLineTest, ClientArgumentsMarkAMissingNameAndAPendingCase) {
  startWith({"250101", "ADAMS", "x_x_x", "1", "ALT"});
  show();
  EXPECT_TRUE(ClientNameMissing);
  EXPECT_TRUE(PendingCaseArgs);
}

TEST_F(CommandLineTest, AClientNameAndNoCaseLeaveNothingPending) {
  startWith({"250101", "ADAMS", "Adams"});
  show();
  EXPECT_FALSE(ClientNameMissing);
  EXPECT_FALSE(PendingCaseArgs);
}

TEST_F(CommandLineTest, NoArgumentIsRefusedAndNothingIsWrittenAfterTheRefusal) {
  startWith({});
  setHost("HideNotesCases", "");
  std::filesystem::remove_all(dataDir() + "/cmdata");
  boxes->expect(mtError,
                "The Case Entry and Maintenance program must be run from the Quillon Main Menu.\r\r"
                "If it is run independently, the system will not function properly.\r\r"
                "Parameter received is .\r\r" + ContactSupportText);
  show();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(FormShown);
  EXPECT_EQ(host("HideNotesCases"), "");
  EXPECT_FALSE(std::filesystem::exists(dataDir() + "/cmdata"));
  EXPECT_EQ(SystemDateText.size(), 6u) << "today as a record-file date";
}

TEST_F(CommandLineTest, ABadSystemDateShowsTheConvertersMessagesAndEndsTheStartUp) {
  startWith({"251301"});
  setHost("HideNotesCases", "");
  // The demo's dates are month first.
  boxes->expect(mtError, "Can't convert QN file date to QN display date. DateFormat = M/d/yyyy.  QN file date = 251301. "
                         "Date 01/01/81 will be used. " + CallSupportText)
      .expect(mtError, "Invalid QN file date  13/01/2005Date 01/01/1981 will be used. " + CallSupportText);
  show();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(FormShown);
  EXPECT_EQ(host("HideNotesCases"), "");
}

}  // namespace
}  // namespace casewindow_test
