#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/Memo.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/CaretSwitchable.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A shown, active form with a focused memo (wide enough that short lines do not wrap) and an
// edit after it, driven by real key events.
class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 10, 300, 120);
    next = new TEdit(form);
    next->SetParent(form);
    next->SetTop(200);
    ASSERT_TRUE(showActive(*form));
    memo->SetFocus();
  }
  void TearDown() override { delete form; }

  QWidget* widget() { return memo->Window(); }
  void type(const char* text) { QTest::keyClicks(widget(), text); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(widget(), k, m); }

  TTestForm* form;
  TMemo* memo;
  TEdit* next;
};

TEST_F(MemoTest, EnterInsertsALineWithWantReturnsAndGoesToTheFormWithout) {
  type("ab");
  key(Qt::Key_Return);
  type("c");
  EXPECT_EQ(memo->Text(), "ab\r\nc");
  EXPECT_EQ(memo->SelStart(), 5);
  EXPECT_TRUE(form->dialogKeys.empty());

  memo->SetWantReturns(false);
  key(Qt::Key_Return);
  EXPECT_EQ(memo->Text(), "ab\r\nc");
  EXPECT_EQ(form->dialogKeys, std::vector<std::string>{std::to_string(VK_RETURN)});
}

TEST_F(MemoTest, TabInsertsATabOnlyWithWantTabs) {
  memo->SetWantTabs(true);
  type("a");
  key(Qt::Key_Tab);
  EXPECT_EQ(memo->Text(), "a\t");
  EXPECT_TRUE(memo->Focused());
  memo->SetWantTabs(false);
  key(Qt::Key_Tab);
  EXPECT_EQ(memo->Text(), "a\t");
  EXPECT_TRUE(next->Focused());
}

TEST_F(MemoTest, LinesAndCharacterPositionsOfAThreeLineMemo) {
  memo->SetText("first line\r\nsecond\r\nthird");
  EXPECT_EQ(memo->LineCount(), 3);
  struct Row {
    int index;
    int line;
  };
  for (Row row : {Row{0, 0}, Row{10, 0}, Row{12, 1}, Row{19, 1}, Row{20, 2}, Row{25, 2}}) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(memo->LineOfChar(row.index), row.line);
  }
  EXPECT_EQ(memo->LineStart(0), 0);
  EXPECT_EQ(memo->LineStart(1), 12);
  EXPECT_EQ(memo->LineStart(2), 20);
  EXPECT_EQ(memo->LineStart(3), -1);
  // Each line lies below the one before, each character right of the one before.
  EXPECT_LT(memo->PositionOfChar(0).Y, memo->PositionOfChar(12).Y);
  EXPECT_LT(memo->PositionOfChar(12).Y, memo->PositionOfChar(20).Y);
  EXPECT_EQ(memo->PositionOfChar(20).X, memo->PositionOfChar(0).X);
  EXPECT_LT(memo->PositionOfChar(20).X, memo->PositionOfChar(21).X);

  memo->SetCaretPos({3, 1});
  EXPECT_EQ(memo->SelStart(), 15);
  EXPECT_EQ(memo->CaretPos().X, 3);
  EXPECT_EQ(memo->CaretPos().Y, 1);
  memo->SetCaretPos({99, 0});
  EXPECT_EQ(memo->SelStart(), 10) << "the end of the first line, before its break";
}

TEST_F(MemoTest, TheCaretMovesBetweenLinesAndBackspaceTakesALineBreakWhole) {
  memo->SetText("abc\r\ndef");
  memo->SetSelStart(1);
  key(Qt::Key_Down);
  EXPECT_EQ(memo->SelStart(), 6);
  key(Qt::Key_Home);
  EXPECT_EQ(memo->SelStart(), 5);
  key(Qt::Key_Backspace);
  EXPECT_EQ(memo->Text(), "abcdef");
  EXPECT_EQ(memo->SelStart(), 3);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo->Text(), "abc\r\ndef");
}

