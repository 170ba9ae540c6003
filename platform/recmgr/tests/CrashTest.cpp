// A workstation killed at random instants while it commits: every transaction over three files
// is there wholly or not at all, every single write too, and every file stays sound.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr size_t counterOffset = 12;

uint32_t recordCount(const std::string& path) {
  OpenFile f;
  EXPECT_EQ(f.open(path), 0) << path;
  const auto s = f.stat();
  return getU32(std::string(s.begin(), s.end()), 6);
}

uint32_t counter(const std::string& path) {
  OpenFile f;
  EXPECT_EQ(f.open(path), 0) << path;
  const OpenFile::Read r = f.read(12, 0);
  EXPECT_EQ(r.status, 0);
  return r.status == 0 ? getU32(r.record, counterOffset) : 0;
}

bool checkPasses(const std::string& path) {
  const std::string command = programFolder() + "/qnrecmgr check " + path + " > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Crash : public RecmgrFixture {
 protected:
  // Transactions `from`.. that each insert into the first two files and count in the third,
  // then a write of its own to the fourth.
  std::string script(uint32_t from, uint32_t transactions) {
    const std::string path = this->path("script-" + std::to_string(from) + ".txt");
    std::ofstream out(path);
    for (size_t i = 0; i < files_.size(); ++i) out << "open " << i << " " << files_[i] << "\n";
    for (uint32_t n = from + 1; n <= from + transactions; ++n) {
      std::string counted = smallRecord("count", 1);
      putU32(counted, counterOffset, n);
      out << (n % 2 ? "begin\n" : "begin 1019\n")
          << "insert 0 " << toHex(smallRecord("one")) << "\n"
          << "insert 1 " << toHex(smallRecord("two")) << "\n"
          << "read 2 12 0\n"
          << "update 2 " << toHex(counted) << "\n"
          << "end\n"
          << "insert 3 " << toHex(smallRecord("single")) << "\n";
    }
    return path;
  }

  std::vector<std::string> files_;
};

TEST_F(Crash, KilledAtRandomInstantsEveryTransactionIsWhollyThereOrNot) {
  for (const char* name : {"one.qf", "two.qf", "three.qf", "four.qf"}) files_.push_back(makeSmallFile(name, {}));
  {
    OpenFile third;
    ASSERT_EQ(third.open(files_[2]), 0);
    std::string zero = smallRecord("count");
    putU32(zero, counterOffset, 0);
    ASSERT_EQ(third.insert(zero), 0);
  }
  std::mt19937 random(std::random_device{}());
  uint32_t committed = 0;
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    {
      ServeChild child(script(committed, 500));
      // The kill comes at a random instant once the child is at work: its start alone may take
      // longer than any fixed delay on a busy machine.
      // A lock met here is the live child's; one met after the kill is nobody's.
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      {
        SCOPED_TRACE("while the child works");
        while (recordCount(files_[0]) == committed && std::chrono::steady_clock::now() < deadline)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      std::this_thread::sleep_for(std::chrono::microseconds(random() % 30000));
      child.kill();
    }
    const uint32_t n = recordCount(files_[0]);
    ASSERT_EQ(recordCount(files_[1]), n);
    ASSERT_EQ(counter(files_[2]), n);
    const uint32_t singles = recordCount(files_[3]);
    ASSERT_TRUE(singles == n || singles + 1 == n) << singles << " single writes after " << n << " transactions";
    for (const std::string& f : files_) ASSERT_TRUE(checkPasses(f)) << f;
    ASSERT_GE(n, committed);
    committed = n;
    if (singles < n) {  // killed between the transaction and its single write: catch up
      OpenFile fourth;
      ASSERT_EQ(fourth.open(files_[3]), 0);
      std::string r = smallRecord("single");
      ASSERT_EQ(fourth.insert(r), 0);
    }
  }
  EXPECT_GT(committed, 0u) << "the child never got to commit";
}

}  // namespace
}  // namespace qn::recmgr::testing
