#include <gtest/gtest.h>

#include "framework/ui/Panel.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/ButtonTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// Paints its own face while pressed and leaves the rest to the speed button, as the library's
// drop-down and spin buttons do.
class TOwnFaceButton : public TSpeedButton {
  QN_CLASS(TOwnFaceButton, TSpeedButton)
 public:
  using TSpeedButton::TSpeedButton;
  bool heldWithCapture = false;

 protected:
  void Paint() override {
    if (State() != bsDown) {
      TSpeedButton::Paint();
      return;
    }
    heldWithCapture = MouseCapture();
    canvas().Brush = {clTeal, BrushStyle::solid};
    canvas().fillRect({0, 0, Width(), Height()});
  }
};

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
    for (int i = 0; i < 3; ++i) {
      auto* button = new TSpeedButton(form);
      button->SetBounds(10 + 30 * i, 10, 23, 22);
      button->SetGroupIndex(1);
      button->SetParent(form);
      button->OnClick = [this, button](TObject*) { clicks.push_back(button->Down()); };
      buttons.push_back(button);
    }
    form->Show();
  }
  void TearDown() override { delete form; }

  QPoint centreOf(const TSpeedButton* b) const { return {b->Left() + b->Width() / 2, b->Top() + b->Height() / 2}; }
  void click(int i) { clickAt(form->Window(), centreOf(buttons[static_cast<std::size_t>(i)])); }
  std::vector<bool> downs() const {
    std::vector<bool> result;
    for (const TSpeedButton* b : buttons) result.push_back(b->Down());
    return result;
  }

  TTestForm* form;
  std::vector<TSpeedButton*> buttons;
  std::vector<bool> clicks;  // Down as each OnClick saw it
};

TEST_F(SpeedButtonTest, AGroupKeepsOneButtonDown) {
  click(0);
  EXPECT_EQ(downs(), (std::vector<bool>{true, false, false}));
  click(2);
  EXPECT_EQ(downs(), (std::vector<bool>{false, false, true}));
  click(2);
  EXPECT_EQ(downs(), (std::vector<bool>{false, false, true})) << "without AllowAllUp the one down stays down";
  buttons[2]->SetDown(false);
  EXPECT_TRUE(buttons[2]->Down());
  buttons[1]->SetDown(true);
  EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));
  // OnClick runs after the group changed, so a handler reads the new state.
  EXPECT_EQ(clicks, (std::vector<bool>{true, true, true}));
}

TEST_F(SpeedButtonTest, AllowAllUpIsSharedByTheGroupAndLetsTheDownButtonUp) {
  buttons[0]->SetAllowAllUp(true);
  EXPECT_TRUE(buttons[1]->AllowAllUp());
  EXPECT_TRUE(buttons[2]->AllowAllUp());
  click(1);
  click(1);
  EXPECT_EQ(downs(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(clicks, (std::vector<bool>{true, false}));
}

TEST_F(SpeedButtonTest, OtherGroupsAndButtonsWithoutAGroupAreLeftAlone) {
  buttons[2]->SetGroupIndex(2);
  click(0);
  click(2);
  EXPECT_EQ(downs(), (std::vector<bool>{true, false, true}));
  buttons[1]->SetGroupIndex(0);
  buttons[1]->SetDown(true);
  click(1);
  EXPECT_FALSE(buttons[1]->Down()) << "a button without a group never stays down";
  EXPECT_EQ(downs(), (std::vector<bool>{true, false, true}));
}

TEST_F(SpeedButtonTest, ASecondQuickPressIsADoubleClickOnlyForAControlThatReceivesThem) {
  struct Case {
    bool receivesDoubleClicks;
    int clicks, doubleClicks;
  };
  for (const Case& c : {Case{true, 1, 1}, Case{false, 2, 0}}) {
    SCOPED_TRACE(c.receivesDoubleClicks);
    TSpeedButton* b = buttons[1];
    b->SetGroupIndex(0);
    TControlStyle style = b->ControlStyle();
    b->SetControlStyle(c.receivesDoubleClicks ? style.Include(csReceivesDoubleClicks)
                                              : style.Exclude(csReceivesDoubleClicks));
    int doubleClicks = 0;
    b->OnDblClick = [&doubleClicks](TObject*) { ++doubleClicks; };
    clicks.clear();
    doubleClickAt(form->Window(), centreOf(b));
    EXPECT_EQ(static_cast<int>(clicks.size()), c.clicks);
    EXPECT_EQ(doubleClicks, c.doubleClicks);
    EXPECT_EQ(b->State(), bsUp) << "the last release lets the button up";
  }
}

TEST_F(SpeedButtonTest, AReleaseAwayFromTheButtonIsNoClick) {
  QWidget* w = form->Window();
  pressAt(w, centreOf(buttons[0]));
  EXPECT_EQ(buttons[0]->State(), bsDown);
  moveHeldTo(w, QPoint(200, 200));
  EXPECT_EQ(buttons[0]->State(), bsUp);
  moveHeldTo(w, centreOf(buttons[0]));
  EXPECT_EQ(buttons[0]->State(), bsDown);
  moveHeldTo(w, QPoint(200, 200));
  releaseAt(w, QPoint(200, 200));
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(buttons[0]->Down());
}

TEST_F(SpeedButtonTest, EachLookShowsItsOwnImageOfTheGlyph) {
  BitmapImage glyph;
  makeColourGlyph(glyph, {clRed, clGreen, clBlue, clYellow});
  TSpeedButton* b = buttons[0];
  b->SetGlyph(glyph);
  EXPECT_EQ(b->NumGlyphs(), 4) << "taken from a bitmap four squares wide";
  QWidget* w = form->Window();
  const QPoint centre = centreOf(b);
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clRed);
  pressAt(w, centre);
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clBlue);
  releaseAt(w, centre);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clYellow);
  b->SetEnabled(false);
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clGreen);
}

