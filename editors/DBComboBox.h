#pragma once
// TdcDBComboBox: the data-aware combo box whose list holds fixed items. With MapList each item is
// a display text and a stored value ("make this an additional address" TAB "X"): the user sees
// and picks the text, the field holds the value. It types ahead in its items, completes the text
// being typed with ShowMatchText, may drop down on typing, and closes when the user clicks
// elsewhere or leaves it.
#include <functional>
#include <memory>

#include "editors/DBCustomCombo.h"
#include "framework/base/StringList.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/OwnerDraw.h"

class DropDownWindow;
class TdcPopupListbox;

using TdcCloseUpEvent = std::function<void(TObject* Sender, bool Select)>;

class TdcDBComboBox : public TdcDBCustomCombo {
  QN_PUBLISHED_CLASS(TdcDBComboBox, TdcDBCustomCombo)
 public:
  explicit TdcDBComboBox(TComponent* AOwner);
  ~TdcDBComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  // csSimple hides the button, leaving it shows it again.
  void SetStyle(TComboBoxStyle Value);
  bool MapList() const { return mapList_; }
  void SetMapList(bool Value);
  bool AllowClearKey() const { return allowClearKey_; }
  void SetAllowClearKey(bool Value) { allowClearKey_ = Value; }
  bool AutoDropDown() const { return autoDropDown_; }
  void SetAutoDropDown(bool Value) { autoDropDown_ = Value; }
  bool ShowMatchText() const { return showMatchText_; }
  void SetShowMatchText(bool Value) { showMatchText_ = Value; }
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int Value) { dropDownCount_ = Value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int Value) { dropDownWidth_ = Value; }
  // 0: the list's own (its font's line height).
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int Value) { itemHeight_ = Value; }
  TStrings* Items() { return &items_; }
  // Assigns the lines and shows the field's value again.
  void SetItems(TStrings* Value);
  int ItemIndex() const;
  // Selects it in the list; an index of an item shows its display text.
  void SetItemIndex(int Value);
  bool Sorted() const { return items_.Sorted(); }
  void SetSorted(bool Value) { items_.SetSorted(Value); }
  bool OwnerDraw() const { return style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable; }

  // The display and stored parts of the items (exact; the first match wins; none: empty).
  AnsiString DisplayToStored(const AnsiString& Display) const;
  AnsiString StoredToDisplay(const AnsiString& Stored) const;
  // The display part of item Index.
  AnsiString DisplayPart(int Index) const;

  TdcPopupListbox* PopupList() const { return list_; }
  DropDownWindow* DropDownWindowOfList() const { return dropDown_.get(); }

  bool TextEditable() override { return !OwnerDraw() && style_ != csDropDownList; }
  bool IsDroppedDown() override { return dropped_; }
  void DropDown() override;
  void CloseUp(bool Accept) override;
  void GetStoredText(AnsiString& Text) override;
  bool GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) override;
  void DrawTextInRect(Canvas& ACanvas, const TRect& Rect, int X, int Y, const AnsiString& Text) override;

  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;

  TNotifyEvent OnDropDown;
  TdcCloseUpEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  bool CaretAllowed() const override;
  void DataChange() override;
  void Change() override;
  void DoExit() override;

 private:
  // Shows a stored value: the item that holds it, or an empty text.
  void ShowStoredValue(const AnsiString& Value);
  // Selects an item the user chose by key: the record into edit first, Modified set.
  bool ChooseItem(int Index);
  void FillList();
  void MakeList();
  // The item after the current one whose display part begins with Prefix (upper-cased
  // comparison), wrapping once; -1 when none.
  int FindItemFrom(const AnsiString& Prefix, int Start) const;

  StringList items_;
  TdcPopupListbox* list_ = nullptr;
  std::unique_ptr<DropDownWindow> dropDown_;
  TComboBoxStyle style_ = csDropDown;
  bool mapList_ = false;
  bool allowClearKey_ = false;
  bool autoDropDown_ = false;
  bool showMatchText_ = false;
  int dropDownCount_ = 8;
  int dropDownWidth_ = 0;
  int itemHeight_ = 0;
  int itemIndex_ = -1;
  bool dropped_ = false;
  bool firstKeyAfterDrop_ = false;
  bool openingByTyping_ = false;
  bool savedShowHint_ = false;
};
