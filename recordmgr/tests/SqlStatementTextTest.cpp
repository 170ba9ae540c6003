#include <gtest/gtest.h>

#include <string>

#include "recordmgr/EngineCodes.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/SqlStatementText.h"

namespace {

struct RewriteCase {
  const char* text;
  const char* sent;
};

class SqlStatementTextTest : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(SqlStatementTextTest, IsRewrittenAsTheInterfaceReadsIt) {
  EXPECT_EQ(std::string(RewriteSqlText(GetParam().text)), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SqlStatementTextTest,
    ::testing::Values(RewriteCase{"SELECT * FROM T WHERE A = :X", "SELECT * FROM T WHERE A = @X"},
                      RewriteCase{"SELECT * FROM T WHERE A = ':Y'", "SELECT * FROM T WHERE A = ':Y'"},
                      RewriteCase{"WHERE A = :X AND B = ':Y' AND C = :Z", "WHERE A = @X AND B = ':Y' AND C = @Z"},
                      RewriteCase{"WHERE A = ? AND B = '?' AND C = ?",
                                  "WHERE A = @QVAR0000 AND B = '@QVAR0001' AND C = @QVAR0002"},
                      RewriteCase{"WHERE A = 'it''s :X' AND B = :Y", "WHERE A = 'it''s :X' AND B = @Y"},
                      RewriteCase{"", ""}, RewriteCase{"??", "@QVAR0000@QVAR0001"}));

TEST(SqlStatementRewrite, ManyParametersAreNeverCut) {
  const std::string text(40, '?');
  const std::string sent = RewriteSqlText(text);
  ASSERT_EQ(sent.size(), 40u * 9u);
  EXPECT_EQ(sent.substr(0, 18), "@QVAR0000@QVAR0001");
  EXPECT_EQ(sent.substr(sent.size() - 9), "@QVAR0039");
}

TEST(SqlStatementRewrite, ATextPastTheInterfacesLengthIsRefused) {
  const std::string fits(65535 / 9, '?');
  EXPECT_EQ(RewriteSqlText(fits).size(), fits.size() * 9);
  try {
    RewriteSqlText(std::string(65535 / 9 + 1, '?'));
    FAIL() << "a text past 65,535 characters was rewritten";
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_INVALIDPARAM);
  }
}

}  // namespace
