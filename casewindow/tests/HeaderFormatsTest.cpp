// The header's billing formats on the demo: the format table captions the description panel's
// first line, the long names come from the code
// table, the popup reaches a real format-table viewer (qnsibling, logging what it receives), a
// missing format table is told once and the header goes on; and the command line's values reach
// the combos once per run.
#include <signal.h>

#include <QTest>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "casewindow/CaseDescriptionF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "core/RecordFiles.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/TextLabel.h"
#include "platform/os/Process.h"
#include "platform/os/RegisteredMessages.h"

namespace casewindow_test {
namespace {

using nlohmann::json;

constexpr uint8_t kFixtureFile = 60;
constexpr const char* kDefaultCaption = "Description Line 1";

class HeaderFormatsTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    TSCFormatFound = false;
  }
  void TearDown() override {
    delete header;
    delete descriptionPanel;
    CaseDescriptionF = nullptr;
    MatterPanelsFixture::TearDown();
  }

  // The header docked in the shown main window, beside the description panel.
  void makeHeader() {
    descriptionPanel = new TCaseDescriptionF(Application);
    CaseDescriptionF = descriptionPanel;
    caption = descriptionPanel->LabelDescription1;
    caption->SetCaption("before");
    header = new TClientCaseLookF1(Application);
    caseF->Show();
    header->Show();
    caseF->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(caseF->Window()));
  }
  // A row of the demo's format table: name, suffix, first caption.
  void addFormat(const AnsiString& name, const AnsiString& suffix, const AnsiString& firstCaption) {
    AnsiString record = Format("%-3s%-1s%-25s", {name, suffix, firstCaption});
    record.resize(2400, ' ');
    OpenRecordFile(kFixtureFile, LookupDataDir + "\\tsc.QC;SC", 0);
    InsertRecord(kFixtureFile, record);
    CloseRecordFile(kFixtureFile);
  }

  TCaseDescriptionF* descriptionPanel = nullptr;
  TextLabel* caption = nullptr;
  TClientCaseLookF1* header = nullptr;
};

struct FormatRow {
  const char* code;
  AnsiString caption;
  bool found;
};

void expectCaptions(TClientCaseLookF1* header, TextLabel* caption, const std::vector<FormatRow>& rows) {
  for (const FormatRow& row : rows) {
    SCOPED_TRACE(std::string("format \"") + row.code + "\"");
    caption->SetCaption("before");
    TSCFormatFound = !row.found;
    header->AltBillFormat->SetText(row.code);
    EXPECT_EQ(caption->Caption(), row.caption);
    EXPECT_EQ(TSCFormatFound, row.found);
  }
}

TEST_F(HeaderFormatsTest, TheBillingFormatCaptionsTheFirstDescriptionLine) {
  makeHeader();
  expectCaptions(header, caption,
                 {{"STD", "Matter", true}, {"", kDefaultCaption, false}, {"XYZ", kDefaultCaption, false},
                  {"DET", "Matter", true}});
}

TEST_F(HeaderFormatsTest, ABlankFormatIsLookedUpAsHashesAndOnlyFirstRowsCount) {
  // A format only known by a row of other settings, and a row for matters without a format.
  addFormat("ZZZ", "2", "Settings row");
  addFormat("###", "1", "Without a format");
  makeHeader();
  expectCaptions(header, caption,
                 {{"STD", "Matter", true}, {"", "Without a format", true}, {"ZZZ", kDefaultCaption, false}});
}

TEST_F(HeaderFormatsTest, TheMattersFormatCaptionsTheLineWhenTheMatterIsShown) {
  makeHeader();
  typeInto(header->ClientCode, "ADAMS");
  typeInto(header->CaseSuffix, "1");
  ASSERT_TRUE(HeaderEditsShown);
  EXPECT_EQ(header->AltBillFormat->Text(), "STD");
  EXPECT_EQ(caption->Caption(), "Matter");
  EXPECT_TRUE(TSCFormatFound);
}

