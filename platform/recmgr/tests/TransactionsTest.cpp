// Transactions of two clients in one process: isolation, commit and abort across files, locks
// inside a transaction, failed ends, and the limit on files written.
#include <sqlite3.h>

#include <memory>

#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {
namespace {

constexpr uint16_t getEqual = 5, getNext = 6, getFirst = 12, getLast = 13, single = 200;
const ClientId workstationA = {'A'};
const ClientId workstationB = {'B'};

// A transaction call (begin 19 or 1019, end 20, abort 21) through a position block of its own.
int16_t transaction(uint16_t op, const ClientId& client) {
  std::array<uint8_t, 128> freshBlock{};
  uint16_t length = 0;
  return RecordManagerApi::instance().call(op, freshBlock.data(), nullptr, &length, nullptr, 0, &client);
}

uint32_t count(OpenFile& f) {
  const auto s = f.stat();
  return getU32(std::string(s.begin(), s.end()), 6);
}

// Every record of the file in physical order, as its position and bytes, read by a client of
// its own. (The header's counters are not compared: positions handed out stay taken.)
std::vector<std::pair<uint32_t, std::string>> physicalRecords(const std::string& path) {
  OpenFile f;
  EXPECT_EQ(f.open(path), 0);
  std::vector<std::pair<uint32_t, std::string>> out;
  for (auto r = f.read(33, 0); r.status == 0; r = f.read(24, 0)) out.emplace_back(f.position(), r.record);
  return out;
}

std::string number(uint32_t n) {
  std::string k(4, '\0');
  putU32(k, 0, n);
  return k;
}

class Transactions : public RecmgrFixture {
 protected:
  void SetUp() override {
    RecmgrFixture::SetUp();
    for (const char* name : {"one.qf", "two.qf", "three.qf"}) files_.push_back(makeSmallFile(name, {"ann", "bob"}));
  }
  void TearDown() override {
    transaction(21, workstationA);
    transaction(21, workstationB);
  }
  std::vector<std::string> files_;
};

TEST_F(Transactions, OthersSeeNothingUntilTheEndAndCannotWriteWhatTheTransactionWrote) {
  for (uint16_t begin : {uint16_t{19}, uint16_t{1019}}) {
    SCOPED_TRACE(begin);
    OpenFile a1{&workstationA}, b1{&workstationB}, b2{&workstationB}, b3{&workstationB};
    ASSERT_EQ(a1.open(files_[0]), 0);
    for (auto [f, path] : {std::pair{&b1, files_[0]}, {&b2, files_[1]}, {&b3, files_[2]}}) ASSERT_EQ(f->open(path), 0);
    std::string spare = smallRecord("spare");
    ASSERT_EQ(b2.insert(spare), 0);
    const uint32_t before = count(b1), before2 = count(b2);

    ASSERT_EQ(transaction(begin, workstationA), 0);
    std::string r = smallRecord("carl");
    ASSERT_EQ(a1.insert(r), 0);
    OpenFile a2{&workstationA};  // opened inside the transaction: part of it
    ASSERT_EQ(a2.open(files_[1]), 0);
    ASSERT_EQ(a2.read(getFirst, 0).status, 0);
    ASSERT_EQ(a2.remove(), 0);
    OpenFile a3{&workstationA};
    ASSERT_EQ(a3.open(files_[2]), 0);
    ASSERT_EQ(a3.read(getFirst, 0).status, 0) << "only read: not part of the transaction's writes";

    OpenFile again{&workstationA};
    ASSERT_EQ(again.open(files_[0]), 0);
    EXPECT_EQ(count(again), before + 1) << "the client sees its own changes through every handle";
    EXPECT_EQ(again.read(getEqual, 0, number(getU32(r, 0))).status, 0);

    EXPECT_EQ(count(b1), before);
    EXPECT_EQ(b1.read(getEqual, 0, number(getU32(r, 0))).status, 4);
    const OpenFile::Read plain = b1.read(getFirst, 0);
    ASSERT_EQ(plain.status, 0) << "plain reads go on";
    EXPECT_EQ(b1.update(plain.record), 84);
    std::string other = smallRecord("dora");
    EXPECT_EQ(b1.insert(other), 84);
    EXPECT_EQ(b1.read(getFirst + single, 0).status, 84);
    EXPECT_EQ(b2.read(getFirst, 0).status, 0);
    EXPECT_EQ(b2.remove(), 84);
    ASSERT_EQ(b3.read(getFirst, 0).status, 0);
    std::string free = smallRecord("eve");
    EXPECT_EQ(b3.insert(free), 0) << "a file the transaction only read stays writable";

    ASSERT_EQ(transaction(20, workstationA), 0);
    EXPECT_EQ(count(b1), before + 1);
    EXPECT_EQ(count(b2), before2 - 1);
    EXPECT_EQ(b1.insert(other), 0);
    EXPECT_EQ(b2.read(getFirst, 0).status, 0);
    EXPECT_EQ(b2.remove(), 0);
  }
}

TEST_F(Transactions, AbortRestoresEveryFile) {
  OpenFile a[3] = {OpenFile{&workstationA}, OpenFile{&workstationA}, OpenFile{&workstationA}};
  OpenFile b[3] = {OpenFile{&workstationB}, OpenFile{&workstationB}, OpenFile{&workstationB}};
  std::vector<std::vector<std::pair<uint32_t, std::string>>> before;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(a[i].open(files_[i]), 0);
    ASSERT_EQ(b[i].open(files_[i]), 0);
    before.push_back(physicalRecords(files_[i]));
  }
  ASSERT_EQ(transaction(19, workstationA), 0);
  std::string r = smallRecord("carl");
  ASSERT_EQ(a[0].insert(r), 0);
  const OpenFile::Read first = a[1].read(getFirst, 0);
  ASSERT_EQ(first.status, 0);
  std::string changed = first.record;
  changed.replace(4, 4, "zed\0", 4);
  ASSERT_EQ(a[1].update(changed), 0);
  ASSERT_EQ(a[2].read(getFirst, 0).status, 0);
  ASSERT_EQ(a[2].remove(), 0);
  EXPECT_EQ(transaction(21, workstationA), 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(physicalRecords(files_[i]), before[i]) << i;
    EXPECT_EQ(count(b[i]), 2u) << i;
    EXPECT_EQ(count(a[i]), 2u) << i;
  }
  EXPECT_EQ(a[1].read(getEqual, 1, nameKey("zed")).status, 4);
  EXPECT_EQ(b[2].read(getFirst, 0).status, 0);
  EXPECT_EQ(b[2].remove(), 0) << "the abort let the file go";
}

