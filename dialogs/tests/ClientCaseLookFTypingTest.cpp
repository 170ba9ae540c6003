// The header typed into as a user types: keys posted through the key route to the focused combo,
// the completion timer moved by a manual clock, and the Tabs the change handlers send counted
// where the application's message hook sees them.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/DM.h"
#include "core/Globals.h"
#include "dialogs/tests/LookupHeaderFixture.h"
#include "framework/base/Clock.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class ClientCaseLookFTypingTest : public LookupHeaderFixture {
 protected:
  void SetUp() override {
    LookupHeaderFixture::SetUp();
    qn::setClock(&clock);
    makeHeader();
    ASSERT_TRUE(qn::ui::testing::showActive(*header));
    // Tabs are counted as the hook sees them; a test that only counts keeps them from moving on.
    qn::ui::setApplicationMessageHook([this](TMsg& msg, bool& handled) {
      if (msg.Message != WM_KEYDOWN || msg.WParam != VK_TAB) return;
      ++tabs;
      handled = holdTabs;
    });
  }
  void TearDown() override {
    qn::ui::setApplicationMessageHook({});
    LookupHeaderFixture::TearDown();
    qn::setClock(nullptr);
  }
  // Runs what is queued, and what that queues in turn (a Tab a change handler sends).
  static void settle() {
    for (int i = 0; i < 3; ++i) Application->ProcessMessages();
  }
  void type(const char* keys) {
    for (const char* k = keys; *k; ++k) qn::ui::postKeyStroke(static_cast<WORD>(*k));
    settle();
  }
  void stroke(WORD key) {
    qn::ui::postKeyStroke(key);
    settle();
  }
  void wait(int ms) {
    clock.advance(static_cast<std::uint64_t>(ms));
    Application->ProcessMessages();
  }
  void focus(TWinControl* control) {
    control->SetFocus();
    settle();
  }
  AnsiString focusedName() { return Screen->ActiveControl() ? Screen->ActiveControl()->Name() : AnsiString("none"); }

  qn::ManualClock clock{100000};
  int tabs = 0;
  bool holdTabs = false;
};

TEST_F(ClientCaseLookFTypingTest, TypedLettersCompleteToTheFirstSuffixAndTheTimerKeepsTheCompletion) {
  focus(header->CaseSuffix);
  ASSERT_EQ(header->CaseSuffix->LookupField(), "CaseClient");
  ASSERT_TRUE(header->Timer1->Enabled());
  type("AB");
  EXPECT_TRUE(SuffixTyping);
  EXPECT_EQ(TypedSuffixPrefix, "AB");
  EXPECT_EQ(header->CaseSuffix->Text(), "AB1");
  EXPECT_EQ(header->CaseSuffix->SelStart(), 2);
  EXPECT_EQ(header->CaseSuffix->SelText(), "1");
  // The timer completes again from the list's row while the letters are being typed.
  header->CaseSuffix->SetText("AB");
  wait(24);
  EXPECT_EQ(header->CaseSuffix->Text(), "AB");
  wait(1);
  EXPECT_EQ(header->CaseSuffix->Text(), "AB1");
  EXPECT_EQ(header->CaseSuffix->SelText(), "1");
  // A character on its own while typing is under way: the key handler places the letters.
  qn::ui::postCharacter('Q');
  settle();
  EXPECT_EQ(header->CaseSuffix->Text(), "AB1");
  EXPECT_EQ(TypedSuffixPrefix, "AB");
  // Backspace starts the letters over and reaches the text.
  stroke(VK_BACK);
  EXPECT_FALSE(SuffixTyping);
  EXPECT_EQ(TypedSuffixPrefix, "");
  EXPECT_EQ(header->CaseSuffix->Text(), "AB");
  // The timer has nothing to complete now, and a lone character is typed.
  wait(50);
  EXPECT_EQ(header->CaseSuffix->Text(), "AB");
  qn::ui::postCharacter('Q');
  settle();
  EXPECT_EQ(header->CaseSuffix->Text(), "ABQ");
  EXPECT_EQ(tabs, 0);
}

