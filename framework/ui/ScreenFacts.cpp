#include "framework/ui/ScreenFacts.h"

#include <QGuiApplication>
#include <QScreen>

namespace qn::ui {

namespace {

std::optional<ScreenFacts>& injected() {
  static std::optional<ScreenFacts> facts;
  return facts;
}

TRect rectOf(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }

}  // namespace

ScreenFacts screenFacts() {
  if (injected()) return *injected();
  ScreenFacts facts;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return facts;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return facts;
  const QRect whole = screen->geometry();
  facts.width = whole.width();
  facts.height = whole.height();
  facts.primaryMonitorWidth = whole.width();
  facts.primaryMonitorHeight = whole.height();
  facts.workArea = rectOf(screen->availableGeometry());
  return facts;
}

void setScreenFacts(std::optional<ScreenFacts> facts) { injected() = std::move(facts); }

}  // namespace qn::ui
