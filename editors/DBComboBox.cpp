#include "editors/DBComboBox.h"

#include <algorithm>
#include <cctype>

#include "datagrid/InputHelpers.h"
#include "editors/PopupListbox.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Beep.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

namespace {

UnitRegistration unit("editors/DBComboBox", {}, [] { RegisterClass<TdcDBComboBox>(); });

AnsiString upper(AnsiString text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The two parts of a map-list line: before the first TAB, and after it up to a further TAB.
AnsiString displayPartOf(const AnsiString& line) { return line.substr(0, line.find('\t')); }
AnsiString storedPartOf(const AnsiString& line) {
  const size_t tab = line.find('\t');
  if (tab == AnsiString::npos) return AnsiString();
  const size_t end = line.find('\t', tab + 1);
  return line.substr(tab + 1, end == AnsiString::npos ? AnsiString::npos : end - tab - 1);
}

// The character a text key stands for (the numeric pad's digits as digits); 0 for none.
char characterOfKey(WORD Key) {
  if (Key >= 'A' && Key <= 'Z') return static_cast<char>(Key);
  if (Key >= '0' && Key <= '9') return static_cast<char>(Key);
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return static_cast<char>('0' + Key - VK_NUMPAD0);
  return 0;
}

}  // namespace

void TdcDBComboBox::PublishProperties(PropertyPublisher<TdcDBComboBox>& publish) {
  publish.Boolean("ShowButton", [](TdcDBComboBox& c) { return c.GetShowButton(); },
                  [](TdcDBComboBox& c, bool v) { c.SetShowButton(v); });
  publish.Enumeration("Style", kComboBoxStyleType, &TdcDBComboBox::Style, &TdcDBComboBox::SetStyle);
  publish.Boolean("MapList", &TdcDBComboBox::MapList, &TdcDBComboBox::SetMapList);
  publish.Boolean("AllowClearKey", &TdcDBComboBox::AllowClearKey, &TdcDBComboBox::SetAllowClearKey);
  publish.Boolean("AutoDropDown", &TdcDBComboBox::AutoDropDown, &TdcDBComboBox::SetAutoDropDown);
  publish.Boolean("ShowMatchText", &TdcDBComboBox::ShowMatchText, &TdcDBComboBox::SetShowMatchText);
  publish.Enumeration("ButtonStyle", kdcComboButtonStyleType, &TdcDBComboBox::ButtonStyle,
                      &TdcDBComboBox::SetButtonStyle);
  publish.Integer("DropDownCount", &TdcDBComboBox::DropDownCount, &TdcDBComboBox::SetDropDownCount);
  publish.Integer("DropDownWidth", &TdcDBComboBox::DropDownWidth, &TdcDBComboBox::SetDropDownWidth);
  publish.Integer("ItemHeight", &TdcDBComboBox::ItemHeight, &TdcDBComboBox::SetItemHeight);
  publish.StringList("Items", [](TdcDBComboBox& c) -> TStrings* { return c.Items(); },
                     [](TdcDBComboBox& c, TStrings* v) { c.SetItems(v); });
  publish.Integer("ItemIndex", &TdcDBComboBox::ItemIndex, &TdcDBComboBox::SetItemIndex);
  publish.Boolean("Sorted", &TdcDBComboBox::Sorted, &TdcDBComboBox::SetSorted);
  publish.Event("OnDropDown", &TdcDBComboBox::OnDropDown, &TdcDBComboBox::OnDropDown);
  publish.Event("OnCloseUp", &TdcDBComboBox::OnCloseUp, &TdcDBComboBox::OnCloseUp);
  publish.Event("OnDrawItem", &TdcDBComboBox::OnDrawItem, &TdcDBComboBox::OnDrawItem);
  publish.Event("OnMeasureItem", &TdcDBComboBox::OnMeasureItem, &TdcDBComboBox::OnMeasureItem);
}

TdcDBComboBox::TdcDBComboBox(TComponent* AOwner) : TdcDBCustomCombo(AOwner) { SetButtonStyle(cbsDownArrow); }

TdcDBComboBox::~TdcDBComboBox() { dropDown_.reset(); }

// ---- items and mapping ----

AnsiString TdcDBComboBox::DisplayPart(int Index) const {
  const AnsiString line = items_[Index];
  return mapList_ ? displayPartOf(line) : line;
}

AnsiString TdcDBComboBox::DisplayToStored(const AnsiString& Display) const {
  if (!mapList_) return Display;
  for (int i = 0; i < items_.Count(); ++i)
    if (displayPartOf(items_[i]) == Display) return storedPartOf(items_[i]);
  return AnsiString();
}

AnsiString TdcDBComboBox::StoredToDisplay(const AnsiString& Stored) const {
  if (!mapList_) return Stored;
  for (int i = 0; i < items_.Count(); ++i)
    if (storedPartOf(items_[i]) == Stored) return displayPartOf(items_[i]);
  return AnsiString();
}

void TdcDBComboBox::GetStoredText(AnsiString& Text) {
  const AnsiString text = this->Text();
  Text = style_ == csDropDown && text.empty() ? AnsiString() : DisplayToStored(text);
}

bool TdcDBComboBox::GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) {
  if (!mapList_) return false;
  DisplayText = StoredToDisplay(StoredValue);
  return true;
}

