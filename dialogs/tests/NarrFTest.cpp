// The narrative picker: codes inserted into the description as tokens, the expanded view, the
// tabs of the electronic-billing codes and the list of narrative codes.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/TransactionEntry.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrF.h"
#include "dialogs/NarrativeCodes.h"
#include "dialogs/tests/PickerFixture.h"
#include "datagrid/DcTbTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Color.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TabStrip.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "recordmgr/tests/RecordingLog.h"
#include "testing/TestDirs.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

constexpr uint16_t kGetNext = 6;
constexpr int16_t kIoError = 2;

TEST(NarrativeInsertTest, TheTokenGoesInAtTheCaretAfterABlankUnlessAtTheStartOrAfterABlank) {
  struct Case {
    const char* text;
    int caret;  // -1: the end
    const char* code;
    const char* result;
    int caretAfter;
  };
  for (const Case& c : {Case{"Met with", -1, "AB", "Met with +AB ", 13}, Case{"", 0, "AB", "+AB ", 4},
                        Case{"x ", -1, "C", "x +C  ", 6}, Case{"Met client", 3, "AB", "Met +AB  client", 8},
                        Case{"Met client", 0, "C", "+C  Met client", 4}, Case{"abc", 99, "AB", "abc +AB ", 8}}) {
    const AnsiString text(c.text);
    const NarrativeInsertion inserted =
        InsertNarrativeToken(text, c.caret < 0 ? static_cast<int>(text.size()) : c.caret, c.code);
    EXPECT_EQ(inserted.text, c.result) << c.text;
    EXPECT_EQ(inserted.caret, c.caretAfter) << c.text;
  }
}

TEST(NarrativeTabsTest, EachTabTakesItsCodeLetterAndLength) {
  struct Case {
    int tab;
    const char* caption;
    int kind;
    char letter;
  };
  for (const Case& c : {Case{0, "Narr.", 1, 'N'}, Case{1, "Task", 1, 'T'}, Case{1, "Activity", 1, 'K'},
                        Case{1, "Task", 0, 'K'}, Case{1, "Task", 2, 'E'}, Case{1, "Expense", 3, 'E'},
                        Case{2, "Activity", 1, 'K'}, Case{2, "Activity", 2, 'K'}}) {
    EXPECT_EQ(NarrativeTabTypeCode(c.tab, c.caption, c.kind), c.letter) << c.tab << " " << c.caption << " " << c.kind;
  }
  EXPECT_EQ(NarrativeTabMaxLength(0), 3);
  EXPECT_EQ(NarrativeTabMaxLength(1), 4);
  EXPECT_EQ(NarrativeTabMaxLength(2), 4);
}

class NarrFTest : public PickerFixture {
 protected:
  void SetUp() override {
    PickerFixture::SetUp();
    memo = std::make_unique<TMemoF>(nullptr);
    MemoF = memo.get();
    dock(memo.get(), 80);
    std::unique_ptr<TComponent> made(CreateComponentByClassName("TNarrF", nullptr));
    narr.reset(dynamic_cast<TNarrF*>(made.release()));
    NarrF = narr.get();
    dock(narr.get(), 0);
    narr->OpenNarrativeCodes();
  }
  void TearDown() override {
    narr.reset();
    memo.reset();
    PickerFixture::TearDown();
  }
  void insert(const char* code) {
    narr->TableCode->SetText(code);
    narr->InsertBitBtnClick(narr->InsertBitBtn);
  }
  std::unique_ptr<TMemoF> memo;
  std::unique_ptr<TNarrF> narr;
};

TEST_F(NarrFTest, TheFormIsANarrativeCodePickerOnTheCodeTable) {
  EXPECT_EQ(narr->Tag(), 400);
  EXPECT_EQ(narr->TypeCode(), 'N');
  EXPECT_EQ(narr->TableCode->Tag(), 410);
  EXPECT_EQ(narr->TableDesc->Tag(), 420);
  EXPECT_EQ(narr->TableCode->MaxLength(), 3);
  EXPECT_EQ(narr->TableCode->LookupField(), "codecalc");
  EXPECT_FALSE(narr->TableDesc->TabStop());
  EXPECT_EQ(PanelInitStep, 1);
  narr->OpenNarrativeCodes();
  EXPECT_EQ(PanelInitStep, 1) << "once per run";
  PanelInitStep = 0;
  ASSERT_TRUE(narr->Codes1_->Active());
  std::vector<std::string> codes;
  for (narr->Codes1_->First(); !narr->Codes1_->Eof(); narr->Codes1_->Next())
    codes.push_back(narr->Codes1_->FieldByName("codecalc")->AsString());
  EXPECT_EQ(codes, (std::vector<std::string>{"AB", "C"}));
}

