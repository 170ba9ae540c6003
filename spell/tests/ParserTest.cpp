#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>

#include "framework/ui/Button.h"
#include "framework/ui/MaskEdit.h"
#include "framework/ui/Memo.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "spell/BufferParser.h"
#include "spell/CustomRichEditParser.h"
#include "spell/ParserFactory.h"
#include "spell/StringParser.h"

namespace {

const AnsiString kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ'";

// One source of each kind holding a text, with its parser.
class Source {
 public:
  virtual ~Source() = default;
  virtual TParser& parser() = 0;
  virtual AnsiString text() = 0;
};

class BufferSource : public Source {
 public:
  explicit BufferSource(const AnsiString& text) {
    std::memset(buffer_, 0, sizeof buffer_);
    std::memcpy(buffer_, text.data(), text.size());
    parser_ = CreateParserOfKind(0, kLetters, buffer_, 20);
  }
  TParser& parser() override { return *parser_; }
  AnsiString text() override { return buffer_; }

 private:
  char buffer_[512];
  std::unique_ptr<TParser> parser_;
};

class StringSource : public Source {
 public:
  explicit StringSource(const AnsiString& text) : text_(text), parser_(CreateParserOfKind(1, kLetters, &text_, 20)) {}
  TParser& parser() override { return *parser_; }
  AnsiString text() override { return text_; }

 private:
  AnsiString text_;
  std::unique_ptr<TParser> parser_;
};

template <typename Control>
class ControlSource : public Source {
 public:
  explicit ControlSource(const AnsiString& text) : control_(nullptr) {
    qn::ui::testing::qtApplication();
    control_.SetBounds(0, 0, 300, 120);
    control_.SetText(text);
    parser_ = CreateParserForControl(&control_, kLetters, 20);
  }
  TParser& parser() override { return *parser_; }
  // In the parser's positions: a rich edit counts a paragraph break as one.
  AnsiString text() override { return control_.Text(); }
  Control& control() { return control_; }

 private:
  Control control_;
  std::unique_ptr<TParser> parser_;
};

enum Kind { kBuffer, kString, kEdit, kMemo, kRichEdit };
const char* const kKindNames[] = {"buffer", "string", "edit", "memo", "rich edit"};

std::unique_ptr<Source> makeSource(Kind kind, const AnsiString& text) {
  switch (kind) {
    case kBuffer: return std::make_unique<BufferSource>(text);
    case kString: return std::make_unique<StringSource>(text);
    case kEdit: return std::make_unique<ControlSource<TEdit>>(text);
    case kMemo: return std::make_unique<ControlSource<TMemo>>(text);
    case kRichEdit: return std::make_unique<ControlSource<TRichEdit>>(text);
  }
  return nullptr;
}

bool hasLines(Kind kind) { return kind == kMemo || kind == kRichEdit; }

// The words, each marked: "|" before a word after a break, "*" after one to be skipped.
std::vector<AnsiString> words(TParser& parser) {
  std::vector<AnsiString> out;
  AnsiString word;
  parser.Prepare();
  while (parser.NextWord(word))
    out.push_back((parser.BreakBefore() ? "|" : "") + word + (parser.SkipWord() ? "*" : ""));
  EXPECT_TRUE(parser.EndOfSource());
  return out;
}

struct WordCase {
  const char* name;
  AnsiString text;
  bool html = false, internet = true, quoted = false;
  AnsiString quoteChars = ">";
  std::vector<AnsiString> expected;
  // Where a kind sees it otherwise.
  std::map<Kind, std::vector<AnsiString>> otherwise = {};
  bool linesOnly = false;
};

const std::vector<WordCase> kWordCases = {
    {"an address is skipped up to the comma", "Write to john@example.com, then call", false, true, false, ">",
     {"Write", "to", "|john@example.com*", "then", "call"}},
    {"without Internet an address is words", "john@example.com, x", false, false, false, ">",
     {"john", "example", "com", "x"}},
    {"a URL runs to the end", "see http://example.com/a?b=c", false, true, false, ">",
     {"see", "|http://example.com/a?b=c*"}},
    {"only the three URL words begin a URL", "ftp:files and News:group or mailto:x", false, true, false, ">",
     {"|ftp:files*", "and", "|News:group*", "or", "mailto", "x"},
     {{kBuffer, {"ftp", "files", "and", "News", "group", "or", "mailto", "x"}}}},
    {"the buffer's URL word in any case", "go HTTP://x.org now", false, true, false, ">", {"go", "|HTTP://x.org*", "now"}},
    {"a tag is skipped and breaks", "a <b>bold</b> word", true, true, false, ">", {"a", "|bold", "|word"}},
    {"a tag without its end skips to the end", "a <i unclosed tail", true, true, false, ">", {"a"}},
    {"without HTML a tag is words", "x<y>z", false, true, false, ">", {"x", "y", "z"}},
    {"a one-letter word ends the text", "I saw a", false, true, false, ">", {"I", "saw", "a"}},
    {"apostrophes belong to words", "don't (Smith's) 'quoted'", false, true, false, ">",
     {"don't", "Smith's", "'quoted'"}},
    {"a quoted line is skipped", "> quoted line\r\nplain > text\r\n>again\r\nend", false, true, true, ">",
     {"plain", "text", "end"}, {}, true},
    {"without quote characters no line is skipped", "> quoted line\r\nplain\r\n>again", false, true, true, "",
     {"quoted", "line", "plain", "again"}, {}, true},
    {"quoted lines off", "> quoted\r\n>again", false, true, false, ">", {"quoted", "again"}, {}, true},
};

class ParserKindTest : public ::testing::TestWithParam<Kind> {};

TEST_P(ParserKindTest, WordSequences) {
  const Kind kind = GetParam();
  for (const WordCase& c : kWordCases) {
    if (c.linesOnly && !hasLines(kind)) continue;
    SCOPED_TRACE(c.name);
    auto source = makeSource(kind, c.text);
    TParser& parser = source->parser();
    parser.SetHTML(c.html);
    parser.SetInternet(c.internet);
    parser.SetQuoted(c.quoted);
    parser.SetQuoteChars(c.quoteChars);
    auto other = c.otherwise.find(kind);
    EXPECT_EQ(words(parser), other != c.otherwise.end() ? other->second : c.expected);
  }
}

TEST_P(ParserKindTest, ReplacingLongerAndShorterWordsMovesTheRangeEnd) {
  auto source = makeSource(GetParam(), "teh cat sat on teh mat");
  TParser& parser = source->parser();
  const int first = parser.Position();
  // The range ends where "on" begins.
  parser.SetRange(first, first + 12);
  parser.Prepare();
  AnsiString word;
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "teh");
  parser.ReplaceWord("thee");
  EXPECT_EQ(parser.WordLength(), 4);
  EXPECT_EQ(parser.RangeEnd(), first + 13);
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "cat");
  EXPECT_EQ(parser.GetWordText(), "cat");
  parser.ReplaceWord("a");
  EXPECT_EQ(parser.RangeEnd(), first + 11);
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "sat");
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "on") << "still in the range, which followed the changes";
  EXPECT_FALSE(parser.NextWord(word));
  EXPECT_EQ(source->text(), "thee a sat on teh mat");
}

