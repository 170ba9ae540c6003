#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <utility>
#include <vector>

#include "framework/base/DateTime.h"
#include "framework/ui/MonthCalendarLayout.h"
#include "framework/ui/MonthCalendarView.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

using qn::ui::CalendarHit;
using qn::ui::CalendarPart;
using qn::ui::MonthCalendarLayout;

// Cells of 20 x 15 pixels and text of 6 pixels a character make the geometry easy to follow:
// a month is 148 wide (7 cells and 4 on each side); its title runs from y 1 to 23 with the
// previous button at x 5..21 and the next button at x 127..143; "January 1981" is 72 wide and
// centred, so the month name spans x 38..80 and the year x 86..110; the day names take y 23..38
// and the week rows start at y 40, one cell each; the today line starts at y 134.
qn::ui::CalendarLayoutSettings fixedCells() {
  qn::ui::CalendarLayoutSettings settings;
  settings.cellWidth = 20;
  settings.cellHeight = 15;
  settings.textWidth = [](const AnsiString& text) { return static_cast<int>(text.size()) * 6; };
  return settings;
}

TPoint cellPoint(int row, int column) { return Point(4 + column * 20 + 10, 40 + row * 15 + 7); }

struct HitCase {
  const char* name;
  TPoint point;
  CalendarHit expected;
};

TEST(MonthCalendarLayout, HitTestFindsEachPartOfAShownMonth) {
  // 1 January 1981 was a Thursday: with Sunday first, the first row starts on 28 December 1980.
  MonthCalendarLayout layout(fixedCells(), 148, 160, 1981, 1);
  ASSERT_EQ(layout.monthCount(), 1);
  const HitCase cases[] = {
      {"title month", Point(50, 10), {CalendarPart::titleMonth, 1981, 1, 0, 0}},
      {"title year", Point(95, 10), {CalendarPart::titleYear, 1981, 1, 0, 0}},
      {"title between", Point(30, 10), {CalendarPart::nothing, 1981, 1, 0, 0}},
      {"previous", Point(10, 10), {CalendarPart::previousButton, 1981, 1, 0, 0}},
      {"next", Point(135, 10), {CalendarPart::nextButton, 1981, 1, 0, 0}},
      {"a day", cellPoint(0, 4), {CalendarPart::day, 1981, 1, 1, 0}},
      {"a later day", cellPoint(4, 6), {CalendarPart::day, 1981, 1, 31, 0}},
      {"trailing day before", cellPoint(0, 3), {CalendarPart::day, 1980, 12, 31, 0}},
      {"first trailing day", cellPoint(0, 0), {CalendarPart::day, 1980, 12, 28, 0}},
      {"trailing day after", cellPoint(5, 6), {CalendarPart::day, 1981, 2, 7, 0}},
      {"day names", Point(50, 30), {CalendarPart::nothing, 1981, 1, 0, 0}},
      {"outside", Point(300, 10), {CalendarPart::nothing, 0, 0, 0, -1}},
  };
  for (const HitCase& c : cases) EXPECT_EQ(layout.hitTest(c.point), c.expected) << c.name;
  EXPECT_EQ(layout.hitTest(Point(20, 140)).part, CalendarPart::today);
}

TEST(MonthCalendarLayout, MiddleMonthsShowNoTrailingDays) {
  // March and April 1981 side by side (1 March a Sunday, 1 April a Wednesday): March's days after
  // the 31st and April's before the 1st stay blank; April, the last month, shows May's first days.
  MonthCalendarLayout layout(fixedCells(), 296, 160, 1981, 3);
  ASSERT_EQ(layout.monthCount(), 2);
  auto aprilPoint = [](int row, int column) { return Point(148 + 4 + column * 20 + 10, 40 + row * 15 + 7); };
  EXPECT_EQ(layout.hitTest(cellPoint(4, 2)), (CalendarHit{CalendarPart::day, 1981, 3, 31, 0}));
  EXPECT_EQ(layout.hitTest(cellPoint(4, 3)), (CalendarHit{CalendarPart::nothing, 1981, 3, 0, 0}));
  EXPECT_EQ(layout.hitTest(aprilPoint(0, 2)), (CalendarHit{CalendarPart::nothing, 1981, 4, 0, 1}));
  EXPECT_EQ(layout.hitTest(aprilPoint(0, 3)), (CalendarHit{CalendarPart::day, 1981, 4, 1, 1}));
  EXPECT_EQ(layout.hitTest(aprilPoint(5, 6)), (CalendarHit{CalendarPart::day, 1981, 5, 9, 1}));
}

