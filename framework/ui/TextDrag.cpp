#include "framework/ui/TextDrag.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QAbstractScrollArea>
#include <QWidget>
#include <utility>

#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/WinControl.h"

namespace qn::ui {

namespace {

const TextDrag* runningDrag = nullptr;

TextDragRunner& dragRunner() {
  static TextDragRunner runner;
  return runner;
}

DropEffects effectsOf(Qt::DropActions actions) {
  DropEffects effects;
  if (actions & Qt::CopyAction) effects.Include(DropEffect::copy);
  if (actions & Qt::MoveAction) effects.Include(DropEffect::move);
  if (actions & Qt::LinkAction) effects.Include(DropEffect::link);
  return effects;
}

Qt::DropAction qtActionOf(DropEffect effect) {
  switch (effect) {
    case DropEffect::copy:
      return Qt::CopyAction;
    case DropEffect::move:
      return Qt::MoveAction;
    case DropEffect::link:
      return Qt::LinkAction;
    case DropEffect::none:
      break;
  }
  return Qt::IgnoreAction;
}

DropEffect desktopDrag(const TextDrag& drag) {
  auto* drag_ = new QDrag(drag.source->Window());
  auto* data = new QMimeData;
  data->setText(QString::fromStdString(ansiToUtf8(drag.text)));
  drag_->setMimeData(data);
  const Qt::DropActions actions = qtDropActionsOf(drag.allowed);
  Qt::DropAction preferred = actions & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction;
  return dropEffectOf(drag_->exec(actions, preferred));
}

// Dropped text in the program's line breaks, whatever the other program used.
AnsiString droppedText(const QMimeData& data) {
  QString text = data.text();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return utf8ToAnsi(text.toStdString());
}

}  // namespace

Qt::DropActions qtDropActionsOf(DropEffects effects) {
  Qt::DropActions actions;
  if (effects.Contains(DropEffect::copy)) actions |= Qt::CopyAction;
  if (effects.Contains(DropEffect::move)) actions |= Qt::MoveAction;
  if (effects.Contains(DropEffect::link)) actions |= Qt::LinkAction;
  return actions;
}

DropEffect dropEffectOf(Qt::DropAction action) {
  switch (action) {
    case Qt::CopyAction:
      return DropEffect::copy;
    case Qt::MoveAction:
      return DropEffect::move;
    case Qt::LinkAction:
      return DropEffect::link;
    default:
      return DropEffect::none;
  }
}

DropEffect runTextDrag(const TextDrag& drag) {
  const TextDrag* outer = runningDrag;
  runningDrag = &drag;
  struct Restore {
    const TextDrag* outer;
    ~Restore() { runningDrag = outer; }
  } restore{outer};
  const TextDragRunner runner = dragRunner();
  return runner ? runner(drag) : desktopDrag(drag);
}

const TextDrag* currentTextDrag() { return runningDrag; }

TextDragRunner setTextDragRunner(TextDragRunner runner) { return std::exchange(dragRunner(), std::move(runner)); }

void setWindowTakesDrops(QWidget* window, bool takes) {
  window->setAcceptDrops(takes);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(window)) area->viewport()->setAcceptDrops(takes);
}

namespace detail {

bool widgetTakesDrops(TWinControl* control) {
  auto* target = dynamic_cast<TextDropTarget*>(control);
  return target && target->acceptsTextDrops();
}

void controlWidgetDragEvent(TWinControl* control, QDropEvent* event, bool dropping) {
  event->ignore();
  if (!control || !widgetTakesDrops(control) || !event->mimeData() || !event->mimeData()->hasText()) return;
  auto* target = dynamic_cast<TextDropTarget*>(control);
  const QPoint at = event->position().toPoint();
  const TPoint point{at.x(), at.y()};
  const TShiftState shift = shiftStateOf(event->modifiers());
  const DropEffects allowed = effectsOf(event->possibleActions());
  const bool fromSelf = runningDrag && runningDrag->source == control;
  DropEffect effect = DropEffect::none;
  if (dropping) {
    const AnsiString text = droppedText(*event->mimeData());
    guarded(control, [&] { effect = target->textDropped(text, point, shift, allowed, fromSelf); });
  } else {
    guarded(control, [&] { effect = target->textDragOver(point, shift, allowed, fromSelf); });
  }
  if (effect == DropEffect::none || !allowed.Contains(effect)) return;
  event->setDropAction(qtActionOf(effect));
  event->accept();
}

}  // namespace detail

}  // namespace qn::ui
