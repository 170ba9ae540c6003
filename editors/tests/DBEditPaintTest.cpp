// What the data-aware edit paints itself: right-aligned text before the spin button, password
// characters, the disabled colour, and the field's text when painted as a copy into a cell.
#include <QImage>

#include "editors/DBEdit.h"
#include "editors/DBSpinEdit.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/Font.h"
#include "framework/ui/PaintCopy.h"

namespace editorstest {
namespace {

class DBEditPaintTest : public EditorsTest {
 protected:
  template <class Edit>
  Edit* bound(const char* field, int top = 10) {
    auto* edit = place<Edit>(top, 160, 24);
    edit->SetDataSource(&source);
    edit->SetDataField(field);
    return edit;
  }
  static QImage shot(TWinControl* control) {
    return control->Window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // The image of the control painted as a copy, as a grid cell shows it.
  static QImage copyOf(TControl* control) {
    BitmapImage bitmap(control->Width(), control->Height());
    qn::ui::paintCopyTo(*control, bitmap.canvas(), {0, 0, control->Width(), control->Height()});
    QImage image(control->Width(), control->Height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qn::ui::qtColor(bitmap.canvas().pixel(x, y)).rgb());
    return image;
  }
  static bool dark(QRgb p) { return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100; }
  // The rightmost column with a dark pixel left of limit, inside the frame.
  static int rightmostDark(const QImage& image, int limit) {
    for (int x = limit - 1; x >= 3; --x)
      for (int y = 3; y < image.height() - 3; ++y)
        if (dark(image.pixel(x, y))) return x;
    return -1;
  }
};

TEST_F(DBEditPaintTest, AnUnfocusedRightAlignedNumberEndsAtTheMarginBeforeTheSpinButton) {
  auto* spin = bound<TdcDBSpinEdit>("Amount");
  ASSERT_TRUE(show());
  data.Refresh();
  ASSERT_EQ(spin->Text(), "12.5");
  ASSERT_TRUE(spin->GetShowButton());
  const int buttonLeft = spin->GetButtonLeft() + 1;
  const QImage image = shot(spin);
  const int margin = 3;  // a bordered edit's
  const int textEnd = spin->GetButtonLeft() - 1 - margin;
  const int last = rightmostDark(image, buttonLeft);
  EXPECT_LE(last, textEnd);
  EXPECT_GE(last, textEnd - 3) << "right-aligned against the button";
}

TEST_F(DBEditPaintTest, APasswordCharacterPaintsOnlyThatCharacter) {
  auto* secret = bound<TdcDBEdit>("Name");
  secret->SetPasswordChar('*');
  data.Edit();
  data.FieldByName("Name")->SetAsString("*****");
  data.Post();
  secret->SetPasswordChar(0);
  const QImage plainStars = copyOf(secret);
  data.Edit();
  data.FieldByName("Name")->SetAsString("Adams");
  data.Post();
  const QImage unmasked = copyOf(secret);
  secret->SetPasswordChar('*');
  const QImage masked = copyOf(secret);
  EXPECT_EQ(masked, plainStars);
  EXPECT_NE(masked, unmasked);
}

TEST_F(DBEditPaintTest, ADisabledEditWritesInTheInactiveCaptionColour) {
  auto* amount = bound<TdcDBEdit>("Amount");
  ASSERT_TRUE(show());
  data.Refresh();
  const QImage black = shot(amount);
  amount->Font()->SetColor(clInactiveCaption);
  const QImage inactive = shot(amount);
  amount->Font()->SetColor(clWindowText);
  amount->SetEnabled(false);
  const QImage disabled = shot(amount);
  EXPECT_EQ(disabled, inactive);
  EXPECT_NE(disabled, black);
  EXPECT_GT(rightmostDark(black, black.width()), 0) << "the enabled text is dark";
}

TEST_F(DBEditPaintTest, ACopyOfABoundEditPaintsTheFieldsDisplayText) {
  auto* name = bound<TdcDBEdit>("Name");
  const QImage adams = copyOf(name);
  name->SetText("Zebra");
  EXPECT_EQ(copyOf(name), adams) << "the field's text, not the edit's";
  data.Edit();
  data.FieldByName("Name")->SetAsString("Zebra");
  data.Post();
  EXPECT_NE(copyOf(name), adams);
}

}  // namespace
}  // namespace editorstest
