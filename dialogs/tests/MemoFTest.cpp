// The description editor: its keys, the case change, the calendar's length limit, the spell
// check, the electronic-billing codes and the check of a code left.
#include <gtest/gtest.h>

#include <fstream>

#include "core/Globals.h"
#include "core/SpellEngine.h"
#include "core/TransactionEntry.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrativeCodes.h"
#include "dialogs/tests/PickerFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Clock.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/PopupMenu.h"
#include "editors/DBLookupCombo.h"
#include "editors/RichEditForm.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Application.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Messages.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/WinControl.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class MemoFTest : public PickerFixture {
 protected:
  void SetUp() override {
    PickerFixture::SetUp();
    std::unique_ptr<TComponent> made(CreateComponentByClassName("TMemoF", nullptr));
    memo.reset(dynamic_cast<TMemoF*>(made.release()));
    ASSERT_NE(memo, nullptr);
    MemoF = memo.get();
    dock(memo.get(), 60);
  }
  void TearDown() override {
    memo.reset();
    ProgramDir = ExecutableFolder();
    PickerFixture::TearDown();
  }
  TMenuItem* popupItem(const char* name) {
    auto* popup = dynamic_cast<TPopupMenu*>(memo->Description->PopupMenu());
    for (int i = 0; i < popup->Items()->Count(); ++i)
      if (popup->Items()->Items(i)->Name() == name) return popup->Items()->Items(i);
    return nullptr;
  }
  std::unique_ptr<TMemoF> memo;
};

TEST_F(MemoFTest, ThePanelStartsWithZeroValuesAndItsFieldsTagged) {
  EXPECT_EQ(memo->Tag(), 500);
  EXPECT_EQ(memo->Description->Tag(), 570);
  for (TdcDBSpinEdit* value : {memo->Hours, memo->Rate, memo->Amount}) EXPECT_EQ(value->Text(), "0.00");
  EXPECT_EQ(memo->Hours->Tag(), 540);
  EXPECT_EQ(memo->Rate->Tag(), 550);
  EXPECT_EQ(memo->Amount->Tag(), 560);
  EXPECT_EQ(BillableFields.Hours, "0.00");
  EXPECT_FALSE(memo->RateInfoBitBtn->Visible());
  EXPECT_FALSE(memo->CBNonApplied->Visible());
  EXPECT_EQ(memo->OptFieldsBitBtn->Caption(), "&BILLABLE FIELDS");
  EXPECT_EQ(memo->Timer1->Interval(), 500u);
  ASSERT_NE(popupItem("UpperCase1"), nullptr);
  EXPECT_EQ(popupItem("UpperCase1")->ShortCut()->Key, 'U');
  EXPECT_EQ(popupItem("LowerCase1")->ShortCut()->Key, 'L');
  EXPECT_NE(popupItem("SpellCheck1"), nullptr) << "in the case screen";
}

TEST_F(MemoFTest, TheCodeBoxesListTheTablesTaskActivityAndExpenseCodes) {
  ASSERT_EQ(memo->ComboBoxTask->Items()->Count(), 2);
  EXPECT_EQ(memo->ComboBoxTask->Items()->Strings(0), "<blank>");
  EXPECT_EQ(memo->ComboBoxTask->Items()->Strings(1), "T100 Litigation task");
  ASSERT_EQ(memo->ComboBoxActivity->Items()->Count(), 3);
  EXPECT_EQ(memo->ComboBoxActivity->Items()->Strings(1), "A101 Plan and prepare");
  EXPECT_EQ(memo->ComboBoxActivity->Items()->Strings(2), "A102 Research");
  EXPECT_EQ(memo->ComboBoxExpense->Items()->Count(), 2);
}

