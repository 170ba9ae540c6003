#include "framework/ui/PageStack.h"

#include <QPainter>

#include "framework/base/Exception.h"
#include "framework/base/ListIndex.h"
#include "framework/base/TextCompare.h"
#include "framework/ui/ColorPalette.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/ItemLists.h"

void StackPage::PublishProperties(PropertyPublisher<StackPage>& publish) {
  publish.String("Caption", &StackPage::Caption, &StackPage::SetCaption);
  publish.Integer("PageIndex", &StackPage::PageIndex);
}

StackPage::StackPage(TComponent* AOwner) : TWinControl(AOwner) { SetAlign(alClient); }

PageStack* StackPage::Stack() const { return dynamic_cast<PageStack*>(Parent()); }

int StackPage::PageIndex() const {
  PageStack* stack = Stack();
  if (!stack) return -1;
  for (int i = 0; i < stack->PageCount(); ++i)
    if (stack->Pages(i) == this) return i;
  return -1;
}

void StackPage::SetParent(TWinControl* Value) {
  if (Value == Parent()) return;
  if (PageStack* old = Stack()) old->pageLeaving(this);
  TWinControl::SetParent(Value);
  if (PageStack* stack = Stack()) stack->pageArrived(this);
}

void StackPage::PaintWindow(QPainter& painter) {
  painter.fillRect(0, 0, Width(), Height(), qn::ui::qtColor(Color()));
}

void StackPage::TextChanged() {
  TWinControl::TextChanged();
  if (PageStack* stack = Stack()) stack->pageCaptionChanged(this);
}

void StackPage::BeforeDestruction() {
  if (PageStack* stack = Stack()) stack->pageLeaving(this);
  TWinControl::BeforeDestruction();
}

void PageStack::PublishProperties(PropertyPublisher<PageStack>& publish) {
  publish.Integer("PageIndex", &PageStack::PageIndex, &PageStack::SetPageIndex);
  publish.String("ActivePage", &PageStack::ActivePageName, &PageStack::SetActivePageName);
  publish.Event("OnPageChanged", &PageStack::OnPageChanged, &PageStack::OnPageChanged);
}

PageStack::PageStack(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(Left(), Top(), 150, 150); }

int PageStack::PageCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* p = dynamic_cast<StackPage*>(Controls(i)); p && p != leaving_) ++count;
  return count;
}

StackPage* PageStack::Pages(int Index) const {
  CheckListIndex(Index, PageCount());
  for (int i = 0, page = 0; i < ControlCount(); ++i)
    if (auto* p = dynamic_cast<StackPage*>(Controls(i)); p && p != leaving_ && page++ == Index) return p;
  return nullptr;
}

StackPage* PageStack::AddPage(const AnsiString& Caption) {
  auto* page = new StackPage(Owner() ? Owner() : this);
  page->SetCaption(Caption);
  page->SetParent(this);
  return page;
}

StackPage* PageStack::ActivePage() const { return static_cast<StackPage*>(active_.get()); }

void PageStack::SetActivePage(StackPage* Value) {
  if (Value && Value->Stack() != this) throw EInvalidOperation("The page does not belong to this stack");
  if (Value == ActivePage()) return;
  showOnly(Value);
  PageChanged();
}

int PageStack::PageIndex() const {
  StackPage* page = ActivePage();
  return page ? page->PageIndex() : -1;
}

void PageStack::SetPageIndex(int Value) {
  if (Value == -1 && PageCount() == 0) return;
  SetActivePage(Pages(Value));
}

AnsiString PageStack::ActivePageName() const {
  StackPage* page = ActivePage();
  return page ? page->Caption() : AnsiString();
}

void PageStack::SetActivePageName(const AnsiString& Value) {
  for (int i = 0; i < PageCount(); ++i)
    if (AnsiSameText(Pages(i)->Caption(), Value)) return SetActivePage(Pages(i));
  throw EListError("No page is named \"" + Value + "\"");
}

void PageStack::pageArrived(StackPage* Page) {
  if (!ActivePage()) active_ = ControlRef(Page);
  Page->SetVisible(Page == ActivePage());
  PagesChanged();
}

void PageStack::BeforeDestruction() {
  closing_ = true;
  TWinControl::BeforeDestruction();
}

void PageStack::pageLeaving(StackPage* Page) {
  if (closing_) return;
  const int index = Page->PageIndex();
  const bool wasActive = Page == ActivePage();
  // From here on the pages are counted without it, though it is still a child.
  leaving_ = Page;
  if (wasActive) {
    // The page before it takes its place, or the one after when it was the first.
    StackPage* next = PageCount() == 0 ? nullptr : Pages(index > 0 ? index - 1 : 0);
    active_ = ControlRef(next);
    if (next) next->SetVisible(true);
  }
  PagesChanged();
  if (wasActive) PageChanged();
  leaving_ = nullptr;
}

void PageStack::showOnly(StackPage* Page) {
  active_ = ControlRef(Page);
  for (int i = 0; i < PageCount(); ++i) Pages(i)->SetVisible(Pages(i) == Page);
}

void PageStack::PageChanged() { qn::ui::callHandler(OnPageChanged, this); }
