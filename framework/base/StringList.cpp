#include "framework/base/StringList.h"

#include <algorithm>

#include "framework/base/Exception.h"
#include "framework/base/TextCompare.h"

void StringList::check(int index) const {
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void StringList::changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void StringList::changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void StringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnChanging) OnChanging(this);
  } else if (OnChange) {
    OnChange(this);
  }
}

int StringList::CompareStrings(const AnsiString& a, const AnsiString& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

AnsiString StringList::Get(int index) const {
  check(index);
  return items_[index].text;
}

TObject* StringList::GetObject(int index) const {
  check(index);
  return items_[index].object;
}

void StringList::Put(int index, const AnsiString& s) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  check(index);
  changing();
  items_[index].text = s;
  changed();
}

void StringList::PutObject(int index, TObject* object) {
  check(index);
  changing();
  items_[index].object = object;
  changed();
}

void StringList::InsertObject(int index, const AnsiString& s, TObject* object) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (index != Count()) check(index);
  changing();
  items_.insert(items_.begin() + index, Item{s, object});
  changed();
}

int StringList::AddObject(const AnsiString& s, TObject* object) {
  if (!sorted_) {
    InsertObject(Count(), s, object);
    return Count() - 1;
  }
  int index;
  if (Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EListError("String list does not allow duplicates");
    while (index < Count() && CompareStrings(items_[index].text, s) == 0) ++index;
  }
  changing();
  items_.insert(items_.begin() + index, Item{s, object});
  changed();
  return index;
}

void StringList::Delete(int index) {
  check(index);
  changing();
  items_.erase(items_.begin() + index);
  changed();
}

void StringList::Clear() {
  if (items_.empty()) return;
  changing();
  items_.clear();
  changed();
}

void StringList::Exchange(int index1, int index2) {
  check(index1);
  check(index2);
  changing();
  std::swap(items_[index1], items_[index2]);
  changed();
}

void StringList::Move(int curIndex, int newIndex) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  TStrings::Move(curIndex, newIndex);
}

int StringList::IndexOf(const AnsiString& s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

bool StringList::Find(const AnsiString& s, int& index) const {
  auto at = std::lower_bound(items_.begin(), items_.end(), s, [this](const Item& item, const AnsiString& key) {
    return CompareStrings(item.text, key) < 0;
  });
  index = static_cast<int>(at - items_.begin());
  return at != items_.end() && CompareStrings(at->text, s) == 0;
}

void StringList::sortBy(const std::function<bool(const Item&, const Item&)>& less) {
  changing();
  std::stable_sort(items_.begin(), items_.end(), less);
  changed();
}

void StringList::Sort() {
  sortBy([this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
}

void StringList::CustomSort(const TStringListSortCompare& compare) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  // The comparison reads the list by index, so sort an order of indexes and apply it.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
  changing();
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(items_[i]);
  items_ = std::move(sorted);
  changed();
}

void StringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) Sort();
  sorted_ = sorted;
}

void StringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}
