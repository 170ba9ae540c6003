#pragma once
// The main window on the demo with its data modules made as the main block makes them, so the
// matter panels bind to the demo's matters. Test code only.
#include <QTest>
#include <memory>

#include "casewindow/tests/DemoStartFixture.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/DM2.h"
#include "framework/ui/Application.h"
#include "framework/ui/WinControl.h"
#include "recordmgr/BtrieveEngine.h"

namespace casewindow_test {

class MatterPanelsFixture : public DemoStartFixture {
 protected:
  void SetUp() override {
    DemoStartFixture::SetUp();
    startWith({"250101"});
    create();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    dm2 = std::make_unique<TDM2>(nullptr);
    dm2->AfterConstruction();
    dm = std::make_unique<TDM>(nullptr);
    dm->AfterConstruction();
  }
  void TearDown() override {
    MatterLoaded = false;
    dm.reset();
    dm2.reset();
    DemoStartFixture::TearDown();
  }
  // Text typed into the control as a user types it, then Tab, and what the keys posted delivered.
  void typeInto(TWinControl* control, const char* text) {
    control->SetFocus();
    QTest::keyClicks(control->Window(), text);
    QTest::keyClick(control->Window(), Qt::Key_Tab);
    Application->ProcessMessages();
  }

  std::unique_ptr<TDM2> dm2;
  std::unique_ptr<TDM> dm;
};

}  // namespace casewindow_test
