// Two clients of one process: record locks, what releases them, and exclusive opens.
#include <functional>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getFirst = 12, stepFirst = 33;
constexpr uint16_t single = 200, multiple = 400;
const ClientId workstationA = {'A'};
const ClientId workstationB = {'B'};

class RecordLocks : public RecmgrFixture {
 protected:
  void SetUp() override {
    RecmgrFixture::SetUp();
    file_ = makeSmallFile("locks.qf", {"ann", "bob", "cy"});
    ASSERT_EQ(a_.open(file_), 0);
    ASSERT_EQ(b_.open(file_), 0);
  }
  // The number key of record `n` (positions and auto-increment values both start at 1 here).
  static std::string number(uint32_t n) {
    std::string k(4, '\0');
    putU32(k, 0, n);
    return k;
  }
  // B's locked read of record `n`, its lock let go again at once.
  int16_t bLocks(uint32_t n) {
    const int16_t s = b_.read(getEqual + single, 0, number(n)).status;
    if (s == 0) b_.unlock(-1);
    return s;
  }

  std::string file_;
  OpenFile a_{&workstationA};
  OpenFile b_{&workstationB};
};

TEST_F(RecordLocks, ALockedRecordRefusesOtherClientsWritesAndLockedReadsButNotPlainReads) {
  for (uint16_t bias : {single, multiple, uint16_t{100}, uint16_t{300}}) {
    SCOPED_TRACE(bias);
    const OpenFile::Read held = a_.read(getEqual + bias, 0, number(2));
    ASSERT_EQ(held.status, 0);
    EXPECT_EQ(b_.read(getEqual + single, 0, number(2)).status, 84);
    EXPECT_EQ(b_.read(stepFirst + multiple, 0).status, 0) << "record 1 is free";
    EXPECT_EQ(b_.unlock(-2), 0);
    const OpenFile::Read plain = b_.read(getEqual, 0, number(2));
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(b_.update(plain.record), 84);
    EXPECT_EQ(b_.remove(), 84);
    EXPECT_EQ(b_.read(getEqual, 0, number(2)).status, 0);
    EXPECT_EQ(a_.update(held.record), 0) << "the holder writes";
    EXPECT_EQ(a_.unlock(-2), 0);
  }
}

TEST_F(RecordLocks, AClientsOwnHandlesNeverConflict) {
  OpenFile second{&workstationA};
  ASSERT_EQ(second.open(file_), 0);
  ASSERT_EQ(a_.read(getEqual + single, 0, number(1)).status, 0);
  const OpenFile::Read r = second.read(getEqual + single, 0, number(1));
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(second.update(r.record), 0);
  // The first handle still holds its lock: the other client stays out.
  EXPECT_EQ(bLocks(1), 84);
  EXPECT_EQ(a_.unlock(-1), 0);
  EXPECT_EQ(bLocks(1), 0);
}

struct Release {
  const char* name;
  std::function<int16_t(OpenFile& holder, const std::string& record)> act;
  int16_t othersLockAfterwards = 0;  // the record deleted: not found, no longer locked
};

TEST_F(RecordLocks, TheSingleRecordLockIsReleasedByEachOfItsReleases) {
  const std::vector<Release> releases = {
      {"update", [](OpenFile& h, const std::string& r) { return h.update(r); }},
      {"delete", [](OpenFile& h, const std::string&) { return h.remove(); }, 4},
      {"next locked read", [](OpenFile& h, const std::string&) { return h.read(getNext + single, 0).status; }},
      {"unlock", [](OpenFile& h, const std::string&) { return h.unlock(-1); }},
      {"close", [](OpenFile& h, const std::string&) { return h.close(); }},
      {"stop", [](OpenFile& h, const std::string&) {
         uint16_t length = 0;
         return RecordManagerApi::instance().call(25, h.block(), nullptr, &length, nullptr, 0, &workstationA);
       }},
  };
  for (const Release& release : releases) {
    SCOPED_TRACE(release.name);
    OpenFile holder{&workstationA};
    ASSERT_EQ(holder.open(file_), 0);
    const OpenFile::Read held = holder.read(getFirst + single, 0);
    ASSERT_EQ(held.status, 0);
    const uint32_t n = getU32(held.record, 0);
    ASSERT_EQ(bLocks(n), 84);
    ASSERT_EQ(holder.read(getEqual, 0, number(n)).status, 0) << "a plain read keeps the lock";
    ASSERT_EQ(bLocks(n), 84);
    ASSERT_EQ(release.act(holder, held.record), 0);
    EXPECT_EQ(bLocks(n), release.othersLockAfterwards);
    std::string again = smallRecord("again");
    ASSERT_EQ(b_.insert(again), 0);  // the file keeps a first record for the next release
  }
}

