// The rich edit's lines are its paragraphs, whole however narrow the window.
#include "editors/tests/RichEditFixture.h"

namespace richedittest {
namespace {

class RichEditStringsTest : public RichEditTest {};

TEST_F(RichEditStringsTest, CountLeavesOutAnEmptyLastLineAndALongParagraphReadsBackWhole) {
  auto* edit = place<TdcCustomRichEdit>(10, 80, 60);
  ASSERT_TRUE(show());
  edit->SetText("one\r\ntwo\r\n");
  EXPECT_EQ(edit->Lines()->Count(), 2);
  const AnsiString longLine = AnsiString(5000, 'w') + " end";
  edit->SetText("first\r\n" + longLine);
  EXPECT_GT(edit->LineCount(), 2) << "the window wraps the paragraph";
  EXPECT_EQ(edit->Lines()->Count(), 2);
  EXPECT_EQ(edit->Lines()->Get(1), longLine);
}

TEST_F(RichEditStringsTest, PutAndInsertChangeOnlyLinesThatExist) {
  auto* edit = place<TdcCustomRichEdit>();
  edit->SetText("alpha\r\nbeta");
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  edit->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.bold = true; });
  TStrings* lines = edit->Lines();
  lines->Put(1, "gamma");
  EXPECT_EQ(edit->Text(), "alpha\r\ngamma");
  lines->Put(-1, "x");
  lines->Put(2, "x");
  EXPECT_EQ(edit->Text(), "alpha\r\ngamma") << "no such line: nothing";
  lines->Insert(1, "between");
  EXPECT_EQ(edit->Text(), "alpha\r\nbetween\r\ngamma");
  lines->Insert(3, "after");
  EXPECT_EQ(edit->Text(), "alpha\r\nbetween\r\ngamma\r\nafter") << "past the last line, after it";
  lines->Insert(9, "far");
  EXPECT_EQ(lines->Count(), 4) << "line 8 does not exist: nothing";
  edit->SetSelStart(1);
  EXPECT_TRUE(edit->selectionAttributes().bold) << "the other paragraphs keep their formatting";
  edit->SetText("only\r\n\r\n");
  lines->Insert(2, "x");
  EXPECT_EQ(edit->Text(), "only\r\n\r\n") << "the line before is empty: nothing";
}

}  // namespace
}  // namespace richedittest