TEST_P(ParserKindTest, UndoTakesBackTheStopBefore) {
  auto source = makeSource(GetParam(), "teh cat the the end");
  TParser& parser = source->parser();
  AnsiString word;
  parser.Prepare();
  ASSERT_TRUE(parser.NextWord(word));
  parser.PushUndo();
  EXPECT_FALSE(parser.CanUndo());
  EXPECT_EQ(parser.Undo(), nullptr) << "one stop: nothing to take back";
  EXPECT_EQ(parser.Word(), "teh");

  // A change, undone at the next stop.
  parser.SetUndoAction(uaChange);
  parser.ReplaceWord("the");
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "cat");
  parser.PushUndo();
  ASSERT_TRUE(parser.CanUndo());
  std::unique_ptr<TUndo> undone = parser.Undo();
  ASSERT_NE(undone, nullptr);
  EXPECT_EQ(undone->Action, uaChange);
  EXPECT_EQ(undone->Word, "teh");
  EXPECT_EQ(undone->Written, "the");
  EXPECT_EQ(source->text(), "teh cat the the end");
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "teh") << "checking goes on from the word taken back";

  // A repeated word deleted with the space before it, undone at the next stop.
  for (const char* expected : {"cat", "the", "the"}) {
    ASSERT_TRUE(parser.NextWord(word));
    EXPECT_EQ(word, expected);
  }
  parser.PushUndo();
  const int at = parser.Position();
  parser.SetUndoAction(uaDelete);
  parser.ReplaceWord("");
  parser.SetRange(at - 1, parser.RangeEnd());
  EXPECT_TRUE(parser.DeleteCharIfSpace());
  EXPECT_EQ(source->text(), "teh cat the end");
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "end");
  parser.PushUndo();
  undone = parser.Undo();
  ASSERT_NE(undone, nullptr);
  EXPECT_EQ(undone->Action, uaDelete);
  EXPECT_EQ(source->text(), "teh cat the the end");
  EXPECT_EQ(parser.Position(), at);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ParserKindTest, ::testing::Values(kBuffer, kString, kEdit, kMemo, kRichEdit),
                         [](const auto& info) {
                           AnsiString name = kKindNames[info.param];
                           std::erase(name, ' ');
                           return name;
                         });

TEST(ParserUndoTest, TheListKeepsTheNewestEntriesUpToItsLimit) {
  AnsiString text = "a b c d e f";
  TStringParser parser(kLetters, 3, text);
  AnsiString word;
  while (parser.NextWord(word)) parser.PushUndo();
  ASSERT_EQ(parser.UndoList().size(), 3u);
  EXPECT_EQ(parser.UndoList().front()->Word, "d");
  EXPECT_EQ(parser.UndoList().back()->Word, "f");
}

