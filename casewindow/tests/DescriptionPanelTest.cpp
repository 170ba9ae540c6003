// The description panel: the expanded view of a description, the time pickers' keys, the item
// codes from the code table, the day of the week, and the pop-up under the panel.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "casewindow/CaseDescriptionF.h"
#include "casewindow/FullDsc1F.h"
#include "casewindow/NarrativeTextExpansion.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "core/RecordFiles.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/NarrativeCodes.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "framework/db/Field.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateTime.h"
#include "framework/base/FormVariables.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Color.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ShapeControl.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"

namespace casewindow_test {
namespace {

// Entries as the main window keeps them: the code, three blanks more, the text from the seventh
// character.
const std::vector<AnsiString> kCodes = {
    "LTR   letter to client",
    "TCC   telephone conference with",
    "ABC   about the contract",
};

struct Expansion {
  const char* text;
  bool dropComments;
  const char* expanded;
};

TEST(ExpandNarrativeText, CodesBecomeTheirTextsWithTheBlanksAndCapitalsOfASentence) {
  const Expansion rows[] = {
      {"Drafted+LTR", false, "Drafted letter to client"},
      {"Drafted+LTR.", false, "Drafted letter to client."},
      {"Drafted+LTR, then", false, "Drafted letter to client, then"},
      {"a +LTR today", false, "a letter to client today"},
      {"+LTRtoday", false, "Letter to client today"},
      {"+TCC counsel", false, "Telephone conference with counsel"},
      {"+TCC", false, "Telephone conference with"},
      {"Why?+LTR", false, "Why? Letter to client"},
      {"+TCC +ABC", false, "Telephone conference with about the contract"},
      {"Done. +LTR", false, "Done.  Letter to client"},
      {"+LTR. +TCC", false, "Letter to client.  Telephone conference with"},
      {"Note +ABC", false, "Note about the contract"},
      {"see +XYZ now", false, "see +XYZ now"},
      {"+XYZ", false, "+XYZ"},
      {"+LT", false, "+LT"},
      {"Call //billed later// client", true, "Call   client"},
      {"Call //billed later// client", false, "Call //billed later// client"},
      {"Call//note//+LTR", true, "Call letter to client"},
      {"Call//note//+LTR", false, "Call//note// letter to client"},
      {"Call //never closed", true, "Call  "},
      {"ab//cd", true, "ab//cd"},
      {"", false, ""},
  };
  for (const Expansion& row : rows) {
    SCOPED_TRACE(std::string(row.text) + (row.dropComments ? " (comments dropped)" : ""));
    EXPECT_EQ(ExpandNarrativeText(row.text, kCodes, row.dropComments), row.expanded);
  }
}

TEST(ExpandNarrativeText, AnEntryShorterThanItsCodeAndBlanksGivesNoText) {
  EXPECT_EQ(ExpandNarrativeText("Sent+ZZZ done", {"ZZZ"}, false), "Sent  done");
  EXPECT_EQ(ExpandNarrativeText("Sent+LTR", {}, false), "Sent+LTR");
}

class DescriptionPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    panel = std::make_unique<TCaseDescriptionF>(nullptr);
  }
  std::unique_ptr<TCaseDescriptionF> panel;
};

TEST_F(DescriptionPanelTest, IsMadeByClassNameKeptInItsVariableAndGreyAt783Pixels) {
  ASSERT_TRUE(FindRegisteredClass("TCaseDescriptionF"));
  EXPECT_TRUE(StoreFormVariable("TCaseDescriptionF", panel.get()));
  EXPECT_EQ(CaseDescriptionF, panel.get());
  CaseDescriptionF = nullptr;
  EXPECT_EQ(panel->Name(), "CaseDescriptionF");
  EXPECT_EQ(panel->Width(), 783);
  EXPECT_EQ(panel->Color(), clScrollBar);
  EXPECT_EQ(panel->DescriptionBitBtn->Caption(), "&Descriptions");
  EXPECT_EQ(panel->CaseDescription->DataField(), "Description Line 1");
  EXPECT_EQ(panel->Label2->Caption(), "Start time");
  for (const char* name : {"CaseDescription", "ExpandSB", "DescriptionBitBtn", "PanelCaseDescription",
                           "PanelCalendarDateTime", "CalDate", "CalTime", "CalDate2", "CalTime2", "Label2",
                           "LabelDayOfWeek", "ComboBox1", "LabelCaseList", "Shape1", "LabelDescription1"})
    EXPECT_NE(panel->FindComponent(name), nullptr) << name;
  EXPECT_FALSE(panel->CalTime2->Enabled()) << "enabled by the calendar mode";
  EXPECT_FALSE(panel->LabelCaseList->Enabled());
}

