// The grid's painting: cells inside the area being painted, each once, then the grid lines over
// that area, then the space past the last column and row.
#include <algorithm>
#include <vector>

#include "framework/ui/CustomGrid.h"

namespace {

constexpr TColor kDataLineColour = clSilver;
constexpr TColor kFixedLineColour = clBlack;

}  // namespace

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
  canvas.setClipRect(paintClip ? intersectionOf(rect, *paintClip) : rect);
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
  const TRect area = clip ? intersectionOf(client, *clip) : client;
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
