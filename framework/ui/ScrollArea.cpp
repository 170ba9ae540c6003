#include "framework/ui/ScrollArea.h"

#include <QChildEvent>
#include <QScrollBar>
#include <algorithm>

#include "framework/ui/Canvas.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/ScreenFacts.h"

namespace {

// Keeps the scroll bars above the children's windows, which arrive after them.
class ScrollAreaWidget : public ControlWidget<QWidget> {
 public:
  using ControlWidget::ControlWidget;

 protected:
  bool event(QEvent* event) override {
    const bool result = ControlWidget::event(event);
    if (event->type() == QEvent::ChildAdded) {
      for (QScrollBar* bar : findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) bar->raise();
    }
    return result;
  }
};

int borderWidth(TBorderStyle style) { return style == bsSingle ? 2 : 0; }

}  // namespace

void ScrollAreaBar::SetRange(int Value) {
  range_ = std::max(0, Value);
  area_.barsChanged();
}

void ScrollAreaBar::SetIncrement(int Value) {
  increment_ = std::max(1, Value);
  area_.showBars();
}

void ScrollAreaBar::SetPosition(int Value) { area_.scrollTo(*this, Value); }

void ScrollAreaBar::SetVisible(bool Value) {
  visible_ = Value;
  area_.barsChanged();
}

bool ScrollAreaBar::IsScrollBarVisible() const {
  bool horizontal = false, vertical = false;
  area_.barsShown(horizontal, vertical);
  return horizontal_ ? horizontal : vertical;
}

void ScrollArea::PublishProperties(PropertyPublisher<ScrollArea>&) {}

ScrollArea::ScrollArea(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(Left(), Top(), 185, 41);
  SetBorderStyle(bsSingle);
}

void ScrollArea::barsShown(bool& horizontal, bool& vertical) const {
  const int border = borderWidth(BorderStyle());
  const int width = Width() - 2 * border, height = Height() - 2 * border;
  const ScreenFacts facts = qn::ui::screenFacts();
  vertical = vert_.visible_ && vert_.range_ > height;
  horizontal = horz_.visible_ && horz_.range_ > width - (vertical ? facts.verticalScrollBarWidth : 0);
  if (horizontal && !vertical) vertical = vert_.visible_ && vert_.range_ > height - facts.horizontalScrollBarHeight;
}

TRect ScrollArea::ClientRect() const {
  bool horizontal = false, vertical = false;
  barsShown(horizontal, vertical);
  const ScreenFacts facts = qn::ui::screenFacts();
  const int border = borderWidth(BorderStyle());
  const int right = Width() - border - (vertical ? facts.verticalScrollBarWidth : 0);
  const int bottom = Height() - border - (horizontal ? facts.horizontalScrollBarHeight : 0);
  return {border, border, std::max(border, right), std::max(border, bottom)};
}

int ScrollArea::roomFor(const ScrollAreaBar& bar) const {
  const TRect client = ClientRect();
  return bar.horizontal_ ? client.Width() : client.Height();
}

void ScrollArea::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    child->SetBounds(child->Left() + DeltaX, child->Top() + DeltaY, child->Width(), child->Height());
  }
  Invalidate();
}

void ScrollArea::scrollTo(ScrollAreaBar& bar, int position) {
  position = std::clamp(position, 0, std::max(0, bar.range_ - roomFor(bar)));
  const int delta = bar.position_ - position;
  bar.position_ = position;
  if (bar.horizontal_) ScrollBy(delta, 0);
  else ScrollBy(0, delta);
  showBars();
}

void ScrollArea::ScrollInView(TControl* AControl) {
  if (!AControl || AControl->Parent() != this) return;
  const TRect client = ClientRect();
  const auto distance = [](int start, int end, int roomStart, int roomEnd, int margin) {
    // Positive: the content moves back (the bar's position grows).
    if (start - margin < roomStart) return start - margin - roomStart;
    if (end + margin > roomEnd) return std::min(end + margin - roomEnd, start - margin - roomStart);
    return 0;
  };
  const int dx = distance(AControl->Left(), AControl->Left() + AControl->Width(), client.Left, client.Right, horz_.margin_);
  const int dy = distance(AControl->Top(), AControl->Top() + AControl->Height(), client.Top, client.Bottom, vert_.margin_);
  scrollTo(horz_, horz_.position_ + dx);
  scrollTo(vert_, vert_.position_ + dy);
}

void ScrollArea::barsChanged() {
  scrollTo(horz_, horz_.position_);
  scrollTo(vert_, vert_.position_);
  AlignControls();
  Invalidate();
}

void ScrollArea::showBars() {
  bool horizontal = false, vertical = false;
  barsShown(horizontal, vertical);
  const TRect client = ClientRect();
  const auto show = [](QScrollBar* widget, const ScrollAreaBar& bar, bool shown, int room, QRect place) {
    if (!widget) return;
    const QSignalBlocker quiet(widget);
    widget->setVisible(shown);
    if (!shown) return;
    widget->setGeometry(place);
    widget->setRange(0, std::max(0, bar.Range() - room));
    widget->setPageStep(std::max(1, room));
    widget->setSingleStep(bar.Increment());
    widget->setValue(bar.Position());
    widget->raise();
  };
  const ScreenFacts facts = qn::ui::screenFacts();
  show(horzWidget_, horz_, horizontal, client.Width(),
       QRect(client.Left, client.Bottom, client.Width(), facts.horizontalScrollBarHeight));
  show(vertWidget_, vert_, vertical, client.Height(), QRect(client.Right, client.Top, facts.verticalScrollBarWidth, client.Height()));
}

QWidget* ScrollArea::MakeWidget(QWidget* parentWidget) {
  auto* widget = new ScrollAreaWidget(this, parentWidget);
  horzWidget_ = new QScrollBar(Qt::Horizontal, widget);
  vertWidget_ = new QScrollBar(Qt::Vertical, widget);
  for (QScrollBar* bar : {horzWidget_.data(), vertWidget_.data()}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  QObject::connect(horzWidget_, &QScrollBar::valueChanged, [this](int value) { qn::ui::guarded(this, [this, value] { scrollTo(horz_, value); }); });
  QObject::connect(vertWidget_, &QScrollBar::valueChanged, [this](int value) { qn::ui::guarded(this, [this, value] { scrollTo(vert_, value); }); });
  return widget;
}

void ScrollArea::WindowCreated() {
  TWinControl::WindowCreated();
  showBars();
}

void ScrollArea::BoundsChanged() {
  TWinControl::BoundsChanged();
  scrollTo(horz_, horz_.position_);
  scrollTo(vert_, vert_.position_);
}

void ScrollArea::PaintWindow(QPainter& painter) {
  if (BorderStyle() != bsSingle) return;
  Canvas canvas(&painter, Screen->PixelsPerInch());
  TRect frame{0, 0, Width(), Height()};
  canvas.drawEdge(frame, edgeSunken, sidesAll);
}
