// What the abstract cursor does on its own (comparisons, fields, properties, index names) and
// how it falls back when its driver fails, seen through the counting driver.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "recordmgr/EngineError.h"
#include "recordmgr/tests/CountingCursor.h"
#include "recordmgr/tests/KeyedCursor.h"
#include "recordmgr/tests/CursorSuite.h"

namespace cursortest {
namespace {

std::vector<uint8_t> bytesOf(const void* value, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(value);
  return {bytes, bytes + size};
}
template <typename T>
std::vector<uint8_t> bytesOf(T value) {
  return bytesOf(&value, sizeof value);
}
std::vector<uint8_t> textOf(const char* text, size_t size) {
  std::vector<uint8_t> bytes(size, 0);
  std::memcpy(bytes.data(), text, std::min(size, std::strlen(text)));
  return bytes;
}

class BaseTableTest : public ::testing::Test {
 protected:
  CountingCursor& open(int recordCount, bool fieldStatus = false, uint32_t shareMode = 0, uint32_t openMode = 0) {
    cursor_.reset(CreateCursor<CountingCursor>(recordCount, shareMode, fieldStatus, openMode));
    cursor_->Activate();
    cursor_->Calls.clear();
    record_.assign(cursor_->GetRecordBufferSize(), 0);
    return *cursor_;
  }
  void* record() { return record_.data(); }

