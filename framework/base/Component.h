#pragma once
// TComponent: a persistent object with an owner, a name unique within that owner, and a list of the
// components it owns. Promises:
// - An owner deletes what it owns when it is deleted (the last first, after the owner's own
//   class's destructors); a component deleted first leaves its owner.
// - Before a component goes, its owner (and through it every component the owner holds) and every
//   component linked to it by FreeNotification receive Notification(it, opRemove) while it is still
//   whole, so they can drop their references in any order of deletion.
// - Components are created with new and deleted with delete (or by their owner). A component that
//   is a plain variable is cleaned up by its destructor, after its own class is gone.
// - Notification(it, opInsert) is sent from InsertComponent, which the constructor calls: at that
//   moment the new component's own class is not constructed yet, so a receiver may keep or compare
//   the pointer but learns its class only later (Loaded).
#include <vector>

#include "framework/base/EnumSet.h"
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag { csLoading, csReading, csDestroying, csDesigning };
using TComponentState = EnumSet<TComponentStateFlag>;

class TComponent : public TPersistent {
  QN_PUBLISHED_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // The owned component at Index (0-based, in insertion order); an index out of range is an error.
  TComponent* Components(int Index) const;
  // This component's position in its owner's list; -1 without owner.
  int ComponentIndex() const;

  const AnsiString& Name() const { return name_; }
  // An empty name, or an identifier (letter or '_', then letters, digits, '_') that no other
  // component of the owner carries (compared without case); otherwise EComponentError.
  virtual void SetName(const AnsiString& NewName);

  int Tag() const { return tag_; }
  void SetTag(int Value) { tag_ = Value; }

  TComponentState ComponentState() const { return state_; }

  // The owned component of that name (compared without case); nullptr when none or Name is empty.
  TComponent* FindComponent(const AnsiString& Name) const;

  // Links this component and AComponent: whichever is deleted first, the other receives
  // Notification(it, opRemove). Linking twice is linking once.
  void FreeNotification(TComponent* AComponent);
  // Undoes FreeNotification in both directions.
  void RemoveFreeNotification(TComponent* AComponent);

  // Makes this component own AComponent, taking it from its previous owner. A name already used
  // here, or an ownership that would loop, is refused and leaves AComponent where it was.
  void InsertComponent(TComponent* AComponent);
  // Releases AComponent (which this component owns) without deleting it; it has no owner after.
  void RemoveComponent(TComponent* AComponent);
  // Deletes every owned component, the last first.
  void DestroyComponents();

  // Marks this component and, recursively, everything it owns as being destroyed.
  void Destroying();
  // Sets or clears csDesigning on this component and everything it owns.
  void SetDesigning(bool Value);

  // Called once the creator has finished constructing (the application and the class registry
  // call it after creation by class): the place for a create event. The base does nothing.
  virtual void AfterConstruction() {}

 protected:
  // Told when AComponent is inserted into or removed from this component's owner tree, or when a
  // component linked by FreeNotification goes. The base drops a free-notification link with a
  // removed component and passes the news on to every owned component but AComponent itself.
  // Overrides call the base.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called when the properties of a component being loaded have all been applied. The base ends
  // the loading state.
  virtual void Loaded();
  // `delete` ends a component while its whole class is still there (TObject::BeforeDestruction):
  // it is marked destroying, DoDestroy runs, and its owner and the linked components are told;
  // only then the destructors run.
  void BeforeDestruction() override;
  // The place for a destroy event: called by delete before any destructor. What it raises is
  // reported through HandleApplicationException. The base does nothing.
  virtual void DoDestroy() {}

 private:
  friend class ComponentLoading;

  void includeState(TComponentStateFlag flag) { state_.Include(flag); }
  void excludeState(TComponentStateFlag flag) { state_.Exclude(flag); }
  void validateRename(TComponent* AComponent, const AnsiString& newName) const;
  void insert(TComponent* AComponent);
  void remove(TComponent* AComponent);
  // Tells the owner tree and the linked components that this component goes; once only.
  void announceRemoval();
  // Tells every component still linked by FreeNotification, dropping the links.
  void notifyLinked();

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;  // linked both ways
  AnsiString name_;
  int tag_ = 0;
  TComponentState state_;
  bool removalAnnounced_ = false;
  bool deleting_ = false;  // delete has begun: its owner must not delete it again
};
