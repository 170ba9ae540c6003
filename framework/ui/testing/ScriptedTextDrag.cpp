#include "framework/ui/testing/ScriptedTextDrag.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>

#include "framework/ui/RichEdit.h"

namespace qn::ui::testing {

Qt::DropAction sendTextDrag(QWidget* target, QPoint at, const QString& text, Qt::DropActions allowed,
                            Qt::KeyboardModifiers keys) {
  QMimeData data;
  data.setText(text);
  QDragEnterEvent enter(at, allowed, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return Qt::IgnoreAction;
  QDragMoveEvent move(at, allowed, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(target, &move);
  if (!move.isAccepted()) return Qt::IgnoreAction;
  QDropEvent drop(QPointF(at), allowed, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

ScriptedTextDrag::ScriptedTextDrag() {
  previous_ = setTextDragRunner([this](const TextDrag& drag) {
    ++drags;
    if (!target) return DropEffect::none;
    return dropEffectOf(sendTextDrag(target, at, QString::fromStdString(ansiToUtf8(drag.text)), qtDropActionsOf(drag.allowed), keys));
  });
}

ScriptedTextDrag::~ScriptedTextDrag() { setTextDragRunner(std::move(previous_)); }

QWidget* textAreaOf(TCustomRichEdit& edit) { return static_cast<QTextEdit*>(edit.Window())->viewport(); }

QPoint pointOfCharacter(TCustomRichEdit& edit, int index) {
  auto* text = static_cast<QTextEdit*>(edit.Window());
  const bool pastEnd = index >= edit.TextLength();
  const TPoint at = edit.PositionOfChar(pastEnd ? edit.TextLength() - 1 : index);
  return text->viewport()->mapFrom(text, QPoint(at.X + (pastEnd ? 40 : 3), at.Y + 4));
}

void dragFromCharacter(TCustomRichEdit& edit, int index) {
  QWidget* area = textAreaOf(edit);
  const QPoint at = pointOfCharacter(edit, index);
  const QPoint away = at + QPoint(QApplication::startDragDistance() + 10, 0);
  QTest::mousePress(area, Qt::LeftButton, {}, at);
  QMouseEvent move(QEvent::MouseMove, away, area->mapToGlobal(away), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(area, &move);
  QTest::mouseRelease(area, Qt::LeftButton, {}, away);
}

}  // namespace qn::ui::testing
