#pragma once
// TdcNavBookmark: a bookmark a navigator saved, with the dataset it belongs to; it frees the
// bookmark through that dataset when it goes.
#include "framework/db/DbTypes.h"

class TDataSet;

class TdcNavBookmark {
 public:
  TdcNavBookmark(TDataSet* DataSet, TBookmark Bookmark) : dataSet_(DataSet), bookmark_(Bookmark) {}
  ~TdcNavBookmark();
  TdcNavBookmark(const TdcNavBookmark&) = delete;
  TdcNavBookmark& operator=(const TdcNavBookmark&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  TBookmark Bookmark() const { return bookmark_; }
  // Frees the bookmark held and holds this one.
  void Replace(TBookmark Bookmark);

 private:
  TDataSet* dataSet_;
  TBookmark bookmark_;
};
