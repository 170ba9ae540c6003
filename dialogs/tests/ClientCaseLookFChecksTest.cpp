// The exit checks of the client code and the case suffix, case by case.
#include <gtest/gtest.h>

#include <optional>

#include "core/Globals.h"
#include "dialogs/tests/LookupHeaderFixture.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Panel.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kOfferClient = "No such client.  Do you want to\radd this client now?";
const AnsiString kOfferCase = "No such case.  Do you want to\radd this case now?";
const AnsiString kNoAccess = "Sorry, you don't have access to this function.";
const AnsiString kDeletedB =
    "ABC-B has previously been used\rand may not be reused at this time.\r\rIf you wish to UNDELETE this case, select "
    "Undelete from the Edit\rmenu or click on the Undelete button.";

struct Box {
  TMsgDlgType kind;
  AnsiString text;
  TModalResult answer = mrOk;
};

class ClientCaseLookFChecksTest : public LookupHeaderFixture {
 protected:
  void SetUp() override {
    LookupHeaderFixture::SetUp();
    makeHeader();
  }
  AnsiString field(const char* name) { return dm->Case1_->FieldByName(name)->AsString(); }
};

struct ClientCodeCase {
  const char* typed;
  bool offerAdd;
  bool hideInactive;
  std::optional<Box> box;
  bool keep, addNew;
  const char* name;
  bool inactive;
};

TEST_F(ClientCaseLookFChecksTest, TheClientCodeCheckFindsOffersOrQuietlyLeavesInactiveClientsToTheSuffix) {
  const ClientCodeCase cases[] = {
      {"ABC", false, false, std::nullopt, true, false, "Abbot", false},
      {"abc ", false, false, std::nullopt, true, false, "Abbot", false},
      {"ABCDEFGHIJ", false, false, Box{mtInformation, "No such client."}, false, false, "", false},
      {"NOPE", true, false, Box{mtInformation, kOfferClient, mrYes}, false, true, "", false},
      {"NOPE", true, false, Box{mtInformation, kOfferClient, mrNo}, false, false, "", false},
      {"NOPE", false, false, Box{mtInformation, "No such client."}, false, false, "", false},
      {"INACT", true, false, std::nullopt, true, false, "Inactive", true},
      {"INACT", true, true, std::nullopt, false, false, "", true},
  };
  for (const ClientCodeCase& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + (c.offerAdd ? " offer" : "") + (c.hideInactive ? " hide" : ""));
    HideInactiveClients = c.hideInactive;
    header->SetOfferAdd(c.offerAdd);
    header->ClientName->SetText("left over");
    header->ClientCode->SetText(c.typed);
    ScriptedMessageBoxes boxes;
    if (c.box) boxes.expect(c.box->kind, c.box->text, c.box->answer);
    bool keep = true, addNew = false;
    header->CheckClientCode(header->ClientCode, keep, addNew);
    EXPECT_EQ(keep, c.keep);
    EXPECT_EQ(addNew, c.addNew);
    if (c.keep) EXPECT_EQ(header->ClientName->Text(), c.name);
    EXPECT_EQ(InactiveClientChosen, c.inactive);
    if (c.box) {
      ASSERT_EQ(boxes.shown().size(), 1u);
      const TPoint origin = header->ClientCode->ClientToScreen(TPoint{0, 0});
      ASSERT_TRUE(boxes.shown()[0].position.has_value());
      EXPECT_EQ(boxes.shown()[0].position->x, origin.X + 30);
      EXPECT_EQ(boxes.shown()[0].position->y, origin.Y + 20);
      EXPECT_EQ(boxes.shown()[0].buttons.Contains(mbYes), c.offerAdd);
    }
  }
}

TEST_F(ClientCaseLookFChecksTest, AFoundClientPutsTheNameTableOnItsRecord) {
  header->ClientCode->SetText("XYZ");
  bool keep = true, addNew = false;
  header->CheckClientCode(header->ClientCode, keep, addNew);
  EXPECT_EQ(header->ClientName->Text(), "Xylo");
  EXPECT_EQ(Trim(dm->Client2_->FieldByName("Client Code")->AsString()), "XYZ");
  EXPECT_EQ(Trim(dm->Client1_->FieldByName("Client Code")->AsString()), "XYZ");
}

struct SuffixCase {
  const char* name;
  const char* client;
  const char* suffix;
  bool numeric = false;
  bool hideClosed = false;
  const char* unique = "";
  const char* addRight = "Y";
  std::vector<Box> boxes{};
  bool keep = true;
  bool shown = true;
  bool appended = false;
};

