#include "framework/ui/Screen.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

TScreen instance;

Qt::CursorShape shapeOf(TCursor cursor) { return cursor == crHourGlass ? Qt::WaitCursor : Qt::ArrowCursor; }

}  // namespace

TScreen* const Screen = &instance;

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  // One override cursor of ours at most on Qt's stack, so crDefault takes exactly it away.
  if (cursor == crDefault) {
    if (overriding_) QGuiApplication::restoreOverrideCursor();
    overriding_ = false;
  } else if (overriding_) {
    QGuiApplication::changeOverrideCursor(QCursor(shapeOf(cursor)));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(shapeOf(cursor)));
    overriding_ = true;
  }
}