 private:
  std::unique_ptr<CountingCursor> cursor_;
  std::vector<uint8_t> record_;
};

// --- Comparisons ---

struct FieldComparison {
  const char* what;
  uint16_t type;
  uint16_t length;
  std::vector<uint8_t> a;
  std::vector<uint8_t> b;
  bool caseInsensitive;
  int expected;  // b against a
};

TEST_F(BaseTableTest, CompareFieldOrdersEachLogicalTypeByValue) {
  CountingCursor& cursor = open(0);
  const std::vector<FieldComparison> cases = {
      {"text", LogicalFieldType::Text, 3, textOf("abc", 4), textOf("abd", 4), false, 1},
      {"text within the length", LogicalFieldType::Text, 2, textOf("abX", 4), textOf("abY", 4), false, 0},
      {"text with case", LogicalFieldType::Text, 3, textOf("abc", 4), textOf("ABC", 4), false, -1},
      {"text without case", LogicalFieldType::Text, 3, textOf("abc", 4), textOf("ABC", 4), true, 0},
      {"text ends at its zero", LogicalFieldType::Text, 8, textOf("ab", 8), textOf("abc", 8), false, 1},
      {"Boolean false < true", LogicalFieldType::Boolean, 1, bytesOf<uint8_t>(0), bytesOf<uint8_t>(1), false, 1},
      {"Boolean true > false", LogicalFieldType::Boolean, 2, bytesOf<uint16_t>(1), bytesOf<uint16_t>(0), false, -1},
      {"Boolean both true", LogicalFieldType::Boolean, 4, bytesOf<uint32_t>(7), bytesOf<uint32_t>(1), false, 0},
      {"Boolean length 3", LogicalFieldType::Boolean, 3, bytesOf<uint32_t>(0), bytesOf<uint32_t>(1), false, 0},
      {"Boolean length 8", LogicalFieldType::Boolean, 8, bytesOf<uint64_t>(0), bytesOf<uint64_t>(1), false, 0},
      {"signed byte", LogicalFieldType::Int16, 1, bytesOf<int8_t>(-1), bytesOf<int8_t>(1), false, 1},
      {"signed word", LogicalFieldType::Int16, 2, bytesOf<int16_t>(200), bytesOf<int16_t>(-300), false, -1},
      {"signed length 4", LogicalFieldType::Int16, 4, bytesOf<int32_t>(1), bytesOf<int32_t>(2), false, 0},
      {"unsigned byte", LogicalFieldType::UInt16, 1, bytesOf<uint8_t>(0xFF), bytesOf<uint8_t>(1), false, -1},
      {"unsigned word", LogicalFieldType::UInt16, 2, bytesOf<uint16_t>(1), bytesOf<uint16_t>(0xFFFF), false, 1},
      {"unsigned length 4", LogicalFieldType::UInt16, 4, bytesOf<uint32_t>(1), bytesOf<uint32_t>(2), false, 0},
      {"32-bit", LogicalFieldType::Int32, 4, bytesOf<int32_t>(-5), bytesOf<int32_t>(3), false, 1},
      {"unsigned 32-bit", LogicalFieldType::UInt32, 4, bytesOf<uint32_t>(0xFFFFFFFF), bytesOf<uint32_t>(1), false, -1},
      {"float", LogicalFieldType::Float, 8, bytesOf(2.5), bytesOf(-1.0), false, -1},
      {"float equal", LogicalFieldType::Float, 8, bytesOf(2.5), bytesOf(2.5), false, 0},
      // As doubles -2.0 < -1.0; as 64-bit integers their bytes order the other way.
      {"timestamp by its integer", LogicalFieldType::Timestamp, 8, bytesOf(-1.0), bytesOf(-2.0), false, 1},
      {"bytes unsigned", LogicalFieldType::Bcd, 3, {0x01, 0x02, 0x03}, {0x01, 0x02, 0x80}, false, 1},
      {"bytes within the length", LogicalFieldType::Date, 2, {0x01, 0x02, 0x03}, {0x01, 0x02, 0x00}, false, 0},
  };
  for (const FieldComparison& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(cursor.CompareField(c.type, nullptr, c.a.data(), c.b.data(), c.caseInsensitive, c.length), c.expected);
  }
}

// Keys of the current index: Name (12 bytes of text) then Id (32-bit).
class CompareKeysTest : public BaseTableTest {
 protected:
  CountingCursor& openKeyed(std::vector<uint16_t> fields) {
    CountingCursor& cursor = open(0);
    KeyDescription& key = cursor.Key();
    key.FieldCount = static_cast<uint16_t>(fields.size());
    std::copy(fields.begin(), fields.end(), key.FieldNumbers);
    return cursor;
  }
  static std::vector<uint8_t> nameThenId(const char* name, int32_t id, size_t nameSize = 12) {
    std::vector<uint8_t> key = textOf(name, nameSize);
    const std::vector<uint8_t> idBytes = bytesOf(id);
    key.insert(key.end(), idBytes.begin(), idBytes.end());
    key.resize(32, 0);
    return key;
  }
  static int compare(CountingCursor& cursor, const std::vector<uint8_t>& key1, const std::vector<uint8_t>& key2,
                     uint16_t length = 0, uint16_t fieldCount = 0) {
    int result = 99;
    cursor.CompareKeys(key1.data(), key2.data(), result, length, fieldCount);
    return result;
  }
};

TEST_F(CompareKeysTest, TheWholeKeyComparesFieldByFieldWithCase) {
  CountingCursor& cursor = openKeyed({2, 1});
  EXPECT_EQ(compare(cursor, nameThenId("Smith", 1), nameThenId("Smith", 1)), 0);
  EXPECT_EQ(compare(cursor, nameThenId("Smith", 1), nameThenId("Smith", 2)), -1);
  EXPECT_EQ(compare(cursor, nameThenId("Smith", 9), nameThenId("Jones", 2)), 1);
  // Case counts even where the index ignores it.
  EXPECT_NE(compare(cursor, nameThenId("Smith", 1), nameThenId("SMITH", 1)), 0);
}

TEST_F(CompareKeysTest, ADescendingSegmentReversesOnlyTheDifferenceItDecides) {
  CountingCursor& cursor = openKeyed({2, 1});
  cursor.Key().Segments[1].Descending = true;
  EXPECT_EQ(compare(cursor, nameThenId("Smith", 1), nameThenId("Smith", 2)), 1);
  EXPECT_EQ(compare(cursor, nameThenId("Smith", 1), nameThenId("Jones", 2)), 1);
  EXPECT_EQ(compare(cursor, nameThenId("Jones", 2), nameThenId("Smith", 1)), -1);
}

TEST_F(CompareKeysTest, FieldCountAndPartialLengthLimitTheComparison) {
  CountingCursor& cursor = openKeyed({1, 2});
  auto idThenName = [](int32_t id, const char* name) {
    std::vector<uint8_t> key = bytesOf(id);
    const std::vector<uint8_t> text = textOf(name, 12);
    key.insert(key.end(), text.begin(), text.end());
    return key;
  };
  EXPECT_EQ(compare(cursor, idThenName(1, "Smith"), idThenName(1, "Jones"), 0, 1), 0);
  EXPECT_EQ(compare(cursor, idThenName(1, "Smith"), idThenName(1, "Smyth"), 2, 2), 0);
  EXPECT_EQ(compare(cursor, idThenName(1, "Smith"), idThenName(1, "Smyth"), 3, 2), -1);
  EXPECT_EQ(compare(cursor, idThenName(1, "Smith"), idThenName(2, "Smith"), 0, 1), -1);
}

TEST_F(CompareKeysTest, ASegmentOverrideComparesWithItsSubstituteLength) {
  CountingCursor& cursor = openKeyed({2, 1});
  KeySegment& name = cursor.Key().Segments[0];
  name.Override = true;
  name.SubstituteLength = 4;
  name.SubstituteLocalType = LogicalFieldType::Bcd;
  // The Id follows the first 4 bytes of the name in these keys.
  EXPECT_EQ(compare(cursor, nameThenId("Smit", 1, 4), nameThenId("Smit", 2, 4)), -1);
  EXPECT_EQ(cursor.FieldCache()->GetFieldItem(2)->LocalType(), LogicalFieldType::Text);
}

TEST_F(CompareKeysTest, WithoutASecondKeyTheRecordBufferIsCompared) {
  CountingCursor& cursor = openKeyed({1});
  std::vector<uint8_t> buffer = bytesOf<int32_t>(20);
  cursor.SetRecordBuffer(buffer.data());
  int result = 99;
  const int32_t key = 10;
  cursor.CompareKeys(&key, nullptr, result, 0, 0);
  EXPECT_EQ(result, -1);
}

TEST_F(BaseTableTest, BookmarksCompareByTheirKeys) {
  CountingCursor& cursor = open(0);
  cursor.Key().FieldCount = 1;
  cursor.Key().FieldNumbers[0] = 1;
  const int32_t low = -7;
  const int32_t high = 12;
  int result = 99;
  cursor.CompareBookmarks(&high, &low, result);
  EXPECT_EQ(result, 1);
  cursor.CompareBookmarks(&low, &low, result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CompareBookmarks(nullptr, &low, result); }), DBIERR_INVALIDPARAM);
}

