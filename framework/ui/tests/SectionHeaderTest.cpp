#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "framework/ui/SectionHeader.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// Pixels of the rectangle darker than the face: text and the bevels' shadow.
int darkIn(const QImage& image, QRect area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 100) ++dark;
  return dark;
}

TEST(SectionHeaderTest, TwoSectionsFollowOneAnotherAndShowTheirTexts) {
  qtApplication();
  TTestForm form;
  auto* header = new SectionHeader(&form);
  header->SetParent(&form);
  header->SetBounds(0, 0, 300, 18);
  HeaderSection* name = header->Sections()->Add();
  name->SetWidth(120);
  HeaderSection* position = header->Sections()->Add();
  position->SetWidth(150);
  EXPECT_EQ(header->SectionRect(1).Left, 120);
  EXPECT_EQ(header->SectionRect(1).Right, 270);
  form.Show();

  const QRect nameInside(4, 3, 110, 12), positionInside(126, 3, 140, 12);
  QImage image = header->Window()->grab().toImage();
  EXPECT_EQ(darkIn(image, nameInside), 0);
  EXPECT_EQ(darkIn(image, positionInside), 0);
  name->SetText("CASE");
  position->SetText("Record 3 of 12");
  image = header->Window()->grab().toImage();
  EXPECT_GT(darkIn(image, nameInside), 10);
  EXPECT_GT(darkIn(image, positionInside), 10);
  EXPECT_EQ(darkIn(image, QRect(272, 0, 27, 18)), 0) << "nothing past the last section";
  name->SetWidth(60);
  EXPECT_EQ(header->SectionRect(1).Left, 60) << "the second section follows the first";
}

}  // namespace
}  // namespace qn::ui::testing
