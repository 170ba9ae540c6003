// The header's lookup of a matter by a description line on the demo: the lines' lists, a choice
// going to its matter through the header's own checks, what is told when the line, its matter
// or the matter's client cannot be found, and the list emptied and read again when the combo is
// left for the line number.
#include <QTest>

#include <chrono>
#include <functional>

#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "core/RecordFiles.h"
#include "editors/DBSpinEdit.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Screen.h"

namespace casewindow_test {
namespace {

constexpr uint8_t kFixtureFile = 61;

// A description-line record as the record-file layer writes it (it puts the record number in
// front).
AnsiString descriptionLine(const AnsiString& client, const AnsiString& suffix, const AnsiString& number,
                           const AnsiString& text) {
  AnsiString record = Format("%-7s%7s", {client, suffix}) + number + text;
  record.resize(66, ' ');
  return record;
}

std::vector<AnsiString> itemsOf(ComboBox* combo) {
  std::vector<AnsiString> items;
  for (int i = 0; i < combo->Items()->Count(); ++i) items.push_back(combo->Items()->Get(i));
  return items;
}

class HeaderDescriptionTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    RecordFileDir = dataDir();
    CaseDescLookupOn = true;
    for (int i = 1; i <= 99; ++i) ActiveFileRights[i] = "Y";
  }
  void TearDown() override {
    delete header;
    header = nullptr;
    CaseDescLookupOn = false;
    RecordFileDir.clear();
    MatterPanelsFixture::TearDown();
  }

  // The header docked in the shown main window, its line-1 list read.
  void showHeader() {
    header = new TClientCaseLookF1(Application);
    caseF->Show();
    header->Show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }

  void addDescriptionLines(const std::vector<AnsiString>& records) {
    OpenRecordFile(kFixtureFile, RecordFileDir + "\\Cdesc.qf;CD", 0);
    for (const AnsiString& record : records) InsertRecord(kFixtureFile, record);
    CloseRecordFile(kFixtureFile);
  }

  void showLine(int line) { header->SpinEditDescLine->SetValue(line); }

  // The user picks text from the combo's list and leaves it for another header control.
  void choose(const AnsiString& text) {
    header->ComboBoxCaseDesc->SetFocus();
    const int index = header->ComboBoxCaseDesc->Items()->IndexOf(text);
    if (index >= 0) header->ComboBoxCaseDesc->SetItemIndex(index);
    else header->ComboBoxCaseDesc->SetText(text);
    header->AlternateID->SetFocus();
  }

  // Runs the posted keys until done answers true or a few seconds pass.
  bool settles(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end) QTest::qWait(10);
    return done();
  }

  bool shows(const AnsiString& client, const AnsiString& suffix) {
    return HeaderEditsShown && header->CaseShown() && header->ClientCode->Text() == client &&
           Trim(header->CaseSuffix->Text()) == suffix;
  }

  TClientCaseLookF1* header = nullptr;
};

TEST_F(HeaderDescriptionTest, LineNumbersTwoToNineMatchTheirTwoDigitRecords) {
  // Lines 5 to 9 of ADAMS/2, each beside records whose number is written without the zero.
  std::vector<AnsiString> records;
  for (int n = 5; n <= 9; ++n) {
    const AnsiString digit = IntToStr(n);
    records.push_back(descriptionLine("ADAMS", "2", "0" + digit, "Adams 2 line " + digit));
    records.push_back(descriptionLine("ADAMS", "2", " " + digit, "Blank-led " + digit));
    records.push_back(descriptionLine("ADAMS", "2", digit + " ", "Blank-trailed " + digit));
  }
  addDescriptionLines(records);
  showHeader();

  const std::vector<std::pair<int, std::vector<AnsiString>>> expected = {
      {2, {"Federal District Court, civil action 24-cv-1188", "Probate Court docket 23-P-0417"}},
      {3, {"Executor: Harriet Adams (daughter)", "Opposing counsel: Whitcomb and Hale LLP"}},
      {4, {"Heirs: Harriet Adams, Thomas Adams"}},
      {5, {"Adams 2 line 5"}},
      {6, {"Adams 2 line 6"}},
      {7, {"Adams 2 line 7"}},
      {8, {"Adams 2 line 8"}},
      {9, {"Adams 2 line 9"}},
  };
  for (const auto& [line, texts] : expected) {
    showLine(line);
    EXPECT_EQ(itemsOf(header->ComboBoxCaseDesc), texts) << "line " << line;
  }
  showLine(1);
  EXPECT_EQ(itemsOf(header->ComboBoxCaseDesc),
            (std::vector<AnsiString>{"Adams v. Kestrel Insurance - water damage claim",
                                     "Bright Harbor Marine - general corporate", "Carver - wrongful dismissal claim",
                                     "Charter dispute - motor vessel Calder", "Delta Orchard - general counsel",
                                     "Delta Orchard - irrigation water rights", "Ellis - purchase of 5 Mill Pond Way",
                                     "Estate of Walter Adams - probate administration",
                                     "Joint harbour lease - fees split to both parties"}));
}

