#pragma once
// Stand-ins for the panel forms the main window hosts: plain forms owned by the application under
// the panels' component names, each opening in stages by writing its name into a shared log and
// counting PanelInitStep on. Test code only.
#include <string>
#include <vector>

#include "core/Globals.h"
#include "core/StagedPanel.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/PlaceControl.h"

namespace casewindow_test {

class TestPanelForm : public TForm, public StagedPanel {
 public:
  TestPanelForm(const char* name, std::vector<std::string>& opened) : TForm(Application), opened_(opened) {
    SetName(name);
    SetBounds(0, 0, 300, 50);
  }
  void OpenStagedPanel() override {
    opened_.push_back(Name());
    ++PanelInitStep;
  }

 private:
  std::vector<std::string>& opened_;
};

// Creates the named panels; the application frees them.
inline void createTestPanels(const std::vector<const char*>& names, std::vector<std::string>& opened) {
  for (const char* name : names) new TestPanelForm(name, opened);
}

// A control of class T named name on a stand-in panel, owned by it.
template <class T>
T* addNamedControl(TForm* panel, const char* name, int left, int top, int width, int height) {
  T* control = PlaceControl<T>(panel, panel, left, top, width, height);
  control->SetName(name);
  return control;
}

// Every panel the main window places, but RA3F, StMsgF and CaType3F.
inline const std::vector<const char*> kPanelsWithoutTheLateOnes = {
    "ClientCaseLookF1", "CaseDescriptionF", "RA1F",     "RA2F",        "DepartmentF", "CaType1F",
    "CaType2F",         "CaseMiscF",        "FCSalesTaxF", "BillingBoxF"};

}  // namespace casewindow_test
