#include "framework/ui/CustomGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/ui/Focus.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/InplaceEdit.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/VirtualKeys.h"

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
constexpr TColor kDataLineColour = clSilver;
constexpr TColor kFixedLineColour = clBlack;

TRect intersection(const TRect& a, const TRect& b) {
  return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom));
}

int scrollBarExtent() { return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

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
  const TRect inside = intersection(Area, client);
  if (inside.IsEmpty()) return;
  scrollImage(inside, DX, DY);
  placeCellEditor();
}

void TCustomGrid::BoundsChanged() {
  SelfPaintedControl::BoundsChanged();
  layoutScrollBars();
  placeCellEditor();
}

// ---- repainting ------------------------------------------------------------------------------

void TCustomGrid::repaintCell(int ACol, int ARow) {
  const TRect r = cellBounds(ACol, ARow);
  if (!r.IsEmpty()) invalidateRect(Rect(r.Left, r.Top, r.Right + lineWidth_, r.Bottom + lineWidth_));
}

void TCustomGrid::repaintRow(int ARow) {
  const TRect client = ClientRect();
  const TRect r = cellBounds(columns_.fixedCount() > 0 ? 0 : columns_.firstScroll(), ARow);
  if (!r.IsEmpty()) invalidateRect(Rect(0, r.Top, client.Right, r.Bottom + lineWidth_));
}

void TCustomGrid::repaintColumn(int ACol) {
  const TRect client = ClientRect();
  const TRect r = cellBounds(ACol, rows_.fixedCount() > 0 ? 0 : rows_.firstScroll());
  if (!r.IsEmpty()) invalidateRect(Rect(r.Left, 0, r.Right + lineWidth_, client.Bottom));
}

// ---- painting --------------------------------------------------------------------------------

GridCellStates TCustomGrid::stateOf(int column, int row, bool gridFocused) const {
  GridCellStates state;
  if (column < FixedCols() || row < fixedRowCount()) {
    state.Include(cellFixed);
    return state;
  }
  const bool current = column == current_.column && row == current_.row;
  if (current || (options_.Contains(gridRowSelect) && row == current_.row)) state.Include(cellSelected);
  if (current && gridFocused) state.Include(cellFocused);
  return state;
}

void TCustomGrid::paintCell(Canvas& canvas, int column, int row, const TRect& rect, bool gridFocused) {
  const GridCellStates state = stateOf(column, row, gridFocused);
  // The current cell shows a focus frame rather than the highlight, unless whole rows are selected.
  const bool highlighted = state.Contains(cellSelected) &&
                           (options_.Contains(gridRowSelect) || !(column == current_.column && row == current_.row));
  canvas.Brush.Style = BrushStyle::solid;
  canvas.Brush.Color = state.Contains(cellFixed) ? fixedColour_ : highlighted ? clHighlight : Color();
  const TColor textColour = highlighted ? clHighlightText : Font()->Color();
  if (canvas.Font()->Color() != textColour) canvas.Font()->SetColor(textColour);
  if (defaultCellFilling_) canvas.fillRect(rect);
  // The cell's painter stays inside the cell; the clip of the paint comes back after it.
  const std::optional<TRect> paintClip = canvas.clipRect();
  canvas.setClipRect(paintClip ? intersection(rect, *paintClip) : rect);
  DrawCell(column, row, rect, state);
  if (paintClip) canvas.setClipRect(*paintClip);
  else canvas.removeClip();
  if (state.Contains(cellFocused) && !options_.Contains(gridRowSelect) && !cellEditorShown()) canvas.DrawFocusRect(rect);
}

