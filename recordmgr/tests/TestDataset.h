#pragma once
// The binding's dataset for tests: it opens the one table TableName names in its database, in
// the index IndexName names (none: the table's first). Test code only.
#include "framework/base/AnsiString.h"
#include "recordmgr/DBDataset.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/TestBinding.h"

namespace bindingtest {

class TestTableDataset : public TttDBDataset {
 public:
  TestTableDataset(TComponent* owner, TestSessionList& list) : TttDBDataset(owner, list), list_(list) {}
  ~TestTableDataset() override { CloseForDestruction(); }

  TVirtEng* Engine() override { return list_.engine; }
  TttSession* DefaultSession() override { return list_.DefaultSession(); }

  AnsiString TableName;
  AnsiString IndexName;

 protected:
  TBaseTable* CreateHandle() override {
    TBaseTable* cursor = nullptr;
    CheckWithPasswordRetry([&] {
      return Engine()->OpenTable(DBHandle(), TableName.c_str(), nullptr, IndexName.c_str(), nullptr, 0, 0, 0, 0,
                                 false, nullptr, cursor);
    });
    return cursor;
  }

 private:
  TestSessionList& list_;
};

}  // namespace bindingtest
