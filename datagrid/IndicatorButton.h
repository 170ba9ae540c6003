#pragma once
// TdcIButton: a button over the data grid's top-left cell. Loaded onto a grid, it becomes the
// grid's indicator button, and the indicator column takes its width; it stays in the corner.
#include "framework/ui/SpeedButton.h"

class TdcIButton : public TSpeedButton {
  QN_CLASS(TdcIButton, TSpeedButton)
 public:
  using TSpeedButton::TSpeedButton;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void Loaded() override;
};
