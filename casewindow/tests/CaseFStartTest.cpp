// The main window started on the demo: the command line, the window's caption and status bar,
// and an image of the shown window for a person to look at.
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <filesystem>

#include "casewindow/tests/DemoStartFixture.h"
#include "core/Globals.h"
#include "framework/base/DateTime.h"
#include "framework/ui/StatusBar.h"

namespace casewindow_test {
namespace {

using StartTest = DemoStartFixture;

TEST_F(StartTest, ACaseStartShowsTheCaseScreenOnTheDemo) {
  startWith({"250101"});
  EXPECT_EQ(AliasDescription, "Quillon demo data");
  EXPECT_EQ(DataDir, dataDir());
  EXPECT_EQ(LookupDataDir, dataDir());
  show();

  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(FormShown);
  EXPECT_FALSE(CalendarMode);
  EXPECT_FALSE(CalendarParameter);
  EXPECT_FALSE(CalledFromInstance);
  EXPECT_EQ(SystemDateText, "250101");
  int year, month, day;
  DecodeDate(SystemDate, year, month, day);
  EXPECT_EQ(year, 2005);
  EXPECT_EQ(month, 1);
  EXPECT_EQ(day, 1);
  EXPECT_EQ(caseF->Caption(), AnsiString(44, ' ') + "Quillon Case Entry and Maintenance");
  EXPECT_EQ(caseF->StatusBar1->Panels()->Items(2)->Text(), "Quillon demo data");
  EXPECT_EQ(caseF->StatusPanelText(3), SystemDateDisplay);
  EXPECT_EQ(caseF->StatusBar1->Panels()->Items(3)->Style(), psOwnerDraw) << "the window draws the date itself";

  caseF->Window()->grab().toImage().save(QString::fromStdString(imagePath("case-mode.png")));
}

TEST_F(StartTest, ACalendarStartShowsTheDocketCalendarScreen) {
  startWith({"250101d"});
  show();
  EXPECT_TRUE(CalendarMode);
  EXPECT_TRUE(CalendarParameter);
  EXPECT_EQ(SystemDateText, "250101");
  EXPECT_EQ(caseF->Caption(), AnsiString(44, ' ') + "Quillon Docket Calendar Entry and Maintenance");
  EXPECT_EQ(Application->Title(), "Calendar");
  EXPECT_EQ(caseF->StatusBar1->Panels()->Items(2)->Text(), "Quillon demo data");

  caseF->Window()->grab().toImage().save(QString::fromStdString(imagePath("calendar-mode.png")));
}

}  // namespace
}  // namespace casewindow_test