TEST_F(MemoTest, BackspaceJustAfterALineBreakRemovesTheWholeBreak) {
  struct Case {
    const char* text;
    int caret;
    const char* left;
    int caretAfter;
  };
  const Case cases[] = {
      {"ab\r\ncd", 4, "abcd", 2},
      {"\r\ncd", 2, "cd", 0},
      {"ab\r\n\r\ncd", 6, "ab\r\ncd", 4},
      {"ab\r\ncd", 5, "ab\r\nd", 4},  // after the break a character goes alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    memo->SetText(c.text);
    memo->SetSelStart(c.caret);
    ASSERT_EQ(memo->SelStart(), c.caret);
    key(Qt::Key_Backspace);
    EXPECT_EQ(memo->Text(), c.left);
    EXPECT_EQ(memo->SelStart(), c.caretAfter);
  }
  // The same in a memo without a window, where no window keeps the selection on whole breaks.
  TMemo bare(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("without a window: ") + c.text);
    bare.SetText(c.text);
    bare.SetSelStart(c.caret);
    char backspace = '\b';
    bare.KeyPress(backspace);
    EXPECT_EQ(bare.Text(), c.left);
    EXPECT_EQ(bare.SelStart(), c.caretAfter);
  }
  EXPECT_FALSE(bare.hasWindow());
}

TEST_F(MemoTest, WordWrapSwitchedOnKeepsTextAndSelectionAndWrapsTheLongLine) {
  memo->SetWordWrap(false);
  const AnsiString text = "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen\r\nend";
  memo->SetText(text);
  memo->SetSelStart(8);
  memo->SetSelLength(5);
  EXPECT_EQ(memo->LineCount(), 2);
  memo->SetWordWrap(true);
  EXPECT_EQ(memo->Text(), text);
  EXPECT_EQ(memo->SelStart(), 8);
  EXPECT_EQ(memo->SelLength(), 5);
  EXPECT_EQ(static_cast<QPlainTextEdit*>(widget())->textCursor().selectedText(), "three");
  EXPECT_GT(memo->LineCount(), 2);
  EXPECT_EQ(memo->LineOfChar(static_cast<int>(text.size())), memo->LineCount() - 1);
  EXPECT_EQ(memo->LineStart(memo->LineCount() - 1), static_cast<int>(text.size()) - 3);
}

TEST_F(MemoTest, ScrollingByLinesMovesTheFirstVisibleLine) {
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssVertical);
  AnsiString text;
  for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + "\r\n";
  memo->SetText(text);
  EXPECT_EQ(memo->FirstVisibleLine(), 0);
  memo->ScrollLines(5);
  EXPECT_EQ(memo->FirstVisibleLine(), 5);
  const int top = memo->PositionOfChar(memo->LineStart(5)).Y;
  EXPECT_LT(top, memo->PositionOfChar(memo->LineStart(6)).Y);
  EXPECT_LT(top, memo->ClientHeight() / 3) << "line 5 is now at the top";
  memo->ScrollLines(-2);
  EXPECT_EQ(memo->FirstVisibleLine(), 3);
}

TEST_F(MemoTest, LinesReadAndChangeTheText) {
  TStrings* lines = memo->Lines();
  lines->Add("alpha");
  lines->Add("beta");
  lines->Insert(1, "between");
  EXPECT_EQ(memo->Text(), "alpha\r\nbetween\r\nbeta");
  lines->SetStrings(2, "gamma");
  lines->Delete(0);
  EXPECT_EQ(memo->Text(), "between\r\ngamma");
  EXPECT_EQ(lines->Count(), 2);
  EXPECT_EQ(lines->Strings(1), "gamma");
  try {
    lines->Strings(5);
    ADD_FAILURE() << "no error";
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (5)");
  }
  memo->SetText("one\ntwo\rthree");
  EXPECT_EQ(memo->Text(), "one\r\ntwo\r\nthree") << "every line break becomes CR LF";
  EXPECT_EQ(lines->Count(), 3);
  lines->Clear();
  EXPECT_EQ(memo->Text(), "");
}

TEST_F(MemoTest, PasteKeepsEveryLine) {
  Clipboard::SetAsText("x\r\ny");
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(memo->Text(), "x\r\ny");
  EXPECT_EQ(memo->LineCount(), 2);
}

