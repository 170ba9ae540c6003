#pragma once
// Pages under a row of tabs, one tab for each page with the page's caption. Choosing a tab shows
// its page; OnChanging may refuse the change (the page shown stays), and OnChange follows a
// change the user made. Pages shown by code change without asking.
#include "framework/ui/PageStack.h"
#include "framework/ui/TabStrip.h"

class PageControl : public PageStack {
  QN_PUBLISHED_CLASS(PageControl, PageStack)
 public:
  explicit PageControl(TComponent* AOwner);

  TabStrip* Tabs() const { return tabs_; }

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void PagesChanged() override;
  void PageChanged() override;

 private:
  TabStrip* tabs_;
};
