#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <functional>

#include "framework/base/Exception.h"
#include "framework/base/MemoryStream.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RtfReader.h"
#include "framework/ui/Screen.h"
#include "framework/ui/RtfWriter.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/RichEditStreams.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

std::string rtfOf(const RichTextContent& content) { return RtfWriter().write(content); }

// A shown, active form with one focused rich edit, driven by real key events.
class RichEditTest : public ::testing::Test {
 public:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    edit = new TRichEdit(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 300, 200);
    edit->OnChange = [this](TObject*) { ++changes; };
    ASSERT_TRUE(showActive(*form));
    edit->SetFocus();
  }
  void TearDown() override { delete form; }

  QWidget* widget() { return edit->Window(); }
  void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(widget(), k, m); }

  TTestForm* form;
  TRichEdit* edit;
  int changes = 0;
};

TEST_F(RichEditTest, TheScrollBarsAskedForShowWhenNeededAndTheOthersNever) {
  auto* view = qobject_cast<QTextEdit*>(widget());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(edit->ScrollBars(), ssBoth);
  EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  struct Row {
    TScrollStyle style;
    Qt::ScrollBarPolicy vertical, horizontal;
  };
  for (const Row& row : {Row{ssVertical, Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOff},
                         Row{ssNone, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff},
                         Row{ssHorizontal, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAsNeeded},
                         Row{ssBoth, Qt::ScrollBarAsNeeded, Qt::ScrollBarAsNeeded}}) {
    edit->SetScrollBars(row.style);
    EXPECT_EQ(view->verticalScrollBarPolicy(), row.vertical) << static_cast<int>(row.style);
    EXPECT_EQ(view->horizontalScrollBarPolicy(), row.horizontal) << static_cast<int>(row.style);
  }
  // A window made later takes the style kept.
  TRichEdit later(nullptr);
  later.SetScrollBars(ssVertical);
  later.SetParent(form);
  auto* laterView = qobject_cast<QTextEdit*>(later.Window());
  ASSERT_NE(laterView, nullptr);
  EXPECT_EQ(laterView->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  later.SetParent(nullptr);
}

TEST_F(RichEditTest, RichTextLoadedAndSavedComesBackByteForByte) {
  CharacterAttributes bold;
  bold.bold = true;
  bold.name = "Courier New";
  bold.pitch = FontPitch::Fixed;
  CharacterAttributes red;
  red.automaticColor = false;
  red.color = clRed;
  red.halfPoints = 28;
  red.protectedText = true;
  RichTextContent content;
  appendText(content.paragraphs[0], bold, "Caf\xC3\xA9 ");
  appendText(content.paragraphs[0], red, "\xE2\x82\xAC 5\tnow\xE2\x80\xA8" "next");
  ParagraphAttributes centred;
  centred.alignment = ParagraphAlignment::Centre;
  centred.leftIndent = 720;
  centred.firstIndent = -360;
  centred.tabs = {1440, 2880};
  centred.spaceBefore = 120;
  centred.lineSpacingRule = 4;
  centred.lineSpacing = 300;
  content.paragraphs.push_back({centred, {}});
  appendText(content.paragraphs[1], CharacterAttributes{}, "second");
  ParagraphAttributes bullet;
  bullet.bullet = true;
  content.paragraphs.push_back({bullet, {}});
  appendText(content.paragraphs[2], CharacterAttributes{}, "one");
  content.paragraphs.push_back({bullet, {}});
  appendText(content.paragraphs[3], CharacterAttributes{}, "two");
  content.paragraphs.push_back({});

  bool loaded = false;
  loadBytes(*edit, rtfOf(content), false, &loaded);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(edit->content(0, edit->TextLength()), content);
  EXPECT_EQ(savedBytes(*edit), rtfOf(content));
  EXPECT_EQ(edit->Text(), "Caf\xE9 \x80 5\tnow\r\nnext\r\nsecond\r\none\r\ntwo\r\n");
  EXPECT_FALSE(edit->Modified());
}

TEST_F(RichEditTest, DamagedRichTextChangesNothingAndLoadsAsPlainText) {
  edit->SetText("kept");
  bool loaded = true;
  loadBytes(*edit, "{\\rtf1 {\\b open", false, &loaded);
  EXPECT_FALSE(loaded);
  EXPECT_EQ(edit->Text(), "kept");
  edit->SetPlainText(true);
  loadBytes(*edit, "{\\rtf1 {\\b open\rtwo\nthree\r\nfour", false, &loaded);
  EXPECT_TRUE(loaded);
  EXPECT_EQ(edit->Text(), "{\\rtf1 {\\b open\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(edit->Lines()->Count(), 4);
  EXPECT_EQ(savedBytes(*edit), "{\\rtf1 {\\b open\r\ntwo\r\nthree\r\nfour");
}

TEST_F(RichEditTest, ALoadedStreamReplacesOnlyTheSelection) {
  edit->SetText("one two three");
  edit->SetSelStart(4);
  edit->SetSelLength(3);
  CharacterAttributes italic;
  italic.italic = true;
  RichTextContent inserted;
  appendText(inserted.paragraphs[0], italic, "2");
  loadBytes(*edit, rtfOf(inserted), true);
  EXPECT_EQ(edit->Text(), "one 2 three");
  RichTextContent middle = edit->content(4, 5);
  ASSERT_EQ(middle.paragraphs[0].runs.size(), 1u);
  EXPECT_TRUE(middle.paragraphs[0].runs[0].attributes.italic);
  EXPECT_FALSE(edit->content(0, 3).paragraphs[0].runs[0].attributes.italic);
  edit->SetSelStart(0);
  edit->SetSelLength(3);
  EXPECT_EQ(RtfReader().read(savedBytes(*edit, true))->plainText(), "one");
}

TEST_F(RichEditTest, LinesAreParagraphsAndKeepTheOthersFormatting) {
  edit->SetText("first\r\nsecond\r\nthird");
  EXPECT_EQ(edit->Lines()->Count(), 3);
  EXPECT_EQ(edit->Lines()->Get(1), "second");
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  edit->changeSelectionAttributes([](CharacterAttributes& a) { a.bold = true; });
  edit->SetSelStart(14);
  edit->changeParagraphAttributes([](ParagraphAttributes& a) { a.alignment = ParagraphAlignment::Right; });

  edit->Lines()->Put(1, "2nd");
  edit->Lines()->Insert(0, "zero");
  edit->Lines()->Add("fourth");
  EXPECT_EQ(edit->Text(), "zero\r\nfirst\r\n2nd\r\nthird\r\nfourth");
  RichTextContent all = edit->content(0, edit->TextLength());
  EXPECT_TRUE(all.paragraphs[1].runs[0].attributes.bold);
  EXPECT_FALSE(all.paragraphs[0].runs[0].attributes.bold);
  EXPECT_EQ(all.paragraphs[3].attributes.alignment, ParagraphAlignment::Right);
  EXPECT_EQ(all.paragraphs[4].attributes.alignment, ParagraphAlignment::Left);
  edit->Lines()->Delete(4);
  edit->Lines()->Delete(0);
  EXPECT_EQ(edit->Text(), "first\r\n2nd\r\nthird");
  EXPECT_TRUE(edit->content(0, 5).paragraphs[0].runs[0].attributes.bold);
  EXPECT_THROW(edit->Lines()->Get(3), EListError);
  edit->Lines()->SetText("x\r\ny\r\n");
  EXPECT_EQ(edit->Text(), "x\r\ny");
  EXPECT_EQ(edit->Lines()->Count(), 2);
  EXPECT_EQ(edit->Lines()->Text(), "x\r\ny\r\n");
}

TEST_F(RichEditTest, LinesSetOrAddedKeepTheirEmptyLines) {
  for (const char* lines : {"a\r\n\r\nb\r\n", "\r\n", "\r\n\r\na\r\n", "a\r\n\r\n", "a\r\nb\r\n"}) {
    edit->SetText("");
    edit->Lines()->SetText(lines);
    EXPECT_EQ(edit->Lines()->Text(), lines) << lines;
  }
  edit->SetText("");
  edit->Lines()->Add("");
  edit->Lines()->Add("x");
  edit->Lines()->Add("");
  ASSERT_EQ(edit->Lines()->Count(), 3);
  EXPECT_EQ(edit->Lines()->Get(0), "");
  EXPECT_EQ(edit->Lines()->Get(1), "x");
  EXPECT_EQ(edit->Lines()->Get(2), "");
}

struct FindCase {
  const char* name;
  const char* text;
  int start;
  int length;
  bool wholeWord;
  bool matchCase;
  int expected;
};

TEST_F(RichEditTest, FindTextLooksForwardWithinTheRange) {
  edit->SetText("Docket docket\r\ndocketing Date");
  const FindCase cases[] = {
      {"first match", "docket", 0, -1, false, false, 0},
      {"match case", "docket", 0, -1, false, true, 7},
      {"from a start", "docket", 1, -1, false, false, 7},
      {"whole word skips docketing", "docket", 8, -1, true, false, -1},
      {"part of a word", "docket", 8, -1, false, false, 14},
      {"outside the length", "Date", 0, 20, false, false, -1},
      {"inside the length", "Date", 0, 29, false, false, 24},
      {"start past the text", "Date", 100, -1, false, false, -1},
      {"not across a paragraph break", "docket\r\ndocketing", 0, -1, false, false, -1},
      {"nowhere", "calendar", 0, -1, false, false, -1},
  };
  for (const FindCase& c : cases) EXPECT_EQ(edit->FindText(c.text, c.start, c.length, c.wholeWord, c.matchCase), c.expected) << c.name;
}

// Each way of changing the text, starting with the caret inside (or the selection over) the
// protected word of "open SHUT open".
struct ChangePath {
  const char* name;
  std::function<void(RichEditTest&)> change;
};

class RichEditProtectionTest : public RichEditTest {
 protected:
  void SetUp() override {
    RichEditTest::SetUp();
    CharacterAttributes guarded;
    guarded.protectedText = true;
    RichTextContent text;
    appendText(text.paragraphs[0], CharacterAttributes{}, "open ");
    appendText(text.paragraphs[0], guarded, "SHUT");
    appendText(text.paragraphs[0], CharacterAttributes{}, " open");
    loadBytes(*edit, rtfOf(text), false);
    edit->OnProtectChange = [this](TObject*, int start, int end, bool& allow) {
      asked.emplace_back(start, end);
      allow = allowChanges;
    };
  }
  void select(int start, int length) {
    edit->SetSelStart(start);
    edit->SetSelLength(length);
  }

  std::vector<std::pair<int, int>> asked;
  bool allowChanges = false;
};

TEST_F(RichEditProtectionTest, EveryChangePathAsksAndARefusalKeepsTheText) {
  Clipboard::SetAsText("pasted");
  const ChangePath paths[] = {
      {"typed key", [](RichEditTest& t) { t.key(Qt::Key_X); }},
      {"backspace", [](RichEditTest& t) { t.key(Qt::Key_Backspace); }},
      {"delete", [](RichEditTest& t) { t.key(Qt::Key_Delete); }},
      {"paste", [](RichEditTest& t) { t.key(Qt::Key_V, Qt::ControlModifier); }},
      {"cut", [](RichEditTest& t) { t.key(Qt::Key_X, Qt::ControlModifier); }},
      {"input method",
       [](RichEditTest& t) {
         QInputMethodEvent commit;
         commit.setCommitString("q");
         QApplication::sendEvent(t.widget(), &commit);
       }},
      {"code", [](RichEditTest& t) { t.edit->SetSelText("code"); }},
  };
  for (const ChangePath& path : paths) {
    asked.clear();
    select(6, 2);  // "HU"
    path.change(*this);
    EXPECT_FALSE(asked.empty()) << path.name;
    EXPECT_EQ(edit->Text(), "open SHUT open") << path.name;
  }
  allowChanges = true;
  select(6, 2);
  key(Qt::Key_X);
  EXPECT_EQ(edit->Text(), "open SxT open");
}

TEST_F(RichEditProtectionTest, ChangesBesideProtectedTextAskNothing) {
  select(1, 2);
  key(Qt::Key_Y);
  EXPECT_EQ(edit->Text(), "oyn SHUT open");
  EXPECT_TRUE(asked.empty());
}

TEST_F(RichEditTest, ADropChangesNothing) {
  edit->SetText("still");
  QMimeData data;
  data.setText("dropped");
  QWidget* target = static_cast<QTextEdit*>(widget())->viewport();
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  EXPECT_EQ(edit->Text(), "still");
}

TEST_F(RichEditTest, TypingEnterAndUndoRedo) {
  QTest::keyClicks(widget(), "ab");
  key(Qt::Key_Return);
  QTest::keyClicks(widget(), "c");
  EXPECT_EQ(edit->Text(), "ab\r\nc");
  EXPECT_TRUE(edit->Modified());
  EXPECT_TRUE(edit->CanUndo());
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "ab\r\n");
  EXPECT_TRUE(edit->CanRedo());
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "ab\r\nc");
}