TEST_F(MemoTest, PublishedPropertiesAreReadAndWrittenByName) {
  ASSERT_TRUE(WriteBooleanProperty(memo, "WordWrap", false));
  EXPECT_FALSE(memo->WordWrap());
  ASSERT_TRUE(WriteBooleanProperty(memo, "WantTabs", true));
  EXPECT_TRUE(memo->WantTabs());
  ASSERT_TRUE(WriteEnumerationProperty(memo, "ScrollBars", ssBoth));
  EXPECT_EQ(memo->ScrollBars(), ssBoth);
  StringList source;
  source.Add("a");
  source.Add("b");
  ASSERT_TRUE(WriteStringListProperty(memo, "Lines", &source));
  EXPECT_EQ(memo->Text(), "a\r\nb");
}

TEST_F(MemoTest, ChangedScrollBarsRemakeTheWindowKeepingTextSelectionAndFocus) {
  memo->SetText("abc\r\ndef");
  memo->SetSelStart(2);
  memo->SetSelLength(4);
  QWidget* before = widget();
  memo->SetScrollBars(ssNone);
  EXPECT_EQ(widget(), before) << "no change, no new window";
  memo->SetScrollBars(ssVertical);
  ASSERT_NE(widget(), before);
  auto* shown = static_cast<QPlainTextEdit*>(widget());
  EXPECT_EQ(shown->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->Text(), "abc\r\ndef");
  EXPECT_EQ(memo->SelStart(), 2);
  EXPECT_EQ(memo->SelLength(), 4);
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(QApplication::focusWidget(), shown);
}

TEST_F(MemoTest, APaintHandlerPaintsOverTheLines) {
  memo->SetText("WWWW\r\nWWWW");
  bool paints = true;
  memo->SetPaintHandler([&](Canvas& canvas) {
    if (!paints) return false;
    canvas.Brush.Color = clRed;
    canvas.fillRect(Rect(0, 0, canvas.width(), canvas.height()));
    return true;
  });
  auto redAtCentre = [&] {
    const QColor c(widget()->grab().toImage().pixel(memo->Width() / 2, memo->Height() / 2));
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
  };
  EXPECT_TRUE(redAtCentre());
  paints = false;
  EXPECT_FALSE(redAtCentre());
}

TEST_F(MemoTest, MiddleClickChangesNothingAndRightPressOpensNoMenu) {
  memo->SetText("abc");
  Clipboard::SetAsText("zz");
  QWidget* lines = static_cast<QPlainTextEdit*>(widget())->viewport();
  QTest::mouseClick(lines, Qt::MiddleButton, {}, QPoint(5, 5));
  EXPECT_EQ(memo->Text(), "abc");
  QTest::mouseClick(lines, Qt::RightButton, {}, QPoint(5, 5));
  QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), lines->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(lines, &menuKey);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MemoTest, TheCaretShowsOnlyWhileItIsAllowed) {
  const int flashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // a steady caret, shown at every paint
  auto* caretMemo = new TCaretSwitchable<TMemo>(form);
  caretMemo->SetParent(form);
  caretMemo->SetBounds(10, 140, 200, 50);
  caretMemo->setEditRect(Rect(20, 10, caretMemo->ClientWidth(), caretMemo->ClientHeight()));  // the caret well inside
  caretMemo->SetFocus();
  auto darkPixels = [&] {
    const QImage image = caretMemo->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 4; y < image.height() - 4; ++y)
      for (int x = 4; x < image.width() - 4; ++x) {
        const QColor c(image.pixel(x, y));
        if (c.red() < 100 && c.green() < 100 && c.blue() < 100) ++n;
      }
    return n;
  };
  EXPECT_GT(darkPixels(), 5) << "an empty memo shows its caret";
  caretMemo->setCaret(false);
  EXPECT_EQ(darkPixels(), 0);
  QApplication::setCursorFlashTime(flashTime);
}

TEST_F(MemoTest, TheFormattingRectangleInsetsTheLines) {
  memo->SetText("ab\r\ncd");
  const TPoint plain = memo->PositionOfChar(4);
  memo->setEditRect(Rect(30, 20, memo->ClientWidth() - 1, memo->ClientHeight() + 1));
  const TPoint inset = memo->PositionOfChar(4);
  EXPECT_GE(inset.X, plain.X + 25);
  EXPECT_GE(inset.Y, plain.Y + 15);
  memo->setEditRect(TRect{});
  EXPECT_EQ(memo->PositionOfChar(4).X, plain.X);
}

}  // namespace
}  // namespace qn::ui::testing