TEST_F(NarrFTest, OffTheDesignedResolutionTheTabCaptionWidensAndTheCombosMoveDown) {
  ASSERT_NE(Screen->PixelsPerInch(), 120) << "the offscreen screen is not at the designed resolution";
  EXPECT_EQ(narr->TabControl1->Tabs()->Strings(0), "Narr. code      Narr. description          ");
  EXPECT_EQ(narr->TableCode->Top(), 35);
  EXPECT_EQ(narr->TableDesc->Top(), 35);
  EXPECT_EQ(narr->TabPanel->Height(), 13);
}

TEST_F(NarrFTest, InsertingPutsTheTokenAtTheCaretAndKeepsTheTypedText) {
  memo->Description->SetText("Met with");
  memo->Description->SetSelStart(8);
  insert("AB");
  EXPECT_EQ(memo->Description->Text(), "Met with +AB ");
  EXPECT_EQ(UnexpandedDescription, "Met with +AB ");
  EXPECT_EQ(memo->Description->SelStart(), 13);
  insert("C");
  EXPECT_EQ(memo->Description->Text(), "Met with +AB +C  ");
  memo->Description->SetText("");
  insert("");
  EXPECT_EQ(memo->Description->Text(), "") << "no code, no token";
}

TEST_F(NarrFTest, TheCaretEndsAfterTheTokenThoughTheMainWindowSelectsTheTextOfAFocusedEdit) {
  // The main window selects the whole text of every edit that becomes active.
  const auto previous = Screen->activeControlChanged;
  Screen->activeControlChanged = [](TObject*) {
    if (auto* edit = dynamic_cast<TCustomEdit*>(Screen->ActiveControl())) edit->SelectAll();
  };
  memo->Description->SetText("Met with");
  memo->Description->SetSelStart(8);
  narr->TableCode->SetFocus();
  ASSERT_TRUE(narr->TableCode->Focused());
  insert("AB");
  Application->ProcessMessages();
  Screen->activeControlChanged = previous;
  EXPECT_TRUE(memo->Description->Focused());
  EXPECT_EQ(memo->Description->SelStart(), 13);
  EXPECT_EQ(memo->Description->SelLength(), 0);
}

TEST_F(NarrFTest, ExpandingShowsTheCodesTextsReadOnlyInGreenAndExpandingAgainRestoresTheTypedText) {
  memo->Description->SetText("+AB  the judge +C  ");
  narr->ExpandBitBtnClick(narr->ExpandBitBtn);
  EXPECT_TRUE(DescriptionExpanded);
  EXPECT_TRUE(NarrativeListBuilt);
  const AnsiString expanded = memo->Description->Text();
  EXPECT_EQ(expanded.substr(0, 16), "Met with client ");
  EXPECT_NE(expanded.find("court appearance."), AnsiString::npos);
  EXPECT_TRUE(memo->Description->ReadOnly());
  EXPECT_EQ(memo->Description->Font()->Color(), clGreen);
  memo->Description->SetSelStart(0);
  memo->Description->SetSelLength(1);
  EXPECT_EQ(memo->Description->selectionAttributes().color, clGreen);
  EXPECT_EQ(memo->LabelDescLen->Caption(), ExpandedLengthText(expanded));
  EXPECT_EQ(memo->LabelDescLen->Caption(), std::to_string(TrimRight(expanded).size()) + " characters");
  EXPECT_FALSE(narr->InsertBitBtn->Enabled());
  EXPECT_EQ(UnexpandedDescription, "+AB  the judge +C  ");

  narr->ExpandBitBtnClick(narr->ExpandBitBtn);
  EXPECT_FALSE(DescriptionExpanded);
  EXPECT_EQ(memo->Description->Text(), "+AB  the judge +C  ");
  EXPECT_FALSE(memo->Description->ReadOnly());
  EXPECT_EQ(memo->Description->Font()->Color(), clBlack);
  EXPECT_EQ(memo->LabelDescLen->Caption(), "");
  EXPECT_TRUE(narr->InsertBitBtn->Enabled());
}