TEST_F(DescriptionPanelTest, TheExpandButtonIsEnabledWhileTheLineHoldsACode) {
  EXPECT_FALSE(panel->ExpandSB->Enabled());
  panel->CaseDescription->SetText("Estate of +ABC");
  EXPECT_TRUE(panel->ExpandSB->Enabled());
  panel->CaseDescription->SetText("Estate of Harriet Adams");
  EXPECT_FALSE(panel->ExpandSB->Enabled());
}

TEST_F(DescriptionPanelTest, TheTimePickersTakeDigitsAmAndPmAndTheKeypadsDigitsAsDigits) {
  for (WORD key = 'A'; key <= 'Z'; ++key) {
    WORD k = key;
    panel->CalTimeKeyDown(panel->CalTime, k, {});
    const bool passes = key == 'A' || key == 'M' || key == 'P';
    EXPECT_EQ(k, passes ? key : 0) << static_cast<char>(key);
  }
  for (WORD digit = 0; digit <= 9; ++digit) {
    WORD typed = '0' + digit, keypad = VK_NUMPAD0 + digit;
    panel->CalTimeKeyDown(panel->CalTime2, typed, {});
    panel->CalTimeKeyDown(panel->CalTime2, keypad, {});
    EXPECT_EQ(typed, '0' + digit);
    EXPECT_EQ(keypad, '0' + digit) << "keypad " << digit;
  }
  for (WORD editing : {VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_TAB}) {
    WORD k = editing;
    panel->CalTimeKeyDown(panel->CalTime, k, {});
    EXPECT_EQ(k, editing);
  }
}

// The keys as the user types them into a shown panel; showing it reads the demo's code table.
class DescriptionPanelKeysTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    RecordFileDir = DataDir;
    panel = std::make_unique<TCaseDescriptionF>(nullptr);
    panel->PanelCalendarDateTime->SetVisible(true);
    panel->CalTime2->SetEnabled(true);
    panel->Show();
    panel->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel->Window()));
  }
  void TearDown() override {
    panel.reset();
    MatterPanelsFixture::TearDown();
  }
  void type(TdcDBDateTimePicker* time, WORD key) {
    time->SetFocus();
    qn::ui::postKeyStroke(key);
    Application->ProcessMessages();
  }

  std::unique_ptr<TCaseDescriptionF> panel;
};

TEST_F(DescriptionPanelKeysTest, ARefusedLetterLeavesAnEmptyTimeEmptyAndKeypadSevenTypesSeven) {
  for (TdcDBDateTimePicker* time : {panel->CalTime, panel->CalTime2}) {
    SCOPED_TRACE(time->Name());
    time->SetFocus();
    type(time, VK_ESCAPE);
    ASSERT_EQ(time->Text(), "");
    for (WORD letter : {'B', 'Q', 'Z'}) {
      type(time, letter);
      EXPECT_EQ(time->Text(), "") << static_cast<char>(letter);
    }
    type(time, VK_NUMPAD0 + 7);
    ASSERT_FALSE(time->Text().empty()) << "a digit starts a time";
    EXPECT_EQ(time->Text()[0], '7') << time->Text();
    // Without the handler a letter starts a time from the clock.
    time->SetText("");
    time->OnKeyDown = nullptr;
    type(time, 'B');
    EXPECT_FALSE(time->Text().empty());
  }
}

TEST_F(DescriptionPanelKeysTest, EscapeEmptiesATimeAndATypedKeyTurnsAWhiteFontMaroon) {
  panel->CalTime->SetTime(EncodeTime(9, 30, 0, 0));
  ASSERT_FALSE(panel->CalTime->Text().empty());
  type(panel->CalTime, VK_ESCAPE);
  EXPECT_EQ(panel->CalTime->Text(), "");
  EXPECT_EQ(panel->CalTime->SelLength(), 0);
  panel->CalTime->Font()->SetColor(clWhite);
  type(panel->CalTime, '1');
  EXPECT_EQ(panel->CalTime->Font()->Color(), clMaroon);
}

TEST_F(DescriptionPanelKeysTest, TwoDigitsTypedIntoTheDateStayOneNumberAndTheDayFollows) {
  panel->CalDate->SetDate(EncodeDate(2026, 3, 5));
  panel->CalDate->SetFocus();
  const int monthSection = [&] {
    const std::vector<DateTimeSection> sections = panel->CalDate->Sections();
    for (std::size_t i = 0; i < sections.size(); ++i)
      if (sections[i].kind == DateTimeSectionKind::month) return static_cast<int>(i);
    return -1;
  }();
  ASSERT_GE(monthSection, 0);
  for (int i = 0; i < monthSection; ++i) type(panel->CalDate, VK_RIGHT);
  type(panel->CalDate, '1');
  type(panel->CalDate, '2');
  type(panel->CalDate, VK_RIGHT);
  EXPECT_EQ(panel->CalDate->Date(), EncodeDate(2026, 12, 5));
  EXPECT_EQ(panel->LabelDayOfWeek->Caption(), "Saturday");
}