TEST_F(ClientCaseLookFChecksTest, TheSuffixCheckFindsRefusesOrAppendsTheMatter) {
  const SuffixCase cases[] = {
      {"numeric", "ABC", "1", true},
      {"alphabetic", "ABC", "1"},
      {"closed hidden", "ABC", "A7", false, true},
      {"deleted", "ABC", "B", false, false, "", "Y", {{mtWarning, kDeletedB}}, true, false},
      {"prompt no", "DEF", "12", false, false, "P",
       "Y", {{mtWarning, "This case suffix is already in use!\r\rContinue creating new case anyway?", mrNo}}, true, false},
      {"prompt yes", "DEF", "12", false, false, "P",
       "Y", {{mtWarning, "This case suffix is already in use!\r\rContinue creating new case anyway?", mrYes}}, true,
       true, true},
      {"warn", "DEF", "12", false, false, "W", "Y", {{mtError, "This case suffix is already in use!"}}, true, false},
      {"no test", "DEF", "12", false, false, "", "Y", {}, true, true, true},
      {"no add right", "DEF", "12", false, false, "", "N", {{mtInformation, kNoAccess}}, false, false},
  };
  for (const SuffixCase& c : cases) {
    SCOPED_TRACE(c.name);
    makeHeader();
    HideClosedCases = c.hideClosed;
    ListCasesInNumericOrder = c.numeric;
    SysopSettings.UniqueCaseSuffix = c.unique;
    ActiveFileRights[3] = c.addRight;
    header->SetCaseLookup(true);
    // An undelete run before leaves the save file on its other index.
    ASSERT_TRUE(dm->OpenCaseSave());
    dm->CaseSave_->SetIndexName("1");
    enterSuffix(c.client, c.suffix);
    EXPECT_EQ(dm->Case1_->IndexName(), std::string(c.numeric ? "1" : "4"));
    ScriptedMessageBoxes boxes;
    for (const Box& b : c.boxes) boxes.expect(b.kind, b.text, b.answer);
    bool keep = true, addNew = false;
    header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
    EXPECT_EQ(keep, c.keep);
    EXPECT_FALSE(addNew);
    EXPECT_FALSE(NewCaseByPrompt);
    EXPECT_EQ(header->CaseShown(), c.shown);
    EXPECT_EQ(dm->Case1_->State() == dsInsert, c.appended);
    if (c.shown && !c.appended) {
      EXPECT_EQ(Trim(field("Client Code")), c.client);
      EXPECT_EQ(Trim(field("LeftJustCaseSuffix")), c.suffix);
    }
    if (c.appended) {
      EXPECT_EQ(field("Case Suffix"), "     12");
      EXPECT_EQ(field("LeftJustCaseSuffix"), "12") << "stored \"%-7s\", read without its trailing blanks";
      EXPECT_EQ(Trim(field("Client Code")), "DEF");
      EXPECT_EQ(field("Finance Charge"), "Y");
      EXPECT_EQ(field("Billing Rate Code"), "R2");
      EXPECT_EQ(Trim(field("Alt Billing Format")), "3");
      EXPECT_EQ(Trim(field("Threshhold")), "25");
      for (const char* budget : {"Fee Budget $", "Cost Budget $", "Retainer Min $"})
        EXPECT_EQ(dm->Case1_->FieldByName(budget)->AsFloat(), 0.0) << budget;
      EXPECT_TRUE(header->Edit3->Visible());
      EXPECT_FALSE(header->CaseSuffix->Enabled());
    }
    header.reset();
  }
}

