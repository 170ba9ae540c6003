#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/FieldConverters.h"
#include "recordmgr/FilterListItem.h"
#include "recordmgr/tests/BtrTestTables.h"
#include "recordmgr/tests/CursorSuite.h"
#include "recordmgr/tests/EngineFiles.h"
#include "recordmgr/tests/RecordingLog.h"
#include "testing/TestDirs.h"

namespace {

using namespace btrtest;
using recordingtest::createRecordFile;

constexpr uint16_t kInteger = 1;
constexpr uint16_t kDecimal = 5;
constexpr uint16_t kDuplicates = 0x01;
constexpr uint16_t kFollows = 0x10;
constexpr uint16_t kDescending = 0x40;
constexpr uint16_t kCaseInsensitive = 0x400;

using cursortest::EngineCodeOf;

class BtrTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    dir_ = qn::testing::makeScratchDir("btrtable");
  }

  std::string path(const char* name) const { return dir_ + "/" + name; }

  // 16-byte records: Id (key 0, unique integer), Group (key 1, duplicates), Name; Ids 10, 20 ...
  // and groups as given.
  std::unique_ptr<TBtrTable> numbered(const std::vector<int32_t>& groups, const char* index = "0") {
    const std::string file = path("NUMBERED.DAT");
    createRecordFile(file, 16, {{1, 4, 0, kInteger}, {5, 4, kDuplicates, kInteger}});
    auto table = openTable(file, {{"Id", 0, 4, 1}, {"Group", 4, 4, 1}, {"Name", 8, 8, 0}}, index);
    std::vector<uint8_t> record(16);
    for (size_t i = 0; i < groups.size(); ++i) {
      place<int32_t>(record, 0, static_cast<int32_t>(10 * (i + 1)));
      place<int32_t>(record, 4, groups[i]);
      insert(*table, record);
    }
    table->SetToBegin();
    return table;
  }

  // One record of `size` bytes per code, in order: Id 1, 2, ... at 0 and the code at 4.
  static void insertCodes(TBtrTable& table, size_t size, std::initializer_list<const char*> codes) {
    int32_t id = 1;
    for (const char* code : codes) {
      std::vector<uint8_t> record(size);
      place<int32_t>(record, 0, id++);
      placeText(record, 4, code);
      insert(table, record);
    }
  }

  std::vector<uint8_t> record_ = std::vector<uint8_t>(512);
  std::string dir_;
};

TEST_F(BtrTableTest, EverySearchConditionOnUniqueAndDuplicateKeys) {
  auto table = numbered({1, 2, 2, 3});
  struct Case {
    const char* index;
    uint16_t condition;
    int32_t key;
    int expectedStatus;
    int32_t expectedId;
  };
  const std::vector<Case> cases = {
      {"0", scEqual, 20, 0, 20},      {"0", scEqual, 25, 4, 0},        {"0", scAtOrAfter, 25, 0, 30},
      {"0", scAtOrAfter, 30, 0, 30},  {"0", scAfter, 30, 0, 40},       {"0", scAfter, 40, 9, 0},
      {"0", scBefore, 20, 0, 10},     {"0", scBefore, 10, 9, 0},       {"0", scAtOrBefore, 25, 0, 20},
      {"1", scEqual, 2, 0, 20},       {"1", scAtOrAfter, 2, 0, 20},    {"1", scAfter, 2, 0, 40},
      {"1", scBefore, 2, 0, 10},      {"1", scAtOrBefore, 2, 0, 30},   {"1", scAtOrBefore, 9, 0, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.index) + " condition " + std::to_string(c.condition) + " key " + std::to_string(c.key));
    table->SwitchToIndex(c.index, nullptr, 0, false);
    recordingtest::clearRecordedCalls();
    std::fill(record_.begin(), record_.end(), 0);
    EXPECT_EQ(statusOf([&] { table->SearchKey(c.condition, true, record_.data(), &c.key, 0, 0); }), c.expectedStatus);
    if (c.expectedStatus == 0) {
      EXPECT_EQ(int32At(record_.data(), 0), c.expectedId);
    }
    ASSERT_FALSE(recordingtest::recordedOps(TBtrTable::SearchOperation(c.condition)).empty());
  }
}

