#pragma once
// TdcSpinButton: an up and a down button stacked in one frame; each repeats while held and calls
// its handler on every click. It wants the arrow keys.
#include "editors/TimerSpeedButton.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/WinControl.h"

class TdcSpinButton : public TWinControl {
  QN_CLASS(TdcSpinButton, TWinControl)
 public:
  explicit TdcSpinButton(TComponent* AOwner);

  TdcTimerSpeedButton* UpButton() const { return up_; }
  TdcTimerSpeedButton* DownButton() const { return down_; }
  TWantedKeys WantedKeys() const override { return {wkArrows}; }

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

 protected:
  void BoundsChanged() override;

 private:
  // Up takes the upper half; down the rest, overlapping it by one pixel.
  void layoutButtons();

  TdcTimerSpeedButton* up_;
  TdcTimerSpeedButton* down_;
};
