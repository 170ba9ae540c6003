// The names library: registered databases, local and remote apart, in key order.
#include <cstring>

#include "platform/sqlif/tests/SqlFixture.h"

namespace qn::sqlif::testing {
namespace {

class DatabaseNamesTest : public SqlFixture {
 protected:
  void SetUp() override {
    SqlFixture::SetUp();
    for (const auto& args : std::vector<std::vector<std::string>>{{"register", "B_LOCAL", folder},
                                                                   {"register", "A_LOCAL", folder},
                                                                   {"register", "FARAWAY", "//server/db", "--remote"}}) {
      const ToolRun run = runTool(args);
      ASSERT_EQ(run.exitCode, 0) << run.output;
    }
  }
  void TearDown() override {
    api.unloadNames();
    SqlFixture::TearDown();
  }
  // The next name, blanks removed, or "#status".
  std::string next(bool remote) {
    char buffer[20];
    std::memset(buffer, 0, sizeof buffer);
    uint16_t length = 20;
    const int16_t s = remote ? api.remoteNames(&length, buffer) : api.names(&length, buffer);
    if (s != 0) return "#" + std::to_string(s);
    std::string name(buffer, 20);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
  }
};

TEST_F(DatabaseNamesTest, CountsThenNamesInKeyOrder) {
  uint16_t count = 0;
  ASSERT_EQ(api.countNames(&count), 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(next(false), "A_LOCAL");
  EXPECT_EQ(next(false), "B_LOCAL");
  EXPECT_EQ(next(false), "#228");
  ASSERT_EQ(api.countRemoteNames(&count), 0);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(next(true), "FARAWAY");
  EXPECT_EQ(next(true), "#228");
}

TEST_F(DatabaseNamesTest, ACountCallStartsTheListingAgain) {
  uint16_t count = 0;
  ASSERT_EQ(api.countNames(&count), 0);
  EXPECT_EQ(next(false), "A_LOCAL");
  ASSERT_EQ(api.countNames(&count), 0);
  EXPECT_EQ(next(false), "A_LOCAL");
  EXPECT_EQ(next(false), "B_LOCAL");
}

TEST_F(DatabaseNamesTest, InjectedFailureStrikesOnce) {
  ASSERT_EQ(api.injectNames("SQLGetCountRemoteDatabaseNames", 2104), 0);
  uint16_t count = 77;
  EXPECT_EQ(api.countRemoteNames(&count), 2104);
  EXPECT_EQ(count, 77);  // untouched
  ASSERT_EQ(api.countNames(&count), 0);
  EXPECT_EQ(count, 2);
  ASSERT_EQ(api.countRemoteNames(&count), 0);
  EXPECT_EQ(count, 1);
}

TEST_F(DatabaseNamesTest, UnloadForgetsTheListing) {
  uint16_t count = 0;
  ASSERT_EQ(api.countNames(&count), 0);
  EXPECT_EQ(next(false), "A_LOCAL");
  EXPECT_EQ(next(false), "B_LOCAL");
  ASSERT_EQ(api.unloadNames(), 0);
  EXPECT_EQ(next(false), "A_LOCAL");  // a fresh listing
}

TEST_F(DatabaseNamesTest, ListedNamesLogInWithTheirAt) {
  EXPECT_EQ(loginTo("@A_LOCAL"), 0);
  EXPECT_EQ(api.logout(), 0);
  EXPECT_EQ(loginTo("@FARAWAY"), 2103);
}

TEST_F(DatabaseNamesTest, RegisterRefusesNamesTheListCannotHold) {
  EXPECT_EQ(runTool({"register", "ABCDEFGHIJKLMNOPQRSTU", folder}).exitCode, 1);  // 21 characters
  EXPECT_EQ(runTool({"register", "A\\B", folder}).exitCode, 1);
  EXPECT_EQ(runTool({"register", "X"}).exitCode, 2);
  uint16_t count = 0;
  ASSERT_EQ(api.countNames(&count), 0);
  EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace qn::sqlif::testing