void TdcDBComboBox::SetMapList(bool Value) {
  mapList_ = Value;
  DataChange();
}

void TdcDBComboBox::SetItems(TStrings* Value) {
  items_.Assign(*Value);
  DataChange();
}

void TdcDBComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == csSimple) SetShowButton(false);
  else if (style_ == csSimple) SetShowButton(true);
  style_ = Value;
  Invalidate();
}

int TdcDBComboBox::ItemIndex() const { return list_ && list_->Items()->Count() > 0 ? list_->ItemIndex() : itemIndex_; }

void TdcDBComboBox::SetItemIndex(int Value) {
  itemIndex_ = Value;
  if (list_ && Value >= -1 && Value < list_->Items()->Count()) list_->SetItemIndex(Value);
  if (Value >= 0 && Value < items_.Count()) SetText(DisplayPart(Value));
}

bool TdcDBComboBox::CaretAllowed() const {
  return !OwnerDraw() && !(style_ == csDropDownList && !dropped_ && !showMatchText_);
}

// ---- the field ----

void TdcDBComboBox::DataChange() {
  // The base shows the stored value first; when the mapped text comes back unchanged (the record
  // went into edit under a typed key) the caret stays where the key left it.
  const AnsiString before = Text();
  const int selStart = SelStart();
  const int selLength = SelLength();
  TdcDBCustomCombo::DataChange();
  TField* field = Field();
  if (mapList_) {
    if (field) ShowStoredValue(field->AsString());
    else SetText("");
    if (Text() == before) {
      SetSelStart(selStart);
      SetSelLength(selLength);
    }
  } else if (field && OwnerDraw()) {
    itemIndex_ = -1;
    for (int i = 0; i < items_.Count(); ++i)
      if (items_[i] == field->AsString()) itemIndex_ = i;
    Invalidate();
  }
}

void TdcDBComboBox::ShowStoredValue(const AnsiString& Value) {
  AnsiString stored;
  GetStoredText(stored);
  if (stored == Value && !(Value.empty() && mapList_)) return;
  int index = -1;
  for (int i = 0; i < items_.Count() && index < 0; ++i) {
    const AnsiString part = mapList_ ? storedPartOf(items_[i]) : items_[i];
    if (part == Value && !(Value.empty() && !mapList_ && style_ != csDropDown)) index = i;
  }
  if (!mapList_ && style_ == csDropDown) SetText(Value);
  SetItemIndex(index);
  if (index < 0 && (mapList_ || style_ != csDropDown)) SetText("");
}

// ---- the list ----

void TdcDBComboBox::MakeList() {
  if (list_) return;
  list_ = new TdcPopupListbox(this);
  dropDown_ = std::make_unique<DropDownWindow>(this, list_);
  dropDown_->OnPressOutside = [this](TPoint) {
    if (dropped_ && Screen->ActiveControl() == this) CloseUp(true);
  };
  dropDown_->OnCancelMode = [this] { CloseUp(true); };
}

void TdcDBComboBox::FillList() {
  TStrings* lines = list_->Items();
  lines->Clear();
  for (int i = 0; i < items_.Count(); ++i) lines->Add(DisplayPart(i));
}

