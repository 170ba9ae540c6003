#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/WinBtr.h"
#include "recordmgr/tests/EngineFiles.h"
#include "recordmgr/tests/RecordingLog.h"
#include "testing/TestDirs.h"

namespace {

using namespace recordingtest;

constexpr uint16_t kItemLength = 32;

// Every test goes through the recording library; without the record manager behind it every
// call answers 20, which is enough for the tests that must see no call at all.
class WinBtrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadStatus_ = LoadBtrieveEngine("", "RECWBTRV.DLL");
    clearRecordedCalls();
  }

  std::vector<uint16_t> recordOps() {
    std::vector<uint16_t> ops;
    for (const RecordedCall& call : recordedCalls())
      if (call.entry == RecordedEntry::Call || call.entry == RecordedEntry::CallId) ops.push_back(call.op);
    return ops;
  }

  uint16_t loadStatus_ = 0;
};

class WinBtrEngineTest : public WinBtrTest {
 protected:
  void SetUp() override {
    if (!engineBuilt()) GTEST_SKIP() << "the record manager (libwbtrv32.so) is not built";
    WinBtrTest::SetUp();
    ASSERT_TRUE(loadStatus_ == 0 || loadStatus_ == 1016) << loadStatus_;
    dir_ = qn::testing::makeScratchDir("winbtr");
  }

  std::string path(const char* name) const { return dir_ + "/" + name; }

  // 32-byte records keyed (unique) by their first 8 bytes: the name padded with blanks; the
  // rest holds the name's first letter.
  std::string itemsFile(const std::vector<std::string>& names) {
    const std::string file = path("ITEMS.DAT");
    createRecordFile(file, kItemLength, {{1, 8, 0}});
    TWinBtr btr;
    btr.Open(file.c_str(), nullptr, 0);
    for (const std::string& name : names) {
      std::memset(btr.DataBuffer, name[0], kItemLength);
      std::memset(btr.DataBuffer, ' ', 8);
      std::memcpy(btr.DataBuffer, name.data(), name.size());
      btr.Insert();
    }
    clearRecordedCalls();
    return file;
  }

  static std::string nameIn(const void* record) {
    std::string name(static_cast<const char*>(record), 8);
    return name.substr(0, name.find(' '));
  }

  static uint32_t head32(const RecordedCall& call) {
    uint32_t value;
    std::memcpy(&value, call.dataHead, 4);
    return value;
  }

  std::string dir_;
};

TEST_F(WinBtrEngineTest, ShortReadLeavesZerosAfterTheRecord) {
  const std::string file = path("NOTES.DAT");
  createRecordFile(file, 8, {{1, 4, 0}}, /*variable-length records*/ 0x01);
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  btr.SetBufferSize(64);
  std::memset(btr.DataBuffer, 'A', 40);
  btr.SetDataLength(40);
  btr.Insert();
  std::memset(btr.DataBuffer, 'B', 12);
  btr.SetDataLength(12);
  btr.Insert();

  btr.GetFirst();
  EXPECT_EQ(btr.DataLength, 40);
  btr.GetNext();
  EXPECT_EQ(btr.DataLength, 12);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(btr.DataBuffer), 12), std::string(12, 'B'));
  for (int i = 12; i < 64; ++i) ASSERT_EQ(btr.DataBuffer[i], 0) << "byte " << i << " kept the previous record";

  // A caller's buffer gets the same treatment, and serves one call only.
  uint8_t mine[64];
  std::memset(mine, 0xEE, sizeof mine);
  btr.SetCallBuffer(mine);
  btr.GetFirst();
  EXPECT_EQ(mine[39], 'A');
  for (int i = 40; i < 64; ++i) ASSERT_EQ(mine[i], 0) << i;
  EXPECT_EQ(btr.CallBuffer, btr.DataBuffer);
}