TEST_F(BtrTableTest, SearchModesMapToTheirOperations) {
  EXPECT_EQ(TBtrTable::SearchOperation(scAtOrAfter), 9);
  EXPECT_EQ(TBtrTable::SearchOperation(scAfter), 8);
  EXPECT_EQ(TBtrTable::SearchOperation(scBefore), 10);
  EXPECT_EQ(TBtrTable::SearchOperation(scAtOrBefore), 11);
  EXPECT_EQ(TBtrTable::SearchOperation(scEqual), 5);
}

TEST_F(BtrTableTest, AFindOnPartOfTheKeyMustMatchThatPart) {
  const std::string file = path("THREE.DAT");
  createRecordFile(file, 12, {{1, 4, kFollows}, {5, 4, kFollows}, {9, 4, 0}});
  auto table = openTable(file, {{"A", 0, 4, 0}, {"B", 4, 4, 0}, {"C", 8, 4, 0}});
  for (const char* text : {"AAAABBBBCCCC", "AAAADDDDEEEE"}) {
    std::vector<uint8_t> record(12);
    placeText(record, 0, text);
    insert(*table, record);
  }
  const char* present = "AAAABBBB";
  table->GetRecordForKey(true, 2, 0, present, record_.data());
  EXPECT_EQ(textAt(record_.data(), 8, 4), "CCCC");
  // "AAAADDDD" is greater, but the asked-for prefix is missing.
  const char* missing = "AAAACCCC";
  EXPECT_EQ(statusOf([&] { table->GetRecordForKey(true, 2, 0, missing, record_.data()); }), 4);
  // A length alone: the first bytes of the key.
  table->GetRecordForKey(true, 0, 6, "AAAADD", record_.data());
  EXPECT_EQ(textAt(record_.data(), 8, 4), "EEEE");
  EXPECT_EQ(statusOf([&] { table->GetRecordForKey(true, 0, 6, "AAAACC", record_.data()); }), 4);
  const char* whole = "AAAADDDDEEEE";
  table->GetRecordForKey(true, 0, 0, whole, record_.data());
  EXPECT_EQ(textAt(record_.data(), 4, 4), "DDDD");
  EXPECT_EQ(statusOf([&] { table->GetRecordForKey(true, 0, 0, "AAAADDDDEEEF", record_.data()); }), 4);
}

