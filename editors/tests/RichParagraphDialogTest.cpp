// The paragraph dialog: the indents it shows and sets, line spacing, and invalid lengths.
#include "editors/DBComboBox.h"
#include "editors/RichParagraphDialog.h"
#include "editors/tests/RichEditFixture.h"

namespace richedittest {
namespace {

class RichParagraphDialogTest : public RichEditTest {
 protected:
  void SetUp() override {
    RichEditTest::SetUp();
    edit = place();
    ASSERT_TRUE(show());
    edit->SetText("Whereas");
    dialog = std::make_unique<TdcRichParagraphDialog>(nullptr, edit);
  }
  void TearDown() override {
    dialog.reset();
    RichEditTest::TearDown();
  }
  TdcDBRichEdit* edit = nullptr;
  std::unique_ptr<TdcRichParagraphDialog> dialog;
};

TEST_F(RichParagraphDialogTest, AFirstLineHangingFurtherThanTheLeftIndentGivesAnOffsetOfTheLeftIndent) {
  dialog->LeftEdit->SetText("0.5");
  dialog->FirstLineEdit->SetText("-1");
  dialog->OKClick();
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  int start = -1, right = -1, offset = -1;
  edit->GetParagraphIndents(start, right, offset);
  EXPECT_EQ(offset, 720);
  EXPECT_EQ(start, 0) << "the first line at the paragraph's edge";
}

TEST_F(RichParagraphDialogTest, TheIndentsShownAreThoseOfTheParagraph) {
  edit->SetParagraph(0x10 | 0x04 | 0x08, "", 0, 0, 0, 0, nullptr, 0, 720, 360, 720, false);
  TdcRichParagraphDialog shown(nullptr, edit);
  EXPECT_EQ(shown.LeftEdit->Text(), "1''");
  EXPECT_EQ(shown.FirstLineEdit->Text(), "-0.5''");
  EXPECT_EQ(shown.RightEdit->Text(), "0.25''");
}

TEST_F(RichParagraphDialogTest, MultipleWithOnePointFiveSetsRuleFiveWithThirty) {
  dialog->LineSpacingChosen(5);
  EXPECT_EQ(dialog->WithinParagraphEdit->Text(), "1");
  dialog->WithinParagraphEdit->SetText("1.5");
  dialog->OKClick();
  EXPECT_EQ(edit->paragraphAttributes().lineSpacingRule, 5);
  EXPECT_EQ(edit->paragraphAttributes().lineSpacing, 30);
}

TEST_F(RichParagraphDialogTest, TheLineSpacingRulesFillTheirValue) {
  dialog->LineSpacingChosen(3);
  EXPECT_EQ(dialog->WithinParagraphEdit->Text(), "0.17''") << "a sixth of an inch";
  dialog->LineSpacingChosen(1);
  EXPECT_EQ(dialog->WithinParagraphEdit->Text(), "");
  dialog->WithinParagraphEdit->SetText("2");
  EXPECT_EQ(dialog->LineSpacingComboBox->ItemIndex(), 5) << "typing a value means a multiple";
}

TEST_F(RichParagraphDialogTest, AnInvalidLengthKeepsTheDialogOpenWithTheFocusOnIt) {
  dialog->RightEdit->SetText("abc");
  dialog->AfterParagraphEdit->SetText("40");
  dialog->OKClick();
  EXPECT_EQ(dialog->ModalResult(), mrNone);
  EXPECT_EQ(dialog->ActiveControl(), dialog->RightEdit);
  dialog->RightEdit->SetText("0");
  dialog->OKClick();
  EXPECT_EQ(dialog->ActiveControl(), dialog->AfterParagraphEdit) << "more than 22 inches";
}

}  // namespace
}  // namespace richedittest
