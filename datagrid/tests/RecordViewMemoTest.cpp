// F2 in the record view's memo opens the memo dialog on the memo's field.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>

#include "datagrid/MemoDialogForm.h"
#include "datagrid/tests/RecordViewDialogFixture.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

using recordviewtest::RecordViewDialogTest;

namespace {

class RecordViewMemoTest : public RecordViewDialogTest {
 protected:
  void SetUp() override {
    RecordViewDialogTest::SetUp();
    dialog->Selected.Add("Code\t6\tCode");
    dialog->Selected.Add("Notes\t20\tNotes");
    clients.FieldByName("Notes")->SetDisplayLabel("Case~Notes");
  }

  // Plays the script on the memo dialog once it is the active form, then cancels it unless the
  // script closed it.
  static void onMemoDialog(std::function<void(TdcMemoDlg&)> script) {
    qn::ui::postCall([script] {
      TdcMemoDlg* shown = nullptr;
      EXPECT_TRUE(QTest::qWaitFor([&shown] {
        shown = dynamic_cast<TdcMemoDlg*>(Screen->activeForm());
        return shown != nullptr;
      })) << "no memo dialog came up";
      if (!shown) return;
      script(*shown);
      if (shown->ModalResult() == mrNone) shown->SetModalResult(mrCancel);
    });
  }

  TdcDBMemo* notesMemo() { return dynamic_cast<TdcDBMemo*>(ControlOf("Notes")); }
};

TEST_F(RecordViewMemoTest, F2OpensTheFieldWithWhatWasTypedAndOkWritesItBack) {
  struct Shown {
    AnsiString text, caption;
    int caret = -1;
    bool readOnly = true;
  } shown;
  AnsiString memoAfter;
  EXPECT_TRUE(Run([&](TdcRecordViewForm& form) {
    TdcDBMemo* memo = notesMemo();
    ASSERT_NE(memo, nullptr);
    Type(form, memo, "Draft note");
    memo->SetSelStart(3);
    onMemoDialog([&shown](TdcMemoDlg& memoForm) {
      shown = {memoForm.Memo->Text(), memoForm.Caption(), memoForm.Memo->SelStart(), memoForm.Memo->ReadOnly()};
      memoForm.Memo->SelectAll();
      memoForm.Memo->SetSelText("Final note");
      memoForm.OKBtn->Click();
    });
    qn::ui::sendKey(memo, VK_F2, {});
    memoAfter = memo->Text();
    dialog->OKClick();
  }));
  EXPECT_EQ(shown.text, "Draft note") << "the unsaved typing reaches the field first";
  EXPECT_EQ(shown.caption, "Case Notes");
  EXPECT_EQ(shown.caret, 3) << "the caret where the memo had it";
  EXPECT_FALSE(shown.readOnly);
  EXPECT_EQ(memoAfter, "Final note") << "the memo shows what the dialog wrote";
  EXPECT_EQ(clients.FieldByName("Notes")->AsString(), "Final note");
}

TEST_F(RecordViewMemoTest, AReadOnlyFieldOnlyShowsItsText) {
  clients.Edit();
  clients.FieldByName("Notes")->SetAsString("Kept as is");
  clients.Post();
  clients.FieldByName("Notes")->SetReadOnly(true);
  bool readOnly = false, cancelShown = true;
  // The form's own memo of a read-only field is disabled: a memo placed beside it gets the key.
  Run([&](TdcRecordViewForm& form) {
    auto* memo = new TdcDBMemo(&form);
    memo->SetParent(form.ScrollBox);
    memo->SetDataSource(&source);
    memo->SetDataField("Notes");
    onMemoDialog([&](TdcMemoDlg& memoForm) {
      readOnly = memoForm.Memo->ReadOnly();
      cancelShown = memoForm.CancelBtn->Visible();
      memoForm.OKBtn->Click();
    });
    qn::ui::sendKey(memo, VK_F2, {});
  });
  EXPECT_TRUE(readOnly);
  EXPECT_FALSE(cancelShown);
  EXPECT_EQ(clients.FieldByName("Notes")->AsString(), "Kept as is");
}

TEST_F(RecordViewMemoTest, F2InAMemoWithoutAFieldDoesNothing) {
  Run([&](TdcRecordViewForm& form) {
    auto* unbound = new TdcDBMemo(&form);
    unbound->SetParent(form.ScrollBox);
    bool opened = false;
    qn::ui::postCall([&opened] {
      if (auto* memoForm = dynamic_cast<TdcMemoDlg*>(Screen->activeForm())) {
        opened = true;
        memoForm->SetModalResult(mrCancel);
      }
    });
    qn::ui::sendKey(unbound, VK_F2, {});
    EXPECT_FALSE(opened);
  });
}

}  // namespace
