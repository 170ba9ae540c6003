// Entering the suffix: the list the case table is re-opened for, the reactivation question, and
// fixing and freeing the header.
#include <gtest/gtest.h>

#include <QApplication>
#include <functional>

#include "core/Globals.h"
#include "dialogs/tests/LookupHeaderFixture.h"
#include "framework/base/Clock.h"
#include "framework/base/Exception.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "platform/recmgr/tests/ServeChild.h"

namespace dialogs_test {
namespace {

using qn::recmgr::testing::ServeChild;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kReactivate =
    "This client is inactive and may not have any matters assigned to it.\r\rDo you wish to reactivate this client now?";

class ClientCaseLookFEntryTest : public LookupHeaderFixture {
 protected:
  void SetUp() override {
    LookupHeaderFixture::SetUp();
    makeHeader();
  }
  // The stored Unassigned of a client, read from the file.
  std::string unassigned(const char* code) {
    TdcTbTable file(nullptr);
    file.SetTableName(LookupDataDir + "\\yclient.QF;RES:YCLIENT");
    file.SetIndexName("1");
    file.Open();
    if (!file.FindKey({Format("%-7s", {AnsiString(code)})})) return "?";
    return file.FieldByName("Unassigned")->AsString();
  }
};

struct ListingCase {
  const char* client;
  bool numeric;
  const char* index;
  const char* lookupField;
  std::vector<std::string> columns;
  bool range, timer;
};

TEST_F(ClientCaseLookFEntryTest, EnteringTheSuffixOpensTheCaseListForTheClientAndTheOrder) {
  const ListingCase cases[] = {
      {"ABC", true, "1", "Case Suffix",
       {"Case Suffix\t7\t", "Description Line 1\t30\t", "Case Status 1\t3\t", "Resp Atty 1\t6\t"}, true, false},
      {"ABC", false, "4", "LeftJustCaseSuffix",
       {"LeftJustCaseSuffix\t9\t", "Description Line 1\t30\t", "Case Status 1\t3\t", "Resp Atty 1\t6\t"}, true, false},
      {"", true, "6", "RJCaseClient",
       {"RJCaseClient\t7\t", "ClientName\t35\tClientName", "Description Line 1\t30\t", "Case Status 1\t3\t",
        "Resp Atty 1\t6\t"},
       false, false},
      {"", false, "5", "CaseClient",
       {"CaseClient\t7\tCaseClient", "ClientName\t35\tClientName", "Description Line 1\t30\tDescription Line 1",
        "Case Status 1\t3\t", "Resp Atty 1\t6\t"},
       false, true},
  };
  for (const ListingCase& c : cases) {
    SCOPED_TRACE(std::string(c.client) + (c.numeric ? " numeric" : " alphabetic"));
    makeHeader();
    ListCasesInNumericOrder = c.numeric;
    enterSuffix(c.client, "");
    EXPECT_TRUE(dm->Case1_->Active());
    EXPECT_EQ(dm->Case1_->IndexName(), std::string(c.index));
    EXPECT_EQ(header->CaseSuffix->LookupField(), c.lookupField);
    std::vector<std::string> columns;
    for (int i = 0; i < header->CaseSuffix->Selected()->Count(); ++i)
      columns.push_back(header->CaseSuffix->Selected()->Strings(i));
    EXPECT_EQ(columns, c.columns);
    EXPECT_EQ(CaseRangeActive, c.range);
    EXPECT_EQ(CaseRangeIndex, c.range ? std::string(c.index) : std::string("-1"));
    EXPECT_EQ(header->Timer1->Enabled(), c.timer);
    if (c.range) {
      // Only the client's matters are listed.
      int listed = 0;
      for (dm->Case1_->First(); !dm->Case1_->Eof(); dm->Case1_->Next()) {
        EXPECT_EQ(Trim(dm->Case1_->FieldByName("Client Code")->AsString()), "ABC");
        ++listed;
      }
      EXPECT_EQ(listed, 6);
    }
  }
}

// What an entry finds already prepared: a fixed matter's disabled suffix, a suffix alone listed
// from its own range, or the matter-level list of a client.
struct PreparedCase {
  const char* name;
  std::function<void(TClientCaseLookF&)> before;
  bool reopened;
  const char* rangeClient;  // nullptr: no range after the entry
  const char* rangeStart;
  bool droppedDown;
  bool grey;
  const char* focused;
};

TEST_F(ClientCaseLookFEntryTest, AnEntryKeepsWhatIsPreparedAndRenewsOnlyAStaleRange) {
  const auto focus = [](TWinControl* control) {
    control->SetFocus();
    QApplication::processEvents();
  };
  const PreparedCase cases[] = {
      {"disabled, from the code",
       [&](TClientCaseLookF& h) {
         enterSuffix("ABC", "");
         h.CaseSuffix->SetEnabled(false);
         focus(h.ClientCode);
       },
       false, "ABC    ", "", false, true, "ClientCode"},
      {"disabled, from elsewhere",
       [&](TClientCaseLookF& h) {
         enterSuffix("ABC", "");
         h.CaseSuffix->SetEnabled(false);
         focus(h.AlternateID);
       },
       false, "ABC    ", "", false, false, "AlternateID"},
      {"suffix alone in its own range",
       [&](TClientCaseLookF& h) {
         ListCasesInNumericOrder = true;
         enterSuffix("", "12");
         focus(h.CaseSuffix);
         WORD space = VK_SPACE;
         h.CaseSuffixKeyDown(h.CaseSuffix, space, {});
         h.CaseSuffix->CloseUp(false);
         LastLookupControl = h.CaseSuffix;
       },
       false, "", "     12", false, false, "CaseSuffix"},
      {"suffix alone, blank",
       [&](TClientCaseLookF& h) {
         ListCasesInNumericOrder = true;
         enterSuffix("", "12");
         focus(h.CaseSuffix);
         WORD space = VK_SPACE;
         h.CaseSuffixKeyDown(h.CaseSuffix, space, {});
         h.CaseSuffix->CloseUp(false);
         LastLookupControl = h.CaseSuffix;
         h.CaseSuffix->SetText("");
       },
       true, nullptr, nullptr, false, false, "CaseSuffix"},
      {"matter level, same client",
       [&](TClientCaseLookF& h) {
         h.SetCaseLookup(true);
         enterSuffix("ABC", "");
         focus(h.CaseSuffix);
         h.CaseSuffix->CloseUp(false);
       },
       false, "ABC    ", "", true, false, "CaseSuffix"},
      {"matter level, another client",
       [&](TClientCaseLookF& h) {
         h.SetCaseLookup(true);
         enterSuffix("ABC", "");
         focus(h.CaseSuffix);
         h.CaseSuffix->CloseUp(false);
         h.ClientCode->SetText("XYZ");
       },
       false, "XYZ    ", "", true, false, "CaseSuffix"},
      {"matter level, numeric, listed from a suffix",
       [&](TClientCaseLookF& h) {
         h.SetCaseLookup(true);
         ListCasesInNumericOrder = true;
         enterSuffix("ABC", "1");
         focus(h.CaseSuffix);
         WORD space = VK_SPACE;
         h.CaseSuffixKeyDown(h.CaseSuffix, space, {});
         h.CaseSuffix->CloseUp(false);
         ASSERT_EQ(CaseRangeStart, "      1");
       },
       false, "ABC    ", "", false, false, "CaseSuffix"},
      {"client level",
       [&](TClientCaseLookF& h) {
         enterSuffix("ABC", "");
         focus(h.CaseSuffix);
       },
       true, "ABC    ", "", false, false, "CaseSuffix"},
  };
  for (const PreparedCase& c : cases) {
    SCOPED_TRACE(c.name);
    makeHeader();
    ListCasesInNumericOrder = false;
    ASSERT_TRUE(qn::ui::testing::showActive(*header));
    c.before(*header);
    int opened = 0;
    dm->Case1_->BeforeOpen = [&](TDataSet*) { ++opened; };
    const TColor colour = header->CaseSuffix->Color();
    header->CaseSuffixEnter(header->CaseSuffix);
    dm->Case1_->BeforeOpen = nullptr;
    EXPECT_EQ(opened > 0, c.reopened);
    EXPECT_EQ(CaseRangeActive, c.rangeClient != nullptr);
    if (c.rangeClient) {
      EXPECT_EQ(CaseRangeClient, c.rangeClient);
      EXPECT_EQ(CaseRangeStart, c.rangeStart);
      EXPECT_EQ(CaseRangeEnd, "ZZZZZZZ");
    }
    EXPECT_EQ(header->CaseSuffix->IsDroppedDown(), c.droppedDown);
    EXPECT_EQ(header->CaseSuffix->Color(), c.grey ? clGray : colour);
    ASSERT_NE(Screen->ActiveControl(), nullptr);
    EXPECT_EQ(Screen->ActiveControl()->Name(), c.focused);
    header->CaseSuffix->CloseUp(false);
    header->CaseSuffix->SetEnabled(true);
  }
}

TEST_F(ClientCaseLookFEntryTest, AnInactiveClientIsAskedAboutAtTheSuffixAndNoLeavesItInactive) {
  ASSERT_TRUE(qn::ui::testing::showActive(*header));
  header->ClientCode->SetText("INACT");
  bool keep = true, addNew = false;
  header->CheckClientCode(header->ClientCode, keep, addNew);
  ASSERT_TRUE(InactiveClientChosen);
  header->AlternateID->SetFocus();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kReactivate, mrNo);
  header->CaseSuffixEnter(header->CaseSuffix);
  QApplication::processEvents();
  ASSERT_NE(Screen->ActiveControl(), nullptr);
  EXPECT_EQ(Screen->ActiveControl()->Name(), "ClientCode") << "back to the code";
  EXPECT_FALSE(InactiveClientChosen);
  EXPECT_EQ(unassigned("INACT"), "800000");
  EXPECT_FALSE(dm->Case1_->Active()) << "the suffix list is not prepared";
}

TEST_F(ClientCaseLookFEntryTest, YesReactivatesEvenAClientWhoseFirstCharacterCannotShift) {
  for (auto [code, written] : {std::pair{"INACT", "0"}, std::pair{"SEVEN", "7"}}) {
    SCOPED_TRACE(code);
    HideInactiveClients = true;
    header->ClientCode->SetText(code);
    bool keep = true, addNew = false;
    header->CheckClientCode(header->ClientCode, keep, addNew);
    ASSERT_TRUE(InactiveClientChosen);
    {
      ScriptedMessageBoxes boxes;
      boxes.expect(mtConfirmation, kReactivate, mrYes);
      header->CaseSuffixEnter(header->CaseSuffix);
      header->CaseSuffix->CloseUp(false);
    }
    EXPECT_EQ(unassigned(code), written) << "stored \"%-6s\", read without its trailing blanks";
    // The next entry asks nothing: the client is active now.
    ScriptedMessageBoxes none;
    keep = true;
    header->CheckClientCode(header->ClientCode, keep, addNew);
    EXPECT_FALSE(InactiveClientChosen);
    EXPECT_TRUE(keep);
    header->CaseSuffixEnter(header->CaseSuffix);
    header->CaseSuffix->CloseUp(false);
  }
}

TEST_F(ClientCaseLookFEntryTest, YesWhileAnotherWorkstationHoldsTheClientEndsInTheLockPromptAndWritesNothing) {
  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + dataDir + "/YClient.qf"), 0);
  ASSERT_EQ(other.status("read 0 205 1 " + keyHex("INACT  ")), 0);
  header->ClientCode->SetText("INACT");
  bool keep = true, addNew = false;
  header->CheckClientCode(header->ClientCode, keep, addNew);
  ASSERT_TRUE(InactiveClientChosen);
  qn::ManualClock clock;
  qn::setClock(&clock);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, kReactivate, mrYes);
    boxes.expect(mtConfirmation, "A record lock was encountered.  Retry?", mrNo);
    EXPECT_THROW(header->CaseSuffixEnter(header->CaseSuffix), EAbort);
  }
  qn::setClock(nullptr);
  EXPECT_EQ(unassigned("INACT"), "800000");
  EXPECT_EQ(dm->Client1_->State(), dsBrowse);
  EXPECT_TRUE(InactiveClientChosen) << "still inactive: asked again at the next entry";
  // Once the other workstation lets the record go, the next entry's Yes reactivates it.
  ASSERT_EQ(other.status("unlock 0 -1"), 0);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kReactivate, mrYes);
  header->CaseSuffixEnter(header->CaseSuffix);
  header->CaseSuffix->CloseUp(false);
  EXPECT_EQ(unassigned("INACT"), "0");
}