TEST_F(MemoFTest, EqualsInAnEmptyDescriptionCopiesThePreviousOneAndIsTypedElsewhere) {
  PreviousDescription = "Drafted the will";
  char key = '=';
  memo->DescriptionKeyPress(memo->Description, key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(memo->Description->Text(), "Drafted the will");
  key = '=';
  memo->DescriptionKeyPress(memo->Description, key);
  EXPECT_EQ(key, '=');
  EXPECT_EQ(memo->Description->Text(), "Drafted the will");
  TransactionEntry.CapitaliseDescription = true;
  key = 'q';
  memo->DescriptionKeyPress(memo->Description, key);
  EXPECT_EQ(key, 'Q');
}

TEST_F(MemoFTest, EqualsMarksTheCopyAndItsCodesWhenThePreviousDescriptionCameWithCodes) {
  PreviousDescription = "+AB  the judge";
  for (bool hadCodes : {false, true}) {
    SCOPED_TRACE(hadCodes);
    TransactionEntry.PreviousDescriptionHadCodes = hadCodes;
    TransactionEntry.PreviousDescriptionCopied = TransactionEntry.CopiedDescriptionCodes = false;
    memo->Description->SetText("");
    char key = '=';
    memo->DescriptionKeyPress(memo->Description, key);
    EXPECT_EQ(memo->Description->Text(), "+AB  the judge");
    EXPECT_EQ(TransactionEntry.PreviousDescriptionCopied, hadCodes);
    EXPECT_EQ(TransactionEntry.CopiedDescriptionCodes, hadCodes);
    TransactionEntry.PreviousDescriptionCopied = TransactionEntry.CopiedDescriptionCodes = false;
    key = '=';
    memo->DescriptionKeyPress(memo->Description, key);
    EXPECT_FALSE(TransactionEntry.PreviousDescriptionCopied) << "typed into a description, \"=\" copies nothing";
  }
}

TEST_F(MemoFTest, HoursNotYetTakenKeepTheFocusFromLookupsAndValuesOnly) {
  struct Case {
    bool modified;
    int to;  // 0 rate, 1 amount, 2 description, 3 a lookup combo, 4 a control named DateEdit
    bool back;
  };
  auto* lookup = new TdcDBLookupCombo(host.get());
  lookup->SetParent(host.get());
  lookup->SetBounds(600, 0, 60, 22);
  auto* dateEdit = new TEdit(host.get());
  dateEdit->SetParent(host.get());
  dateEdit->SetName("DateEdit");
  dateEdit->SetBounds(600, 30, 60, 22);
  TWinControl* targets[] = {memo->Rate, memo->Amount, memo->Description, lookup, dateEdit};
  for (const Case& c : {Case{true, 0, true}, Case{true, 1, true}, Case{true, 2, false}, Case{true, 3, true},
                        Case{true, 4, true}, Case{false, 0, false}, Case{false, 3, false}}) {
    SCOPED_TRACE(testing::Message() << c.modified << " " << c.to);
    memo->Hours->SetFocus();
    ASSERT_TRUE(memo->Hours->Focused());
    memo->Hours->SetModified(c.modified);
    targets[c.to]->SetFocus();
    EXPECT_EQ(memo->Hours->Focused(), c.back);
    EXPECT_EQ(targets[c.to]->Focused(), !c.back);
  }
}

TEST_F(MemoFTest, TheCaseChangeNeedsASelectionWithoutAPlus) {
  memo->Description->SetText("met +AB  the judge");
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "Nothing to do!  Please select some text.");
    memo->ChangeSelectionCase(popupItem("UpperCase1"));
  }
  memo->Description->SetSelStart(0);
  memo->Description->SetSelLength(8);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "Text to be edited cannot contain a '+'.");
    memo->ChangeSelectionCase(popupItem("UpperCase1"));
  }
  EXPECT_EQ(memo->Description->Text(), "met +AB  the judge");
  memo->Description->SetSelStart(9);
  memo->Description->SetSelLength(9);
  memo->ChangeSelectionCase(popupItem("UpperCase1"));
  EXPECT_EQ(memo->Description->Text(), "met +AB  THE JUDGE");
  memo->Description->SetSelStart(9);
  memo->Description->SetSelLength(3);
  memo->ChangeSelectionCase(popupItem("LowerCase1"));
  EXPECT_EQ(memo->Description->Text(), "met +AB  the JUDGE");
}