TEST(ParserPlacesTest, MemoKindsKeepLineAndColumn) {
  ControlSource<TMemo> memo("first line\r\n  second");
  ControlSource<TRichEdit> rich("first line\r\n  second");
  for (Source* source : {static_cast<Source*>(&memo), static_cast<Source*>(&rich)}) {
    TParser& parser = source->parser();
    AnsiString word;
    parser.Prepare();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(parser.NextWord(word));
    EXPECT_EQ(word, "second");
    EXPECT_EQ(parser.Line(), 1);
    EXPECT_EQ(parser.Column(), 3);
  }
  EXPECT_EQ(memo.parser().Position(), 15) << "CR LF counts two";
  EXPECT_EQ(rich.parser().Position(), 14) << "a paragraph break counts one";
}

TEST(ParserPlacesTest, TheEditsCaretAndSelectionSetTheRange) {
  ControlSource<TEdit> edit("one two three four");
  edit.control().SetSelStart(5);  // inside "two"
  edit.control().SetSelLength(3);
  TParser& parser = edit.parser();
  parser.StartAtCaret();
  parser.StopAtSelectionEnd();
  EXPECT_EQ(parser.Position(), 5);
  EXPECT_EQ(parser.RangeEnd(), 8);
  parser.Prepare();
  AnsiString word;
  ASSERT_TRUE(parser.NextWord(word));
  EXPECT_EQ(word, "two");
  parser.SelectWord();
  EXPECT_EQ(edit.control().SelText(), "two");
  EXPECT_FALSE(parser.NextWord(word));
}

TEST(ParserPlacesTest, SourcesWithoutAScreenHaveNoRectangles) {
  AnsiString text = "word";
  TStringParser parser(kLetters, 20, text);
  EXPECT_EQ(parser.GetWordRect(), (TRect{-1, -1, -1, -1}));
  EXPECT_EQ(parser.GetControlRect(), (TRect{-1, -1, -1, -1}));
}

TEST(ParserPlacesTest, TheMemoScrollsTheWordIntoView) {
  AnsiString text;
  for (int i = 0; i < 60; ++i) text += "line" + AnsiString(i % 2 ? "x" : "y") + "\r\n";
  text += "target";
  ControlSource<TMemo> memo(text);
  TParser& parser = memo.parser();
  parser.Prepare();
  AnsiString word;
  while (parser.NextWord(word) && word != "target") {
  }
  ASSERT_EQ(word, "target");
  EXPECT_EQ(memo.control().FirstVisibleLine(), 0);
  parser.ScrollToWord();
  EXPECT_GT(memo.control().FirstVisibleLine(), 40);
}

TEST(ParserFactoryTest, KindsAndControlClasses) {
  qn::ui::testing::qtApplication();
  char buffer[] = "text";
  AnsiString text = "text";
  TEdit edit(nullptr);
  TCustomMaskEdit maskEdit(nullptr);
  TMemo memo(nullptr);
  TRichEdit rich(nullptr);
  TButton button(nullptr);
  EXPECT_NE(dynamic_cast<TBufferParser*>(CreateParserOfKind(0, kLetters, buffer, 20).get()), nullptr);
  EXPECT_NE(dynamic_cast<TStringParser*>(CreateParserOfKind(1, kLetters, &text, 20).get()), nullptr);
  EXPECT_NE(dynamic_cast<TCustomRichEditParser*>(CreateParserOfKind(2, kLetters, &rich, 20).get()), nullptr);
  EXPECT_NE(dynamic_cast<TCustomEditParser*>(CreateParserOfKind(3, kLetters, &edit, 20).get()), nullptr);
  EXPECT_NE(dynamic_cast<TCustomMemoParser*>(CreateParserOfKind(4, kLetters, &memo, 20).get()), nullptr);
  EXPECT_EQ(CreateParserOfKind(5, kLetters, &text, 20), nullptr);
  EXPECT_EQ(CreateParserOfKind(0, kLetters, &text, 20), nullptr) << "a string is not a buffer";
  EXPECT_EQ(CreateParserOfKind(2, kLetters, &memo, 20), nullptr);

  auto forControl = [](TControl* control) { return CreateParserForControl(control, kLetters, 20); };
  EXPECT_NE(dynamic_cast<TCustomRichEditParser*>(forControl(&rich).get()), nullptr);
  auto memoParser = forControl(&memo);
  EXPECT_NE(dynamic_cast<TCustomMemoParser*>(memoParser.get()), nullptr);
  EXPECT_EQ(dynamic_cast<TCustomRichEditParser*>(memoParser.get()), nullptr);
  for (TControl* control : {static_cast<TControl*>(&edit), static_cast<TControl*>(&maskEdit)}) {
    auto parser = forControl(control);
    EXPECT_NE(dynamic_cast<TCustomEditParser*>(parser.get()), nullptr);
    EXPECT_EQ(dynamic_cast<TCustomMemoParser*>(parser.get()), nullptr);
  }
  EXPECT_EQ(forControl(&button), nullptr);
  EXPECT_EQ(forControl(nullptr), nullptr);
}

}  // namespace
