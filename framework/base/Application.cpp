#include "framework/base/Application.h"

#include "framework/base/UnitLifecycle.h"

TApplication* Application = nullptr;

namespace {

UnitRegistration unit(
    "framework/base/Application", {}, [] { Application = new TApplication(nullptr); },
    [] {
      // Still reachable while what it owns goes.
      delete Application;
      Application = nullptr;
    });

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

void TApplication::SetMainForm(TComponent* Value) {
  if (mainForm_ == Value) return;
  if (mainForm_) RemoveFreeNotification(mainForm_);
  mainForm_ = Value;
  if (mainForm_) FreeNotification(mainForm_);
}

void TApplication::formCreated(TComponent* form) {
  form->AfterConstruction();
  if (!mainForm_ && form->InheritsFrom("TForm")) SetMainForm(form);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  // Cleared first: the forms told next must not find a main form that is going.
  if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
  TComponent::Notification(AComponent, Operation);
}
