#pragma once
// How formatted text falls into lines before it is drawn or measured: accelerator marks, tab
// stops, line breaks, word breaking and the end ellipsis, all measured with the font in use.
#include <QString>
#include <vector>

// Flags of Canvas::drawText, added up; their values are the ones the program's code writes as
// numbers (0x840: expand tabs and no accelerator marks, left-justified).
enum TextFormat : unsigned {
  textLeft = 0x0,
  textCentre = 0x1,
  textRight = 0x2,
  textVerticalCentre = 0x4,
  textBottom = 0x8,
  textWordBreak = 0x10,
  textSingleLine = 0x20,
  textExpandTabs = 0x40,
  textNoClip = 0x100,
  textCalculateRect = 0x400,
  textNoPrefix = 0x800,
  textEndEllipsis = 0x8000,
  // Leaves the background as it is instead of filling each line's box with the brush.
  textTransparent = 0x01000000,
};

namespace qn::ui {

class CodePageFont;

struct TextLine {
  QString text;         // as shown
  int accelerator = -1;  // index of the underlined letter in text, or -1
  int width = 0;        // in pixels
};

// The lines of text in a box of the given width. Without textNoPrefix '&' underlines the next
// letter and "&&" stands for one '&'; the ellipsis is three full stops, cut to fit by measuring.
std::vector<TextLine> layoutText(const QString& text, unsigned format, int width, const CodePageFont& font);

}  // namespace qn::ui