TEST_F(BaseTableTest, SetToCursorPutsTheOtherCursorOnThisOnesRecord) {
  CountingCursor& cursor = open(3);
  cursor.GetRelativeRecord(2, 0, nullptr, record());
  std::unique_ptr<CountingCursor> other(CreateCursor<CountingCursor>(3, 0u));
  other->Activate();
  cursor.SetToCursor(other.get());
  std::vector<uint8_t> otherRecord(RecordSize);
  other->GetRecord(0, otherRecord.data(), nullptr);
  EXPECT_EQ(IdOf(otherRecord.data()), 20);
  EXPECT_EQ(EngineCodeOf([&] { cursor.SetToCursor(nullptr); }), DBIERR_INVALIDPARAM);
}

// --- Reading when the driver fails ---

TEST_F(BaseTableTest, BetweenRecordsGetRecordReadsForwardThenBackThenFromTheStart) {
  {
    CountingCursor& cursor = open(3);
    cursor.SetProperty(20, 0);
    cursor.GetRecord(0, record(), nullptr);
    EXPECT_EQ(IdOf(record()), 10);
    EXPECT_EQ(cursor.Calls, (Calls{"next"}));
  }
  {
    CountingCursor& cursor = open(3);
    cursor.GetRelativeRecord(3, 0, nullptr, record());
    cursor.SetProperty(0x10014, 0);  // only the low word counts
    EXPECT_EQ(cursor.State(), csBetween);
    cursor.Calls.clear();
    cursor.GetRecord(0, record(), nullptr);
    EXPECT_EQ(IdOf(record()), 20);
    EXPECT_EQ(cursor.Calls, (Calls{"next", "prior"}));
  }
  {
    CountingCursor& cursor = open(3);
    cursor.Failures["next"] = [](int) { return true; };
    cursor.Failures["prior"] = [](int) { return true; };
    cursor.SetProperty(20, 0);
    cursor.GetRecord(0, record(), nullptr);
    EXPECT_EQ(IdOf(record()), 10);
    EXPECT_EQ(cursor.Calls, (Calls{"next", "prior", "first"}));
  }
  {
    CountingCursor& cursor = open(0);
    cursor.SetProperty(20, 0);
    EXPECT_EQ(EngineCodeOf([&] { cursor.GetRecord(0, record(), nullptr); }), DBIERR_EOF);
    EXPECT_EQ(cursor.Calls, (Calls{"next", "prior", "first"}));
  }
}

