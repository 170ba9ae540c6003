// The header's delinquent notes on the demo: the "D" marker of a matter's or its client's note,
// the tracking program started (a qnsibling link of the program folder, logging its arguments)
// with the notes file's housekeeping, what stops the start, and a client name with shell
// characters arriving whole on the direct start and on the script fall-back.
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "core/RecordFiles.h"
#include "platform/os/Files.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

using nlohmann::json;

constexpr uint8_t kFixtureFile = 60;

AnsiString note(const AnsiString& client, const AnsiString& suffix, char kind, const AnsiString& text) {
  // The record-file layer writes the 4 bytes of the record number in front.
  AnsiString record = Format("%-7s%-7s", {client, suffix}) + AnsiString(1, kind) + text;
  record.resize(93, ' ');
  return record;
}

bool within(int seconds, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

class HeaderNotesTest : public MatterPanelsFixture {
 protected:
  void SetUp() override {
    MatterPanelsFixture::SetUp();
    log = demo + "/sibling.jsonl";
    setenv("QN_SIBLING_LOG", log.c_str(), 1);
    for (int i = 1; i <= 26; ++i) ActiveReportRights[i] = "Y";
    header = std::make_unique<TClientCaseLookF1>(nullptr);
    header->ClientCode->SetText("ADAMS");
    header->ClientName->SetText("Adams, Harriet");
    header->CaseSuffix->SetText("1");
    header->AlternateID->SetText("ADAMS-EST");
  }
  void TearDown() override {
    for (const json& start : started()) ::kill(start["pid"].get<int>(), SIGTERM);
    unsetenv("QN_SIBLING_LOG");
    header.reset();
    MatterPanelsFixture::TearDown();
  }

  void writeNotes(const std::vector<AnsiString>& notes) {
    OpenRecordFile(kFixtureFile, LookupDataDir + "\\note.QF;NT", 0);
    for (const AnsiString& record : notes) InsertRecord(kFixtureFile, record);
    CloseRecordFile(kFixtureFile);
  }
  std::vector<AnsiString> storedNotes() {
    std::vector<AnsiString> notes;
    OpenRecordFile(kFixtureFile, LookupDataDir + "\\note.QF;NT", 0);
    AnsiString record(97, ' ');
    bool eof = false;
    for (GetFirstRecord(kFixtureFile, record, eof, 0); !eof; GetNextRecord(kFixtureFile, record, eof, 0))
      notes.push_back(record.substr(4, 15) + "|" + Trim(record.substr(19, 77)));
    CloseRecordFile(kFixtureFile);
    return notes;
  }
  std::vector<json> started() const {
    std::vector<json> starts;
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
      json event = json::parse(line);
      if (event["event"] == "start") starts.push_back(event);
    }
    return starts;
  }
  bool markerShown() const { return header->LabelDelinquent->Visible() && header->SBDelinquent->Visible(); }

  std::string log;
  std::unique_ptr<TClientCaseLookF1> header;
};

