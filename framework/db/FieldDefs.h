#pragma once
// The field definitions of a dataset: what the cursor says its record holds (name, type, size,
// required), from which the dataset makes its default fields.
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"

enum TFieldAttributeFlag : unsigned {
  faHiddenCol = 1, faReadonly = 2, faRequired = 4, faLink = 8, faUnNamed = 16, faFixed = 32
};
using TFieldAttributes = unsigned;  // a set of TFieldAttributeFlag

struct TFieldDef {
  AnsiString Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;
  int Precision = 0;
  int FieldNo = 0;  // 1-based position in the record
  TFieldAttributes Attributes = 0;
  bool InternalCalcField = false;

  bool Required() const { return (Attributes & faRequired) != 0; }
};

class TFieldDefs {
 public:
  // Appends a definition numbered after the last one.
  TFieldDef& Add(const AnsiString& name, TFieldType type, int size = 0, bool required = false);
  void Clear() { defs_.clear(); }
  int Count() const { return static_cast<int>(defs_.size()); }
  TFieldDef& Items(int index) { return *defs_.at(index); }
  const TFieldDef& Items(int index) const { return *defs_.at(index); }
  // Names compare without regard to case, as everywhere in the framework.
  int IndexOf(const AnsiString& name) const;
  // Raises "Field '%s' not found" when there is no such definition.
  TFieldDef& Find(const AnsiString& name);
  bool Updated() const { return updated_; }
  void SetUpdated(bool value) { updated_ = value; }

 private:
  std::vector<std::unique_ptr<TFieldDef>> defs_;
  bool updated_ = false;
};
