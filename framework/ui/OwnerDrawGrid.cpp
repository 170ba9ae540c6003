#include "framework/ui/OwnerDrawGrid.h"

#include "framework/ui/HandlerCall.h"

void OwnerDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) {
  qn::ui::callHandler(OnDrawCell, this, canvas(), ACol, ARow, ARect, AState);
}
