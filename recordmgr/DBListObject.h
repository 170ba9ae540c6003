#pragma once
// TDBListObject: one database of an SQL session's database list, its 357-byte description
// copied when the entry is made.
#include "framework/base/Object.h"
#include "recordmgr/DatabaseDescription.h"

class TDBListObject : public TObject {
  QN_CLASS(TDBListObject, TObject)
 public:
  explicit TDBListObject(const DatabaseDescription& description) : description_(description) {}

  const DatabaseDescription& Description() const { return description_; }

 private:
  DatabaseDescription description_;
};
