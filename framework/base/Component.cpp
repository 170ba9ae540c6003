#include "framework/base/Component.h"

#include <strings.h>

#include <algorithm>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/ComponentError.h"
#include "framework/base/ComponentLoading.h"

namespace {

bool isValidIdentifier(const AnsiString& name) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (name.empty() || !letter(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(), [&](char c) { return letter(c) || digit(c); });
}

// A component as messages name it: by its name, else by its class.
AnsiString describe(const TComponent* component) {
  return component->Name().empty() ? component->ClassName() : component->Name();
}

void erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

}  // namespace

void TComponent::PublishProperties(PropertyPublisher<TComponent>& publish) {
  publish.String("Name", &TComponent::Name, &TComponent::SetName);
  publish.Integer("Tag", &TComponent::Tag, &TComponent::SetTag);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

void TComponent::BeforeDestruction() {
  deleting_ = true;
  if (!state_.Contains(csDestroying)) Destroying();
  try {
    DoDestroy();
  } catch (...) {
    // The owner and the linked components must still be told while this component is whole.
    HandleApplicationException(this);
  }
  announceRemoval();
}

TComponent::~TComponent() {
  if (!state_.Contains(csDestroying)) Destroying();
  announceRemoval();
  // Anything that linked itself while the descendants' destructors ran is told now.
  notifyLinked();
  DestroyComponents();
  if (owner_) owner_->remove(this);
  ComponentLoading::forget(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EComponentError("Component index out of range (" + std::to_string(Index) + ")");
  return components_[Index];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  const auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetName(const AnsiString& NewName) {
  if (NewName == name_) return;
  if (owner_)
    owner_->validateRename(this, NewName);
  else if (!NewName.empty() && !isValidIdentifier(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  name_ = NewName;
}

void TComponent::validateRename(TComponent* AComponent, const AnsiString& newName) const {
  if (newName.empty()) return;
  if (!isValidIdentifier(newName)) throw EComponentError("'" + newName + "' is not a valid component name");
  TComponent* holder = FindComponent(newName);
  if (holder && holder != AComponent)
    throw EComponentError("A component named " + newName + " already exists in " + describe(this));
}

TComponent* TComponent::FindComponent(const AnsiString& Name) const {
  if (Name.empty()) return nullptr;
  for (TComponent* component : components_)
    if (strcasecmp(component->name_.c_str(), Name.c_str()) == 0) return component;
  return nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) != freeNotifies_.end()) return;
  freeNotifies_.push_back(AComponent);
  AComponent->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  erase(freeNotifies_, AComponent);
  erase(AComponent->freeNotifies_, this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  for (const TComponent* c = this; c; c = c->owner_)
    if (c == AComponent)
      throw EComponentError(describe(this) + " cannot own " + describe(AComponent) + ": the ownership would loop");
  if (AComponent->owner_ == this) return;
  validateRename(AComponent, AComponent->name_);
  if (AComponent->owner_) AComponent->owner_->RemoveComponent(AComponent);
  insert(AComponent);
  if (state_.Contains(csDesigning)) AComponent->SetDesigning(true);
  if (state_.Contains(csReading)) ComponentLoading::join(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->owner_ != this) return;
  Notification(AComponent, opRemove);
  remove(AComponent);
}

void TComponent::insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::remove(TComponent* AComponent) {
  erase(components_, AComponent);
  AComponent->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  // Each one leaves the list as it goes, telling the others first.
  while (!components_.empty()) {
    TComponent* last = components_.back();
    if (last->deleting_)
      remove(last);  // already on its way out, deleted by whoever began it
    else
      delete last;
  }
}

void TComponent::Destroying() {
  if (state_.Contains(csDestroying)) return;
  state_.Include(csDestroying);
  for (std::size_t i = 0; i < components_.size(); ++i) components_[i]->Destroying();
}

void TComponent::SetDesigning(bool Value) {
  if (Value)
    state_.Include(csDesigning);
  else
    state_.Exclude(csDesigning);
  for (TComponent* component : components_) component->SetDesigning(Value);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove) RemoveFreeNotification(AComponent);
  // A receiver may delete components of this list; walk it from the end, re-checking the bound.
  for (std::size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    TComponent* component = components_[i];
    if (component != AComponent) component->Notification(AComponent, Operation);
  }
}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::announceRemoval() {
  if (removalAnnounced_) return;
  removalAnnounced_ = true;
  if (owner_) owner_->Notification(this, opRemove);
  notifyLinked();
}

void TComponent::notifyLinked() {
  while (!freeNotifies_.empty()) {
    TComponent* linked = freeNotifies_.back();
    RemoveFreeNotification(linked);
    linked->Notification(this, opRemove);
  }
}