TEST_F(SpeedButtonTest, AFlatButtonShowsItsEdgeOnlyUnderTheMouse) {
  TSpeedButton* b = buttons[0];
  b->SetFlat(true);
  b->SetColor(clWhite);
  QWidget* w = form->Window();
  const int right = b->Left() + b->Width() - 1;
  EXPECT_EQ(windowPixel(w, right, b->Top() + 5), clWhite);
  sendMouse(w, QEvent::MouseMove, centreOf(b), Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(b->MouseInside());
  EXPECT_NE(windowPixel(w, right, b->Top() + 5), clWhite);
  b->SetFlat(false);
  sendMouse(w, QEvent::MouseMove, QPoint(200, 200), Qt::NoButton, Qt::NoButton);
  EXPECT_NE(windowPixel(w, right, b->Top() + 5), clWhite) << "a raised button always shows its edge";
}

TEST_F(SpeedButtonTest, OnAPanelItDrawsIntoThePanelsFace) {
  auto* bar = new TPanel(form);
  bar->SetBounds(0, 100, 200, 30);
  bar->SetParent(form);
  TSpeedButton* b = buttons[0];
  b->SetParent(bar);
  b->SetBounds(4, 4, 23, 22);
  BitmapImage glyph;
  makeColourGlyph(glyph, {clRed, clGreen, clBlue});
  b->SetGlyph(glyph);
  QWidget* w = bar->Window();
  const QPoint centre = centreOf(b);
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clRed);
  clickAt(w, centre);
  EXPECT_TRUE(b->Down());
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clRed) << "without a fourth image the held-down look shows the first";
  pressAt(w, centre);
  releaseAt(w, QPoint(150, 20));
  EXPECT_TRUE(b->Down());
  b->SetEnabled(false);
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clGreen);
}

TEST_F(SpeedButtonTest, ADescendantPaintsItsOwnFaceFromTheState) {
  auto* own = new TOwnFaceButton(form);
  own->SetBounds(10, 50, 23, 22);
  own->SetParent(form);
  QWidget* w = form->Window();
  const QPoint centre = centreOf(own);
  EXPECT_NE(windowPixel(w, centre.x(), centre.y()), clTeal);
  pressAt(w, centre);
  EXPECT_EQ(windowPixel(w, centre.x(), centre.y()), clTeal);
  EXPECT_TRUE(own->heldWithCapture);
  releaseAt(w, centre);
  EXPECT_NE(windowPixel(w, centre.x(), centre.y()), clTeal);
}

TEST_F(SpeedButtonTest, PropertiesArePublishedByName) {
  ASSERT_TRUE(WriteBooleanProperty(buttons[0], "AllowAllUp", true));
  ASSERT_TRUE(WriteBooleanProperty(buttons[1], "Down", true));
  EXPECT_EQ(ReadIntegerProperty(buttons[1], "GroupIndex"), 1);
  EXPECT_TRUE(buttons[2]->AllowAllUp());
  EXPECT_EQ(downs(), (std::vector<bool>{false, true, false}));
}

}  // namespace
}  // namespace qn::ui::testing
