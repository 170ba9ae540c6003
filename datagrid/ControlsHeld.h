#pragma once
// Keeps a dataset's controls still for a scope (while a range, a search or a reordering moves
// the dataset) and lets them follow again however the scope ends.
#include "framework/db/DataSet.h"

class ControlsHeld {
 public:
  explicit ControlsHeld(TDataSet& dataSet) : dataSet_(dataSet) { dataSet_.DisableControls(); }
  ~ControlsHeld() { dataSet_.EnableControls(); }
  ControlsHeld(const ControlsHeld&) = delete;
  ControlsHeld& operator=(const ControlsHeld&) = delete;

 private:
  TDataSet& dataSet_;
};