TEST_F(DescriptionPanelTest, EitherDatePickerShowsTheLongDayNameOfTheDateWhileTheLabelIsShown) {
  struct Day {
    int year, month, day;
    const char* name;
  };
  const Day days[] = {{2026, 12, 11, "Friday"}, {2024, 2, 29, "Thursday"}, {2079, 12, 31, "Sunday"}};
  for (const Day& d : days) {
    panel->CalDate->SetDate(EncodeDate(d.year, d.month, d.day));
    EXPECT_EQ(panel->LabelDayOfWeek->Caption(), d.name);
  }
  panel->CalDate2->SetDate(EncodeDate(2000, 1, 1));
  EXPECT_EQ(panel->LabelDayOfWeek->Caption(), "Sunday") << "the label follows CalDate";
  panel->LabelDayOfWeek->SetVisible(false);
  panel->CalDate->SetDate(EncodeDate(2026, 12, 11));
  EXPECT_EQ(panel->LabelDayOfWeek->Caption(), "Sunday") << "a hidden label is left as it is";
}

// Runs Check with the pop-up while it is shown, then closes it with a key.
void whileExpanded(TCaseDescriptionF& panel, std::function<void(TFullDsc1F&)> check) {
  QTimer::singleShot(0, [&panel, check] {
    auto* full = dynamic_cast<TFullDsc1F*>(panel.FindComponent("FullDsc1F"));
    if (!full) {
      ADD_FAILURE() << "no pop-up";
      return;
    }
    check(*full);
    qn::ui::sendKey(full->Memo1, 'X', {});
  });
  panel.ExpandSB->Click();
  EXPECT_EQ(panel.FindComponent("FullDsc1F"), nullptr) << "freed after its showing";
}

TEST_F(DescriptionPanelTest, TheExpandedLineShowsInAPopUpRightUnderThePanelUntilAKey) {
  const std::vector<AnsiString> kept = NarrativeList;
  NarrativeList = kCodes;
  TForm main(nullptr);
  main.SetBounds(40, 30, 900, 400);
  panel->SetParent(&main);
  panel->SetBounds(0, 60, 886, 26);
  main.Show();
  panel->CaseDescription->SetText("Drafted+LTR.");
  whileExpanded(*panel, [&](TFullDsc1F& full) {
    EXPECT_TRUE(full.Modal());
    EXPECT_EQ(full.Memo1->Text(), "Drafted letter to client.");
    EXPECT_EQ(full.Top(), main.Height() + main.Top() + panel->Top() + panel->Height() - main.ClientHeight());
    EXPECT_EQ(full.Left(), main.Left() + panel->CaseDescription->Left() + 4);
    EXPECT_EQ(full.Width(), panel->CaseDescription->Width());
    EXPECT_EQ(full.Memo1->Left(), 3);
    EXPECT_EQ(full.Memo1->Width(), full.Shape1->Width() - 6);
    EXPECT_EQ(full.Memo1->Height(), full.Shape1->Height() - 22);
    EXPECT_EQ(full.Label1->Top(), full.Memo1->Top() + full.Memo1->Height());
    EXPECT_EQ(full.Label1->Caption(), "press any key to exit");
    full.Window()->grab().toImage().save(QString::fromStdString(imagePath("description-expanded.png")));
  });
  NarrativeList = kept;
  panel->SetParent(nullptr);
}

TEST(FullDescriptionPopUp, AnyKeyButLeftAndRightClosesIt) {
  qn::ui::testing::qtApplication();
  const WORD keys[] = {VK_LEFT, VK_RIGHT, 'X', VK_RETURN, VK_ESCAPE, VK_DOWN, VK_SPACE};
  for (WORD key : keys) {
    SCOPED_TRACE(key);
    TFullDsc1F full(nullptr);
    full.Memo1->SetText("Telephone conference with counsel");
    bool closedByKey = false;
    QTimer::singleShot(0, [&] {
      qn::ui::sendKey(full.Memo1, key, {});
      closedByKey = full.ModalResult() != mrNone;
      if (!closedByKey) full.SetModalResult(mrOk);
    });
    full.runModal();
    EXPECT_EQ(closedByKey, key != VK_LEFT && key != VK_RIGHT);
  }
}

TEST(FullDescriptionPopUp, AClickInTheTextClosesItAndItsLabelIsInFront) {
  qn::ui::testing::qtApplication();
  TFullDsc1F full(nullptr);
  full.Memo1->SetText("Letter to client");
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(full.Label1->Parent()->Controls(full.Label1->Parent()->ControlCount() - 1), full.Label1);
    QTest::mouseClick(full.Memo1->Window(), Qt::LeftButton, {}, QPoint(10, 5));
  });
  EXPECT_EQ(full.runModal(), mrCancel);
}