TEST_F(RichEditTest, ALinkIsDetectedAndItsClickToldOnce) {
  edit->SetAutoURLDetect(true);
  edit->SetText("see http://example.com/a today");
  std::vector<AnsiString> clicked;
  edit->OnLinkClick = [&](TObject*, const AnsiString& link) { clicked.push_back(link); };
  auto* text = static_cast<QTextEdit*>(widget());
  QPoint onLink = text->viewport()->mapFrom(text, QPoint(edit->PositionOfChar(8).X + 2, edit->PositionOfChar(8).Y + 4));
  QPoint offLink = text->viewport()->mapFrom(text, QPoint(edit->PositionOfChar(1).X + 2, edit->PositionOfChar(1).Y + 4));
  QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, offLink);
  EXPECT_TRUE(clicked.empty());
  QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, onLink);
  EXPECT_EQ(clicked, std::vector<AnsiString>{"http://example.com/a"});
  // Pressed off the link and released on it is no click.
  QTest::mousePress(text->viewport(), Qt::LeftButton, {}, offLink);
  QTest::mouseRelease(text->viewport(), Qt::LeftButton, {}, onLink);
  EXPECT_EQ(clicked.size(), 1u);
  // Marking links changes neither the text's formats nor what undo does.
  EXPECT_EQ(RtfReader().read(savedBytes(*edit)).value().paragraphs[0].runs.size(), 1u);
  EXPECT_FALSE(edit->Modified());
  edit->Undo();
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(RichEditTest, LineIndexAndCountFollowTheWrappedLayout) {
  edit->SetBounds(0, 0, 120, 200);
  form->Window()->repaint();
  std::string words;
  for (int i = 0; i < 12; ++i) words += "word" + std::to_string(i) + " ";
  edit->SetText(words + "\r\nlast");
  QApplication::processEvents();
  const int count = edit->LineCount();
  EXPECT_GT(count, 3);  // the first paragraph wraps
  EXPECT_EQ(edit->LineOfChar(edit->TextLength()), count - 1);
  const int second = edit->LineStart(1);
  const int third = edit->LineStart(2);
  EXPECT_GT(second, 0);
  EXPECT_GT(third, second);
  EXPECT_EQ(edit->LineOfChar(third), 2);
  EXPECT_EQ(edit->lineText(1), edit->Text().substr(second, third - second));
  EXPECT_EQ(edit->lineText(count - 2).substr(edit->lineText(count - 2).size() - 2), "\r\n");
  EXPECT_EQ(edit->lineText(count - 1), "last");
  EXPECT_EQ(edit->LineStart(count), -1);
  EXPECT_GT(edit->PositionOfChar(third).Y, edit->PositionOfChar(second).Y);

  edit->SetBounds(0, 0, 280, 200);
  QApplication::processEvents();
  EXPECT_LT(edit->LineCount(), count);
}

