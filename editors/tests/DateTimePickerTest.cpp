#include <gtest/gtest.h>

#include "editors/DBDateTimePicker.h"
#include "framework/base/ClassRegistry.h"
#include "editors/DateTimeError.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/base/DateFormat.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/VirtualKeys.h"

namespace {

using editorstest::EditorsTest;

struct Keys {
  const char* text;  // typed characters; '>' Right, '<' Left, '^' Up, 'v' Down, 'H' Home, 'E' End,
                     // 'X' Delete, 'B' Backspace, 'T' Tab
};

class DateTimePickerTest : public EditorsTest {
 protected:
  TdcDBDateTimePicker* picker(TdcDTEditDataType type = dcDTEdtDate, const char* format = "mm/dd/yyyy") {
    auto* p = place<TdcDBDateTimePicker>();
    p->SetUnboundDataType(type);
    p->SetDisplayFormat(format);
    return p;
  }
  // Focuses the picker on its first section.
  void enter(TdcDBDateTimePicker* p) {
    EXPECT_TRUE(show());
    p->SetFocus();
    while (p->Section() > 1) key(p, Qt::Key_Left);
  }
  void press(TdcDBDateTimePicker* p, const char* keys) {
    for (const char* c = keys; *c; ++c) {
      switch (*c) {
        case '>': key(p, Qt::Key_Right); break;
        case '<': key(p, Qt::Key_Left); break;
        case '^': key(p, Qt::Key_Up); break;
        case 'v': key(p, Qt::Key_Down); break;
        case 'H': key(p, Qt::Key_Home); break;
        case 'E': key(p, Qt::Key_End); break;
        case 'X': key(p, Qt::Key_Delete); break;
        case 'B': key(p, Qt::Key_Backspace); break;
        case 'T': key(p, Qt::Key_Tab); break;
        default: {
          const char one[2] = {*c, 0};
          type(p, one);
        }
      }
    }
  }
};

TEST(DateTimeEpochRuleTest, TwoDigitYearsFollowTheEpoch) {
  struct Case {
    int yy, epoch, year;
  } cases[] = {{49, 1950, 2049}, {50, 1950, 1950}, {79, 1980, 2079}, {80, 1980, 1980}, {0, 1950, 2000}, {99, 2000, 2099}};
  for (const Case& c : cases) EXPECT_EQ(DateTimeEpochRule(c.yy, c.epoch), c.year) << c.yy << " " << c.epoch;
}

TEST(DateTimeSectionsTest, SectionsLieWhereTheTextShowsThem) {
  const TDateTime value = EncodeDate(2026, 3, 5) + EncodeTime(14, 7, 9, 0);
  const std::vector<DateTimeSection> all = DateTimeDisplaySections("mm/dd/yyyy h:mm am/pm", value, true, true);
  ASSERT_EQ(all.size(), 6u);
  EXPECT_EQ(FormatDateTime("mm/dd/yyyy h:mm am/pm", value), "03/05/2026 2:07 pm");
  const int starts[] = {0, 3, 6, 11, 13, 16};
  const int lengths[] = {2, 2, 4, 1, 2, 2};
  for (size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].start, starts[i]) << i;
    EXPECT_EQ(all[i].length, lengths[i]) << i;
  }
  EXPECT_EQ(all[4].kind, DateTimeSectionKind::minute);
  EXPECT_EQ(DateTimeDisplaySections("mm/dd/yyyy h:mm am/pm", value, false, true).size(), 3u);
  EXPECT_EQ(ExpandDateTimeFormat("c"), "M/d/yyyy h:mm:ss AMPM");
}

TEST_F(DateTimePickerTest, TwoDigitYearsTypedFollowTheEpoch) {
  struct Case {
    int epoch;
    const char* typed;
    int year;
  } cases[] = {{1950, "49", 2049}, {1950, "50", 1950}, {1980, "79", 2079}, {1980, "80", 1980}};
  for (const Case& c : cases) {
    auto* p = picker(dcDTEdtDate, "mm/dd/yy");
    p->SetEpoch(c.epoch);
    p->SetDate(EncodeDate(2001, 6, 15));
    enter(p);
    press(p, ">>");
    press(p, c.typed);
    int year, month, day;
    DecodeDate(p->Date(), year, month, day);
    EXPECT_EQ(year, c.year) << c.typed;
    EXPECT_EQ(month, 6);
    delete p;
  }
}