struct Choice {
  int line;
  AnsiString text;
  AnsiString client, suffix;
};

TEST_F(HeaderDescriptionTest, AChoiceGoesToItsMatterThroughTheHeadersChecks) {
  const Choice choices[] = {
      {3, "Executor: Harriet Adams (daughter)", "ADAMS", "1"},
      {2, "Federal District Court, civil action 24-cv-1188", "BRIGHT", "1"},
      {1, "Delta Orchard - general counsel", "DELTA", "2"},
      // Typed past the line's 50 characters: what lies beyond is no part of the text looked for.
      {1, Format("%-50s", {AnsiString("Carver - wrongful dismissal claim")}) + "and more", "CARVER", "1"},
  };
  showHeader();
  for (const Choice& c : choices) {
    header->ClearHeader(true);
    showLine(c.line);
    choose(c.text);
    EXPECT_TRUE(settles([&] { return shows(c.client, c.suffix); })) << c.text;
    // Fixed by the suffix's own exit: the focus went on to the alternate ID.
    EXPECT_EQ(Screen->ActiveControl(), header->AlternateID) << c.text;
  }
}

TEST_F(HeaderDescriptionTest, ALineWhoseMatterIsGoneIsTold) {
  addDescriptionLines({descriptionLine("GONE", "5", "03", "A line left behind")});
  showHeader();
  showLine(3);
  boxes->expect(mtError, "The matter (GONE         5) associated with this description line could not be found.");
  choose("A line left behind");
  EXPECT_FALSE(header->CaseShown());
  EXPECT_EQ(header->ClientCode->Text(), "");
}

TEST_F(HeaderDescriptionTest, AChoiceThatNamesNoMatterIsTold) {
  showHeader();
  for (int line : {1, 3}) {
    showLine(line);
    boxes->expect(mtCustom, "unable to find case for No such description.");
    choose("No such description");
    EXPECT_FALSE(header->CaseShown()) << line;
  }
}

TEST_F(HeaderDescriptionTest, AMatterWhoseClientIsGoneIsTold) {
  // ELLIS's client record goes; its matter stays.
  OpenStandardFile(1);
  AnsiString record(393, ' ');
  ASSERT_TRUE(GetEqualRecord(1, "ELLIS  ", record, true));
  DeleteRecord(1);
  CloseRecordFile(1);
  showHeader();
  boxes->expect(mtError, "Unable to find client record for ELLIS.");
  choose("Ellis - purchase of 5 Mill Pond Way");
  EXPECT_EQ(header->ClientCode->Text(), "");
  EXPECT_FALSE(header->CaseShown());
}

TEST_F(HeaderDescriptionTest, LeavingTheListForTheLineNumberEmptiesAndReadsItAgain) {
  showHeader();
  showLine(3);
  addDescriptionLines({descriptionLine("CARVER", "1", "03", "Added after the list was read")});
  header->ComboBoxCaseDesc->SetFocus();
  header->ComboBoxCaseDesc->SetText("Executor");
  header->SpinEditDescLine->SetFocus();
  EXPECT_EQ(header->ComboBoxCaseDesc->Text(), "");
  EXPECT_EQ(itemsOf(header->ComboBoxCaseDesc),
            (std::vector<AnsiString>{"Added after the list was read", "Executor: Harriet Adams (daughter)",
                                     "Opposing counsel: Whitcomb and Hale LLP"}));
  EXPECT_FALSE(header->CaseShown());
}

TEST_F(HeaderDescriptionTest, TypingDropsTheListDown) {
  showHeader();
  header->ComboBoxCaseDesc->SetFocus();
  QTest::keyClicks(header->ComboBoxCaseDesc->Window(), "Ex");
  EXPECT_TRUE(header->ComboBoxCaseDesc->DroppedDown());
  EXPECT_EQ(header->ComboBoxCaseDesc->Text(), "Ex");
  header->ComboBoxCaseDesc->SetDroppedDown(false);
}

TEST_F(HeaderDescriptionTest, WithTheLookupOffItsControlsAreDisabledAndEmpty) {
  CaseDescLookupOn = false;
  showHeader();
  EXPECT_FALSE(header->SpinEditDescLine->Enabled());
  EXPECT_FALSE(header->ComboBoxCaseDesc->Enabled());
  EXPECT_EQ(header->ComboBoxCaseDesc->Items()->Count(), 0);
}

}  // namespace
}  // namespace casewindow_test