// The part of the key asked for is matched in the key's own order: without regard to case on a
// case-insensitive segment, translated on one under a collating sequence.
TEST_F(BtrTableTest, AFindOnPartOfTheKeyMatchesInTheKeysOwnOrder) {
  recordingtest::CollatingSequence upper{};
  upper[0] = 0xAC;
  std::memcpy(upper.data() + 1, "UPPER   ", 8);
  for (int c = 0; c < 256; ++c) upper[9 + c] = static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 32 : c);
  const std::string file = path("NOCASE.DAT");
  // Key 0: Code without case; key 1: Code under the collating sequence; key 2: Code with case;
  // key 3: Code without case, then Id.
  createRecordFile(file, 12,
                   {{5, 8, kDuplicates | kCaseInsensitive},
                    {5, 8, kDuplicates | 0x20},
                    {5, 8, kDuplicates},
                    {5, 8, kDuplicates | kCaseInsensitive | kFollows},
                    {1, 4, kDuplicates, kInteger}},
                   0, {upper});
  auto table = openTable(file, {{"Id", 0, 4, 1}, {"Code", 4, 8, 0}});
  insertCodes(*table, 12, {"Alder", "Kleiner", "Meyer", "\xe9" "clair"});
  struct Case {
    const char* index;
    uint16_t fieldCount;
    uint16_t length;
    std::string key;
    int expectedStatus;
    int32_t expectedId;
  };
  const std::string kleinerOne = std::string("KLEINER\0", 8) + std::string("\1\0\0\0", 4);
  const std::vector<Case> cases = {
      {"0", 1, 2, "KL", 0, 2},       {"0", 1, 2, "kL", 0, 2},        {"0", 1, 3, "KLA", 4, 0},
      {"0", 0, 3, "mey", 0, 3},      {"0", 1, 2, "\xc9" "C", 0, 4},    {"1", 1, 2, "KL", 0, 2},
      {"1", 1, 4, "kLEi", 0, 2},     {"1", 1, 2, "KM", 4, 0},        {"2", 1, 2, "KL", 4, 0},
      {"2", 1, 2, "Kl", 0, 2},       {"3", 1, 0, "kleiner", 0, 2},   {"3", 0, 9, kleinerOne, 4, 0},
      {"3", 2, 0, std::string("KLEINER\0\2\0\0\0", 12), 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.index) + " fields " + std::to_string(c.fieldCount) + " length " +
                 std::to_string(c.length) + " key " + c.key);
    table->SwitchToIndex(c.index, nullptr, 0, false);
    std::string key = c.key;
    key.resize(12, '\0');
    std::fill(record_.begin(), record_.end(), 0);
    EXPECT_EQ(statusOf([&] { table->GetRecordForKey(true, c.fieldCount, c.length, key.data(), record_.data()); }),
              c.expectedStatus);
    if (c.expectedStatus == 0) {
      EXPECT_EQ(int32At(record_.data(), 0), c.expectedId);
    }
  }
}

// A dataset's find reads into the cursor's own record buffer, not into a record it passes: the
// found record is matched there, whatever record the cursor was on before (here the last one).
TEST_F(BtrTableTest, AFindIntoTheCursorsRecordBufferMatchesTheRecordFound) {
  const std::string file = path("CODES.DAT");
  // Key 0: Code without case, then Kind (a code table's lookup key).
  createRecordFile(file, 9, {{5, 4, kDuplicates | kCaseInsensitive | kFollows}, {9, 1, kDuplicates}});
  auto table = openTable(file, {{"Id", 0, 4, 1}, {"Code", 4, 4, 0}, {"Kind", 8, 1, 0}});
  insertCodes(*table, 9, {"D2  D", "D1  D", "d1  D", "OF1 O"});
  std::vector<uint8_t> buffer(table->GetRecordSize());
  table->SetRecordBuffer(buffer.data());
  struct Case {
    uint16_t fieldCount;
    std::string key;
    int expectedStatus;
    int32_t expectedId;
  };
  const std::vector<Case> cases = {
      {1, "D1  ", 0, 2}, {1, "d1  ", 0, 2}, {1, "d2  ", 0, 1}, {1, "of1 ", 0, 4},
      {1, "E1  ", 4, 0}, {2, "D1  D", 0, 2}, {2, "D1  O", 4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.fieldCount) + " fields, key " + c.key);
    table->MoveLast();
    EXPECT_EQ(int32At(buffer.data(), 0), 4);
    EXPECT_EQ(statusOf([&] { table->GetRecordForKey(true, c.fieldCount, 0, c.key.data(), nullptr); }),
              c.expectedStatus);
    if (c.expectedStatus == 0) {
      EXPECT_EQ(int32At(buffer.data(), 0), c.expectedId);
    }
  }
}

