#pragma once
// TTDataSetUpdateObject: an object that applies a dataset's cached changes. A dataset links to
// at most one and each is linked to at most one dataset; the dataset's UpdateObject setter keeps
// both sides in step.
#include "framework/base/Component.h"

class TDataSet;

enum TUpdateKind { ukModify, ukInsert, ukDelete };
// What became of one cached change an update handler was given.
enum TUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };

class TTDataSetUpdateObject : public TComponent {
  QN_CLASS(TTDataSetUpdateObject, TComponent)
 public:
  using TComponent::TComponent;
  virtual TDataSet* GetDataSet() const = 0;
  virtual void SetDataSet(TDataSet* dataSet) = 0;
  virtual void Apply(TUpdateKind kind) = 0;
};
