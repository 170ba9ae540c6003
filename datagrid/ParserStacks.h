#pragma once
// The two small stacks the filter-expression compiler works with: one of symbol texts, one of
// tree nodes. Popping an empty stack answers an empty text or nullptr rather than failing, so
// the compiler decides what a missing operand means.
#include <vector>

#include "framework/base/AnsiString.h"

class TStackStr {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  void Push(const AnsiString& text) { items_.push_back(text); }
  AnsiString Pop();

 private:
  std::vector<AnsiString> items_;
};

// Holds references only: whoever pushed the objects still owns them.
template <typename T>
class TStackPtr {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  void Push(T* item) { items_.push_back(item); }
  T* Pop() {
    if (items_.empty()) return nullptr;
    T* item = items_.back();
    items_.pop_back();
    return item;
  }

 private:
  std::vector<T*> items_;
};