TEST_F(BtrTableTest, IndexNamesCountOnlyTheDigitsOfTheirFirstTwoCharacters) {
  EXPECT_EQ(TBtrTable::IndexNameToKeyNumber("1"), 1);
  EXPECT_EQ(TBtrTable::IndexNameToKeyNumber("01"), 1);
  EXPECT_EQ(TBtrTable::IndexNameToKeyNumber("12"), 12);
  EXPECT_EQ(TBtrTable::IndexNameToKeyNumber(" 1 - A+B"), 1);
  EXPECT_EQ(EngineCodeOf([] { TBtrTable::IndexNameToKeyNumber("A"); }), DBIERR_INVALIDINDEXNAME);

  auto table = numbered({1});
  EXPECT_EQ(statusOf([&] { table->SwitchToIndex("12", nullptr, 0, false); }), 6);
  EXPECT_EQ(EngineCodeOf([&] { table->SwitchToIndex("A", nullptr, 0, false); }), DBIERR_INVALIDINDEXNAME);
  table->SwitchToIndex("01", nullptr, 0, false);
  EXPECT_EQ(table->Btr().KeyNumber, 1);
}

// Key: Code (string), Amount (packed, 2 decimals), Stamp (integer, descending).
class KeyFillTest : public BtrTableTest {
 protected:
  void SetUp() override {
    BtrTableTest::SetUp();
    const std::string file = path("FILL.DAT");
    createRecordFile(file, 12,
                     {{1, 4, kFollows | kDuplicates}, {5, 4, kFollows | kDuplicates, kDecimal},
                      {9, 4, kDuplicates | kDescending, kInteger}});
    table = openTable(file, {{"Code", 0, 4, 0}, {"Amount", 4, 4, 5, 2}, {"Stamp", 8, 4, 1}});
    add("ABCD", 3.0, 1);
    add("ABCD", -5.0, 2);
    add("ABCE", -7.0, 3);
  }

  void add(const char* code, double amount, int32_t stamp) {
    std::vector<uint8_t> record(12);
    placeText(record, 0, code);
    PutStoredField(kDecimal, 4, 2, &amount, record.data() + 4, 4);
    place<int32_t>(record, 8, stamp);
    insert(*table, record);
  }

  // The key bytes of the last search with that operation.
  std::vector<uint8_t> searchedKey(uint16_t op) {
    const auto calls = recordingtest::recordedOps(op);
    if (calls.empty()) return {};
    return std::vector<uint8_t>(calls.back().keyHead, calls.back().keyHead + 12);
  }

  std::unique_ptr<TBtrTable> table;
};

TEST_F(KeyFillTest, UnspecifiedSegmentsAreFilledByConditionAndDirection) {
  struct Case {
    uint16_t condition;
    std::vector<uint8_t> amount;
    std::vector<uint8_t> stamp;
  };
  const std::vector<uint8_t> lowestAmount = {0x99, 0x99, 0x99, 0x9D};
  const std::vector<uint8_t> highestAmount = {0x99, 0x99, 0x99, 0x9F};
  const std::vector<uint8_t> lowestStamp = {0x01, 0x00, 0x00, 0x80};
  const std::vector<uint8_t> highestStamp = {0xFF, 0xFF, 0xFF, 0x7F};
  const std::vector<Case> cases = {
      {scAtOrAfter, lowestAmount, highestStamp}, {scAfter, lowestAmount, highestStamp},
      {scBefore, highestAmount, lowestStamp},    {scAtOrBefore, highestAmount, lowestStamp},
      {scEqual, highestAmount, lowestStamp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.condition);
    recordingtest::clearRecordedCalls();
    statusOf([&] { table->SearchKey(c.condition, true, record_.data(), "ABCD", 0, 1); });
    const std::vector<uint8_t> key = searchedKey(TBtrTable::SearchOperation(c.condition));
    ASSERT_EQ(key.size(), 12u);
    EXPECT_EQ(std::string(key.begin(), key.begin() + 4), "ABCD");
    EXPECT_EQ(std::vector<uint8_t>(key.begin() + 4, key.begin() + 8), c.amount);
    EXPECT_EQ(std::vector<uint8_t>(key.begin() + 8, key.end()), c.stamp);
  }
}

