#include "datagrid/PictureValidator.h"

#include <cctype>

#include "framework/base/TextCase.h"

namespace {

bool isCompleteLike(int r) { return r == picComplete || r == picAmbiguous; }
bool isIncompleteLike(int r) { return r == picIncomplete || r == picIncompleteNoFill; }

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isLetter(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u > 128;
}

// Characters auto-fill never copies from the mask; the mask's end reads as NUL.
bool isSpecial(char c) {
  switch (c) {
    case '\0': case '!': case '#': case '&': case '*': case ',': case '?':
    case '@': case '[': case ']': case '{': case '}': case '~':
      return true;
    default:
      return false;
  }
}

// A repetition count beyond any text the validator takes: larger counts cannot be told apart,
// and a count of an item that consumes nothing must not spin.
constexpr int kMaxRepetitions = kMaxPictureLength + 1;

}  // namespace

// One run of the matcher over a mask and a text. Mask positions (I) and text positions (J) count
// from 1; a section of the mask ends at TermCh, the position just after its last character.
class TdcPictureValidator::Matcher {
 public:
  Matcher(const AnsiString& mask, AnsiString& text, std::uint64_t& steps) : mask_(mask), text_(text), steps_(steps) {}

  int I = 1;
  int J = 1;

  // Tries the alternatives of the section that ends at termCh.
  int Process(int termCh) {
    ++steps_;
    int oldI = I, oldJ = J;
    bool incomplete = false;
    int incompI = 0, incompJ = 0;
    const bool outerBlankUsed = blankUsed_;
    blankUsed_ = false;
    int r;
    for (;;) {
      r = Scan(termCh);
      if (isCompleteLike(r) && incomplete && J < incompJ) {
        // An earlier alternative got further: the text is an incomplete form of that one.
        J = incompJ;
        r = picIncomplete;
      }
      if (r != picError && r != picIncomplete) break;
      if (r == picIncomplete && !incomplete) {
        incomplete = true;
        incompI = I;
        incompJ = J;
      }
      I = oldI;
      J = oldJ;
      if (!SkipToComma(termCh)) {
        if (incomplete) {
          I = incompI;
          J = incompJ;
          r = picIncomplete;
        }
        blankUsed_ = outerBlankUsed;
        return r;
      }
      oldI = I;
    }
    blankUsed_ = outerBlankUsed;
    return r == picComplete && incomplete ? picAmbiguous : r;
  }

 private:
  char maskAt(int p) const { return p >= 1 && p <= static_cast<int>(mask_.size()) ? mask_[p - 1] : '\0'; }
  int textLength() const { return static_cast<int>(text_.size()); }
  char& textAt(int p) { return text_[p - 1]; }

  // Stores the current character in its accepted form and moves on.
  void consume(char stored) {
    textAt(J) = stored;
    ++I;
    ++J;
  }

  // One alternative, up to termCh or the next ','.
  int Scan(int termCh) {
    int r = picEmpty;
    while (I < termCh && maskAt(I) != ',') {
      ++steps_;
      if (J > textLength()) return CheckComplete(r, termCh);
      const char ch = textAt(J);
      switch (maskAt(I)) {
        case '#':
          if (!isDigit(ch)) return picError;
          consume(ch);
          break;
        case '?':
          if (!isLetter(ch)) return picError;
          consume(ch);
          break;
        case '&':
          if (!isLetter(ch)) return picError;
          consume(qn::ansiUpperChar(ch));
          break;
        case '~':
          if (!isLetter(ch)) return picError;
          consume(qn::ansiLowerChar(ch));
          break;
        case '!':
          consume(qn::ansiUpperChar(ch));
          break;
        case '@':
          consume(ch);
          break;
        case '*':
          r = Iteration(termCh);
          if (!isCompleteLike(r)) return r;
          break;
        case '{':
          r = Group(termCh);
          if (!isCompleteLike(r)) return r;
          break;
        case '[':
          r = Group(termCh);
          if (isIncompleteLike(r)) return r;
          if (r == picError) r = picAmbiguous;  // an optional group that does not match is left out
          break;
        default:
          if (maskAt(I) == ';') ++I;
          if (!Literal(ch)) return picError;
          break;
      }
      r = r == picAmbiguous ? picIncompleteNoFill : picIncomplete;
    }
    return r == picIncompleteNoFill ? picAmbiguous : picComplete;
  }

