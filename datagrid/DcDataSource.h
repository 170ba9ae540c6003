#pragma once
// TdcDataSource: the data source placed on every data form of the library; it behaves as the
// framework's data source and exists so forms can name it. Code that makes one links in its
// registration, so form descriptions can make it by class name too.
#include "framework/db/DataSource.h"

class TdcDataSource : public TDataSource {
  QN_CLASS(TdcDataSource, TDataSource)
 public:
  explicit TdcDataSource(TComponent* owner = nullptr);
};