TEST_F(KeyFillTest, ASearchFromTheCodeAloneFindsItsNegativeAmountsFirst) {
  table->SearchKey(scAtOrAfter, true, record_.data(), "ABCD", 0, 1);
  EXPECT_EQ(int32At(record_.data(), 8), 2);  // -5.00 sorts before 3.00
  table->SearchKey(scAfter, true, record_.data(), "ABCD", 0, 1);
  EXPECT_EQ(int32At(record_.data(), 8), 2);
  table->SearchKey(scAtOrBefore, true, record_.data(), "ABCD", 0, 1);
  EXPECT_EQ(int32At(record_.data(), 8), 1);  // the greatest of ABCD: 3.00
}

TEST_F(BtrTableTest, RangesStartAndEndAtTheirBounds) {
  auto table = numbered({1, 1, 1, 1, 1});
  // A range side bounded by its own copy of the one-field key.
  auto bound = [](RangeSide& side, int32_t key) -> RangeSide& {
    side.Active = true;
    side.KeyItself = true;
    side.FieldCount = 1;
    std::memcpy(side.KeyCopy, &key, sizeof key);
    side.Key = side.KeyCopy;
    return side;
  };
  RangeSide& lowRange = bound(table->LowRange(), 20);
  RangeSide& highRange = bound(table->HighRange(), 40);
  for (bool inclusive : {true, false}) {
    SCOPED_TRACE(inclusive);
    lowRange.Inclusive = highRange.Inclusive = inclusive;
    table->SetRecordBuffer(record_.data());
    table->FirstInRange();
    EXPECT_EQ(int32At(record_.data(), 0), inclusive ? 20 : 30);
    table->LastInRange();
    EXPECT_EQ(int32At(record_.data(), 0), inclusive ? 40 : 30);
  }
}

// Keeps records whose Id is not a multiple of 20.
int16_t skipsMultiplesOfTwenty(uintptr_t, void* record, int32_t) { return int32At(record, 0) % 20 != 0; }

TEST_F(BtrTableTest, ARangeAndAFilterBoundReadsAndCountsOnTheFile) {
  auto table = numbered({1, 1, 1, 1, 1, 1});
  const int32_t low = 20;
  const int32_t high = 50;
  table->SetRange(true, 1, 0, &low, true, 1, 0, &high, false);
  std::vector<int32_t> ids;
  table->SetToBegin();
  while (statusOf([&] { table->GetNextRecord(0, record_.data(), nullptr); }) == 0)
    ids.push_back(int32At(record_.data(), 0));
  EXPECT_EQ(ids, (std::vector<int32_t>{20, 30, 40}));
  uint32_t count = 0;
  table->GetExactRecordCount(count);
  EXPECT_EQ(count, 3u);  // counted by reading, inside the range

  TFilterListItem* filter = nullptr;
  table->AddFilter(0, 0, false, nullptr, skipsMultiplesOfTwenty, filter);
  table->ActivateFilter(filter);
  table->GetExactRecordCount(count);
  EXPECT_EQ(count, 1u);  // 30
  table->ResetRange();
  table->GetExactRecordCount(count);
  EXPECT_EQ(count, 3u);  // 10, 30, 50
  table->DeactivateFilter(filter);
  table->GetExactRecordCount(count);
  EXPECT_EQ(count, 6u);  // the record manager's count
}