TEST_F(BaseTableTest, AFailedForcedRereadClearsTheFlagAndReadsOn) {
  CountingCursor& cursor = open(3);
  cursor.GetRelativeRecord(2, 0, nullptr, record());
  cursor.Calls.clear();
  cursor.FailureCode = DBIERR_NOCURRREC;  // the record is gone
  cursor.Failures["read"] = [](int ordinal) { return ordinal == 1; };
  cursor.ForceRecordReread(record());
  EXPECT_FALSE(cursor.ForceRereadSet());
  EXPECT_EQ(IdOf(record()), 10);  // from "not positioned" the read starts at the first record
  EXPECT_EQ(cursor.Calls, (Calls{"read", "first"}));
  EXPECT_EQ(cursor.State(), csOnRecord);
}

TEST_F(BaseTableTest, AForcedRereadMeetingALockPassesTheLockOnAndStaysOnItsRecord) {
  for (const uint16_t lock : {uint16_t{0}, uint16_t{1}}) {
    SCOPED_TRACE(lock);
    CountingCursor& cursor = open(3);
    cursor.GetRelativeRecord(2, 0, nullptr, record());
    cursor.Calls.clear();
    cursor.Failures[lock == 0 ? "read" : "read+lock"] = [](int ordinal) { return ordinal == 1; };
    cursor.ForceReread();
    EXPECT_EQ(EngineCodeOf([&] { cursor.GetRecord(lock, record(), nullptr); }), InjectedErrorCode);
    EXPECT_EQ(cursor.State(), csOnRecord);
    EXPECT_TRUE(cursor.ForceRereadSet()) << "the next try re-reads as forced";
    cursor.GetRecord(0, record(), nullptr);
    EXPECT_EQ(IdOf(record()), 20) << "the cursor stayed on the record it was asked for";
  }
}

TEST_F(BaseTableTest, AFailedLockedRereadReleasesTheLockBeforeTheErrorPassesOn) {
  struct Case {
    uint16_t lock;
    Calls calls;
  };
  for (const Case& c : {Case{1, {"read+lock", "unlock"}}, Case{2, {"read+lock"}}, Case{0, {"read"}}}) {
    SCOPED_TRACE(c.lock);
    CountingCursor& cursor = open(3);
    cursor.GetNextRecord(0, record(), nullptr);
    cursor.Calls.clear();
    cursor.Failures["read"] = [](int) { return true; };
    cursor.Failures["read+lock"] = [](int) { return true; };
    EXPECT_EQ(EngineCodeOf([&] { cursor.GetRecord(c.lock, record(), nullptr); }), InjectedErrorCode);
    EXPECT_EQ(cursor.Calls, c.calls);
  }
}

TEST_F(BaseTableTest, EmptyingASharedTableDeletesWhileItIsOpenExclusively) {
  CountingCursor& cursor = open(2);
  cursor.EmptyTable();
  EXPECT_EQ(cursor.Calls, (Calls{"close", "open:1", "first", "delete", "first", "delete", "first", "first",
                                 "close", "open:0"}));
}

TEST_F(BaseTableTest, EmptyingAnExclusiveTableKeepsItOpen) {
  CountingCursor& cursor = open(1, false, TBaseTable::ExclusiveMode);
  cursor.EmptyTable();
  EXPECT_EQ(cursor.Calls, (Calls{"first", "delete", "first", "first"}));
  EXPECT_EQ(cursor.ShareMode(), TBaseTable::ExclusiveMode);
}

TEST_F(BaseTableTest, KeySearchesMapTheirTypeAndRunOffTheEndUnlessEqual) {
  struct Case {
    uint16_t searchType;
    int32_t key;
    uint16_t condition;
    uint16_t code;
    uint8_t state;
  };
  const std::vector<Case> cases = {
      {1, 20, scAfter, 0, csOnRecord},      {2, 20, scAtOrAfter, 0, csOnRecord},
      {0, 20, scEqual, 0, csOnRecord},      {0, 25, scEqual, DBIERR_EOF, csOpen},
      {1, 30, scAfter, 0, csAtEnd},         {2, 99, scAtOrAfter, 0, csAtEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.searchType * 1000 + c.key);
    CountingCursor& cursor = open(3);
    cursor.SetRecordBuffer(record());
    EXPECT_EQ(EngineCodeOf([&] { cursor.SetToKey(c.searchType, true, 1, 0, &c.key); }), c.code);
    EXPECT_EQ(cursor.GetRecordBuffer(), record());
    EXPECT_EQ(cursor.LastSearchCondition, c.condition);
    EXPECT_EQ(cursor.State(), c.state);
  }
}