TEST(MonthCalendarLayout, MondayFirstMovesTheFirstColumn) {
  qn::ui::CalendarLayoutSettings settings = fixedCells();
  EXPECT_EQ(MonthCalendarLayout(settings, 148, 160, 2026, 1).hitTest(cellPoint(0, 0)).date(), EncodeDate(2025, 12, 28));
  settings.firstDayOfWeek = 0;
  EXPECT_EQ(MonthCalendarLayout(settings, 148, 160, 2026, 1).hitTest(cellPoint(0, 0)).date(), EncodeDate(2025, 12, 29));
  EXPECT_EQ(MonthCalendarLayout(settings, 148, 160, 2026, 1).hitTest(cellPoint(0, 3)).date(), EncodeDate(2026, 1, 1));
}

TEST(MonthCalendarLayout, WeekNumbersWidenTheMonth) {
  qn::ui::CalendarLayoutSettings settings = fixedCells();
  settings.weekNumbers = true;
  EXPECT_EQ(MonthCalendarLayout::minimumSize(settings).X, 168);
  EXPECT_EQ(MonthCalendarLayout(settings, 168, 160, 1981, 1).hitTest(Point(4 + 20 + 4 * 20 + 10, 47)).day, 1);
}

// Takes every press it is offered when told to, recording what it was offered.
class TRecordingCalendar : public MonthCalendarView {
  QN_CLASS(TRecordingCalendar, MonthCalendarView)
 public:
  using MonthCalendarView::MonthCalendarView;
  bool takePresses = false;
  std::vector<CalendarHit> offered;

 protected:
  bool takePress(const CalendarHit& hit, TMouseButton, TShiftState, TPoint) override {
    offered.push_back(hit);
    return takePresses;
  }
};

class MonthCalendarViewTest : public ::testing::Test {
 protected:
  void SetUp() override { qn::ui::testing::qtApplication(); }

  static QPoint centreOf(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  static void press(MonthCalendarView& calendar, const TRect& r) {
    QTest::mouseClick(calendar.Window(), Qt::LeftButton, {}, centreOf(r));
  }
};

TEST_F(MonthCalendarViewTest, APressOnADayBeforeTheMinimumReachesTheSubclassFirst) {
  TRecordingCalendar calendar(nullptr);
  calendar.setRange(EncodeDate(1981, 1, 1), 0);
  calendar.setDate(EncodeDate(1981, 1, 15));
  calendar.Window()->show();
  int changes = 0;
  calendar.OnSelectionChange = [&](TObject*) { ++changes; };
  MonthCalendarLayout shown = calendar.layout();
  TDateTime trailing = 0;
  ASSERT_TRUE(shown.dayInCell(0, 0, 3, trailing));
  ASSERT_EQ(trailing, EncodeDate(1980, 12, 31));

  calendar.takePresses = true;
  press(calendar, shown.dayCell(0, 0, 3));
  ASSERT_EQ(calendar.offered.size(), 1u);
  EXPECT_EQ(calendar.offered[0].date(), EncodeDate(1980, 12, 31));
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(1981, 1, 15));

  // Left to the control, a day outside the limits is not chosen either.
  calendar.takePresses = false;
  press(calendar, shown.dayCell(0, 0, 3));
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(1981, 1, 15));
  EXPECT_EQ(changes, 0);

  int row = 0;
  int column = 0;
  int index = 0;
  ASSERT_TRUE(shown.findDay(EncodeDate(1981, 1, 20), index, row, column));
  press(calendar, shown.dayCell(index, row, column));
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(1981, 1, 20));
  EXPECT_EQ(changes, 1);
}

