#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/base/ClassRegistry.h"
#include "framework/base/ComponentError.h"

namespace {

class TRegistryNavButton : public TComponent {
  QN_CLASS(TRegistryNavButton, TComponent)
 public:
  using TComponent::TComponent;
  bool completed = false;
  void AfterConstruction() override { completed = true; }
};

class TRegistryFailing : public TComponent {
  QN_CLASS(TRegistryFailing, TComponent)
 public:
  using TComponent::TComponent;
  void AfterConstruction() override { throw std::runtime_error("create handler failed"); }
};

TEST(ClassRegistry, CreatesARegisteredClassByNameWithOwner) {
  RegisterClass<TRegistryNavButton>();
  RegisterClass<TRegistryNavButton>();  // registering twice is registering once
  EXPECT_EQ(FindRegisteredClass("tregistrynavbutton"), TRegistryNavButton::StaticClassInfo());

  TComponent owner(nullptr);
  TComponent* created = CreateComponentByClassName("TREGISTRYNAVBUTTON", &owner);
  auto* button = dynamic_cast<TRegistryNavButton*>(created);
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->ClassNameIs("TRegistryNavButton"));
  EXPECT_TRUE(button->completed);
  EXPECT_EQ(button->Owner(), &owner);
}

TEST(ClassRegistry, UnknownNameIsAbsentAndCannotBeCreated) {
  EXPECT_EQ(FindRegisteredClass("TNoSuchClass"), nullptr);
  try {
    CreateComponentByClassName("TNoSuchClass", nullptr);
    FAIL() << "created an unregistered class";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "Class TNoSuchClass is not registered");
  }
}

TEST(ClassRegistry, ADifferentClassUnderATakenNameIsRefused) {
  RegisterClass<TRegistryNavButton>();
  class TRegistryImpostor : public TComponent {
   public:
    using TComponent::TComponent;
    static const TClassInfo* StaticClassInfo() {
      static const TClassInfo info{"TRegistryNavButton", TComponent::StaticClassInfo(), nullptr};
      return &info;
    }
  };
  EXPECT_THROW(RegisterClass<TRegistryImpostor>(), EComponentError);
}

TEST(ClassRegistry, FailedCompletionDeletesTheNewComponent) {
  RegisterClass<TRegistryFailing>();
  TComponent owner(nullptr);
  EXPECT_THROW(CreateComponentByClassName("TRegistryFailing", &owner), std::runtime_error);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace
