// The rich edit's lines are its paragraphs, whole however narrow the window.
#include <cstdio>

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
  lines->Insert(3, "x");
  EXPECT_EQ(edit->Text(), "only\r\n\r\n") << "the line before is empty: nothing";
  lines->Insert(2, "x");
  EXPECT_EQ(edit->Text(), "only\r\n\r\nx\r\n") << "the empty last line takes it";
  edit->SetText("");
  lines->Add("first");
  EXPECT_EQ(edit->Text(), "first") << "an empty control takes a line";
}

TEST_F(RichEditStringsTest, SettingTheLinesTextKeepsEveryLineAndFilesKeepTheFormatting) {
  auto* edit = place<TdcCustomRichEdit>();
  TStrings* lines = edit->Lines();
  for (const char* text : {"a\r\n\r\nb", "a\r\n\r\n\r\nb\r\nc", "\r\nx", "x\r\ny"}) {
    lines->SetText(text);
    EXPECT_EQ(edit->Text(), text);
  }
  edit->SetSelStart(0);
  edit->SetSelLength(1);
  edit->changeSelectionAttributes([](qn::ui::CharacterAttributes& a) { a.italic = true; });
  const std::string path = ::testing::TempDir() + "richeditstrings.rtf";
  lines->SaveToFile(path);
  edit->SetText("other");
  lines->LoadFromFile(path);
  std::remove(path.c_str());
  EXPECT_EQ(edit->Text(), "x\r\ny");
  edit->SetSelStart(3);
  EXPECT_FALSE(edit->selectionAttributes().italic);
  edit->SetSelStart(0);
  edit->SetSelLength(1);
  EXPECT_TRUE(edit->selectionAttributes().italic) << "the file holds rich text";
}

// Counts the paints of its text.
class CountingRichEdit : public TdcCustomRichEdit {
 public:
  using TdcCustomRichEdit::TdcCustomRichEdit;
  void BeforeTextPaint() override { ++paints; }
  int paints = 0;
};

TEST_F(RichEditStringsTest, AddingLinesTellsTheSelectionNothingAndItsHandlerComesBackAfterAFailure) {
  auto* edit = place<TdcCustomRichEdit>();
  ASSERT_TRUE(show());
  edit->SetText("first");
  int told = 0;
  edit->OnSelectionChange = [&](TObject*) { ++told; };
  StringList added;
  for (const char* line : {"two", "three", "four"}) added.Add(line);
  edit->Lines()->AddStrings(added);
  EXPECT_EQ(edit->Text(), "first\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(told, 0);
  edit->SetSelStart(2);
  EXPECT_EQ(told, 1) << "the handler is back";

  int changes = 0;
  edit->OnChange = [&](TObject*) {
    if (++changes == 2) throw EInvalidOperation("refused");
  };
  told = 0;
  EXPECT_THROW(edit->Lines()->AddStrings(added), EInvalidOperation);
  EXPECT_EQ(edit->Lines()->Count(), 6) << "the second line was added when its change failed";
  EXPECT_EQ(told, 0);
  edit->OnChange = nullptr;
  edit->SetSelStart(0);
  EXPECT_EQ(told, 1) << "the handler is back after the failure";
}

TEST_F(RichEditStringsTest, NestedUpdateBracketsPaintNothingUntilTheLastClosesThenOnce) {
  auto* edit = place<CountingRichEdit>();
  ASSERT_TRUE(show());
  QApplication::processEvents();
  TStrings* lines = edit->Lines();
  lines->BeginUpdate();
  lines->BeginUpdate();
  edit->paints = 0;
  lines->Add("one");
  paint(edit);
  lines->EndUpdate();
  lines->Add("two");
  paint(edit);
  EXPECT_EQ(edit->paints, 0) << "nothing paints while a bracket is open";
  lines->EndUpdate();
  QApplication::processEvents();
  EXPECT_EQ(edit->paints, 1) << "one paint when the last bracket closes";
  EXPECT_EQ(edit->Text(), "one\r\ntwo");
  paint(edit);
  EXPECT_EQ(edit->paints, 2) << "and it paints as before";
}

}  // namespace
}  // namespace richedittest
