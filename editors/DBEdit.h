#pragma once
// TdcDBEdit: the data-aware masked edit the forms place; it publishes what the custom edit holds.
#include "editors/DBCustomEdit.h"

class TdcDBEdit : public TdcDBCustomEdit {
  QN_PUBLISHED_CLASS(TdcDBEdit, TdcDBCustomEdit)
 public:
  explicit TdcDBEdit(TComponent* AOwner) : TdcDBCustomEdit(AOwner) {}
};
