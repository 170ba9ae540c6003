// Cached updates over a driver's cursor, and in-memory tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "recordmgr/BaseCacheTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/MemTable.h"
#include "recordmgr/tests/CursorSuite.h"
#include "recordmgr/tests/KeyedCursor.h"

namespace cursortest {
namespace {

std::string nameOf(const void* record) { return std::string(static_cast<const char*>(record) + 4); }

void setName(std::vector<uint8_t>& record, const char* name) {
  std::memset(record.data() + 4, 0, 12);
  std::memcpy(record.data() + 4, name, std::strlen(name));
}

class CachedUpdatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    driver_.reset(CreateCursor<KeyedCursor>(3, 1));
    driver_->Activate();
    TBaseTable* cache = nullptr;
    driver_->BeginCachedUpdates(cache);
    cache_.reset(static_cast<TBaseCacheTable*>(cache));
    record_.assign(cache_->GetRecordBufferSize(), 0);
  }
  // Id and name of every record the cache table shows, from the beginning.
  std::vector<std::string> shown() {
    std::vector<std::string> records;
    cache_->SetToBegin();
    while (EngineCodeOf([&] { cache_->GetNextRecord(0, record_.data(), nullptr); }) == 0)
      records.push_back(std::to_string(IdOf(record_.data())) + " " + nameOf(record_.data()));
    return records;
  }
  // Puts the cache table on the record of that Id.
  void readTo(int32_t id) {
    cache_->SetToBegin();
    do cache_->GetNextRecord(0, record_.data(), nullptr);
    while (IdOf(record_.data()) != id);
  }
  void rename(int32_t id, const char* name) {
    readTo(id);
    setName(record_, name);
    cache_->ModifyRecord(record_.data(), false);
  }
  TMemTableRecord* cachedRecord(int index) { return cache_->Cache()->Record(index); }

  std::unique_ptr<KeyedCursor> driver_;
  std::unique_ptr<TBaseCacheTable> cache_;
  std::vector<uint8_t> record_;
};

TEST_F(CachedUpdatesTest, ReadsShowTheDriversRecordsUntilChanged) {
  EXPECT_EQ(cache_->Mask(), 11);
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Name1", "20 Name2", "30 Name3"}));
  TBaseTable* underlying = nullptr;
  TBaseCacheTable* ending = cache_.release();
  ending->EndCachedUpdates(underlying);
  EXPECT_EQ(underlying, driver_.get());
}

TEST_F(CachedUpdatesTest, ARecordModifiedTwiceKeepsOneEntryWithTheLatestData) {
  rename(20, "First");
  rename(20, "Second");
  ASSERT_EQ(cache_->Cache()->RecordCount(), 1);
  EXPECT_EQ(Unpacked(cachedRecord(0)->Properties().UpdateStatus), rusModified);
  EXPECT_EQ(nameOf(cachedRecord(0)->Data()), "Second");
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Name1", "20 Second", "30 Name3"}));
  EXPECT_EQ(nameOf(driver_->Records[1].data()), "Name2");  // nothing written yet
}

TEST_F(CachedUpdatesTest, ADeletedRecordIsHiddenUntilTheMaskShowsDeletedOnes) {
  readTo(20);
  setName(record_, "Gone");
  cache_->DeleteRecord(record_.data());
  ASSERT_EQ(cache_->Cache()->RecordCount(), 1);
  EXPECT_EQ(Unpacked(cachedRecord(0)->Properties().UpdateStatus), rusDeleted);
  EXPECT_EQ(Unpacked(cachedRecord(0)->Properties().Deleted), -1);
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Name1", "30 Name3"}));

  cache_->SetProperty(3, cache_->Mask() | TBaseCacheTable::ShowDeleted);
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Name1", "20 Gone", "30 Name3"}));
  RecordProperties properties{};
  readTo(20);
  cache_->GetRecord(0, record_.data(), &properties);
  EXPECT_EQ(Unpacked(properties.UpdateStatus), rusDeleted);

  cache_->SetProperty(4, 1);  // ignore cached data: the driver's record shows
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Name1", "20 Name2", "30 Name3"}));
  cache_->SetProperty(3, TBaseCacheTable::ShowUnmodified);
  readTo(10);
  EXPECT_EQ(EngineCodeOf([&] { cache_->GetRecord(0, record_.data(), nullptr); }), 0);
  driver_->SetToBookmark(KeyOf(20).data());
  EXPECT_EQ(EngineCodeOf([&] { cache_->GetRecord(0, record_.data(), nullptr); }), DBIERR_NOCURRREC);
}

