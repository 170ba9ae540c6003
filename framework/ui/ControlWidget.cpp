#include "framework/ui/ControlWidget.h"

#include <QAbstractScrollArea>
#include <QDragEnterEvent>
#include <QPainter>
#include <QResizeEvent>

#include "framework/ui/Focus.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/MouseHover.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/TextDrag.h"

namespace qn::ui {

WidgetOfControl* linkOfWidget(const QObject* object) {
  return dynamic_cast<WidgetOfControl*>(const_cast<QObject*>(object));
}

TWinControl* controlOfWidget(const QObject* object) {
  for (const QObject* o = object; o; o = o->parent()) {
    if (WidgetOfControl* link = linkOfWidget(o)) return link->control();
    if (auto* w = qobject_cast<const QWidget*>(o); w && w->isWindow()) return nullptr;
  }
  return nullptr;
}

namespace detail {

void setUpControlWidget(QWidget* widget) {
  // Qt sends button-less moves only to tracking widgets.
  widget->setMouseTracking(true);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) area->viewport()->setMouseTracking(true);
  // The right press and the menu key reach the control's popup menu through the framework.
  widget->setContextMenuPolicy(Qt::PreventContextMenu);
  widget->setAcceptDrops(false);
  // The wheel goes to the focused control; no widget takes the focus from it.
  if (widget->focusPolicy() > Qt::StrongFocus) widget->setFocusPolicy(Qt::StrongFocus);
}

bool controlWidgetEvent(QWidget* widget, WidgetOfControl& link, QEvent* event, bool& result) {
  TWinControl* control = link.control();
  switch (event->type()) {
    case QEvent::ContextMenu:
      result = true;
      return true;
    case QEvent::Enter:
      if (control) guarded(control, [control] { control->MouseEnter(); });
      return false;
    case QEvent::Leave:
      noteMouseOver(nullptr);  // off the windowless controls of this window, too
      if (control) guarded(control, [control] { control->MouseLeave(); });
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (auto* form = dynamic_cast<FormBase*>(control); form && widget->isWindow()) {
        bool active = event->type() == QEvent::WindowActivate;
        guarded(form, [form, active] { formActivationChanged(form, active); });
      }
      return false;
    default:
      return false;
  }
}

QWidget* paintSurfaceOf(QWidget* widget) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) return area->viewport();
  return widget;
}

void controlWidgetPainted(QWidget* widget, WidgetOfControl& link, QPaintEvent*) {
  TWinControl* control = link.control();
  if (!control) return;
  // No box may show inside a paint: what a paint raises is handed over after it.
  guardedDeferred([widget, control] {
    QPainter painter(paintSurfaceOf(widget));
    const TPoint client = control->OriginInWindow();
    painter.translate(client.X, client.Y);
    control->PaintWindow(painter);
    control->PaintWindowlessChildren(painter);
  });
}

void controlWidgetResized(QWidget* widget, WidgetOfControl& link, QResizeEvent*) {
  TWinControl* control = link.control();
  if (!control) return;
  // A scroll area hands its viewport's resize on as its own, with the viewport's smaller size:
  // the control's size is the widget's.
  QSize size = widget->size();
  guardedDeferred([control, size] { control->windowWasResized(size.width(), size.height()); });
}

void controlWidgetDragEntered(WidgetOfControl& link, QDragEnterEvent* event) {
  controlWidgetDragEvent(link.control(), event, false);
}

void controlWidgetDragMoved(WidgetOfControl& link, QDragMoveEvent* event) {
  controlWidgetDragEvent(link.control(), event, false);
}

void controlWidgetDropped(WidgetOfControl& link, QDropEvent* event) { controlWidgetDragEvent(link.control(), event, true); }

}  // namespace detail

}  // namespace qn::ui