TEST_F(ClientCaseLookFChecksTest, InCalendarModeTheMattersAttorneysFillTheEditsByTagAndTheSlotsByTheOrder) {
  TForm main(nullptr);
  main.SetName("CaseF");
  auto* panel = new TPanel(&main);
  panel->SetName("PanelAttys");
  panel->SetParent(&main);
  TEdit* edits[5] = {};
  for (int tag = 0; tag <= 4; ++tag) {
    edits[tag] = new TEdit(&main);
    edits[tag]->SetParent(panel);
    edits[tag]->SetTag(tag);
    edits[tag]->SetText("old");
  }
  TComponent* before = Application->MainForm();
  Application->SetMainForm(&main);
  CalendarParameter = true;
  for (const char* order : {"0000", "2134"}) {
    SCOPED_TRACE(order);
    AttyOrder = order;
    for (AnsiString& slot : AttorneySlots) slot = "-";
    enterSuffix("ABC", "1");
    bool keep = true, addNew = false;
    header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
    EXPECT_TRUE(keep);
    const bool filled = std::string(order) == "2134";
    EXPECT_EQ(edits[1]->Text(), filled ? "RA1" : "old");
    EXPECT_EQ(edits[2]->Text(), filled ? "RA2" : "old");
    EXPECT_EQ(edits[3]->Text(), filled ? "RA3" : "old");
    EXPECT_EQ(edits[4]->Text(), filled ? "CCA" : "old");
    EXPECT_EQ(edits[0]->Text(), "old");
    EXPECT_EQ(AttorneySlots[1], filled ? "RA1" : "-");
    EXPECT_EQ(AttorneySlots[0], filled ? "RA2" : "-");
    EXPECT_EQ(AttorneySlots[2], filled ? "RA3" : "-");
    EXPECT_EQ(AttorneySlots[3], filled ? "CCA" : "-");
    EXPECT_EQ(AttorneySlots[4], "-");
  }
  Application->SetMainForm(before);
}

TEST_F(ClientCaseLookFChecksTest, ASuffixAloneLocatesItsClientAndAnUnknownOneIsRefused) {
  enterSuffix("", "12");
  EXPECT_EQ(dm->Case1_->IndexName(), "5");
  ASSERT_TRUE(dm->Case1_->Locate("CaseClient", {Variant(AnsiString("12     XYZ"))}, {}));
  bool keep = true, addNew = false;
  header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
  EXPECT_TRUE(keep);
  EXPECT_EQ(header->ClientCode->Text(), "XYZ");
  EXPECT_EQ(header->ClientName->Text(), "Xylo");
  EXPECT_TRUE(header->CaseShown());
  EXPECT_EQ(dm->Case1_->IndexName(), "4");
  EXPECT_TRUE(CaseRangeActive);

  makeHeader();
  enterSuffix("", "QQ");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No such case or client for this case is inactive.  Please select from the list.");
  header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
  EXPECT_FALSE(keep);
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].position->y, header->CaseSuffix->ClientToScreen(TPoint{0, 0}).Y - 20);
}

TEST_F(ClientCaseLookFChecksTest, TheClientNameCheckTakesTheCodeOfTheNameFoundAndRefusesAnUnknownName) {
  header->ClientName->SetText("Xylo");
  header->ClientName->SetModified(true);
  bool keep = true;
  header->CheckClientName(header->ClientName, keep);
  EXPECT_TRUE(keep);
  EXPECT_EQ(header->ClientCode->Text(), "XYZ");
  EXPECT_EQ(Trim(dm->Client1_->FieldByName("Client Code")->AsString()), "XYZ");

  header->ClientName->SetText("Nobody Here");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No such client or inactive.  Please select from the list.");
  header->CheckClientName(header->ClientName, keep);
  EXPECT_FALSE(keep);
  EXPECT_EQ(boxes.shown()[0].position->y, header->ClientName->ClientToScreen(TPoint{0, 0}).Y - 20);
}

TEST_F(ClientCaseLookFChecksTest, AnAlternateIDFindsItsMatterAndClientAndFixesTheHeader) {
  header->SetCaseLookup(true);
  enterSuffix("", "");
  header->AlternateID->SetText("ALT-ONE");
  header->AlternateID->SetModified(true);
  ASSERT_TRUE(dm->Case2_->Locate("Alternate ID", {Variant(AnsiString("ALT-ONE"))}, {}));
  bool keep = true;
  header->CheckAlternateID(header->AlternateID, keep);
  EXPECT_TRUE(keep);
  EXPECT_EQ(header->ClientCode->Text(), "ABC");
  EXPECT_EQ(header->ClientName->Text(), "Abbot");
  EXPECT_EQ(Trim(header->CaseSuffix->Text()), "1");
  EXPECT_TRUE(header->CaseShown());
  EXPECT_TRUE(header->Edit1->Visible());

  makeHeader();
  enterSuffix("", "");
  header->AlternateID->SetText("NOPE");
  header->AlternateID->SetModified(true);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No such Alternate Identifier.  Please select from the list.");
  header->CheckAlternateID(header->AlternateID, keep);
  EXPECT_FALSE(keep);
}

}  // namespace
}  // namespace dialogs_test