TEST_F(BaseTableTest, ARangeStartsReadingWithAKeySearch) {
  std::unique_ptr<KeyedCursor> keyed(CreateCursor<KeyedCursor>(4, 1));
  KeyedCursor& cursor = *keyed;
  cursor.Activate();
  const int32_t low = 20;
  cursor.SetRange(true, 1, 0, &low, false, 0, 0, nullptr, false);
  cursor.Calls.clear();
  std::vector<uint8_t> buffer(RecordSize);
  cursor.GetNextRecord(0, buffer.data(), nullptr);
  EXPECT_EQ(IdOf(buffer.data()), 30);
  EXPECT_EQ(cursor.LastSearchCondition, scAfter);
  EXPECT_EQ(cursor.Calls, (Calls{"search", "extract"}));  // the record found is tested against the range
  EXPECT_EQ(cursor.SearchCondition(true, false), scAtOrBefore);
  EXPECT_EQ(cursor.SearchCondition(false, false), scBefore);
}

// --- Fields ---

TEST_F(BaseTableTest, GetFieldWithoutDestinationConvertsOnceToLearnWhetherTheValueIsBlank) {
  CountingCursor& cursor = open(1);
  cursor.GetNextRecord(0, record(), nullptr);
  cursor.Calls.clear();
  bool blank = true;
  cursor.GetField(2, record(), blank, nullptr);
  EXPECT_FALSE(blank);
  EXPECT_EQ(cursor.Calls, (Calls{"convert"}));

  std::memset(static_cast<uint8_t*>(record()) + 4, 0, 12);
  cursor.GetField(2, record(), blank, nullptr);
  EXPECT_TRUE(blank);

  char name[16] = {};
  cursor.GetField(2, record(), blank, name);
  EXPECT_TRUE(blank);
  cursor.SetToBegin();
  cursor.GetNextRecord(0, record(), nullptr);
  cursor.GetField(2, record(), blank, name);
  EXPECT_FALSE(blank);
  EXPECT_STREQ(name, "Name1");
}

TEST_F(BaseTableTest, WithFieldStatusBlankComesFromTheNullIndicator) {
  CountingCursor& cursor = open(1, true);
  ASSERT_EQ(cursor.GetRecordBufferSize(), RecordSize + 2 * 8 + 1);
  std::vector<uint8_t> buffer(cursor.GetRecordBufferSize(), 0xEE);
  cursor.InitRecord(buffer.data());
  EXPECT_EQ(cursor.GetInitRecord(), buffer.data());
  std::vector<uint8_t> initialised(buffer.size(), 0);
  for (size_t blankIndicator : {size_t{RecordSize}, size_t{RecordSize} + 8}) initialised[blankIndicator] = initialised[blankIndicator + 1] = 0xFF;
  EXPECT_EQ(buffer, initialised);
  bool blank = false;
  cursor.GetField(1, buffer.data(), blank, nullptr);
  EXPECT_TRUE(blank);
  EXPECT_EQ(cursor.Calls, Calls{});

  const int32_t id = 77;
  cursor.PutField(1, buffer.data(), &id);
  cursor.GetField(1, buffer.data(), blank, nullptr);
  EXPECT_FALSE(blank);
  EXPECT_EQ(IdOf(buffer.data()), 77);
  int16_t changed = 0;
  std::memcpy(&changed, buffer.data() + RecordSize + 4, 2);
  EXPECT_EQ(changed, -1);

  cursor.VerifyField(2, buffer.data(), blank);
  EXPECT_TRUE(blank);
  EXPECT_EQ(EngineCodeOf([&] { cursor.InitRecord(nullptr); }), DBIERR_INVALIDPARAM);
}

