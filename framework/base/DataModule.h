#pragma once
// TDataModule: a non-visual owner of components (tables, data sources, a database), created by
// the application among the forms. OnCreate fires when its creation is complete (AfterConstruction,
// which the application's CreateForm calls), OnDestroy when it is deleted, before anything it owns
// goes. An error raised by OnCreate is reported (HandleApplicationException) once the user
// interface has installed its exception hook, and passed on before; one raised by OnDestroy is
// always reported, so a failing handler never leaves the module half-destroyed.
#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"

class TDataModule : public TComponent {
  QN_PUBLISHED_CLASS(TDataModule, TComponent)
 public:
  explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

  void AfterConstruction() override;

 protected:
  void DoDestroy() override;
};
