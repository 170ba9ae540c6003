// The case screen of the real program on a screen of 96 pixels per inch: the panels, drawn at 120
// like the window, lie inside the window with every control they show, and none runs under the
// buttons.
#include <gtest/gtest.h>

#include <string>

#include "app/programtests/DemoPrograms.h"
#include "app/programtests/DemoScreenshots.h"
#include "app/programtests/MainBlockOnDemo.h"
#include "casewindow/CaseF.h"
#include "framework/ui/Application.h"
#include "framework/ui/Panel.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using demoprograms::MainBlockOnDemo;
using demoprograms::saveScreenshot;
using demoprograms::todayArgument;

const char* const kHostedPanels[] = {"ClientCaseLookF1", "CaseDescriptionF", "RA1F",      "RA2F",
                                     "RA3F",             "DepartmentF",      "CaType1F",  "CaType2F",
                                     "CaType3F",         "StMsgF",           "CaseMiscF", "FCSalesTaxF",
                                     "BillingBoxF"};

bool inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}

std::string text(const TRect& r) {
  return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ")-(" + std::to_string(r.Right) + ", " +
         std::to_string(r.Bottom) + ")";
}

// Every visible control the panel owns lies within the control it stands in, and so on down; the
// parts an editor makes of itself are its own to place.
void expectVisibleControlsInside(const TForm* panel, const TWinControl* container, const std::string& path) {
  const TRect area = Rect(0, 0, container->Width(), container->Height());
  for (int i = 0; i < container->ControlCount(); ++i) {
    const TControl* control = container->Controls(i);
    if (!control->Visible() || control->Owner() != panel) continue;
    const std::string name = path + "." + control->Name();
    EXPECT_TRUE(inside(control->BoundsRect(), area)) << name << " at " << text(control->BoundsRect()) << " in "
                                                     << text(area);
    if (const auto* inner = dynamic_cast<const TWinControl*>(control)) expectVisibleControlsInside(panel, inner, name);
  }
}

// At 96 pixels per inch, the usual desktop's density.
TEST(CaseScreenFit, At96PixelsPerInchThePanelsAndTheirControlsLieInsideTheWindowClearOfTheButtons) {
  Screen->SetPixelsPerInch(96);
  MainBlockOnDemo program({todayArgument()});
  qn::ui::testing::ScriptedMessageBoxes boxes;
  ASSERT_TRUE(program.start()) << program.errors();
  ASSERT_NE(CaseF, nullptr);
  ASSERT_EQ(CaseF->PixelsPerInch(), 96);

  const TRect client = Rect(0, 0, CaseF->ClientWidth(), CaseF->ClientHeight());
  const TRect buttons = CaseF->PanelButtons->BoundsRect();
  int placed = 0;
  for (const char* name : kHostedPanels) {
    const auto* panel = dynamic_cast<const TForm*>(Application->FindComponent(name));
    if (!panel || panel->Parent() != CaseF || !panel->Visible()) continue;
    ++placed;
    EXPECT_TRUE(inside(panel->BoundsRect(), client)) << name << " at " << text(panel->BoundsRect()) << " in "
                                                     << text(client);
    EXPECT_TRUE(intersectionOf(panel->BoundsRect(), buttons).IsEmpty())
        << name << " at " << text(panel->BoundsRect()) << " meets the buttons at " << text(buttons);
    expectVisibleControlsInside(panel, panel, name);
  }
  EXPECT_GE(placed, 10) << "the panels the main block makes";
  const TForm* billingBox = dynamic_cast<const TForm*>(Application->FindComponent("BillingBoxF"));
  ASSERT_NE(billingBox, nullptr);
  EXPECT_LE(billingBox->Left() + billingBox->Width(), CaseF->ClientWidth()) << "the billing box ends inside the window";
  EXPECT_TRUE(saveScreenshot(CaseF, "qncases-case-at-96-ppi.png"));
}

}  // namespace
