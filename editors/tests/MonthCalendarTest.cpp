#include <gtest/gtest.h>

#include <QTest>
#include <cmath>
#include <QImage>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

#include "editors/DateTimeError.h"
#include "editors/MonthCalendar.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/Beep.h"
#include "framework/ui/InputBox.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/SafeDispatch.h"
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

TEST_F(MonthCalendarTest, ShiftWithMultiSelectMovesTheRangesEndAndTheRangeOutlivesAnOptionsChange) {
  auto* c = calendar(EncodeDate(2030, 5, 10));
  c->SetOptions(TdcMonthOptions{mdoDayState, mdoMultiSelect});
  c->SetMaxSelectCount(5);
  c->SetFocus();
  EXPECT_FALSE(c->RangeChanged());
  struct Step {
    Qt::Key key;
    TDateTime start, end;
  } steps[] = {
      {Qt::Key_Right, EncodeDate(2030, 5, 10), EncodeDate(2030, 5, 11)},
      {Qt::Key_Right, EncodeDate(2030, 5, 10), EncodeDate(2030, 5, 12)},
      {Qt::Key_Left, EncodeDate(2030, 5, 10), EncodeDate(2030, 5, 11)},
      {Qt::Key_Down, EncodeDate(2030, 5, 10), EncodeDate(2030, 5, 14)},  // five days at most
      {Qt::Key_Up, EncodeDate(2030, 5, 7), EncodeDate(2030, 5, 10)},
  };
  for (const Step& s : steps) {
    key(c, s.key, Qt::ShiftModifier);
    EXPECT_EQ(c->RangeStart(), s.start) << s.key;
    EXPECT_EQ(c->RangeEnd(), s.end) << s.key;
  }
  EXPECT_TRUE(c->RangeChanged());
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2030, 5, 10));

  c->SetOptions(TdcMonthOptions{mdoDayState, mdoMultiSelect, mdoWeekNumbers});
  EXPECT_EQ(c->selectionStart(), EncodeDate(2030, 5, 7));
  EXPECT_EQ(c->selectionEnd(), EncodeDate(2030, 5, 10));
  c->SetDate(EncodeDate(2030, 6, 1));
  EXPECT_EQ(c->selectionStart(), c->selectionEnd());
  EXPECT_FALSE(c->RangeChanged());
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

TEST_F(MonthCalendarTest, ABorderAndALargerFontGrowTheCalendarToWhatAMonthNeeds) {
  auto* c = calendar(EncodeDate(2030, 5, 1));
  const TPoint least = c->minimumSize();
  c->SetBounds(c->Left(), c->Top(), least.X, least.Y);
  const int middle = least.Y / 2;
  EXPECT_GT(qGray(c->Window()->grab().toImage().pixel(0, middle)), 100);
  c->SetBorderStyle(bsSingle);
  EXPECT_EQ(c->Width(), least.X + 2);
  EXPECT_EQ(c->Height(), least.Y + 2);
  c->Repaint();
  const QImage framed = c->Window()->grab().toImage();
  EXPECT_LT(qGray(framed.pixel(0, middle)), 100);
  EXPECT_LT(qGray(framed.pixel(c->Width() - 1, middle)), 100);

  c->Font()->SetSize(c->Font()->Size() * 2);
  const TPoint larger = c->minimumSize();
  ASSERT_GT(larger.X, least.X);
  EXPECT_EQ(c->Width(), larger.X + 2);
  EXPECT_EQ(c->Height(), larger.Y + 2);
}

// Presses the title part; while its menu is open, notes what it shows and chooses the entry
// with that caption.
struct MenuSeen {
  bool showing = false;
  QStringList checked, disabled;
};
MenuSeen chooseFromTitleMenu(TdcMonthCalendar* c, const TRect& part, bool yearMenu, const QString& entry) {
  MenuSeen seen;
  qn::ui::postCall([&] {
    TCalendarPopupMenu* menu = yearMenu ? c->YearMenu() : c->MonthMenu();
    seen.showing = menu->Showing() && c->MenuShowing();
    QMenu* open = menu->openMenu();
    ASSERT_NE(open, nullptr);
    // A menu in columns shows its entries as buttons.
    const QList<QToolButton*> buttons = open->findChildren<QToolButton*>("menuColumnEntry");
    for (QToolButton* button : buttons) {
      if (button->isChecked()) seen.checked << button->text();
      if (!button->isEnabled()) seen.disabled << button->text();
    }
    for (QAction* action : open->actions()) {
      if (action->isChecked()) seen.checked << action->text();
      if (!action->isEnabled()) seen.disabled << action->text();
    }
    for (QToolButton* button : buttons)
      if (button->text() == entry) return button->click();
    for (QAction* action : open->actions())
      if (action->text() == entry) {
        open->setActiveAction(action);
        return QTest::keyClick(open, Qt::Key_Return);
      }
    open->close();
  });
  QTest::mouseClick(c->Window(), Qt::LeftButton, {}, QPoint((part.Left + part.Right) / 2, (part.Top + part.Bottom) / 2));
  return seen;
}

TEST_F(MonthCalendarTest, TheMonthMenuShowsAtTheTitleAndAChosenMonthKeepsTheDay) {
  auto* c = calendar(EncodeDate(2030, 1, 31));
  c->SetMaxDate(EncodeDate(2030, 10, 15));
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  const MenuSeen seen = chooseFromTitleMenu(c, c->layout().monthNameRect(0), false, "February");
  EXPECT_TRUE(seen.showing);
  EXPECT_FALSE(c->MenuShowing());
  EXPECT_EQ(seen.checked, QStringList({"January"}));
  // 31 November and 31 December would be after the highest date; 31 October too.
  EXPECT_EQ(seen.disabled, QStringList({"October", "November", "December"}));
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2030, 2, 28));
  EXPECT_EQ(c->shownMonth(), 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(MonthCalendarTest, AYearChosenFromTheYearMenuKeepsMonthAndDay) {
  auto* c = calendar(EncodeDate(2000, 2, 29));
  c->SetMinDate(EncodeDate(1995, 6, 15));
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  const MenuSeen seen = chooseFromTitleMenu(c, c->layout().yearRect(0), true, "2003");
  EXPECT_TRUE(seen.showing);
  EXPECT_FALSE(c->MenuShowing());
  EXPECT_EQ(seen.checked, QStringList({"2000"}));
  EXPECT_EQ(seen.disabled, QStringList({"1990", "1991", "1992", "1993", "1994", "1995"}));
  EXPECT_EQ(std::trunc(c->Date()), EncodeDate(2003, 2, 28));
  EXPECT_EQ(c->shownYear(), 2003);
  EXPECT_EQ(changes, 1);
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
