// The fee split opened for a matter that is not a dummy: a dummy assigned to a receptor that has
// none (with its refusals and the question before giving up), a receptor shown with its dummy or
// moved to another one, and the target picker.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/tests/FeeSplitFixture.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Panel.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/ScreenFacts.h"

namespace dialogs_test {
namespace {

const AnsiString kCancelQuestion = "Are you sure you want to cancel this operation?";

class FeeSplitAssignTest : public FeeSplitFixture {
 protected:
  using Step = std::function<void(TdcRecordViewDialog&)>;
  // Each step runs in a posted call of its own while the record dialog is open.
  void inDialog(std::deque<Step> steps) {
    steps_ = std::move(steps);
    waits_ = 0;
    qn::ui::postCall([this] { nextStep(); });
  }
  void nextStep() {
    TdcRecordViewDialog* view = form->FSplitRecordViewDialog;
    if (steps_.empty()) return;
    // The dialog is open and what the last step asked of it has been dealt with.
    if (!view->Form() || view->Form()->ModalResult() != mrNone) {
      if (++waits_ > 1000) return ADD_FAILURE() << "the record dialog is not waiting for the user";
      return qn::ui::postCall([this] { nextStep(); });
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    step(*view);
    if (!steps_.empty()) qn::ui::postCall([this] { nextStep(); });
  }
  void enterDummy(const char* client, const char* suffix, const char* fee = nullptr) {
    form->FSplit->FieldByName("DummyClient")->SetAsString(client);
    form->FSplit->FieldByName("DummyCase")->SetAsString(suffix);
    if (fee) form->FSplit->FieldByName("FeePerCent")->SetAsString(fee);
  }
  void openFor(const std::string& client, int suffix) {
    form->ReceptorClient = client;
    form->ReceptorSuffix = suffixText(suffix);
    form->Show();
    form->FormActivate(form.get());
  }
  // The posted calls run: a form that closes itself has closed.
  void settle() {
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
  }
  static AnsiString cancelCaption(TdcRecordViewForm* view) {
    for (int i = 0; view->UserPanel && i < view->UserPanel->ControlCount(); ++i)
      if (auto* button = dynamic_cast<TButton*>(view->UserPanel->Controls(i));
          button && button->ModalResult() == mrNone && button->Caption().find("Cancel") != AnsiString::npos)
        return button->Caption();
    return "";
  }
  AnsiString label(const char* field) { return form->FSplit->FieldByName(field)->DisplayLabel(); }

  std::deque<Step> steps_;
  int waits_ = 0;
};

TEST_F(FeeSplitAssignTest, AReceptorWithoutADummyIsGivenOneAfterTheRefusals) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation,
               "Case NOPE9 does not exist\rand may not be assigned as a Dummy.\r\rDo you wish to try this operation "
               "again?",
               mrYes);
  boxes.expect(mtInformation, "A receptor can't be assigned to itself!");
  boxes.expect(mtConfirmation,
               "Assigning this matter the status of Dummy\rwill remove its status as a Receptor     matter.\r\rDo you "
               "wish to continue?",
               mrYes);
  inDialog({[&](TdcRecordViewDialog& view) {
              EXPECT_EQ(view.Form()->Caption(), "Assign Dummy to LONE-1");
              EXPECT_EQ(view.CreatedControls().size(), 4u) << "the dummy and the two percentages";
              EXPECT_EQ(label("FeePerCent"), "Fee Percentage for LONE-1");
              EXPECT_EQ(label("CostPerCent"), "Cost Percentage for LONE-1");
              EXPECT_EQ(cancelCaption(view.Form()), "&Cancel");
              EXPECT_EQ(form->FSplit->FieldByName("FeePerCent")->AsString(), "0");
              enterDummy("NOPE", "9");
              view.OKClick();
            },
            [&](TdcRecordViewDialog& view) {
              enterDummy("LONE", "1");
              view.OKClick();
            },
            [&](TdcRecordViewDialog& view) {
              enterDummy("R1", "1", "25");
              view.OKClick();
            }});
  openFor("LONE", 1);
  EXPECT_EQ(boxes.shown().size(), 3u) << "every refusal was met";
  EXPECT_TRUE(form->InVisit());
  EXPECT_EQ(form->Label1->Caption(), "Receptors of the Dummy R1-1");
  EXPECT_EQ(footer("FeePerCent"), "25.0000");
  form->BitBtn1Click(nullptr);
  EXPECT_EQ(splitsOf("R1", 1), std::vector<std::string>{"LONE|25|0"});
  EXPECT_EQ(status("R1"), "D");
}

TEST_F(FeeSplitAssignTest, GivingUpANewDummyAsksFirstAndChangesNothing) {
  const std::string before = fileBytes();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, kCancelQuestion, mrNo);
  boxes.expect(mtConfirmation, kCancelQuestion, mrYes);
  inDialog({[&](TdcRecordViewDialog& view) {
              enterDummy("DUM", "1");
              view.CancelClick();
            },
            [&](TdcRecordViewDialog& view) {
              ASSERT_NE(view.Form(), nullptr) << "No keeps the dialog open";
              view.CancelClick();
            }});
  openFor("LONE", 1);
  settle();
  EXPECT_FALSE(form->InVisit()) << "nothing to show: the visit ends";
  EXPECT_EQ(fileBytes(), before);
  EXPECT_EQ(status("DUM"), "D");
}

