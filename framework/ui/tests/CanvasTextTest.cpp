#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

class CanvasTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    bitmap.SetSize(200, 80);
    clear();
  }
  void clear() {
    canvas().Brush = {clWhite, BrushStyle::solid};
    canvas().fillRect(Rect(0, 0, 200, 80));
  }
  Canvas& canvas() { return bitmap.canvas(); }
  // Pixels that are not white inside r, and outside it.
  int paintedInside(const TRect& r) {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) count += canvas().pixel(x, y) != clWhite;
    return count;
  }
  int paintedOutside(const TRect& r) { return paintedInside(Rect(0, 0, 200, 80)) - paintedInside(r); }

  BitmapImage bitmap;
};

TEST_F(CanvasTextTest, WordBreakGivesTwoLinesAndCalculateRectMeasuresWithoutPainting) {
  const AnsiString text = "Matter Number Client";
  const int width = canvas().textWidth("Matter Number") + 2;
  TRect measured = Rect(10, 10, 10 + width, 10);
  const DrawnText calculated = canvas().drawText(measured, text, textWordBreak | textCalculateRect);
  EXPECT_EQ(calculated.height, 2 * canvas().fontHeight());
  EXPECT_EQ(measured.Bottom - measured.Top, calculated.height);
  EXPECT_EQ(calculated.shown, "Matter Number\r\nClient");
  EXPECT_EQ(paintedInside(Rect(0, 0, 200, 80)), 0);

  TRect box = Rect(10, 10, 10 + width, 70);
  const DrawnText drawn = canvas().drawText(box, text, textWordBreak);
  EXPECT_EQ(drawn.height, calculated.height);
  const int line = canvas().fontHeight();
  EXPECT_GT(paintedInside(Rect(10, 10, 10 + width, 10 + line)), 0);
  EXPECT_GT(paintedInside(Rect(10, 10 + line, 10 + width, 10 + 2 * line)), 0);
  EXPECT_EQ(paintedOutside(Rect(10, 10, 10 + width, 10 + 2 * line)), 0);

  // On one line the calculated box is as wide as the text.
  TRect single = Rect(0, 0, 0, 0);
  canvas().drawText(single, text, textSingleLine | textCalculateRect);
  EXPECT_EQ(single.Width(), canvas().textWidth(text));
  EXPECT_EQ(single.Height(), line);
}

TEST_F(CanvasTextTest, EndEllipsisCutsByMeasuringAndEndsInThreeFullStops) {
  const AnsiString text = "Docket calendar entries for the week";
  const int width = canvas().textWidth("Docket calen");
  TRect box = Rect(0, 0, width, 20);
  const DrawnText shown = canvas().drawText(box, text, textSingleLine | textEndEllipsis | textCalculateRect);
  ASSERT_GE(shown.shown.size(), 4u);
  EXPECT_EQ(shown.shown.substr(shown.shown.size() - 3), "...");
  EXPECT_EQ(shown.shown.find("\xE2\x80\xA6"), AnsiString::npos);
  EXPECT_EQ(text.rfind(shown.shown.substr(0, shown.shown.size() - 3), 0), 0u);
  EXPECT_LE(canvas().textWidth(shown.shown), width);
  // One more letter would not have fitted.
  const AnsiString kept = shown.shown.substr(0, shown.shown.size() - 3);
  EXPECT_GT(canvas().textWidth(text.substr(0, kept.size() + 1) + "..."), width);
  // Text that fits is left whole.
  TRect wide = Rect(0, 0, 200, 20);
  EXPECT_EQ(canvas().drawText(wide, "Docket", textSingleLine | textEndEllipsis | textCalculateRect).shown, "Docket");
}