void TCustomGrid::paintLines(Canvas& canvas, const TRect& area, int firstColumn, int lastColumn, int firstRow, int lastRow) {
  if (lineWidth_ == 0) return;
  const int fixedHeight = rows_.fixedExtent(lineWidth_);
  const int fixedWidth = columns_.fixedExtent(lineWidth_);
  const int bottom = std::min(area.Bottom, rows_.start(lastRow, lineWidth_) + rows_.size(lastRow) + lineWidth_);
  const int right = std::min(area.Right, columns_.start(lastColumn, lineWidth_) + columns_.size(lastColumn) + lineWidth_);
  auto segment = [&](bool fixed, bool wanted, const TRect& r) {
    if (!wanted || r.IsEmpty()) return;
    canvas.Brush.Color = fixed ? kFixedLineColour : kDataLineColour;
    canvas.fillRect(r);
  };
  canvas.Brush.Style = BrushStyle::solid;
  auto visitColumn = [&](int c) {
    const int x = columns_.start(c, lineWidth_) + columns_.size(c);
    if (x + lineWidth_ <= area.Left || x >= area.Right) return;
    const bool fixedColumn = c < FixedCols();
    const bool fixedWanted = options_.Contains(gridFixedVerticalLines);
    segment(true, fixedWanted, Rect(x, std::max(area.Top, 0), x + lineWidth_, std::min(bottom, fixedHeight)));
    segment(fixedColumn, fixedColumn ? fixedWanted : options_.Contains(gridVerticalLines),
            Rect(x, std::max(area.Top, fixedHeight), x + lineWidth_, bottom));
  };
  auto visitRow = [&](int r) {
    const int y = rows_.start(r, lineWidth_) + rows_.size(r);
    if (y + lineWidth_ <= area.Top || y >= area.Bottom) return;
    const bool fixedRow = r < fixedRowCount();
    const bool fixedWanted = options_.Contains(gridFixedHorizontalLines);
    segment(true, fixedWanted, Rect(std::max(area.Left, 0), y, std::min(right, fixedWidth), y + lineWidth_));
    segment(fixedRow, fixedRow ? fixedWanted : options_.Contains(gridHorizontalLines),
            Rect(std::max(area.Left, fixedWidth), y, right, y + lineWidth_));
  };
  for (int c = 0; c < FixedCols(); ++c) visitColumn(c);
  for (int c = std::max(firstColumn, columns_.firstScroll()); c <= lastColumn; ++c) visitColumn(c);
  for (int r = 0; r < fixedRowCount(); ++r) visitRow(r);
  for (int r = std::max(firstRow, rows_.firstScroll()); r <= lastRow; ++r) visitRow(r);
}

void TCustomGrid::Paint() {
  Canvas& canvas = this->canvas();
  const TRect client = ClientRect();
  const std::optional<TRect> clip = canvas.clipRect();
  const TRect area = clip ? intersection(client, *clip) : client;
  if (area.IsEmpty()) return;
  const int lastColumn = columns_.lastVisible(client.Width(), lineWidth_);
  const int lastRow = rows_.lastVisible(client.Height(), lineWidth_);
  int right = 0;
  int bottom = 0;
  if (lastColumn >= 0 && lastRow >= 0) {
    // The columns and rows whose span meets the area, fixed ones first.
    auto spans = [this](const GridAxis& axis, int last, int from, int to) {
      std::vector<int> lines;
      auto consider = [&](int i) {
        const int start = axis.start(i, lineWidth_);
        if (start < to && start + axis.size(i) + lineWidth_ > from) lines.push_back(i);
      };
      for (int i = 0; i < axis.fixedCount() && i <= last; ++i) consider(i);
      for (int i = axis.firstScroll(); i <= last; ++i) consider(i);
      return lines;
    };
    const std::vector<int> columns = spans(columns_, lastColumn, area.Left, area.Right);
    const std::vector<int> rows = spans(rows_, lastRow, area.Top, area.Bottom);
    const bool focused = Focused();
    for (int r : rows)
      for (int c : columns) {
        const int left = columns_.start(c, lineWidth_);
        const int top = rows_.start(r, lineWidth_);
        const TRect cell = Rect(left, top, left + columns_.size(c), top + rows_.size(r));
        if (cell.Right > area.Left && cell.Bottom > area.Top) paintCell(canvas, c, r, cell, focused);
      }
    canvas.Font()->SetColor(Font()->Color());
    paintLines(canvas, area, columns_.firstScroll(), lastColumn, rows_.firstScroll(), lastRow);
    right = columns_.start(lastColumn, lineWidth_) + columns_.size(lastColumn) + lineWidth_;
    bottom = rows_.start(lastRow, lineWidth_) + rows_.size(lastRow) + lineWidth_;
  }
  // What lies right of the last column and below the last row.
  canvas.Brush.Style = BrushStyle::solid;
  canvas.Brush.Color = Color();
  if (right < area.Right) canvas.fillRect(Rect(std::max(right, area.Left), area.Top, area.Right, area.Bottom));
  if (bottom < area.Bottom) canvas.fillRect(Rect(area.Left, std::max(bottom, area.Top), std::min(right, area.Right), area.Bottom));
  SelfPaintedControl::Paint();
}

