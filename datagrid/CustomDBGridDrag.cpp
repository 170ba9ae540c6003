// Dragging a column by its title: the grid holds the mouse and runs its own loop until the button
// comes up; an image of the title follows the mouse, the grid scrolls when the image reaches an
// edge, and the drop moves the column.
#include <algorithm>

#include "datagrid/CustomDBGrid.h"
#include "framework/db/DataSet.h"
#include "framework/ui/BitmapImage.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MouseCapture.h"

namespace {

// The mouse must go this far from the press before a drag begins.
bool farEnough(TPoint from, int X, int Y) { return std::abs(X - from.X) > 2 || std::abs(Y - from.Y) >= 3; }

}  // namespace

Canvas& TdcCustomDBGrid::GetPaintCanvas() { return dragImageBuilding_ ? dragImage_->canvas() : canvas(); }

bool TdcCustomDBGrid::ColumnDragStarted() const { return dragCell_.column >= 0 && dragStarted_; }

void TdcCustomDBGrid::runColumnDrag(GridCoord cell, int X, int Y) {
  dragCell_ = cell;
  dragPress_ = {X, Y};
  dragStarted_ = false;
  if (!dragTimer_) {
    dragTimer_ = new IntervalTimer(this);
    dragTimer_->SetEnabled(false);
    dragTimer_->SetInterval(100);
    dragTimer_->OnTimer = [this](TObject*) { columnDragTick(); };
  }
  SetCaptureControl(this);
  // Whatever ends the loop, the mouse and the timer are let go and the image goes.
  const auto finish = [this] {
    dragTimer_->SetEnabled(false);
    if (dragStarted_) invalidateDragImage();
    dragImage_.reset();
    dragCell_ = {-1, -1};
    dragStarted_ = false;
    if (GetCaptureControl() == this) ReleaseCapture();
  };
  try {
    qn::ui::runCaptureLoop(this);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TdcCustomDBGrid::startColumnDrag() {
  dragStarted_ = true;
  const TRect cell = cellBounds(dragCell_.column, dragCell_.row);
  const TRect client = ClientRect();
  int widest = client.Width() - 10;
  if (dbOptions_.Contains(dgIndicator)) widest -= columnWidth(0) + 2;
  const int width = std::max(1, std::min(columnWidth(dragCell_.column), widest));
  const int height = std::max(1, cell.Height());
  dragImage_ = std::make_unique<BitmapImage>(width, height);
  dragImageBuilding_ = true;
  try {
    Canvas& c = dragImage_->canvas();
    c.SetFont(titleFont_.get());
    c.Brush.Style = BrushStyle::solid;
    c.Brush.Color = titleColor_;
    DrawCell(dragCell_.column, dragCell_.row, {0, 0, width, height}, {cellFixed});
  } catch (...) {
    dragImageBuilding_ = false;
    throw;
  }
  dragImageBuilding_ = false;
  Canvas& c = dragImage_->canvas();
  c.Pen.Color = clBlack;
  c.moveTo(width - 1, 0);
  c.drawLineTo(width - 1, height - 1);
  c.drawLineTo(-1, height - 1);
  dragX_ = cell.Left;
  dragTimer_->SetEnabled(true);
}

void TdcCustomDBGrid::invalidateDragImage() {
  if (dragImage_) invalidateArea({dragX_, dragVertOffset_, dragX_ + dragImage_->Width(), dragVertOffset_ + dragImage_->Height()});
}

void TdcCustomDBGrid::moveColumnDrag(int X) {
  const int x = X - (dragPress_.X - cellBounds(dragCell_.column, dragCell_.row).Left);
  if (x == dragX_) return;
  dragRight_ = x > dragX_;
  invalidateDragImage();
  dragX_ = x;
  invalidateDragImage();
}

void TdcCustomDBGrid::columnDragTick() {
  if (!ColumnDragStarted()) return;
  const int right = dragX_ + dragImage_->Width();
  const int lastVisible = firstScrollColumn() + fullyVisibleColumns() - 1;
  const int firstLeft = cellBounds(firstScrollColumn(), titleOffset_ ? 0 : firstScrollRow()).Left;
  if (dragRight_ && right > ClientRect().Right && lastVisible < columnCount() - 1)
    setFirstScrollColumn(firstScrollColumn() + 1);
  else if (!dragRight_ && dragX_ < firstLeft && firstScrollColumn() > FixedCols())
    setFirstScrollColumn(firstScrollColumn() - 1);
  else
    return;
  invalidateDragImage();
}

void TdcCustomDBGrid::dropColumn(int X, int Y) {
  dragTimer_->SetEnabled(false);
  invalidateDragImage();
  const int start = dragCell_.column;
  const int row = dragCell_.row;
  const TRect client = ClientRect();
  const auto cell = cellAtPoint({X, std::clamp(Y, 0, std::max(0, client.Bottom - 1))});
  int target;
  if (cell) target = cell->column;
  else if (X >= client.Right || X >= cellBounds(columnCount() - 1, row).Right) target = columnCount() - 1;
  else target = FixedCols();
  target = std::clamp(target, FixedCols(), columnCount() - 1);
  pressedTitle_ = {-1, -1};
  if (target == start) repaintCell(start, row);
  else moveColumnTo(start, target);
}

void TdcCustomDBGrid::MouseMove(TShiftState Shift, int X, int Y) {
  mouseAt_ = {X, Y};
  if (dragCell_.column >= 0) {
    if (!dragStarted_) {
      if (!farEnough(dragPress_, X, Y)) return;
      startColumnDrag();
    }
    moveColumnDrag(X);
    return;
  }
  if (selectingByMouse_) {
    // Within the rows the current cell follows the mouse, as a press there would move it.
    const auto cell = cellAtPoint({X, Y});
    if (cell && cell->row >= titleOffset_ && cell->column >= indicatorOffset_ && linkActive() &&
        (cell->row != Row() || cell->column != Col())) {
      if (cell->column >= FixedCols() && cell->column != Col()) SetSelectedIndex(cell->column - indicatorOffset_);
      if (cell->row != Row()) dataSet()->MoveBy(cell->row - Row());
    }
  }
  TCustomGrid::MouseMove(Shift, X, Y);
}