TEST_F(HeaderNotesTest, AMattersOrItsClientsNoteShowsTheMarkerAndNoOtherDoes) {
  struct Row {
    const char* name;
    AnsiString record;
    bool shown;
  };
  const Row rows[] = {
      {"matter level", note("ADAMS", "1", '0', "Owes since March"), true},
      {"client level", note("ADAMS", "", '0', "Client owes"), true},
      {"another matter", note("ADAMS", "2", '0', "Other matter"), false},
      {"another client", note("BAKER", "", '0', "Other client"), false},
      {"a client whose code starts alike", note("ADAMSON", "", '0', "Other client"), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::remove((dataDir() + "/NOTE.QF").c_str());
    ASSERT_TRUE(qn::os::copyFile(dataDir() + "/NOTE.CLO", dataDir() + "/NOTE.QF", true));
    writeNotes({row.record});
    header->CheckForDelinquentNotes();
    EXPECT_EQ(markerShown(), row.shown);
  }
  ActiveReportRights[10] = "N";
  header->CheckForDelinquentNotes();
  EXPECT_FALSE(markerShown()) << "without the report right";
}

TEST_F(HeaderNotesTest, TheTrackingProgramGetsTheMattersArgumentsAndTheHousekeepingIsDone) {
  writeNotes({note("ADAMS", "1", '0', "Owes since March"), note("ADAMS", "1", '0', ""), note("BAKER", "4", ' ', "x"),
              note("ADAMS", "1", '1', "Kept, not listed")});
  header->NewDelinquentAccountTracking();
  EXPECT_TRUE(boxes->shown().empty());
  ASSERT_TRUE(within(10, [&] { return !started().empty(); }));
  EXPECT_EQ(started()[0]["role"], "delinquent-tracking");
  EXPECT_EQ(started()[0]["args"], json({"x", "ADAMS", "Adams, Harriet", "1", "ADAMS-EST"}));
  EXPECT_EQ(storedNotes(), (std::vector<AnsiString>{"ADAMS  1      0|Owes since March", "ADAMS  1      1|Kept, not listed"}));
}

TEST_F(HeaderNotesTest, AClientLevelNoteStartsTheProgramWithTheShortArguments) {
  writeNotes({note("ADAMS", "", '0', "Client owes")});
  header->NewDelinquentAccountTracking();
  ASSERT_TRUE(within(10, [&] { return !started().empty(); }));
  EXPECT_EQ(started()[0]["args"], json({"x", "ADAMS", "Adams, Harriet"}));
}

TEST_F(HeaderNotesTest, WhatStopsTheStartIsToldAndNothingStarts) {
  struct Row {
    const char* name;
    std::function<void()> arrange;
    TMsgDlgType kind;
    std::string text;
  };
  const std::string emptyFolder = demo + "/no-programs";
  ::mkdir(emptyFolder.c_str(), 0755);
  const Row rows[] = {
      {"no note", [] {}, mtError, "Quillon cannot find any deliquent notes for this matter."},
      {"no report right", [] { ActiveReportRights[10] = "N"; }, mtInformation, "Sorry, you don't have access to this function."},
      {"no template",
       [&] {
         std::remove((dataDir() + "/NOTE.QF").c_str());
         std::remove((dataDir() + "/NOTE.CLO").c_str());
       },
       mtError, "The file NOTE.CLO is missing from your Quillon data folder.\r\rPlease contact Vantor, Inc. for assistance."},
      {"no tracking program", [&] { ProgramDir = emptyFolder; }, mtError,
       "The delinquent account tracking program is missing from the Quillon program folder.\r\rIt is needed for "
       "delinquent account tracking and can be downloaded from the Vantor, Inc. web site."},
  };
  const AnsiString programDir = ProgramDir;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.arrange();
    // One script at a time: the old one goes before the next takes over the boxes.
    boxes.reset();
    boxes = std::make_unique<qn::ui::testing::ScriptedMessageBoxes>();
    boxes->expect(row.kind, row.text);
    header->NewDelinquentAccountTracking();
    EXPECT_EQ(boxes->shown().size(), 1u);
    ProgramDir = programDir;
    ActiveReportRights[10] = "Y";
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(started().empty());
}

// A program file the system cannot start directly (a script without its interpreter line) that
// the shell runs all the same: it writes its arguments one a line.
std::string argumentWriter(const std::string& folder, const std::string& out) {
  const std::string path = folder + "/qndelinq";
  std::ofstream(path) << "printf '%s\\n' \"$@\" > '" << out << "'\n";
  ::chmod(path.c_str(), 0755);
  return path;
}

TEST_F(HeaderNotesTest, AClientNameWithShellCharactersArrivesAsOneArgumentDirectlyAndThroughTheScript) {
  const std::string planted = demo + "/X";
  const AnsiString name = "O\"Brien; touch " + planted;
  writeNotes({note("ADAMS", "", '0', "Client owes")});
  header->ClientName->SetText(name);
  header->NewDelinquentAccountTracking();
  ASSERT_TRUE(within(10, [&] { return !started().empty(); }));
  EXPECT_EQ(started()[0]["args"], json({"x", "ADAMS", name}));

  const std::string folder = demo + "/scripted";
  ::mkdir(folder.c_str(), 0755);
  const std::string out = demo + "/arguments";
  argumentWriter(folder, out);
  ProgramDir = folder;
  header->NewDelinquentAccountTracking();
  ASSERT_TRUE(within(10, [&] {
    std::ifstream in(out);
    std::string all((std::istreambuf_iterator<char>(in)), {});
    return all.size() > 0 && all.back() == '\n' && std::count(all.begin(), all.end(), '\n') == 3;
  }));
  std::ifstream in(out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"x", "ADAMS", name}));
  struct stat st{};
  EXPECT_NE(::stat(planted.c_str(), &st), 0) << "part of the name ran as a command";
}

}  // namespace
}  // namespace casewindow_test