void TCustomGrid::DrawCell(int, int, TRect, GridCellStates) {}

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

// ---- keys ------------------------------------------------------------------------------------

TWantedKeys TCustomGrid::WantedKeys() const {
  TWantedKeys keys{wkArrows};
  if (options_.Contains(gridTabs)) keys.Include(wkTab);
  if (options_.Contains(gridEditing)) {
    keys.Include(wkReturn);
    keys.Include(wkEscape);
  }
  return keys;
}

void TCustomGrid::pageMove(int direction) {
  const int page = std::max(1, fullyVisibleRows());
  const int maxFirst = rows_.maxFirstScroll(ClientRect().Height(), lineWidth_);
  const int first = std::clamp(rows_.firstScroll() + direction * page, fixedRowCount(), std::max(fixedRowCount(), maxFirst));
  setFirstScrollRow(first);
  moveCurrentCell(current_.column, current_.row + direction * page, true);
}

void TCustomGrid::tabMove(bool Forward) {
  const int step = Forward ? 1 : -1;
  for (int c = current_.column + step; c >= FixedCols() && c < columnCount(); c += step)
    if (columnTakesTab(c)) {
      moveCurrentCell(c, current_.row, true);
      return;
    }
  leaveGrid(Forward);
}

void TCustomGrid::leaveGrid(bool Forward) {
  FormBase* form = GetParentForm(this);
  if (!form) return;
  TWinControl* next = this;
  for (;;) {
    next = form->FindNextControl(next, Forward, true);
    if (!next || next == this) return;
    if (!ContainsControl(next)) break;
  }
  qn::ui::moveFocus(next);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  SelfPaintedControl::KeyDown(Key, Shift);
  if (Key == 0 || Shift.Contains(ssAlt)) return;
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool rowSelect = options_.Contains(gridRowSelect);
  const int column = current_.column;
  const int row = current_.row;
  switch (Key) {
    case VK_UP: moveCurrentCell(column, row - 1, true); break;
    case VK_DOWN: moveCurrentCell(column, row + 1, true); break;
    case VK_LEFT:
      if (rowSelect) setFirstScrollColumn(firstScrollColumn() - 1);
      else moveCurrentCell(ctrl ? FixedCols() : column - 1, row, true);
      break;
    case VK_RIGHT:
      if (rowSelect) setFirstScrollColumn(firstScrollColumn() + 1);
      else moveCurrentCell(ctrl ? columnCount() - 1 : column + 1, row, true);
      break;
    case VK_PRIOR: pageMove(-1); break;
    case VK_NEXT: pageMove(1); break;
    case VK_HOME: moveCurrentCell(FixedCols(), ctrl ? fixedRowCount() : row, true); break;
    case VK_END: moveCurrentCell(columnCount() - 1, ctrl ? rowCount() - 1 : row, true); break;
    case VK_TAB:
      if (!options_.Contains(gridTabs) || ctrl) return;
      tabMove(!Shift.Contains(ssShift));
      break;
    case VK_F2:
      if (!cellEditorShown() && showCellEditor()) editor_->SetSelStart(static_cast<int>(editor_->Text().size()));
      break;
    case VK_RETURN:
      if (!options_.Contains(gridEditing)) return;
      if (!cellEditorShown()) {
        showCellEditor();
      } else {
        storeCellEditor();
        if (options_.Contains(gridAlwaysShowEditor)) editor_->SelectAll();
        else hideCellEditor();
      }
      break;
    case VK_ESCAPE:
      if (!cellEditorShown()) return;
      editor_->SetText(cellEditText(editing_.column, editing_.row));
      if (options_.Contains(gridAlwaysShowEditor)) editor_->SelectAll();
      else hideCellEditor();
      break;
    default: return;
  }
  Key = 0;
}