  // The literal at I against the text character ch.
  bool Literal(char ch) {
    const char literal = maskAt(I);
    const bool last = J == textLength();
    if (qn::ansiUpperChar(literal) != qn::ansiUpperChar(ch)) {
      // A blank typed last may stand for the literal, once per section.
      if (ch != ' ' || !last || blankUsed_) return false;
      blankUsed_ = true;
    } else if (ch == ' ' && last) {
      blankUsed_ = true;
    }
    consume(literal);
    return true;
  }

  int Iteration(int termCh) {
    ++I;  // the '*'
    int count = 0;
    while (isDigit(maskAt(I))) {
      if (count < kMaxRepetitions) count = count * 10 + (maskAt(I) - '0');
      ++I;
    }
    if (count > kMaxRepetitions) count = kMaxRepetitions;
    if (I > termCh) return picSyntax;
    const int k = I;
    const int newTermCh = ToGroupEnd(I, termCh);
    int r = picComplete;
    if (count > 0) {
      for (int n = 0; n < count; ++n) {
        I = k;
        const int before = J;
        r = Process(newTermCh);
        if (!isCompleteLike(r)) {
          // Text that ran out before an optional item is complete; before any other, incomplete.
          if (r == picEmpty) return maskAt(I) == '[' ? picComplete : picIncomplete;
          return r;
        }
        // An iteration that took nothing leaves the same text to the next, which would answer the
        // same: the rest of the count cannot change the result, and nested counts would multiply.
        if (J == before) break;
      }
    } else {
      int before;
      do {
        I = k;
        before = J;
        r = Process(newTermCh);
      } while (isCompleteLike(r) && J > before);
      if (r == picEmpty || r == picError) r = picAmbiguous;
    }
    I = newTermCh;
    return r;
  }

  int Group(int termCh) {
    const int newTermCh = ToGroupEnd(I, termCh);
    ++I;
    const int r = Process(newTermCh - 1);
    if (!isIncompleteLike(r)) I = newTermCh;
    return r;
  }

  // The position after the item at p: a character, an escaped literal, a group or a repetition.
  int ToGroupEnd(int p, int termCh) const {
    int brackets = 0, braces = 0;
    do {
      ++steps_;
      if (p >= termCh) return p;
      switch (maskAt(p)) {
        case '[': ++brackets; break;
        case ']': --brackets; break;
        case '{': ++braces; break;
        case '}': --braces; break;
        case ';': ++p; break;
        case '*':
          ++p;
          while (isDigit(maskAt(p))) ++p;
          p = ToGroupEnd(p, termCh);
          continue;
      }
      ++p;
    } while (brackets != 0 || braces != 0);
    return p;
  }

  // Moves I to the next alternative of the section; false when there is none.
  bool SkipToComma(int termCh) {
    do {
      I = ToGroupEnd(I, termCh);
    } while (I < termCh && maskAt(I) != ',');
    if (I < termCh && maskAt(I) == ',') ++I;
    return I < termCh;
  }

  // The text ran out at I: complete (ambiguous) when the rest of the section may stay empty.
  int CheckComplete(int r, int termCh) const {
    if (!isIncompleteLike(r)) return r;
    return SkipOptionalParts(I, termCh) >= termCh ? picAmbiguous : r;
  }

  // Walks from p over parts that may stay empty; answers where the walk stopped (termCh when
  // everything up to it may stay empty).
  int SkipOptionalParts(int p, int termCh) const {
    while (p < termCh) {
      ++steps_;
      const char c = maskAt(p);
      if (c == '[') {
        p = ToGroupEnd(p, termCh);
      } else if (c == '*' && !isDigit(maskAt(p + 1))) {
        p = ToGroupEnd(p, termCh);
      } else if (c == '*' && isDigit(maskAt(p + 1)) && maskAt(p + 2) == '[' && p + 2 < termCh) {
        p = ToGroupEnd(p, termCh);
      } else if (c == ',') {
        p = EnclosingGroupEnd(p + 1, termCh);
      } else if (c == '{' && GroupMayStayEmpty(p, termCh)) {
        p = ToGroupEnd(p, termCh);
      } else {
        return p;
      }
    }
    return termCh;
  }

  // From inside a { } group, the position after its closing brace.
  int EnclosingGroupEnd(int p, int termCh) const {
    int braces = 1;
    while (p < termCh && braces > 0) {
      ++steps_;
      switch (maskAt(p)) {
        case '{': ++braces; break;
        case '}': --braces; break;
        case ';': ++p; break;
      }
      ++p;
    }
    return p;
  }

