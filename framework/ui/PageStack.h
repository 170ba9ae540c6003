#pragma once
// Pages laid one over the other, one shown at a time: a PageStack holds StackPage children, each a
// container with a caption (its name among the pages). The first page that arrives is shown; the
// others wait hidden until chosen by index, by page or by caption (without case). An index
// outside the pages, or a caption no page has, raises EListError and keeps the page shown.
#include "framework/ui/WinControl.h"

class PageStack;

class StackPage : public TWinControl {
  QN_PUBLISHED_CLASS(StackPage, TWinControl)
 public:
  explicit StackPage(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  PageStack* Stack() const;
  // The position among the stack's pages; -1 outside one.
  int PageIndex() const;

  void SetParent(TWinControl* Value) override;
  // A page shows its colour behind its controls.
  void PaintWindow(QPainter& painter) override;

 protected:
  void TextChanged() override;
  void BeforeDestruction() override;
};

class PageStack : public TWinControl {
  QN_PUBLISHED_CLASS(PageStack, TWinControl)
 public:
  explicit PageStack(TComponent* AOwner);

  int PageCount() const;
  // The page at Index; an index outside the pages raises EListError.
  StackPage* Pages(int Index) const;
  // A new page with that caption, last among the pages.
  StackPage* AddPage(const AnsiString& Caption);

  StackPage* ActivePage() const;
  void SetActivePage(StackPage* Value);
  // -1 while the stack has no page.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The caption of the shown page; setting it shows the page of that caption.
  AnsiString ActivePageName() const;
  void SetActivePageName(const AnsiString& Value);

  // Told after the shown page changed, by code or by the user.
  TNotifyEvent OnPageChanged;

  // Called by the pages.
  void pageArrived(StackPage* Page);
  void pageLeaving(StackPage* Page);
  void pageCaptionChanged(StackPage* Page) { PagesChanged(); }

 protected:
  // The pages, their order or their captions changed; the base does nothing.
  virtual void PagesChanged() {}
  // The shown page changed; the base calls OnPageChanged.
  virtual void PageChanged();
  void BeforeDestruction() override;

 private:
  void showOnly(StackPage* Page);

  ControlRef active_;
  StackPage* leaving_ = nullptr;  // a page on its way out, no longer counted
  bool closing_ = false;          // the stack goes, its pages with it: nothing to tell
};