TEST_F(RichEditTest, AttributesOfTheSelectionAndParagraphs) {
  edit->SetText("plain text");
  edit->SetSelStart(6);
  edit->SetSelLength(4);
  edit->changeSelectionAttributes([](CharacterAttributes& a) {
    a.underline = true;
    a.halfPoints = 32;
  });
  EXPECT_TRUE(edit->selectionAttributes().underline);
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  EXPECT_FALSE(edit->selectionAttributes().underline);

  edit->changeParagraphAttributes([](ParagraphAttributes& a) {
    a.spaceAfter = 200;
    for (int i = 1; i <= 40; ++i) a.tabs.push_back(i * 100);
  });
  EXPECT_EQ(edit->paragraphAttributes().spaceAfter, 200);
  EXPECT_EQ(edit->paragraphAttributes().tabs.size(), 32u);
  edit->setVersion(1);
  edit->changeParagraphAttributes([](ParagraphAttributes& a) { a.spaceAfter = 400; });
  EXPECT_EQ(edit->paragraphAttributes().spaceAfter, 0);
  edit->setVersion(2);
  EXPECT_EQ(edit->paragraphAttributes().spaceAfter, 200);
}

TEST_F(RichEditTest, TextCanBePastedButAnImageCannot) {
  Clipboard::SetAsText("words");
  EXPECT_TRUE(edit->CanPaste());
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::red);
  QApplication::clipboard()->setImage(image);
  EXPECT_FALSE(edit->CanPaste());
}