void TCustomGrid::KeyPress(char& Key) {
  SelfPaintedControl::KeyPress(Key);
  const auto byte = static_cast<unsigned char>(Key);
  if (byte < 32 || byte == 127 || cellEditorShown() || !cellEditAcceptsKey(Key)) return;
  // A typed character opens the editor and becomes its text.
  const char typed = Key;
  Key = 0;
  if (!showCellEditor()) return;
  editor_->SelectAll();
  editor_->SetSelText(AnsiString(1, typed));
}

bool TCustomGrid::cellEditorKey(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
      break;
    case VK_HOME:
    case VK_END:
      if (!Shift.Contains(ssCtrl)) return false;
      break;
    default:
      return false;
  }
  KeyDown(Key, Shift);
  return true;
}

bool TCustomGrid::MouseWheel(TShiftState, int WheelDelta, TPoint) {
  const int steps = WheelDelta / 120;
  if (steps == 0) return false;
  // Turning the wheel away from the user moves up, as the arrow key does.
  moveCurrentCell(current_.column, current_.row - steps, true);
  return true;
}

// ---- the mouse -------------------------------------------------------------------------------

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TPoint at{X, Y};
  lastMouse_ = at;
  if (Button == mbLeft && ClientRect().Contains(at)) {
    const int sizing = options_.Contains(gridColumnSizing) ? columnSizeHit(at) : -1;
    const auto cell = cellAtPoint(at);
    if (sizing >= 0) {
      storeCellEditor();
      mouseState_ = GridMouseState::sizingColumn;
      sizingColumn_ = sizing;
      sizingStartX_ = X;
      sizingStartWidth_ = columns_.size(sizing);
    } else if (cell && cell->row < fixedRowCount() && cell->column >= FixedCols() && options_.Contains(gridColumnMoving)) {
      mouseState_ = GridMouseState::movingColumn;
      movingColumn_ = cell->column;
    } else if (cell && cell->row >= fixedRowCount() && cell->column >= FixedCols()) {
      if (*cell == current_ && !Shift.Contains(ssDouble)) {
        if (!cellEditorShown() && options_.Contains(gridEditing)) showCellEditor();
      } else {
        moveCurrentCell(cell->column, cell->row, true);
      }
      mouseState_ = GridMouseState::selecting;
      timer_->SetEnabled(true);
    }
  }
  SelfPaintedControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  lastMouse_ = {X, Y};
  switch (mouseState_) {
    case GridMouseState::sizingColumn: {
      // The width follows the mouse; the change is announced once, at the release.
      const int width = std::max(0, sizingStartWidth_ + X - sizingStartX_);
      if (width != columns_.size(sizingColumn_)) {
        columns_.setSize(sizingColumn_, width);
        layoutScrollBars();
        Invalidate();
        placeCellEditor();
      }
      break;
    }
    case GridMouseState::selecting:
      if (const auto cell = cellAtPoint({X, Y}); cell && cell->row >= fixedRowCount() && cell->column >= FixedCols())
        moveCurrentCell(cell->column, cell->row, true);
      break;
    case GridMouseState::normal:
      SetCursor(options_.Contains(gridColumnSizing) && columnSizeHit({X, Y}) >= 0 ? crHSplit : crDefault);
      break;
    case GridMouseState::movingColumn:
      break;
  }
  SelfPaintedControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const GridMouseState state = std::exchange(mouseState_, GridMouseState::normal);
  timer_->SetEnabled(false);
  if (state == GridMouseState::sizingColumn && columns_.size(sizingColumn_) != sizingStartWidth_) columnWidthsChanged();
  if (state == GridMouseState::movingColumn) {
    const auto cell = cellAtPoint({X, std::min(Y, ClientRect().Bottom - 1)});
    int target = cell ? cell->column : X < columns_.fixedExtent(lineWidth_) ? FixedCols() : columnCount() - 1;
    target = std::clamp(target, FixedCols(), columnCount() - 1);
    if (target != movingColumn_) moveColumnTo(movingColumn_, target);
  }
  SelfPaintedControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::timerTick() {
  if (mouseState_ != GridMouseState::selecting) return;
  const TRect client = ClientRect();
  int column = current_.column;
  int row = current_.row;
  if (lastMouse_.X < columns_.fixedExtent(lineWidth_)) --column;
  else if (lastMouse_.X >= client.Right) ++column;
  if (lastMouse_.Y < rows_.fixedExtent(lineWidth_)) --row;
  else if (lastMouse_.Y >= client.Bottom) ++row;
  if (column != current_.column || row != current_.row) moveCurrentCell(column, row, true);
}