TEST_F(MemoFTest, InCalendarModeTheFourHundredNinetySecondCharacterAndEveryChangeAfterItAreTold) {
  CalendarParameter = true;
  memo->Description->SetText(AnsiString(491, 'a'));
  ScriptedMessageBoxes boxes;
  const AnsiString text = "you have reached the maximum number of characters that you may enter here.";
  boxes.expect(mtCustom, text).expect(mtCustom, text);
  memo->Description->SetText(AnsiString(492, 'a'));
  memo->Description->SetText(AnsiString(493, 'a'));
  EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(MemoFTest, EmptyingTheDescriptionInTheCaseScreenForgetsTheTypedText) {
  UnexpandedDescription = "+AB ";
  memo->Description->SetText("x");
  memo->Description->SetText("");
  EXPECT_EQ(UnexpandedDescription, "");
}

class SpellCheckTest : public MemoFTest {
 protected:
  void SetUp() override {
    MemoFTest::SetUp();
    engine = LoadedSpellEngine();
    ASSERT_NE(engine, nullptr);
    ASSERT_NE(engine->InstallDialogs, nullptr);
    calls.CheckCtrlDlg = [](std::uint32_t parent, std::uint32_t control, std::int16_t selectedOnly) -> std::int16_t {
      checks.push_back({parent, control, static_cast<std::uint32_t>(selectedOnly)});
      // What the checked control shows while the check runs.
      if (auto* edit = dynamic_cast<TCustomRichEdit*>(FindControlByHandle(control)))
        shownWhileChecking = {edit->ScrollBars(), !edit->HideSelection()};
      return 0;
    };
    calls.EditLexDlg = [](std::uint32_t) -> std::int16_t { return 0; };
    calls.OptionsDlg = [](std::uint32_t) -> std::int16_t { return 0; };
    engine->InstallDialogs(&calls);
    checks.clear();
    shownWhileChecking = {ssNone, false};
    ProgramDir = qn::testing::makeScratchDir("spell-program");
  }
  void TearDown() override {
    engine->InstallDialogs(nullptr);
    MemoFTest::TearDown();
  }
  const SpellEngineCalls* engine = nullptr;
  SpellEngineDialogCalls calls{};
  static inline std::vector<std::array<std::uint32_t, 3>> checks;
  static inline std::pair<TScrollStyle, bool> shownWhileChecking{ssNone, false};
};

TEST_F(SpellCheckTest, AnExpandedDescriptionIsNotChecked) {
  std::ofstream(ProgramDir + "/ssceam.tlx") << "lexicon";
  DescriptionExpanded = true;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Please 'unexpand' your description\r\nbefore running the spell checker.");
  memo->SBSpellCheckClick(nullptr);
  EXPECT_TRUE(checks.empty());
}

TEST_F(SpellCheckTest, WithoutTheLexiconTheFilesAreAskedForAndNothingIsChecked) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, SpellFilesMissingText());
  memo->SBSpellCheckClick(nullptr);
  EXPECT_TRUE(checks.empty());
  EXPECT_NE(SpellFilesMissingText().find("placed in the program folder: " + ProgramDir + "."), AnsiString::npos);
}

TEST_F(SpellCheckTest, WithTheLexiconTheEngineChecksTheDescriptionInThePanel) {
  std::ofstream(ProgramDir + "/ssceam.tlx") << "lexicon";
  memo->Description->SetScrollBars(ssVertical);
  memo->SBSpellCheckClick(nullptr);
  ASSERT_EQ(checks.size(), 1u);
  EXPECT_EQ(checks[0][0], static_cast<std::uint32_t>(memo->Handle()));
  EXPECT_EQ(checks[0][1], static_cast<std::uint32_t>(memo->Description->Handle()));
  EXPECT_EQ(checks[0][2], 0u);
  EXPECT_EQ(shownWhileChecking.first, ssBoth);
  EXPECT_TRUE(shownWhileChecking.second) << "the selection shows during the check";
  EXPECT_TRUE(memo->Description->HideSelection());
  EXPECT_EQ(memo->Description->ScrollBars(), ssVertical);
}

TEST_F(MemoFTest, ACodeNotInTheTableIsToldAtMostOnceWithinHalfASecond) {
  qn::ManualClock clock(10000);
  qn::setClock(&clock);
  memo->ComboBoxActivity->SetText("ZZZ");
  const AnsiString text = "The code ZZZ is not in the table. Please make a different selection.";
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, text);
    memo->ComboBoxExit(memo->ComboBoxActivity);
    EXPECT_EQ(TransactionEntry.RejectedCodes["ComboBoxActivity"], "ZZZ");
    EXPECT_EQ(TransactionEntry.RejectedCodes.count("ComboBoxTask"), 0u);
    clock.advance(499);
    memo->ComboBoxExit(memo->ComboBoxActivity);
    EXPECT_EQ(boxes.shown().size(), 1u);
  }
  clock.advance(2);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, text);
    memo->ComboBoxExit(memo->ComboBoxActivity);
  }
  qn::setClock(nullptr);
}

