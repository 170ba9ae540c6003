#pragma once
// TdcNavDataLink: the navigator's link to its data source, passing on the dataset's changes of
// record, of editing and of activity.
#include "framework/db/DataLink.h"

class TdcDBNavigator;

class TdcNavDataLink : public TDataLink {
 public:
  explicit TdcNavDataLink(TdcDBNavigator* Navigator) : navigator_(Navigator) {}
  ~TdcNavDataLink() override { navigator_ = nullptr; }

 protected:
  void DataSetChanged() override;
  void EditingChanged() override;
  void ActiveChanged() override;

 private:
  TdcDBNavigator* navigator_;
};
