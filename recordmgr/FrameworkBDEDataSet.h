#pragma once
// TBDEDataSet: the framework's class of every dataset whose records come from the record manager.
// It adds nothing to TDataSet; code that treats such datasets apart asks for it by class name.
#include "framework/db/DataSet.h"

class TBDEDataSet : public TDataSet {
  QN_CLASS(TBDEDataSet, TDataSet)
 public:
  explicit TBDEDataSet(TComponent* owner) : TDataSet(owner) {}
};