// ---- the in-place editor ---------------------------------------------------------------------

bool TCustomGrid::allowsEditor() const { return options_.Contains(gridEditing) && !options_.Contains(gridRowSelect); }

bool TCustomGrid::cellEditorShown() const { return editor_ && editor_->Visible(); }

TInplaceEdit* TCustomGrid::makeCellEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::showCellEditor() {
  if (!allowsEditor() || columnCount() == 0 || rowCount() == 0 || current_.column < FixedCols() || current_.row < fixedRowCount())
    return false;
  if (!CanEdit()) return false;
  if (!editor_) editor_ = makeCellEditor();
  const bool gridHadFocus = Focused();
  if (!editor_->Visible()) {
    refreshCellEditor();
    editor_->Show();
    repaintCell(current_.column, current_.row);
  }
  if (gridHadFocus) editor_->SetFocus();
  return true;
}

void TCustomGrid::refreshCellEditor() {
  if (!editor_) return;
  editing_ = current_;
  editor_->SetEditMask(cellEditMask(current_.column, current_.row));
  editor_->SetMaxLength(cellEditMaxLength());
  editor_->SetText(cellEditText(current_.column, current_.row));
  editor_->SelectAll();
  placeCellEditor();
}

void TCustomGrid::placeCellEditor() {
  if (!editor_) return;
  const TRect cell = cellBounds(editing_.column, editing_.row);
  if (cell.IsEmpty()) {
    // Scrolled out of view: kept, out of sight, until its cell comes back.
    editor_->SetBounds(-editor_->Width() - 8, 0, editor_->Width(), editor_->Height());
    return;
  }
  const TRect client = ClientRect();
  editor_->SetBounds(cell.Left, cell.Top, std::min(cell.Right, client.Right) - cell.Left, std::min(cell.Bottom, client.Bottom) - cell.Top);
}

void TCustomGrid::storeCellEditor() {
  if (!cellEditorShown() || !editor_->Modified()) return;
  storeCellEditText(editing_.column, editing_.row, editor_->Text());
  editor_->SetModified(false);
}

void TCustomGrid::hideCellEditor() {
  if (!cellEditorShown()) return;
  if (editor_->Focused()) {
    // The editor's exit stores the text; a refusal leaves the focus, and the editor, where they are.
    qn::ui::moveFocus(this);
    if (editor_->Focused()) return;
  } else {
    storeCellEditor();
  }
  editor_->Hide();
  repaintCell(editing_.column, editing_.row);
}

void TCustomGrid::repaintCurrent() {
  if (options_.Contains(gridRowSelect)) repaintRow(current_.row);
  else repaintCell(current_.column, current_.row);
}

void TCustomGrid::DoEnter() {
  SelfPaintedControl::DoEnter();
  repaintCurrent();
}

void TCustomGrid::DoExit() {
  SelfPaintedControl::DoExit();
  repaintCurrent();
  if (!cellEditorShown() || options_.Contains(gridAlwaysShowEditor)) return;
  // The move that runs this exit is still under way; the editor goes once the focus has left.
  qn::ui::postCall(this, [this] {
    if (cellEditorShown() && !editor_->Focused() && !Focused()) {
      storeCellEditor();
      editor_->Hide();
      repaintCell(editing_.column, editing_.row);
    }
  });
}

// ---- scroll bars -----------------------------------------------------------------------------

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
