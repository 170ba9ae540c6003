#pragma once
// A code panel of the main window that opens its code tables in stages: the main window's idle
// handler opens one such panel per idle cycle, in a fixed order, so the window shows before every
// code table is read. Opening a panel counts PanelInitStep (Globals.h) on; a panel whose opening
// fails must still count it on, or the staging stops there.
class StagedPanel {
 public:
  virtual ~StagedPanel() = default;
  // The panel's first opening: its code tables, then PanelInitStep + 1.
  virtual void OpenStagedPanel() = 0;
};
