#pragma once
// A row of tabs, one chosen. A click on another tab, or Left and Right while the strip has the
// focus, asks CanChange (OnChanging) first: a handler that clears AllowChange keeps the present
// tab. Then the tab changes and Change (OnChange) runs. TabIndex set by code changes without
// asking; an index outside -1..Count-1 raises EListError and keeps the tab.
#include <functional>
#include <memory>

#include "framework/base/StringList.h"
#include "framework/ui/WinControl.h"

class QTabBar;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TabStrip : public TWinControl {
  QN_PUBLISHED_CLASS(TabStrip, TWinControl)
 public:
  explicit TabStrip(TComponent* AOwner);
  ~TabStrip() override;

  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(TStrings* Value) { tabs_->Assign(*Value); }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int Value);

  TWantedKeys WantedKeys() const override { return {wkArrows}; }
  void KeyDown(WORD& Key, TShiftState Shift) override;

  // Called by the widget: the user chose the tab at Index.
  void tabChosenByUser(int Index);

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  // Whether the tab may change now; the base asks OnChanging.
  virtual bool CanChange();
  virtual void Change();

  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;

 private:
  void tabsChanged(TObject*);
  void showTabs();

  std::unique_ptr<StringList> tabs_;
  int tabIndex_ = -1;
};