// What a client sees of one write: its status, the number in the buffer, the position it made
// current and the record count afterwards.
struct Seen {
  int16_t status;
  uint32_t number;
  uint32_t position;
  uint32_t count;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
  return out << "{status " << s.status << ", number " << s.number << ", position " << s.position << ", count "
             << s.count << "}";
}

// Writes that exercise every counter a file keeps: positions, stamps of records moving into a
// key value, the record count, and the greatest auto-increment number (given, assigned, refused
// as a duplicate, deleted, and raised by an insert).
std::vector<Seen> countedWrites(OpenFile& f) {
  std::vector<Seen> seen;
  auto note = [&](int16_t status, const std::string& record) {
    seen.push_back({status, getU32(record, 0), status == 0 ? f.position() : 0, count(f)});
  };
  std::string r = RecmgrFixture::smallRecord("carl");
  note(f.insert(r), r);
  r = RecmgrFixture::smallRecord("dup", 2);
  note(f.insert(r), r);
  r = RecmgrFixture::smallRecord("dora");
  note(f.insert(r), r);
  const OpenFile::Read last = f.read(getLast, 0);
  note(last.status == 0 ? f.remove(0) : last.status, last.record);
  r = RecmgrFixture::smallRecord("eve");
  note(f.insert(r), r);
  const OpenFile::Read bob = f.read(getEqual, 1, RecmgrFixture::nameKey("bob"));
  note(bob.status == 0 ? f.update(RecmgrFixture::smallRecord("ann", getU32(bob.record, 0)), 1) : bob.status,
       bob.record);
  r = RecmgrFixture::smallRecord("fay", 9);
  note(f.insert(r), r);
  r = RecmgrFixture::smallRecord("gus");
  note(f.insert(r), r);
  return seen;
}

// Every record in the order of the name key, as position:number:name.
std::vector<std::string> byName(OpenFile& f) {
  std::vector<std::string> out;
  for (auto r = f.read(getFirst, 1); r.status == 0; r = f.read(getNext, 1))
    out.push_back(std::to_string(f.position()) + ":" + std::to_string(getU32(r.record, 0)) + ":" +
                  RecmgrFixture::nameOf(r.record));
  return out;
}

