#pragma once
// A word parser: walks one text source word by word for the spell checker. A word is a longest
// run of the word characters; with HTML on a tag ("<" up to and including ">") is skipped, with
// Internet on an e-mail address or a URL is taken whole and marked to be skipped, and with quoted
// lines on (the kinds that have lines) a line starting with a quote character is skipped. A
// parser selects and replaces words in its source and keeps the undo list of the stops.
//
// Positions are the source kind's own (0-based in a buffer, 1-based elsewhere). The range end is
// the last position that may start a word.
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/Geometry.h"
#include "spell/Undo.h"

class TParser {
 public:
  virtual ~TParser();
  TParser(const TParser&) = delete;
  TParser& operator=(const TParser&) = delete;

  // The operations the checker calls, in the order the parser kinds override them.
  virtual void SetRange(int Start, int End);
  // From the word at the control's caret; nothing for sources without one.
  virtual void StartAtCaret() {}
  // The range ends where the control's selection ends; nothing for sources without one.
  virtual void StopAtSelectionEnd() {}
  // The next word in Word; false, with EndOfSource set, when none starts within the range.
  virtual bool NextWord(AnsiString& Word);
  virtual void SelectWord() {}
  // Writes Text over the current word, moving the range end by the difference.
  virtual void ReplaceWord(const AnsiString& Text);
  // The same without touching the undo list: a replacement the checker makes by itself (from the
  // change-all list or an auto-correct pair) belongs to no stop.
  void ReplaceWordUnrecorded(const AnsiString& Text);
  // On screen; {-1, -1, -1, -1} for sources without one.
  virtual TRect GetControlRect();
  virtual TRect GetWordRect();
  virtual void ScrollToWord() {}
  virtual void BackToWordStart();
  virtual void Prepare();
  // Removes a space at the position; answers whether there was one.
  virtual bool DeleteCharIfSpace();
  // Inserts a space before the character at the position.
  virtual void InsertSpace();
  virtual AnsiString GetWordText();
  virtual void SetUndoAction(int Code);
  virtual void RecordReplacement(const AnsiString& Text);
  // Before an undo writes a word back over what was written at Position.
  virtual void BeforeUndoReplace() {}
  // Records the current stop.
  virtual void PushUndo();
  // Takes back the stop before the current one: the position returns there and a word written
  // in its place is written back (with the space a Delete took). The entry, for the checker to
  // undo in its own lists; nullptr when there is no stop before.
  virtual std::unique_ptr<TUndo> Undo();
  virtual bool CanUndo() const { return undo_.size() > 1; }

  const AnsiString& WordChars() const { return wordChars_; }
  void SetWordChars(const AnsiString& Value);
  int UndoLimit() const { return undoLimit_; }
  void SetUndoLimit(int Value) { undoLimit_ = Value; }
  const std::vector<std::unique_ptr<TUndo>>& UndoList() const { return undo_; }

  int Position() const { return position_; }
  int WordLength() const { return length_; }
  // The kinds with lines: the word's line (from 0) and column (from 1).
  int Line() const { return line_; }
  int Column() const { return column_; }
  int RangeEnd() const { return rangeEnd_; }
  const AnsiString& Word() const { return word_; }

  bool EndOfSource() const { return endOfSource_; }
  bool SkipWord() const { return skipWord_; }
  bool BreakBefore() const { return breakBefore_; }
  bool Replaying() const { return replaying_; }
  bool HTML() const { return html_; }
  void SetHTML(bool Value) { html_ = Value; }
  bool Internet() const { return internet_; }
  void SetInternet(bool Value) { internet_ = Value; }
  bool Quoted() const { return quoted_; }
  void SetQuoted(bool Value) { quoted_ = Value; }
  const AnsiString& QuoteChars() const { return quoteChars_; }
  void SetQuoteChars(const AnsiString& Value) { quoteChars_ = Value; }

 protected:
  TParser(const AnsiString& WordChars, int UndoLimit);

  // The source, as the kind reaches it.
  virtual int FirstPosition() const = 0;
  // The text in the kind's positions: one character per position.
  virtual AnsiString SourceText() const = 0;
  virtual void WriteSource(int Position, int Length, const AnsiString& Text) = 0;
  // Whether the text may change other than through this parser (the user edits a control while
  // the dialog is open), so that each word is looked for in the text as it now is.
  virtual bool ChangesOutside() const { return true; }
  // Whether the source has lines, so that quoted lines apply and the word's line is kept.
  virtual bool HasLines() const { return false; }
  // Whether Word, followed by ":", begins a URL.
  virtual bool IsUrlWord(const AnsiString& Word) const;

  // Sets the range over the whole text; the kinds' constructors call it.
  void RangeOverText();
  // Puts the position at Position and works out its line and column.
  void PlaceAt(int Position);
  void SetWordLength(int Value) { length_ = Value; }
  // The source's text, as last read.
  const AnsiString& Text() const { return text_; }
  void RereadText() { text_ = SourceText(); }

 private:
  bool isWordChar(char c) const { return wordCharSet_[static_cast<unsigned char>(c)]; }
  char at(int position) const { return text_[static_cast<size_t>(position - FirstPosition())]; }
  int endPosition() const { return FirstPosition() + static_cast<int>(text_.size()); }
  bool atLineStart(int position) const;
  void writeAndMoveRange(int Position, int Length, const AnsiString& Text);

  AnsiString wordChars_;
  bool wordCharSet_[256] = {};
  int undoLimit_;
  std::vector<std::unique_ptr<TUndo>> undo_;
  AnsiString text_;
  int position_ = 0;
  int length_ = 0;
  int line_ = 0;
  int column_ = 0;
  int rangeEnd_ = 0;
  AnsiString word_;
  bool endOfSource_ = false;
  bool skipWord_ = false;
  bool breakBefore_ = false;
  bool html_ = false;
  bool internet_ = true;
  bool quoted_ = false;
  bool replaying_ = false;
  AnsiString quoteChars_ = ">";
};