TEST_F(NarrFTest, WhileExpandedNoTokenIsInserted) {
  memo->Description->SetText("Met with");
  narr->ExpandBitBtnClick(narr->ExpandBitBtn);
  const AnsiString shown = memo->Description->Text();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Unable to insert a narrative code\rwhen the narrative description is expanded.");
  insert("AB");
  EXPECT_EQ(memo->Description->Text(), shown);
  EXPECT_EQ(UnexpandedDescription, "Met with");
}

TEST_F(NarrFTest, TheListHoldsEachNarrativeCodeSortedWithItsTextAndTransactionType) {
  narr->BuildNarrativeList();
  ASSERT_EQ(NarrativeList.size(), 2u);
  EXPECT_EQ(NarrativeList[0], NarrativeListEntry("AB", "met with client", "F"));
  EXPECT_EQ(NarrativeList[0].size(), 3u + 120u + 1u);
  EXPECT_EQ(NarrativeList[1].substr(0, 3), "C  ");
  EXPECT_FALSE(narr->NarrCodes_->Active());
}

TEST_F(NarrFTest, AMissingCodeFileIsToldAndLeavesTheListUnbuilt) {
  LookupDataDir = qn::testing::makeScratchDir("no-narratives");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Unable to open the Narrative Description file.\rPlease Call Vantor, Inc. for assistance.");
  narr->BuildNarrativeList();
  EXPECT_FALSE(NarrativeListBuilt);
}

TEST_F(NarrFTest, AReadFailingWhileTheListIsBuiltIsToldOnceAndStopsTheExpandSilently) {
  memo->Description->SetText("+AB  the judge");
  // The record manager answers an I/O error to the next read of the following row.
  recordingtest::injectStatus(kGetNext, kIoError);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, AnsiString("A database error was encountered while attempting to") + "\r\n" +
                            "create a narrative code list. " + "Please contact Vantor, Inc. for assistance.");
  EXPECT_THROW(narr->ExpandBitBtnClick(narr->ExpandBitBtn), EAbort);
  EXPECT_FALSE(NarrativeListBuilt);
  EXPECT_TRUE(NarrativeList.empty());
  EXPECT_FALSE(narr->NarrCodes_->Active());
  EXPECT_FALSE(DescriptionExpanded);
  EXPECT_EQ(memo->Description->Text(), "+AB  the judge");
  EXPECT_TRUE(narr->InsertBitBtn->Enabled());
}

TEST_F(NarrFTest, ActivationIsMarkedForTheMainWindowOnlyWhenItAsks) {
  for (bool asked : {false, true}) {
    TransactionEntry.MarkNarrativeActivation = asked;
    TransactionEntry.NarrativePickerActivated = false;
    narr->FormActivate(narr.get());
    EXPECT_EQ(TransactionEntry.NarrativePickerActivated, asked);
  }
}

TEST_F(NarrFTest, TheTabsChooseTheCodeLetterAndLength) {
  struct Case {
    int tab;
    int kind;
    char letter;
    int maxLength;
    bool narrativeButtons;
  };
  for (const Case& c : {Case{1, 1, 'T', 4, false}, Case{1, 2, 'E', 4, false}, Case{2, 1, 'K', 4, false},
                        Case{0, 1, 'N', 3, true}}) {
    TransactionEntry.Kind = c.kind;
    narr->TableCode->SetText("X");
    narr->TabControl1->SetTabIndex(c.tab);
    narr->TabControl1Change(narr->TabControl1);
    narr->TableCode->CloseUp(false);
    EXPECT_EQ(narr->TypeCode(), c.letter) << c.tab;
    EXPECT_EQ(narr->TableCode->MaxLength(), c.maxLength) << c.tab;
    EXPECT_EQ(narr->InsertBitBtn->Visible(), c.narrativeButtons) << c.tab;
    EXPECT_EQ(narr->TableCode->Text(), "") << c.tab;
  }
  TransactionEntry.Kind = 1;
  narr->TabControl1->SetTabIndex(1);
  narr->TabControl1Change(narr->TabControl1);
  narr->TableCode->CloseUp(false);
  std::vector<std::string> codes;
  for (narr->Codes1_->First(); !narr->Codes1_->Eof(); narr->Codes1_->Next())
    codes.push_back(narr->Codes1_->FieldByName("codecalc")->AsString());
  EXPECT_EQ(codes, (std::vector<std::string>{"T100"}));
}

}  // namespace
}  // namespace dialogs_test
