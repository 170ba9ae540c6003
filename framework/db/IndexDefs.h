#pragma once
// The index definitions a dataset publishes: name, key fields ("A;B"), descending fields, options;
// and the search for the index that serves a list of fields.
#include <memory>
#include <vector>

#include "framework/base/AnsiString.h"

enum TIndexOptionFlag : unsigned {
  ixPrimary = 1, ixUnique = 2, ixDescending = 4, ixCaseInsensitive = 8, ixExpression = 16,
  ixNonMaintained = 32
};
using TIndexOptions = unsigned;  // a set of TIndexOptionFlag

struct TIndexDef {
  AnsiString Name;
  AnsiString Fields;       // key field names separated by ';' (or the expression text)
  AnsiString DescFields;   // the key fields that sort descending
  AnsiString Source;
  TIndexOptions Options = 0;
};

class TIndexDefs {
 public:
  TIndexDef& Add(const AnsiString& name, const AnsiString& fields, TIndexOptions options);
  void Clear() { defs_.clear(); }
  int Count() const { return static_cast<int>(defs_.size()); }
  TIndexDef& Items(int index) { return *defs_.at(index); }
  const TIndexDef& Items(int index) const { return *defs_.at(index); }
  int IndexOf(const AnsiString& name) const;  // without regard to case; -1 when absent
  TIndexDef* FindIndexForFields(const AnsiString& fields) const;  // nullptr when none serves
  // Raises "Index for fields '%s' not found" when none serves.
  TIndexDef& GetIndexForFields(const AnsiString& fields, bool caseInsensitive) const;
  bool Updated() const { return updated_; }
  void SetUpdated(bool value) { updated_ = value; }

 private:
  std::vector<std::unique_ptr<TIndexDef>> defs_;
  bool updated_ = false;
};

// Splits "A;B;C" into its names, trimmed; empty parts are dropped.
std::vector<AnsiString> SplitFieldNames(const AnsiString& names);
