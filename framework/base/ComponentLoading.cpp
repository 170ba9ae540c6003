#include "framework/base/ComponentLoading.h"

#include <algorithm>

#include "framework/base/Component.h"

namespace {

// The loads in progress on this thread, the innermost first.
thread_local ComponentLoading* innermost = nullptr;

}  // namespace

ComponentLoading::ComponentLoading(TComponent* root) : outer_(innermost) {
  mark(root);
  innermost = this;
}

ComponentLoading::~ComponentLoading() {
  innermost = outer_;
  for (TComponent* component : components_)
    if (component) {
      component->excludeState(csReading);
      component->excludeState(csLoading);
    }
}

void ComponentLoading::mark(TComponent* component) {
  component->includeState(csLoading);
  component->includeState(csReading);
  components_.push_back(component);
  for (int i = 0; i < component->ComponentCount(); ++i) mark(component->Components(i));
}

void ComponentLoading::Load(TComponent* root, const std::function<void()>& applyProperties) {
  ComponentLoading loading(root);
  applyProperties();
  loading.endReading();
  loading.runLoaded();
}

void ComponentLoading::endReading() {
  for (TComponent* component : components_)
    if (component) component->excludeState(csReading);
}

void ComponentLoading::runLoaded() {
  // Loaded may create or delete components; walk by index and skip the ones gone.
  for (std::size_t i = 0; i < components_.size(); ++i) {
    TComponent* component = components_[i];
    if (!component) continue;
    component->Loaded();
    // Loaded without the base's part still ends the loading state; a component Loaded deleted
    // was taken out of the list meanwhile.
    if (components_[i]) components_[i]->excludeState(csLoading);
  }
}

void ComponentLoading::join(TComponent* component) {
  if (!innermost) return;
  auto& list = innermost->components_;
  if (std::find(list.begin(), list.end(), component) == list.end()) innermost->mark(component);
}

void ComponentLoading::forget(TComponent* component) {
  for (ComponentLoading* loading = innermost; loading; loading = loading->outer_)
    std::replace(loading->components_.begin(), loading->components_.end(), component, static_cast<TComponent*>(nullptr));
}