TEST_F(CanvasTextTest, AcceleratorMarksUnderlineUnlessNoPrefix) {
  struct Case {
    AnsiString text;
    unsigned format;
    AnsiString shown;
  } cases[] = {{"&Save", textSingleLine, "Save"},
               {"&Save", textSingleLine | textNoPrefix, "&Save"},
               {"Fees && Costs", textSingleLine, "Fees & Costs"},
               {"Fees && Costs", textSingleLine | textNoPrefix, "Fees && Costs"},
               {"Tab\there", textSingleLine | textExpandTabs, "Tab     here"}};
  for (const Case& c : cases) {
    TRect box = Rect(0, 0, 200, 20);
    EXPECT_EQ(canvas().drawText(box, c.text, c.format | textCalculateRect).shown, c.shown) << c.text;
  }
  // The underline lies below the baseline, under the marked letter only.
  const int baseline = canvas().fontAscent();
  const int below = canvas().fontHeight();
  const int letter = canvas().textWidth("S");
  TRect box = Rect(0, 0, 200, 20);
  canvas().drawText(box, "&Save", textSingleLine);
  const int underSave = paintedInside(Rect(0, baseline + 1, letter, below));
  clear();
  canvas().drawText(box, "S&ave", textSingleLine);
  EXPECT_GT(underSave, paintedInside(Rect(0, baseline + 1, letter, below)));
  clear();
  canvas().drawText(box, "Save", textSingleLine);
  EXPECT_GT(underSave, paintedInside(Rect(0, baseline + 1, letter, below)));
}

TEST_F(CanvasTextTest, Windows1252CharactersAreOneCharacterEach) {
  const QFontMetrics metrics(canvas().deviceFont());
  EXPECT_EQ(canvas().textWidth("\xE9"), metrics.horizontalAdvance(QString(QChar(0xE9))));
  EXPECT_EQ(canvas().textWidth("\x80"), metrics.horizontalAdvance(QString(QChar(0x20AC))));
  TRect box = Rect(0, 0, 200, 20);
  EXPECT_EQ(canvas().drawText(box, "caf\xE9", textSingleLine | textCalculateRect).shown, "caf\xE9");
  EXPECT_EQ(box.Width(), canvas().textWidth("caf\xE9"));
  canvas().drawText(5, 5, "\xE9");
  EXPECT_GT(paintedInside(Rect(5, 5, 5 + canvas().textWidth("\xE9"), 5 + canvas().fontHeight())), 0);
}

TEST_F(CanvasTextTest, ClippedTextPaintsNothingOutsideItsRectangle) {
  const TRect clip = Rect(20, 10, 50, 20);
  canvas().Brush.Style = BrushStyle::clear;
  canvas().drawTextClipped(clip, 10, 8, "Wide text that runs far past the clip");
  EXPECT_GT(paintedInside(clip), 0);
  EXPECT_EQ(paintedOutside(clip), 0);

  clear();
  TRect box = Rect(20, 30, 50, 40);
  canvas().drawText(box, "Wide text that runs far past the box", textSingleLine);
  EXPECT_GT(paintedInside(box), 0);
  EXPECT_EQ(paintedOutside(box), 0);
}

TEST_F(CanvasTextTest, AlignmentPlacesTheLine) {
  const int width = canvas().textWidth("Case");
  struct Case {
    unsigned format;
    int left;
  } cases[] = {{textLeft, 0}, {textRight, 100 - width}, {textCentre, (100 - width) / 2}};
  for (const Case& c : cases) {
    clear();
    TRect box = Rect(0, 0, 100, 20);
    canvas().drawText(box, "Case", textSingleLine | c.format);
    EXPECT_EQ(paintedInside(Rect(0, 0, std::max(0, c.left - 1), 20)), 0) << c.format;
    EXPECT_EQ(paintedInside(Rect(std::min(100, c.left + width + 2), 0, 100, 20)), 0) << c.format;
    EXPECT_GT(paintedInside(Rect(c.left, 0, c.left + width, 20)), 0) << c.format;
  }
  clear();
  TRect box = Rect(0, 0, 100, 60);
  canvas().drawText(box, "Case", textSingleLine | textVerticalCentre);
  const int top = (60 - canvas().fontHeight()) / 2;
  EXPECT_EQ(paintedInside(Rect(0, 0, 100, top)), 0);
  EXPECT_EQ(paintedInside(Rect(0, top + canvas().fontHeight(), 100, 60)), 0);
}

