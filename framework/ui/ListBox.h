#pragma once
// A list of text items the user picks from: one at a time, or several with MultiSelect (a click
// toggles an item; with ExtendedSelect, Shift and Ctrl extend the selection as in a file view).
// Items is the control's own string list; editing it shows at once. ItemIndex is the current
// item (the one with the focus rectangle when several may be selected); setting it to an index
// outside -1..Count-1 raises EListError and keeps the index. A click and a key that changes the
// selection run OnClick; a change by code does not.
//
// Typing a character selects the next item beginning with it, without case, wrapping once around
// the list. Owner-drawn styles hand each item to DrawItem (OnDrawItem) with the canvas set up in
// the item's colours; lbOwnerDrawVariable asks MeasureItem (OnMeasureItem) for each item's height.
// Text wider than the box is cut at its edge unless HorizontalExtent makes the list that wide and
// gives it a horizontal scroll bar.
#include <memory>
#include <vector>

#include "framework/base/StringList.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/OwnerDraw.h"
#include "framework/ui/WinControl.h"

class QListWidget;

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
extern const EnumerationType kListBoxStyleType;

class ListBox : public TWinControl, public ItemPainter {
  QN_PUBLISHED_CLASS(ListBox, TWinControl)
 public:
  explicit ListBox(TComponent* AOwner);
  ~ListBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(*Value); }
  void Clear() { items_->Clear(); }

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value);
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool Value) { items_->SetSorted(Value); }

  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool Value);
  // Whether item Index is selected; an index outside the items raises EListError.
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;

  // The first item shown.
  int TopIndex() const;
  void SetTopIndex(int Value);

  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle Value);
  // The height of an item: of every item in the standard and fixed styles, the one MeasureItem
  // starts from in the variable style. Without one set, the font's line height.
  int ItemHeight() const;
  void SetItemHeight(int Value);
  // The width the list scrolls across; 0: the box's own width, wider text is cut.
  int HorizontalExtent() const { return horizontalExtent_; }
  void SetHorizontalExtent(int Value);

  // The item at a client point; -1 when none. Without Existing, a point below the last item
  // answers Count.
  int ItemAtPos(TPoint Pos, bool Existing) const;
  // The first item, from Start onward and wrapping, that begins with Prefix without case; -1 none.
  int FindItemWithPrefix(const AnsiString& Prefix, int Start) const;

  // What owner-drawn items are drawn with: during DrawItem, the item's canvas; otherwise one
  // that measures in the control's font.
  Canvas& canvas();

  TWantedKeys WantedKeys() const override { return {wkArrows}; }
  void KeyPress(char& Key) override;

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  // ItemPainter, for the view.
  bool paintItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) override;
  QSize itemSize(int index, QSize viewSize) override;
  // Called by the view after each mouse button and key event: what the user changed in the
  // selection becomes the control's, and with TellClick a change runs OnClick.
  void viewChangedByUser(bool TellClick);

 protected:
  // Draws an owner-drawn item on canvas(); the base calls OnDrawItem, or without one writes the
  // item's text.
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  // The item's background in the canvas's brush and its text, moved right by Indent.
  void drawItemText(int Index, const TRect& Rect, int Indent);

  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void WindowDestroying() override;
  void FontChanged() override;

  QListWidget* listWidget() const;

 private:
  // Around a change of the items: the current and the selected items are remembered before and
  // found again after, wherever the change moved them.
  void itemsChanging(TObject*);
  void itemsChanged(TObject*);
  // Puts the items, then the selection, into the widget.
  void showItems();
  void showSelection();
  void applySelectionMode();
  // Every item unselected but Index (none for -1).
  void selectOnly(int Index);
  void applyScrolling();
  // Selects Index alone (single select) or makes it current (multi select), as the user would.
  void pickByUser(int Index);

  std::unique_ptr<StringList> items_;
  int itemIndex_ = -1;
  std::vector<bool> selected_;
  qn::ui::ItemIdentity currentBefore_;
  std::vector<std::pair<int, qn::ui::ItemIdentity>> selectedBefore_;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  mutable int topIndex_ = 0;
  TListBoxStyle style_ = lbStandard;
  int itemHeight_ = 0;  // 0: the font's
  int horizontalExtent_ = 0;
};
