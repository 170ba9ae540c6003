#pragma once
// OwnerDrawGrid: a grid whose cells its owner paints, in a handler given the canvas, the cell, its
// rectangle and its state. Controls placed over its cells (buttons of a month view) take the cells'
// bounds from cellBounds.
#include <functional>

#include "framework/ui/CustomGrid.h"

using DrawCellEvent = std::function<void(TObject* Sender, Canvas& ACanvas, int ACol, int ARow, TRect ARect, GridCellStates AState)>;

class OwnerDrawGrid : public TCustomGrid {
  QN_CLASS(OwnerDrawGrid, TCustomGrid)
 public:
  explicit OwnerDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  DrawCellEvent OnDrawCell;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override;
};
