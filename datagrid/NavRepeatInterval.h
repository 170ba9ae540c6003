#pragma once
// TdcNavRepeatInterval: how a held-down movement button repeats: the first repeat after
// InitialDelay milliseconds, the next ones every Interval milliseconds.
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"

class TdcNavRepeatInterval : public TPersistent {
  QN_PUBLISHED_CLASS(TdcNavRepeatInterval, TPersistent)
 public:
  int InitialDelay = 500;
  int Interval = 100;
};
