// The editor's ruler: its marks for the line's length, its markers at the paragraph's indents,
// and dragging them: snapping, spacing, bounds and the end of a drag by a termination request.
#include "editors/RulerPanel.h"
#include "editors/TrackIcon.h"
#include "editors/tests/RichEditFixture.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/LocalApplication.h"

namespace richedittest {
namespace {

class RichEditRulerTest : public RichEditTest {
 protected:
  void SetUp() override {
    RichEditTest::SetUp();
    edit = place(150, 300, 80);
    ruler = new TdcRulerPanel(form.get(), edit);
    ruler->SetParent(form.get());
    ruler->SetBounds(0, 0, 396, ruler->Height());
    ASSERT_TRUE(show());
    edit->SetText("Paragraph");
  }
  // Presses the icon, moves it by dx in steps and releases it, from inside the drag's loop.
  static void drag(TdcTrackIcon* icon, int dx) {
    qn::ui::postCall([icon, dx] {
      icon->MouseMoveAt({ssLeft}, {3 + dx / 2, 3});
      icon->MouseMoveAt({ssLeft}, {3 + dx - dx / 2, 3});
      icon->MouseUpAt(mbLeft, {}, {3 + dx - dx / 2, 3});
    });
    icon->MouseDownAt(mbLeft, {ssLeft}, {3, 3}, false);
  }
  int centre(const TdcTrackIcon* icon) const { return icon->Left() + icon->Width() / 2 - ruler->RulerRect().Left; }

  TdcDBRichEdit* edit = nullptr;
  TdcRulerPanel* ruler = nullptr;
};

TEST_F(RichEditRulerTest, TheMarkersStandAtTheParagraphsIndents) {
  edit->SetParagraph(0x10 | 0x04 | 0x08, "", 0, 0, 0, 0, nullptr, 0, 720, 1440, 720, false);
  ruler->PlaceIconsFromParagraph();
  const int dpi = edit->ScreenResolution();
  EXPECT_EQ(centre(ruler->FirstLineIcon()), dpi / 2) << "first line at the start indent";
  EXPECT_EQ(centre(ruler->LeftIcon()), dpi) << "the rest at start indent plus offset";
  EXPECT_EQ(centre(ruler->RightIcon()), ruler->RulerRect().Width() - dpi) << "right indent from the line's end";
}

TEST_F(RichEditRulerTest, LabelsAndDivisionsAreDrawnForTheRulersLength) {
  ruler->Repaint();
  const TRect r = ruler->RulerRect();
  const int perInch = edit->ScreenResolution();
  Canvas& c = ruler->canvas();
  // An eighth and the half-way mark are dark at their places between the ruler's top and bottom.
  const auto darkIn = [&](int x, int from, int to) {
    for (int y = from; y < to; ++y)
      if (qGray(c.pixel(x, y)) < 100) return true;
    return false;
  };
  EXPECT_TRUE(darkIn(r.Left + perInch / 8, r.Top + 8, r.Bottom - 6));
  EXPECT_TRUE(darkIn(r.Left + perInch / 2, r.Top + 7, r.Bottom - 4));
  EXPECT_FALSE(darkIn(r.Left + perInch / 16, r.Top + 8, r.Bottom - 6)) << "nothing between the marks";
  // The label "1" sits centred on the first inch.
  bool label = false;
  for (int x = r.Left + perInch - 3; x <= r.Left + perInch + 3; ++x) label = label || darkIn(x, r.Top + 1, r.Top + 7);
  EXPECT_TRUE(label);
}

TEST_F(RichEditRulerTest, ADragEndsSnappedToAnEighthInchAndSetsTheStartIndentAndOffset) {
  TdcTrackIcon* left = ruler->LeftIcon();
  ruler->PlaceIconsFromParagraph();
  drag(left, 53);  // 53 pixels at 96 to the inch: 0.552'', down to 0.5''
  const int dpi = edit->ScreenResolution();
  const int expected = (53 * 1000 / dpi) / 125 * 125;
  EXPECT_EQ(centre(left), expected * dpi / 1000);
  int start = 0, right = 0, offset = 0;
  edit->GetParagraphIndents(start, right, offset);
  EXPECT_EQ(start, 0) << "the first line stays";
  EXPECT_EQ(offset, expected * 1440 / 1000) << "the other lines start at the left marker";
}

TEST_F(RichEditRulerTest, TheLeftMarkerStaysFortyEightPixelsLeftOfTheRightOne) {
  ruler->PlaceIconsFromParagraph();
  drag(ruler->LeftIcon(), ruler->RulerRect().Width());
  EXPECT_LE(ruler->LeftIcon()->Left(), ruler->RightIcon()->Left() - 48);
}

TEST_F(RichEditRulerTest, MinValueZeroDoesNotLimitAndTenStopsAtTen) {
  auto* icon = new TdcTrackIcon(form.get());
  icon->SetParent(ruler);
  icon->SetBitmapName("dcRulerUp");
  icon->SetLeft(20);
  int ends = 0;
  icon->OnEndDrag = [&](TObject*) { ++ends; };
  drag(icon, -40);
  EXPECT_EQ(icon->Left(), -20);
  EXPECT_EQ(ends, 1);
  icon->MinValue = 10;
  icon->SetLeft(20);
  drag(icon, -40);
  EXPECT_EQ(icon->Left(), 10);
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(RichEditRulerTest, ATerminationRequestDuringADragEndsItAndStaysRequested) {
  const qn::ui::testing::LocalApplication ending;
  TdcTrackIcon* icon = ruler->RightIcon();
  qn::ui::postCall([] { Application->Terminate(); });
  icon->MouseDownAt(mbLeft, {ssLeft}, {3, 3}, false);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(icon->Dragging());
  EXPECT_EQ(GetCaptureControl(), nullptr);
}

}  // namespace
}  // namespace richedittest