TEST_F(Transactions, WritesInsideATransactionCountAsTheSameWritesOutsideOne) {
  OpenFile plain{&workstationB}, inside{&workstationA}, aborted{&workstationA};
  ASSERT_EQ(plain.open(files_[0]), 0);
  ASSERT_EQ(inside.open(files_[1]), 0);
  ASSERT_EQ(aborted.open(files_[2]), 0);
  const auto abortedBefore = physicalRecords(files_[2]);

  const std::vector<Seen> expected = countedWrites(plain);
  ASSERT_EQ(expected[0], (Seen{0, 3, 3, 3}));
  ASSERT_EQ(expected[1].status, 5);
  ASSERT_EQ(transaction(19, workstationA), 0);
  EXPECT_EQ(countedWrites(inside), expected);
  ASSERT_EQ(transaction(20, workstationA), 0);
  ASSERT_EQ(transaction(19, workstationA), 0);
  EXPECT_EQ(countedWrites(aborted), expected);
  ASSERT_EQ(transaction(21, workstationA), 0);

  EXPECT_EQ(byName(inside), byName(plain));
  EXPECT_EQ(physicalRecords(files_[2]), abortedBefore);
  EXPECT_EQ(count(aborted), 2u);
  // What the committed transaction left in the header carries on like the plain file's.
  std::string next = smallRecord("hal"), nextPlain = smallRecord("hal");
  ASSERT_EQ(inside.insert(next), 0);
  ASSERT_EQ(plain.insert(nextPlain), 0);
  EXPECT_EQ(getU32(next, 0), getU32(nextPlain, 0));
  EXPECT_EQ(inside.position(), plain.position());
  EXPECT_EQ(count(inside), count(plain));
  for (const std::string& file : {files_[1], files_[2]}) {
    std::unique_ptr<RecordFile> opened;
    ASSERT_EQ(RecordFile::open(file, opened), 0);
    EXPECT_EQ(opened->check(), std::vector<std::string>{}) << file;
  }
}

TEST_F(Transactions, ALongTransactionDoesNotBlockOtherClientsPlainReads) {
  OpenFile a{&workstationA}, b{&workstationB};
  ASSERT_EQ(a.open(files_[0]), 0);
  ASSERT_EQ(b.open(files_[0]), 0);
  ASSERT_EQ(transaction(19, workstationA), 0);
  // Far more than SQLite's page cache holds by default.
  std::string r = smallRecord("bulk");
  r.resize(32);
  for (int i = 0; i < 50000; ++i) {
    putU32(r, 0, 0);
    ASSERT_EQ(a.insert(r), 0) << i;
  }
  for (uint16_t op : {getFirst, uint16_t{13}, uint16_t{33}}) EXPECT_EQ(b.read(op, 0).status, 0) << op;
  EXPECT_EQ(count(b), 2u);
  std::string other = smallRecord("dora");
  EXPECT_EQ(b.insert(other), 84);
  ASSERT_EQ(transaction(20, workstationA), 0);
  EXPECT_EQ(count(b), 50002u);
}

TEST_F(Transactions, BeginEndAndAbortFollowTheirOwnRules) {
  EXPECT_EQ(transaction(20, workstationA), 39);
  EXPECT_EQ(transaction(21, workstationA), 39);
  ASSERT_EQ(transaction(19, workstationA), 0);
  EXPECT_EQ(transaction(19, workstationA), 37);
  EXPECT_EQ(transaction(1019, workstationA), 37);
  EXPECT_EQ(transaction(19, workstationB), 0) << "each client has its own";
  EXPECT_EQ(transaction(20, workstationB), 0);
  EXPECT_EQ(transaction(20, workstationA), 0) << "through another fresh block than its begin";
  EXPECT_EQ(transaction(20, workstationA), 39);
}