TEST_F(MonthCalendarViewTest, NextAndPreviousMoveTheShownMonthByTheStep) {
  MonthCalendarView calendar(nullptr);
  calendar.setDate(EncodeDate(2026, 5, 10));
  calendar.Window()->show();
  press(calendar, calendar.layout().nextButton());
  EXPECT_EQ(std::make_pair(calendar.shownYear(), calendar.shownMonth()), std::make_pair(2026, 6));
  calendar.setMonthStep(3);
  press(calendar, calendar.layout().previousButton());
  EXPECT_EQ(std::make_pair(calendar.shownYear(), calendar.shownMonth()), std::make_pair(2026, 3));
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 5, 10));
}

TEST_F(MonthCalendarViewTest, ShiftDownExtendsTheRangeBySevenDaysUpToTheMaximum) {
  MonthCalendarView calendar(nullptr);
  calendar.setMultiSelect(true);
  calendar.SetMaxSelectCount(31);
  calendar.setDate(EncodeDate(2026, 1, 1));
  calendar.Window()->show();
  int changes = 0;
  calendar.OnSelectionChange = [&](TObject*) { ++changes; };
  calendar.setDate(EncodeDate(2026, 1, 2));  // changes by code are not told
  calendar.setDate(EncodeDate(2026, 1, 1));
  EXPECT_EQ(changes, 0);
  const TDateTime first = EncodeDate(2026, 1, 1);
  const std::vector<TDateTime> ends = {first + 7, first + 14, first + 21, first + 28, first + 30, first + 30};
  for (TDateTime end : ends) {
    QTest::keyClick(calendar.Window(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(calendar.selectionStart(), first);
    EXPECT_EQ(calendar.selectionEnd(), end);
  }
  EXPECT_EQ(changes, 5);  // the last press changed nothing
  QTest::keyClick(calendar.Window(), Qt::Key_Right);
  EXPECT_EQ(calendar.selectionStart(), first + 31);
  EXPECT_EQ(calendar.selectionEnd(), first + 31);
}

TEST_F(MonthCalendarViewTest, AMultiSelectionHoldsAtMostMaxSelectCountDays) {
  MonthCalendarView calendar(nullptr);
  calendar.setMultiSelect(true);
  calendar.SetMaxSelectCount(7);
  calendar.setSelection(EncodeDate(2026, 3, 1), EncodeDate(2026, 3, 31));
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 3, 1));
  EXPECT_EQ(calendar.selectionEnd(), EncodeDate(2026, 3, 7));
  // By the mouse: a shift-click on the 31st stops the range at the 7th as well.
  calendar.setDate(EncodeDate(2026, 3, 1));
  calendar.Window()->show();
  MonthCalendarLayout shown = calendar.layout();
  int index = 0, row = 0, column = 0;
  ASSERT_TRUE(shown.findDay(EncodeDate(2026, 3, 31), index, row, column));
  QTest::mouseClick(calendar.Window(), Qt::LeftButton, Qt::ShiftModifier, centreOf(shown.dayCell(index, row, column)));
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 3, 1));
  EXPECT_EQ(calendar.selectionEnd(), EncodeDate(2026, 3, 7));
}

TEST_F(MonthCalendarViewTest, AClickOnTheHighestDateSelectsItAndOnTheDayAfterDoesNot) {
  MonthCalendarView calendar(nullptr);
  calendar.setRange(0, EncodeDate(2026, 3, 15));
  calendar.setDate(EncodeDate(2026, 3, 2));
  calendar.Window()->show();
  MonthCalendarLayout shown = calendar.layout();
  const std::pair<TDateTime, TDateTime> clicks[] = {
      {EncodeDate(2026, 3, 15), EncodeDate(2026, 3, 15)},
      {EncodeDate(2026, 3, 16), EncodeDate(2026, 3, 15)},
  };
  for (const auto& [day, selected] : clicks) {
    int index = 0, row = 0, column = 0;
    ASSERT_TRUE(shown.findDay(day, index, row, column));
    press(calendar, shown.dayCell(index, row, column));
    EXPECT_EQ(calendar.selectionStart(), selected);
    EXPECT_EQ(calendar.selectionEnd(), selected);
  }
}