TEST_F(BaseTableTest, PutFieldOfNilMarksTheFieldBlankAndChanged) {
  CountingCursor& cursor = open(1, true);
  std::vector<uint8_t> buffer(cursor.GetRecordBufferSize());
  cursor.InitRecord(buffer.data());
  cursor.PutField(2, buffer.data(), "Smith\0\0\0\0\0\0");
  cursor.PutField(2, buffer.data(), nullptr);
  int16_t indicator = 0;
  int16_t changed = 0;
  std::memcpy(&indicator, buffer.data() + RecordSize + 8, 2);
  std::memcpy(&changed, buffer.data() + RecordSize + 12, 2);
  EXPECT_EQ(indicator, -1);
  EXPECT_EQ(changed, -1);
  bool blank = false;
  cursor.GetField(2, buffer.data(), blank, nullptr);
  EXPECT_TRUE(blank);
  EXPECT_EQ(EngineCodeOf([&] { cursor.PutField(2, nullptr, "x"); }), DBIERR_INVALIDPARAM);
  EXPECT_EQ(EngineCodeOf([&] { cursor.GetField(0, buffer.data(), blank, nullptr); }), DBIERR_INVALIDRECSTRUCT);
}

TEST_F(BaseTableTest, FindFieldByPositionPrefersTheAskedLengthElseTheLastAtThatPlace) {
  CountingCursor& cursor = open(0);
  FieldDescriptor initial{};
  std::strcpy(initial.FieldName, "Initial");
  initial.Offset = 4;
  initial.FieldLength = 1;
  new TFieldCacheItem(cursor.FieldCache(), 9, LogicalFieldType::Text, 3, initial);

  FieldDescriptor found{};
  cursor.FindFieldByPosition(5, 12, found);
  EXPECT_STREQ(found.FieldName, "Name");
  EXPECT_EQ(found.LocalSize, 12);
  cursor.FindFieldByPosition(5, 7, found);
  EXPECT_STREQ(found.FieldName, "Initial");
  EXPECT_EQ(found.LocalSize, 9);
  cursor.FindFieldByPosition(1, 0, found);
  EXPECT_STREQ(found.FieldName, "Id");
  try {
    cursor.FindFieldByPosition(3, 1, found);
    FAIL();
  } catch (const EKorvoEngineError& error) {
    EXPECT_EQ(error.ErrorCode(), DBIERR_INVALIDRECSTRUCT);
    EXPECT_EQ(error.ExtraText(), "Table: COUNTING");
  }
}

TEST_F(BaseTableTest, FieldDescriptionsAndLayoutSizeComeFromTheFieldCache) {
  CountingCursor& cursor = open(0);
  FieldDescriptor fields[2];
  cursor.GetFieldDescs(fields);
  EXPECT_STREQ(fields[1].FieldName, "Name");
  EXPECT_EQ(fields[1].LocalSize, 12);
  uint16_t count = 0;
  uint16_t size = 0;
  cursor.GetRecordLayoutSize(count, size);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(size, 16);

  std::unique_ptr<TBaseTable> bare(CreateCursor<TBaseTable>(nullptr, 0u, 0u, "", "BARE", nullptr));
  EXPECT_EQ(EngineCodeOf([&] { bare->GetRecordLayoutSize(count, size); }), DBIERR_INVALIDRECSTRUCT);
}

// --- Index names ---

