#pragma once
// The binding's table for tests: the engine and default session of the test binding's session
// list. Test code only.
#include "recordmgr/BatchMove.h"
#include "recordmgr/Table.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/TestBinding.h"

namespace bindingtest {

class TestTableDataset : public TttTable {
 public:
  TestTableDataset(TComponent* owner, TestSessionList& list) : TttTable(owner, list), list_(list) {}
  ~TestTableDataset() override { CloseForDestruction(); }

  TVirtEng* Engine() override { return list_.engine; }
  const TClassInfo* GetBatchMoveClass() const override { return TttBatchMove::StaticClassInfo(); }
  TttSession* DefaultSession() override { return list_.DefaultSession(); }

 private:
  TestSessionList& list_;
};

}  // namespace bindingtest