TEST_F(Transactions, KeysChangeOnlyOutsideTransactionsAndNeverUnderAnothersTransaction) {
  OpenFile a{&workstationA}, b{&workstationB};
  ASSERT_EQ(a.open(files_[0]), 0);
  ASSERT_EQ(b.open(files_[0]), 0);
  std::string segment(16, '\0');
  putU16(segment, 0, 13);
  putU16(segment, 2, 4);
  putU16(segment, 4, 0x100 | 0x01);
  segment[10] = 14;
  const auto createIndex = [&](OpenFile& f, const ClientId& client) {
    std::string data = segment;
    uint16_t length = 16;
    return RecordManagerApi::instance().call(31, f.block(), data.data(), &length, nullptr, 0, &client);
  };
  ASSERT_EQ(transaction(19, workstationA), 0);
  EXPECT_EQ(createIndex(a, workstationA), 41);
  std::string r = smallRecord("carl");
  ASSERT_EQ(a.insert(r), 0);
  EXPECT_EQ(createIndex(b, workstationB), 84);
  ASSERT_EQ(transaction(20, workstationA), 0);
  EXPECT_EQ(createIndex(b, workstationB), 0);
}

TEST_F(Transactions, AFileATransactionWroteIsNeverReplacedUnderIt) {
  {
    OpenFile a{&workstationA};
    ASSERT_EQ(a.open(files_[0]), 0);
    ASSERT_EQ(transaction(19, workstationA), 0);
    std::string r = smallRecord("carl");
    ASSERT_EQ(a.insert(r), 0);
  }
  const auto replacement = createSpec(smallRecordLength, {{{1, 4, 15}}});
  EXPECT_EQ(createFile(files_[0], replacement, 0), 85) << "its handles are closed, its transaction is not";
  ASSERT_EQ(transaction(20, workstationA), 0);
  OpenFile f;
  ASSERT_EQ(f.open(files_[0]), 0);
  EXPECT_EQ(count(f), 3u) << "the committed insert is in the file";
  ASSERT_EQ(f.close(), 0);
  EXPECT_EQ(createFile(files_[0], replacement, 0), 0) << "after the end nothing holds it";
}

TEST_F(Transactions, PositionsHandedOutInATransactionThatDidNotCommitAreNeverHandedOutAgain) {
  OpenFile a{&workstationA}, b{&workstationB};
  ASSERT_EQ(a.open(files_[0]), 0);
  ASSERT_EQ(b.open(files_[0]), 0);
  std::vector<uint32_t> bookmarks;
  for (uint16_t ending : {uint16_t{21}, uint16_t{25}}) {  // abort, and stop
    ASSERT_EQ(transaction(19, workstationA), 0);
    std::string r = smallRecord("carl");
    ASSERT_EQ(a.insert(r), 0);
    bookmarks.push_back(a.position());
    ASSERT_EQ(transaction(ending, workstationA), 0);
    if (ending == 25) {
      ASSERT_EQ(a.open(files_[0]), 0);
    }
  }
  for (OpenFile* f : {&b, &a}) {
    std::string r = smallRecord("dora");
    ASSERT_EQ(f->insert(r), 0);
    for (uint32_t p : bookmarks) EXPECT_NE(f->position(), p);
  }
  for (uint32_t p : bookmarks) EXPECT_EQ(a.direct(p).status, 43) << "a stale bookmark finds no other record";
  std::unique_ptr<RecordFile> opened;
  ASSERT_EQ(RecordFile::open(files_[0], opened), 0);
  EXPECT_EQ(opened->check(), std::vector<std::string>{});
}

TEST_F(Transactions, StopAbortsTheClientsTransaction) {
  OpenFile a{&workstationA}, b{&workstationB};
  ASSERT_EQ(a.open(files_[0]), 0);
  ASSERT_EQ(b.open(files_[0]), 0);
  ASSERT_EQ(transaction(19, workstationA), 0);
  std::string r = smallRecord("carl");
  ASSERT_EQ(a.insert(r), 0);
  ASSERT_EQ(transaction(25, workstationA), 0);
  EXPECT_EQ(count(b), 2u);
  EXPECT_EQ(b.insert(r), 0) << "the file is free again";
  EXPECT_EQ(transaction(20, workstationA), 39);
}

