#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWindow>
#include <cmath>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/Button.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/Screen.h"
#include "framework/ui/tests/FormTestSupport.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

// A table of screen facts for the test's duration.
class ScreenFactsScope {
 public:
  explicit ScreenFactsScope(const ScreenFacts& facts) { setScreenFacts(facts); }
  ~ScreenFactsScope() { setScreenFacts(std::nullopt); }
};

ScreenFacts testFacts() {
  ScreenFacts facts;
  facts.width = 1600;
  facts.height = 1000;
  facts.workArea = Rect(0, 30, 1600, 1000);
  facts.captionHeight = 23;
  facts.sizingFrameHeight = 5;
  facts.dialogFrameHeight = 2;
  return facts;
}

TEST(FormTest, OuterSizeIsTheClientSizePlusCaptionAndFramesOfItsStyle) {
  ScreenFactsScope facts(testFacts());
  struct Case {
    TFormBorderStyle style;
    int frame;
    int caption;
  } cases[] = {{bsSizeable, 5, 23}, {bsDialog, 2, 23}, {bsSingle, 2, 23}, {bsNone, 0, 0}};
  for (const Case& c : cases) {
    TForm form(nullptr);
    form.SetBorderStyle(c.style);
    form.SetClientHeight(400);
    form.SetClientWidth(500);
    EXPECT_EQ(form.Height(), 400 + c.caption + 2 * c.frame) << "style " << c.style;
    EXPECT_EQ(form.Width(), 500 + 2 * c.frame) << "style " << c.style;
    EXPECT_EQ(form.ClientHeight(), 400);
  }
}

TEST(FormTest, TheWindowGetsTheClientSizeAndTheFormFollowsItsResize) {
  ScreenFactsScope facts(testFacts());
  qtApplication();
  TForm form(nullptr);
  form.SetClientWidth(300);
  form.SetClientHeight(150);
  form.Show();
  EXPECT_EQ(form.Window()->size(), QSize(300, 150));
  form.Window()->resize(320, 170);
  QApplication::processEvents();
  EXPECT_EQ(form.ClientWidth(), 320);
  EXPECT_EQ(form.Height(), 170 + 23 + 10);
}

TEST(FormTest, TheClientAreaShowsTheFormsColour) {
  qtApplication();
  TForm form(nullptr);
  form.SetClientWidth(120);
  form.SetClientHeight(80);
  form.Show();
  const auto pixel = [&form] { return form.Window()->grab().toImage().pixel(60, 40); };
  EXPECT_EQ(pixel(), qn::ui::qtColor(clBtnFace).rgb()) << "the default colour";
  form.SetColor(clYellow);
  EXPECT_EQ(pixel(), qRgb(255, 255, 0));
}

TEST(FormTest, PanelHeightsScaleWithThePixelsPerInchTheFormWasMadeWith) {
  const int kept = Screen->PixelsPerInch();
  for (auto [ppi, expected] : {std::pair{96, 24}, std::pair{120, 30}, std::pair{144, 36}}) {
    Screen->SetPixelsPerInch(ppi);
    TForm form(nullptr);
    EXPECT_EQ(form.PixelsPerInch(), ppi);
    EXPECT_EQ(std::lround(form.PixelsPerInch() / 120.0 * 30), expected);
  }
  Screen->SetPixelsPerInch(kept);
}

