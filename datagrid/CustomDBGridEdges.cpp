// The 3-D edges of the data grid's cells: light along the top and left, dark along the right and
// bottom, fitted to the grid lines the options show. A cell is painted clipped to itself and the
// grid lines come after it, so the dark edges lie on the cell's own last column and row rather
// than on the lines beside it.
#include "datagrid/CustomDBGrid.h"

namespace {

void line(Canvas& c, TColor colour, int x1, int y1, int x2, int y2) {
  c.Pen.Color = colour;
  c.moveTo(x1, y1);
  c.drawLineTo(x2, y2);
}

}  // namespace

void TdcCustomDBGrid::DrawCellEdges(int ACol, int ARow, const TRect& Rect) {
  if (cellFlags_.edgesDrawn) return;
  cellFlags_.edgesDrawn = true;
  Canvas& c = GetPaintCanvas();
  const bool whiteGrid = Color() == clWhite;
  const bool titleRow = ARow < titleOffset_;
  const bool indicator = ACol < indicatorOffset_;
  const bool fixed = titleRow || ACol < FixedCols();
  if (whiteGrid && !fixed &&
      (cellFlags_.brushStayedWhite || (cellFlags_.highlighted && c.Brush.Color == clHighlight)))
    return;
  if (!Ctl3D() && !titleRow && !indicator) return;
  const TColor pen = c.Pen.Color;
  const TColor dark = fixed ? clBlack : clBtnShadow;
  const bool rowLines = dbOptions_.Contains(dgRowLines);
  const bool plainWhite = cellFlags_.brushStayedWhite;
  const bool focus = cellFlags_.focusRectDrawn;
  const int l = Rect.Left, t = Rect.Top, r = Rect.Right - 1, b = Rect.Bottom - 1;
  if (dbOptions_.Contains(dgColLines)) {
    if (!rowLines) {
      line(c, clBtnHighlight, l, b + 1, l, t - 1);
      if (!indicator) line(c, clBtnShadow, r, b, r, t - 1);
    } else if (plainWhite) {
      line(c, clBtnHighlight, l, b + 1, l, t);
    } else {
      if (!focus) line(c, clBtnHighlight, l, b + 1, l, t);
      line(c, dark, r, b + 1, r, t);
    }
  }
  if (whiteGrid && titleRow && !rowLines) line(c, clBlack, l, b, r + 1, b);
  if (indicator && ARow == titleOffset_ && indicatorButton_ && !rowLines) {
    line(c, clBtnHighlight, l, t, r + 1, t);
    line(c, clBtnShadow, l, t - 1, r + 1, t - 1);
  } else if (rowLines) {
    if (plainWhite) {
      line(c, clBtnHighlight, l, t, r + 1, t);
    } else {
      if (!focus) line(c, clBtnHighlight, l, t, r + 1, t);
      line(c, dark, l, b, r + 1, b);
    }
  } else if (titleRow) {
    line(c, clBtnHighlight, l, t, r + 1, t);
  }
  c.Pen.Color = pen;
}