TEST_F(RichEditTest, LinesStreamTheFormattingAndReadPlainTextToo) {
  CharacterAttributes bold;
  bold.bold = true;
  RichTextContent content;
  appendText(content.paragraphs[0], bold, "bold");
  content.paragraphs.push_back({});
  appendText(content.paragraphs[1], CharacterAttributes{}, "plain");
  MemoryStream rich;
  const std::string bytes = rtfOf(content);
  rich.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  rich.SetPosition(0);
  edit->Lines()->LoadFromStream(rich);
  EXPECT_EQ(edit->content(0, edit->TextLength()), content);
  MemoryStream saved;
  edit->Lines()->SaveToStream(saved);
  EXPECT_EQ(saved.Size(), static_cast<int64_t>(bytes.size()));

  MemoryStream plain;
  plain.WriteBuffer("one\rtwo", 7);
  plain.SetPosition(0);
  edit->Lines()->LoadFromStream(plain);
  EXPECT_EQ(edit->Text(), "one\r\ntwo");
  EXPECT_FALSE(edit->PlainText());
}

TEST_F(RichEditTest, AttributesChosenAtTheCaretApplyToWhatIsTypedNext) {
  QTest::keyClicks(widget(), "ab");
  edit->changeSelectionAttributes([](CharacterAttributes& a) { a.bold = true; });
  EXPECT_TRUE(edit->selectionAttributes().bold);
  QTest::keyClicks(widget(), "cd");
  RichTextContent typed = edit->content(0, edit->TextLength());
  ASSERT_EQ(typed.paragraphs[0].runs.size(), 2u);
  EXPECT_EQ(typed.paragraphs[0].runs[0].text, "ab");
  EXPECT_FALSE(typed.paragraphs[0].runs[0].attributes.bold);
  EXPECT_EQ(typed.paragraphs[0].runs[1].text, "cd");
  EXPECT_TRUE(typed.paragraphs[0].runs[1].attributes.bold);
  // Moving the caret forgets the choice: typing continues the character before.
  edit->changeSelectionAttributes([](CharacterAttributes& a) { a.italic = true; });
  key(Qt::Key_Left);
  QTest::keyClicks(widget(), "e");
  EXPECT_EQ(edit->Text(), "abced");
  EXPECT_FALSE(edit->content(3, 4).paragraphs[0].runs[0].attributes.italic);
  EXPECT_TRUE(edit->content(3, 4).paragraphs[0].runs[0].attributes.bold);
}

