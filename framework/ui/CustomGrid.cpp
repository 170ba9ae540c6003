#include "framework/ui/CustomGrid.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/IntervalTimer.h"

const EnumerationType kGridOptionType{
    "GridOptions",
    {"gridFixedVerticalLines", "gridFixedHorizontalLines", "gridVerticalLines", "gridHorizontalLines",
     "gridColumnSizing", "gridColumnMoving", "gridTabs", "gridRowSelect", "gridEditing", "gridAlwaysShowEditor",
     "gridThumbTracking"}};

const EnumerationType kGridScrollBarsType{
    "GridScrollBars", {"scrollBarsNone", "scrollBarsHorizontal", "scrollBarsVertical", "scrollBarsBoth"}};

namespace {

constexpr const char* kNegativeSize = "A grid size may not be negative.";
constexpr const char* kFixedColumns = "The fixed columns must be fewer than the columns.";
constexpr const char* kFixedRows = "The fixed rows must be fewer than the rows.";
// How far either side of a column line a press still starts sizing the column.
constexpr int kSizingReach = 2;

int scrollBarExtent() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

}  // namespace

void TCustomGrid::PublishProperties(PropertyPublisher<TCustomGrid>& publish) {
  publish.Set("Options", kGridOptionType, &TCustomGrid::Options, &TCustomGrid::SetOptions);
  publish.Integer("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols);
  publish.Integer("FixedRows", &TCustomGrid::fixedRowCount, &TCustomGrid::setFixedRowCount);
  publish.Integer("ColCount", &TCustomGrid::columnCount, &TCustomGrid::setColumnCount);
  publish.Integer("RowCount", &TCustomGrid::rowCount, &TCustomGrid::setRowCount);
  publish.Integer("DefaultColWidth", &TCustomGrid::defaultColumnWidth, &TCustomGrid::setDefaultColumnWidth);
  publish.Integer("DefaultRowHeight", &TCustomGrid::defaultRowHeight, &TCustomGrid::setDefaultRowHeight);
  publish.Integer("GridLineWidth", &TCustomGrid::lineWidth, &TCustomGrid::setLineWidth);
  publish.Integer("FixedColor", &TCustomGrid::fixedColour, &TCustomGrid::setFixedColour);
  publish.Enumeration("ScrollBars", kGridScrollBarsType, &TCustomGrid::scrollBars, &TCustomGrid::setScrollBars);
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : SelfPaintedControl(AOwner) {
  options_ = {gridFixedVerticalLines, gridFixedHorizontalLines, gridVerticalLines, gridHorizontalLines};
  columns_.setDefaultSize(64);
  rows_.setDefaultSize(24);
  columns_.setCount(5);
  rows_.setCount(5);
  columns_.setFixedCount(1);
  rows_.setFixedCount(1);
  current_ = {1, 1};
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
  timer_ = new IntervalTimer(this);
  timer_->SetEnabled(false);
  timer_->SetInterval(60);
  timer_->OnTimer = [this](TObject*) { timerTick(); };
}

TCustomGrid::~TCustomGrid() = default;

// ---- sizes and counts ------------------------------------------------------------------------
void TCustomGrid::checkCounts(int count, int fixed, const char* fixedMessage) {
  if (count < 0 || fixed < 0) throw EInvalidOperation(kNegativeSize);
  if (fixed > 0 && fixed >= count) throw EInvalidOperation(fixedMessage);
}

void TCustomGrid::checkColumn(int Index) const {
  if (Index < 0 || Index >= columnCount()) throw EListError("Grid column index out of range (" + std::to_string(Index) + ")");
}

void TCustomGrid::checkRow(int Index) const {
  if (Index < 0 || Index >= rowCount()) throw EListError("Grid row index out of range (" + std::to_string(Index) + ")");
}

void TCustomGrid::setColumnCount(int Value) {
  checkCounts(Value, FixedCols(), kFixedColumns);
  if (Value == columnCount()) return;
  const int old = columnCount();
  columns_.setCount(Value);
  if (static_cast<int>(noTab_.size()) > Value) noTab_.resize(static_cast<size_t>(Value));
  if (current_.column >= Value || old == 0) moveCurrentCell(std::max(FixedCols(), Value - 1), current_.row);
  layoutScrollBars();
  Invalidate();
}

void TCustomGrid::setRowCount(int Value) {
  checkCounts(Value, fixedRowCount(), kFixedRows);
  if (Value == rowCount()) return;
  const int old = rowCount();
  rows_.setCount(Value);
  if (current_.row >= Value || old == 0) moveCurrentCell(current_.column, std::max(fixedRowCount(), Value - 1));
  layoutScrollBars();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  checkCounts(columnCount(), Value, kFixedColumns);
  columns_.setFixedCount(Value);
  if (current_.column < Value) moveCurrentCell(Value, current_.row);
  layoutScrollBars();
  Invalidate();
}

void TCustomGrid::setFixedRowCount(int Value) {
  checkCounts(rowCount(), Value, kFixedRows);
  rows_.setFixedCount(Value);
  if (current_.row < Value) moveCurrentCell(current_.column, Value);
  layoutScrollBars();
  Invalidate();
}

int TCustomGrid::columnWidth(int Index) const {
  checkColumn(Index);
  return columns_.size(Index);
}

void TCustomGrid::setColumnWidth(int Index, int Value) {
  checkColumn(Index);
  if (Value < 0) throw EInvalidOperation(kNegativeSize);
  if (Value == columns_.size(Index)) return;
  columns_.setSize(Index, Value);
  layoutScrollBars();
  Invalidate();
  placeCellEditor();
  columnWidthsChanged();
}

int TCustomGrid::rowHeight(int Index) const {
  checkRow(Index);
  return rows_.size(Index);
}

void TCustomGrid::setRowHeight(int Index, int Value) {
  checkRow(Index);
  if (Value < 0) throw EInvalidOperation(kNegativeSize);
  rows_.setSize(Index, Value);
  layoutScrollBars();
  Invalidate();
  placeCellEditor();
}

void TCustomGrid::setDefaultColumnWidth(int Value) {
  if (Value < 0) throw EInvalidOperation(kNegativeSize);
  columns_.setDefaultSize(Value);
  layoutScrollBars();
  Invalidate();
  placeCellEditor();
}

void TCustomGrid::setDefaultRowHeight(int Value) {
  if (Value < 0) throw EInvalidOperation(kNegativeSize);
  rows_.setDefaultSize(Value);
  layoutScrollBars();
  Invalidate();
  placeCellEditor();
}

void TCustomGrid::setLineWidth(int Value) {
  if (Value < 0) throw EInvalidOperation(kNegativeSize);
  lineWidth_ = Value;
  layoutScrollBars();
  Invalidate();
  placeCellEditor();
}

void TCustomGrid::setFixedColour(TColor Value) {
  fixedColour_ = Value;
  Invalidate();
}

void TCustomGrid::SetOptions(GridOptions Value) {
  if (Value == options_) return;
  options_ = Value;
  if (!allowsEditor()) hideCellEditor();
  else if (options_.Contains(gridAlwaysShowEditor)) showCellEditor();
  layoutScrollBars();
  Invalidate();
}

void TCustomGrid::setScrollBars(GridScrollBars Value) {
  scrollBars_ = Value;
  layoutScrollBars();
  Invalidate();
}

bool TCustomGrid::columnTakesTab(int Index) const {
  checkColumn(Index);
  return Index >= static_cast<int>(noTab_.size()) || !noTab_[static_cast<size_t>(Index)];
}

void TCustomGrid::setColumnTakesTab(int Index, bool Value) {
  checkColumn(Index);
  if (Index >= static_cast<int>(noTab_.size())) noTab_.resize(static_cast<size_t>(Index) + 1, false);
  noTab_[static_cast<size_t>(Index)] = !Value;
}

// ---- geometry --------------------------------------------------------------------------------
TRect TCustomGrid::ClientRect() const {
  TRect r = Rect(0, 0, Width(), Height());
  const int extent = scrollBarExtent();
  if (scrollBars_ == scrollBarsVertical || scrollBars_ == scrollBarsBoth) r.Right = std::max(0, r.Right - extent);
  if (scrollBars_ == scrollBarsHorizontal || scrollBars_ == scrollBarsBoth) r.Bottom = std::max(0, r.Bottom - extent);
  return r;
}

int TCustomGrid::scrollableWidth() const { return ClientRect().Width() - columns_.fixedExtent(lineWidth_); }
int TCustomGrid::scrollableHeight() const { return ClientRect().Height() - rows_.fixedExtent(lineWidth_); }

int TCustomGrid::fullyVisibleColumns() const { return columns_.fullyVisible(ClientRect().Width(), lineWidth_); }
int TCustomGrid::fullyVisibleRows() const { return rows_.fullyVisible(ClientRect().Height(), lineWidth_); }

TRect TCustomGrid::cellBounds(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= columnCount() || ARow < 0 || ARow >= rowCount()) return {};
  const int left = columns_.start(ACol, lineWidth_);
  const int top = rows_.start(ARow, lineWidth_);
  const TRect client = ClientRect();
  if (left < 0 || top < 0 || left >= client.Right || top >= client.Bottom) return {};
  return Rect(left, top, left + columns_.size(ACol), top + rows_.size(ARow));
}

std::optional<GridCoord> TCustomGrid::cellAtPoint(TPoint Point) const {
  if (!ClientRect().Contains(Point)) return std::nullopt;
  const int column = columns_.lineAt(Point.X, lineWidth_);
  const int row = rows_.lineAt(Point.Y, lineWidth_);
  if (column < 0 || row < 0) return std::nullopt;
  return GridCoord{column, row};
}

int TCustomGrid::columnSizeHit(TPoint Point) const {
  const TRect client = ClientRect();
  if (!client.Contains(Point)) return -1;
  // Sizing happens on the fixed rows, or anywhere when there are none.
  if (fixedRowCount() > 0 && Point.Y >= rows_.fixedExtent(lineWidth_)) return -1;
  const int last = columns_.lastVisible(client.Width(), lineWidth_);
  for (int c = 0; c <= last; ++c) {
    const int left = columns_.start(c, lineWidth_);
    if (left < 0) continue;
    const int right = left + columns_.size(c);
    if (Point.X >= right - kSizingReach && Point.X < right + lineWidth_ + kSizingReach) return c;
  }
  return -1;
}

int TCustomGrid::originShowing(const GridAxis& axis, int index, int available) const {
  if (index < axis.fixedCount()) return axis.firstScroll();
  if (index <= axis.firstScroll()) return index;
  // The first origin from which the cell is whole: walk back while the cells up to it still fit.
  int used = axis.size(index);
  int first = index;
  while (first > axis.fixedCount() && used + lineWidth_ + axis.size(first - 1) <= available) {
    used += lineWidth_ + axis.size(first - 1);
    --first;
  }
  return std::max(axis.firstScroll(), first);
}

void TCustomGrid::scrollIntoView(int column, int row) {
  setScrollOrigin(originShowing(columns_, column, scrollableWidth()), originShowing(rows_, row, scrollableHeight()));
}

void TCustomGrid::setScrollOrigin(int AColumn, int ARow) {
  const int maxColumn = std::max(columns_.fixedCount(), columnCount() - 1);
  const int maxRow = std::max(rows_.fixedCount(), rowCount() - 1);
  AColumn = std::clamp(AColumn, columns_.fixedCount(), maxColumn);
  ARow = std::clamp(ARow, rows_.fixedCount(), maxRow);
  const int oldColumn = columns_.firstScroll();
  const int oldRow = rows_.firstScroll();
  if (AColumn == oldColumn && ARow == oldRow) return;
  columns_.setFirstScroll(AColumn);
  rows_.setFirstScroll(ARow);
  shiftForOrigin(oldColumn, oldRow);
  updateHorizontalScrollBar();
  updateVerticalScrollBar();
  placeCellEditor();
  scrollOriginChanged();
}

void TCustomGrid::shiftForOrigin(int oldColumn, int oldRow) {
  const TRect client = ClientRect();
  // The pixel distance between two origins on one axis, or nullopt when it is a page or more.
  auto distance = [this](const GridAxis& axis, int from, int to, int available) -> std::optional<int> {
    int moved = 0;
    for (int i = std::min(from, to); i < std::max(from, to); ++i) {
      moved += axis.size(i) + lineWidth_;
      if (moved >= available) return std::nullopt;
    }
    return from < to ? -moved : moved;
  };
  const auto dx = distance(columns_, oldColumn, columns_.firstScroll(), scrollableWidth());
  const auto dy = distance(rows_, oldRow, rows_.firstScroll(), scrollableHeight());
  const int fixedWidth = columns_.fixedExtent(lineWidth_);
  const int fixedHeight = rows_.fixedExtent(lineWidth_);
  if (!dx || !dy) {
    invalidateRect(client);
    return;
  }
  // Rows move with their fixed columns; columns move with their fixed rows.
  if (*dy != 0) scrollImage(Rect(0, fixedHeight, client.Right, client.Bottom), 0, *dy);
  if (*dx != 0) scrollImage(Rect(fixedWidth, 0, client.Right, client.Bottom), *dx, 0);
}

void TCustomGrid::scrollCells(const TRect& Area, int DX, int DY) {
  const TRect client = ClientRect();
  const TRect inside = intersectionOf(Area, client);
  if (inside.IsEmpty()) return;
  scrollImage(inside, DX, DY);
  placeCellEditor();
}

void TCustomGrid::BoundsChanged() {
  SelfPaintedControl::BoundsChanged();
  layoutScrollBars();
  placeCellEditor();
}

// ---- the current cell ------------------------------------------------------------------------
void TCustomGrid::moveCurrentCell(int ACol, int ARow, bool ScrollIntoView) {
  const int column = std::clamp(ACol, FixedCols(), std::max(FixedCols(), columnCount() - 1));
  const int row = std::clamp(ARow, fixedRowCount(), std::max(fixedRowCount(), rowCount() - 1));
  const GridCoord target{column, row};
  if (target == current_) {
    if (ScrollIntoView) scrollIntoView(column, row);
    return;
  }
  const bool editorWasShown = cellEditorShown();
  if (editorWasShown) storeCellEditor();
  repaintCurrent();
  current_ = target;
  repaintCurrent();
  if (ScrollIntoView) scrollIntoView(column, row);
  if (editorWasShown) {
    if (options_.Contains(gridAlwaysShowEditor) && allowsEditor() && CanEdit()) refreshCellEditor();
    else hideCellEditor();
  }
}

void TCustomGrid::moveColumnTo(int FromIndex, int ToIndex) {
  checkColumn(FromIndex);
  checkColumn(ToIndex);
  if (FromIndex == ToIndex) return;
  storeCellEditor();
  columns_.moveLine(FromIndex, ToIndex);
  const int needed = std::max(FromIndex, ToIndex) + 1;
  if (static_cast<int>(noTab_.size()) < needed) noTab_.resize(static_cast<size_t>(needed), false);
  const bool moved = noTab_[static_cast<size_t>(FromIndex)];
  noTab_.erase(noTab_.begin() + FromIndex);
  noTab_.insert(noTab_.begin() + ToIndex, moved);
  // The current cell stays with its column.
  int& c = current_.column;
  if (c == FromIndex) c = ToIndex;
  else if (FromIndex < c && c <= ToIndex) --c;
  else if (ToIndex <= c && c < FromIndex) ++c;
  Invalidate();
  placeCellEditor();
  columnMoved(FromIndex, ToIndex);
}

void TCustomGrid::columnMoved(int FromIndex, int ToIndex) { qn::ui::callHandler(OnColumnMoved, this, FromIndex, ToIndex); }
void TCustomGrid::columnWidthsChanged() { qn::ui::callHandler(OnColumnWidthsChanged, this); }
void TCustomGrid::scrollOriginChanged() { qn::ui::callHandler(OnScrollOriginChanged, this); }
