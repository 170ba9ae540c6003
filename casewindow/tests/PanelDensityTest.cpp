// The panels the main window hosts are drawn at 120 pixels per inch, like the window. Made at
// another density, each takes it once: every control inside it by the ratio of the densities; at
// 120 nothing moves.
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "casewindow/AttorneyPickerPanels.h"
#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseDescriptionF.h"
#include "casewindow/CaseMiscF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/CodePickerPanels.h"
#include "casewindow/FCSalesTaxF.h"
#include "casewindow/tests/MatterPanelsFixture.h"
#include "dialogs/ClientCaseLookF.h"
#include "editors/DBLookupCombo.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"

namespace casewindow_test {
namespace {

struct HostedPanelKind {
  const char* name;
  std::function<TForm*()> make;
};

template <class T>
HostedPanelKind kind(const char* name) {
  return {name, [] { return new T(Application); }};
}

const HostedPanelKind kHostedPanelKinds[] = {
    kind<TClientCaseLookF1>("ClientCaseLookF1"), kind<TCaseDescriptionF>("CaseDescriptionF"),
    kind<TRA1F>("RA1F"),                         kind<TRA2F>("RA2F"),
    kind<TRA3F>("RA3F"),                         kind<TDepartmentF>("DepartmentF"),
    kind<TCaType1F>("CaType1F"),                 kind<TCaType2F>("CaType2F"),
    kind<TCaType3F>("CaType3F"),                 kind<TStMsgF>("StMsgF"),
    kind<TCaseMiscF>("CaseMiscF"),               kind<TFCSalesTaxF>("FCSalesTaxF"),
    kind<TBillingBoxF>("BillingBoxF"),
};

// What of a control's bounds follows a text in the screen's font rather than the ratio: a caption
// sized to its text, a lookup's height, and the header's code and suffix boxes, fitted to seven
// characters (the suffix keeps its right edge, the client name after the code keeps its own).
struct FittedToText {
  bool width = false, height = false, rightEdge = false;
};

FittedToText fittedToText(const TControl& control) {
  if (const auto* label = dynamic_cast<const TextLabel*>(&control); label && label->AutoSize()) return {true, true};
  FittedToText fitted;
  if (const auto* lookup = dynamic_cast<const TdcDBCustomLookupCombo*>(&control); lookup && lookup->AutoSize())
    fitted.height = true;
  fitted.rightEdge = control.Name() == "CaseSuffix" || control.Name() == "ClientName";
  if (fitted.rightEdge || control.Name() == "ClientCode") fitted.width = true;
  return fitted;
}

struct ControlPlace {
  TRect bounds;
  FittedToText fitted;
  bool operator==(const ControlPlace& other) const { return bounds == other.bounds; }
};

// The client area and every control the panel owns, by position and name.
std::map<std::string, ControlPlace> placesIn(const TForm& panel) {
  std::map<std::string, ControlPlace> places{{"client area", {Rect(0, 0, panel.ClientWidth(), panel.ClientHeight())}}};
  for (int i = 0; i < panel.ComponentCount(); ++i)
    if (const auto* control = dynamic_cast<const TControl*>(panel.Components(i)))
      places[std::to_string(i) + " " + control->Name()] = {control->BoundsRect(), fittedToText(*control)};
  return places;
}

int at96(int design) { return static_cast<int>(std::lround(design * 96.0 / 120)); }

class PanelDensityTest : public MatterPanelsFixture {
 protected:
  void TearDown() override {
    MatterPanelsFixture::TearDown();
    Screen->SetPixelsPerInch(0);
  }

  // The panel made at ppi and given the screen's density as the main window docks it, the
  // header's lookups fitted to their text again as the window has them.
  static std::map<std::string, ControlPlace> madeAt(int ppi, const HostedPanelKind& kind) {
    Screen->SetPixelsPerInch(ppi);
    std::unique_ptr<TForm> panel(kind.make());
    panel->scaleFromDesign(120);
    panel->scaleFromDesign(120);
    if (auto* header = dynamic_cast<TClientCaseLookF*>(panel.get())) header->SizeLookupFields();
    return placesIn(*panel);
  }
};

TEST_F(PanelDensityTest, EveryControlOfAHostedPanelTakesTheScreensDensityAndNoneMovesAt120) {
  for (const HostedPanelKind& kind : kHostedPanelKinds) {
    SCOPED_TRACE(kind.name);
    Screen->SetPixelsPerInch(120);
    std::map<std::string, ControlPlace> drawn;
    {
      std::unique_ptr<TForm> panel(kind.make());
      drawn = placesIn(*panel);
    }
    ASSERT_GT(drawn.size(), 2u);
    EXPECT_EQ(madeAt(120, kind), drawn) << "at the density it was drawn at";

    const std::map<std::string, ControlPlace> made = madeAt(96, kind);
    ASSERT_EQ(made.size(), drawn.size());
    for (const auto& [name, design] : drawn) {
      const TRect& at = made.at(name).bounds;
      const TRect& was = design.bounds;
      EXPECT_EQ(at.Top, at96(was.Top)) << name;
      if (design.fitted.rightEdge) EXPECT_EQ(at.Right, at96(was.Right)) << name;
      else EXPECT_EQ(at.Left, at96(was.Left)) << name;
      if (!design.fitted.width) EXPECT_EQ(at.Right - at.Left, at96(was.Right - was.Left)) << name;
      if (!design.fitted.height) EXPECT_EQ(at.Bottom - at.Top, at96(was.Bottom - was.Top)) << name;
    }
  }
}

}  // namespace
}  // namespace casewindow_test