TEST_F(RichEditTest, SelectionChangesAreTold) {
  edit->SetText("some words");
  int told = 0;
  edit->OnSelectionChange = [&](TObject*) { ++told; };
  edit->SetSelStart(2);
  EXPECT_GE(told, 1);
  told = 0;
  key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_GE(told, 1);
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 1);
  EXPECT_EQ(edit->SelText(), "m");
}

TEST_F(RichEditTest, TheFormattingRectangleSetsTheWidthLinesWrapAt) {
  std::string words;
  for (int i = 0; i < 12; ++i) words += "word" + std::to_string(i) + " ";
  edit->SetText(words);
  QApplication::processEvents();
  const int wide = edit->LineCount();
  edit->setEditRect(Rect(0, 0, 80, 150));
  QApplication::processEvents();
  EXPECT_EQ(edit->editRect(), Rect(0, 0, 80, 150));
  EXPECT_GT(edit->LineCount(), wide);
}

TEST_F(RichEditTest, AHiddenSelectionShowsOnlyWhileFocused) {
  auto* text = static_cast<QTextEdit*>(widget());
  const QPalette palette = text->palette();
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight), palette.color(QPalette::Inactive, QPalette::Base));
  edit->SetHideSelection(false);
  EXPECT_NE(text->palette().color(QPalette::Inactive, QPalette::Highlight), text->palette().color(QPalette::Inactive, QPalette::Base));
}

