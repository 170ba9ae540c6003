#include "framework/ui/testing/QtTestApplication.h"

#include <QApplication>

namespace qn::ui::testing {

QApplication& qtApplication() {
  static int argc = 1;
  static char name[] = "qn-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // never deleted: lives as long as the process
  return *app;
}

}  // namespace qn::ui::testing
