#pragma once
// A font as the canvas measures and draws it. Every character of the program's code page is one
// glyph of the font with its own advance (fonts reach Qt without kerning, as the platform the
// program was written for drew its text), so a text's width is the sum of its glyphs' advances
// and drawing places those glyphs in a row: the same pixels as Qt's own text drawing, without
// shaping the text once to measure it and again to draw it, which cost most of a grid's repaint.
// Text with a character the font has no glyph for (a control character, say) goes through Qt's
// text drawing, which finds another font for it.
#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/Font.h"

class QPainter;

namespace qn::ui {

class CodePageFont {
 public:
  explicit CodePageFont(const QFont& font);

  // What a font's glyphs depend on: fonts alike in these draw alike.
  struct Key {
    AnsiString name;
    TFontPitch pitch = fpDefault;
    TFontStyles style;
    int pixelSize = 0;
    static Key of(const TFont& font, int dotsPerInch);
    friend bool operator==(const Key&, const Key&) = default;
  };

  // One shared instance for each font and resolution, made on first use.
  static std::shared_ptr<const CodePageFont> of(const TFont& font, int dotsPerInch);

  const QFont& font() const { return font_; }
  const QFontMetrics& metrics() const { return metrics_; }

  int width(const QString& text) const;
  // Draws text with the left end of its baseline at origin, in the painter's pen. glyphRows draws
  // the glyphs directly; without it Qt lays the text out (a printer page keeps its text as text).
  void draw(QPainter& painter, QPoint origin, const QString& text, bool glyphRows) const;

 private:
  struct Glyph {
    quint32 index = 0;  // 0: the font has none
    qreal advance = 0;
  };
  // The glyph of c, or none for a character outside the code page.
  const Glyph* glyphOf(QChar c) const;

  QFont font_;
  QFontMetrics metrics_;
  QRawFont raw_;
  // Glyphs drawn in a row leave out the font's underline and strike-out lines.
  bool decorated_ = false;
  std::array<Glyph, 256> latin1_{};
  // The code page's characters beyond Latin-1 (the euro sign, typographic quotes and so on).
  std::vector<std::pair<char16_t, Glyph>> beyondLatin1_;
};

}  // namespace qn::ui
