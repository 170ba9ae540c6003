#include "framework/ui/TextLayout.h"

#include "framework/ui/CodePageFont.h"

namespace qn::ui {

namespace {

constexpr int tabColumns = 8;
const QString ellipsis = QStringLiteral("...");

// A stretch of the shown text with the position of its first character, so the accelerator's
// index follows the text through tab expansion and line breaking.
struct Piece {
  QString text;
  int start = 0;
  int acceleratorIn(int accelerator) const {
    return accelerator >= start && accelerator < start + text.size() ? accelerator - start : -1;
  }
};

QString expandTabs(const QString& text, int* accelerator) {
  QString out;
  int column = 0;
  const int marked = *accelerator;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (i == marked) *accelerator = static_cast<int>(out.size());
    if (c == '\t') {
      const int spaces = tabColumns - column % tabColumns;
      out += QString(spaces, ' ');
      column += spaces;
    } else {
      out += c;
      column = c == '\n' || c == '\r' ? 0 : column + 1;
    }
  }
  return out;
}

std::vector<Piece> paragraphs(const QString& text) {
  std::vector<Piece> out;
  int start = 0;
  for (int i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    out.push_back({text.mid(start, i - start), start});
    if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return out;
}

// Greedy breaking at blanks; a word wider than the box keeps a line of its own.
void breakWords(const Piece& paragraph, int width, const CodePageFont& font, std::vector<Piece>& lines) {
  const QString& text = paragraph.text;
  int lineStart = 0;
  while (true) {
    int lineEnd = lineStart;  // end of the last word that fits
    int scan = lineStart;
    while (scan < text.size()) {
      int wordEnd = scan;
      while (wordEnd < text.size() && text[wordEnd] == ' ') ++wordEnd;
      while (wordEnd < text.size() && text[wordEnd] != ' ') ++wordEnd;
      if (lineEnd > lineStart && font.width(text.mid(lineStart, wordEnd - lineStart)) > width) break;
      lineEnd = wordEnd;
      scan = wordEnd;
    }
    lines.push_back({text.mid(lineStart, lineEnd - lineStart), paragraph.start + lineStart});
    int next = lineEnd;
    while (next < text.size() && text[next] == ' ') ++next;  // blanks at a break are not shown
    if (next >= text.size()) return;
    lineStart = next;
  }
}

void addEllipsis(TextLine& line, int width, const CodePageFont& font) {
  if (line.width <= width) return;
  QString kept = line.text;
  while (!kept.isEmpty() && font.width(kept + ellipsis) > width) kept.chop(1);
  if (line.accelerator >= kept.size()) line.accelerator = -1;
  line.text = kept + ellipsis;
  line.width = font.width(line.text);
}

// The text without its accelerator marks, and the index of the marked letter (-1 for none).
QString withoutAcceleratorMarks(const QString& text, int* accelerator) {
  QString out;
  *accelerator = -1;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    if (i + 1 >= text.size()) break;  // a mark with nothing after it shows nothing
    ++i;
    if (text[i] != '&' && *accelerator < 0) *accelerator = static_cast<int>(out.size());
    out += text[i];
  }
  return out;
}

}  // namespace

std::vector<TextLine> layoutText(const QString& text, unsigned format, int width, const CodePageFont& font) {
  int accelerator = -1;
  QString shown = format & textNoPrefix ? text : withoutAcceleratorMarks(text, &accelerator);
  if (format & textExpandTabs) shown = expandTabs(shown, &accelerator);

  std::vector<Piece> pieces;
  if (format & textSingleLine) {
    QString line = shown;
    line.replace('\r', ' ').replace('\n', ' ');
    pieces.push_back({line, 0});
  } else {
    for (const Piece& paragraph : paragraphs(shown)) {
      if (format & textWordBreak) breakWords(paragraph, width, font, pieces);
      else pieces.push_back(paragraph);
    }
  }
  std::vector<TextLine> lines;
  for (const Piece& piece : pieces) {
    TextLine line{piece.text, piece.acceleratorIn(accelerator), font.width(piece.text)};
    if (format & textEndEllipsis) addEllipsis(line, width, font);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace qn::ui
