#pragma once
// TTable: the framework's table component, the record manager's table bound to the process's
// session list and its default session "Btrieve". Forms place it by class name; the filter and
// locate code recognises it by that name.
#include "recordmgr/Sessions.h"

class TTable : public TtbTable {
  QN_CLASS(TTable, TtbTable)
 public:
  // Joins the process's session list; EComponentError when the units have not made it. Out of
  // line, so whatever makes a table also links the registration that forms need.
  explicit TTable(TComponent* owner);
};
