// The code picker: the description that follows a typed code, the move on after a full code, and
// the end of the program when the code table cannot be opened.
#include <QTest>
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/LookupComboHelpers.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/CodeLookF.h"
#include "dialogs/tests/PickerFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/ui/Application.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Messages.h"
#include "framework/ui/testing/LocalApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class CodeLookFTest : public PickerFixture {
 protected:
  void makePicker(char type) {
    std::unique_ptr<TComponent> made(CreateComponentByClassName("TCodeLookF", nullptr));
    picker.reset(dynamic_cast<TCodeLookF*>(made.release()));
    ASSERT_NE(picker, nullptr);
    dock(picker.get());
    picker->SetTypeCode(type);
    picker->OpenCodeTables();
  }
  std::unique_ptr<TCodeLookF> picker;

  void TearDown() override {
    picker.reset();
    PickerFixture::TearDown();
  }
};

TEST_F(CodeLookFTest, TheFormIsMadeByClassNameWithItsCombosOverItsOwnTables) {
  makePicker('O');
  EXPECT_EQ(picker->Width(), 460);
  EXPECT_EQ(picker->TypeCode(), 'O');
  EXPECT_EQ(picker->TableCode->LookupTable(), picker->Codes1_);
  EXPECT_EQ(picker->TableDesc->LookupTable(), picker->Codes2_);
  EXPECT_EQ(picker->TableCode->LookupField(), "code");
  EXPECT_EQ(picker->TableDesc->LookupField(), "DescCode");
  EXPECT_EQ(picker->TableCode->MaxLength(), 2);
  EXPECT_EQ(picker->TableCode->Tag(), 2);
  EXPECT_EQ(picker->Codes1_->IndexName(), "5");
  EXPECT_EQ(picker->Codes2_->IndexName(), "4");
  bool handled = false;
  picker->OnMouseWheel(picker.get(), {}, 120, TPoint{0, 0}, handled);
  EXPECT_TRUE(handled);
}

TEST_F(CodeLookFTest, TheDescriptionFollowsTheCodeTypedByItsExactLetters) {
  MatterLoaded = true;
  struct Case {
    char type;
    const char* typed;
    const char* shown;
  };
  for (const Case& c : {Case{'D', "AB", "Upper AB  (AB)"}, Case{'D', "ab", "Lower ab  (ab)"},
                        Case{'D', "Ab", "Mixed Ab  (Ab)"}, Case{'A', "AB", "Case type AB  (AB)"},
                        Case{'D', "XY", "Only upper XY  (XY)"}, Case{'D', "xy", "NOT FOUND"},
                        Case{'D', "ZZ", "NOT FOUND"}, Case{'D', "#!", "NOT FOUND"}, Case{'A', "ab", "NOT FOUND"},
                        Case{'D', "", ""}, Case{'D', "  ", ""}}) {
    SCOPED_TRACE(std::string(1, c.type) + " " + c.typed);
    makePicker(c.type);
    picker->TableCode->SetText("Q");
    picker->TableDesc->SetText("before");
    picker->TableCode->SetText(c.typed);
    EXPECT_EQ(picker->TableDesc->Text(), c.shown);
  }
}

TEST_F(CodeLookFTest, NothingFollowsTheCodeUnlessAMatterIsLoadedItsEditsShownOrTheCalendarRuns) {
  struct Case {
    bool matter, edits, calendar, follows;
  };
  for (const Case& c : {Case{false, false, false, false}, Case{true, false, false, true},
                        Case{false, true, false, true}, Case{false, false, true, true}}) {
    SCOPED_TRACE(testing::Message() << c.matter << c.edits << c.calendar);
    MatterLoaded = c.matter;
    HeaderEditsShown = c.edits;
    CalendarParameter = c.calendar;
    makePicker('D');
    picker->TableDesc->SetText("before");
    picker->TableCode->SetText("AB");
    EXPECT_EQ(picker->TableDesc->Text(), c.follows ? "Upper AB  (AB)" : "before");
  }
}

