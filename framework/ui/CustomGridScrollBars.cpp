// The grid's scroll bars: child widgets it lays out and sets itself.
#include <QScrollBar>
#include <algorithm>

#include "framework/ui/CustomGrid.h"
#include "framework/ui/SafeDispatch.h"

namespace {

std::optional<ScrollAction> scrollActionOf(int action, bool tracking) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollAction::lineUp;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollAction::lineDown;
    case QAbstractSlider::SliderPageStepSub: return ScrollAction::pageUp;
    case QAbstractSlider::SliderPageStepAdd: return ScrollAction::pageDown;
    case QAbstractSlider::SliderToMinimum: return ScrollAction::top;
    case QAbstractSlider::SliderToMaximum: return ScrollAction::bottom;
    case QAbstractSlider::SliderMove: return tracking ? std::optional(ScrollAction::thumbTrack) : std::nullopt;
    default: return std::nullopt;
  }
}

}  // namespace

void TCustomGrid::WindowCreated() {
  SelfPaintedControl::WindowCreated();
  verticalBar_ = new QScrollBar(Qt::Vertical, Window());
  horizontalBar_ = new QScrollBar(Qt::Horizontal, Window());
  for (QScrollBar* bar : {verticalBar_.data(), horizontalBar_.data()}) {
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setTracking(false);
  }
  QObject::connect(verticalBar_, &QScrollBar::actionTriggered, [this](int action) {
    qn::ui::guarded(this, [&] { verticalBarAction(scrollActionOf(action, options_.Contains(gridThumbTracking))); });
  });
  QObject::connect(verticalBar_, &QScrollBar::sliderReleased, [this] {
    qn::ui::guarded(this, [&] { verticalBarAction(ScrollAction::thumbPosition); });
  });
  QObject::connect(horizontalBar_, &QScrollBar::actionTriggered, [this](int action) {
    qn::ui::guarded(this, [&] { horizontalBarAction(scrollActionOf(action, options_.Contains(gridThumbTracking))); });
  });
  QObject::connect(horizontalBar_, &QScrollBar::sliderReleased, [this] {
    qn::ui::guarded(this, [&] { horizontalBarAction(ScrollAction::thumbPosition); });
  });
  layoutScrollBars();
}

void TCustomGrid::layoutScrollBars() {
  if (!verticalBar_ || !horizontalBar_) return;
  const TRect client = ClientRect();
  const bool vertical = scrollBars_ == scrollBarsVertical || scrollBars_ == scrollBarsBoth;
  const bool horizontal = scrollBars_ == scrollBarsHorizontal || scrollBars_ == scrollBarsBoth;
  verticalBar_->setGeometry(client.Right, 0, Width() - client.Right, client.Bottom);
  horizontalBar_->setGeometry(0, client.Bottom, client.Right, Height() - client.Bottom);
  verticalBar_->setVisible(vertical);
  horizontalBar_->setVisible(horizontal);
  // The origin may have to come back when the last page grew.
  const int maxColumn = std::max(FixedCols(), columns_.maxFirstScroll(ClientRect().Width(), lineWidth_));
  const int maxRow = std::max(fixedRowCount(), rows_.maxFirstScroll(ClientRect().Height(), lineWidth_));
  if (firstScrollColumn() > maxColumn || firstScrollRow() > maxRow)
    setScrollOrigin(std::min(firstScrollColumn(), maxColumn), std::min(firstScrollRow(), maxRow));
  updateHorizontalScrollBar();
  updateVerticalScrollBar();
}

void TCustomGrid::updateVerticalScrollBar() {
  if (!verticalBar_) return;
  const int maxRow = std::max(fixedRowCount(), rows_.maxFirstScroll(ClientRect().Height(), lineWidth_));
  setVerticalScrollRange(0, maxRow - fixedRowCount());
  setVerticalScrollPosition(firstScrollRow() - fixedRowCount());
  verticalBar_->setPageStep(std::max(1, fullyVisibleRows()));
}

