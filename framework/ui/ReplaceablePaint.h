#pragma once
// A paint a control may put in place of its Qt widget's own (an edit or a combo box that shows its
// text its own way while it is not being edited). The handler runs inside the widget's Qt paint
// event with a canvas on the widget, in the control's font, and answers whether it painted: when
// it did, the widget paints nothing of its own (the control's windowless children still paint on
// top); when it did not, or none is installed, the widget paints as always.
//
// A control offers it by inheriting ReplaceablePaint and making its widget a
// ReplaceablePaintWidget<the Qt class>.
#include <functional>
#include <utility>

#include "framework/ui/ControlWidget.h"

class Canvas;

using TPaintHandler = std::function<bool(Canvas& canvas)>;

class ReplaceablePaint {
 public:
  const TPaintHandler& PaintHandler() const { return paintHandler_; }
  void SetPaintHandler(TPaintHandler Handler) { paintHandler_ = std::move(Handler); }

 protected:
  ReplaceablePaint() = default;
  ~ReplaceablePaint() = default;

 private:
  TPaintHandler paintHandler_;
};

namespace qn::ui::detail {
// Runs the paint handler of the widget's control, if it has one; answers whether it painted.
bool paintedByHandler(QWidget* widget, WidgetOfControl& link);
}  // namespace qn::ui::detail

template <class Base>
class ReplaceablePaintWidget : public ControlWidget<Base> {
 public:
  using ControlWidget<Base>::ControlWidget;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (qn::ui::detail::paintedByHandler(this, *this)) return;
    ControlWidget<Base>::paintEvent(event);
  }
};