TEST_F(WinBtrEngineTest, LockBiasIsUsedOnceAndUpdateUnlocks) {
  const std::string file = itemsFile({"ALPHA", "BRAVO", "CHARLIE"});
  const uint8_t otherClient[16] = {'O', 'T', 'H', 'E', 'R'};
  TWinBtr btr;
  TWinBtr other(otherClient);
  btr.Open(file.c_str(), nullptr, 0);
  other.Open(file.c_str(), nullptr, 0);
  clearRecordedCalls();

  btr.LockNext();
  btr.GetFirst();
  btr.GetNext();
  EXPECT_EQ(recordOps(), (std::vector<uint16_t>{12 + 200, 22, 6}));
  EXPECT_EQ(btr.LockBias, 0);
  ASSERT_NE(btr.LockedPosition, 0u);

  // The lock is real: another client cannot lock ALPHA.
  other.LockNext();
  try {
    other.GetFirst();
    ADD_FAILURE() << "another client locked a locked record";
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 84);
  }

  btr.GetFirst();
  const uint32_t locked = btr.LockedPosition;
  EXPECT_EQ(btr.GetPosition(), locked);
  btr.DataBuffer[20] = 'z';
  clearRecordedCalls();
  btr.Update();
  EXPECT_EQ(recordOps(), (std::vector<uint16_t>{3, 27}));
  auto unlocks = recordedOps(27);
  ASSERT_EQ(unlocks.size(), 1u);
  EXPECT_EQ(head32(unlocks[0]), locked);
  EXPECT_EQ(unlocks[0].dataLengthIn, 4);
  EXPECT_EQ(btr.LockedPosition, 0u);

  other.LockNext();
  other.GetFirst();
  EXPECT_EQ(other.DataBuffer[20], 'z');
  other.Unlock();

  // Without a locked read, an update sends no unlock.
  clearRecordedCalls();
  btr.Update();
  EXPECT_EQ(recordOps(), (std::vector<uint16_t>{3}));
}

TEST_F(WinBtrEngineTest, FileWithoutKeysStepsInPhysicalOrder) {
  struct Case {
    bool keyed;
    std::vector<uint16_t> ops;  // first, next, last, previous
  };
  const Case cases[] = {{false, {33, 24, 34, 35}}, {true, {12, 6, 13, 7}}};
  for (const Case& c : cases) {
    const std::string file = path(c.keyed ? "KEYED.DAT" : "PLAIN.DAT");
    createRecordFile(file, 8, c.keyed ? std::vector<SegmentSpec>{{1, 8, 0}} : std::vector<SegmentSpec>{});
    TWinBtr btr;
    btr.Open(file.c_str(), nullptr, 0);
    EXPECT_EQ(btr.NoKeys, !c.keyed);
    for (const char* name : {"rec1    ", "rec2    ", "rec3    "}) {
      std::memcpy(btr.DataBuffer, name, 8);
      btr.Insert();
    }
    clearRecordedCalls();
    btr.GetFirst();
    EXPECT_EQ(nameIn(btr.DataBuffer), "rec1");
    btr.GetNext();
    EXPECT_EQ(nameIn(btr.DataBuffer), "rec2");
    btr.GetLast();
    EXPECT_EQ(nameIn(btr.DataBuffer), "rec3");
    btr.GetPrevious();
    EXPECT_EQ(nameIn(btr.DataBuffer), "rec2");
    EXPECT_EQ(recordOps(), c.ops) << (c.keyed ? "keyed" : "without keys");
  }
}

TEST_F(WinBtrTest, ClearKeyClearsOnlyWithinTheKeyBuffer) {
  struct Case {
    uint16_t length;
    size_t cleared;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {10, 10}, {256, 256}, {257, 0}, {260, 0}};
  for (const Case& c : cases) {
    TWinBtr btr;
    std::memset(btr.KeyBuffer, 0xFF, sizeof btr.KeyBuffer);
    btr.ClearKey(c.length);
    for (size_t i = 0; i < sizeof btr.KeyBuffer; ++i)
      ASSERT_EQ(btr.KeyBuffer[i], i < c.cleared ? 0 : 0xFF) << "ClearKey(" << c.length << ") byte " << i;
  }
}

TEST_F(WinBtrTest, RefusalsWithoutACall) {
  TWinBtr btr;
  try {
    btr.GetEqual(nullptr, 8, 0);
    ADD_FAILURE();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 44);
  }
  try {
    btr.Close();
    ADD_FAILURE();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 3);
  }
  // More key bytes than the key buffer holds.
  const std::vector<uint8_t> key(300, 'k');
  EXPECT_THROW(btr.GetEqual(key.data(), 300, 0), EBtrieveEngineError);
  EXPECT_TRUE(recordedCalls().empty());
}

