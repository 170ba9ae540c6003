// Find and replace in the rich edit: forward from the caret, once around the text to where the
// search began, the no-more-matches box once, and the dialog's options.
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace richedittest {
namespace {

using qn::ui::testing::ScriptedDialogs;
using qn::ui::testing::ScriptedMessageBoxes;

class RichEditFindTest : public RichEditTest {
 protected:
  TdcCustomRichEdit* edit = nullptr;
  void SetUp() override {
    RichEditTest::SetUp();
    edit = place<TdcCustomRichEdit>();
    ASSERT_TRUE(show());
  }
};

TEST_F(RichEditFindTest, FindNextFromTheMiddleWrapsOnceStopsAtTheStartAndThenStartsAfresh) {
  edit->SetText("ab ab ab");
  edit->SetSelStart(4);
  ScriptedDialogs dialogs;
  dialogs.expectFindReplace(FindReplaceKind::find);
  edit->FindDialog();
  FindReplaceDialog* find = edit->FindDialogObject();
  ASSERT_TRUE(find->Showing());
  EXPECT_TRUE(find->HideDirection) << "the search always runs forward";
  EXPECT_FALSE(edit->HideSelection()) << "the match shows while the dialog is open";
  find->FindText = "ab";
  ScriptedMessageBoxes boxes;
  std::vector<int> found;
  for (int press = 0; press < 3; ++press) {
    find->FindNext();
    found.push_back(edit->SelStart());
  }
  EXPECT_EQ(found, (std::vector<int>{6, 0, 3}));
  boxes.expect(mtInformation, "No more matches found");
  find->FindNext();
  EXPECT_EQ(edit->SelStart(), 3) << "the stop keeps the last match";
  EXPECT_EQ(boxes.shown().size(), 1u);
  find->FindNext();
  EXPECT_EQ(edit->SelStart(), 6) << "a fresh search from the last match";
  EXPECT_EQ(edit->SelLength(), 2);
  find->CloseDialog();
  EXPECT_TRUE(edit->HideSelection());
}

TEST_F(RichEditFindTest, ReplaceAllWithALongerTextInAWrappedSearchStopsAtItsStart) {
  edit->SetText("ab ab ab");
  edit->SetSelStart(4);
  ScriptedDialogs dialogs;
  dialogs.expectFindReplace(FindReplaceKind::replace);
  edit->ReplaceDialog();
  FindReplaceDialog* replace = edit->ReplaceDialogObject();
  replace->FindText = "ab";
  replace->ReplaceText = "abcd";
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "No more matches found");
  replace->ReplaceAll();
  EXPECT_EQ(edit->Text(), "abcd abcd abcd") << "each match replaced once";
  replace->CloseDialog();
}

TEST_F(RichEditFindTest, WholeWordAndMatchCaseComeFromTheDialog) {
  struct Row {
    bool wholeWord, matchCase;
    int expected;
  };
  ScriptedDialogs dialogs;
  dialogs.expectFindReplace(FindReplaceKind::find);
  edit->FindDialog();
  FindReplaceDialog* find = edit->FindDialogObject();
  ScriptedMessageBoxes boxes;
  for (const Row& row : {Row{false, false, 1}, Row{true, false, 8}, Row{false, true, 13}, Row{true, true, 17}}) {
    SCOPED_TRACE(row.expected);
    edit->SetText("xabcd - ab - Abc Ab");
    edit->SetSelStart(0);
    edit->SetSelLength(0);
    find->FindText = "Ab";
    find->WholeWord = row.wholeWord;
    find->MatchCase = row.matchCase;
    find->FindNext();
    EXPECT_EQ(edit->SelStart(), row.expected);
  }
  find->CloseDialog();
}

TEST_F(RichEditFindTest, TheDialogStartsWithTheSelectedTextUnlessItHoldsALineBreak) {
  edit->SetText("one two\r\nthree");
  ScriptedDialogs dialogs;
  dialogs.expectFindReplace(FindReplaceKind::find);
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  edit->FindDialog();
  EXPECT_EQ(edit->FindDialogObject()->FindText, "two");
  edit->FindDialogObject()->FindNext();
  edit->SelectAll();
  edit->FindDialog();
  EXPECT_EQ(edit->FindDialogObject()->FindText, "two") << "the last find text";
  edit->FindDialogObject()->CloseDialog();
}

TEST_F(RichEditFindTest, FindTextSearchesOneRangeForwardByItsOptionBits) {
  edit->SetText("Ab ab abc");
  EXPECT_EQ(edit->FindText("ab", 0, 0, -1), 0);
  EXPECT_EQ(edit->FindText("ab", 0, 2, -1), 3) << "bit 1: match case";
  EXPECT_EQ(edit->FindText("abc", 0, 1, 6), -1) << "the range ends before abc";
  EXPECT_EQ(edit->FindText("ab", 4, 1, -1), -1) << "bit 0: whole word";
}

}  // namespace
}  // namespace richedittest