TEST_F(CachedUpdatesTest, ApplyingRunsFromTheLastRecordAndLeavesFailuresUnapplied) {
  rename(10, "Ten");
  rename(30, "Thirty");
  readTo(20);
  cache_->DeleteRecord(nullptr);
  std::vector<uint8_t> added = KeyOf(5, "Five");
  cache_->InsertRecord(0, added.data());
  driver_->FailWritesOf = {30};
  driver_->Calls.clear();

  cache_->ApplyCachedUpdates(3);
  const std::vector<std::string> writes = [&] {
    std::vector<std::string> calls;
    std::copy_if(driver_->Calls.begin(), driver_->Calls.end(), std::back_inserter(calls),
                 [](const std::string& call) { return call != "delete"; });
    return calls;
  }();
  // The insertion went in before the cache's current record (20).
  EXPECT_EQ(writes, (std::vector<std::string>{"modify:30", "delete:20", "insert", "modify:10"}));
  ASSERT_EQ(cache_->Cache()->RecordCount(), 4);
  for (int i = 0; i < 4; ++i) {
    TMemTableRecord* record = cachedRecord(i);
    SCOPED_TRACE(IdOf(record->Data()));
    EXPECT_EQ(record->Applied, IdOf(record->Data()) != 30);
  }
  EXPECT_EQ(nameOf(driver_->Records[0].data()), "Ten");
  EXPECT_EQ(driver_->Records.size(), 3u);  // 20 deleted, 5 appended

  cache_->ApplyCachedUpdates(0);
  EXPECT_EQ(cache_->Cache()->RecordCount(), 0);
}

TEST_F(CachedUpdatesTest, CancellingForgetsTheCurrentRecordsChangeOrAll) {
  rename(10, "Ten");
  rename(20, "Twenty");
  readTo(20);
  cache_->ApplyCachedUpdates(2);
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Ten", "20 Name2", "30 Name3"}));
  cache_->ApplyCachedUpdates(1);
  EXPECT_EQ(shown(), (std::vector<std::string>{"10 Name1", "20 Name2", "30 Name3"}));

  uint8_t count[4] = {};
  uint16_t length = 0;
  rename(30, "Thirty");
  cache_->GetProperty(5, count, length, sizeof count);
  EXPECT_EQ(length, 4);
  EXPECT_EQ(count[0], 1);
  EXPECT_EQ(EngineCodeOf([&] { cache_->SwitchToIndex("1", "", 1, false); }), DBIERR_NOSUCHINDEX);
  TBaseTable* again = nullptr;
  EXPECT_EQ(EngineCodeOf([&] { cache_->BeginCachedUpdates(again); }), DBIERR_NOTSUPPORTED);
}

// --- In-memory tables ---

std::unique_ptr<TMemTable> memTable() {
  FieldDescriptor fields[2] = {};
  fields[0].FieldType = LogicalFieldType::Int32;
  std::strcpy(fields[0].FieldName, "Id");
  fields[1].FieldType = LogicalFieldType::Text;
  fields[1].FieldUnits1 = 11;
  std::strcpy(fields[1].FieldName, "Name");
  return std::unique_ptr<TMemTable>(CreateCursor<TMemTable>(nullptr, nullptr, fields, 0, 2, "MEMORY", nullptr));
}

TEST(MemTableTest, FieldsFollowOneAnotherWithTheLengthsOfTheirTypes) {
  std::unique_ptr<TMemTable> table = memTable();
  EXPECT_EQ(table->GetRecordSize(), 16);
  EXPECT_EQ(Unpacked(table->FieldCache()->GetFieldItem(2)->Descriptor().Offset), 4);
  EXPECT_EQ(table->FieldCache()->GetFieldItem(2)->FieldLength(), 12);
  EXPECT_EQ(table->GetBookmarkSize(), 4);
  std::vector<uint8_t> record(16);
  EXPECT_EQ(EngineCodeOf([&] { table->GetNextRecord(0, record.data(), nullptr); }), DBIERR_EOF);
  EXPECT_EQ(EngineCodeOf([&] { table->GetPriorRecord(0, record.data(), nullptr); }), DBIERR_BOF);
}

TEST(MemTableTest, InsertedRecordsAreNumberedInTurnAndPassedOverByBookmarks) {
  std::unique_ptr<TMemTable> table = memTable();
  for (int32_t id : {10, 20, 30}) {
    std::vector<uint8_t> record = KeyOf(id, "x");
    table->InsertRecord(0, record.data());
  }
  std::vector<int32_t> numbers;
  for (int i = 0; i < table->RecordCount(); ++i) {
    EXPECT_EQ(Unpacked(table->Record(i)->Properties().UpdateStatus), rusInserted);
    numbers.push_back(IdOf(table->Record(i)->Bookmark()));
  }
  std::sort(numbers.begin(), numbers.end());
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3}));
  for (int32_t number : numbers)
    EXPECT_EQ(EngineCodeOf([&] { table->SetToBookmark(&number); }), DBIERR_EOF) << number;

  std::vector<uint8_t> appended = KeyOf(40, "y");
  table->AppendRecord(appended.data());
  const int32_t fourth = 4;
  table->SetToBookmark(&fourth);
  EXPECT_EQ(IdOf(table->CurrentRecord()->Data()), 40);
  uint32_t count = 0;
  table->GetExactRecordCount(count);
  EXPECT_EQ(count, 4u);
}

}  // namespace
}  // namespace cursortest
