#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/base/PublishedProperties.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/FieldCache.h"
#include "recordmgr/tests/CountingCursor.h"
#include "recordmgr/tests/CursorSuite.h"

namespace cursortest {
namespace {

// A cursor that counts how often its driver is asked to describe a field.
class DescribingCursor : public CountingCursor {
 public:
  DescribingCursor() : CountingCursor(0, 0) {}
  void DoOpen() override {}
  void DescribeField(uint16_t fieldNumber, uint16_t reserved, uint16_t& localSize, uint16_t& localType,
                     FieldDescriptor& descriptor) override {
    Described.push_back(fieldNumber);
    CountingCursor::DescribeField(fieldNumber, reserved, localSize, localType, descriptor);
  }
  std::vector<uint16_t> Described;
};

TEST(FieldCacheTest, FieldsAreDescribedByTheDriverOnFirstUseInNumberOrderAndKept) {
  std::unique_ptr<DescribingCursor> cursor(CreateCursor<DescribingCursor>());
  TKorvoFieldCache& cache = *cursor->FieldCache();
  EXPECT_EQ(cache.Count(), 0);
  TFieldCacheItem* name = cache.GetFieldItem(2);
  EXPECT_EQ(name->FieldName(), "Name");
  EXPECT_EQ(cache.GetFieldItem(1)->FieldName(), "Id");
  EXPECT_EQ(cache.GetFieldItem(2), name);
  EXPECT_EQ(cursor->Described, (std::vector<uint16_t>{1, 2}));
  EXPECT_EQ(name->LocalSize(), 12);
  EXPECT_EQ(name->FieldNumber(), 2);
  EXPECT_EQ(EngineCodeOf([&] { cache.GetFieldItem(0); }), DBIERR_INVALIDRECSTRUCT);
  EXPECT_EQ(EngineCodeOf([&] { cache.GetFieldItem(-1); }), DBIERR_INVALIDRECSTRUCT);
  EXPECT_EQ(EngineCodeOf([&] { cache.GetFieldItem(3); }), DBIERR_INVALIDRECSTRUCT);  // the driver has two
}

TEST(FieldCacheTest, WithoutACursorOnlyItsOwnItemsAreFound) {
  TKorvoFieldCache cache(nullptr);
  FieldDescriptor descriptor{};
  std::strcpy(descriptor.FieldName, "Matter");
  new TFieldCacheItem(&cache, 8, LogicalFieldType::Text, 1, descriptor);
  EXPECT_EQ(cache.GetFieldItem(1)->FieldName(), "Matter");
  EXPECT_EQ(EngineCodeOf([&] { cache.GetFieldItem(2); }), DBIERR_INVALIDRECSTRUCT);
  EXPECT_EQ(cache.FieldNumberByName("MATTER"), 1);
  EXPECT_EQ(cache.FieldNumberByName("Client"), 0);
}

TEST(FieldCacheTest, AnItemCopiesItsDescriptorAndTakesTheGivenNumberAndLocalValues) {
  TKorvoFieldCache cache(nullptr);
  FieldDescriptor descriptor{};
  descriptor.FieldNumber = 40;
  descriptor.FieldType = LogicalFieldType::Int32;
  descriptor.Carried[0] = 0x5A;
  auto* item = new TFieldCacheItem(&cache, 4, LogicalFieldType::Float, 3, descriptor);
  EXPECT_EQ(item->FieldNumber(), 3);
  EXPECT_EQ(item->LocalType(), LogicalFieldType::Float);
  EXPECT_EQ(item->LocalSize(), 4);
  EXPECT_EQ(item->FieldType(), LogicalFieldType::Int32);
  EXPECT_EQ(item->Descriptor().Carried[0], 0x5A);

  EXPECT_TRUE(WriteStringProperty(item, "FieldName", AnsiString(40, 'n')));
  EXPECT_EQ(ReadStringProperty(item, "FieldName"), AnsiString(31, 'n'));
  EXPECT_TRUE(WriteIntegerProperty(item, "FieldUnits2", -2));
  EXPECT_EQ(item->FieldUnits2(), -2);
  for (const char* name : {"FieldNumber", "FieldType", "FieldSubType", "FieldUnits1", "FieldLength", "LocalType",
                           "LocalSize"})
    EXPECT_TRUE(ReadIntegerProperty(item, name).has_value()) << name;
}

TEST(FieldCacheTest, TheNullIndicatorAndChangedFlagLiveInTheRecord) {
  TKorvoFieldCache cache(nullptr);
  FieldDescriptor withStatus{};
  withStatus.Offset = 2;
  withStatus.FieldLength = 2;
  withStatus.NullOffset = 4;
  FieldDescriptor without{};
  auto* item = new TFieldCacheItem(&cache, 2, 5, 1, withStatus);
  auto* plain = new TFieldCacheItem(&cache, 2, 5, 2, without);
  uint8_t record[12];
  std::memset(record, 0x11, sizeof record);
  cache.SetRecordPointers(record);
  EXPECT_EQ(item->FieldData(), record + 2);
  EXPECT_TRUE(item->IsBlank());
  EXPECT_EQ((std::vector<uint8_t>(record + 4, record + 10)), (std::vector<uint8_t>{0xFF, 0xFF, 0x11, 0x11, 0, 0}));
  item->SetBlank(false);
  item->SetChanged(true);
  EXPECT_FALSE(item->IsBlank());
  EXPECT_EQ((std::vector<uint8_t>(record + 4, record + 10)), (std::vector<uint8_t>{0, 0, 0x11, 0x11, 0xFF, 0xFF}));
  EXPECT_FALSE(plain->IsBlank());  // no indicator: never blank, and nothing is written
  plain->SetBlank(true);
  plain->SetChanged(true);
  EXPECT_EQ(record[0], 0x11);
  item->SetRecord(nullptr);
  EXPECT_EQ(item->FieldData(), nullptr);
  EXPECT_FALSE(item->IsBlank());
}

}  // namespace
}  // namespace cursortest
