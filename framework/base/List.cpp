#include "framework/base/List.h"

#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/base/ListIndex.h"

void TList::check(int index) const {
  CheckListIndex(index, Count());
}

void* TList::Items(int index) const {
  check(index);
  return items_[index];
}

void TList::SetItems(int index, void* item) {
  check(index);
  items_[index] = item;
}

int TList::Add(void* item) {
  items_.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index != Count()) check(index);
  items_.insert(items_.begin() + index, item);
}

void TList::Delete(int index) {
  check(index);
  items_.erase(items_.begin() + index);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) { return Remove(item) >= 0 ? item : nullptr; }

int TList::IndexOf(void* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Exchange(int index1, int index2) {
  check(index1);
  check(index2);
  std::swap(items_[index1], items_[index2]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  check(curIndex);
  check(newIndex);
  void* item = items_[curIndex];
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack() { std::erase(items_, nullptr); }

void TList::Sort(TListSortCompare compare) {
  std::stable_sort(items_.begin(), items_.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}
