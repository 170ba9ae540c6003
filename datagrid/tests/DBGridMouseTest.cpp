// Titles as buttons: a press and release in place is a click; a drag is not.
#include "datagrid/tests/DBGridTestSupport.h"

namespace datagridtest {
namespace {

using MouseTest = DBGridTest;

TEST_F(MouseTest, APressAndReleaseOnATitleWithinTwoPixelsIsATitleClick) {
  open(3);
  bind();
  grid->SetTitleButtons(true);
  std::vector<AnsiString> clicked;
  grid->OnTitleButtonClick = [&](TObject*, const AnsiString& name) { clicked.push_back(name); };
  const TRect title = grid->cellBounds(2, 0);
  const QPoint at((title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2);
  QWidget* widget = grid->Window();
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at + QPoint(2, 0));
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], "Client");

  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QTest::mouseMove(widget, at + QPoint(3, 0));
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at + QPoint(3, 0));
  EXPECT_EQ(clicked.size(), 1u) << "moved past two pixels: no click";

  grid->SetTitleButtons(false);
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  EXPECT_EQ(clicked.size(), 1u) << "plain titles are no buttons";
}

}  // namespace
}  // namespace datagridtest
