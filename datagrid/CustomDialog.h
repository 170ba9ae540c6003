#pragma once
// TdcCustomDialog: the base of the library's dialog components (search, locate, filter, record
// view). A dialog is placed on a form as a component and shown on demand.
#include "framework/base/Component.h"

class TDataSet;

class TdcCustomDialog : public TComponent {
  QN_CLASS(TdcCustomDialog, TComponent)
 public:
  using TComponent::TComponent;

  // Shows the dialog; answers whether the user confirmed it.
  virtual bool Execute() = 0;
  // The dataset the dialog works on.
  virtual TDataSet* GetPrimaryDataSet() = 0;
};