TEST_F(DateTimePickerTest, TypedDigitsCompleteOrWaitAsTheSectionAllows) {
  struct Case {
    const char* format;
    TDateTime start;
    const char* keys;
    const char* text;  // shown afterwards
    int section;       // selected afterwards
  } cases[] = {
      // a day above 3 completes at once and the month is next
      {"dd/mm/yyyy", EncodeDate(2030, 1, 20), "4", "04/01/2030", 2},
      // 3 completes in February
      {"dd/mm/yyyy", EncodeDate(2030, 2, 20), "3", "03/02/2030", 2},
      // a month 13 is refused: the first digit stays typed
      {"mm/dd/yyyy", EncodeDate(2030, 6, 20), "13", "1/20/2030", 1},
      {"mm/dd/yyyy", EncodeDate(2030, 6, 20), "12", "12/20/2030", 2},
      {"mm/dd/yyyy", EncodeDate(2030, 6, 20), "09", "09/20/2030", 2},
      // the date separator moves right; "+" and "=" step up, "-" down
      {"mm/dd/yyyy", EncodeDate(2030, 6, 20), "/+", "06/21/2030", 2},
      {"mm/dd/yyyy", EncodeDate(2030, 6, 20), "/==", "06/22/2030", 2},
      {"mm/dd/yyyy", EncodeDate(2030, 6, 20), "-", "05/20/2030", 1},
      // Up on the day of 31 January wraps to 1 January
      {"mm/dd/yyyy", EncodeDate(2030, 1, 31), ">^", "01/01/2030", 2},
      {"mm/dd/yyyy", EncodeDate(2030, 1, 1), ">v", "01/31/2030", 2},
      // a four-digit year takes its fourth digit
      {"mm/dd/yyyy", EncodeDate(2030, 1, 1), ">>1999", "01/01/1999", 3},
  };
  for (const Case& c : cases) {
    auto* p = picker(dcDTEdtDate, c.format);
    p->SetDate(c.start);
    enter(p);
    press(p, c.keys);
    EXPECT_EQ(p->Text(), c.text) << c.format << " " << c.keys;
    EXPECT_EQ(p->Section(), c.section) << c.format << " " << c.keys;
    delete p;
  }
}

TEST_F(DateTimePickerTest, LettersPickMonthsAndWeekdaysByTheirNames) {
  struct Case {
    const char* format;
    const char* keys;
    const char* text;
  } cases[] = {
      {"mmm d, yyyy", "j", "Jun 2, 2030"},   // from April: the next month starting with J
      {"mmm d, yyyy", "jj", "Jul 2, 2030"},
      {"mmm d, yyyy", "a", "Aug 2, 2030"},
      {"mmm d, yyyy", "q", "Apr 2, 2030"},   // no month: refused
      {"ddd mm/dd/yyyy", "s", "Sat 04/06/2030"},  // 2 April 2030 is a Tuesday; the week starts on Sunday
      {"ddd mm/dd/yyyy", "ss", "Sun 03/31/2030"},
  };
  for (const Case& c : cases) {
    auto* p = picker(dcDTEdtDate, c.format);
    p->SetDate(EncodeDate(2030, 4, 2));
    enter(p);
    press(p, c.keys);
    EXPECT_EQ(p->Text(), c.text) << c.format << " " << c.keys;
    delete p;
  }
}

