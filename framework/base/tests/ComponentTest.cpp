#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/ComponentError.h"

namespace {

// What happened to the recorders of one test, in order.
using Log = std::vector<std::string>;

// A component that logs what it is told and keeps one reference, dropped when that component goes.
class TRecorder : public TComponent {
  QN_CLASS(TRecorder, TComponent)
 public:
  TRecorder(TComponent* owner, const char* name, Log& log) : TComponent(owner), log_(log) { SetName(name); }
  ~TRecorder() override { log_.push_back(Name() + " destroyed"); }

  TComponent* reference = nullptr;
  TComponent* toDeleteOnRemoval = nullptr;  // deleted when `reference` goes

  using TComponent::Notification;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    // The departing component is still whole: its class answers.
    log_.push_back(Name() + " told " + component->Name() + " (" + component->ClassName() + ") goes");
    if (component == reference) {
      reference = nullptr;
      delete toDeleteOnRemoval;
      toDeleteOnRemoval = nullptr;
    }
  }
  void DoDestroy() override {
    log_.push_back(Name() + " destroying" + (ComponentState().Contains(csDestroying) ? "" : " (not marked)"));
  }

 private:
  Log& log_;
};

bool contains(const Log& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST(ComponentOwnership, OwnerDeletesWhatItOwnsLastFirstAfterItsOwnDestructor) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  new TRecorder(form, "A", log);
  auto* b = new TRecorder(form, "B", log);
  new TRecorder(b, "C", log);
  ASSERT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->Components(1), b);
  EXPECT_EQ(b->Owner(), form);
  EXPECT_EQ(b->ComponentIndex(), 1);

  delete form;
  Log destroyed;
  for (const std::string& entry : log)
    if (entry.find(" destroyed") != std::string::npos) destroyed.push_back(entry);
  EXPECT_EQ(destroyed, (Log{"Form destroyed", "B destroyed", "C destroyed", "A destroyed"}));
  EXPECT_TRUE(contains(log, "A destroying")) << "owned components are marked destroying before they go";
}

TEST(ComponentOwnership, OwnedDeletedFirstLeavesItsOwnerAndItsSiblingsAreTold) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  auto* grid = new TRecorder(form, "Grid", log);
  auto* source = new TRecorder(form, "Source", log);
  grid->reference = source;

  delete source;
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->FindComponent("Source"), nullptr);
  EXPECT_EQ(grid->reference, nullptr);
  EXPECT_TRUE(contains(log, "Form told Source (TRecorder) goes"));
  EXPECT_TRUE(contains(log, "Grid told Source (TRecorder) goes"));

  log.clear();
  delete form;
  EXPECT_EQ(log, (Log{"Form destroying", "Form destroyed", "Grid destroying", "Grid destroyed"}));
}

TEST(ComponentOwnership, SiblingsReferringToEachOtherSurviveTheirOwnersDeletionInEitherOrder) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  auto* first = new TRecorder(form, "First", log);
  auto* second = new TRecorder(form, "Second", log);
  first->reference = second;  // goes first: the owner deletes the last first
  second->reference = first;

  delete form;
  EXPECT_TRUE(contains(log, "First told Second (TRecorder) goes"));
  EXPECT_FALSE(contains(log, "Second told First (TRecorder) goes")) << "Second was gone already";
}

TEST(ComponentFreeNotification, ReferenceAcrossOwnersIsClearedWhicheverGoesFirst) {
  for (bool referencedGoesFirst : {true, false}) {
    SCOPED_TRACE(referencedGoesFirst ? "data module first" : "form first");
    Log log;
    auto* form = new TRecorder(nullptr, "Form", log);
    auto* grid = new TRecorder(form, "Grid", log);
    auto* module = new TRecorder(nullptr, "Module", log);
    auto* source = new TRecorder(module, "Source", log);
    grid->reference = source;
    source->FreeNotification(grid);
    source->FreeNotification(grid);  // linking twice is linking once

    if (referencedGoesFirst) {
      delete module;
      EXPECT_EQ(grid->reference, nullptr);
      EXPECT_EQ(std::count(log.begin(), log.end(), "Grid told Source (TRecorder) goes"), 1);
      delete form;
    } else {
      delete form;
      EXPECT_TRUE(contains(log, "Source told Grid (TRecorder) goes")) << "the link works both ways";
      log.clear();
      delete module;  // must not reach the deleted grid
      EXPECT_FALSE(contains(log, "Grid told Source (TRecorder) goes"));
    }
  }
}

TEST(ComponentFreeNotification, RemovedLinkIsNotToldAnyMore) {
  Log log;
  auto* watcher = new TRecorder(nullptr, "Watcher", log);
  auto* watched = new TRecorder(nullptr, "Watched", log);
  watched->FreeNotification(watcher);
  watched->RemoveFreeNotification(watcher);
  delete watched;
  EXPECT_FALSE(contains(log, "Watcher told Watched (TRecorder) goes"));
  delete watcher;
}

TEST(ComponentFreeNotification, ReceiverMayDeleteAnotherComponentWhileBeingTold) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  auto* a = new TRecorder(form, "A", log);
  auto* b = new TRecorder(form, "B", log);
  new TRecorder(form, "C", log);
  a->reference = b;
  a->toDeleteOnRemoval = form->FindComponent("C");

  delete b;
  EXPECT_EQ(form->ComponentCount(), 1);
  EXPECT_EQ(form->Components(0), a);
  delete form;
  EXPECT_TRUE(contains(log, "C destroyed"));
}