// A range checks its bounds in the order the record manager keeps the index: upper-cased
// (Windows-1252 letters too) on a segment without case, byte for byte on one with case.
TEST_F(BtrTableTest, RangesOnAKeyWithoutCaseKeepTheRecordsOfEitherCase) {
  const std::string file = path("RANGECASE.DAT");
  // Key 0: Code without case; key 1: Code with case.
  createRecordFile(file, 12, {{5, 8, kDuplicates | kCaseInsensitive}, {5, 8, kDuplicates}});
  auto table = openTable(file, {{"Id", 0, 4, 1}, {"Code", 4, 8, 0}});
  insertCodes(*table, 12, {"AAA", "Kab", "KLM", "klx", "LMN", "\xe9" "clat"});
  struct Case {
    const char* index;
    const char* low;
    const char* high;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"0", "KL", "KLzzz", {"KLM", "klx"}},   {"0", "kl", "klzzz", {"KLM", "klx"}},
      {"0", "\xc9", "\xc9zzz", {"\xe9" "clat"}}, {"0", "kab", "kab", {"Kab"}},
      {"1", "KL", "KLzzz", {"KLM"}},          {"1", "kl", "klzzz", {"klx"}},
      {"1", "\xc9", "\xc9zzz", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.index) + " " + c.low + ".." + c.high);
    table->SwitchToIndex(c.index, nullptr, 0, false);
    std::vector<uint8_t> low(8);
    std::vector<uint8_t> high(8);
    placeText(low, 0, c.low);
    placeText(high, 0, c.high);
    table->SetRange(true, 1, 0, low.data(), true, 1, 0, high.data(), true);
    std::vector<std::string> codes;
    table->SetToBegin();
    while (statusOf([&] { table->GetNextRecord(0, record_.data(), nullptr); }) == 0)
      codes.emplace_back(reinterpret_cast<const char*>(record_.data() + 4));
    EXPECT_EQ(codes, c.expected);
    table->ResetRange();
  }
}

TEST_F(BtrTableTest, KeysUnderACollatingSequenceCompareTranslated) {
  recordingtest::CollatingSequence upper{};
  upper[0] = 0xAC;
  std::memcpy(upper.data() + 1, "UPPER   ", 8);
  for (int c = 0; c < 256; ++c) upper[9 + c] = static_cast<uint8_t>(c >= 'a' && c <= 'z' ? c - 32 : c);
  const std::string file = path("COLLATED.DAT");
  createRecordFile(file, 8, {{1, 4, 0, kInteger}, {5, 4, 0x20}}, 0, {upper});
  auto table = openTable(file, {{"Id", 0, 4, 1}, {"Code", 4, 4, 0}}, "1");
  EXPECT_TRUE(table->KeyHasAltCollation());
  int result = 0;
  table->CompareKeys("abc", "ABD", result, 0, 0);
  EXPECT_EQ(result, -1);  // ABC before ABD, although "abc" > "ABD" byte by byte
  table->CompareKeys("abd", "ABD", result, 0, 0);
  EXPECT_EQ(result, 0);
  table->SwitchToIndex("0", nullptr, 0, false);
  EXPECT_FALSE(table->KeyHasAltCollation());
}

TEST_F(BtrTableTest, GoingToASequenceNumberReadsItBack) {
  for (int records : {1, 2, 3, 4, 7, 100}) {
    SCOPED_TRACE(records);
    auto table = numbered(std::vector<int32_t>(static_cast<size_t>(records), 1));
    for (int s = 1; s <= records; ++s) {
      table->SetToSequenceNumber(static_cast<uint32_t>(s));
      table->GetRecord(0, record_.data(), nullptr);
      ASSERT_EQ(int32At(record_.data(), 0), 10 * s) << s;
      uint32_t number = 0;
      table->GetSequenceNumber(number);
      ASSERT_EQ(number, static_cast<uint32_t>(s));
    }
    table->SetToEnd();
    table->GetPriorRecord(0, record_.data(), nullptr);
    uint32_t last = 0;
    table->GetSequenceNumber(last);
    EXPECT_EQ(last, static_cast<uint32_t>(records));
  }
}

TEST_F(BtrTableTest, ALiveBookmarkLandsOnItsRecordAndSaysSo) {
  auto table = numbered({1, 1, 1});
  table->GetNextRecord(0, record_.data(), nullptr);
  table->GetNextRecord(0, record_.data(), nullptr);
  std::vector<uint8_t> bookmark(table->GetBookmarkSize());
  ASSERT_EQ(bookmark.size(), 260u);
  table->GetBookmark(bookmark.data());
  table->GetNextRecord(0, record_.data(), nullptr);
  table->SetToBookmark(bookmark.data());
  EXPECT_TRUE(table->BookmarkReached());
  table->GetRecord(0, record_.data(), nullptr);
  EXPECT_EQ(int32At(record_.data(), 0), 20);
}