  // Whether one alternative of the { } group at p consists only of parts that may stay empty.
  bool GroupMayStayEmpty(int p, int termCh) const {
    const int end = ToGroupEnd(p, termCh);
    const int close = end - 1;  // the closing brace
    int start = p + 1;
    int q = start;
    while (q < close) {
      ++steps_;
      if (maskAt(q) == ',') {
        if (SkipOptionalParts(start, q) >= q) return true;
        start = ++q;
      } else {
        q = ToGroupEnd(q, close);
      }
    }
    return SkipOptionalParts(start, close) >= close;
  }

  const AnsiString& mask_;
  AnsiString& text_;
  std::uint64_t& steps_;
  bool blankUsed_ = false;  // a blank typed last has matched a literal in this section
};

TdcPictureValidator::TdcPictureValidator(const AnsiString& Mask, bool AutoFill) : mask_(Mask) {
  if (AutoFill) options_ |= optAutoFill;
  AnsiString empty;
  if (Picture(empty, false) != picEmpty) status_ = 1;
}

bool TdcPictureValidator::IsValidInput(AnsiString& Text, bool SuppressFill) {
  if (mask_.empty()) return true;
  return Picture(Text, (options_ & optAutoFill) && !SuppressFill) != picError;
}

bool TdcPictureValidator::IsValid(const AnsiString& Text) {
  if (mask_.empty()) return true;
  AnsiString copy = Text;
  const PictureResult r = Picture(copy, false);
  return r == picComplete || r == picEmpty;
}

bool TdcPictureValidator::SyntaxCheck() const {
  const int length = static_cast<int>(mask_.size());
  if (length == 0 || length > kMaxPictureLength) return false;
  if (mask_.back() == ';') return false;
  if (mask_.back() == '*' && (length < 2 || mask_[length - 2] != ';')) return false;
  int brackets = 0, braces = 0;
  for (int p = 0; p < length; ++p) {
    switch (mask_[p]) {
      case '[': ++brackets; break;
      case ']': --brackets; break;
      case '{': ++braces; break;
      case '}': --braces; break;
      case ';': ++p; break;
    }
  }
  return brackets == 0 && braces == 0;
}

// One match of Text: characters left over cannot match, and when filling, an incomplete text gets
// the literals that follow where the match stopped.
int TdcPictureValidator::Match(AnsiString& Text, bool AutoFill) {
  const int end = static_cast<int>(mask_.size()) + 1;
  Matcher m(mask_, Text, steps_);
  int r = m.Process(end);
  if (r != picError && r != picSyntax && m.J <= static_cast<int>(Text.size())) r = picError;

  if (r == picIncomplete && AutoFill) {
    bool filled = false;
    while (m.I < end && !isSpecial(mask_[m.I - 1])) {
      if (mask_[m.I - 1] == ';') ++m.I;
      Text += mask_[m.I - 1];
      ++m.I;
      filled = true;
    }
    if (filled) {
      m.I = 1;
      m.J = 1;
      r = m.Process(end);
    }
  }
  return r;
}

// The literals a mask opens with stand before any character of the text, so filling them in
// cannot wait for a group to end: a text that begins with the first of them, or with none, gets
// the rest put before its first other character ("5" under "(###) ###-####" reads "(5").
AnsiString TdcPictureValidator::WithLeadingLiterals(const AnsiString& Text) const {
  AnsiString leading;
  for (std::size_t p = 0; p < mask_.size() && !isSpecial(mask_[p]); ++p) {
    if (mask_[p] == ';') ++p;
    leading += mask_[p];
  }
  std::size_t typed = 0;
  while (typed < leading.size() && typed < Text.size() &&
         qn::ansiUpperChar(leading[typed]) == qn::ansiUpperChar(Text[typed]))
    ++typed;
  if (typed == leading.size()) return Text;
  return Text.substr(0, typed) + leading.substr(typed) + Text.substr(typed);
}

PictureResult TdcPictureValidator::Picture(AnsiString& Text, bool AutoFill) {
  if (!SyntaxCheck()) return picSyntax;
  if (Text.empty()) return picEmpty;
  if (static_cast<int>(Text.size()) > kMaxPictureLength) return picError;

  steps_ = 0;
  int r = Match(Text, AutoFill);
  if (r == picError && AutoFill) {
    AnsiString filled = WithLeadingLiterals(Text);
    if (filled.size() != Text.size() && static_cast<int>(filled.size()) <= kMaxPictureLength) {
      const int retried = Match(filled, AutoFill);
      if (retried != picError) {
        Text = filled;
        r = retried;
      }
    }
  }

  if (r == picAmbiguous) return picComplete;
  if (r == picIncompleteNoFill) return picIncomplete;
  return static_cast<PictureResult>(r);
}
