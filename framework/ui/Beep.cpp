#include "framework/ui/Beep.h"

#include <QApplication>

namespace {

int beeps = 0;

}  // namespace

void Beep() {
  ++beeps;
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

namespace qn::ui {

int beepCount() { return beeps; }

}  // namespace qn::ui