TEST_F(ClientCaseLookFEntryTest, AFixedMatterIsCoveredAndUnlockingFreesTheCombos) {
  header->SetCaseLookup(true);
  enterSuffix("ABC", "1");
  bool keep = true, addNew = false;
  header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
  ASSERT_TRUE(header->CaseShown());
  header->LockLookupFields();
  header->LockAlternateID();
  EXPECT_EQ(header->AlternateID->DropDownCount(), -1);
  EXPECT_FALSE(header->AlternateID->GetShowButton());
  EXPECT_EQ(header->Edit1->Text(), "ABC");
  EXPECT_EQ(header->Edit2->Text(), "Abbot");
  EXPECT_EQ(Trim(header->Edit3->Text()), "1");
  for (TEdit* cover : {header->Edit1, header->Edit2, header->Edit3}) EXPECT_TRUE(cover->Visible());
  EXPECT_EQ(header->Edit1->BoundsRect(), header->ClientCode->BoundsRect());
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix})
    EXPECT_FALSE(combo->Enabled());
  const char* names[] = {"Client Code", "Client Name", "Case Suffix"};
  TEdit* covers[] = {header->Edit1, header->Edit2, header->Edit3};
  for (int i = 0; i < 3; ++i) {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, AnsiString(names[i]) + " cannot be changed here.\rUse Global Change utility instead");
    covers[i]->OnClick(covers[i]);
  }
  header->UnlockLookupFields();
  for (TEdit* cover : {header->Edit1, header->Edit2, header->Edit3}) EXPECT_FALSE(cover->Visible());
  for (TdcDBLookupCombo* combo : {header->ClientCode, header->ClientName, header->CaseSuffix, header->AlternateID})
    EXPECT_TRUE(combo->Enabled());
  EXPECT_EQ(header->AlternateID->DropDownCount(), 8);
  EXPECT_TRUE(header->AlternateID->GetShowButton());
  EXPECT_TRUE(header->CaseSuffix->GetShowButton());
  EXPECT_FALSE(header->CaseSuffix->ShowMatchText());
}

}  // namespace
}  // namespace dialogs_test
