#pragma once
// The ordered list of a dataset's fields. It does not own them: a field belongs to its owner
// component (the dataset for default fields), and leaves the list when it is destroyed.
#include <vector>

#include "framework/base/AnsiString.h"

class TField;

class TFields {
 public:
  int Count() const { return static_cast<int>(fields_.size()); }
  TField* operator[](int index) const { return fields_.at(index); }
  TField* Fields(int index) const { return fields_.at(index); }
  // Field names compare without regard to case.
  TField* FindField(const AnsiString& name) const;
  int IndexOf(const TField* field) const;
  void Add(TField* field) { fields_.push_back(field); }
  void Remove(TField* field);
  void Clear() { fields_.clear(); }
  // Moves field to position index (clamped to the list).
  void SetFieldIndex(TField* field, int index);

  auto begin() const { return fields_.begin(); }
  auto end() const { return fields_.end(); }

 private:
  std::vector<TField*> fields_;
};
