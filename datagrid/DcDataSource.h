#pragma once
// TdcDataSource: the data source placed on every data form of the library; it behaves as the
// framework's data source and exists so forms can name it.
#include "framework/db/DataSource.h"

class TdcDataSource : public TDataSource {
  QN_CLASS(TdcDataSource, TDataSource)
 public:
  using TDataSource::TDataSource;
};
