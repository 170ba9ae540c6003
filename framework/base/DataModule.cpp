#include "framework/base/DataModule.h"

#include "framework/base/ApplicationHooks.h"

void TDataModule::PublishProperties(PropertyPublisher<TDataModule>& publish) {
  publish.Event("OnCreate", &TDataModule::OnCreate, &TDataModule::OnCreate);
  publish.Event("OnDestroy", &TDataModule::OnDestroy, &TDataModule::OnDestroy);
}

void TDataModule::AfterConstruction() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    if (!ExceptionHookInstalled()) throw;
    HandleApplicationException(this);
  }
}

void TDataModule::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}
