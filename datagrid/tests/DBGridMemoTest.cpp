// Memo cells: their text in the grid, and the memo dialog opened from them by F2 or a double
// click, run as the user runs it (a script plays on the form once it shows; message boxes are
// scripted too).
#include <functional>

#include "datagrid/MemoDialog.h"
#include "datagrid/tests/PublishedGridFixture.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace publishedgridtest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class MemoTest : public PublishedGridTest {
 protected:
  void SetUp() override {
    PublishedGridTest::SetUp();
    openMatters(3);
    bind(matters);
    focusGridAt("Notes");
    grid->OnMemoOpen = [this](TObject* sender, TdcMemoDialog* dialog) {
      EXPECT_EQ(sender, grid);
      opened = dialog;
      caption = dialog->Caption;
      if (prepare) prepare(dialog);
      dialog->OnInitDialog = [this](TdcMemoDlg* form) { script(*form); };
    };
    grid->OnMemoClose = [this](TObject*, bool cancel) { closes.push_back(cancel); };
  }
  AnsiString notes() { return matters->FieldByName("Notes")->AsString(); }
  void pressF2() {
    WORD key = VK_F2;
    grid->KeyDown(key, {});
  }
  // Runs once the form is up and running: what the user does after the form has shown.
  static void later(std::function<void()> step) { qn::ui::postCall(std::move(step)); }
  // Replaces the memo's text as the user does.
  static void retype(TdcMemoDlg& form, const AnsiString& text) {
    form.Memo->SelectAll();
    form.Memo->SetSelText(text);
  }

  std::function<void(TdcMemoDialog*)> prepare;
  std::function<void(TdcMemoDlg&)> script = [](TdcMemoDlg& form) { form.OKBtn->Click(); };
  TdcMemoDialog* opened = nullptr;
  AnsiString caption;
  std::vector<bool> closes;
};

TEST_F(MemoTest, F2OpensTheMemoUnderTheFieldsLabelAndCtrlEnterWritesIt) {
  AnsiString shown, formCaption;
  script = [&](TdcMemoDlg& form) {
    shown = form.Memo->Text();
    formCaption = form.Caption();
    retype(form, "Settled out of court");
    qn::ui::sendKey(form.Memo, VK_RETURN, {ssCtrl});
  };
  pressF2();
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(caption, "Case Notes");
  EXPECT_EQ(formCaption, "Case Notes");
  EXPECT_EQ(shown, "Note 1");
  EXPECT_EQ(closes, std::vector<bool>{false});
  EXPECT_EQ(matters->State(), dsEdit);
  matters->Post();
  matters->Next();
  matters->First();
  EXPECT_EQ(notes(), "Settled out of court");
  EXPECT_FALSE(grid->cellEditorShown());
}

