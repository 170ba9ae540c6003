#pragma once
// TdcStoredProc: the library's stored procedure, the framework component with the per-field
// lists, the record filter, lookup fields and the mask check before a post.
#include "datagrid/DcExtendedSteps.h"
#include "recordmgr/FrameworkStoredProc.h"

class TdcStoredProc : public DcExtendedSteps<TStoredProc> {
  QN_PUBLISHED_CLASS(TdcStoredProc, TStoredProc)
 public:
  explicit TdcStoredProc(TComponent* owner);
};
