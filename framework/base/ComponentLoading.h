#pragma once
// Applying a set of properties to a tree of components the way a form description is read: every
// component of the tree is loading (csLoading, csReading) while the properties are applied, so
// setters can keep values that need the whole tree (an Active or Connected flag) for Loaded; then
// each component's Loaded runs once, in order: the root, then what it owns, depth first, in owned
// order, then components created meanwhile under a component being read, in creation order.
#include <functional>
#include <vector>

class TComponent;

class ComponentLoading {
 public:
  // Loads the tree under root with applyProperties. When applyProperties raises, no Loaded runs,
  // the loading state is cleared and the exception comes through; when a Loaded raises, the rest
  // get no Loaded but leave the loading state, and the exception comes through.
  static void Load(TComponent* root, const std::function<void()>& applyProperties);

 private:
  friend class TComponent;

  // A component created under a component being read joins the innermost load in progress.
  static void join(TComponent* component);
  // A component that goes during a load leaves it.
  static void forget(TComponent* component);

  explicit ComponentLoading(TComponent* root);
  ~ComponentLoading();
  void mark(TComponent* component);
  void endReading();
  void runLoaded();

  std::vector<TComponent*> components_;  // in Loaded order; nullptr where one went
  ComponentLoading* outer_;
};