TEST_F(MemoTest, ADoubleClickOpensTheMemoAndF2InItConfirms) {
  script = [](TdcMemoDlg& form) {
    retype(form, "From the mouse");
    qn::ui::sendKey(form.Memo, VK_F2, {});
  };
  const TRect cell = currentCell();
  QTest::mouseDClick(grid->Window(), Qt::LeftButton, {}, {(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(notes(), "From the mouse");
}

TEST_F(MemoTest, EscapeCancelsAnUnchangedMemoAndWritesNothing) {
  script = [](TdcMemoDlg& form) { qn::ui::sendKey(form.Memo, VK_ESCAPE, {}); };
  pressF2();
  EXPECT_EQ(closes, std::vector<bool>{true});
  EXPECT_EQ(matters->State(), dsBrowse);
  EXPECT_EQ(notes(), "Note 1");
}

TEST_F(MemoTest, ClosingAChangedMemoAsksAndNoKeepsItOpen) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Changes have been made!  Are you sure you wish to cancel?", mrNo);
  bool stillOpen = false;
  script = [&](TdcMemoDlg& form) {
    // Once the form has refused to close, the user thinks better of it and confirms.
    form.OnCloseQuery = [&form, &stillOpen](TObject* sender, bool& canClose) {
      form.FormCloseQuery(sender, canClose);
      if (canClose) return;
      later([&form, &stillOpen] {
        stillOpen = form.Visible();
        form.OKBtn->Click();
      });
    };
    later([&form] {
      retype(form, "Half written");
      qn::ui::sendKey(form.Memo, VK_ESCAPE, {});
    });
  };
  pressF2();
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(closes, std::vector<bool>{false});
  EXPECT_EQ(notes(), "Half written");
}

TEST_F(MemoTest, YesToTheWarningThrowsTheChangesAway) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Changes have been made!  Are you sure you wish to cancel?", mrYes);
  script = [](TdcMemoDlg& form) {
    later([&form] {
      retype(form, "Never mind");
      form.CancelBtn->Click();
    });
  };
  pressF2();
  EXPECT_EQ(closes, std::vector<bool>{true});
  EXPECT_EQ(notes(), "Note 1");
}

TEST_F(MemoTest, FromAReadOnlyGridTheMemoIsOnlyShown) {
  grid->SetReadOnly(true);
  bool cancelShown = true, readOnly = false;
  script = [&](TdcMemoDlg& form) {
    cancelShown = form.CancelBtn->Visible();
    readOnly = form.Memo->ReadOnly();
    form.OKBtn->Click();
  };
  pressF2();
  EXPECT_FALSE(cancelShown);
  EXPECT_TRUE(readOnly);
  EXPECT_EQ(matters->State(), dsBrowse) << "a confirmed view writes nothing";
}

TEST_F(MemoTest, UserButtonsFireTheirEventsWithTheFormAndTheMemo) {
  std::vector<std::string> fired;
  prepare = [&](TdcMemoDialog* dialog) {
    dialog->UserButton1Caption = "Spell";
    dialog->UserButton2Caption = "Date";
    dialog->OnUserButton1Click = [&](TdcMemoDlg* form, TMemo* memo) {
      fired.push_back("1:" + std::string(memo == form->Memo ? "memo" : "?"));
    };
    dialog->OnUserButton2Click = [&](TdcMemoDlg*, TMemo* memo) { fired.push_back("2:" + memo->Text()); };
  };
  bool panelShown = false;
  script = [&](TdcMemoDlg& form) {
    panelShown = form.UserButtonPanel->Visible() && form.UserButton1->Visible() && form.UserButton2->Visible();
    form.UserButton1->Click();
    form.UserButton2->Click();
    form.OKBtn->Click();
  };
  pressF2();
  EXPECT_TRUE(panelShown);
  EXPECT_EQ(fired, (std::vector<std::string>{"1:memo", "2:Note 1"}));
}

TEST_F(MemoTest, DisablingTheDialogKeepsItShut) {
  grid->SetMemoAttributes(grid->MemoAttributes().Include(mDisableDialog));
  pressF2();
  EXPECT_EQ(opened, nullptr);
}

// A memo whose content cannot be read.
class UnreadableMemoField : public TMemoField {
 public:
  using TMemoField::TMemoField;
  AnsiString AsString() const override { throw EDatabaseError("unreadable"); }
};

TEST_F(MemoTest, TheGridShowsMemoTextsOnlyWhenAskedAndNeverFails) {
  TField* field = matters->FieldByName("Notes");
  EXPECT_EQ(grid->GetCellText(field), "(Memo)");
  grid->SetMemoAttributes(grid->MemoAttributes().Include(mGridShow));
  EXPECT_EQ(grid->GetCellText(field), "Note 1");

  auto* broken = new datagridtest::ExtendedTestDataSet(form);
  auto* memo = new UnreadableMemoField(broken);
  memo->SetFieldName("Notes");
  memo->SetDataSet(broken);
  broken->FieldDefs().Add("Notes", ftMemo);
  broken->Open();
  EXPECT_EQ(grid->GetCellText(memo), "") << "an empty table shows nothing";
  broken->Append();
  EXPECT_EQ(grid->GetCellText(memo), "(Memo)");
}

}  // namespace
}  // namespace publishedgridtest
