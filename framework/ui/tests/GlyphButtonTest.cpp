#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "framework/ui/GlyphButton.h"
#include "framework/ui/HelpService.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KindGlyphs.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/tests/ButtonTestSupport.h"
#include "framework/ui/tests/FormTestSupport.h"

namespace qn::ui::testing {
namespace {

class GlyphButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    button = new GlyphButton(form);
    button->SetBounds(20, 20, 75, 25);
    button->SetParent(form);
  }
  void TearDown() override { delete form; }

  TForm* form;
  GlyphButton* button;
};

TEST_F(GlyphButtonTest, EachKindBringsItsCaptionResultAndTwoImages) {
  struct Row {
    GlyphButtonKind kind;
    const char* caption;
    TModalResult result;
  };
  for (const Row& row : {Row{gbkOK, "OK", mrOk}, Row{gbkCancel, "Cancel", mrCancel}, Row{gbkHelp, "&Help", mrNone},
                         Row{gbkClose, "&Close", mrNone}}) {
    SCOPED_TRACE(row.caption);
    button->SetModalResult(mrRetry);
    button->SetKind(row.kind);
    EXPECT_EQ(button->Caption(), row.caption);
    EXPECT_EQ(button->ModalResult(), row.result);
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Glyph()->Width(), 36);
    EXPECT_FALSE(button->Default());
    EXPECT_FALSE(button->Cancel());
  }
  button->SetCaption("&Save");
  button->SetKind(gbkCustom);
  EXPECT_EQ(button->Caption(), "&Save") << "custom keeps what the button has";
}

TEST(KindGlyphTest, EachPictureHasItsOwnImageAndAGreyedCopy) {
  qtApplication();
  std::vector<QImage> pictures;
  for (KindGlyph kind : {KindGlyph::ok, KindGlyph::cancel, KindGlyph::help, KindGlyph::close}) {
    BitmapImage bitmap;
    drawKindGlyph(kind, bitmap);
    ASSERT_EQ(bitmap.Width(), 36);
    ASSERT_EQ(bitmap.Height(), 18);
    int drawn = 0, greyed = 0, colouredInGreyed = 0;
    for (int y = 0; y < 18; ++y) {
      for (int x = 0; x < 36; ++x) {
        const TColor pixel = bitmap.canvas().pixel(x, y);
        if (pixel == bitmap.TransparentColor()) continue;
        if (x < 18) ++drawn;
        else ++greyed;
        const QColor colour = qtColor(pixel);
        if (x >= 18 && colour.hsvSaturation() > 40) ++colouredInGreyed;
      }
    }
    EXPECT_GT(drawn, 10);
    EXPECT_GT(greyed, 10);
    EXPECT_EQ(colouredInGreyed, 0);
    pictures.push_back(bitmap.image().copy(0, 0, 18, 18));
  }
  for (std::size_t i = 0; i < pictures.size(); ++i)
    for (std::size_t j = i + 1; j < pictures.size(); ++j) EXPECT_NE(pictures[i], pictures[j]);
}

TEST_F(GlyphButtonTest, AButtonOfKindCancelEndsAModalRunWithCancel) {
  button->SetKind(gbkCancel);
  postCall([this] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    QTest::mouseClick(button->Window(), Qt::LeftButton, {}, QPoint(10, 10));
  });
  EXPECT_EQ(form->runModal(), mrCancel);
}

TEST_F(GlyphButtonTest, AsTheFormsCancelButtonEscapePressesIt) {
  button->SetKind(gbkCancel);
  button->SetCancel(true);
  auto* other = new GlyphButton(form);
  other->SetKind(gbkOK);
  other->SetParent(form);
  other->SetTop(60);
  postCall([other] {
    ASSERT_TRUE(QTest::qWaitForWindowActive(other->Window()->window()));
    other->SetFocus();
    postKeyStroke(VK_ESCAPE);
  });
  EXPECT_EQ(form->runModal(), mrCancel);
}

TEST_F(GlyphButtonTest, CloseClosesTheFormAndHelpShowsTheHelpOfItsContext) {
  std::vector<int> contexts;
  const HelpPresenter previous = setHelpPresenter([&contexts](const HelpRequest& r) { contexts.push_back(r.context); });
  ASSERT_TRUE(showActive(*form));
  button->SetKind(gbkHelp);
  form->SetHelpContext(40);
  button->Click();
  button->SetHelpContext(7);
  button->Click();
  setHelpPresenter(previous);
  EXPECT_EQ(contexts, (std::vector<int>{40, 7}));
  EXPECT_TRUE(form->Visible());

  button->SetKind(gbkClose);
  button->Click();
  EXPECT_FALSE(form->Visible());
}

TEST_F(GlyphButtonTest, TheGlyphStandsAtTheMarginAndGreysWithTheButton) {
  BitmapImage glyph;
  makeColourGlyph(glyph, {clRed, clGreen});
  button->SetGlyph(glyph);
  EXPECT_EQ(button->NumGlyphs(), 2);
  button->SetMargin(2);
  form->Show();
  QWidget* w = button->Window();
  // Inside the face's 2-pixel edge, 2 pixels of margin, then the image; centred vertically.
  const int x = 2 + 2 + glyphSide / 2, y = button->Height() / 2;
  EXPECT_EQ(windowPixel(w, x, y), clRed);
  button->SetEnabled(false);
  EXPECT_EQ(windowPixel(w, x, y), clGreen);
  button->SetNumGlyphs(1);
  EXPECT_NE(windowPixel(w, x, y), clGreen) << "one image only: drawn greyed";
  EXPECT_NE(windowPixel(w, x, y), clRed);
  button->SetEnabled(true);
  EXPECT_EQ(windowPixel(w, x, y), clRed);
  button->SetMargin(30);
  EXPECT_NE(windowPixel(w, x, y), clRed);
  EXPECT_EQ(windowPixel(w, 2 + 30 + glyphSide / 2, y), clRed);
}

TEST_F(GlyphButtonTest, TheCaptionIsDrawnBesideTheGlyphNotByQt) {
  form->Show();
  button->SetKind(gbkOK);
  button->SetMargin(2);
  auto* push = static_cast<QPushButton*>(button->Window());
  EXPECT_TRUE(push->text().isEmpty());
  const auto darkPixelsRightOfGlyph = [this] {
    const QImage image = button->Window()->grab().toImage();
    int dark = 0;
    for (int y = 4; y < button->Height() - 4; ++y)
      for (int x = 2 + 2 + 18 + 1; x < button->Width() - 4; ++x) dark += qGray(image.pixel(x, y)) < 100;
    return dark;
  };
  const int withCaption = darkPixelsRightOfGlyph();
  button->SetCaption("");
  EXPECT_GT(withCaption, darkPixelsRightOfGlyph() + 10);
}

TEST_F(GlyphButtonTest, KindAndLayoutArePublishedByName) {
  ASSERT_TRUE(WriteEnumerationProperty(button, "Kind", gbkCancel));
  EXPECT_EQ(button->ModalResult(), mrCancel);
  ASSERT_TRUE(WriteIntegerProperty(button, "Spacing", -1));
  ASSERT_TRUE(WriteIntegerProperty(button, "NumGlyphs", 1));
  EXPECT_EQ(ReadIntegerProperty(button, "Spacing"), -1);
  EXPECT_EQ(ReadIntegerProperty(button, "NumGlyphs"), 1);
  EXPECT_EQ(ReadIntegerProperty(button, "Margin"), -1);
}

}  // namespace
}  // namespace qn::ui::testing
