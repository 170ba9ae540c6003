#include "framework/ui/testing/QtTestApplication.h"

#include "framework/ui/DesktopPlatform.h"
#include "framework/ui/WidgetApplication.h"

namespace qn::ui::testing {

QApplication& qtApplication() {
  static int argc = 1;
  static char name[] = "qn-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qn::ui::useWholeScaleFactors();
    return new qn::ui::WidgetApplication(argc, argv);
  }();  // never deleted: lives as long as the process
  return *app;
}

}  // namespace qn::ui::testing
