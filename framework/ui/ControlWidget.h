#pragma once
// The widgets of our controls. Each is a ControlWidget<some Qt widget class>: it links back to its
// control (WidgetOfControl), enters our code only through its overrides, each of which hands any
// exception to the application's handler before returning into Qt, and never lets Qt choose the
// next focus (focusNextPrevChild). Every one tracks the mouse, shows no built-in context menu,
// accepts no drops unless its control asks (TextDrag.h) and takes the focus at most on click and Tab.
#include <QWidget>
#include <utility>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QPaintEvent;
class QResizeEvent;
class TWinControl;

class WidgetOfControl {
 public:
  // The control this widget shows; nullptr once the control let it go.
  TWinControl* control() const { return control_; }
  void detach() { control_ = nullptr; }

 protected:
  explicit WidgetOfControl(TWinControl* control) : control_(control) {}
  virtual ~WidgetOfControl() = default;

 private:
  TWinControl* control_;
};

namespace qn::ui {

// The control whose window holds the widget (the widget itself or an ancestor is a control's
// widget); nullptr for widgets of nobody's.
TWinControl* controlOfWidget(const QObject* object);
// The link of a widget of ours; nullptr for any other widget.
WidgetOfControl* linkOfWidget(const QObject* object);

namespace detail {
void setUpControlWidget(QWidget* widget);
// Where a paint event of the widget paints: a scroll area's viewport, else the widget itself.
QWidget* paintSurfaceOf(QWidget* widget);
// Answers true when the event was taken (result then holds event()'s answer).
bool controlWidgetEvent(QWidget* widget, WidgetOfControl& link, QEvent* event, bool& result);
void controlWidgetPainted(QWidget* widget, WidgetOfControl& link, QPaintEvent* event);
void controlWidgetResized(QWidget* widget, WidgetOfControl& link, QResizeEvent* event);
// Drags reach the control when it asks for drops (TextDrag.h); refused otherwise.
void controlWidgetDragEntered(WidgetOfControl& link, QDragEnterEvent* event);
void controlWidgetDragMoved(WidgetOfControl& link, QDragMoveEvent* event);
void controlWidgetDropped(WidgetOfControl& link, QDropEvent* event);
}  // namespace detail

}  // namespace qn::ui

template <class Base>
class ControlWidget : public Base, public WidgetOfControl {
 public:
  template <class... Args>
  explicit ControlWidget(TWinControl* control, Args&&... args)
      : Base(std::forward<Args>(args)...), WidgetOfControl(control) {
    qn::ui::detail::setUpControlWidget(this);
  }

 protected:
  bool event(QEvent* event) override {
    bool result = false;
    if (qn::ui::detail::controlWidgetEvent(this, *this, event, result)) return result;
    return Base::event(event);
  }
  void paintEvent(QPaintEvent* event) override {
    Base::paintEvent(event);
    qn::ui::detail::controlWidgetPainted(this, *this, event);
  }
  void resizeEvent(QResizeEvent* event) override {
    Base::resizeEvent(event);
    qn::ui::detail::controlWidgetResized(this, *this, event);
  }
  void dragEnterEvent(QDragEnterEvent* event) override { qn::ui::detail::controlWidgetDragEntered(*this, event); }
  void dragMoveEvent(QDragMoveEvent* event) override { qn::ui::detail::controlWidgetDragMoved(*this, event); }
  void dropEvent(QDropEvent* event) override { qn::ui::detail::controlWidgetDropped(*this, event); }
  bool focusNextPrevChild(bool) override { return true; }
};