TEST_F(WinBtrEngineTest, StatisticsAreCachedFromOpenToClose) {
  const std::string file = itemsFile({"ALPHA", "BRAVO", "CHARLIE"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  EXPECT_FALSE(btr.NoKeys);
  clearRecordedCalls();

  uint16_t length = 0, pageSize = 0, keys = 0;
  btr.GetRecordLength(length);
  btr.GetPageSize(pageSize);
  EXPECT_EQ(length, kItemLength);
  EXPECT_EQ(pageSize, 4096);
  EXPECT_TRUE(recordedOps(15).empty()) << "the statistics of the open were asked again";

  uint32_t records = 0;
  btr.GetRecordCount(records);
  EXPECT_EQ(records, 3u);
  btr.GetRecordCount(records);
  btr.GetKeyCount(keys);
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(recordedOps(15).size(), 3u);
  EXPECT_EQ(recordedOps(15)[0].dataLengthIn, 1920);

  btr.Close();
  EXPECT_EQ(btr.BufferSize, 0);
  EXPECT_EQ(btr.DataBuffer, nullptr);
  btr.GetRecordLength(length);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(btr.KeyCountSafe(), 0);
}

TEST_F(WinBtrEngineTest, OpenPassesTheOwnerWithItsZeroAndTheModeAsKeyNumber) {
  const std::string file = itemsFile({"ALPHA"});
  struct Case {
    const char* owner;
    uint16_t dataLength;
  };
  const Case cases[] = {{nullptr, 0}, {"", 0}, {"SECRET", 7}};
  for (const Case& c : cases) {
    TWinBtr btr;
    clearRecordedCalls();
    btr.Open(file.c_str(), c.owner, 0xFE);  // read-only
    auto opens = recordedOps(0);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].dataLengthIn, c.dataLength) << (c.owner ? c.owner : "nil");
    EXPECT_EQ(opens[0].keyNumber, -2);
    EXPECT_EQ(btr.KeyLength, static_cast<int8_t>(file.size()));
    EXPECT_EQ(btr.KeyNumber, 0);
    EXPECT_EQ(btr.BufferSize, kItemLength);
  }
}

