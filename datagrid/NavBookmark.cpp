#include "datagrid/NavBookmark.h"

#include "framework/db/DataSet.h"

TdcNavBookmark::~TdcNavBookmark() { dataSet_->FreeBookmark(bookmark_); }

void TdcNavBookmark::Replace(TBookmark Bookmark) {
  dataSet_->FreeBookmark(bookmark_);
  bookmark_ = Bookmark;
}