TEST(FormTest, TheTestApplicationScalesByWholeFactors) {
  qtApplication();
  EXPECT_EQ(QGuiApplication::highDpiScaleFactorRoundingPolicy(), Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

TEST(FormTest, ScreenAnswersTheWorkAreaAndSizesOfItsTable) {
  ScreenFactsScope facts(testFacts());
  EXPECT_EQ(Screen->workArea(), Rect(0, 30, 1600, 1000));
  EXPECT_EQ(Screen->width(), 1600);
  EXPECT_EQ(Screen->height(), 1000);
  EXPECT_EQ(Screen->metrics().captionHeight, 23);
}

TEST(FormTest, AFormIsCentredOnTheScreenWhenFirstShown) {
  ScreenFactsScope facts(testFacts());
  qtApplication();
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  form.Show();
  EXPECT_EQ(form.Left(), 600);
  EXPECT_EQ(form.Top(), 350);
}

TEST(FormTest, ScalingByARatioScalesTheClientAreaAndTheChildren) {
  ScreenFactsScope facts(testFacts());
  TForm form(nullptr);
  form.SetClientWidth(400);
  form.SetClientHeight(200);
  auto* panel = new TTestPanel(&form, &form);
  panel->SetBounds(20, 40, 100, 60);
  form.scaleByRatio(5, 4);
  EXPECT_EQ(form.ClientWidth(), 500);
  EXPECT_EQ(form.ClientHeight(), 250);
  EXPECT_EQ(panel->BoundsRect(), Bounds(25, 50, 125, 75));
  form.scaleByRatio(23, 20);
  EXPECT_EQ(form.ClientWidth(), 575);
}

// A form scaled as a whole: what lies inside a panel scales with it, relative to the panel, and
// a control anchored to the panel's right side is placed once, not moved again by the panel's
// own growth.
TEST(FormTest, ScalingByARatioScalesTheControlsInsidePanels) {
  ScreenFactsScope facts(testFacts());
  struct Case {
    int m, d;
    TRect panel, button, anchored, inner, innerButton;
    int ownFontHeight;
  } cases[] = {
      {5, 4, Bounds(25, 50, 250, 125), Bounds(13, 25, 100, 30), Bounds(150, 5, 50, 25), Bounds(75, 63, 125, 50),
       Bounds(5, 5, 38, 25), -20},
      {23, 20, Bounds(23, 46, 230, 115), Bounds(12, 23, 92, 28), Bounds(138, 5, 46, 23), Bounds(69, 58, 115, 46),
       Bounds(5, 5, 35, 23), -18},
  };
  for (const Case& c : cases) {
    TForm form(nullptr);
    form.SetClientWidth(400);
    form.SetClientHeight(200);
    auto* panel = new TTestPanel(&form, &form);
    panel->SetBounds(20, 40, 200, 100);
    auto* button = new TButton(&form);
    button->SetParent(panel);
    button->SetBounds(10, 20, 80, 24);
    button->Font()->SetHeight(-16);
    auto* anchored = new TTestEdit(&form, panel);
    anchored->SetBounds(120, 4, 40, 20);
    anchored->SetAnchors(TAnchors{akTop, akRight});
    auto* inner = new TTestPanel(&form, panel);
    inner->SetBounds(60, 50, 100, 40);
    auto* innerButton = new TButton(&form);
    innerButton->SetParent(inner);
    innerButton->SetBounds(4, 4, 30, 20);

    form.scaleByRatio(c.m, c.d);
    const std::string ratio = std::to_string(c.m) + "/" + std::to_string(c.d);
    EXPECT_EQ(panel->BoundsRect(), c.panel) << ratio;
    EXPECT_EQ(button->BoundsRect(), c.button) << ratio;
    EXPECT_EQ(anchored->BoundsRect(), c.anchored) << ratio;
    EXPECT_EQ(inner->BoundsRect(), c.inner) << ratio;
    EXPECT_EQ(innerButton->BoundsRect(), c.innerButton) << ratio;
    EXPECT_EQ(button->Font()->Height(), c.ownFontHeight) << ratio;
    // A font taken from the parent is the scaled form's.
    EXPECT_TRUE(innerButton->ParentFont()) << ratio;
    EXPECT_EQ(innerButton->Font()->Height(), form.Font()->Height()) << ratio;
  }
}

// A form drawn at 120 pixels per inch and made at another density: its client area and the
// controls inside it, panels' contents too, take that density once; fonts given in points stay as
// they came out at the screen's density; at 120 nothing moves.
TEST(FormTest, AFormDrawnAtAnotherDensityScalesItsControlsOnceAndKeepsItsFonts) {
  ScreenFactsScope facts(testFacts());
  const int kept = Screen->PixelsPerInch();
  struct Case {
    int ppi, clientWidth, clientHeight;
    TRect panel, button, anchored, innerButton;
  } cases[] = {
      {96, 320, 160, Bounds(16, 32, 160, 80), Bounds(8, 16, 64, 19), Bounds(96, 3, 32, 16), Bounds(3, 3, 24, 16)},
      {120, 400, 200, Bounds(20, 40, 200, 100), Bounds(10, 20, 80, 24), Bounds(120, 4, 40, 20), Bounds(4, 4, 30, 20)},
      {144, 480, 240, Bounds(24, 48, 240, 120), Bounds(12, 24, 96, 29), Bounds(144, 5, 48, 24), Bounds(5, 5, 36, 24)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    Screen->SetPixelsPerInch(c.ppi);
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetClientWidth(400);
    form.SetClientHeight(200);
    auto* panel = new TTestPanel(&form, &form);
    panel->SetBounds(20, 40, 200, 100);
    auto* button = new TButton(&form);
    button->SetParent(panel);
    button->SetBounds(10, 20, 80, 24);
    button->Font()->SetSize(9);
    const int buttonFontHeight = button->Font()->Height();
    const int formFontHeight = form.Font()->Height();
    auto* anchored = new TTestEdit(&form, panel);
    anchored->SetBounds(120, 4, 40, 20);
    anchored->SetAnchors(TAnchors{akTop, akRight});
    auto* inner = new TTestPanel(&form, panel);
    inner->SetBounds(60, 50, 100, 40);
    auto* innerButton = new TButton(&form);
    innerButton->SetParent(inner);
    innerButton->SetBounds(4, 4, 30, 20);

    form.scaleFromDesign(120);
    form.scaleFromDesign(120);
    EXPECT_EQ(form.ClientWidth(), c.clientWidth);
    EXPECT_EQ(form.ClientHeight(), c.clientHeight);
    EXPECT_EQ(panel->BoundsRect(), c.panel);
    EXPECT_EQ(button->BoundsRect(), c.button);
    EXPECT_EQ(anchored->BoundsRect(), c.anchored) << "placed once, not moved again by the panel's new width";
    EXPECT_EQ(innerButton->BoundsRect(), c.innerButton);
    EXPECT_EQ(button->Font()->Height(), buttonFontHeight);
    EXPECT_EQ(button->Font()->Size(), 9);
    EXPECT_EQ(form.Font()->Height(), formFontHeight);
  }
  Screen->SetPixelsPerInch(kept);
}

// A docked panel form strips its frame the way the system's panels do.
class TStrippedForm : public TForm {
  QN_CLASS(TStrippedForm, TForm)
 public:
  using TForm::TForm;
  void CreateParams(TCreateParams& Params) override {
    TForm::CreateParams(Params);
    Params.Style &= ~(WS_DLGFRAME | WS_BORDER | WS_THICKFRAME);
  }
};

TEST(FormTest, AFormWithItsFrameStrippedIsFramelessAloneAndAChildWhenDocked) {
  ScreenFactsScope facts(testFacts());
  qtApplication();
  TStrippedForm panel(nullptr);
  panel.SetClientHeight(100);
  EXPECT_EQ(panel.Height(), 100);
  EXPECT_EQ(panel.frameExtents(), TRect{});
  panel.Show();
  EXPECT_TRUE(panel.Window()->windowFlags().testFlag(Qt::FramelessWindowHint));

  TForm main(nullptr);
  main.Show();
  panel.SetParent(&main);
  EXPECT_FALSE(panel.Window()->isWindow());
  EXPECT_EQ(panel.Window()->parentWidget(), main.Window());
}

TEST(FormTest, SwitchingStayOnTopAndBorderStyleKeepsPlaceFocusAndVisibilityQuietly) {
  qtApplication();
  Log log;
  TLoggedForm form(log, "F");
  auto* first = new TTestEdit(&form, &form, "First");
  auto* second = new TTestEdit(&form, &form, "Second");
  second->SetTop(40);
  ASSERT_TRUE(showActive(form));
  second->SetFocus();
  form.SetBounds(130, 120, 350, 260);
  QApplication::processEvents();
  log.clear();

  form.SetFormStyle(fsStayOnTop);
  EXPECT_TRUE(form.Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  form.SetBorderStyle(bsDialog);
  EXPECT_FALSE(form.Window()->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  form.SetFormStyle(fsNormal);
  EXPECT_TRUE(QTest::qWaitForWindowActive(form.Window()));
  QTest::qWait(20);

  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(form.Window()->isVisible());
  EXPECT_EQ(form.Left(), 130);
  EXPECT_EQ(form.Top(), 120);
  EXPECT_EQ(form.ActiveControl(), second);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(log, Log{}) << "no show, activation or deactivation";
  (void)first;
}

TEST(FormTest, CloseAsksTheCloseQueryAndOnCloseDecides) {
  qtApplication();
  Log log;
  TLoggedForm form(log, "F");
  bool allow = false;
  form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  TCloseAction chosen = caHide;
  form.OnClose = [&](TObject*, TCloseAction& action) {
    EXPECT_EQ(action, caHide) << "hiding is what a close does unless told otherwise";
    action = chosen;
  };
  form.Show();
  form.Close();
  EXPECT_TRUE(form.Visible()) << "the close query refused";
  allow = true;
  chosen = caNone;
  form.Close();
  EXPECT_TRUE(form.Visible());
  chosen = caMinimize;
  form.Close();
  EXPECT_EQ(form.WindowState(), wsMinimized);
  chosen = caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Window()->isVisible());
}

TEST(FormTest, AFormFreedByItsCloseActionGoesAtTheNextDispatchAfterItsHandlers) {
  qtApplication();
  Log log;
  auto* form = new TLoggedForm(log, "F");
  ControlRef ref(form);
  form->OnClose = [&](TObject*, TCloseAction& action) { action = caFree; };
  form->Show();
  form->Close();
  log.push_back("after close");
  EXPECT_TRUE(ref) << "still there while the closing code runs";
  QApplication::processEvents();
  EXPECT_FALSE(ref);
  EXPECT_EQ(log, (Log{"show F", "after close", "destroy F"}));
}

TEST(FormTest, TheWindowSystemsCloseClosesTheForm) {
  qtApplication();
  TForm form(nullptr);
  form.Show();
  form.Window()->windowHandle()->close();
  EXPECT_FALSE(form.Visible());
}

TEST(FormTest, OnCreateRunsWhenTheApplicationCompletesTheForm) {
  LocalApplication app;
  struct TCreatedForm : TForm {
    explicit TCreatedForm(TComponent* owner) : TForm(owner) {
      OnCreate = [this](TObject*) { SetCaption("made"); };
    }
  };
  TCreatedForm* form = nullptr;
  Application->CreateForm(form);
  EXPECT_EQ(form->Caption(), "made");
  EXPECT_EQ(Application->MainForm(), form);
}

TEST(FormTest, TheMouseWheelGoesToTheFormsHandlerFirst) {
  qtApplication();
  TTestForm plain;
  TForm form(nullptr);
  auto* edit = new TTestEdit(&form, &form);
  ASSERT_TRUE(showActive(form));
  edit->SetFocus();
  int seen = 0;
  form.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    seen += delta;
    handled = true;
  };
  QWheelEvent wheel(QPointF(5, 5), edit->lineEdit()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(edit->lineEdit(), &wheel);
  EXPECT_EQ(seen, 120);
  EXPECT_EQ(edit->wheelSteps, 0) << "the form swallowed it";
}

}  // namespace
}  // namespace qn::ui::testing
