#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/ComponentLoading.h"

namespace {

using Log = std::vector<std::string>;

// Keeps an Active value set while loading until Loaded, as a session or a database does.
class TLoadable : public TComponent {
  QN_CLASS(TLoadable, TComponent)
 public:
  TLoadable(TComponent* owner, const char* name, Log& log) : TComponent(owner), log_(log) { SetName(name); }

  void SetActive(bool value) {
    if (ComponentState().Contains(csLoading))
      streamedActive_ = value;
    else
      active_ = value;
  }
  bool Active() const { return active_; }
  bool failInLoaded = false;

 protected:
  void Loaded() override {
    TComponent::Loaded();
    bool othersStillReading = false;
    for (TComponent* c = this; c; c = c->Owner())
      othersStillReading = othersStillReading || c->ComponentState().Contains(csReading);
    log_.push_back(Name() + (othersStillReading ? " loaded while reading" : " loaded"));
    if (failInLoaded) throw std::runtime_error("cannot open");
    if (streamedActive_) SetActive(true);
  }

 private:
  Log& log_;
  bool active_ = false;
  bool streamedActive_ = false;
};

struct Tree {
  Log log;
  TLoadable* form = new TLoadable(nullptr, "Form", log);
  TLoadable* session = new TLoadable(form, "Session", log);
  TLoadable* panel = new TLoadable(form, "Panel", log);
  TLoadable* grid = new TLoadable(panel, "Grid", log);
  ~Tree() { delete form; }
};

bool loadingState(const TComponent* c) {
  return c->ComponentState().Contains(csLoading) || c->ComponentState().Contains(csReading);
}

TEST(ComponentLoading, LoadedRunsRootFirstThenOwnedDepthFirstThenComponentsCreatedWhileReading) {
  Tree tree;
  TLoadable* late = nullptr;
  ComponentLoading::Load(tree.form, [&] {
    for (TComponent* c : std::vector<TComponent*>{tree.form, tree.session, tree.panel, tree.grid}) {
      EXPECT_TRUE(c->ComponentState().Contains(csLoading)) << c->Name();
      EXPECT_TRUE(c->ComponentState().Contains(csReading)) << c->Name();
    }
    tree.session->SetActive(true);
    EXPECT_FALSE(tree.session->Active()) << "kept for Loaded";
    late = new TLoadable(tree.panel, "Late", tree.log);
    EXPECT_TRUE(late->ComponentState().Contains(csLoading));
  });
  EXPECT_EQ(tree.log, (Log{"Form loaded", "Session loaded", "Panel loaded", "Grid loaded", "Late loaded"}));
  EXPECT_TRUE(tree.session->Active());
  for (TComponent* c : std::vector<TComponent*>{tree.form, tree.session, tree.panel, tree.grid, late})
    EXPECT_FALSE(loadingState(c)) << c->Name();
}

TEST(ComponentLoading, ComponentDeletedWhileReadingGetsNoLoaded) {
  Tree tree;
  ComponentLoading::Load(tree.form, [&] { delete tree.panel; });
  EXPECT_EQ(tree.log, (Log{"Form loaded", "Session loaded"}));
}

TEST(ComponentLoading, FailedApplyRunsNoLoadedAndEndsTheLoadingState) {
  Tree tree;
  EXPECT_THROW(ComponentLoading::Load(tree.form, [] { throw std::runtime_error("bad value"); }), std::runtime_error);
  EXPECT_TRUE(tree.log.empty());
  EXPECT_FALSE(loadingState(tree.grid));
  EXPECT_FALSE(loadingState(tree.form));
}

TEST(ComponentLoading, FailedLoadedStopsTheRestAndEndsTheirLoadingState) {
  Tree tree;
  tree.session->failInLoaded = true;
  EXPECT_THROW(ComponentLoading::Load(tree.form, [] {}), std::runtime_error);
  EXPECT_EQ(tree.log, (Log{"Form loaded", "Session loaded"}));
  EXPECT_FALSE(loadingState(tree.panel));
  EXPECT_FALSE(loadingState(tree.grid));
}

}  // namespace
