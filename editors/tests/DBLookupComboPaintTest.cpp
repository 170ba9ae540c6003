// What the lookup combo paints itself: a text that cannot be typed, highlighted while focused,
// and, as a copy in a grid cell, the looked-up name of the stored code.
#include <QImage>

#include "editors/tests/LookupComboFixture.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/PaintCopy.h"

namespace editorstest {
namespace {

class DBLookupComboPaintTest : public LookupComboTest {
 protected:
  static QImage shot(TWinControl* control) {
    return control->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  static QImage copyOf(TControl* control) {
    BitmapImage bitmap(control->Width(), control->Height());
    qn::ui::paintCopyTo(*control, bitmap.canvas(), {0, 0, control->Width(), control->Height()});
    QImage image(control->Width(), control->Height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qn::ui::qtColor(bitmap.canvas().pixel(x, y)).rgb());
    return image;
  }
  static bool dark(QRgb p) { return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100; }
  static int rightmostDark(const QImage& image) {
    for (int x = image.width() - 30; x >= 3; --x)
      for (int y = 3; y < image.height() - 3; ++y)
        if (dark(image.pixel(x, y))) return x;
    return -1;
  }
  static int pixelsOf(const QImage& image, TColor colour) {
    const QRgb wanted = qn::ui::qtColor(colour).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == wanted;
    return count;
  }
};

TEST_F(DBLookupComboPaintTest, ACopyInAGridCellPaintsTheLookedUpNameOfTheStoredCode) {
  auto* name = combo("Name", "Client Code", 10);
  auto* code = combo("", "Client Code", 40);
  ASSERT_TRUE(show());
  name->SetText("");
  const int nameEnd = rightmostDark(copyOf(name));
  const int codeEnd = rightmostDark(copyOf(code));
  ASSERT_GT(codeEnd, 0);
  EXPECT_GT(nameEnd, codeEnd + 20) << "\"Adams, Walter\" from the lookup table, not the text or the code";
}

TEST_F(DBLookupComboPaintTest, AFocusedDropDownListComboPaintsItsTextHighlighted) {
  auto* c = combo("Name", "Client Code");
  c->SetStyle(csDropDownList);
  ASSERT_TRUE(show());
  EXPECT_EQ(pixelsOf(shot(c), clHighlight), 0);
  c->SetFocus();
  EXPECT_GT(pixelsOf(shot(c), clHighlight), 100);
  c->SetStyle(csDropDown);
  c->Invalidate();
  EXPECT_EQ(pixelsOf(shot(c), clHighlight) > 100, false) << "a typing combo leaves it to the edit";
}

}  // namespace
}  // namespace editorstest
