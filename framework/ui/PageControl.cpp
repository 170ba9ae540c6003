#include "framework/ui/PageControl.h"

#include "framework/ui/HandlerCall.h"

void PageControl::PublishProperties(PropertyPublisher<PageControl>& publish) {
  publish.Event("OnChanging", &PageControl::OnChanging, &PageControl::OnChanging);
  publish.Event("OnChange", &PageControl::OnChange, &PageControl::OnChange);
}

PageControl::PageControl(TComponent* AOwner) : PageStack(AOwner), tabs_(new TabStrip(this)) {
  SetBounds(Left(), Top(), 289, 193);
  tabs_->SetAlign(alTop);
  tabs_->SetParent(this);
  tabs_->OnChanging = [this](TObject*, bool& AllowChange) { qn::ui::callHandler(OnChanging, this, AllowChange); };
  tabs_->OnChange = [this](TObject*) {
    SetPageIndex(tabs_->TabIndex());
    qn::ui::callHandler(OnChange, this);
  };
}

void PageControl::PagesChanged() {
  TStrings* captions = tabs_->Tabs();
  captions->BeginUpdate();
  captions->Clear();
  for (int i = 0; i < PageCount(); ++i) captions->Add(Pages(i)->Caption());
  captions->EndUpdate();
  tabs_->SetTabIndex(PageIndex());
  PageStack::PagesChanged();
}

void PageControl::PageChanged() {
  tabs_->SetTabIndex(PageIndex());
  PageStack::PageChanged();
}