TEST(ComponentFreeNotification, PlainVariableLeavesItsOwnerWhenItGoesOutOfScope) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  {
    TRecorder grid(nullptr, "Grid", log);
    form->InsertComponent(&grid);
    form->RemoveComponent(&grid);
    grid.FreeNotification(form);
  }
  EXPECT_TRUE(contains(log, "Form told Grid (TComponent) goes")) << "told by the base destructor, class gone";
  delete form;
}

TEST(ComponentNames, ValidityTable) {
  struct Case {
    const char* name;
    bool valid;
  } cases[] = {{"Table1", true}, {"_x", true}, {"a_1", true}, {"", true},    {"1abc", false},
               {"a b", false},   {"a-b", false}, {"T\xe9", false}, {" A", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TComponent component(nullptr);
    if (c.valid) {
      component.SetName(c.name);
      EXPECT_EQ(component.Name(), c.name);
    } else {
      EXPECT_THROW(component.SetName(c.name), EComponentError);
      EXPECT_EQ(component.Name(), "");
    }
  }
}

TEST(ComponentNames, DuplicateWithinOwnerIsRefusedWithoutRegardToCase) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  auto* first = new TRecorder(form, "Table1", log);
  auto* second = new TRecorder(form, "Table2", log);
  try {
    second->SetName("TABLE1");
    FAIL() << "a duplicate name was accepted";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named TABLE1 already exists in Form");
  }
  EXPECT_EQ(second->Name(), "Table2");
  first->SetName("TABLE1");  // its own name in another case
  EXPECT_EQ(form->FindComponent("table1"), first);
  EXPECT_EQ(form->FindComponent(""), nullptr);

  auto* other = new TRecorder(nullptr, "Other", log);
  auto* elsewhere = new TRecorder(other, "Table2", log);  // another owner: no conflict
  EXPECT_THROW(form->InsertComponent(elsewhere), EComponentError);
  EXPECT_EQ(elsewhere->Owner(), other) << "a refused insertion leaves the component where it was";
  EXPECT_EQ(form->ComponentCount(), 2);
  delete other;
  delete form;
}

TEST(ComponentOwnership, InsertMovesFromTheOldOwnerAndTellsBothTrees) {
  Log log;
  auto* form = new TRecorder(nullptr, "Form", log);
  auto* module = new TRecorder(nullptr, "Module", log);
  auto* watcher = new TRecorder(module, "Watcher", log);
  auto* table = new TRecorder(form, "Table", log);

  std::vector<TComponent*> inserted;
  struct TInsertWatcher : TComponent {
    using TComponent::TComponent;
    std::vector<TComponent*>* seen = nullptr;
    void Notification(TComponent* c, TOperation op) override {
      TComponent::Notification(c, op);
      if (op == opInsert) seen->push_back(c);
    }
  };
  auto* insertWatcher = new TInsertWatcher(module);
  insertWatcher->seen = &inserted;

  module->InsertComponent(table);
  EXPECT_EQ(table->Owner(), module);
  EXPECT_EQ(form->ComponentCount(), 0);
  EXPECT_EQ(module->ComponentCount(), 3);
  EXPECT_TRUE(contains(log, "Form told Table (TRecorder) goes"));
  EXPECT_EQ(inserted, std::vector<TComponent*>{table});
  EXPECT_FALSE(contains(log, "Watcher told Table (TRecorder) goes"));

  module->RemoveComponent(table);
  EXPECT_EQ(table->Owner(), nullptr);
  EXPECT_TRUE(contains(log, "Watcher told Table (TRecorder) goes"));
  delete table;
  delete module;
  delete form;
  (void)watcher;
}

TEST(ComponentOwnership, ComponentWhoseConstructorRaisesLeavesItsOwner) {
  struct TFailingComponent : TComponent {
    explicit TFailingComponent(TComponent* owner) : TComponent(owner) { throw EComponentError("no session"); }
  };
  TComponent form(nullptr);
  EXPECT_THROW(new TFailingComponent(&form), EComponentError);
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ComponentOwnership, OwnershipLoopsAreRefused) {
  auto* form = new TComponent(nullptr);
  auto* panel = new TComponent(form);
  auto* button = new TComponent(panel);
  EXPECT_THROW(form->InsertComponent(form), EComponentError);
  EXPECT_THROW(button->InsertComponent(form), EComponentError);
  EXPECT_EQ(form->Owner(), nullptr);
  EXPECT_EQ(button->Owner(), panel);
  delete form;
}

TEST(ComponentState, DesigningReachesEverythingOwnedAndWhatJoinsLater) {
  auto* form = new TComponent(nullptr);
  auto* panel = new TComponent(form);
  form->SetDesigning(true);
  EXPECT_TRUE(panel->ComponentState().Contains(csDesigning));
  auto* later = new TComponent(panel);
  EXPECT_TRUE(later->ComponentState().Contains(csDesigning));
  form->SetDesigning(false);
  EXPECT_FALSE(later->ComponentState().Contains(csDesigning));
  delete form;
}

TEST(ComponentProperties, ComponentsOutOfRangeIsAnError) {
  TComponent form(nullptr);
  new TComponent(&form);
  EXPECT_THROW(form.Components(1), EComponentError);
  EXPECT_THROW(form.Components(-1), EComponentError);
  form.SetTag(42);
  EXPECT_EQ(form.Tag(), 42);
}

}  // namespace
