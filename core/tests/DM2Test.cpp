// The transaction database module, and both modules made by class name as the main block makes them.
#include <gtest/gtest.h>

#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "framework/base/ClassRegistry.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/BtrieveEngine.h"
#include "testing/TestDirs.h"

namespace {

class DM2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
  }
  void makeAlias(const char* name) {
    core_test::writeMachineString(std::string("\\Software\\Korvo\\Btrieve\\Aliases\\") + name, "PhysicalName",
                                  qn::testing::makeScratchDir("alias"));
  }
};

TEST_F(DM2Test, CreatedByNameItConnectsTheDatabaseOnQnwin) {
  makeAlias("QNWIN");
  std::unique_ptr<TComponent> module(CreateComponentByClassName("TDM2", nullptr));
  auto* dm2 = dynamic_cast<TDM2*>(module.get());
  ASSERT_NE(dm2, nullptr);
  EXPECT_EQ(DM2, dm2);
  EXPECT_EQ(dm2->QNDatabase->DatabaseName(), "QNWIN");
  EXPECT_EQ(dm2->QNDatabase->SessionName(), "Btrieve");
  EXPECT_FALSE(dm2->QNDatabase->LoginPrompt());
  EXPECT_TRUE(dm2->QNDatabase->Connected());
  module.reset();
  EXPECT_EQ(DM2, nullptr);
}

TEST_F(DM2Test, ADatabaseNameSetBeforeCreationIsKept) {
  makeAlias("ARCHIVE");
  TDM2 dm2(nullptr);
  dm2.QNDatabase->SetDatabaseName("ARCHIVE");
  dm2.AfterConstruction();
  EXPECT_EQ(dm2.QNDatabase->DatabaseName(), "ARCHIVE");
  EXPECT_TRUE(dm2.QNDatabase->Connected());
}

TEST_F(DM2Test, AMissingAliasMakesTheCreationRaise) {
  EXPECT_ANY_THROW(delete CreateComponentByClassName("TDM2", nullptr));
  EXPECT_EQ(DM2, nullptr);
}

TEST_F(DM2Test, TdmIsMadeByNameWithEveryTableClosedOnQnwin) {
  LockRetryDeadline = 12345;
  std::unique_ptr<TComponent> module(CreateComponentByClassName("TDM", nullptr));
  auto* dm = dynamic_cast<TDM*>(module.get());
  ASSERT_NE(dm, nullptr);
  EXPECT_EQ(DM, dm);
  EXPECT_EQ(LockRetryDeadline, 0u);
  EXPECT_EQ(dm->Tables().size(), 46u);
  for (TdcTbTable* t : dm->Tables()) {
    EXPECT_FALSE(t->Active()) << t->Name();
    EXPECT_EQ(t->DatabaseName(), "QNWIN") << t->Name();
    EXPECT_EQ(t->TableName(), "") << t->Name();
    ASSERT_NE(dm->SourceOf(t), nullptr) << t->Name();
    EXPECT_EQ(dm->SourceOf(t)->DataSet(), t);
  }
  EXPECT_EQ(dm->SourceOf(dm->Case1_)->Name(), "Case1Src");
  EXPECT_EQ(dm->SourceOf(dm->CaseDescsSave)->Name(), "CaseDescsSaveSrc");
  EXPECT_EQ(dm->FindComponent("Client1_"), dm->Client1_);
}

}  // namespace
