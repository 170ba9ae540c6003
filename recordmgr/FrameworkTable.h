#pragma once
// TTable: the framework's table component, the record manager's table bound to the process's
// session list and its default session "Btrieve". Forms place it by class name.
#include "recordmgr/Table.h"

class TtbSessionList;

class TTable : public TttTable {
  QN_CLASS(TTable, TttTable)
 public:
  // Joins the process's session list; EComponentError when the units have not made it.
  explicit TTable(TComponent* owner);
  ~TTable() override;

  TVirtEng* Engine() override;
  TttSession* DefaultSession() override;

 private:
  TTable(TComponent* owner, TtbSessionList& list);
  TtbSessionList& list_;
};