int TdcDBComboBox::FindItemFrom(const AnsiString& Prefix, int Start) const {
  const int count = items_.Count();
  const AnsiString prefix = upper(Prefix);
  for (int step = 0; step < count; ++step) {
    const int i = (Start + step) % count;
    if (upper(DisplayPart(i)).compare(0, prefix.size(), prefix) == 0) return i;
  }
  return -1;
}

void TdcDBComboBox::DropDown() {
  if (dropped_ || style_ == csSimple) return;
  Invalidate();
  MakeList();
  FillList();
  if (OnDropDown) OnDropDown(this);
  FillList();
  if (OwnerDraw()) {
    list_->SetStyle(style_ == csOwnerDrawFixed ? lbOwnerDrawFixed : lbOwnerDrawVariable);
    list_->OnDrawItem = OnDrawItem;
    list_->OnMeasureItem = OnMeasureItem;
  } else {
    list_->SetStyle(lbStandard);
  }
  list_->SetSorted(Sorted());
  list_->SetColor(Color());
  list_->Font()->Assign(Font());
  if (itemHeight_ > 0) list_->SetItemHeight(itemHeight_);
  else list_->SetItemHeight(qn::ui::fontLineHeight(*Font()));
  const int rows = std::min(list_->Items()->Count(), std::max(dropDownCount_, 1));
  const int height = rows * list_->ItemHeight() + 4;
  const int width = dropDownWidth_ > 0 ? dropDownWidth_ : Width();
  int selection = -1;
  if (OwnerDraw() && Field()) {
    for (int i = 0; i < items_.Count() && selection < 0; ++i)
      if (items_[i] == Field()->AsString()) selection = i;
  } else if (!Text().empty()) {
    for (int i = 0; i < list_->Items()->Count() && selection < 0; ++i)
      if (list_->Items()->Strings(i) == Text()) selection = i;
  }
  list_->SetItemIndex(selection);
  const TPoint corner = ClientToScreen({0, 0});
  int left = corner.X;
  if (left + width > Screen->workArea().Right) left = corner.X + Width() - width - 1;
  dropped_ = true;
  firstKeyAfterDrop_ = true;
  dropDown_->open(width, height, left);
  if (CanFocus() && !Focused()) SetFocus();
  if (!openingByTyping_ && CaretAllowed()) SelectAll();
  savedShowHint_ = ShowHint();
  SetShowHint(false);
  Invalidate();
}

void TdcDBComboBox::CloseUp(bool Accept) {
  if (!dropped_) return;
  ReleaseMouseCapture();
  const int selection = list_->ItemIndex();
  AnsiString newText;
  if (Accept && selection >= 0) newText = list_->Items()->Strings(selection);
  else if (style_ == csDropDown) newText = Text();
  dropped_ = false;
  dropDown_->close();
  if (Accept && newText != Text() && EditCanModify()) {
    if (!newText.empty() || style_ == csDropDownList || mapList_) SetText(newText);
    itemIndex_ = selection;
    MarkModified();
  }
  Invalidate();
  if (CaretAllowed()) SelectAll();
  SetShowHint(savedShowHint_);
  if (OnCloseUp) OnCloseUp(this, Accept);
}

// ---- keys ----

bool TdcDBComboBox::ChooseItem(int Index) {
  if (Index < 0 || Index >= items_.Count()) return false;
  if (DataSource() && DataSource()->DataSet() && !BeginFieldEdit()) return false;
  SetItemIndex(Index);
  MarkModified();
  if (CaretAllowed()) SelectAll();
  return true;
}

TWantedKeys TdcDBComboBox::WantedKeys() const {
  TWantedKeys keys = TdcDBCustomCombo::WantedKeys();
  if (dropped_) keys = keys.Include(wkArrows);
  return keys;
}

void TdcDBComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
  if (!dropped_) {
    if (autoDropDown_ && IsTextEditKey(Key) && Key != VK_BACK && Key != VK_DELETE && !alt) {
      openingByTyping_ = true;
      DropDown();
      openingByTyping_ = false;
    } else if ((InsideGrid() || (Key != VK_UP && Key != VK_DOWN)) && style_ == csDropDownList && !showMatchText_ &&
               IsTextEditKey(Key) && !alt) {
      if (const char typed = characterOfKey(Key))
        ChooseItem(FindItemFrom(AnsiString(1, typed), ItemIndex() + 1));
    } else if (!InsideGrid() && !alt && (Key == VK_UP || Key == VK_DOWN)) {
      const int index = ItemIndex() + (Key == VK_UP ? -1 : 1);
      ChooseItem(std::clamp(index, 0, items_.Count() - 1) == index ? index : -1);
      Key = 0;
      return;
    }
  } else if (!alt && !Shift.Contains(ssShift)) {
    if (firstKeyAfterDrop_ && IsTextEditKey(Key) &&
        (style_ == csDropDownList || style_ == csSimple || autoDropDown_)) {
      firstKeyAfterDrop_ = false;
      if (!DataSource() || !DataSource()->DataSet() || BeginFieldEdit()) SetText("");
    }
    // The list moves under the arrows and pages; the edit keeps every character (they arrive
    // apart from the keys here).
    const int count = list_->Items()->Count();
    const int page = std::max(dropDownCount_, 1);
    int moved = -2;
    if (Key == VK_UP) moved = list_->ItemIndex() - 1;
    else if (Key == VK_DOWN) moved = list_->ItemIndex() + 1;
    else if (Key == VK_PRIOR) moved = list_->ItemIndex() - page;
    else if (Key == VK_NEXT) moved = list_->ItemIndex() + page;
    if (moved != -2) {
      if (count > 0) list_->SetItemIndex(std::clamp(moved, 0, count - 1));
      Key = 0;
      return;
    }
  }
  TdcDBCustomCombo::KeyDown(Key, Shift);
}

void TdcDBComboBox::KeyPress(char& Key) {
  const unsigned char code = static_cast<unsigned char>(Key);
  if (Key == '\r') {
    Key = 0;
    return;
  }
  if (dropped_ && OwnerDraw()) {
    list_->TypeKey(Key, showMatchText_);
    Key = 0;
    return;
  }
  if (showMatchText_ && code >= 32 && code <= 254 &&
      SelStart() + SelLength() == static_cast<int>(Text().size())) {
    const AnsiString typed = Text().substr(0, SelStart()) + Key;
    if (typed != Text()) {
      const int found = FindItemFrom(typed, std::max(ItemIndex(), 0));
      if (found >= 0) {
        if (dropped_) {
          list_->SetItemIndex(found);
          SetText(DisplayPart(found));
        } else if (!ChooseItem(found)) {
          Key = 0;
          return;
        }
        SetSelStart(static_cast<int>(typed.size()));
        SetSelLength(static_cast<int>(Text().size() - typed.size()));
        Key = 0;
        return;
      }
      if (style_ == csDropDownList || dropped_) {
        Key = 0;
        Beep();
        return;
      }
    }
  }
  // A map-list combo's text is a display part: no date is completed into it.
  const bool autoFill = AutoFillDate();
  if (mapList_) SetAutoFillDate(false);
  TdcDBCustomCombo::KeyPress(Key);
  SetAutoFillDate(autoFill);
}

void TdcDBComboBox::Change() {
  TdcDBCustomCombo::Change();
  // The list follows the text typed while it is open.
  if (dropped_ && !OwnerDraw() && !showMatchText_) list_->SelectPrefix(Text(), false);
}

void TdcDBComboBox::KeyUp(WORD& Key, TShiftState Shift) {
  if (allowClearKey_ && (Key == VK_BACK || Key == VK_DELETE)) {
    if (dropped_ && Text().empty()) {
      list_->SetItemIndex(-1);
      itemIndex_ = -1;
    } else if (!dropped_ && style_ == csDropDownList && !showMatchText_) {
      if (!DataSource() || !DataSource()->DataSet() || BeginFieldEdit()) {
        SetText("");
        SetItemIndex(-1);
        MarkModified();
      }
    }
  }
  TdcDBCustomCombo::KeyUp(Key, Shift);
}

void TdcDBComboBox::DoExit() {
  // Leaving takes the highlighted line before the text is written.
  CloseUp(true);
  TdcDBCustomCombo::DoExit();
}

// ---- painting ----

void TdcDBComboBox::DrawTextInRect(Canvas& ACanvas, const TRect& Rect, int X, int Y, const AnsiString& Text) {
  if (OwnerDraw() && OnDrawItem && itemIndex_ >= 0) {
    OnDrawItem(this, itemIndex_, Rect, TOwnerDrawState{odFocused, odComboBoxEdit});
    return;
  }
  TdcDBCustomCombo::DrawTextInRect(ACanvas, Rect, X, Y, Text);
}
