#include <gtest/gtest.h>

#include "platform/os/Resources.h"

namespace {

TEST(ResourcesTest, StringsByNumber) {
  EXPECT_EQ(qn::os::loadResourceString(990001), "Plain text");
  EXPECT_EQ(qn::os::loadResourceString(990002), "Line one\rLine two");
  // The source is UTF-8; the program gets Windows-1252 bytes (0x97 is the em dash).
  EXPECT_EQ(qn::os::loadResourceString(990003), "Caf\xE9 \x97 dash");
  EXPECT_FALSE(qn::os::loadResourceString(990004).has_value());
}

TEST(ResourcesTest, NamedResourcesIgnoreCase) {
  auto blob = qn::os::findResource("ResourceTest", "text");
  ASSERT_TRUE(blob.has_value());
  EXPECT_EQ(*blob, "Sample named resource for the resource tests.\n");
  EXPECT_FALSE(qn::os::findResource("ResourceTest", "BITMAP").has_value());
  EXPECT_FALSE(qn::os::findResource("Missing", "TEXT").has_value());
}

}  // namespace