// The panel on the demo: its item-code list and its pictures.
class DescriptionPanelDemoTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    RecordFileDir = DataDir;
    panel = new TCaseDescriptionF(Application);
  }
  void TearDown() override {
    delete panel;
    MatterPanelsFixture::TearDown();
  }
  std::vector<AnsiString> items() const {
    std::vector<AnsiString> list;
    for (int i = 0; i < panel->ComboBox1->Items()->Count(); ++i)
      list.push_back(panel->ComboBox1->Items()->Strings(i));
    return list;
  }

  TCaseDescriptionF* panel = nullptr;
};

TEST_F(DescriptionPanelDemoTest, ShowingListsTheCalendarItemCodesOnceAndClosesTheCodeTable) {
  panel->Show();
  panel->Hide();
  panel->Show();
  const std::vector<AnsiString> expected = {"CC Client call", "DP Deposition", "FD Filing deadline",
                                            "HR Hearing",     "MT Meeting",    "TR Trial"};
  std::vector<AnsiString> trimmed;
  for (const AnsiString& item : items()) trimmed.push_back(TrimRight(item));
  EXPECT_EQ(trimmed, expected);
  for (const AnsiString& item : items()) EXPECT_EQ(item.size(), 2u + 1 + 30) << item;
  EXPECT_FALSE(IsRecordFileOpen(6));
  panel->ComboBox1->SetItemIndex(3);
  panel->ComboBox1CloseUp(panel->ComboBox1);
  EXPECT_EQ(panel->ComboBox1->Text(), "HR");
}

TEST_F(DescriptionPanelDemoTest, ACodeRecordShorterThanTheTableReadsAsBlanksPastItsEnd) {
  const std::string table = dataDir() + "/YTable.qf";
  ASSERT_TRUE(std::filesystem::remove(table));
  const RecordKeySegment autoIncrement{0, 1, 4, false, false, true};
  AnsiString message;
  // The table's first keys, the last one cut to the shorter record.
  const std::vector<RecordKeySegment> keys = {autoIncrement, {1, 5, 1}, {1, 6, 1}, {1, 7, 4},
                                              {2, 5, 1, true}, {2, 7, 4, true}, {3, 5, 1, true}, {3, 12, 19, true}};
  ASSERT_TRUE(CreateRecordFile(DataDir + "\\YTable.qf", 30, static_cast<int>(keys.size()), message, true, keys))
      << message;
  constexpr uint8_t kFixtureFile = 200;
  OpenRecordFile(kFixtureFile, DataDir + "\\YTable.qf", 0);
  // After the autoincrement number: type, blank, code in four, blank and what fits of the
  // description.
  for (const char* record : {"I HR   Hearing before the court", "I TR   Trial", "P CH   County courthouse"})
    InsertRecord(kFixtureFile, Format("%-26s", {AnsiString(record)}).substr(0, 26));
  CloseRecordFile(kFixtureFile);

  panel->FormShow(panel);
  const std::vector<AnsiString> expected = {"HR " + Format("%-30s", {"Hearing before the "}),
                                            "TR " + Format("%-30s", {"Trial"})};
  EXPECT_EQ(items(), expected);
}

TEST_F(DescriptionPanelDemoTest, PicturesOfTheCaseBandOnTheFirstMatterAndOfTheCalendarBand) {
  ASSERT_TRUE(dm->OpenCaseTables());
  dm->Case1_->First();
  panel->Show();
  ASSERT_FALSE(panel->CaseDescription->Text().empty()) << "bound to the matter's first line";
  EXPECT_EQ(panel->CaseDescription->Text(), dm->Case1_->FieldByName("Description Line 1")->AsString());
  panel->Window()->grab().toImage().save(QString::fromStdString(imagePath("description-panel-case.png")));

  panel->PanelCaseDescription->SetVisible(false);
  panel->PanelCalendarDateTime->SetVisible(true);
  panel->CalTime2->SetEnabled(true);
  panel->LabelCaseList->SetEnabled(true);
  panel->Shape1->SetEnabled(true);
  panel->CalDate->SetDate(EncodeDate(2026, 12, 11));
  panel->CalTime->SetTime(EncodeTime(9, 30, 0, 0));
  panel->CalTime2->SetTime(EncodeTime(11, 0, 0, 0));
  EXPECT_EQ(panel->LabelDayOfWeek->Caption(), "Friday");
  panel->Window()->grab().toImage().save(QString::fromStdString(imagePath("description-panel-calendar.png")));
}

}  // namespace
}  // namespace casewindow_test
