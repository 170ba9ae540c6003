#include "datagrid/IndicatorButton.h"

#include <algorithm>

#include "datagrid/CustomDBGrid.h"

void TdcIButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool resized = AWidth != Width() || AHeight != Height();
  TSpeedButton::SetBounds(std::min(ALeft, 0), std::min(ATop, 0), AWidth, AHeight);
  if (!resized || ComponentState().Contains(csLoading)) return;
  if (auto* grid = dynamic_cast<TdcCustomDBGrid*>(Parent()); grid && grid->IndicatorButton() == this) grid->IndicatorButtonResized();
}

void TdcIButton::Loaded() {
  TSpeedButton::Loaded();
  if (auto* grid = dynamic_cast<TdcCustomDBGrid*>(Parent())) grid->SetIndicatorButton(this);
}