void TCustomGrid::updateHorizontalScrollBar() {
  if (!horizontalBar_) return;
  const QSignalBlocker quiet(horizontalBar_);
  const int maxColumn = std::max(FixedCols(), columns_.maxFirstScroll(ClientRect().Width(), lineWidth_));
  horizontalBar_->setRange(0, maxColumn - FixedCols());
  horizontalBar_->setValue(firstScrollColumn() - FixedCols());
  horizontalBar_->setPageStep(std::max(1, fullyVisibleColumns()));
}

void TCustomGrid::setVerticalScrollRange(int Minimum, int Maximum) {
  if (!verticalBar_) return;
  const QSignalBlocker quiet(verticalBar_);
  verticalBar_->setRange(Minimum, Maximum);
}

void TCustomGrid::setVerticalScrollPosition(int Value) {
  if (!verticalBar_) return;
  const QSignalBlocker quiet(verticalBar_);
  verticalBar_->setValue(Value);
}

int TCustomGrid::verticalScrollPosition() const { return verticalBar_ ? verticalBar_->value() : 0; }

std::pair<int, int> TCustomGrid::verticalScrollRange() const {
  return verticalBar_ ? std::pair{verticalBar_->minimum(), verticalBar_->maximum()} : std::pair{0, 0};
}


void TCustomGrid::verticalBarAction(std::optional<ScrollAction> move) {
  QPointer<QScrollBar> bar = verticalBar_;
  if (move) VerticalScroll(*move, bar->sliderPosition());
  // The grid has set the bar's value; the slider shows that rather than Qt's own step.
  if (bar && !bar->isSliderDown()) bar->setSliderPosition(bar->value());
}

void TCustomGrid::VerticalScroll(ScrollAction Action, int Position) {
  const int page = std::max(1, fullyVisibleRows());
  const int first = firstScrollRow();
  switch (Action) {
    case ScrollAction::lineUp: setFirstScrollRow(first - 1); break;
    case ScrollAction::lineDown: setFirstScrollRow(std::min(first + 1, rows_.maxFirstScroll(ClientRect().Height(), lineWidth_))); break;
    case ScrollAction::pageUp: setFirstScrollRow(first - page); break;
    case ScrollAction::pageDown: setFirstScrollRow(std::min(first + page, rows_.maxFirstScroll(ClientRect().Height(), lineWidth_))); break;
    case ScrollAction::top: setFirstScrollRow(fixedRowCount()); break;
    case ScrollAction::bottom: setFirstScrollRow(rows_.maxFirstScroll(ClientRect().Height(), lineWidth_)); break;
    case ScrollAction::thumbTrack:
    case ScrollAction::thumbPosition: setFirstScrollRow(fixedRowCount() + Position); break;
  }
  updateVerticalScrollBar();
}

void TCustomGrid::horizontalBarAction(std::optional<ScrollAction> move) {
  QPointer<QScrollBar> bar = horizontalBar_;
  if (move) {
    const int page = std::max(1, fullyVisibleColumns());
    const int maxFirst = columns_.maxFirstScroll(ClientRect().Width(), lineWidth_);
    const int first = firstScrollColumn();
    switch (*move) {
      case ScrollAction::lineUp: setFirstScrollColumn(first - 1); break;
      case ScrollAction::lineDown: setFirstScrollColumn(std::min(first + 1, maxFirst)); break;
      case ScrollAction::pageUp: setFirstScrollColumn(first - page); break;
      case ScrollAction::pageDown: setFirstScrollColumn(std::min(first + page, maxFirst)); break;
      case ScrollAction::top: setFirstScrollColumn(FixedCols()); break;
      case ScrollAction::bottom: setFirstScrollColumn(maxFirst); break;
      case ScrollAction::thumbTrack:
      case ScrollAction::thumbPosition: setFirstScrollColumn(FixedCols() + bar->sliderPosition()); break;
    }
    updateHorizontalScrollBar();
  }
  if (bar && !bar->isSliderDown()) bar->setSliderPosition(bar->value());
}
