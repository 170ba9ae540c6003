#include "framework/ui/DesktopPlatform.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

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

bool desktopReachable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) return false;
  if (std::strncmp(platform, "xcb", 3) != 0) return true;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool reachable = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return reachable;
}

const char* noDesktopMessage() {
  return "The program needs a desktop session to show its windows: set DISPLAY to a running X server "
         "(or QT_QPA_PLATFORM=offscreen to run without a screen).";
}

}  // namespace qn::ui
