// Dictionary field definitions become the engine's field descriptors.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "recordmgr/ConverterOptions.h"
#include "recordmgr/DictionaryFieldType.h"

namespace {

DictionaryFieldRecord fieldRecord(const std::string& name, uint8_t type, uint16_t size, uint8_t decimals = 0,
                                  uint16_t offset = 12) {
  DictionaryFieldRecord field;
  std::memset(&field, 0, sizeof field);
  std::memset(field.Name, ' ', sizeof field.Name);
  std::memcpy(field.Name, name.data(), std::min(name.size(), sizeof field.Name));
  field.DataType = type;
  field.Size = size;
  field.Decimals = decimals;
  field.Offset = offset;
  return field;
}

TEST(DictionaryFieldTypeTest, StoredTypesAndSizesGiveTheirLogicalForms) {
  struct Case {
    uint8_t type;
    uint16_t size;
    uint16_t logical, subType;
    int16_t units1;
  } cases[] = {
      {0, 30, 1, 0, 30},  {0, 300, 3, 22, 299}, {1, 1, 5, 0, 2},       {1, 2, 5, 0, 2},     {1, 4, 6, 0, 4},
      {1, 8, 18, 0, 8},   {1, 3, 0, 0, 3},      {2, 8, 7, 0, 8},       {5, 6, 7, 0, 6},     {3, 4, 2, 0, 4},
      {4, 4, 10, 0, 4},   {6, 6, 7, 21, 6},     {19, 8, 7, 21, 8},     {7, 1, 4, 0, 4},     {10, 21, 1, 0, 20},
      {11, 1, 9, 0, 0},   {11, 256, 1, 0, 255}, {11, 257, 3, 22, 256}, {12, 1, 9, 0, 0},    {12, 100, 3, 22, 99},
      {13, 3, 9, 0, -1},  {13, 10, 3, 22, 6},   {14, 1, 12, 0, 2},     {14, 4, 13, 0, 4},   {14, 6, 9, 0, 6},
      {14, 8, 19, 0, 8},  {15, 4, 6, 29, 4},    {15, 1, 5, 29, 2},     {15, 3, 0, 29, 3},   {16, 1, 4, 0, 1},
      {20, 8, 11, 0, 8},  {253, 8, 11, 0, 8},   {242, 4, 2, 0, 4},     {238, 10, 7, 0, 10}, {254, 8, 7, 21, 8},
      {236, 4, 10, 0, 4}, {250, 4, 0, 0, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.size));
    FieldDescriptor descriptor;
    MapDictionaryType(fieldRecord("Amount", c.type, c.size, 2), 7, descriptor);
    EXPECT_EQ(descriptor.FieldType, c.logical);
    EXPECT_EQ(descriptor.FieldSubType, c.subType);
    EXPECT_EQ(descriptor.FieldUnits1, c.units1);
    EXPECT_EQ(descriptor.FieldUnits2, 2);
    EXPECT_EQ(descriptor.FieldLength, c.size);
    EXPECT_EQ(descriptor.Offset, 12);
    EXPECT_EQ(descriptor.FieldNumber, 7);
    EXPECT_STREQ(descriptor.FieldName, "Amount");
    EXPECT_EQ(descriptor.NullOffset, 0);
    EXPECT_EQ(descriptor.LocalType, 0);
  }
}

TEST(DictionaryFieldTypeTest, BlobNamesTellGraphicAndBinaryFromMemo) {
  FieldDescriptor descriptor;
  MapDictionaryType(fieldRecord("Picture111", 12, 500), 1, descriptor);
  EXPECT_EQ(descriptor.FieldSubType, 26);
  EXPECT_EQ(descriptor.FieldUnits1, 0);
  MapDictionaryType(fieldRecord("Data222", 13, 500), 1, descriptor);
  EXPECT_EQ(descriptor.FieldSubType, 23);
  EXPECT_EQ(descriptor.FieldUnits1, 0);
  MapDictionaryType(fieldRecord("Notes", 12, 500), 1, descriptor);
  EXPECT_EQ(descriptor.FieldSubType, 22);
  EXPECT_EQ(descriptor.FieldUnits1, 499);
}

TEST(DictionaryFieldTypeTest, OneByteIntegersFollowTheByteOption) {
  ConverterOptions.SmallIntAsByte = true;
  FieldDescriptor descriptor;
  MapDictionaryType(fieldRecord("Small", 1, 1), 1, descriptor);
  ConverterOptions = TConverterOptions();
  EXPECT_EQ(descriptor.FieldType, 12);
  EXPECT_EQ(descriptor.FieldUnits1, 2);
}

TEST(DictionaryFieldTypeTest, NamesLoseTheirTrailingBlanksOnly) {
  FieldDescriptor descriptor;
  MapDictionaryType(fieldRecord(" Client  Code", 0, 7), 1, descriptor);
  EXPECT_STREQ(descriptor.FieldName, " Client  Code");
  MapDictionaryType(fieldRecord(std::string(20, 'N'), 0, 7), 1, descriptor);
  EXPECT_STREQ(descriptor.FieldName, std::string(20, 'N').c_str());
}

}  // namespace