TEST_F(ClientCaseLookFTypingTest, SpaceInNumericOrderRightJustifiesTheSuffixListsFromItAndIsNotTyped) {
  for (bool typedFirst : {true, false}) {
    SCOPED_TRACE(typedFirst ? "typed" : "put back");
    makeHeader();
    ASSERT_TRUE(qn::ui::testing::showActive(*header));
    ListCasesInNumericOrder = true;
    enterSuffix("ABC", typedFirst ? "" : "1");
    focus(header->CaseSuffix);
    header->CaseSuffix->CloseUp(false);
    if (typedFirst) type("1");
    ASSERT_EQ(header->CaseSuffix->Text(), "1");
    stroke(VK_SPACE);
    EXPECT_EQ(header->CaseSuffix->Text(), "      1");
    EXPECT_TRUE(CaseRangeActive);
    EXPECT_EQ(CaseRangeClient, "ABC    ");
    EXPECT_EQ(CaseRangeStart, "      1");
    EXPECT_EQ(CaseRangeEnd, "ZZZZZZZ");
    EXPECT_EQ(CaseRangeIndex, "1");
    EXPECT_TRUE(header->CaseSuffix->IsDroppedDown());
    // Listed from the suffix on: ABC-1 first, and ABC-12 after it.
    dm->Case1_->First();
    EXPECT_EQ(dm->Case1_->FieldByName("Case Suffix")->AsString(), "      1");
    header->CaseSuffix->CloseUp(false);
    // Backspace empties the text in numeric order.
    stroke(VK_BACK);
    EXPECT_EQ(header->CaseSuffix->Text(), "");
    EXPECT_EQ(TypedSuffixPrefix, "");
    EXPECT_FALSE(SuffixTyping);
  }
}

TEST_F(ClientCaseLookFTypingTest, TabLeavesTheAlphabeticSuffixAndTheSuffixIsChecked) {
  enterSuffix("ABC", "1");
  focus(header->CaseSuffix);
  header->CaseSuffix->CloseUp(false);
  ASSERT_FALSE(header->CaseSuffix->IsDroppedDown()) << "the key reaches the suffix's own handler";
  ASSERT_EQ(header->CaseSuffix->Text(), "1");
  ScriptedMessageBoxes none;
  stroke(VK_TAB);
  EXPECT_EQ(focusedName(), "AlternateID");
  EXPECT_TRUE(header->CaseShown()) << "ABC-1 found as the suffix was left";
}

TEST_F(ClientCaseLookFTypingTest, LettersTypedIntoAnEmptySuffixBeginAnewAfterTheSuffixWasLeft) {
  for (bool numeric : {false, true}) {
    SCOPED_TRACE(numeric ? "numeric" : "alphabetic");
    ListCasesInNumericOrder = numeric;
    enterSuffix("ABC", "");
    focus(header->CaseSuffix);
    header->CaseSuffix->CloseUp(false);
    type("1");
    ScriptedMessageBoxes none;
    stroke(VK_TAB);
    EXPECT_EQ(focusedName(), "AlternateID");
    EXPECT_TRUE(header->CaseShown()) << "ABC-1 found as the suffix was left";
    header->SetCaseShown(false);
  }
}

// Offices that number matters by year fill the suffix: ABC-2024001 beside the short suffixes.
class FullWidthSuffixTest : public ClientCaseLookFTypingTest {
 protected:
  std::map<std::string, std::string> seedFiles() const override {
    auto files = ClientCaseLookFTypingTest::seedFiles();
    // Full width, the suffix reads the same left- and right-justified.
    files["YCase.qf"] +=
        "Client Code = ABC\nCase Suffix = 2024001\nLeftJustCaseSuffix = 2024001\n"
        "CaseClient = \"2024001ABC    \"\nRJCaseClient = \"2024001ABC    \"\n"
        "Description Line 1 = Matter ABC-2024001\n\n";
    return files;
  }
  // Keys as a keyboard gives them: each goes down, brings its character and comes up.
  void keyIn(const char* keys) {
    for (const char* k = keys; *k; ++k) {
      qn::ui::postKeyDown(static_cast<WORD>(*k), {});
      qn::ui::postCharacter(*k);
      qn::ui::postKeyUp(static_cast<WORD>(*k), {});
    }
    settle();
  }
};

