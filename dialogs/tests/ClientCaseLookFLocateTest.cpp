// Locating the client of a matter found by its suffix or alternate ID: the clients that cannot be
// located, the code given with a matter picked in the case grid, and record-position errors told
// with the engine's own message.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "dialogs/tests/LookupHeaderFixture.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"

namespace dialogs_test {
namespace {

using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kNoClients =
    "There are no active clients in your database!  Nothing to do until one or more clients are made active.";
const AnsiString kNotLocated =
    "The client assigned to this matter could not be located.  Another user may be altering the record or the client "
    "may be inactive. Try your request again later or call Vantor, Inc. for assistance.";
const AnsiString kPositionError =
    "An error was encountered while attempting to obtain a record position in the case file.\r\r";

class ClientCaseLookFLocateTest : public LookupHeaderFixture {
 protected:
  void SetUp() override {
    LookupHeaderFixture::SetUp();
    makeHeader();
    enterSuffix("", "");
  }
  // Case1_ on a matter, as a list row picked or a suffix typed puts it there.
  void onMatter(const char* client, const char* suffix) {
    const AnsiString key = Format("%-7s", {AnsiString(suffix)}) + client;
    ASSERT_TRUE(dm->Case1_->Locate("CaseClient", {Variant(key)}, {}));
  }
  // Every client of the file made inactive, through a table of its own.
  void makeEveryClientInactive() {
    TdcTbTable file(nullptr);
    file.SetTableName(LookupDataDir + "\\yclient.QF;RES:YCLIENT");
    file.SetIndexName("1");
    file.Open();
    for (file.First(); !file.Eof(); file.Next()) {
      file.Edit();
      file.FieldByName("Unassigned")->SetAsString("900000");
      file.Post();
    }
  }
};

struct LocateCase {
  const char* name;
  const char* matterClient;
  const char* typed;
  bool grid;
  bool noActiveClients;
  std::optional<AnsiString> message;
  const char* code;  // what the header shows after
  const char* clientName;
};

TEST_F(ClientCaseLookFLocateTest, TheMattersClientIsLocatedOrItsAbsenceToldAboveTheControl) {
  const LocateCase cases[] = {
      {"found", "XYZ", "", false, false, std::nullopt, "XYZ", "Xylo"},
      {"client gone, sorting before the last", "NOCLNT", "", false, false, kNotLocated, "", ""},
      {"client gone, sorting after the last", "ZZZ", "", false, false, kNotLocated, "", ""},
      {"picked in the grid: the code given", "NOCLNT", "XYZ", true, false, std::nullopt, "XYZ", "Xylo"},
      {"picked in the grid: an unknown code given", "XYZ", "NOPE", true, false, kNotLocated, "NOPE", ""},
      // Last: the clients stay inactive.
      {"no active client at all", "XYZ", "", false, true, kNoClients, "", ""},
  };
  for (const LocateCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.noActiveClients) {
      makeEveryClientInactive();
      HideInactiveClients = true;
    }
    makeHeader();
    header->Show();
    enterSuffix("", "");
    onMatter(c.matterClient, std::string(c.matterClient) == "XYZ" ? "12" : "9");
    header->ClientCode->SetText(c.typed);
    CaseChosenInGrid = c.grid;
    ScriptedMessageBoxes boxes;
    if (c.message) boxes.expect(mtInformation, *c.message);
    header->LocateCaseClient(header->AlternateID);
    EXPECT_EQ(header->CaseShown(), !c.message.has_value());
    EXPECT_EQ(header->ClientCode->Text(), c.code);
    EXPECT_EQ(header->ClientName->Text(), c.clientName);
    if (c.message) {
      ASSERT_EQ(boxes.shown().size(), 1u);
      const TPoint origin = header->AlternateID->ClientToScreen(TPoint{0, 0});
      ASSERT_TRUE(boxes.shown()[0].position.has_value());
      EXPECT_EQ(boxes.shown()[0].position->x, origin.X + 30);
      EXPECT_EQ(boxes.shown()[0].position->y, origin.Y - 40);
      EXPECT_EQ(boxes.shown()[0].buttons, TMsgDlgButtons{mbOK});
    }
    CaseChosenInGrid = false;
  }
}

TEST_F(ClientCaseLookFLocateTest, AListedMatterDeletedElsewhereIsNoLongerFoundBySuffixAlone) {
  // The alternate-ID list's row is ABC-1 while the case table stands elsewhere; then another
  // workstation deletes that matter.
  onMatter("XYZ", "12");
  ASSERT_TRUE(dm->Case2_->Locate("Alternate ID", {Variant(AnsiString("ALT-ONE"))}, {}));
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/YCase.qf"), 0);
  ASSERT_EQ(other.status("read 0 5 1 " + keyHex(Format("%-7s%7s", {AnsiString("ABC"), AnsiString("1")}))), 0);
  ASSERT_EQ(other.status("delete 0"), 0);
  header->CaseSuffix->SetText("1");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No such case or client for this case is inactive.  Please select from the list.");
  bool keep = true, addNew = false;
  header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
  EXPECT_FALSE(keep);
  EXPECT_FALSE(header->CaseShown());
  EXPECT_EQ(header->ClientCode->Text(), "");
}

// The case table re-opened through another name of the data folder (a link to it), while the alternate-ID list
// still stands on the old one: moving one onto the other's record fails in the engine.
class ClientCaseLookFPositionErrorTest : public ClientCaseLookFLocateTest {
 protected:
  void SetUp() override {
    ClientCaseLookFLocateTest::SetUp();
    const std::string link = dataDir + "-link";
    std::filesystem::create_directory_symlink(dataDir, link);
    LookupDataDir = link;
    header->CaseSuffixEnter(header->CaseSuffix);
    LookupDataDir = dataDir;
  }
  // What the engine says when Case1_ is moved onto Case2_'s record.
  AnsiString enginesMessage() {
    try {
      dm->Case1_->GotoCurrent(*dm->Case2_);
    } catch (const std::exception& e) {
      return e.what();
    }
    ADD_FAILURE() << "the tables were not told apart";
    return "";
  }
  std::vector<std::string> storedMatters() { return rows("ycase.qf;RES:YCASE", {"Client Code", "Case Suffix", "Alternate ID"}); }
};

TEST_F(ClientCaseLookFPositionErrorTest, ASuffixAloneIsRefusedWithTheEnginesMessage) {
  onMatter("XYZ", "12");
  ASSERT_TRUE(dm->Case2_->Locate("Alternate ID", {Variant(AnsiString("ALT-ONE"))}, {}));
  const AnsiString message = enginesMessage();
  const std::vector<std::string> before = storedMatters();
  header->CaseSuffix->SetText("1");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, kPositionError + message +
                            "\r\rPlease try your selection again.  If this error persists, please contact Vantor, Inc. "
                            "for assistance.");
  bool keep = true, addNew = false;
  header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
  EXPECT_FALSE(header->CaseShown());
  EXPECT_EQ(header->ClientCode->Text(), "");
  EXPECT_EQ(storedMatters(), before);
}

TEST_F(ClientCaseLookFPositionErrorTest, LocatingTheClientFromTheSuffixToldTheEnginesMessage) {
  onMatter("XYZ", "12");
  const AnsiString message = enginesMessage();
  const std::vector<std::string> before = storedMatters();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, kPositionError + message);
  header->LocateCaseClient(header->CaseSuffix);
  EXPECT_EQ(header->ClientCode->Text(), "XYZ");
  EXPECT_EQ(storedMatters(), before);
}

}  // namespace
}  // namespace dialogs_test