TEST_F(Transactions, ALockTakenBeforeTheTransactionFollowsTheRulesOutsideIt) {
  OpenFile a{&workstationA}, b{&workstationB};
  ASSERT_EQ(a.open(files_[0]), 0);
  ASSERT_EQ(b.open(files_[1]), 0);
  const auto bLocks = [&](uint32_t n) {
    OpenFile probe{&workstationB};
    probe.open(files_[0]);
    return probe.read(getEqual + single, 0, number(n)).status;
  };
  ASSERT_EQ(a.read(getEqual + single, 0, number(1)).status, 0);
  ASSERT_EQ(transaction(19, workstationA), 0);
  ASSERT_EQ(a.read(getEqual + single, 0, number(2)).status, 0);
  EXPECT_EQ(bLocks(1), 0) << "the next locked read released the lock taken before the transaction";
  const OpenFile::Read second = a.read(getEqual, 0, number(2));
  ASSERT_EQ(a.update(second.record), 0);
  EXPECT_EQ(a.unlock(-1), 0);
  EXPECT_EQ(a.read(getEqual + single, 0, number(1)).status, 0);
  ASSERT_EQ(transaction(20, workstationA), 0);
  EXPECT_EQ(bLocks(1), 0);
  EXPECT_EQ(bLocks(2), 0);
}

TEST_F(Transactions, LocksInsideATransactionSurviveUpdateUnlockAndTheNextLockedRead) {
  OpenFile a{&workstationA};
  ASSERT_EQ(a.open(files_[0]), 0);
  const auto bLocks = [&](uint32_t n) {
    OpenFile probe{&workstationB};
    probe.open(files_[0]);
    return probe.read(getEqual + single, 0, number(n)).status;
  };
  ASSERT_EQ(transaction(19, workstationA), 0);
  const OpenFile::Read first = a.read(getEqual + single, 0, number(1));
  ASSERT_EQ(first.status, 0);
  ASSERT_EQ(a.update(first.record), 0);
  EXPECT_EQ(a.unlock(-1), 0);
  ASSERT_EQ(a.read(getEqual + single, 0, number(2)).status, 0);
  ASSERT_EQ(transaction(21, workstationA), 0);
  // The transaction wrote file one: until its end nobody else could lock anything there. Now:
  EXPECT_EQ(bLocks(1), 0);
  EXPECT_EQ(bLocks(2), 0);

  OpenFile other{&workstationA};
  ASSERT_EQ(other.open(files_[1]), 0);
  ASSERT_EQ(transaction(19, workstationA), 0);
  ASSERT_EQ(other.read(getEqual + single, 0, number(1)).status, 0);
  ASSERT_EQ(other.unlock(-1), 0);
  ASSERT_EQ(other.read(getEqual + single, 0, number(2)).status, 0);
  OpenFile probe{&workstationB};
  ASSERT_EQ(probe.open(files_[1]), 0);
  EXPECT_EQ(probe.read(getEqual + single, 0, number(1)).status, 84) << "kept for the transaction";
  EXPECT_EQ(probe.read(getEqual + single, 0, number(2)).status, 84);
  ASSERT_EQ(transaction(20, workstationA), 0);
  EXPECT_EQ(probe.read(getEqual + single, 0, number(1)).status, 0);
  EXPECT_EQ(probe.read(getEqual + single, 0, number(2)).status, 0);
}

// Another reader holds the file for longer than an end waits: the commit fails.
class LingeringReader {
 public:
  explicit LingeringReader(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(db_, "BEGIN; SELECT count(*) FROM records;", nullptr, nullptr, nullptr);
  }
  ~LingeringReader() {
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
  }

 private:
  sqlite3* db_ = nullptr;
};

TEST_F(Transactions, AnEndThatCannotCommitRollsBackAndLeavesTheClientOutside) {
  OpenFile a{&workstationA};
  ASSERT_EQ(a.open(files_[0]), 0);
  for (bool abortAfter : {true, false}) {
    SCOPED_TRACE(abortAfter);
    ASSERT_EQ(transaction(19, workstationA), 0);
    std::string r = smallRecord("carl");
    ASSERT_EQ(a.insert(r), 0);
    {
      LingeringReader reader(files_[0]);
      EXPECT_EQ(transaction(20, workstationA), 84);
    }
    EXPECT_EQ(count(a), 2u) << "rolled back";
    if (abortAfter) {
      EXPECT_EQ(transaction(21, workstationA), 0) << "the caller's abort after a failed end";
      EXPECT_EQ(transaction(21, workstationA), 39);
    } else {
      EXPECT_EQ(transaction(19, workstationA), 0);
      ASSERT_EQ(a.insert(r), 0);
      EXPECT_EQ(transaction(20, workstationA), 0);
      EXPECT_EQ(count(a), 3u);
    }
  }
}