TEST_F(MonthCalendarViewTest, KeysStopAtTheLimits) {
  MonthCalendarView calendar(nullptr);
  calendar.setRange(EncodeDate(2026, 1, 1), EncodeDate(2026, 1, 20));
  calendar.setDate(EncodeDate(2026, 1, 16));
  calendar.Window()->show();
  QTest::keyClick(calendar.Window(), Qt::Key_Down);
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 1, 20));
  QTest::keyClick(calendar.Window(), Qt::Key_PageUp);
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 1, 1));
}

TEST_F(MonthCalendarViewTest, DayStatesAreAskedForTheShownMonthsOnlyAndNeverWhenOff) {
  MonthCalendarView calendar(nullptr);
  std::vector<std::pair<int, int>> asked;
  calendar.OnDayState = [&](int year, int month) {
    asked.emplace_back(year, month);
    return month == 2 ? 1u << 13 : 0u;  // 14 February
  };
  calendar.setDate(EncodeDate(2026, 1, 10));
  TPoint one = calendar.minimumSize();
  calendar.SetBounds(0, 0, one.X * 2, one.Y);
  calendar.Window()->show();
  ASSERT_EQ(calendar.shownMonthCount(), 2);
  calendar.setShownMonth(2026, 3);
  calendar.setShownMonth(2026, 1);
  EXPECT_TRUE(asked.empty());

  calendar.setDayStates(true);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2026, 1}, {2026, 2}}));
  EXPECT_TRUE(calendar.isBold(EncodeDate(2026, 2, 14)));
  EXPECT_FALSE(calendar.isBold(EncodeDate(2026, 2, 13)));
  asked.clear();
  press(calendar, calendar.layout().nextButton());
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2026, 2}, {2026, 3}}));

  calendar.setDayStates(false);
  asked.clear();
  press(calendar, calendar.layout().nextButton());
  calendar.SetBounds(0, 0, one.X * 3, one.Y);
  EXPECT_TRUE(asked.empty());
  EXPECT_FALSE(calendar.isBold(EncodeDate(2026, 2, 14)));
}

TEST_F(MonthCalendarViewTest, MondayFirstMovesTheFirstColumnOnScreen) {
  MonthCalendarView calendar(nullptr);
  calendar.setDate(EncodeDate(2026, 1, 10));
  calendar.Window()->show();
  TRect firstCell = calendar.layout().dayCell(0, 0, 0);
  QPoint centre = centreOf(firstCell);
  EXPECT_EQ(calendar.hitTest(Point(centre.x(), centre.y())).date(), EncodeDate(2025, 12, 28));
  calendar.setFirstDayOfWeek(0);
  EXPECT_EQ(calendar.hitTest(Point(centre.x(), centre.y())).date(), EncodeDate(2025, 12, 29));
  press(calendar, firstCell);
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2025, 12, 29));
  EXPECT_EQ(std::make_pair(calendar.shownYear(), calendar.shownMonth()), std::make_pair(2025, 12));
}

TEST_F(MonthCalendarViewTest, ABiggerFontNeedsABiggerControl) {
  MonthCalendarView calendar(nullptr);
  TPoint small = calendar.minimumSize();
  calendar.Font()->SetSize(calendar.Font()->Size() * 2);
  TPoint large = calendar.minimumSize();
  EXPECT_GT(large.X, small.X);
  EXPECT_GT(large.Y, small.Y);
}

// Takes the Left key: the control never sees it.
class TLeftTakingCalendar : public MonthCalendarView {
  QN_CLASS(TLeftTakingCalendar, MonthCalendarView)
 public:
  using MonthCalendarView::MonthCalendarView;
  int taken = 0;

 protected:
  bool takeKey(WORD& Key, TShiftState) override {
    if (Key != VK_LEFT) return false;
    ++taken;
    return true;
  }
};

TEST_F(MonthCalendarViewTest, ASubclassMayTakeAKeyFirst) {
  TLeftTakingCalendar calendar(nullptr);
  calendar.setDate(EncodeDate(2026, 3, 10));
  calendar.Window()->show();
  QTest::keyClick(calendar.Window(), Qt::Key_Left);
  EXPECT_EQ(calendar.taken, 1);
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 3, 10));
  QTest::keyClick(calendar.Window(), Qt::Key_Right);
  EXPECT_EQ(calendar.selectionStart(), EncodeDate(2026, 3, 11));
}

}  // namespace
