// What a navigator button looks like, read back from the navigator's pixels.
#include <gtest/gtest.h>

#include <optional>

#include "datagrid/tests/NavigatorFixture.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/ImageStrip.h"

namespace navigatortest {
namespace {

class DBNavigatorPaintTest : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    table->Open();
  }

  // Where, inside the button, the bitmap's picture (its pixels other than the mask colour) is
  // shown whole; nothing when it is not.
  std::optional<QPoint> pictureAt(TdcNavButtonStyle style, const char* bitmapName) const {
    BitmapImage bitmap;
    bitmap.LoadFromResourceName(bitmapName);
    const QRgb mask = bitmap.image().pixel(0, bitmap.Height() - 1) & 0xFFFFFF;
    const QImage shown = window()->grab().toImage();
    const TdcNavButton* b = button(style);
    for (int dy = 0; dy + bitmap.Height() <= b->Height(); ++dy) {
      for (int dx = 0; dx + bitmap.Width() <= b->Width(); ++dx) {
        bool all = true;
        for (int y = 0; all && y < bitmap.Height(); ++y)
          for (int x = 0; all && x < bitmap.Width(); ++x) {
            const QRgb pixel = bitmap.image().pixel(x, y) & 0xFFFFFF;
            if (pixel != mask) all = (shown.pixel(b->Left() + dx + x, b->Top() + dy + y) & 0xFFFFFF) == pixel;
          }
        if (all) return QPoint(dx, dy);
      }
    }
    return std::nullopt;
  }
  TColor pixelOf(const TdcNavButton* b, int x, int y) const {
    return qn::ui::testing::windowPixel(window(), b->Left() + x, b->Top() + y);
  }
};

TEST_F(DBNavigatorPaintTest, AButtonShowsItsStylesEnabledOrDisabledPicture) {
  ASSERT_FALSE(button(nbsFirst)->Enabled());
  EXPECT_TRUE(pictureAt(nbsFirst, "DC_DBN_FIRST_DISABLED"));
  EXPECT_FALSE(pictureAt(nbsFirst, "DC_DBN_FIRST_ENABLED"));
  ASSERT_TRUE(button(nbsNext)->Enabled());
  EXPECT_TRUE(pictureAt(nbsNext, "DC_DBN_NEXT_ENABLED"));
  EXPECT_FALSE(pictureAt(nbsNext, "DC_DBN_NEXT_DISABLED"));
  table->Last();
  EXPECT_TRUE(pictureAt(nbsNext, "DC_DBN_NEXT_DISABLED"));
  EXPECT_TRUE(pictureAt(nbsFirst, "DC_DBN_FIRST_ENABLED"));
}

TEST_F(DBNavigatorPaintTest, APressedButtonsPictureMovesDownAndRightByItsPressOffset) {
  for (bool flat : {true, false}) {
    SCOPED_TRACE(flat ? "flat" : "raised");
    navigator->SetFlat(flat);
    const std::optional<QPoint> up = pictureAt(nbsNext, "DC_DBN_NEXT_ENABLED");
    ASSERT_TRUE(up);
    press(nbsNext);
    const std::optional<QPoint> down = pictureAt(nbsNext, "DC_DBN_NEXT_ENABLED");
    qn::ui::testing::moveHeldTo(window(), QPoint(navigator->Width() + 5, 5));
    qn::ui::testing::releaseAt(window(), QPoint(navigator->Width() + 5, 5));
    ASSERT_TRUE(down);
    const int offset = flat ? 1 : 2;
    EXPECT_EQ(*down - *up, QPoint(offset, offset));
    EXPECT_EQ(pictureAt(nbsNext, "DC_DBN_NEXT_ENABLED"), up) << "back up after the release";
  }
}

// An image list placed beside the navigator may go first: the navigator and the buttons drawing
// from it forget it, and painting and freeing them afterwards touch nothing of it.
TEST_F(DBNavigatorPaintTest, AnImageListFreedBeforeTheNavigatorIsForgotten) {
  auto* images = new ImageStrip(18, 18, form);
  BitmapImage picture;
  picture.LoadFromResourceName("DC_DBN_FIRST_ENABLED");
  images->addMasked(picture, picture.TransparentColor());
  navigator->SetImageList(images);
  button(nbsNext)->SetImageIndex(0);
  navigator->Repaint();
  ASSERT_TRUE(pictureAt(nbsNext, "DC_DBN_FIRST_ENABLED")) << "the button draws from the list";

  delete images;
  EXPECT_EQ(navigator->ImageList(), nullptr);
  navigator->Repaint();
  EXPECT_FALSE(pictureAt(nbsNext, "DC_DBN_FIRST_ENABLED"));
  delete navigator;
  navigator = nullptr;
}

TEST_F(DBNavigatorPaintTest, AFlatButtonShowsAnEdgeOnlyWhileTheMouseIsOverIt) {
  const TdcNavButton* next = button(nbsNext);
  const TColor face = pixelOf(next, 1, next->Height() - 1);
  EXPECT_EQ(pixelOf(next, next->Width() - 1, next->Height() - 1), face);
  qn::ui::testing::sendMouse(window(), QEvent::MouseMove, centreOf(next), Qt::NoButton, Qt::NoButton);
  EXPECT_NE(pixelOf(next, next->Width() - 1, next->Height() - 1), face);
  qn::ui::testing::sendMouse(window(), QEvent::MouseMove, centreOf(button(nbsInsert)), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(pixelOf(next, next->Width() - 1, next->Height() - 1), face);

  const TdcNavButton* first = button(nbsFirst);
  ASSERT_FALSE(first->Enabled());
  qn::ui::testing::sendMouse(window(), QEvent::MouseMove, centreOf(first), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(pixelOf(first, first->Width() - 1, first->Height() - 1), face) << "a disabled flat button shows no edge";

  navigator->SetFlat(false);
  EXPECT_NE(pixelOf(next, next->Width() - 1, next->Height() - 1), face) << "a raised button always shows its edge";
}

}  // namespace
}  // namespace navigatortest