TEST_F(Transactions, ATransactionSQLiteEndsItselfAnswers41UntilItsAbort) {
  // A workstation that may write no file beyond 32 KB: its transaction's journal outgrows that
  // while it deletes, and SQLite ends the transaction itself.
  const std::string file = makeSmallFile("big.qf", {});
  {
    OpenFile filling{&workstationB};
    ASSERT_EQ(filling.open(file), 0);
    ASSERT_EQ(transaction(19, workstationB), 0);
    for (int i = 0; i < 1500; ++i) {
      std::string r = smallRecord("n" + std::to_string(i));
      ASSERT_EQ(filling.insert(r), 0);
    }
    ASSERT_EQ(transaction(20, workstationB), 0);
  }
  ServeChild child(32L * 1024);
  ASSERT_EQ(child.status("open 0 " + file), 0);
  ASSERT_EQ(child.status("begin"), 0);
  int failed = 0, deleted = 0;
  while (failed == 0 && deleted < 1500) {
    ASSERT_EQ(child.status("read 0 12 0"), 0);
    failed = child.status("delete 0");
    if (failed == 0) ++deleted;
  }
  ASSERT_NE(failed, 0) << "the journal never outgrew the limit";
  EXPECT_NE(failed, 41) << "the failing write answers why it failed";
  EXPECT_EQ(child.status("read 0 12 0"), 41);
  EXPECT_EQ(child.status("insert 0 " + toHex(smallRecord("late"))), 41);
  EXPECT_EQ(child.status("read 0 12 0"), 41);
  EXPECT_EQ(child.status("abort"), 0);
  EXPECT_EQ(child.status("read 0 12 0"), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  EXPECT_EQ(count(f), 1500u) << "nothing of the dead transaction stays";
}

TEST_F(Transactions, ATransactionWritesAtMostElevenFiles) {
  std::vector<std::unique_ptr<OpenFile>> handles;
  for (int i = 0; i < 12; ++i) {
    handles.push_back(std::make_unique<OpenFile>(&workstationA));
    ASSERT_EQ(handles.back()->open(makeSmallFile("many" + std::to_string(i) + ".qf", {})), 0);
  }
  ASSERT_EQ(transaction(19, workstationA), 0);
  for (int i = 0; i < 12; ++i) {
    std::string r = smallRecord("x");
    EXPECT_EQ(handles[i]->insert(r), i < 11 ? 0 : 41) << i;
  }
  EXPECT_EQ(handles[0]->read(getFirst, 0).status, 0) << "the transaction goes on";
  EXPECT_EQ(transaction(21, workstationA), 0);
  for (auto& h : handles) EXPECT_EQ(count(*h), 0u);
}

// A client's transaction connection keeps the files it attached for its later transactions; none
// of that may stand in another client's way once the client has closed the file, nor write a file
// that was replaced meanwhile.
class KeptAttachments : public Transactions, public ::testing::WithParamInterface<size_t> {};

TEST_P(KeptAttachments, AFileClosedAfterTheEndIsFreeToOpenExclusivelyReplaceAndWrite) {
  const std::string& freed = files_[GetParam()];  // 0: the connection's own file; 1: attached
  auto first = std::make_unique<OpenFile>(&workstationA), second = std::make_unique<OpenFile>(&workstationA);
  ASSERT_EQ(first->open(files_[0]), 0);
  ASSERT_EQ(second->open(files_[1]), 0);
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(transaction(19, workstationA), 0);
    std::string a = smallRecord("a" + std::to_string(round)), b = smallRecord("b" + std::to_string(round));
    ASSERT_EQ(first->insert(a), 0);
    ASSERT_EQ(second->insert(b), 0);
    ASSERT_EQ(transaction(20, workstationA), 0);
  }
  (GetParam() == 0 ? first : second).reset();

  {
    OpenFile exclusive{&workstationB};
    ASSERT_EQ(exclusive.open(freed, -4), 0) << "the attachment holds nothing once the file is closed";
  }
  ASSERT_EQ(createFile(freed, createSpec(smallRecordLength, {{{1, 4, 15}}, {{5, 8, 0, 0x01 | 0x02}}}), 0), 0);
  OpenFile b{&workstationB};
  ASSERT_EQ(b.open(freed), 0);
  ASSERT_EQ(transaction(19, workstationB), 0);
  std::string fromB = smallRecord("fromb");
  ASSERT_EQ(b.insert(fromB), 0);
  ASSERT_EQ(transaction(20, workstationB), 0);

  // The client opens the new file and writes both again: into the file now at the path.
  OpenFile reopened{&workstationA};
  ASSERT_EQ(reopened.open(freed), 0);
  OpenFile& other = GetParam() == 0 ? *second : *first;
  ASSERT_EQ(transaction(19, workstationA), 0);
  std::string c = smallRecord("c"), d = smallRecord("d");
  ASSERT_EQ((GetParam() == 0 ? reopened : other).insert(c), 0);
  ASSERT_EQ((GetParam() == 0 ? other : reopened).insert(d), 0);
  ASSERT_EQ(transaction(20, workstationA), 0);
  EXPECT_EQ(physicalRecords(freed).size(), 2u) << "the replacement's record and the new one";
  EXPECT_EQ(physicalRecords(files_[1 - GetParam()]).size(), 5u);
  std::unique_ptr<RecordFile> check;
  ASSERT_EQ(RecordFile::open(freed, check), 0);
  EXPECT_TRUE(check->check().empty());
}