TEST_F(DateTimePickerTest, AnHourAboveOneCompletesUnderAnAmPmToken) {
  auto* p = picker(dcDTEdtTime, "hh:mm am/pm");
  p->SetTime(EncodeTime(15, 30, 0, 0));
  enter(p);
  EXPECT_EQ(p->Text(), "03:30 pm");
  press(p, "2");
  EXPECT_EQ(p->Text(), "02:30 pm");
  EXPECT_EQ(p->Section(), 2);
  // a minute 4 may take a second digit; 7 may not
  press(p, "4");
  EXPECT_EQ(p->Text(), "02:4 pm");
  press(p, "<>7");
  EXPECT_EQ(p->Text(), "02:07 pm");
  press(p, "a");
  EXPECT_EQ(p->Text(), "02:07 am");
}

TEST_F(DateTimePickerTest, YearsLeftWithFewerDigitsFollowTheRules) {
  struct Case {
    int epoch;
    const char* keys;
    TDateTime minDate;
    int year;
  } cases[] = {
      {1950, "99T", 0, 1999},
      // every typed digit deleted: the epoch's century
      {1950, "9XT", 0, 2000},
      {2050, "9XT", 0, 2100},
      // three digits stand as typed, within the limits only
      {1950, "199T", EncodeDate(100, 1, 1), 199},
      {1950, "199T", 0, 2030},
  };
  for (const Case& c : cases) {
    auto* p = picker();
    p->SetEpoch(c.epoch);
    if (c.minDate) p->SetMinDate(c.minDate);
    p->SetDate(EncodeDate(2030, 4, 2));
    enter(p);
    press(p, ">>");
    press(p, c.keys);
    int year, month, day;
    DecodeDate(p->Date(), year, month, day);
    EXPECT_EQ(year, c.year) << c.keys << " " << c.epoch;
    EXPECT_EQ(p->Text(), FormatDateTime("mm/dd/yyyy", p->Date()));
    delete p;
  }
}

TEST_F(DateTimePickerTest, KeysStopAtTheLimits) {
  auto* p = picker();
  p->SetMinDate(EncodeDate(1981, 1, 1));
  p->SetMaxDate(EncodeDate(2079, 12, 31));
  p->SetDate(EncodeDate(1981, 3, 15));
  enter(p);
  press(p, ">>v");
  EXPECT_EQ(p->Text(), "01/01/1981");
  p->SetDate(EncodeDate(2030, 3, 15));
  press(p, "E");
  EXPECT_EQ(p->Text(), "03/15/2079");
  press(p, "H");
  EXPECT_EQ(p->Text(), "03/15/1981");
}

