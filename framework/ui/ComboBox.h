#pragma once
// A combo box: a text with a list of items to pick it from. csDropDown and csSimple let the user
// type any text (csSimple without a list to open); csDropDownList and the owner-drawn styles show
// only the chosen item, and a typed character picks the next item beginning with it, without
// case, wrapping once around the list. Up and Down pick the previous and next item while the list
// is closed; F4 and Alt+Down open and close it.
//
// Items is the control's own string list (objects kept beside the lines); ItemIndex outside
// -1..Count-1 raises EListError and keeps the index. The list opens DropDownCount items high;
// opening runs OnDropDown first (it may still change the items), closing runs OnCloseUp. A pick
// by the user runs OnClick and OnChange; typing runs OnChange. Owner-drawn styles draw each item,
// and the chosen one in the closed box, through DrawItem (OnDrawItem); csOwnerDrawVariable asks
// MeasureItem (OnMeasureItem) for each item's height in the list. A descendant may install a
// paint handler that paints the closed box in place of Qt (ReplaceablePaint); in the styles the
// user types in, Qt's line edit inside the box still shows the text over it.
#include <memory>

#include "framework/base/StringList.h"
#include "framework/ui/ItemLists.h"
#include "framework/ui/OwnerDraw.h"
#include "framework/ui/ReplaceablePaint.h"
#include "framework/ui/WinControl.h"

class QComboBox;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
extern const EnumerationType kComboBoxStyleType;

class ComboBox : public TWinControl, public ItemPainter, public ReplaceablePaint {
  QN_PUBLISHED_CLASS(ComboBox, TWinControl)
 public:
  explicit ComboBox(TComponent* AOwner);
  ~ComboBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* Value) { items_->Assign(*Value); }
  void Clear();

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int Value);
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool Value) { items_->SetSorted(Value); }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle Value);
  // Whether the user types the text (csDropDown, csSimple) rather than picks it.
  bool TextEditable() const { return style_ == csDropDown || style_ == csSimple; }
  bool OwnerDrawn() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }
  // How many characters typing may bring; 0 for no limit. A text set by code is kept whole.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int Value);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  // The height of an item in the list; without one set, the font's line height.
  int ItemHeight() const;
  void SetItemHeight(int Value);

  // What owner-drawn items are drawn with: during DrawItem, the item's canvas.
  Canvas& canvas() { return itemCanvas(*Font()); }

  TWantedKeys WantedKeys() const override { return {wkArrows}; }
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  // ItemPainter, for the list and the closed box.
  bool paintItem(QPainter& painter, int index, const TRect& rect, TOwnerDrawState state) override;
  QSize itemSize(int index, QSize viewSize) override;
  // Called by the widget: the list is about to open, has closed, the user picked an item from it,
  // the user changed the typed text.
  void listOpening();
  void listClosed();
  void pickedFromList(int Index);
  void typedTextChanged();

 protected:
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  // A press on the box opens or closes the list: its release is no click (OnClick tells picks).
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

  AnsiString GetText() const override;
  void SetTextValue(const AnsiString& Value) override;
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void WindowDestroying() override;
  void FontChanged() override;

  QComboBox* comboWidget() const;

 private:
  // Around a change of the items: the chosen item is remembered before and found again after.
  void itemsChanging(TObject*);
  void itemsChanged(TObject*);
  void showItems();
  void showIndex();
  void applyStyle();
  // Picks Index as the user does: the text follows, OnClick and OnChange run.
  void pickByUser(int Index);

  std::unique_ptr<StringList> items_;
  int itemIndex_ = -1;
  qn::ui::ItemIdentity chosenBefore_;
  TComboBoxStyle style_ = csDropDown;
  int maxLength_ = 0;
  int dropDownCount_ = 8;
  int itemHeight_ = 0;  // 0: the font's
  bool dropped_ = false;
};