TEST_F(BtrTableTest, WritesAreSeenThroughASecondCursor) {
  auto table = numbered({1, 2});
  auto other = openTable(table->PhysicalName(), {{"Id", 0, 4, 1}, {"Group", 4, 4, 1}, {"Name", 8, 8, 0}});
  std::vector<uint8_t> record(16);
  place<int32_t>(record, 0, 30);
  placeText(record, 8, "third");
  insert(*table, record);
  other->SearchKey(scEqual, true, record_.data(), "\x1e\0\0\0", 0, 0);
  EXPECT_EQ(textAt(record_.data(), 8, 8), "third");

  table->SearchKey(scEqual, true, record.data(), "\x14\0\0\0", 0, 0);
  placeText(record, 8, "changed");
  table->ModifyRecord(record.data(), true);
  other->SearchKey(scEqual, true, record_.data(), "\x14\0\0\0", 0, 0);
  EXPECT_EQ(textAt(record_.data(), 8, 8), "changed");

  table->DeleteRecord(record.data());
  EXPECT_EQ(table->State(), csBetween);
  EXPECT_EQ(statusOf([&] { other->SearchKey(scEqual, true, record_.data(), "\x14\0\0\0", 0, 0); }), 4);
  uint32_t count = 0;
  other->GetExactRecordCount(count);
  EXPECT_EQ(count, 2u);
}

TEST_F(BtrTableTest, ClosingATableWhoseFileIsClosedRaisesNothing) {
  auto table = numbered({1});
  table->Btr().Close();
  EXPECT_NO_THROW(table->Deactivate());
  EXPECT_NO_THROW(table->Deactivate());
  EXPECT_EQ(table->State(), csClosed);
}

TEST_F(BtrTableTest, OpenModesFollowTheShareAndOpenModes) {
  const std::string file = path("MODES.DAT");
  createRecordFile(file, 16, {{1, 4, 0, kInteger}});
  struct Case {
    uint32_t shareMode;
    uint32_t openMode;
    int8_t expected;
  };
  for (const Case& c : std::vector<Case>{{0, 0, 0}, {0, 1, -2}, {1, 0, -4}, {1, 1, -4}}) {
    recordingtest::clearRecordedCalls();
    auto table = openTable(file, {{"Id", 0, 4, 1}}, "0", c.shareMode, c.openMode);
    const auto opens = recordingtest::recordedOps(0);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].keyNumber, c.expected);
  }
}

TEST_F(BtrTableTest, AVariableTailIsWrittenAndReadBackAtItsRealLength) {
  const std::string file = path("MEMO.DAT");
  createRecordFile(file, 8, {{1, 4, 0, kInteger}}, 0x01);
  auto table = openTable(file, {{"Id", 0, 4, 1}, {"Note", 8, 300, 0}});
  ASSERT_TRUE(table->HasVariableTail());
  CursorProperties properties;
  table->GetCursorProps(properties);
  const auto recordSize = properties.RecordSize;  // EXPECT_EQ binds a reference; the struct is packed
  EXPECT_EQ(recordSize, 308);
  std::vector<uint8_t> record(table->GetRecordSize());
  place<int32_t>(record, 0, 1);
  const std::string text = "the variable part";
  table->PutBlob(record.data(), 2, 0, static_cast<uint32_t>(text.size()), text.data());
  recordingtest::clearRecordedCalls();
  table->InsertRecord(0, record.data());
  ASSERT_EQ(recordingtest::recordedOps(2).size(), 1u);
  EXPECT_EQ(recordingtest::recordedOps(2)[0].dataLengthIn, 8 + text.size() + 1);

  std::vector<uint8_t> read(table->GetRecordSize(), 0xEE);
  table->GetRecord(0, read.data(), nullptr);  // the inserted record is the current one
  EXPECT_EQ(table->Btr().DataLength, 8 + text.size() + 1);
  uint32_t size = 0;
  table->GetBlobSize(read.data(), 2, size);
  EXPECT_EQ(size, text.size());
  std::string back(size, '\0');
  uint32_t delivered = 0;
  table->GetBlob(read.data(), 2, 0, size, back.data(), delivered);
  EXPECT_EQ(back, text);
  EXPECT_EQ(EngineCodeOf([&] { table->GetBlob(read.data(), 2, 4, 100, back.data(), delivered); }), DBIERR_ENDOFBLOB);
  EXPECT_EQ(delivered, text.size() - 4);
  EXPECT_EQ(EngineCodeOf([&] { table->GetBlob(read.data(), 2, 300, 1, back.data(), delivered); }),
            DBIERR_INVALIDBLOBOFFSET);
  EXPECT_EQ(EngineCodeOf([&] { table->OpenBlob(read.data(), 1, 0); }), DBIERR_NOTABLOB);
}