TEST_F(DateTimePickerTest, DatesOutsideTheLimitsAreRefused) {
  auto* p = picker();
  p->SetMinDate(EncodeDate(1981, 1, 1));
  p->SetMaxDate(EncodeDate(2079, 12, 31));
  p->SetDate(EncodeDate(2000, 5, 5));
  struct Case {
    TDateTime date;
    const char* message;
  } cases[] = {{EncodeDate(2080, 1, 1), "Date exceeds maximum of 12/31/2079"},
               {EncodeDate(1980, 12, 31), "Date is less than minimum of 1/1/1981"}};
  for (const Case& c : cases) {
    try {
      p->SetDate(c.date);
      ADD_FAILURE() << c.message;
    } catch (const EDateTimeError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(p->Text(), "05/05/2000");
    EXPECT_EQ(p->Date(), EncodeDate(2000, 5, 5));
  }
  // The limit's day holds at any time of day.
  p->SetUnboundDataType(dcDTEdtDateTime);
  p->SetDate(EncodeDate(2079, 12, 31) + EncodeTime(10, 0, 0, 0));
  EXPECT_EQ(p->Date(), EncodeDate(2079, 12, 31));
  p->SetDate(EncodeDate(2000, 1, 1));
  p->SetTime(EncodeTime(10, 0, 0, 0));
  p->SetDate(EncodeDate(2079, 12, 31));
  EXPECT_NEAR(p->Date(), EncodeDate(2079, 12, 31) + EncodeTime(10, 0, 0, 0), 1e-9);
}

TEST_F(DateTimePickerTest, LimitsRefuseToCross) {
  auto* p = picker();
  p->SetMinDate(EncodeDate(1981, 1, 1));
  EXPECT_THROW(p->SetMaxDate(EncodeDate(1980, 1, 1)), EDateTimeError);
  EXPECT_EQ(p->MaxDate(), 0);
  p->SetMaxDate(EncodeDate(2079, 12, 31));
  try {
    p->SetMinDate(EncodeDate(2080, 1, 1));
    ADD_FAILURE();
  } catch (const EDateTimeError& e) {
    EXPECT_EQ(e.Message(), "Date exceeds maximum of 12/31/2079");
  }
  EXPECT_EQ(p->MinDate(), EncodeDate(1981, 1, 1));
}

TEST_F(DateTimePickerTest, ZeroShowsByKind) {
  Locale().ShortTimeFormat = "hh:mm";
  auto* date = picker(dcDTEdtDate, "");
  auto* time = picker(dcDTEdtTime, "");
  EXPECT_EQ(date->Text(), "");
  EXPECT_EQ(time->Text(), "00:00");
}

TEST_F(DateTimePickerTest, TheDefaultFormatShowsTheTimeOnlyWhenAsked) {
  auto* p = picker(dcDTEdtDateTime, "");
  p->SetDate(EncodeDate(2030, 4, 2));
  enter(p);
  EXPECT_EQ(p->Text(), "4/2/2030");
  press(p, ">>");
  EXPECT_EQ(p->Section(), 3);
  press(p, ">");
  EXPECT_EQ(p->Text(), "4/2/2030 3:05:09 PM");
  EXPECT_EQ(p->Section(), 4);
}

TEST_F(DateTimePickerTest, DeleteEmptiesAndEscapeRestores) {
  auto* p = picker(dcDTEdtDateTime, "mm/dd/yyyy hh:nn");
  p->SetDate(EncodeDate(2030, 4, 2));
  enter(p);
  press(p, "X");
  EXPECT_EQ(p->Text(), "");
  EXPECT_EQ(p->Date(), 0);
  key(p, Qt::Key_Escape);
  EXPECT_EQ(p->Text(), "04/02/2030 00:00");
  EXPECT_FALSE(p->Modified());
}

TEST_F(DateTimePickerTest, TheFormsKeyHandlersComeFirstAndMayDropOrChangeTheKey) {
  auto* p = picker();
  p->SetDate(EncodeDate(2030, 4, 2));
  std::string heard;
  p->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    heard += "down ";
    if (Key == VK_UP) Key = 0;
    if (Key == VK_LEFT) Key = VK_DOWN;
  };
  p->OnKeyPress = [&](TObject*, char& Key) {
    heard += "press ";
    if (Key == '1') Key = 0;
  };
  enter(p);
  press(p, "^");
  EXPECT_EQ(p->Text(), "04/02/2030") << "Up dropped by the handler";
  press(p, "<");
  EXPECT_EQ(p->Text(), "03/02/2030") << "Left made Down by the handler";
  press(p, "1");
  EXPECT_EQ(p->Text(), "03/02/2030") << "the digit dropped by the handler";
  press(p, "9");
  EXPECT_EQ(p->Text(), "09/02/2030");
  EXPECT_EQ(heard, "down down down press down press ");
}

TEST_F(DateTimePickerTest, PasteTakesDatesAndCutEmpties) {
  auto* p = picker();
  p->SetDate(EncodeDate(2030, 4, 2));
  enter(p);
  Clipboard::SetAsText("12/25/2030");
  p->PasteFromClipboard();
  EXPECT_EQ(p->Date(), EncodeDate(2030, 12, 25));
  Clipboard::SetAsText("abc");
  p->PasteFromClipboard();
  EXPECT_EQ(p->Text(), "12/25/2030");
  Clipboard::SetAsText("");
  p->CutToClipboard();
  EXPECT_EQ(Clipboard::AsText(), "12/25/2030");
  EXPECT_EQ(p->Text(), "");
  EXPECT_EQ(p->Date(), 0);
}

