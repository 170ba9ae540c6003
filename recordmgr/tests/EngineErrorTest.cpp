#include <gtest/gtest.h>

#include "recordmgr/EngineError.h"
#include "recordmgr/StatusMap.h"

namespace {

TEST(EngineErrorTest, EngineErrorsAreSilentAborts) {
  EKorvoEngineError error(DBIERR_INVALIDPARAM, "C:\\DATA\\FILE.DAT");
  EXPECT_TRUE(error.InheritsFrom("EAbort"));
  EXPECT_EQ(error.Message(), "");
  EXPECT_EQ(error.ErrorCode(), 9986);
  EXPECT_EQ(error.ExtraText(), "C:\\DATA\\FILE.DAT");
  EXPECT_EQ(error.NativeStatus(), 0);
  EXPECT_EQ(error.GetErrorText(), "");
}

TEST(EngineErrorTest, ExtraTextKeepsAtMost255Characters) {
  EKorvoEngineError error(1, AnsiString(300, 'x'));
  EXPECT_EQ(error.ExtraText(), AnsiString(255, 'x'));
}

TEST(EngineErrorTest, BoundaryErrorsCarryTheirCodes) {
  try {
    RaiseEngineEOF();
  } catch (const EKorvoBoundryError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_EOF);
    EXPECT_STREQ(error.ClassInfo()->name, "EKorvoEOFError");
  }
  try {
    RaiseEngineBOF();
  } catch (const EKorvoBoundryError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_BOF);
    EXPECT_STREQ(error.ClassInfo()->name, "EKorvoBOFError");
  }
}

TEST(EngineErrorTest, RaisingRoutines) {
  try {
    RaiseEngineErrorText(10024, "CASES");
    FAIL();
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), 10024);
    EXPECT_EQ(error.ExtraText(), "CASES");
  }
  try {
    RaiseNotSupported(5003);
    FAIL();
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_NOTSUPPORTED);
    EXPECT_EQ(error.ExtraText(), "The file is not open");
  }
  try {
    RaiseNotSupported(987654);
    FAIL();
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_NOTSUPPORTED);
    EXPECT_EQ(error.ExtraText(), "");
  }
}

TEST(EngineErrorTest, ChecksPassOrRaiseTheirCode) {
  int value = 0;
  EXPECT_TRUE(CheckEngineCondition(true, 1));
  EXPECT_EQ(CheckParam(&value), &value);
  EXPECT_EQ(CheckHandle(&value), &value);

  auto codeOf = [](auto&& call) -> int {
    try {
      call();
    } catch (const EKorvoEngineError& error) {
      return error.ErrorCode();
    }
    return -1;
  };
  EXPECT_EQ(codeOf([] { CheckEngineCondition(false, 10758); }), 10758);
  EXPECT_EQ(codeOf([] { CheckParam<int>(nullptr); }), 9986);
  EXPECT_EQ(codeOf([] { CheckHandle<int>(nullptr); }), 9990);
  EXPECT_EQ(codeOf([] { CheckAssigned<int>(nullptr, 10756); }), 10756);
}

TEST(EngineErrorTest, MapStatusTakesTheFirstMatchingPair) {
  const StatusPair pairs[] = {{4, 100}, {7, 200}, {4, 300}, {-109, 0x2202}};
  EXPECT_EQ(MapStatus(pairs, 0), 0);
  EXPECT_EQ(MapStatus(pairs, 4), 100);
  EXPECT_EQ(MapStatus(pairs, 7), 200);
  EXPECT_EQ(MapStatus(pairs, -109), 0x2202);
  EXPECT_EQ(MapStatus(pairs, 46), 46);
}

}  // namespace
