#include <gtest/gtest.h>

#include <string>

#include "recordmgr/EngineCodes.h"
#include "recordmgr/ScalableSqlError.h"

namespace {

struct TextCase {
  int status;
  const char* text;
};

class ScalableSqlErrorTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ScalableSqlErrorTextTest, ReadsAsARecordManagerStatus) {
  const EScalableSQLEngineError error(GetParam().status);
  EXPECT_EQ(std::string(error.GetErrorText()),
            "Btrieve Status " + std::to_string(GetParam().status) + " - " + GetParam().text + ".");
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ScalableSqlErrorTextTest,
    ::testing::Values(TextCase{200, "Scalable SQL local engine or Requester is not loaded"},
                      TextCase{285, "Scalable SQL cannot open the system tables"},
                      TextCase{-108, "The statement contains unresolved substitution variables and cannot be executed"},
                      TextCase{-109, "The view contains no more records"},
                      TextCase{-101, "The SET statement completed successfully"},
                      TextCase{51, "The owner name is invalid"},
                      TextCase{804, "The specified column position is invalid"},
                      TextCase{2103, "Scalable SQL is not active on the requested server"},
                      TextCase{204, "The table is not defined in the dictionary"}));

TEST(ScalableSqlErrorText, EveryStatusTheEngineMapsHasItsText) {
  const int statuses[] = {-101, -102, -103, -104, -105, -106, -107, -108, -109, -110, -111, -112, -113, -114,
                          -115, -116, 200,  204,  205,  206,  209,  211,  231,  285,  348,  538,  804,
                          // the interface's own
                          210, 212, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229};
  for (int status : statuses) {
    const std::string text = EScalableSQLEngineError(status).GetErrorText();
    EXPECT_EQ(text.rfind("Btrieve Status " + std::to_string(status) + " - ", 0), 0u) << text;
  }
}

TEST(ScalableSqlErrorText, AKeyTextFollowsOnItsOwnLine) {
  const EScalableSQLEngineError error(205, "clerk");
  EXPECT_EQ(std::string(error.GetErrorText()), "Btrieve Status 205 - The user name or the password is not valid.\r\nKey=[clerk]");
}

TEST(ScalableSqlErrorText, StatusNineIsEndOfFileAndOthersKeepTheirStatus) {
  EXPECT_THROW(RaiseScalableSqlError(9), EKorvoEOFError);
  try {
    RaiseScalableSqlErrorWithKey(-109, "view");
    FAIL();
  } catch (const EScalableSQLEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), -109);
    EXPECT_EQ(error.ErrorCode(), DBIERR_EOF);
    EXPECT_EQ(error.KeyText(), AnsiString("view"));
  }
  // Success statuses of the interface stand for no engine error at all.
  EXPECT_EQ(EScalableSQLEngineError(-101).ErrorCode(), 0);
  EXPECT_EQ(EScalableSQLEngineError(285).ErrorCode(), 0x2A0E);
}

}  // namespace