TEST_F(MemoFTest, LeavingACodeForTheNarrativePickerOrTheExitButtonChecksNothing) {
  qn::ManualClock clock(10000);
  qn::setClock(&clock);
  struct Case {
    const char* to;
    bool told;
  };
  for (const Case& c : {Case{"TableCode", false}, Case{"TableDesc", false}, Case{"ExitBitBtn", false},
                        Case{"Elsewhere", true}}) {
    SCOPED_TRACE(c.to);
    auto target = std::make_unique<TEdit>(host.get());
    target->SetParent(host.get());
    target->SetName(c.to);
    target->SetBounds(600, 0, 60, 22);
    memo->ComboBoxActivity->SetFocus();
    ASSERT_TRUE(memo->ComboBoxActivity->Focused());
    memo->ComboBoxActivity->SetText("ZZZ");
    ScriptedMessageBoxes boxes;
    if (c.told) boxes.expect(mtError, "The code ZZZ is not in the table. Please make a different selection.");
    target->SetFocus();
    EXPECT_EQ(boxes.shown().size(), c.told ? 1u : 0u);
    memo->ComboBoxActivity->SetText("");
    memo->Description->SetFocus();
    clock.advance(600);
  }
  qn::setClock(nullptr);
}

TEST_F(MemoFTest, ACodeOfTheListTakesItsTextAndTheActivityMayBeginTheDescription) {
  qn::ManualClock clock(10000);
  qn::setClock(&clock);
  TransactionEntry.ActivityTextAsPrefix = true;
  memo->ComboBoxActivity->SetText("A102");
  ScriptedMessageBoxes boxes;
  memo->ComboBoxExit(memo->ComboBoxActivity);
  EXPECT_EQ(memo->ComboBoxActivity->Hint(), "Research");
  EXPECT_EQ(TransactionEntry.DescriptionPrefix, "Research ");
  clock.advance(600);
  TransactionEntry.CodesRequired = true;
  memo->ComboBoxTask->SetText("");
  boxes.expect(mtError, "You must select a code from the table.");
  memo->ComboBoxExit(memo->ComboBoxTask);
  qn::setClock(nullptr);
}

TEST_F(MemoFTest, ADebitRetainerTransferMustBeNonApplied) {
  TransactionEntry.Kind = 8;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Debit retainer transfers must be non-applied.");
  memo->Amount->SetText("-5.00");
  EXPECT_TRUE(memo->CBNonApplied->Checked());
  memo->Amount->SetText("-6.00");
  EXPECT_EQ(boxes.shown().size(), 1u) << "once non-applied, nothing more is said";
}

TEST_F(MemoFTest, TheRateInformationGoesWhenTheValueThatDecidedTheRateChanges) {
  struct Case {
    int kind;
    bool fixed;
    int field;  // 0 hours, 1 rate, 2 amount
    bool hidden;
  };
  for (const Case& c : {Case{1, false, 1, true}, Case{1, false, 2, false}, Case{1, false, 0, false},
                        Case{1, true, 2, true}, Case{1, true, 1, false}, Case{2, false, 0, true}}) {
    TransactionEntry.Kind = c.kind;
    TransactionEntry.FixedAmount = c.fixed;
    memo->RateInfoBitBtn->SetVisible(true);
    TdcDBSpinEdit* fields[] = {memo->Hours, memo->Rate, memo->Amount};
    fields[c.field]->SetText(fields[c.field]->Text() + "1");
    EXPECT_EQ(memo->RateInfoBitBtn->Visible(), !c.hidden) << c.kind << c.fixed << c.field;
  }
}

TEST_F(MemoFTest, InTheCaseWindowOnlyTheDescriptionShows) {
  memo->PlaceInCaseWindow(300, 900);
  EXPECT_EQ(memo->Top(), 300);
  EXPECT_EQ(memo->Left(), 1);
  EXPECT_EQ(memo->Width(), 885);
  EXPECT_EQ(memo->Height(), 0);
  EXPECT_FALSE(memo->Hours->Visible());
  EXPECT_FALSE(memo->OptFieldsBitBtn->Visible());
  EXPECT_TRUE(memo->ComboBoxTask->Visible());
  EXPECT_EQ(memo->Description->Font()->Color(), clMaroon);
  CalendarParameter = true;
  memo->PlaceInCaseWindow(300, 900);
  EXPECT_FALSE(memo->ComboBoxTask->Visible());
}

}  // namespace
}  // namespace dialogs_test

