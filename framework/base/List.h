#pragma once
// TList: an ordered list of untyped pointers the system keeps its own objects in. It never owns
// what it holds. An index outside 0..Count-1 raises EListError "List index out of bounds (n)".
#include <vector>

#include "framework/base/Object.h"

class TList : public TObject {
  QN_CLASS(TList, TObject)
 public:
  // Answers a negative value when the first item sorts before the second.
  using TListSortCompare = int (*)(void* item1, void* item2);

  int Count() const { return static_cast<int>(items_.size()); }
  void* Items(int index) const;
  void* operator[](int index) const { return Items(index); }
  void SetItems(int index, void* item);

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; answers its former index or -1.
  int Remove(void* item);
  // Removes the first occurrence and answers it, or nullptr when absent.
  void* Extract(void* item);
  int IndexOf(void* item) const;
  void Clear() { items_.clear(); }
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  // Removes every nullptr.
  void Pack();
  // Stable: items that compare equal keep their order.
  void Sort(TListSortCompare compare);

 private:
  void check(int index) const;
  std::vector<void*> items_;
};