TEST_P(KeptAttachments, ALaterTransactionSeesWhatOthersCommittedMeanwhile) {
  OpenFile a0{&workstationA}, a1{&workstationA}, b{&workstationB};
  ASSERT_EQ(a0.open(files_[0]), 0);
  ASSERT_EQ(a1.open(files_[1]), 0);
  ASSERT_EQ(b.open(files_[GetParam()]), 0);
  ASSERT_EQ(transaction(19, workstationA), 0);
  std::string x = smallRecord("x"), y = smallRecord("y");
  ASSERT_EQ(a0.insert(x), 0);
  ASSERT_EQ(a1.insert(y), 0);
  ASSERT_EQ(transaction(20, workstationA), 0);

  const OpenFile::Read changed = b.read(getFirst, 0);
  ASSERT_EQ(changed.status, 0);
  std::string newer = changed.record;
  newer[20] = '!';
  ASSERT_EQ(b.update(newer), 0);
  std::string z = smallRecord("z");
  ASSERT_EQ(b.insert(z), 0);

  ASSERT_EQ(transaction(19, workstationA), 0);
  std::string u = smallRecord("u"), v = smallRecord("v");
  ASSERT_EQ(a0.insert(u), 0);
  ASSERT_EQ(a1.insert(v), 0);
  OpenFile& seen = GetParam() == 0 ? a0 : a1;
  EXPECT_EQ(count(seen), 5u) << "ann, bob, the first round's, z, and this one's";
  EXPECT_EQ(seen.read(getFirst, 0).record, newer);
  EXPECT_EQ(seen.read(getEqual, 0, number(getU32(z, 0))).status, 0);
  ASSERT_EQ(transaction(20, workstationA), 0);
  EXPECT_EQ(physicalRecords(files_[GetParam()]).size(), 5u);
}

INSTANTIATE_TEST_SUITE_P(OwnOrAttached, KeptAttachments, ::testing::Values(0u, 1u));

TEST_F(Transactions, TheTwelfthFileAnswers41WhateverEarlierTransactionsAttached) {
  std::vector<std::unique_ptr<OpenFile>> handles;
  for (int i = 0; i < 24; ++i) {
    handles.push_back(std::make_unique<OpenFile>(&workstationA));
    ASSERT_EQ(handles.back()->open(makeSmallFile("many" + std::to_string(i) + ".qf", {})), 0);
  }
  // Files 0..10 attached by the first; the second starts on the same file and writes 11 others
  // after it; the third starts on another file.
  const std::vector<std::vector<int>> rounds = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
                                                {0, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 1},
                                                {23, 22, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
  for (const std::vector<int>& round : rounds) {
    ASSERT_EQ(transaction(19, workstationA), 0);
    for (size_t i = 0; i < round.size(); ++i) {
      std::string r = smallRecord("x");
      EXPECT_EQ(handles[round[i]]->insert(r), i < 11 ? 0 : 41) << round[i];
    }
    ASSERT_EQ(transaction(20, workstationA), 0);
    for (size_t i = 0; i < round.size(); ++i) EXPECT_GE(count(*handles[round[i]]), i < 11 ? 1u : 0u);
  }
  uint32_t total = 0;
  for (auto& h : handles) total += count(*h);
  EXPECT_EQ(total, 33u) << "eleven records a round";
}

}  // namespace
}  // namespace qn::recmgr::testing
