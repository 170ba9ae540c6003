#pragma once
// TdcNavButtons: a navigator's buttons, which are its child controls in child order. It adds
// buttons, shows and hides styles, finds buttons by position, and lays them out in rows (or
// columns) that wrap; while an update bracket is open nothing is laid out.
#include "datagrid/NavButtonStyles.h"
#include "framework/base/Persistent.h"

class TComponent;
class TdcDBNavigator;
class TdcNavButton;

class TdcNavButtons : public TPersistent {
  QN_CLASS(TdcNavButtons, TPersistent)
 public:
  explicit TdcNavButtons(TdcDBNavigator* Navigator);

  virtual void BeginUpdate() { ++updateCount_; }
  virtual void EndUpdate() { --updateCount_; }
  int updateCount() const { return updateCount_; }

  // The visible button with the greatest bottom (right) edge; the first wins a tie.
  virtual TdcNavButton* BottomButton() const;
  virtual TdcNavButton* RightButton() const;
  // The button at a point of the navigator; nullptr when none.
  virtual TdcNavButton* HitTest(int X, int Y) const;
  // Not visible, and the navigator is not being designed.
  virtual bool IsHidden(const TdcNavButton* Button) const;
  // The first button of the style made visible, or a new one placed at the style's position.
  virtual void ShowStyle(TdcNavButtonStyle Style);
  // Every button of the style hidden.
  virtual void HideStyle(TdcNavButtonStyle Style);

  virtual int Count() const;
  // EInvalidOperation "Index of Buttons[] out of range" outside 0..Count-1.
  virtual TdcNavButton* GetButton(int Index) const;
  TdcNavButton* operator[](int Index) const { return GetButton(Index); }
  virtual TdcDBNavigator* Navigator() const { return navigator_; }
  // The Index-th visible button (every button while designing); EInvalidOperation "Index of
  // VisibleButtons[] out of range" outside 0..VisibleCount-1.
  virtual TdcNavButton* VisibleButtons(int Index) const;
  virtual int VisibleCount() const;

  // A new last button of the style; a dialog style's button takes Dialog (a library dialog).
  virtual TdcNavButton* AddButton(TdcNavButtonStyle Style, TComponent* Dialog = nullptr);
  virtual void AddDialogButtons();
  // Frees every button, the last first.
  virtual void Clear();
  // First, PriorPage, Prior, Next, NextPage, Last, Insert, Delete, Edit, Post, Cancel, Refresh,
  // SaveBookmark, RestoreBookmark.
  virtual void AddDefaultButtons();
  // Arranges the buttons and sizes the navigator, or sizes the buttons and arranges them.
  virtual void Relayout();
  virtual void ArrangeButtons();
  virtual void UpdateButtonStates(TdcUpdateCause Cause);

 private:
  TdcDBNavigator* navigator_;
  int updateCount_ = 0;
};
