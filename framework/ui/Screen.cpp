#include "framework/ui/Screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "framework/ui/ActiveForm.h"
#include "framework/ui/Focus.h"

namespace {

TScreen instance;

}  // namespace

TScreen* const Screen = &instance;

Qt::CursorShape cursorShapeOf(TCursor cursor) {
  switch (cursor) {
    case crHourGlass: return Qt::WaitCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHSplit: return Qt::SplitHCursor;
    default: return Qt::ArrowCursor;
  }
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  // One override cursor of ours at most on Qt's stack, so crDefault takes exactly it away.
  if (cursor == crDefault) {
    if (overriding_) QGuiApplication::restoreOverrideCursor();
    overriding_ = false;
  } else if (overriding_) {
    QGuiApplication::changeOverrideCursor(QCursor(cursorShapeOf(cursor)));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(cursorShapeOf(cursor)));
    overriding_ = true;
  }
}

int TScreen::PixelsPerInch() const {
  if (pixelsPerInch_ > 0) return pixelsPerInch_;
  if (screenPixelsPerInch_ > 0) return screenPixelsPerInch_;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    if (QScreen* screen = QGuiApplication::primaryScreen())
      return screenPixelsPerInch_ = static_cast<int>(std::lround(screen->logicalDotsPerInch()));
  return 96;
}

TWinControl* TScreen::ActiveControl() const { return qn::ui::focusedControl(); }

TForm* TScreen::activeForm() const { return qn::ui::activeTopLevelForm(); }