TEST_F(BaseTableTest, AFieldListFindsTheIndexOfExactlyThoseFields) {
  CountingCursor& cursor = open(0);
  cursor.Indexes = {{"0 - Id+Name", {1, 2}}, {"1 - Id", {1}}, {"2 - Name+Id", {2, 1}}};
  struct Case {
    const char* name;
    uint16_t index;
    const char* resolved;
    uint16_t code;
  };
  const std::vector<Case> cases = {
      {"@Id", 1, "1 - Id", 0},
      {"@id@NAME", 0, "0 - Id+Name", 0},
      {"@Name@Id", 2, "2 - Name+Id", 0},
      {"@Name", 77, "", DBIERR_INVALIDHNDL},  // no index of that field alone
      {"@", 77, "", DBIERR_INVALIDINDEXNAME},
      {"@@", 77, "", DBIERR_INVALIDINDEXNAME},
      {"BYNAME", 77, "BYNAME", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    uint16_t index = 77;
    char resolved[32] = {};
    EXPECT_EQ(EngineCodeOf([&] { cursor.ResolveIndexName(c.name, index, resolved); }), c.code);
    EXPECT_EQ(index, c.index);
    EXPECT_STREQ(resolved, c.resolved);
  }
}

TEST_F(BaseTableTest, IndexDescriptionsComeOnePerIndexTheCursorCounts) {
  CountingCursor& cursor = open(0);
  cursor.Indexes = {{"0 - Id", {1}}, {"1 - Name", {2}}};
  std::vector<IndexDescriptor> descriptors(3);
  std::memset(descriptors.data(), 0xEE, descriptors.size() * sizeof(IndexDescriptor));
  cursor.GetIndexDescs(descriptors.data());
  EXPECT_STREQ(descriptors[1].Name, "1 - Name");
  EXPECT_EQ(descriptors[1].KeyFields[0], 2);
  EXPECT_EQ(static_cast<uint8_t>(descriptors[2].Name[0]), 0xEE);  // only as many as there are
}

// --- Properties ---

TEST_F(BaseTableTest, CursorPropertiesHoldTheirEntriesAtTheirBytePositions) {
  for (uint32_t share : {0u, 1u}) {
    SCOPED_TRACE(share);
    CountingCursor& cursor = open(0, false, share, 0x01020304);
    cursor.Key().KeySize = 0x0506;
    std::vector<uint8_t> expected(sizeof(CursorProperties), 0);
    auto put = [&](size_t position, std::vector<uint8_t> bytes) {
      std::copy(bytes.begin(), bytes.end(), expected.begin() + position);
    };
    put(295, {2, 0});
    put(297, {16, 0});
    put(299, {16, 0});
    put(301, {0x06, 0x05});
    put(309, {0x00, 0x01});
    put(311, share == 1 ? std::vector<uint8_t>{0xFF, 0xFF} : std::vector<uint8_t>{0, 0});
    put(313, {0x04, 0x03, 0x02, 0x01});
    put(317, {static_cast<uint8_t>(share), 0, 0, 0});
    put(323, {0xFF, 0xFF});
    put(337, {0xFF, 0xFF});
    put(339, {0xFF, 0x00});
    CursorProperties properties;
    std::memset(&properties, 0xEE, sizeof properties);
    cursor.GetCursorProps(properties);
    EXPECT_EQ(bytesOf(&properties, sizeof properties), expected);
  }
}

TEST_F(BaseTableTest, PropertiesAnswerByTheLowWordOfTheirNumber) {
  CountingCursor& cursor = open(0);
  uint8_t buffer[8];
  uint16_t length = 99;
  cursor.GetProperty(0x00010000, buffer, length, sizeof buffer);
  EXPECT_EQ(length, 2);
  EXPECT_EQ(buffer[0], 20);
  cursor.GetProperty(1, buffer, length, sizeof buffer);
  EXPECT_EQ(length, 0);
  std::memset(buffer, 0xEE, sizeof buffer);
  cursor.GetProperty(5, buffer, length, sizeof buffer);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(bytesOf(buffer, 4), (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(EngineCodeOf([&] { cursor.GetProperty(2, buffer, length, sizeof buffer); }), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckProperty(1, false); }), DBIERR_NOTSUPPORTED);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckProperty(1, true); }), 0);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckProperty(2, false); }), 0);
}

TEST_F(BaseTableTest, TableNamesAreCutAndTrimmed) {
  CountingCursor& cursor = open(0);
  EXPECT_STREQ(cursor.GetTableName(), "COUNTING");
  cursor.SetTableName(nullptr);
  EXPECT_STREQ(cursor.GetTableName(), "COUNTING");
  cursor.SetTableName(AnsiString(300, 'x').c_str());
  EXPECT_EQ(std::strlen(cursor.GetTableName()), 260u);
  cursor.SetFullTableName(("  " + AnsiString(300, 'y') + "  ").c_str());
  EXPECT_EQ(AnsiString(cursor.GetFullTableName()), AnsiString(255, 'y'));
  cursor.SetFullTableName("  C:\\DATA\\CASES.DAT ");
  EXPECT_STREQ(cursor.GetFullTableName(), "C:\\DATA\\CASES.DAT");
}

// --- What the abstract cursor leaves to drivers ---