TEST_F(DateTimePickerTest, PublishedPropertiesReachThePicker) {
  auto* p = picker();
  EXPECT_EQ(p->Epoch(), 1950);
  EXPECT_TRUE(WriteIntegerProperty(p, "Epoch", 1980));
  EXPECT_TRUE(WriteEnumerationProperty(p, "UnboundDataType", 1));
  EXPECT_TRUE(WriteFloatProperty(p, "Date", EncodeDate(2030, 4, 2)));
  EXPECT_EQ(p->Epoch(), 1980);
  EXPECT_EQ(p->UnboundDataType(), dcDTEdtDate);
  EXPECT_EQ(ReadFloatProperty(p, "Date"), EncodeDate(2030, 4, 2));
  EXPECT_EQ(ReadBooleanProperty(p, "Intavo"), false);
  EXPECT_EQ(ReadStringProperty(p, "Text"), "04/02/2030");
  EXPECT_NE(FindRegisteredClass("TdcDBDateTimePicker"), nullptr);
}

}  // namespace

namespace {

class BoundDateTimePickerTest : public DateTimePickerTest {
 protected:
  TdcDBDateTimePicker* bound(const char* field) {
    auto* p = place<TdcDBDateTimePicker>();
    p->SetDataSource(&source);
    p->SetDataField(field);
    p->SetDisplayFormat("mm/dd/yyyy");
    return p;
  }
};

TEST_F(BoundDateTimePickerTest, ARecordUpdateKeepsThePartThePickerDoesNotShow) {
  data.Edit();
  data.FieldByName("When")->SetAsDateTime(EncodeDate(2030, 4, 2) + EncodeTime(9, 30, 0, 0));
  data.Post();
  auto* p = bound("When");
  p->SetDisplayFormat("mm/dd/yyyy");
  EXPECT_EQ(p->Text(), "04/02/2030");
  enter(p);
  press(p, "^");
  next->SetFocus();
  data.Post();
  EXPECT_NEAR(data.FieldByName("When")->AsDateTime(), EncodeDate(2030, 5, 2) + EncodeTime(9, 30, 0, 0), 1e-6);
  p->SetDisplayFormat("hh:nn");
  enter(p);
  press(p, "^");
  next->SetFocus();
  data.Post();
  EXPECT_NEAR(data.FieldByName("When")->AsDateTime(), EncodeDate(2030, 5, 2) + EncodeTime(10, 30, 0, 0), 1e-6);
}

TEST_F(BoundDateTimePickerTest, DeleteClearsTheFieldOnPost) {
  data.Edit();
  data.FieldByName("Day")->SetAsDateTime(EncodeDate(2030, 4, 2));
  data.Post();
  auto* p = bound("Day");
  enter(p);
  press(p, "X");
  EXPECT_EQ(p->Text(), "");
  next->SetFocus();
  data.Post();
  EXPECT_TRUE(data.FieldByName("Day")->IsNull());
}

TEST_F(BoundDateTimePickerTest, ARequiredFieldRefusesDelete) {
  data.Edit();
  data.FieldByName("Day")->SetAsDateTime(EncodeDate(2030, 4, 2));
  data.Post();
  data.FieldByName("Day")->SetRequired(true);
  auto* p = bound("Day");
  enter(p);
  press(p, "XB");
  EXPECT_EQ(p->Text(), "04/02/2030");
}

TEST_F(BoundDateTimePickerTest, AReadOnlyBindingDropsKeys) {
  data.Edit();
  data.FieldByName("Day")->SetAsDateTime(EncodeDate(2030, 4, 2));
  data.Post();
  auto* p = bound("Day");
  p->SetReadOnly(true);
  enter(p);
  press(p, "^5X");
  EXPECT_EQ(p->Text(), "04/02/2030");
  EXPECT_EQ(data.State(), dsBrowse);
}

}  // namespace

#include "editors/PopupCalendar.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/SafeDispatch.h"
#include <QImage>
#include <QMenu>
#include "framework/ui/ScreenFacts.h"