TEST_F(BtrTableTest, IndexDescriptionsNameTheKeyFields) {
  const std::string file = path("DESC.DAT");
  createRecordFile(file, 16,
                   {{1, 4, 0, kInteger}, {5, 4, kFollows}, {9, 4, kDescending}, {7, 2, kDuplicates}, {13, 4, 0}});
  auto table = openTable(file, {{"Id", 0, 4, 1}, {"A", 4, 4, 0}, {"B", 8, 4, 0}});
  IndexDescriptor descriptor;
  table->GetIndexDesc(1, descriptor);
  EXPECT_STREQ(descriptor.Name, " 1 - A+B");
  const auto keyFieldCount = descriptor.KeyFieldCount;  // EXPECT_EQ binds a reference; the struct is packed
  EXPECT_EQ(keyFieldCount, 2);
  EXPECT_EQ(descriptor.KeyFields[0], 2);
  EXPECT_EQ(descriptor.KeyFields[1], 3);
  EXPECT_EQ(descriptor.FieldDescending[0], 0);
  EXPECT_NE(descriptor.FieldDescending[1], 0);
  EXPECT_EQ(descriptor.KeyLength, 8);
  EXPECT_NE(descriptor.Unique, 0);
  table->GetIndexDesc(2, descriptor);
  EXPECT_STREQ(descriptor.Name, " 2 - >A");  // starts inside A
  EXPECT_EQ(descriptor.Unique, 0);
  EXPECT_EQ(EngineCodeOf([&] { table->GetIndexDesc(3, descriptor); }), DBIERR_INVALIDIDXDESC);
  EXPECT_EQ(EngineCodeOf([&] { table->GetIndexDesc(4, descriptor); }), DBIERR_NOSUCHINDEX);
}

TEST_F(BtrTableTest, IndexesAreAddedAndDroppedButNotInsideATransaction) {
  auto table = numbered({3, 1, 2});
  IndexDescriptor descriptor{};
  descriptor.KeyFieldCount = 1;
  descriptor.KeyFields[0] = 3;  // Name
  descriptor.Unique = 0;
  table->AddIndex(descriptor, nullptr);
  EXPECT_EQ(table->Btr().KeyCountSafe(), 3);
  table->GetIndexDesc(2, descriptor);
  EXPECT_STREQ(descriptor.Name, " 2 - Name");

  table->BeginTransaction();
  EXPECT_EQ(statusOf([&] { table->BeginTransaction(); }), 85);
  EXPECT_EQ(statusOf([&] { table->AddIndex(descriptor, nullptr); }), 41);
  EXPECT_EQ(statusOf([&] { table->DeleteIndex("2", nullptr, 0); }), 41);
  table->EndTransaction(false);
  EXPECT_FALSE(table->InTransaction());

  table->SwitchToIndex("2", nullptr, 0, false);
  table->DeleteIndex("1", nullptr, 0);
  EXPECT_EQ(table->Btr().KeyCountSafe(), 2);
  EXPECT_EQ(table->Btr().KeyNumber, 1);  // the Name key moved down
}

}  // namespace
