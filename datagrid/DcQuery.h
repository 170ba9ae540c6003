#pragma once
// TdcQuery: the library's query, the framework query with the per-field lists, the record filter,
// lookup fields and the mask check before a post.
#include "datagrid/DcExtendedSteps.h"
#include "recordmgr/FrameworkQuery.h"

class TdcQuery : public DcExtendedSteps<TQuery> {
  QN_PUBLISHED_CLASS(TdcQuery, TQuery)
 public:
  explicit TdcQuery(TComponent* owner);
};