TEST_F(RichEditTest, IndentsShowInPixelsOfTheScreen) {
  RichTextContent content;
  content.paragraphs[0].attributes.leftIndent = 720;
  content.paragraphs[0].attributes.firstIndent = -360;
  std::string words;
  for (int i = 0; i < 12; ++i) words += "word" + std::to_string(i) + " ";
  appendText(content.paragraphs[0], CharacterAttributes{}, words);
  loadBytes(*edit, rtfOf(content), false);
  QApplication::processEvents();
  ASSERT_GT(edit->LineCount(), 1);
  const int first = edit->PositionOfChar(0).X;
  const int second = edit->PositionOfChar(edit->LineStart(1)).X;
  // Half an inch less a quarter: the first line starts a quarter inch left of the others.
  EXPECT_EQ(second - first, Screen->PixelsPerInch() / 4);
  edit->SetSelStart(0);
  edit->changeParagraphAttributes([](ParagraphAttributes& a) { a.firstIndent = 0; });
  QApplication::processEvents();
  EXPECT_EQ(edit->PositionOfChar(0).X, second);
}

TEST_F(RichEditTest, SelectionPropertiesByNameAreTheRichEdits) {
  edit->SetText("first\r\nsecond");
  ASSERT_TRUE(WriteIntegerProperty(edit, "SelStart", 7));
  ASSERT_TRUE(WriteIntegerProperty(edit, "SelLength", 3));
  EXPECT_EQ(edit->SelText(), "eco");
  EXPECT_EQ(ReadIntegerProperty(edit, "SelStart"), 7);
  EXPECT_EQ(ReadStringProperty(edit, "SelText"), "eco");
  EXPECT_EQ(ReadStringProperty(edit, "Text"), "first\r\nsecond");
  ASSERT_TRUE(WriteBooleanProperty(edit, "PlainText", true));
  EXPECT_TRUE(edit->PlainText());
}

TEST_F(RichEditTest, ReadOnlyRefusesTheUserButNotCode) {
  edit->SetText("fixed");
  edit->SetReadOnly(true);
  Clipboard::SetAsText("pasted");
  edit->SetSelStart(0);
  edit->SetSelLength(2);
  QTest::keyClicks(widget(), "ab");
  key(Qt::Key_Delete);
  key(Qt::Key_Backspace);
  key(Qt::Key_Return);
  key(Qt::Key_V, Qt::ControlModifier);
  key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "fixed");
  EXPECT_FALSE(edit->Modified());
  edit->SetSelText("F");
  EXPECT_EQ(edit->Text(), "Fxed");
}

TEST_F(RichEditTest, MaxLengthLimitsTypingAndPasting) {
  edit->SetMaxLength(6);
  QTest::keyClicks(widget(), "abcd");
  Clipboard::SetAsText("xyz");
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "abcdxy");
  QTest::keyClicks(widget(), "q");
  key(Qt::Key_Return);
  EXPECT_EQ(edit->Text(), "abcdxy");
  // Code is not limited.
  edit->SetText("a longer text than six");
  EXPECT_EQ(edit->TextLength(), 22);
}

TEST_F(RichEditTest, MousePressesOnTheTextReachTheControl) {
  edit->SetText("some text");
  std::vector<TPoint> pressed;
  edit->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { pressed.push_back(Point(x, y)); };
  auto* text = static_cast<QTextEdit*>(widget());
  QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
  ASSERT_EQ(pressed.size(), 1u);
  const QPoint inEdit = text->viewport()->mapTo(text, QPoint(20, 5));
  EXPECT_EQ(pressed[0], Point(inEdit.x(), inEdit.y()));
}

