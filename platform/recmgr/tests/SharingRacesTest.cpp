// Another process changing a file under us while we work: replacing it while we open it, removing
// or replacing its lock file while a workstation holds locks, and adding and dropping keys while
// we write. `qnrecmgr serve` plays the other workstation.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getFirst = 12, single = 200;
constexpr int racingMs = 1500;

const ClientId otherClient{'o', 't', 'h', 'e', 'r'};

std::string hexOf(const std::vector<uint8_t>& bytes) { return toHex(std::string(bytes.begin(), bytes.end())); }

uint32_t recordCount(OpenFile& f) {
  const auto s = f.stat();
  return getU32(std::string(s.begin(), s.end()), 6);
}

class SharingRaces : public RecmgrFixture {
 protected:
  void SetUp() override {
    RecmgrFixture::SetUp();
    file_ = makeSmallFile("shared.qf", {"ann", "bob"});
  }
  // Runs `step` again and again until the child answers the command it was sent.
  void whileChildRuns(const std::function<void()>& step) {
    while (!child_.answerReady() && !::testing::Test::HasFatalFailure()) step();
  }

  std::string file_;
  ServeChild child_;
};

TEST_F(SharingRaces, AnOpenRacingAReplaceIsOnTheFileAtThePath) {
  const std::string emptySpec = hexOf(createSpec(smallRecordLength, {{{1, 4, 15}}, {{5, 8, 0, 0x01 | 0x02}}}));
  child_.send("during " + std::to_string(racingMs) + " create " + file_ + " " + emptySpec + " 0");
  int checked = 0;
  whileChildRuns([&] {
    OpenFile opened;
    const int16_t s = opened.open(file_);
    ASSERT_TRUE(s == 0 || s == 85) << s;
    if (s != 0) return;
    std::string r = smallRecord("parent");
    const int16_t inserted = opened.insert(r);
    ASSERT_TRUE(inserted == 0 || inserted == 84 || inserted == 85) << inserted;
    if (inserted != 0) return;
    // While we hold the file nobody replaces it: a handle opened now is on the file at the path.
    OpenFile fresh(&otherClient);
    ASSERT_EQ(fresh.open(file_), 0);
    EXPECT_EQ(fresh.read(getEqual, 0, r.substr(0, 4)).status, 0) << "the open was on a replaced file";
    EXPECT_EQ(recordCount(fresh), recordCount(opened));
    ++checked;
  });
  const std::string summary = child_.answer();
  EXPECT_GT(checked, 0) << summary;
  EXPECT_NE(summary.find("0:"), std::string::npos) << "no replace was done: " << summary;
}

}  // namespace
}  // namespace qn::recmgr::testing