namespace dialogs_test {
namespace {

TEST_F(MemoFTest, TheLargeEditorListsTheNarrativeCodesBesideTheText) {
  NarrativeList = {NarrativeListEntry("AB", "met with client", "F"), NarrativeListEntry("C", "court", "F")};
  NarrativeListBuilt = true;
  std::vector<std::string> listed;
  bool shown = false, beside = false;
  memo->Description->OnCreateDialog = [&](TObject*, TForm* form) {
    qn::ui::postCall([&, form] {
      auto* editor = static_cast<TdcRichEditForm*>(form);
      shown = editor->EditorList->Visible();
      for (int i = 0; i < editor->EditorList->Items()->Count(); ++i) listed.push_back(editor->EditorList->Items()->Strings(i));
      beside = editor->EditorList->Left() >= editor->Editor()->Left() + editor->Editor()->Width() &&
               editor->EditorList->Width() > 0;
      editor->SetModalResult(mrCancel);
    });
  };
  memo->SpeedButton1Click(memo->SpeedButton1);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(beside);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0], "AB    met with client" + std::string(120 - 15, ' ') + "F");
  EXPECT_EQ(listed[1].substr(0, 11), "C     court");
  EXPECT_EQ(NarrativeList[0].substr(0, 6), "AB met") << "the shared list is left as it is";
  NarrativeList.clear();
  NarrativeListBuilt = false;
}

TEST_F(MemoFTest, TheLargeEditorIsSizedByTheSizeOptionAndAPendingEntryIsCommittedHalfASecondAfter) {
  qn::ManualClock clock(10000);
  qn::setClock(&clock);
  struct Case {
    int option;
    int width, height;
  };
  const int w = host->ClientWidth(), h = host->Height();
  for (const Case& c : {Case{1, w + w / 7, h + h / 7}, Case{2, w, h}, Case{0, w + w / 3, h + h / 3}}) {
    FormSizeOption = c.option;
    TransactionEntry.EntryPending = c.option == 0;
    memo->Description->SetText("Drafted");
    memo->Description->OnCreateDialog = [](TObject*, TForm* form) {
      qn::ui::postCall([form] {
        auto* editor = static_cast<TdcRichEditForm*>(form);
        editor->Editor()->SetSelStart(editor->Editor()->TextLength());
        editor->Editor()->SetSelText(" the will");
        editor->Editor()->SetModified(true);
        editor->SetModalResult(mrOk);
      });
    };
    memo->SpeedButton1Click(memo->SpeedButton1);
    EXPECT_EQ(memo->Description->EditorPosition.Width, c.width) << c.option;
    EXPECT_EQ(memo->Description->EditorPosition.Height, c.height) << c.option;
    EXPECT_EQ(memo->Description->Text(), "Drafted the will");
    EXPECT_EQ(memo->Description->SelStart(), 16);
    EXPECT_EQ(memo->Timer1->Enabled(), c.option == 0);
  }
  std::vector<std::intptr_t> keys;
  const TMessageEvent previous = qn::ui::setApplicationMessageHook([&](TMsg& msg, bool& handled) {
    if (msg.Message == WM_KEYDOWN) keys.push_back(msg.WParam);
    handled = true;
  });
  clock.advance(499);
  Application->ProcessMessages();
  EXPECT_FALSE(TransactionEntry.CommitPending);
  clock.advance(1);
  Application->ProcessMessages();
  Application->ProcessMessages();
  qn::ui::setApplicationMessageHook(previous);
  EXPECT_TRUE(TransactionEntry.CommitPending);
  EXPECT_EQ(keys, (std::vector<std::intptr_t>{VK_TAB, VK_RETURN}));
  EXPECT_FALSE(memo->Timer1->Enabled());
  qn::setClock(nullptr);
}

TEST_F(MemoFTest, TheFontChosenBecomesTheDescriptionsTextAttributes) {
  memo->Description->SetText("Met with client");
  qn::ui::testing::ScriptedDialogs dialogs;
  FontChoice chosen;
  chosen.name = "Courier New";
  chosen.size = 12;
  chosen.style = {fsBold};
  dialogs.expectFont(chosen);
  memo->SBDescFontClick(memo->SBDescFont);
  EXPECT_EQ(memo->FontDialog1Font()->Name(), "Courier New");
  EXPECT_EQ(memo->Description->SelLength(), 0);
  EXPECT_EQ(memo->Description->SelStart(), 15);
  memo->Description->SetSelStart(0);
  memo->Description->SetSelLength(3);
  const auto attributes = memo->Description->selectionAttributes();
  EXPECT_EQ(attributes.name, "Courier New");
  EXPECT_EQ(attributes.halfPoints, 24);
  EXPECT_TRUE(attributes.bold);
}

}  // namespace
}  // namespace dialogs_test