TEST_F(HeaderFormatsTest, LongNamesAreTheCodeTablesThirtyCharacters) {
  addFormat("###", "1", "Without a format");
  makeHeader();
  header->OpenTSC();
  const struct {
    const char* name;
    AnsiString longName;
  } rows[] = {
      {"STD", Format("%-30s", {"Standard statement"})},
      {"DET", "Detailed statement with time e"},
      {"###", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_TRUE(header->TSC_->FindKey({row.name}));
    EXPECT_EQ(header->TSC_->FieldByName("TableLongName")->AsString(), row.longName);
  }
  // The long-name column joins the combo once, however often the table opens.
  header->TSC_->Close();
  header->OpenTSC();
  const TStrings* columns = header->AltBillFormat->Selected();
  ASSERT_EQ(columns->Count(), 2);
  EXPECT_EQ(columns->Strings(0), "TableName\t5\tTableName\tF");
  EXPECT_EQ(columns->Strings(1), "TableLongName\t30\tTableLongName");
}

TEST_F(HeaderFormatsTest, AMissingFormatTableIsToldOnceAndTheHeaderGoesOn) {
  ASSERT_EQ(std::remove((dataDir() + "/TSC.qc").c_str()), 0);
  AnsiString openError;
  {
    TdcTbTable probe(nullptr);
    probe.SetDatabaseName("QNWIN");
    probe.SetTableName(LookupDataDir + "\\tsc.QC;RES:STCHAR1");
    try {
      probe.Open();
    } catch (const std::exception& e) {
      openError = e.what();
    }
  }
  ASSERT_FALSE(openError.empty());
  boxes->expect(mtError, openError);
  makeHeader();
  typeInto(header->ClientCode, "ADAMS");
  typeInto(header->CaseSuffix, "1");
  header->AltBillFormat->SetText("DET");
  header->SetABFLabels();
  EXPECT_TRUE(HeaderEditsShown);
  EXPECT_TRUE(header->CaseShown());
  EXPECT_EQ(caption->Caption(), kDefaultCaption);
  EXPECT_FALSE(TSCFormatFound);
  EXPECT_EQ(boxes->shown().size(), 1u);
}

std::vector<json> receivedMessages(const std::string& log) {
  std::vector<json> messages;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    json event = json::parse(line);
    if (event["event"] == "message") messages.push_back(event);
  }
  return messages;
}

TEST_F(HeaderFormatsTest, TheFormatTableViewerIsAskedToShowTheFormat) {
  const std::string log = demo + "/viewer.jsonl";
  setenv("QN_SIBLING_LOG", log.c_str(), 1);
  auto viewer = qn::os::startProcess(testProgramFolder() + "/qnsibling", {"--role", "format-table-viewer"});
  unsetenv("QN_SIBLING_LOG");
  ASSERT_TRUE(viewer);
  ASSERT_TRUE(viewer->waitForInputIdle(10000));
  makeHeader();
  EXPECT_NE(QN_Message_ShowTSC, 0u);
  EXPECT_EQ(QN_Message_ShowTSC, qn::os::registerWindowMessage("QN_Message_ShowTSC"));

  header->AltBillFormat->SetText("STD");
  header->ShowTSC1->Click();
  header->AltBillFormat->SetText("");
  header->ShowTSC1->Click();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (receivedMessages(log).size() < 2 && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  viewer->terminate();

  const std::vector<json> messages = receivedMessages(log);
  ASSERT_EQ(messages.size(), 2u);
  const char* texts[] = {"STD Display TSC format table", "### Display TSC format table"};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(messages[i]["role"], "format-table-viewer");
    EXPECT_EQ(messages[i]["name"], "QN_Message_ShowTSC");
    EXPECT_EQ(messages[i]["text"], texts[i]);
    EXPECT_EQ(messages[i]["wParam"].get<long long>(), static_cast<long long>(Application->Handle()));
  }
}

TEST_F(HeaderFormatsTest, TheCommandLinesValuesReachTheCombosOncePerRun) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    AnsiString code, clientName;
  } rows[] = {
      {"all given", {"250101", "ADAMS", "Adams, Harriet", "1", "ADAMS-EST"}, "ADAMS", "Adams, Harriet"},
      {"no client name", {"250101", "ADAMS", "x_x_x", "1", "ADAMS-EST"}, "ADAMS", ""},
      {"a code longer than its field", {"250101", "ADAMSXYZ9", "x_x_x"}, "ADAMSXY", ""},
      {"no client", {"250101"}, "", ""},
  };
  makeHeader();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    startWith(row.args);
    delete header;
    header = new TClientCaseLookF1(Application);
    header->OpenClientFiles();
    header->SetPassedClientValues();
    EXPECT_EQ(header->ClientCode->Text(), row.code);
    EXPECT_EQ(header->ClientName->Text(), row.clientName);
    EXPECT_EQ(header->CaseSuffix->Text(), "") << "the client's values only";
  }

  // Through the enter handlers: the client's values, then the matter's, and never again. A client
  // first in neither order shows that both client tables were moved to it.
  startWith({"250101", "CARVER", "Carver, Nathaniel", "3", "CARVER-EST"});
  delete header;
  header = new TClientCaseLookF1(Application);
  header->OpenClientFiles();
  header->ClientCodeEnter(header->ClientCode);
  EXPECT_EQ(header->ClientCode->Text(), "CARVER");
  EXPECT_EQ(Trim(DM->Client1_->FieldByName("Client Code")->AsString()), "CARVER");
  EXPECT_EQ(Trim(DM->Client2_->FieldByName("Client Code")->AsString()), "CARVER");
  EXPECT_EQ(header->AlternateID->Text(), "");
  header->CaseSuffixEnter(header->CaseSuffix);
  EXPECT_EQ(header->CaseSuffix->Text(), "3");
  EXPECT_EQ(header->AlternateID->Text(), "CARVER-EST");
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID})
    combo->SetText("");
  header->ClientNameEnter(header->ClientName);
  header->CaseSuffixEnter(header->CaseSuffix);
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID})
    EXPECT_EQ(combo->Text(), "") << combo->Name();
}

}  // namespace
}  // namespace casewindow_test