// Callers that hold the edit (a data-aware control, the grid's in-place editor) reach the rich
// text, not the one-line edit's.
TEST_F(RichEditTest, DrivenThroughTheEditItAnswersForTheRichText) {
  TCustomEdit& plain = *edit;
  plain.SetText("one two\r\nthree");
  EXPECT_EQ(plain.Text(), "one two\r\nthree");
  plain.SetSelStart(4);
  plain.SetSelLength(3);
  EXPECT_EQ(plain.SelStart(), 4);
  EXPECT_EQ(plain.SelLength(), 3);
  EXPECT_EQ(plain.SelText(), "two");
  plain.SetSelText("2");
  EXPECT_EQ(edit->Text(), "one 2\r\nthree");
  EXPECT_EQ(plain.SelStart(), 5);

  plain.SetSelStart(0);
  plain.SetSelLength(3);
  plain.CopyToClipboard();
  EXPECT_EQ(Clipboard::AsText(), "one");
  plain.SetSelStart(6);
  plain.SetSelLength(5);
  plain.CutToClipboard();
  EXPECT_EQ(edit->Text(), "one 2\r\n");
  EXPECT_EQ(Clipboard::AsText(), "three");
  // Every paragraph of the clipboard arrives, where one line would take only the first.
  Clipboard::SetAsText("x\r\ny");
  plain.PasteFromClipboard();
  EXPECT_EQ(edit->Text(), "one 2\r\nx\r\ny");

  EXPECT_TRUE(plain.CanUndo());
  plain.Undo();
  EXPECT_EQ(edit->Text(), "one 2\r\n");
  plain.Redo();
  EXPECT_EQ(edit->Text(), "one 2\r\nx\r\ny");
  plain.ClearUndo();
  EXPECT_FALSE(plain.CanUndo());

  plain.SelectAll();
  EXPECT_EQ(plain.SelText(), "one 2\r\nx\r\ny");
  EXPECT_EQ(plain.DisplayText(), "one 2\r\nx\r\ny");
}

TEST_F(RichEditTest, LineOperationsThroughTheEditFollowTheRichLayout) {
  TCustomEdit& plain = *edit;
  edit->SetBounds(0, 0, 200, 60);
  std::string text;
  for (int i = 0; i < 20; ++i) text += "line" + std::to_string(i % 10) + "\r\n";
  plain.SetText(text + "end");
  QApplication::processEvents();
  EXPECT_EQ(plain.LineCount(), 21);
  // A paragraph break counts one: each "lineN" paragraph takes six positions.
  EXPECT_EQ(plain.LineStart(2), 12);
  EXPECT_EQ(plain.LineStart(21), -1);
  EXPECT_EQ(plain.LineOfChar(13), 2);
  EXPECT_GT(plain.PositionOfChar(12).Y, plain.PositionOfChar(6).Y);
  // The caret at the end shows the last lines; back at the start, the first.
  EXPECT_GT(plain.FirstVisibleLine(), 10);
  plain.SetSelStart(0);
  EXPECT_EQ(plain.FirstVisibleLine(), 0);
  plain.ScrollLines(3);
  EXPECT_EQ(plain.FirstVisibleLine(), 3);
  plain.ScrollLines(-1);
  EXPECT_EQ(plain.FirstVisibleLine(), 2);
}

// Ctrl+Backspace and Ctrl+Delete delete a word as the one-line edit does; a paragraph break is
// a blank between words.
struct WordDeleteCase {
  const char* name;
  const char* text;
  int caret;
  Qt::Key key;
  const char* expected;
};

TEST_F(RichEditTest, CtrlBackspaceAndCtrlDeleteDeleteAWord) {
  const WordDeleteCase cases[] = {
      {"the word before the caret", "one two three", 13, Qt::Key_Backspace, "one two "},
      {"the blanks before the caret with the word", "one two  ", 9, Qt::Key_Backspace, "one "},
      {"inside a word, up to its start", "one two", 6, Qt::Key_Backspace, "one o"},
      {"over a paragraph break", "one\r\ntwo", 4, Qt::Key_Backspace, "two"},
      {"at the start, nothing", "one", 0, Qt::Key_Backspace, "one"},
      {"the word after the caret with its blanks", "one two three", 0, Qt::Key_Delete, "two three"},
      {"inside a word, up to the next", "one two", 1, Qt::Key_Delete, "otwo"},
      {"at the end, nothing", "one", 3, Qt::Key_Delete, "one"},
  };
  for (const WordDeleteCase& c : cases) {
    edit->SetText(c.text);
    edit->SetSelStart(c.caret);
    key(c.key, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace qn::ui::testing
