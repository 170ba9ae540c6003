#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLineEdit>
#include <QPainter>
#include <cmath>

#include "framework/ui/BitmapImage.h"
#include "framework/ui/FontConversion.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "TestControls.h"

namespace {

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override { qn::ui::testing::qtApplication(); }
  void TearDown() override { Screen->SetPixelsPerInch(0); }
};

TEST_F(FontTest, PointSizesBecomePixelsAtTheScreensResolution) {
  for (const int ppi : {96, 120}) {
    Screen->SetPixelsPerInch(ppi);
    BitmapImage bitmap(10, 10);
    bitmap.canvas().Font()->SetName("MS Sans Serif");
    bitmap.canvas().Font()->SetSize(8);
    const int expected = static_cast<int>(std::lround(8.0 * ppi / 72));
    EXPECT_EQ(bitmap.canvas().deviceFont().pixelSize(), expected) << ppi;
    EXPECT_EQ(QFontInfo(bitmap.canvas().deviceFont()).pixelSize(), expected) << ppi;
    EXPECT_GE(bitmap.canvas().fontHeight(), expected) << ppi;
    // A height in pixels, given for the screen, stays that height on the screen.
    bitmap.canvas().Font()->SetHeight(-20);
    EXPECT_EQ(bitmap.canvas().deviceFont().pixelSize(), 20) << ppi;
  }
}

TEST_F(FontTest, PrinterPageConvertsWithItsOwnResolution) {
  Screen->SetPixelsPerInch(96);
  QImage page(10, 10, QImage::Format_RGB32);
  QPainter painter(&page);
  Canvas canvas(&painter, 600);
  canvas.Font()->SetSize(8);
  EXPECT_EQ(canvas.deviceFont().pixelSize(), static_cast<int>(std::lround(8.0 * 600 / 72)));
  canvas.Font()->SetHeight(-16);  // 16 pixels at 96 dots per inch: a sixth of an inch
  EXPECT_EQ(canvas.deviceFont().pixelSize(), 100);
}

TEST_F(FontTest, NamedFamiliesResolveToTheInstalledLiberationFamilies) {
  struct Case {
    const char* name;
    TFontPitch pitch;
    const char* family;
  } cases[] = {{"MS Sans Serif", fpDefault, "Liberation Sans"}, {"System", fpDefault, "Liberation Sans"},
               {"NoSuchFamily", fpDefault, "Liberation Sans"},  {"Arial", fpDefault, "Liberation Sans"},
               {"Courier New", fpDefault, "Liberation Mono"},   {"Times New Roman", fpDefault, "Liberation Serif"},
               {"NoSuchFamily", fpFixed, "Liberation Mono"},    {"ms sans serif", fpDefault, "Liberation Sans"}};
  for (const Case& c : cases) {
    TFont font;
    font.SetName(c.name);
    font.SetPitch(c.pitch);
    EXPECT_EQ(QFontInfo(qn::ui::qtFont(font, 96)).family().toStdString(), c.family) << c.name;
  }
  const std::vector<AnsiString> families = qn::ui::installedFontFamilies();
  EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Mono"), families.end());
}

TEST_F(FontTest, FixedPitchColumnsKeepTheirWidths) {
  BitmapImage bitmap(10, 10);
  bitmap.canvas().Font()->SetName("Courier New");
  EXPECT_EQ(bitmap.canvas().textWidth("iiii"), bitmap.canvas().textWidth("WWWW"));
  bitmap.canvas().Font()->SetName("Arial");
  EXPECT_LT(bitmap.canvas().textWidth("iiii"), bitmap.canvas().textWidth("WWWW"));
}

TEST_F(FontTest, PitchAndCharsetArePublishedAndAssigned) {
  TFont font;
  font.SetPitch(fpFixed);
  font.SetCharset(0);
  TFont copy;
  EXPECT_FALSE(copy.SameAs(font));
  copy.Assign(&font);
  EXPECT_EQ(copy.Pitch(), fpFixed);
  EXPECT_EQ(copy.Charset(), 0);
  EXPECT_TRUE(copy.SameAs(font));
}

TEST_F(FontTest, ControlsWidgetFollowsItsFont) {
  Screen->SetPixelsPerInch(120);
  qn::ui::testing::TTestEdit edit(nullptr);
  edit.Font()->SetSize(8);
  QLineEdit* widget = edit.lineEdit();
  EXPECT_EQ(widget->font().pixelSize(), 13);
  EXPECT_EQ(QFontInfo(widget->font()).family().toStdString(), "Liberation Sans");
  edit.Font()->SetSize(12);
  EXPECT_EQ(widget->font().pixelSize(), 20);
  edit.Font()->SetName("Courier New");
  EXPECT_EQ(QFontInfo(widget->font()).family().toStdString(), "Liberation Mono");
  edit.Font()->SetColor(clNavy);
  EXPECT_EQ(widget->palette().color(QPalette::Text), qn::ui::qtColor(clNavy));
}

}  // namespace