TEST_F(CodeLookFTest, TheSecondCharacterTypedPostsOneTabAndHidesTheDescriptionsList) {
  MatterLoaded = true;
  struct Case {
    const char* typed;
    const char* shown;
  };
  // A code of the table is completed as its first character is typed, so its second character
  // types over the completion without altering the text; it is a full code all the same.
  for (const Case& c : {Case{"ZZ", "NOT FOUND"}, Case{"AB", "Upper AB  (AB)"}}) {
    SCOPED_TRACE(c.typed);
    makePicker('D');
    int tabs = 0;
    const TMessageEvent previous = qn::ui::setApplicationMessageHook([&](TMsg& msg, bool&) {
      if (msg.Message == WM_KEYDOWN && msg.WParam == VK_TAB) ++tabs;
    });
    picker->TableCode->SetFocus();
    ASSERT_TRUE(picker->TableCode->Focused());
    QTest::keyClicks(picker->TableCode->Window(), QString(QChar(c.typed[0])));
    Application->ProcessMessages();
    EXPECT_EQ(tabs, 0) << "one character is not a full code";
    picker->TableDesc->DropDownList()->SetVisible(true);
    QTest::keyClicks(picker->TableCode->Window(), QString(QChar(c.typed[1])));
    Application->ProcessMessages();
    qn::ui::setApplicationMessageHook(previous);
    EXPECT_EQ(picker->TableCode->Text(), c.typed);
    EXPECT_EQ(tabs, 1);
    EXPECT_FALSE(picker->TableDesc->DropDownList()->Visible());
    EXPECT_FALSE(picker->TableCode->ShowMatchText());
    EXPECT_EQ(picker->TableDesc->Text(), c.shown);
  }
}

TEST_F(CodeLookFTest, EnteringRemembersTheFirstDropDownCountForEveryPicker) {
  makePicker('D');
  picker->TableCode->SetDropDownCount(9);
  picker->TableCode->SetShowMatchText(false);
  picker->TableCode->SetText("AB");
  picker->EnterLookupField(picker->TableCode);
  EXPECT_EQ(CodeLookDropDownCount, 9);
  EXPECT_TRUE(picker->TableCode->ShowMatchText());
  EXPECT_EQ(picker->TableCode->SelLength(), 2);
  picker->TableDesc->SetDropDownCount(3);
  picker->EnterLookupField(picker->TableDesc);
  EXPECT_EQ(CodeLookDropDownCount, 9) << "only the first entry counts";
  picker->TableCodeDropDown(picker->TableDesc);
  EXPECT_EQ(picker->TableDesc->DropDownCount(), 9);
}

TEST_F(CodeLookFTest, TheFirstKeysIntoAnEmptyCodeAreRecordedLowerCaseUnlessShifted) {
  makePicker('D');
  struct Case {
    const char* text;
    WORD key;
    TShiftState shift;
    unsigned char first, second;
  };
  for (const Case& c : {Case{"", 'A', {}, 'a', 0}, Case{"", 'A', {ssShift}, 'A', 0}, Case{"", '7', {}, '7', 0},
                        Case{"", VK_LEFT, {}, 9, 9}}) {
    LookupComboMatchPair[0] = LookupComboMatchPair[1] = 9;
    picker->TableCode->SetText(c.text);
    WORD key = c.key;
    picker->TableCodeKeyDown(picker->TableCode, key, c.shift);
    EXPECT_EQ(LookupComboMatchPair[0], c.first) << c.key;
    EXPECT_EQ(LookupComboMatchPair[1], c.second) << c.key;
  }
  LookupComboMatchPair[0] = 'a';
  LookupComboMatchPair[1] = 0;
  picker->TableCode->SetText("a");
  WORD key = 'B';
  picker->TableCodeKeyDown(picker->TableCode, key, {});
  EXPECT_EQ(LookupComboMatchPair[1], 'b');
  LookupComboMatchPair[0] = LookupComboMatchPair[1] = 0;
}

TEST_F(CodeLookFTest, AMissingCodeTableIsToldAndEndsTheProgram) {
  const qn::ui::testing::LocalApplication ending;
  LookupDataDir = qn::testing::makeScratchDir("no-code-table");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Unable to open the file YTable.qf.\rPlease Call Vantor, Inc. for assistance.");
  TCodeLookF form(nullptr);
  form.OpenCodeTables();
  EXPECT_TRUE(CodeTablesOpenFailed);
  EXPECT_TRUE(Application->Terminated());
}

}  // namespace
}  // namespace dialogs_test