namespace {

class DateTimePickerDropDownTest : public DateTimePickerTest {
 protected:
  void TearDown() override {
    qn::ui::setScreenFacts(std::nullopt);
    DateTimePickerTest::TearDown();
  }
  TdcDBDateTimePicker* opened(int* drops = nullptr, int* closes = nullptr) {
    auto* p = picker();
    p->SetDate(EncodeDate(2030, 4, 2));
    if (drops) p->OnDropDown = [drops](TObject*) { ++*drops; };
    if (closes) p->OnCloseUp = [closes](TObject*) { ++*closes; };
    enter(p);
    key(p, Qt::Key_Down, Qt::AltModifier);
    return p;
  }
};

TEST_F(DateTimePickerDropDownTest, AltDownOpensTheCalendarUnderThePickerAndEnterAccepts) {
  int drops = 0, closes = 0;
  auto* p = opened(&drops, &closes);
  ASSERT_TRUE(p->IsDroppedDown());
  const TPoint corner = p->ClientToScreen({0, 0});
  EXPECT_EQ(p->CalendarWindow()->placedAt().Left, corner.X);
  EXPECT_FALSE(p->CalendarWindow()->openedAbove());
  EXPECT_TRUE(p->Focused());
  key(p, Qt::Key_Right);
  EXPECT_EQ(p->Date(), EncodeDate(2030, 4, 3));
  key(p, Qt::Key_Return);
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Text(), "04/03/2030");
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(closes, 1);
}

TEST_F(DateTimePickerDropDownTest, EscapeRestoresTheValueHeldAtTheDropDown) {
  auto* p = opened();
  key(p, Qt::Key_PageDown);
  EXPECT_EQ(p->Date(), EncodeDate(2030, 5, 2));
  key(p, Qt::Key_Escape);
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Date(), EncodeDate(2030, 4, 2));
  EXPECT_EQ(p->Text(), "04/02/2030");
}

TEST_F(DateTimePickerDropDownTest, AtTheBottomOfTheWorkAreaItOpensAbove) {
  form->SetBounds(0, 0, 400, 500);
  auto* p = place<TdcDBDateTimePicker>(300, 300);
  p->SetUnboundDataType(dcDTEdtDate);
  p->CalendarAttributes()->Alignment = dcdtaRight;
  ASSERT_TRUE(show());
  const TPoint corner = p->ClientToScreen({0, 0});
  ScreenFacts facts;
  facts.workArea = Rect(0, 0, 2000, corner.Y + p->Height() + 20);
  qn::ui::setScreenFacts(facts);
  p->SetFocus();
  p->DropDown();
  ASSERT_TRUE(p->IsDroppedDown());
  EXPECT_TRUE(p->CalendarWindow()->openedAbove());
  const TRect placed = p->CalendarWindow()->placedAt();
  EXPECT_EQ(placed.Right, corner.X + p->ButtonPanel()->Left());
}

TEST_F(DateTimePickerDropDownTest, APressOutsideWhileTheYearMenuShowsDoesNotClose) {
  auto* p = opened();
  TdcPopupCalendar* calendar = p->Calendar();
  const TRect year = calendar->layout().yearRect(0);
  bool checked = false;
  qn::ui::postCall([&] {
    checked = true;
    EXPECT_TRUE(calendar->YearMenu()->Showing());
    DropDownWindow::pressSeen(next->Window(), next->ClientToScreen({2, 2}));
    EXPECT_TRUE(p->IsDroppedDown());
    if (QMenu* menu = calendar->YearMenu()->openMenu()) menu->close();
  });
  QTest::mouseClick(calendar->Window(), Qt::LeftButton, {}, QPoint((year.Left + year.Right) / 2, (year.Top + year.Bottom) / 2));
  EXPECT_TRUE(checked);
  EXPECT_TRUE(p->IsDroppedDown());
}