TEST_F(RecordLocks, MultipleRecordLocksAccumulateUntilEachIsReleased) {
  for (uint32_t n : {1u, 2u}) ASSERT_EQ(a_.read(getEqual + multiple, 0, number(n)).status, 0);
  ASSERT_EQ(a_.read(getEqual + single, 0, number(3)).status, 0) << "a single lock besides";
  ASSERT_EQ(a_.read(getEqual + single, 0, number(1)).status, 0) << "and on a record held already";
  for (uint32_t n : {1u, 2u, 3u}) EXPECT_EQ(bLocks(n), n == 3 ? 0 : 84) << n;

  EXPECT_EQ(a_.unlock(0, 2), 0);
  EXPECT_EQ(bLocks(2), 0);
  EXPECT_EQ(bLocks(1), 84);
  ASSERT_EQ(a_.read(getEqual + multiple, 0, number(2)).status, 0);
  EXPECT_EQ(a_.unlock(-2), 0);
  EXPECT_EQ(bLocks(1), 0);
  EXPECT_EQ(bLocks(2), 0);

  // An update of one record releases that record only.
  for (uint32_t n : {1u, 2u}) ASSERT_EQ(a_.read(getEqual + multiple, 0, number(n)).status, 0);
  const OpenFile::Read current = a_.read(getEqual, 0, number(2));
  ASSERT_EQ(a_.update(current.record), 0);
  EXPECT_EQ(bLocks(2), 0);
  EXPECT_EQ(bLocks(1), 84);
  EXPECT_EQ(a_.close(), 0);
  EXPECT_EQ(bLocks(1), 0);
}

TEST_F(RecordLocks, ARefusedLockChangesNothing) {
  ASSERT_EQ(a_.read(getEqual + single, 0, number(2)).status, 0);
  ASSERT_EQ(b_.read(getEqual + single, 0, number(1)).status, 0);
  EXPECT_EQ(b_.read(getNext + single, 0).status, 84);
  EXPECT_EQ(b_.read(getNext + multiple, 0).status, 84);
  const OpenFile::Read next = b_.read(getNext, 0);
  ASSERT_EQ(next.status, 0);
  EXPECT_EQ(getU32(next.record, 0), 2u) << "still positioned on record 1";
  EXPECT_EQ(a_.read(getEqual + single, 0, number(1)).status, 84) << "B still holds its lock on record 1";
}

TEST_F(RecordLocks, ExclusiveOpensAgainstOtherClients) {
  OpenFile exclusive{&workstationA};
  EXPECT_EQ(exclusive.open(file_, -4), 88) << "B has the file open";
  ASSERT_EQ(b_.close(), 0);
  ASSERT_EQ(exclusive.open(file_, -4), 0) << "A's own other handle does not count";
  OpenFile other{&workstationB};
  EXPECT_EQ(other.open(file_), 85);
  EXPECT_EQ(other.open(file_, -2), 85);
  EXPECT_EQ(createFile(file_, createSpec(smallRecordLength, {{{1, 4, 15}}})), 85) << "never replace an open file";
  ASSERT_EQ(exclusive.close(), 0);
  EXPECT_EQ(other.open(file_), 0);
  ASSERT_EQ(other.close(), 0);
  ASSERT_EQ(a_.close(), 0);
  EXPECT_EQ(createFile(file_, createSpec(smallRecordLength, {{{1, 4, 15}}})), 0) << "nobody has it open";
}

}  // namespace
}  // namespace qn::recmgr::testing