TEST_F(BaseTableTest, OperationsNoDriverSuppliesAnswerTheirCodes) {
  std::unique_ptr<TBaseTable> cursor(CreateCursor<TBaseTable>(nullptr, 0u, 0u, "", "BARE", nullptr));
  EXPECT_EQ(cursor->State(), csClosed);
  uint8_t buffer[1024] = {};
  uint32_t value = 0;
  uint16_t word = 0;
  TBaseTable* other = nullptr;
  FieldDescriptor field{};
  IndexDescriptor index{};
  struct Case {
    const char* what;
    std::function<void()> action;
    uint16_t code;
  };
  const std::vector<Case> cases = {
      {"first", [&] { cursor->MoveFirst(); }, DBIERR_BOF},
      {"last", [&] { cursor->MoveLast(); }, DBIERR_EOF},
      {"next", [&] { cursor->MoveNext(); }, DBIERR_EOF},
      {"prior", [&] { cursor->MovePrior(); }, DBIERR_BOF},
      {"describe", [&] { cursor->DescribeField(1, 0, word, word, field); }, DBIERR_NOTSUPPORTED},
      {"bookmark", [&] { cursor->GetBookmark(buffer); }, DBIERR_NOTSUPPORTED},
      {"to bookmark", [&] { cursor->SetToBookmark(buffer); }, DBIERR_NOTSUPPORTED},
      {"at bookmark", [&] { cursor->ReadAtBookmark(buffer, 0, buffer); }, DBIERR_NOTSUPPORTED},
      {"validity", [&] { cursor->GetValidityCheckDesc(1, buffer); }, DBIERR_NOTSUPPORTED},
      {"sequence", [&] { cursor->GetSequenceNumber(value); }, DBIERR_NOTSUPPORTED},
      {"to sequence", [&] { cursor->SetToSequenceNumber(1); }, DBIERR_NOTSUPPORTED},
      {"switch index", [&] { cursor->SwitchToIndex("1", "", 0, false); }, DBIERR_NOTSUPPORTED},
      {"add index", [&] { cursor->AddIndex(index, nullptr); }, DBIERR_NOTSUPPORTED},
      {"delete index", [&] { cursor->DeleteIndex("1", "", 0); }, DBIERR_NOTSUPPORTED},
      {"end cached", [&] { cursor->EndCachedUpdates(other); }, DBIERR_NOTSUPPORTED},
      {"apply cached", [&] { cursor->ApplyCachedUpdates(3); }, DBIERR_NOTSUPPORTED},
      {"cache table", [&] { cursor->GetCacheTable(other); }, DBIERR_NOTSUPPORTED},
      {"open blob", [&] { cursor->OpenBlob(buffer, 1, 0); }, DBIERR_NOTSUPPORTED},
      {"blob size", [&] { cursor->GetBlobSize(buffer, 1, value); }, DBIERR_NOTSUPPORTED},
      {"get blob", [&] { cursor->GetBlob(buffer, 1, 0, 1, buffer, value); }, DBIERR_NOTSUPPORTED},
      {"put blob", [&] { cursor->PutBlob(buffer, 1, 0, 1, buffer); }, DBIERR_NOTSUPPORTED},
      {"truncate blob", [&] { cursor->TruncateBlob(buffer, 1, 0); }, DBIERR_NOTSUPPORTED},
      {"record for key", [&] { cursor->GetRecordForKey(true, 1, 0, buffer, buffer); }, DBIERR_INVALIDHNDL},
      {"index desc", [&] { cursor->GetIndexDesc(0, index); }, DBIERR_INVALIDHNDL},
      {"search", [&] { cursor->SearchKey(0, true, buffer, buffer, 0, 1); }, DBIERR_NA},
      {"extract key", [&] { cursor->ExtractKey(buffer, buffer); }, DBIERR_NA},
      {"clone without a database", [&] { cursor->CloneCursor(false, false, other); }, DBIERR_INVALIDPARAM},
      {"cached updates without fields", [&] { cursor->BeginCachedUpdates(other); }, DBIERR_INVALIDRECSTRUCT},
      {"set to cursor", [&] { cursor->SetToCursor(cursor.get()); }, DBIERR_NOTSUPPORTED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.action();
      ADD_FAILURE() << "no error";
    } catch (const EKorvoEngineError& error) {
      EXPECT_EQ(error.ErrorCode(), c.code);
      if (c.code == DBIERR_NOTSUPPORTED) {
        EXPECT_FALSE(error.ExtraText().empty());
      }
    }
  }
}

}  // namespace
}  // namespace cursortest
