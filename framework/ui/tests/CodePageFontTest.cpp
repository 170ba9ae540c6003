#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 90;

struct FontCase {
  const char* what;
  std::function<void(TFont&)> set;
};

const std::vector<FontCase>& fontCases() {
  static const std::vector<FontCase> cases{
      {"sans 11 px", [](TFont& f) { f.SetHeight(-11); }},
      {"sans 16 px bold", [](TFont& f) { f.SetHeight(-16); f.SetStyle(TFontStyles{fsBold}); }},
      {"sans 13 px italic", [](TFont& f) { f.SetHeight(-13); f.SetStyle(TFontStyles{fsItalic}); }},
      {"serif 20 px", [](TFont& f) { f.SetName("Times New Roman"); f.SetHeight(-20); }},
      {"mono 13 px", [](TFont& f) { f.SetName("Courier New"); f.SetHeight(-13); }},
      {"sans 12 px underlined", [](TFont& f) { f.SetHeight(-12); f.SetStyle(TFontStyles{fsUnderline}); }},
      {"sans 9 pt struck out", [](TFont& f) { f.SetSize(9); f.SetStyle(TFontStyles{fsStrikeOut}); }},
      {"sans 67 px, 8 points on a 600-dpi page", [](TFont& f) { f.SetHeight(-67); }},
  };
  return cases;
}

// Pairs a kerning font moves together, ligature letters, the code page's letters above Latin-1
// and a control character, which the font has no glyph for.
const std::vector<AnsiString> kTexts{"Client number 12345", "AVAWAY To Yo", "Office ffi fl", "caf\xE9 \x80 12 \x93quoted\x94 \x85",
                                     "a\x01z", "Wg"};

QImage drawnByCanvas(const FontCase& font, const AnsiString& text) {
  BitmapImage bitmap;
  bitmap.SetSize(kWidth, kHeight);
  Canvas& canvas = bitmap.canvas();
  font.set(*canvas.Font());
  canvas.Brush = {clWhite, BrushStyle::solid};
  canvas.fillRect(Rect(0, 0, kWidth, kHeight));
  canvas.Brush.Style = BrushStyle::clear;
  canvas.drawText(4, 4, text);
  return bitmap.image().convertToFormat(QImage::Format_RGB32);
}

// The same text as Qt lays out and draws it with the canvas's own font.
QImage drawnByQt(const QFont& font, const AnsiString& text) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QPoint(4, 4 + QFontMetrics(font).ascent()), QString::fromStdString(qn::ansiToUtf8(text)));
  return image;
}

TEST(CodePageFontTest, TextLooksAndMeasuresAsQtLaysItOutWithTheCanvasFont) {
  qn::ui::testing::qtApplication();
  for (const FontCase& font : fontCases()) {
    BitmapImage probe;
    probe.SetSize(4, 4);
    font.set(*probe.canvas().Font());
    const QFont device = probe.canvas().deviceFont();
    const QFontMetrics metrics(device);
    for (const AnsiString& text : kTexts) {
      SCOPED_TRACE(std::string(font.what) + ": " + qn::ansiToUtf8(text));
      EXPECT_EQ(drawnByCanvas(font, text), drawnByQt(device, text));
      EXPECT_EQ(probe.canvas().textWidth(text), metrics.horizontalAdvance(QString::fromStdString(qn::ansiToUtf8(text))));
    }
  }
}

// Without kerning a text is as wide as its letters in any order, on the canvas and for every
// widget given the same font.
TEST(CodePageFontTest, LettersKeepTheirOwnAdvanceBesideAnyOther) {
  qn::ui::testing::qtApplication();
  for (const char* family : {"MS Sans Serif", "Times New Roman"}) {
    BitmapImage bitmap;
    bitmap.SetSize(4, 4);
    Canvas& canvas = bitmap.canvas();
    canvas.Font()->SetName(family);
    canvas.Font()->SetHeight(-24);
    for (const std::string pair : {"To", "Yo", "LT", "Te"}) {
      SCOPED_TRACE(std::string(family) + " " + pair);
      const std::string reversed(pair.rbegin(), pair.rend());
      EXPECT_EQ(canvas.textWidth(pair + pair + pair), canvas.textWidth(reversed + reversed + reversed));
      const QFontMetrics qt(canvas.deviceFont());
      EXPECT_EQ(qt.horizontalAdvance(QString::fromStdString(pair + pair + pair)),
                qt.horizontalAdvance(QString::fromStdString(reversed + reversed + reversed)));
    }
  }
}

}  // namespace