// Refusals that ask whether to try again: No ends the dialog without the cancel question.
TEST_F(FeeSplitAssignTest, NoToTryingAgainEndsTheAssignment) {
  const struct {
    const char* client;
    const char* suffix;
    const char* question;
  } cases[] = {
      {"DUM", "", "A required value is missing.  This record will not be saved.Do you wish to try again?"},
      {"NOPE", "12",
       "Case NOPE12 does not exist\rand may not be assigned as a Dummy.\r\rDo you wish to try this operation again?"},
  };
  const std::string before = fileBytes();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.question);
    form = std::make_unique<TFeeSplitF>(nullptr);
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, c.question, mrNo);
    inDialog({[&](TdcRecordViewDialog& view) {
      enterDummy(c.client, c.suffix);
      view.OKClick();
    }});
    openFor("LONE", 1);
    settle();
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_FALSE(form->InVisit());
    EXPECT_EQ(fileBytes(), before);
  }
}

TEST_F(FeeSplitAssignTest, AReceptorMovedToAnotherDummyLeavesItsOldOne) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation,
               "This receptor (R2-1) is assigned to the Dummy DUM-1.\r\rDo you wish to MOVE this receptor to a "
               "different Dummy case?",
               mrOk);
  boxes.expect(mtError, "Duplicate key error in Fee Split file.\r\rPlease call Vantor, Inc. for assistance.");
  boxes.expect(mtConfirmation,
               "Assigning this matter the status of Dummy\rwill remove its status as a Frozen       matter.\r\rDo you "
               "wish to continue?",
               mrYes);
  inDialog({[&](TdcRecordViewDialog& view) {
              EXPECT_EQ(view.Form()->Caption(), "Assign Dummy to R2-1");
              enterDummy("DUM", "1");
              view.OKClick();
            },
            [&](TdcRecordViewDialog& view) {
              enterDummy("NEW", "1", "30");
              view.OKClick();
            }});
  openFor("R2", 1);
  ASSERT_EQ(boxes.shown().size(), 3u);
  ASSERT_TRUE(boxes.shown()[0].position.has_value()) << "the question stands over the grid";
  const TPoint grid = form->dcDBGrid1->ClientToScreen(TPoint{0, 0});
  EXPECT_EQ(boxes.shown()[0].position->x, grid.X);
  EXPECT_EQ(boxes.shown()[0].position->y, grid.Y);
  EXPECT_EQ(form->Label1->Caption(), "Receptors of the Dummy NEW-1");
  EXPECT_EQ(footer("FeePerCent"), "30.0000");
  form->BitBtn1Click(nullptr);
  EXPECT_EQ(splitsOf("NEW", 1), std::vector<std::string>{"R2|30|0"});
  EXPECT_EQ(splitsOf("DUM", 1), (std::vector<std::string>{"R1|50|40", "R3|20|20"}));
  EXPECT_EQ(status("NEW"), "D");
  EXPECT_EQ(status("R2"), "R");
}

