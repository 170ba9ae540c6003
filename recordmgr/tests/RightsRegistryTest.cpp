#include <gtest/gtest.h>

#include "platform/os/RegistryError.h"
#include "recordmgr/RightsRegistry.h"

namespace {

TEST(RightsRegistryTest, AKeyBeginningWithABackslashStartsAtTheRootWhateverKeyIsCurrent) {
  TRightsRegistry registry(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\Korvo\\Btrieve", true));
  ASSERT_TRUE(registry.OpenKey("Configuration", true));  // relative: continues from the current key
  EXPECT_EQ(registry.CurrentPath(), "SOFTWARE\\Korvo\\Btrieve\\Configuration");
  ASSERT_TRUE(registry.OpenKey("\\SOFTWARE", false));
  EXPECT_EQ(registry.CurrentPath(), "SOFTWARE");
  EXPECT_FALSE(registry.OpenKey("Configuration", false));  // not under SOFTWARE itself
  EXPECT_EQ(registry.CurrentPath(), "SOFTWARE");
}

TEST(RightsRegistryTest, KeysOpenWithTheMaskAndCreatedKeysWithFullAccess) {
  TRightsRegistry registry(qn::os::HKEY_LOCAL_MACHINE);
  EXPECT_EQ(registry.Access(), qn::os::KEY_ALL_ACCESS);
  registry.SetAccess(qn::os::KEY_READ);
  ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\Rights", true));
  registry.WriteString("Made", "with full access");
  EXPECT_EQ(registry.Access(), qn::os::KEY_READ);

  ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\Rights", false));
  EXPECT_EQ(registry.ReadString("Made"), "with full access");
  EXPECT_THROW(registry.WriteString("Made", "again"), qn::os::RegistryError);

  // Create without a key opens the current key, with the mask.
  ASSERT_TRUE(registry.OpenKey("", true));
  EXPECT_EQ(registry.CurrentPath(), "SOFTWARE\\Rights");
  EXPECT_THROW(registry.WriteString("Made", "again"), qn::os::RegistryError);
}

}  // namespace