TEST_F(CanvasTextTest, VerticallyCentredTextInARectangleBelowTheTopPaintsOnlyItsLineInsideIt) {
  // The opaque line shows exactly where the text is put: its rows are the brush's.
  const TRect boxes[] = {Rect(10, 30, 110, 70), Rect(40, 45, 190, 75), Rect(0, 1, 200, 80)};
  for (const TRect& placed : boxes) {
    SCOPED_TRACE(std::to_string(placed.Left) + "," + std::to_string(placed.Top));
    clear();
    canvas().Brush = {clNavy, BrushStyle::solid};
    TRect box = placed;
    canvas().drawText(box, "Case", textSingleLine | textVerticalCentre);
    EXPECT_EQ(paintedOutside(placed), 0);
    const int top = placed.Top + (placed.Height() - canvas().fontHeight()) / 2;
    const int bottom = top + canvas().fontHeight();
    EXPECT_EQ(canvas().pixel(placed.Left, top), clNavy);
    EXPECT_EQ(canvas().pixel(placed.Left, bottom - 1), clNavy);
    EXPECT_EQ(paintedInside(Rect(placed.Left, placed.Top, placed.Right, top)), 0) << "above the line";
    EXPECT_EQ(paintedInside(Rect(placed.Left, bottom, placed.Right, placed.Bottom)), 0) << "below the line";
  }
}

TEST_F(CanvasTextTest, OpaqueTextFillsItsLineWithTheBrushAndTransparentTextDoesNot) {
  canvas().Brush.Color = clNavy;
  TRect box = Rect(0, 0, 100, 20);
  canvas().drawText(box, "Case", textSingleLine);
  EXPECT_EQ(canvas().pixel(1, 1), clNavy);
  clear();
  canvas().Brush.Color = clNavy;
  canvas().drawText(box, "Case", textSingleLine | textTransparent);
  EXPECT_EQ(canvas().pixel(1, 1), clWhite);
}

}  // namespace

// The canvas keeps what it resolved for its font; every change of the font must reach the next text.
TEST(CanvasFontChangeTest, TextAfterEachFontChangeLooksAsOnAFreshCanvasWithThatFont) {
  qn::ui::testing::qtApplication();
  const AnsiString text = "Matter 1042 Wg";
  const std::vector<std::pair<const char*, std::function<void(TFont&)>>> changes{
      {"height", [](TFont& f) { f.SetHeight(-17); }},
      {"name", [](TFont& f) { f.SetName("Courier New"); }},
      {"bold", [](TFont& f) { f.SetStyle(TFontStyles{fsBold}); }},
      {"size in points", [](TFont& f) { f.SetSize(11); }},
      {"back to plain", [](TFont& f) { f.SetStyle(TFontStyles{}); }},
      {"unknown family", [](TFont& f) { f.SetName("No Such Family"); }},
      {"fixed pitch", [](TFont& f) { f.SetPitch(fpFixed); }},
  };
  auto drawOn = [&](BitmapImage& bitmap) {
    bitmap.canvas().Brush = {clWhite, BrushStyle::solid};
    bitmap.canvas().fillRect(Rect(0, 0, 300, 40));
    bitmap.canvas().drawText(4, 4, text);
    return bitmap.image().copy();
  };
  BitmapImage kept;
  kept.SetSize(300, 40);
  QImage before = drawOn(kept);
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    change(*kept.canvas().Font());
    BitmapImage fresh;
    fresh.SetSize(300, 40);
    fresh.canvas().SetFont(kept.canvas().Font());
    const QImage drawn = drawOn(kept);
    EXPECT_NE(drawn, before) << "the change shows in the text";
    EXPECT_EQ(drawn, drawOn(fresh));
    EXPECT_EQ(kept.canvas().textWidth(text), fresh.canvas().textWidth(text));
    EXPECT_EQ(kept.canvas().fontHeight(), fresh.canvas().fontHeight());
    before = drawn;
  }
}