// Not moved, or not allowed to: the receptor's dummy is shown and no receptor may join it here.
TEST_F(FeeSplitAssignTest, AReceptorKeptWhereItIsShowsItsDummy) {
  for (const char* right : {"Y", "N"}) {
    SCOPED_TRACE(right);
    ActiveFunctionRights[14] = right;
    form = std::make_unique<TFeeSplitF>(nullptr);
    ScriptedMessageBoxes boxes;
    if (AnsiString(right) == "Y")
      boxes.expect(mtConfirmation,
                   "This receptor (R2-1) is assigned to the Dummy DUM-1.\r\rDo you wish to MOVE this receptor to a "
                   "different Dummy case?",
                   mrCancel);
    openFor("R2", 1);
    EXPECT_TRUE(form->InVisit());
    EXPECT_EQ(form->Label1->Caption(), "Receptors of the Dummy DUM-1");
    EXPECT_EQ(footer("FeePerCent"), "100.0000");
    if (AnsiString(right) == "Y")
      boxes.expect(mtInformation,
                   "In order to assign additional receptors to this dummy\ryou must first call up the dummy on the "
                   "Case Entry\rand Maintenance Screen.\r\rYou are permitted to delete existing receptors\ror change "
                   "their fee or cost percentages.");
    else
      boxes.expect(mtInformation, "Sorry, you don't have access to this function.");
    form->AddReceptorClick(nullptr);
    form->Close();
  }
}

TEST_F(FeeSplitAssignTest, ThePickerAsksOnlyForAMatterAndWritesNothing) {
  const std::string before = fileBytes();
  const struct {
    bool copy, invoice;
    const char* caption;
  } cases[] = {{true, false, "Copy transactions to:"},
               {false, true, "Move invoice to:"},
               {false, false, "Move transactions to:"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    form = std::make_unique<TFeeSplitF>(nullptr);
    form->Picker = true;
    form->PickerCopy = c.copy;
    form->PickerInvoice = c.invoice;
    inDialog({[&](TdcRecordViewDialog& view) {
      TdcRecordViewForm* dialog = view.Form();
      EXPECT_EQ(dialog->Caption(), c.caption);
      EXPECT_EQ(view.CreatedControls().size(), 2u);
      EXPECT_EQ(label("DummyClient"), "Client");
      EXPECT_EQ(label("DummyCase"), "Case Suffix");
      const TRect area = qn::ui::screenFacts().workArea;
      EXPECT_EQ(dialog->Top(), area.Top + (area.Height() - dialog->Height()) / 2 + 30);
      EXPECT_FALSE(DM2->QNDatabase->InTransaction());
      enterDummy("R3", "1");
      view.OKClick();
    }});
    ASSERT_TRUE(form->PickTarget());
    EXPECT_EQ(form->PickedClient, "R3");
    EXPECT_EQ(form->PickedSuffix, "1");
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->InVisit());
  }
  // Cancelled, nothing is picked.
  inDialog({[&](TdcRecordViewDialog& view) {
    enterDummy("R3", "1");
    view.CancelClick();
  }});
  EXPECT_FALSE(form->PickTarget());
  EXPECT_EQ(form->PickedClient, "");
  EXPECT_EQ(fileBytes(), before);
}

}  // namespace
}  // namespace dialogs_test
