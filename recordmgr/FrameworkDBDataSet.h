#pragma once
// TDBDataSet: the framework's class of the record-manager datasets bound to a database by name.
// It adds nothing to the engine dataset; code that treats such datasets apart asks for it by
// class name.
#include "recordmgr/BDEDataset.h"

class TDBDataSet : public TttBDEDataset {
  QN_CLASS(TDBDataSet, TttBDEDataset)
 public:
  explicit TDBDataSet(TComponent* owner) : TttBDEDataset(owner) {}
};
