#include <gtest/gtest.h>

#include "framework/base/Exception.h"

namespace {

TEST(ExceptionTest, AbortRaisesTheSilentKind) {
  try {
    Abort();
    FAIL();
  } catch (const Exception& e) {
    EXPECT_TRUE(e.ClassNameIs("EAbort"));
    EXPECT_EQ(e.Message(), "Operation aborted");
  }
  // EAbort may carry a caller's own reason.
  EAbort stop("Unable to post");
  EXPECT_EQ(stop.Message(), "Unable to post");
}

TEST(ExceptionTest, KindsAndTheirAncestry) {
  struct Case {
    const Exception& e;
    const char* name;
    const char* parent;
  };
  const Case cases[] = {
      {EAbort("x"), "EAbort", "Exception"},
      {EDatabaseError("x"), "EDatabaseError", "Exception"},
      {EInvalidOperation("x"), "EInvalidOperation", "Exception"},
      {EConvertError("x"), "EConvertError", "Exception"},
      {EInOutError("x", 5), "EInOutError", "Exception"},
      {EListError("x"), "EListError", "Exception"},
      {EOutOfMemory("x"), "EOutOfMemory", "Exception"},
      {EStreamError("x"), "EStreamError", "Exception"},
      {EFOpenError("x"), "EFOpenError", "EStreamError"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.e.ClassName(), c.name);
    EXPECT_TRUE(c.e.InheritsFrom(c.parent)) << c.name;
    EXPECT_TRUE(c.e.InheritsFrom("TObject")) << c.name;
    EXPECT_FALSE(c.e.InheritsFrom("EAbort") && std::string(c.name) != "EAbort") << c.name;
  }
  EXPECT_EQ(EInOutError("Disk full", 28).ErrorCode, 28);
  EXPECT_THROW(throw EFOpenError("x"), EStreamError);
}

}  // namespace
