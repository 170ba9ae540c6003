// The matter's notes and the template choice as a user meets them, offscreen.
#include <gtest/gtest.h>

#include "dialogs/MNGRSelF.h"
#include "dialogs/NotesF.h"
#include "dialogs/tests/CaseDataFixture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace dialogs_test {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString kLimitText = "Maximum length (3000 characters) has been reached!";

class NotesFTest : public CaseDataFixture {
 protected:
  void SetUp() override {
    CaseDataFixture::SetUp();
    form = std::make_unique<TNotesF>(nullptr);
  }
  void TearDown() override {
    form.reset();
    CaseDataFixture::TearDown();
  }
  // As the user types or pastes at the end of the memo.
  void type(const AnsiString& text) {
    form->NotesMemo->SetSelStart(static_cast<int>(form->NotesMemo->Text().size()));
    form->NotesMemo->SetSelText(text);
  }
  std::unique_ptr<TNotesF> form;
};

TEST_F(NotesFTest, TheCharacterThatReachesTheLimitIsToldOnceAndNoMoreIsTaken) {
  form->SetCase("ADAMS", "      1");
  form->NotesMemo->SetText(AnsiString(2999, 'n'));
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, kLimitText);
  type("x");
  EXPECT_EQ(form->NotesMemo->Text().size(), 3000u);
  type("y");
  EXPECT_EQ(form->NotesMemo->Text(), AnsiString(2999, 'n') + "x");
}

TEST_F(NotesFTest, NotesPastedPastTheLimitAreCutToItWithTheLimitTextOnce) {
  form->SetCase("ADAMS", "      1");
  form->NotesMemo->SetText("start ");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, kLimitText);
  type(AnsiString(4000, 'p'));
  EXPECT_EQ(form->NotesMemo->Text(), "start " + AnsiString(2994, 'p'));
}

TEST_F(NotesFTest, WithoutAMatterTheMemoIsEmptiedWithItsText) {
  form->SetCase("", "");
  EXPECT_EQ(form->CaseLabel->Caption(), "");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Please select a case first.");
  type("a");
  EXPECT_EQ(form->NotesMemo->Text(), "");
}

TEST_F(NotesFTest, SaveStoresTheTextTheDataModuleReadsBack) {
  goToCase("BRIGHT", "1");
  form->SetCase("BRIGHT", "      1");
  EXPECT_EQ(form->CaseLabel->Caption(), "BRIGHT-1");
  const AnsiString text = "Called the client on Monday.\r\nSend the draft " + AnsiString(120, '.') + " by Friday.";
  {
    ScriptedMessageBoxes none;
    form->NotesMemo->SetText(text);
    form->NotesSaveBitBtn->Click();
  }
  AnsiString loaded;
  ASSERT_TRUE(dm->LoadCaseNotes(loaded));
  EXPECT_EQ(loaded, text);
}

TEST_F(NotesFTest, KeepOnTopSwitchesTheFormBetweenStayOnTopAndNormal) {
  form->CheckBox1->SetChecked(true);
  EXPECT_EQ(form->FormStyle(), fsStayOnTop);
  form->CheckBox1->SetChecked(false);
  EXPECT_EQ(form->FormStyle(), fsNormal);
}

TEST_F(NotesFTest, TheButtonsSitAtTheEdgesAndInTheMiddle) {
  EXPECT_EQ(form->NotesSaveBitBtn->Left(), 6);
  EXPECT_EQ(form->BitBtnClose->Left() + form->BitBtnClose->Width(), form->ClientWidth() - 6);
  EXPECT_EQ(form->ReturnBitBtn->Left() * 2 + form->ReturnBitBtn->Width(), form->ClientWidth());
  EXPECT_EQ(form->NotesMemo->Font()->Size(), 12);
}

class MNGRSelFTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    form = std::make_unique<TMNGRSelF>(nullptr);
    for (const char* name : {"Litigation", "Probate"}) form->ListBox1->Items()->Add(name);
  }
  // Shows the form modally; `user` acts while it is shown.
  void run(std::function<void(TMNGRSelF&)> user) {
    TMNGRSelF* f = form.get();
    qn::ui::postCall(f, [f, user] { user(*f); });
    qn::ui::postCall(f, [f] {
      if (f->Modal()) f->SetModalResult(mrCancel);
    });
    f->runModal();
  }
  std::unique_ptr<TMNGRSelF> form;
};

TEST_F(MNGRSelFTest, OkNeedsAChosenTemplate) {
  form->Result = 1;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Please select a template.");
  run([](TMNGRSelF& f) {
    EXPECT_EQ(f.Result, 0) << "showing clears the result";
    f.SaveBitBtn->Click();
    EXPECT_TRUE(f.Modal());
    f.ListBox1->SetItemIndex(1);
    f.SaveBitBtn->Click();
  });
  EXPECT_EQ(form->Result, 1);
  EXPECT_EQ(form->ListBox1->ItemIndex(), 1);
}

TEST_F(MNGRSelFTest, CancelLeavesNoChoice) {
  ScriptedMessageBoxes none;
  run([](TMNGRSelF& f) {
    f.ListBox1->SetItemIndex(0);
    f.CloseBitBtn->Click();
  });
  EXPECT_EQ(form->Result, 0);
  EXPECT_FALSE(form->Modal());
}

}  // namespace
}  // namespace dialogs_test
