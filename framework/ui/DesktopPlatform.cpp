#include "framework/ui/DesktopPlatform.h"

#include <QGuiApplication>
#include <cstdlib>

namespace qn::ui {

void prepareDesktopPlatform() {
  preferX11();
  useWholeScaleFactors();
}

void preferX11() {
  const char* display = std::getenv("DISPLAY");
  if (!std::getenv("QT_QPA_PLATFORM") && display && *display) setenv("QT_QPA_PLATFORM", "xcb", 0);
}

void useWholeScaleFactors() {
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

}  // namespace qn::ui