TEST_F(WinBtrEngineTest, FindPercentageKeepsTheCurrentRecord) {
  const std::string file = itemsFile({"A", "B", "C", "D"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  btr.GetFirst();
  btr.GetNext();
  const uint32_t positionOfB = btr.GetPosition();
  clearRecordedCalls();

  uint32_t percent = 77;
  btr.FindPercentage(true, percent);
  EXPECT_EQ(percent, 2500u);
  ASSERT_EQ(recordedOps(45).size(), 1u);
  EXPECT_EQ(recordedOps(45)[0].keyNumber, 0);

  clearRecordedCalls();
  btr.FindPercentage(false, percent);
  EXPECT_EQ(percent, 2500u);
  ASSERT_EQ(recordedOps(45).size(), 1u);
  EXPECT_EQ(recordedOps(45)[0].keyNumber, -1);
  EXPECT_EQ(head32(recordedOps(45)[0]), positionOfB);
  EXPECT_EQ(btr.KeyNumber, 0);

  btr.GetNext();
  EXPECT_EQ(nameIn(btr.DataBuffer), "C");
}

TEST_F(WinBtrEngineTest, FindPercentageSwallowsOnlyRecordManagerErrors) {
  const std::string file = itemsFile({"A", "B"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);

  uint32_t percent = 77;
  btr.FindPercentage(true, percent);  // no current record yet
  EXPECT_EQ(percent, 0u);

  btr.GetFirst();
  percent = 77;
  injectStatus(45, 2);
  EXPECT_NO_THROW(btr.FindPercentage(false, percent));
  EXPECT_EQ(percent, 0u);
  EXPECT_EQ(btr.KeyNumber, 0);

  injectStatus(45, 9);
  EXPECT_THROW(btr.FindPercentage(false, percent), EKorvoEOFError);
  EXPECT_EQ(btr.KeyNumber, 0);

  btr.Close();
  percent = 77;
  btr.FindPercentage(true, percent);
  EXPECT_EQ(percent, 0u);
}

TEST_F(WinBtrEngineTest, GetByPercentageRestoresTheKeyNumber) {
  const std::string file = itemsFile({"A", "B", "C", "D"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  clearRecordedCalls();
  btr.GetByPercentage(true, 5000);
  EXPECT_EQ(nameIn(btr.DataBuffer), "B");
  btr.GetByPercentage(false, 10000);
  EXPECT_EQ(nameIn(btr.DataBuffer), "D");
  auto calls = recordedOps(44);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(head32(calls[0]), 5000u);
  EXPECT_EQ(calls[0].keyNumber, 0);
  EXPECT_EQ(calls[1].keyNumber, -1);
  EXPECT_EQ(btr.KeyNumber, 0);
}

TEST_F(WinBtrEngineTest, DirectReadsByPosition) {
  const std::string file = itemsFile({"A", "B", "C"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  btr.GetLast();
  const uint32_t positionOfC = btr.GetPosition();
  btr.GetFirst();
  btr.GetDirectOwn(positionOfC);
  EXPECT_EQ(nameIn(btr.DataBuffer), "C");
  btr.GetFirst();
  btr.GetDirect(positionOfC);
  EXPECT_EQ(nameIn(btr.DataBuffer), "C");
  btr.GetPrevious();
  EXPECT_EQ(nameIn(btr.DataBuffer), "B");
}

TEST_F(WinBtrEngineTest, StopNeverRaises) {
  const uint8_t client[16] = {'S', 'T', 'O', 'P'};
  TWinBtr plain;
  TWinBtr named(client);
  plain.Stop();
  EXPECT_EQ(plain.Status, 0);
  named.Stop();
  EXPECT_EQ(named.Status, 0);
  auto stops = recordedOps(25);
  ASSERT_EQ(stops.size(), 2u);
  EXPECT_EQ(stops[0].entry, RecordedEntry::Call);
  EXPECT_EQ(stops[0].dataLengthIn, 5);
  EXPECT_EQ(stops[0].keyLength, 0);
  EXPECT_EQ(stops[0].keyNumber, 0);
  EXPECT_EQ(stops[1].entry, RecordedEntry::CallId);
  EXPECT_EQ(std::memcmp(stops[1].clientId, client, 16), 0);

  // After the record manager was stopped, a client's stop still answers 0.
  ASSERT_EQ(UnloadBtrieveEngine(), 0);
  EXPECT_NO_THROW(named.Stop());
  EXPECT_EQ(named.Status, 0);
  EXPECT_EQ(LoadBtrieveEngine("", "RECWBTRV.DLL"), 0);
}

TEST_F(WinBtrEngineTest, EndOfFileRaisesTheEndOfFileError) {
  const std::string file = itemsFile({"A"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  btr.GetFirst();
  try {
    btr.GetNext();
    ADD_FAILURE() << "read past the last record";
  } catch (const EBtrieveEngineError&) {
    ADD_FAILURE() << "the end of the file raised a record-manager error";
  } catch (const EKorvoEOFError& error) {
    EXPECT_EQ(error.ErrorCode(), 8706);
  }
  EXPECT_EQ(btr.Status, 9);
}

TEST_F(WinBtrEngineTest, FailureMessagesWithAndWithoutKeyText) {
  const std::string missing = path("MISSING.DAT");
  TWinBtr btr;
  try {
    btr.Open(missing.c_str(), nullptr, 0);
    ADD_FAILURE();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 12);
    EXPECT_EQ(error.KeyText(), missing);
    EXPECT_EQ(error.GetErrorText(),
              "Btrieve Status 12 - The MicroKernel cannot find the specified file.\r\nKey=[" + missing + "]");
  }
  EXPECT_FALSE(btr.IsOpen);

  const std::string file = itemsFile({"A"});
  btr.Open(file.c_str(), nullptr, 0);
  try {
    btr.GetEqual("ZZZZZZZZ", 8, 0);
    ADD_FAILURE();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.GetErrorText(), "Btrieve Status 4 - The application cannot find the key value.");
  }
}

TEST_F(WinBtrEngineTest, PartialStatisticsCountOnlyForTheStatisticsCall) {
  const std::string file = itemsFile({"A"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);

  injectStatus(15, 22);
  uint16_t keys = 0;
  EXPECT_NO_THROW(btr.GetKeyCount(keys));
  EXPECT_TRUE(btr.IsOK());
  EXPECT_FALSE(btr.AllowPartial);

  uint8_t mine[kItemLength];
  btr.SetCallBuffer(mine);
  injectStatus(12, 22);
  try {
    btr.GetFirst();
    ADD_FAILURE();
  } catch (const EBtrieveEngineError& error) {
    EXPECT_EQ(error.BtrieveStatus(), 22);
  }
  EXPECT_EQ(btr.CallBuffer, mine) << "a failed call keeps the caller's buffer";
}

TEST_F(WinBtrEngineTest, TransactionsCommitAndRollBack) {
  const std::string file = itemsFile({"A"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  auto insert = [&](const char* name) {
    std::memset(btr.DataBuffer, ' ', kItemLength);
    std::memcpy(btr.DataBuffer, name, std::strlen(name));
    btr.Insert();
  };
  clearRecordedCalls();
  btr.BeginTransaction(false);
  insert("E");
  btr.AbortTransaction();
  btr.BeginTransaction(true);
  insert("F");
  btr.EndTransaction();

  EXPECT_EQ(recordOps().front(), 19);
  EXPECT_EQ(recordedOps(1019).size(), 1u);
  EXPECT_THROW(btr.GetEqual("E       ", 8, 0), EBtrieveEngineError);
  btr.GetEqual("F       ", 8, 0);
  EXPECT_EQ(nameIn(btr.DataBuffer), "F");
}

TEST_F(WinBtrEngineTest, CreateAndDropIndex) {
  const std::string file = itemsFile({"A", "B"});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  uint8_t spec[16] = {};
  spec[0] = 9;  // position 9, length 4, duplicates
  spec[2] = 4;
  spec[4] = 0x01;
  btr.CreateIndex(spec, 1, 1);
  auto creates = recordedOps(31);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(static_cast<uint8_t>(creates[0].keyNumber), 0x81);
  EXPECT_EQ(creates[0].dataLengthIn, 16);
  EXPECT_EQ(btr.KeyNumber, 0);
  EXPECT_EQ(btr.KeyCountSafe(), 2);

  btr.DropIndex(1);
  EXPECT_EQ(recordedOps(32).at(0).keyNumber, 1);
  EXPECT_EQ(btr.KeyCountSafe(), 1);
}

TEST_F(WinBtrEngineTest, AlternateCollationOfTheCurrentKey) {
  CollatingSequence upper{};
  upper[0] = 0xAC;
  std::memcpy(&upper[1], "UPPER   ", 8);
  for (int i = 0; i < 256; ++i) upper[9 + i] = static_cast<uint8_t>(i >= 'a' && i <= 'z' ? i - 32 : i);

  // Key 0 has two segments, so key 1's specification is the third.
  const std::string file = path("NAMES.DAT");
  createRecordFile(file, 24, {{1, 4, 0x10}, {5, 4, 0}, {9, 8, 0x20 | 0x01, 0, 0}}, 0, {upper});
  TWinBtr btr;
  btr.Open(file.c_str(), nullptr, 0);
  btr.KeyNumber = 0;
  EXPECT_FALSE(btr.KeyHasAltCollation());
  btr.KeyNumber = 1;
  EXPECT_TRUE(btr.KeyHasAltCollation());

  uint8_t sequence[265] = {};
  btr.GetAltCollation(sequence);
  EXPECT_EQ(std::memcmp(sequence, upper.data(), 265), 0);
}

TEST_F(WinBtrEngineTest, DirectoryOfTheClient) {
  const std::string file = itemsFile({"A"});
  TWinBtr btr;
  btr.SetDirectory(dir_.c_str());
  EXPECT_EQ(btr.KeyLength, static_cast<int8_t>(dir_.size() + 1));
  char directory[256];
  std::memset(directory, 'x', sizeof directory);
  btr.GetDirectory(directory, sizeof directory);
  EXPECT_STREQ(directory, dir_.c_str());

  btr.Open("ITEMS.DAT", nullptr, 0);
  EXPECT_TRUE(btr.IsOpen);
}

}  // namespace
