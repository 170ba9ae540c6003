#include "spell/Parser.h"

#include <algorithm>

#include "framework/base/TextCase.h"

namespace {

// Where an address or a URL ends.
bool isStopChar(char c) {
  switch (c) {
    case '\r': case '\n': case '\t': case ' ': case '"': case '(': case ')': case '[': case ']':
    case '{': case '}': case ',': case '<': case '>': case '\'':
      return true;
    default:
      return false;
  }
}

constexpr TRect kNoRect{-1, -1, -1, -1};

}  // namespace

TParser::TParser(const AnsiString& WordChars, int UndoLimit) : undoLimit_(UndoLimit) { SetWordChars(WordChars); }

TParser::~TParser() = default;

void TParser::SetWordChars(const AnsiString& Value) {
  wordChars_ = Value;
  std::fill(std::begin(wordCharSet_), std::end(wordCharSet_), false);
  for (char c : Value) wordCharSet_[static_cast<unsigned char>(c)] = true;
}

void TParser::RangeOverText() {
  RereadText();
  PlaceAt(FirstPosition());
  length_ = 0;
  rangeEnd_ = endPosition() - 1;
}

bool TParser::atLineStart(int position) const {
  if (position == FirstPosition()) return true;
  const char before = at(position - 1);
  return before == '\n' || before == '\r';
}

void TParser::PlaceAt(int Position) {
  position_ = Position;
  if (!HasLines()) return;
  const size_t index = static_cast<size_t>(std::clamp(Position - FirstPosition(), 0, static_cast<int>(text_.size())));
  int line = 0;
  size_t lineStart = 0;
  for (size_t i = 0; i < index; ++i) {
    const char c = text_[i];
    // CR LF, a lone CR (a paragraph break of the rich edit) and a lone LF each end one line.
    if (c == '\n' || (c == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) {
      ++line;
      lineStart = i + 1;
    }
  }
  line_ = line;
  column_ = static_cast<int>(index - lineStart) + 1;
}

void TParser::SetRange(int Start, int End) {
  RereadText();
  PlaceAt(Start);
  length_ = 0;
  rangeEnd_ = End;
}

void TParser::Prepare() {
  RereadText();
  endOfSource_ = false;
}

bool TParser::IsUrlWord(const AnsiString& Word) const {
  const AnsiString lower = LowerCase(Word);
  return lower == "http" || lower == "ftp" || lower == "news";
}

bool TParser::NextWord(AnsiString& Word) {
  skipWord_ = false;
  breakBefore_ = false;
  if (ChangesOutside()) RereadText();  // the user may have edited the control since the last stop
  const int end = endPosition();
  int p = std::min(position_ + length_, end);
  length_ = 0;
  for (;;) {
    if (p >= end || p > rangeEnd_) {
      PlaceAt(std::min(p, end));
      endOfSource_ = true;
      return false;
    }
    const char c = at(p);
    if (quoted_ && HasLines() && atLineStart(p) && quoteChars_.find(c) != AnsiString::npos) {
      while (p < end && at(p) != '\r' && at(p) != '\n') ++p;
    } else if (html_ && c == '<') {
      const size_t close = text_.find('>', static_cast<size_t>(p - FirstPosition()));
      p = close == AnsiString::npos ? end : FirstPosition() + static_cast<int>(close) + 1;
      breakBefore_ = true;
    } else if (isWordChar(c)) {
      break;
    } else {
      ++p;
    }
  }
  int q = p;
  while (q < end && isWordChar(at(q))) ++q;
  AnsiString word = text_.substr(static_cast<size_t>(p - FirstPosition()), static_cast<size_t>(q - p));
  if (internet_ && q < end && (at(q) == '@' || (at(q) == ':' && IsUrlWord(word)))) {
    while (q < end && !isStopChar(at(q))) ++q;
    word = text_.substr(static_cast<size_t>(p - FirstPosition()), static_cast<size_t>(q - p));
    skipWord_ = true;
    breakBefore_ = true;
  }
  PlaceAt(p);
  length_ = q - p;
  word_ = word;
  Word = word;
  return true;
}

void TParser::writeAndMoveRange(int Position, int Length, const AnsiString& Text) {
  WriteSource(Position, Length, Text);
  rangeEnd_ += static_cast<int>(Text.size()) - Length;
  RereadText();
}

void TParser::ReplaceWord(const AnsiString& Text) {
  RecordReplacement(Text);
  writeAndMoveRange(position_, length_, Text);
  length_ = static_cast<int>(Text.size());
}

void TParser::ReplaceWordUnrecorded(const AnsiString& Text) {
  const bool replaying = replaying_;
  replaying_ = true;
  ReplaceWord(Text);
  replaying_ = replaying;
}

TRect TParser::GetControlRect() { return kNoRect; }

TRect TParser::GetWordRect() { return kNoRect; }

void TParser::BackToWordStart() {
  RereadText();
  int p = std::min(position_, endPosition());
  while (p > FirstPosition() && isWordChar(at(p - 1))) --p;
  PlaceAt(p);
  length_ = 0;
}

bool TParser::DeleteCharIfSpace() {
  RereadText();
  if (position_ < FirstPosition() || position_ >= endPosition() || at(position_) != ' ') return false;
  writeAndMoveRange(position_, 1, "");
  return true;
}

void TParser::InsertSpace() {
  RereadText();
  writeAndMoveRange(std::clamp(position_, FirstPosition(), endPosition()), 0, " ");
}

AnsiString TParser::GetWordText() {
  RereadText();
  const int from = std::clamp(position_ - FirstPosition(), 0, static_cast<int>(text_.size()));
  return text_.substr(static_cast<size_t>(from), static_cast<size_t>(length_));
}

void TParser::SetUndoAction(int Code) {
  if (!undo_.empty()) undo_.back()->Action = Code;
}

void TParser::RecordReplacement(const AnsiString& Text) {
  if (replaying_ || undo_.empty()) return;
  TUndo& entry = *undo_.back();
  entry.Word = word_;
  entry.Written = Text;
  entry.Replaced = true;
  entry.Position = position_;
  entry.Line = line_;
  entry.Column = column_;
}

void TParser::PushUndo() {
  auto entry = std::make_unique<TUndo>();
  entry->Column = column_;
  entry->Line = line_;
  entry->Position = position_;
  entry->Length = length_;
  entry->Word = word_;
  undo_.push_back(std::move(entry));
  while (static_cast<int>(undo_.size()) > std::max(undoLimit_, 1)) undo_.erase(undo_.begin());
}

std::unique_ptr<TUndo> TParser::Undo() {
  if (!CanUndo()) return nullptr;
  undo_.pop_back();  // the current stop
  std::unique_ptr<TUndo> entry = std::move(undo_.back());
  undo_.pop_back();
  RereadText();
  PlaceAt(entry->Position);
  length_ = 0;
  if (entry->Replaced) {
    replaying_ = true;
    if (entry->Action == uaDelete) {
      // The Delete took the space before the word as well.
      PlaceAt(entry->Position - 1);
      InsertSpace();
      PlaceAt(entry->Position);
    }
    length_ = static_cast<int>(entry->Written.size());
    BeforeUndoReplace();
    writeAndMoveRange(entry->Position, length_, entry->Word);
    length_ = 0;
    replaying_ = false;
  }
  line_ = entry->Line;
  column_ = entry->Column;
  return entry;
}