TEST_F(DateTimePickerDropDownTest, LeavingThePickerClosesAndFreesItsCalendar) {
  auto* p = opened();
  key(p, Qt::Key_Right);
  const ControlRef first(p->Calendar());
  ASSERT_TRUE(first.get());
  next->SetFocus();
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Date(), EncodeDate(2030, 4, 3));
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(p->Calendar(), nullptr);
  enter(p);
  key(p, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(p->IsDroppedDown());
  EXPECT_EQ(std::trunc(p->Calendar()->Date()), EncodeDate(2030, 4, 3));
  key(p, Qt::Key_Return);
}

TEST_F(DateTimePickerDropDownTest, APressOnTheButtonAppliesTheTypedDigitsWithoutAClick) {
  auto* p = picker();
  p->SetDate(EncodeDate(2030, 4, 2));
  enter(p);
  QTest::keyClicks(p->Window(), "1");  // a month's 1 waits for its second digit
  ASSERT_NE(p->Text(), "01/02/2030");
  QWidget* panel = p->ButtonPanel()->Window();
  const QPoint onButton(p->Button()->Left() + 3, p->Button()->Top() + 3);
  QTest::mousePress(panel, Qt::LeftButton, {}, onButton);
  EXPECT_EQ(p->Text(), "01/02/2030");
  QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(-50, -50));
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Date(), EncodeDate(2030, 1, 2));
}

TEST_F(DateTimePickerDropDownTest, AfterTheYearMenuAnotherWindowBecomingActiveClosesTheCalendar) {
  auto* p = opened();
  key(p, Qt::Key_Right);
  TdcPopupCalendar* calendar = p->Calendar();
  const TRect year = calendar->layout().yearRect(0);
  qn::ui::postCall([&] {
    if (QMenu* menu = calendar->YearMenu()->openMenu()) menu->close();
  });
  QTest::mouseClick(calendar->Window(), Qt::LeftButton, {}, QPoint((year.Left + year.Right) / 2, (year.Top + year.Bottom) / 2));
  // The activation comes back to the form when the menu has gone.
  ASSERT_TRUE(show());
  ASSERT_TRUE(p->IsDroppedDown());
  qn::ui::testing::TTestForm other;
  other.SetBounds(600, 100, 200, 150);
  ASSERT_TRUE(qn::ui::testing::showActive(other));
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Date(), EncodeDate(2030, 4, 3));
}

TEST_F(DateTimePickerDropDownTest, TheDroppedCalendarIsFramedAndSizedWithItsFrame) {
  auto* p = opened();
  ASSERT_TRUE(p->IsDroppedDown());
  TdcPopupCalendar* calendar = p->Calendar();
  const TPoint least = calendar->minimumSize();
  const TRect placed = p->CalendarWindow()->placedAt();
  EXPECT_EQ(placed.Width(), least.X + 2);
  EXPECT_EQ(placed.Height(), least.Y + 2);
  calendar->Repaint();
  const QImage picture = calendar->Window()->grab().toImage();
  EXPECT_LT(qGray(picture.pixel(0, least.Y / 2)), 100);
  EXPECT_LT(qGray(picture.pixel(least.X + 1, least.Y / 2)), 100);
  key(p, Qt::Key_Escape);
}

TEST_F(DateTimePickerDropDownTest, APressOutsideAcceptsAndAReleaseOnADateClosesWithIt) {
  auto* p = opened();
  key(p, Qt::Key_Right);
  DropDownWindow::pressSeen(next->Window(), next->ClientToScreen({2, 2}));
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Date(), EncodeDate(2030, 4, 3));
  key(p, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(p->IsDroppedDown());
  TdcPopupCalendar* calendar = p->Calendar();
  int index, row, column;
  ASSERT_TRUE(calendar->layout().findDay(EncodeDate(2030, 4, 20), index, row, column));
  const TRect cell = calendar->layout().dayCell(index, row, column);
  QTest::mouseClick(calendar->Window(), Qt::LeftButton, {}, QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
  EXPECT_FALSE(p->IsDroppedDown());
  EXPECT_EQ(p->Date(), EncodeDate(2030, 4, 20));
  EXPECT_TRUE(p->Modified());
}

}  // namespace
