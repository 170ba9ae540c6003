#include <gtest/gtest.h>

#include <QTest>
#include <cmath>
#include <QImage>
#include <QWidget>

#include "editors/DateTimeError.h"
#include "editors/MonthCalendar.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/Beep.h"
#include "framework/ui/InputBox.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/VirtualKeys.h"

namespace {

using editorstest::EditorsTest;
using qn::ui::MonthCalendarLayout;

class MonthCalendarTest : public EditorsTest {
 protected:
  TdcMonthCalendar* calendar(TDateTime date) {
    auto* c = place<TdcMonthCalendar>(10, 200, 180);
    c->SetDate(date);
    EXPECT_TRUE(show());
    return c;
  }
  static QPoint centreOf(const TRect& r) { return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  static void click(TdcMonthCalendar* c, const TRect& r) {
    QTest::mouseClick(c->Window(), Qt::LeftButton, {}, centreOf(r));
  }
  void TearDown() override {
    qn::ui::setInputBoxPresenter(nullptr);
    EditorsTest::TearDown();
  }
};

TEST_F(MonthCalendarTest, APressOnATrailingDayBeforeTheMinimumSelectsTheMinimum) {
  auto* c = calendar(EncodeDate(1981, 1, 15));
  c->SetMinDate(EncodeDate(1981, 1, 1));
  const MonthCalendarLayout shown = c->layout();
  TDateTime trailing = 0;
  ASSERT_TRUE(shown.dayInCell(0, 0, 3, trailing));
  ASSERT_EQ(trailing, EncodeDate(1980, 12, 31));
  click(c, shown.dayCell(0, 0, 3));
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(1981, 1, 1));
}

TEST_F(MonthCalendarTest, TheYearMenuDisablesYearsBeforeTheMinimum) {
  auto* c = calendar(EncodeDate(2000, 3, 10));
  c->SetMinDate(EncodeDate(1995, 6, 15));
  c->BuildYearMenu();
  TMenuItem* items = c->YearMenu()->Items();
  ASSERT_EQ(items->Count(), 20);
  for (int i = 0; i < 20; ++i) {
    const int year = 1990 + i;
    EXPECT_EQ(items->Items(i)->Caption(), std::to_string(year));
    EXPECT_EQ(items->Items(i)->Enabled, year > 1995) << year;
    EXPECT_EQ(items->Items(i)->StartsColumn, i == 10) << year;
    EXPECT_EQ(items->Items(i)->Checked(), year == 2000) << year;
  }
}

TEST_F(MonthCalendarTest, PagingAndNextKeepTheDayWithinTheMonthAndTheLimits) {
  auto* c = calendar(EncodeDate(2030, 1, 31));
  c->SetFocus();
  key(c, Qt::Key_PageDown);
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2030, 2, 28));
  c->SetDate(EncodeDate(2030, 1, 31));
  c->SetMaxDate(EncodeDate(2030, 2, 15));
  const int beeps = qn::ui::beepCount();
  click(c, c->layout().nextButton());
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2030, 2, 15));
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
  EXPECT_THROW(c->SetDate(EncodeDate(2030, 3, 1)), EDateTimeError);
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2030, 2, 15));
}

TEST_F(MonthCalendarTest, BoldDaysAreAskedOnlyWithDayStates) {
  int asked = 0;
  auto* c = place<TdcMonthCalendar>(10, 200, 180);
  c->OnCalcBoldDay = [&](TObject*, TDateTime, int, int day, int, bool& accept) {
    ++asked;
    accept = day == 10;
  };
  c->SetOptions({});
  c->SetDate(EncodeDate(2030, 5, 1));
  c->refreshDayStates();
  EXPECT_EQ(asked, 0);
  c->SetOptions({mdoDayState});
  c->refreshDayStates();
  EXPECT_GT(asked, 0);
  EXPECT_TRUE(c->isBold(EncodeDate(2030, 5, 10)));
  EXPECT_FALSE(c->isBold(EncodeDate(2030, 5, 11)));
}

// Dark pixels in the cell of a day: a bold number has more of them.
int darkPixelsOfDay(TdcMonthCalendar* c, TDateTime day) {
  int index, row, column;
  if (!c->layout().findDay(day, index, row, column)) return -1;
  const TRect cell = c->layout().dayCell(index, row, column);
  const QImage picture = c->Window()->grab().toImage();
  int dark = 0;
  for (int y = cell.Top; y < cell.Bottom; ++y)
    for (int x = cell.Left; x < cell.Right; ++x)
      if (qGray(picture.pixel(x, y)) < 100) ++dark;
  return dark;
}

TEST_F(MonthCalendarTest, TheAnsweredDaysPaintBold) {
  auto* c = calendar(EncodeDate(2030, 5, 1));
  const int plain = darkPixelsOfDay(c, EncodeDate(2030, 5, 20));
  c->OnCalcBoldDay = [](TObject*, TDateTime, int, int day, int, bool& accept) { accept = day == 20; };
  c->refreshDayStates();
  c->Repaint();
  const int bold = darkPixelsOfDay(c, EncodeDate(2030, 5, 20));
  ASSERT_GT(plain, 0);
  EXPECT_GT(bold, plain);
}

TEST_F(MonthCalendarTest, TheEditYearBoxAsksUntilAYearWithinTheLimits) {
  auto* c = calendar(EncodeDate(2030, 5, 1));
  c->SetMinDate(EncodeDate(1981, 1, 1));
  c->SetMaxDate(EncodeDate(2079, 12, 31));
  std::vector<InputBoxRequest> asked;
  std::vector<std::optional<AnsiString>> answers{AnsiString("abc"), AnsiString("2100"), AnsiString("2040")};
  qn::ui::setInputBoxPresenter([&](const InputBoxRequest& r) -> std::optional<AnsiString> {
    asked.push_back(r);
    return answers[asked.size() - 1];
  });
  c->EditYear();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].caption, "Enter Valid Year (1981-2079)");
  EXPECT_EQ(asked[0].prompt, "Enter New Year:");
  EXPECT_EQ(asked[0].defaultValue, "2030");
  EXPECT_EQ(asked[2].defaultValue, "2079");
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2040, 5, 1));
  qn::ui::setInputBoxPresenter([](const InputBoxRequest&) -> std::optional<AnsiString> { return std::nullopt; });
  c->EditYear();
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2040, 5, 1));
}

TEST_F(MonthCalendarTest, WithoutLimitsTheEditYearBoxTakesAnyYearADateHolds) {
  auto* c = calendar(EncodeDate(2030, 5, 1));
  int asks = 0;
  qn::ui::setInputBoxPresenter([&](const InputBoxRequest& r) -> std::optional<AnsiString> {
    EXPECT_EQ(r.caption, "Enter Valid Year");
    EXPECT_EQ(r.prompt, "");
    return AnsiString(++asks == 1 ? "0" : "9999");
  });
  c->EditYear();
  EXPECT_EQ(asks, 2);
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(9999, 5, 1));
}

TEST_F(MonthCalendarTest, ColoursCopyOnlyFromColours) {
  TdcDateTimeColors a, b;
  b.SetColor(1, clRed);
  a.Assign(&b);
  EXPECT_EQ(a.TextColor(), clRed);
  TdcPopupYearOptions other;
  try {
    a.Assign(&other);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TdcPopupYearOptions to a TdcDateTimeColors");
  }
  try {
    a.Assign(nullptr);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TdcDateTimeColors");
  }
}

}  // namespace
