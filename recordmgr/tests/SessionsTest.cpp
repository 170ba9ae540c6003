#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "framework/base/ClassRegistry.h"
#include "framework/base/ComponentError.h"
#include "framework/base/UnitLifecycle.h"
#include "recordmgr/Sessions.h"

namespace {

TEST(Sessions, TheUnitsMakeTheDefaultSessionBtrieve) {
  TtbSessionList* list = BtrieveSessionList();
  ASSERT_NE(list, nullptr);
  TtbSession* standard = DefaultBtrieveSession();
  ASSERT_NE(standard, nullptr);
  EXPECT_EQ(standard->SessionName(), "Btrieve");
  EXPECT_TRUE(standard->IsDefault());
  EXPECT_EQ(list->FindSession("BTRIEVE"), standard);
  EXPECT_EQ(list->FindSession(""), standard);
  EXPECT_EQ(list->DefaultSession(), standard);
  EXPECT_EQ(&standard->SessionList(), list);
}

TEST(Sessions, StoppingTheUnitsFreesTheListAndStartingMakesItAgain) {
  UnitRegistry::Program().StopAll();
  EXPECT_EQ(BtrieveSessionList(), nullptr);
  EXPECT_EQ(DefaultBtrieveSession(), nullptr);
  EXPECT_THROW(TtbDatabase database(nullptr), EComponentError);
  UnitRegistry::Program().StartAll();
  ASSERT_NE(DefaultBtrieveSession(), nullptr);
  EXPECT_EQ(DefaultBtrieveSession()->SessionName(), "Btrieve");
}

TEST(Sessions, FormsMakeTheComponentsByClassName) {
  TComponent form(nullptr);
  TComponent* session = CreateComponentByClassName("TtbSession", &form);
  ASSERT_NE(session, nullptr);
  EXPECT_TRUE(session->InheritsFrom("TttSession"));
  EXPECT_EQ(BtrieveSessionList()->Count(), 2);
  EXPECT_FALSE(static_cast<TtbSession*>(session)->IsDefault());
  TComponent* database = CreateComponentByClassName("TtbDatabase", &form);
  ASSERT_NE(database, nullptr);
  EXPECT_TRUE(database->InheritsFrom("TttDatabase"));
}

TEST(Sessions, ADatabaseShowsNoLoginPromptUnlessItsOwnPropertySaysSo) {
  TtbDatabase database(nullptr);
  EXPECT_FALSE(database.LoginPrompt());
  database.SetLoginPrompt(true);
  EXPECT_TRUE(database.LoginPrompt());
  std::unique_ptr<TttDatabase> made(DefaultBtrieveSession()->CreateDatabase());
  EXPECT_FALSE(made->LoginPrompt());
  EXPECT_NE(dynamic_cast<TtbDatabase*>(made.get()), nullptr);
}

TEST(Sessions, EverySessionSharesOneCriticalSection) {
  TComponent form(nullptr);
  auto* other = static_cast<TtbSession*>(CreateComponentByClassName("TtbSession", &form));
  DefaultBtrieveSession()->CriticalSectionStart();
  other->CriticalSectionStart();  // the same section, entered again by its holder
  bool enteredElsewhere = true;
  std::thread([&] {
    enteredElsewhere = BtrieveSessionList()->CriticalSection().try_lock();
    if (enteredElsewhere) BtrieveSessionList()->CriticalSection().unlock();
  }).join();
  EXPECT_FALSE(enteredElsewhere);
  other->CriticalSectionEnd();
  DefaultBtrieveSession()->CriticalSectionEnd();
  std::thread([&] {
    enteredElsewhere = BtrieveSessionList()->CriticalSection().try_lock();
    if (enteredElsewhere) BtrieveSessionList()->CriticalSection().unlock();
  }).join();
  EXPECT_TRUE(enteredElsewhere);
}

}  // namespace
