#include "framework/base/Collection.h"

#include <algorithm>
#include <string>

#include "framework/base/ComponentError.h"
#include "framework/base/Exception.h"

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (collection_ == Value) return;
  if (collection_) collection_->removeItem(this);
  if (Value) Value->insertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_) return -1;
  const auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  if (!collection_) return;
  auto& items = collection_->items_;
  const int current = Index();
  Value = std::clamp(Value, 0, static_cast<int>(items.size()) - 1);
  if (Value == current) return;
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
  if (collection_) collection_->changed(AllItems ? nullptr : this);
}

TCollection::TCollection(TPersistent* Owner, ItemFactory factory) : owner_(Owner), factory_(factory) {}

TCollection::~TCollection() {
  destroying_ = true;
  updateCount_ = 1;  // nobody is told of items leaving a collection that goes
  Clear();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("Collection index out of range (" + std::to_string(Index) + ")");
  return items_[Index];
}

TCollectionItem* TCollection::Add() { return factory_(this); }

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) { delete Items(Index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : items_)
    if (item->id_ == ID) return item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) changed(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TCollection*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  // Clearing first would leave nothing to copy.
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : source->items_) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::insertItem(TCollectionItem* item) {
  item->id_ = nextId_++;
  item->collection_ = this;
  items_.push_back(item);
  if (!destroying_) Notify(item, CollectionChange::Added);
  changed(nullptr);
}

void TCollection::removeItem(TCollectionItem* item) {
  if (!destroying_) Notify(item, CollectionChange::Removing);
  items_.erase(std::find(items_.begin(), items_.end(), item));
  item->collection_ = nullptr;
  changed(nullptr);
}

void TCollection::changed(TCollectionItem* item) {
  if (updateCount_ == 0) Update(item);
}
