#include "framework/ui/MenuItem.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->parent_) Item->parent_->Remove(Item);
  items_.insert(items_.begin() + std::clamp(Index, 0, Count()), Item);
  Item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const auto found = std::find(items_.begin(), items_.end(), Item);
  if (found == items_.end()) return;
  items_.erase(found);
  Item->parent_ = nullptr;
}

void TMenuItem::SetChecked(bool Value) {
  checked_ = Value;
  if (!Value || RadioGroup == 0 || !parent_) return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->RadioGroup == RadioGroup) sibling->checked_ = false;
}

char TMenuItem::Accelerator() const { return qn::ui::acceleratorOfCaption(caption_); }

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

TMenuItem* TMenuItem::findShortcut(TShortCut shortcut) {
  for (TMenuItem* item : items_) {
    if (!item->Visible || !item->Enabled) continue;
    if (item->ShortCut() == shortcut) return item;
    if (TMenuItem* found = item->findShortcut(shortcut)) return found;
  }
  return nullptr;
}
