// A second process, through `qnrecmgr serve`: record locks, a holder killed, exclusive opens,
// and two processes inserting into one file at once.
#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getFirst = 12, single = 200;

class TwoProcesses : public RecmgrFixture {
 protected:
  void SetUp() override {
    RecmgrFixture::SetUp();
    file_ = makeSmallFile("shared.qf", {"ann", "bob"});
  }
  static std::string number(uint32_t n) {
    std::string k(4, '\0');
    putU32(k, 0, n);
    return k;
  }
  // Our locked read of record `n`, the lock let go again at once.
  int16_t weLock(uint32_t n) {
    OpenFile f;
    if (f.open(file_) != 0) return -1;
    return f.read(getEqual + single, 0, number(n)).status;
  }

  std::string file_;
  ServeChild child_;
};

TEST_F(TwoProcesses, AnotherProcesssLockRefusesOurWritesUntilItIsReleasedOrTheProcessDies) {
  ASSERT_EQ(child_.status("open 0 " + file_), 0);
  ASSERT_EQ(child_.status("read 0 " + std::to_string(getEqual + single) + " 0 " + toHex(number(1))), 0);
  EXPECT_EQ(weLock(1), 84);
  EXPECT_EQ(weLock(2), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file_), 0);
  const OpenFile::Read plain = f.read(getEqual, 0, number(1));
  ASSERT_EQ(plain.status, 0) << "plain reads always succeed";
  EXPECT_EQ(f.update(plain.record), 84);
  EXPECT_EQ(f.remove(), 84);

  ASSERT_EQ(child_.status("unlock 0 -1"), 0);
  EXPECT_EQ(weLock(1), 0);

  // We lock; the child is refused; then the child takes a lock and dies holding it.
  ASSERT_EQ(f.read(getEqual + single, 0, number(1)).status, 0);
  EXPECT_EQ(child_.status("read 0 " + std::to_string(getEqual + single) + " 0 " + toHex(number(1))), 84);
  const std::string childsView = child_.ask("read 0 5 0 " + toHex(number(1)));
  EXPECT_EQ(childsView.substr(0, 2), "0 ");
  EXPECT_EQ(child_.status("update 0 " + toHex(plain.record)), 84);
  ASSERT_EQ(f.unlock(-1), 0);
  ASSERT_EQ(child_.status("read 0 " + std::to_string(getFirst + single) + " 0"), 0);
  EXPECT_EQ(f.update(plain.record), 84);
  child_.kill();
  EXPECT_EQ(f.update(plain.record), 0) << "a dead process's locks vanish";
  EXPECT_EQ(weLock(1), 0);
}

TEST_F(TwoProcesses, ExclusiveOpensAcrossProcesses) {
  ASSERT_EQ(child_.status("open 0 " + file_ + " -4"), 0);
  OpenFile f;
  EXPECT_EQ(f.open(file_), 85);
  EXPECT_EQ(createFile(file_, createSpec(smallRecordLength, {{{1, 4, 15}}})), 85);
  ASSERT_EQ(child_.status("close 0"), 0);
  ASSERT_EQ(f.open(file_), 0);
  EXPECT_EQ(child_.status("open 1 " + file_ + " -4"), 88);
  EXPECT_EQ(child_.status("open 1 " + file_), 0);
  ASSERT_EQ(f.close(), 0);
  EXPECT_EQ(f.open(file_, -4), 88);
  child_.kill();
  EXPECT_EQ(f.open(file_, -4), 0) << "the dead process's open went with it";
}

TEST_F(TwoProcesses, TwoProcessesInsertingIntoOneFileAtOnceNeverSeeALock) {
  constexpr int each = 500;
  ASSERT_EQ(child_.status("open 0 " + file_), 0);
  child_.send("repeat " + std::to_string(each) + " insert 0 " + toHex(smallRecord("child")));
  OpenFile f;
  ASSERT_EQ(f.open(file_), 0);
  for (int i = 0; i < each; ++i) {
    std::string r = smallRecord("parent");
    ASSERT_EQ(f.insert(r), 0) << i;
  }
  EXPECT_EQ(child_.answer(), "0");
  const auto s = f.stat();
  EXPECT_EQ(getU32(std::string(s.begin(), s.end()), 6), 2u + 2 * each);
}

TEST_F(TwoProcesses, AnotherProcesssTransactionIsIsolatedAndRefusesOurWritesAtOnce) {
  const std::string second = makeSmallFile("second.qf", {"cy"});
  OpenFile f, g;
  ASSERT_EQ(f.open(file_), 0);
  ASSERT_EQ(g.open(second), 0);
  const OpenFile::Read firstOfSecond = g.read(getFirst, 0);
  ASSERT_EQ(firstOfSecond.status, 0);
  const auto count = [](OpenFile& h) {
    const auto s = h.stat();
    return getU32(std::string(s.begin(), s.end()), 6);
  };
  for (const char* ending : {"abort", "end"}) {
    SCOPED_TRACE(ending);
    const uint32_t before = count(f);
    ASSERT_EQ(child_.status("open 0 " + file_), 0);
    ASSERT_EQ(child_.status("open 1 " + second), 0);
    ASSERT_EQ(child_.status("begin 1019"), 0);
    ASSERT_EQ(child_.status("insert 0 " + toHex(smallRecord("child"))), 0);
    ASSERT_EQ(child_.status("read 1 12 0"), 0);
    ASSERT_EQ(child_.status("update 1 " + toHex(firstOfSecond.record)), 0);

    EXPECT_EQ(count(f), before) << "its insert is not ours to see";
    const OpenFile::Read plain = f.read(getFirst, 0);
    ASSERT_EQ(plain.status, 0) << "plain reads go on";
    std::string r = smallRecord("parent");
    EXPECT_EQ(f.insert(r), 84);
    EXPECT_EQ(f.update(plain.record), 84);
    EXPECT_EQ(f.read(getFirst + single, 0).status, 84);
    ASSERT_EQ(g.read(getFirst, 0).status, 0);
    EXPECT_EQ(g.update(firstOfSecond.record), 84);

    ASSERT_EQ(child_.status(ending), 0);
    EXPECT_EQ(count(f), before + (std::string(ending) == "end" ? 1 : 0));
    EXPECT_EQ(f.insert(r), 0);
    EXPECT_EQ(g.read(getFirst, 0).status, 0);
    EXPECT_EQ(g.update(firstOfSecond.record), 0);
    ASSERT_EQ(child_.status("close 0"), 0);
    ASSERT_EQ(child_.status("close 1"), 0);
  }
}

TEST_F(TwoProcesses, AProcessKilledInsideATransactionLeavesNothingOfIt) {
  OpenFile f;
  ASSERT_EQ(f.open(file_), 0);
  ASSERT_EQ(child_.status("open 0 " + file_), 0);
  ASSERT_EQ(child_.status("begin"), 0);
  ASSERT_EQ(child_.status("repeat 50 insert 0 " + toHex(smallRecord("child"))), 0);
  std::string r = smallRecord("parent");
  EXPECT_EQ(f.insert(r), 84);
  child_.kill();
  EXPECT_EQ(f.insert(r), 0);
  const auto s = f.stat();
  EXPECT_EQ(getU32(std::string(s.begin(), s.end()), 6), 3u);
}

}  // namespace
}  // namespace qn::recmgr::testing