// Without a client the suffix's lists stand on compound keys (suffix, then client). Searched as they
// are once a released matter has freed the header, whatever row a list takes, the suffix box holds
// the suffix alone, never the client glued to it past its seven characters; with a client the
// list, keyed by the suffix, finds the matter again when it drops.
TEST_F(FullWidthSuffixTest, TheSuffixBoxHoldsTheSuffixAloneWhateverRowTheListTook) {
  struct Row {
    bool numeric;
    const char* client;
    const char* typed;
    const char* shown;
  };
  const Row rows[] = {
      {true, "ABC", "2024001", "2024001"}, {true, "ABC", "2", "2024001"}, {true, "ABC", "1", "1"},
      {false, "ABC", "2024001", "2024001"}, {true, "", "2024001", "2024001"}, {false, "", "2024001", "2024001"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.numeric ? "numeric" : "alphabetic") + ", client '" + row.client + "', typed " +
                 row.typed);
    makeHeader();
    ASSERT_TRUE(qn::ui::testing::showActive(*header));
    header->SetCaseLookup(true);
    ListCasesInNumericOrder = row.numeric;
    header->ClientCode->SetText(row.client);
    bool keep = true, addNew = false;
    if (*row.client) header->CheckClientCode(header->ClientCode, keep, addNew);
    ScriptedMessageBoxes none;
    focus(header->CaseSuffix);
    header->CaseSuffix->CloseUp(false);
    header->UnlockLookupFields();
    keyIn(row.typed);
    // A full suffix in alphabetic order sends its own Tab.
    if (Screen->ActiveControl() == header->CaseSuffix) stroke(VK_TAB);
    EXPECT_EQ(focusedName(), "AlternateID");
    EXPECT_TRUE(header->CaseShown());
    const AnsiString matter = Trim(dm->Case1_->FieldByName("LeftJustCaseSuffix")->AsString());
    EXPECT_EQ(Trim(dm->Case1_->FieldByName("Client Code")->AsString()) + "-" + matter,
              AnsiString("ABC-") + Trim(row.shown));
    EXPECT_EQ(Trim(header->CaseSuffix->Text()), row.shown);
    EXPECT_LE(header->CaseSuffix->Text().size(), 7u);
    if (*row.client && Trim(header->CaseSuffix->Text()).size() == 7) {
      // Dropped again, the list finds the matter the box names: the matter table stays on it.
      focus(header->CaseSuffix);
      header->CaseSuffix->DropDown();
      EXPECT_EQ(Trim(dm->Case1_->FieldByName("LeftJustCaseSuffix")->AsString()), row.shown);
      header->CaseSuffix->CloseUp(false);
    }
    SuffixTyping = false;
    TypedSuffixPrefix.clear();
  }
}

TEST_F(ClientCaseLookFTypingTest, ASevenCharacterClientCodeSendsOneTabToTheName) {
  focus(header->ClientCode);
  type("LONGES");
  EXPECT_EQ(tabs, 0);
  EXPECT_EQ(focusedName(), "ClientCode");
  type("T");
  EXPECT_EQ(tabs, 1);
  EXPECT_EQ(header->ClientCode->Text(), "LONGEST");
  EXPECT_EQ(focusedName(), "ClientName");
  EXPECT_EQ(header->ClientName->Text(), "Longest") << "the code was checked as it was left";
}

TEST_F(ClientCaseLookFTypingTest, AltDownInTheLockedAlternateIDOpensOneRowAndUnlockedEight) {
  header->SetCaseLookup(true);
  enterSuffix("ABC", "1");
  bool keep = true, addNew = false;
  header->CheckCaseSuffix(header->CaseSuffix, keep, addNew);
  ASSERT_TRUE(header->CaseShown());
  header->LockLookupFields();
  header->LockAlternateID();
  // Its list holds every matter now, more than a drop-down shows.
  ASSERT_GT(DM->Case2_->RecordCount(), 8);
  for (bool locked : {true, false}) {
    SCOPED_TRACE(locked ? "locked" : "unlocked");
    if (!locked) header->UnlockLookupFields();
    focus(header->AlternateID);
    qn::ui::postKeyStroke(VK_DOWN, {ssAlt});
    settle();
    ASSERT_TRUE(header->AlternateID->IsDroppedDown());
    EXPECT_EQ(header->AlternateID->DropDownList()->VisibleRowCount(), locked ? 1 : 8);
    header->AlternateID->CloseUp(false);
  }
}

struct AutoTabCase {
  const char* name;
  bool suffix;
  bool numeric;
  const char* text;
  int caret;
  int tabs;
};

TEST_F(ClientCaseLookFTypingTest, AFullCodeOrAlphabeticSuffixWithTheCaretAtItsEndSendsATab) {
  holdTabs = true;
  // The Tabs go to the control focused when they arrive.
  focus(header->AlternateID);
  const AutoTabCase cases[] = {
      {"code of 7", false, false, "LONGEST", 7, 1},
      {"code of 6", false, false, "LONGES", 6, 0},
      {"code of 7, caret inside", false, false, "LONGEST", 3, 0},
      {"code of 7, numeric order", false, true, "LONGEST", 7, 1},
      {"suffix of 7", true, false, "ABCDEFG", 7, 1},
      {"suffix of 7, numeric order", true, true, "ABCDEFG", 7, 0},
      {"suffix of 7 ending in a blank", true, false, "ABCDEF ", 7, 0},
      {"suffix of 6", true, false, "ABCDEF", 6, 0},
  };
  for (const AutoTabCase& c : cases) {
    SCOPED_TRACE(c.name);
    ListCasesInNumericOrder = c.numeric;
    TdcDBLookupCombo* combo = c.suffix ? header->CaseSuffix : header->ClientCode;
    combo->SetText(c.text);
    combo->SetSelStart(c.caret);
    tabs = 0;
    if (c.suffix)
      header->CaseSuffixChange(combo);
    else
      header->ClientCodeChange(combo);
    settle();
    EXPECT_EQ(tabs, c.tabs);
  }
}

}  // namespace
}  // namespace dialogs_test
