#include <gtest/gtest.h>

#include <set>
#include <string>

#include "recordmgr/DatasetFieldTypes.h"

namespace {

FieldDescriptor descriptor(uint16_t type, uint16_t subtype, int16_t units1, int16_t units2, uint16_t length) {
  FieldDescriptor d{};
  d.FieldType = type;
  d.FieldSubType = subtype;
  d.FieldUnits1 = units1;
  d.FieldUnits2 = units2;
  d.FieldLength = length;
  return d;
}

struct TypeCase {
  const char* what;
  FieldDescriptor d;
  TFieldType type;
  int size;
  int precision;
};

TEST(DatasetFieldTypesTest, EveryLogicalTypeGivesItsFrameworkType) {
  const TypeCase cases[] = {
      {"unknown", descriptor(0, 0, 0, 0, 4), ftUnknown, 0, 0},
      {"string", descriptor(1, 0, 30, 0, 31), ftString, 30, 0},
      {"fixed string", descriptor(1, 31, 7, 0, 7), ftFixedChar, 7, 0},
      {"string without units", descriptor(1, 0, 0, 0, 1), ftUnknown, 0, 0},
      {"date", descriptor(2, 0, 0, 0, 4), ftDate, 0, 0},
      {"memo", descriptor(3, 22, 10, 0, 10), ftMemo, 10, 0},
      {"other memo", descriptor(3, 33, 10, 0, 10), ftMemo, 10, 0},
      {"formatted memo", descriptor(3, 24, 10, 0, 10), ftFmtMemo, 10, 0},
      {"graphic", descriptor(3, 26, 10, 0, 10), ftGraphic, 10, 0},
      {"typed binary", descriptor(3, 28, 10, 0, 10), ftTypedBinary, 10, 0},
      {"blob of another subtype", descriptor(3, 30, 10, 0, 10), ftBlob, 10, 0},
      {"boolean", descriptor(4, 0, 0, 0, 2), ftBoolean, 0, 0},
      {"16-bit in two bytes", descriptor(5, 0, 0, 0, 2), ftSmallint, 0, 0},
      {"16-bit in one byte", descriptor(5, 0, 0, 0, 1), ftSmallint, 0, 0},
      {"16-bit in three bytes", descriptor(5, 0, 0, 0, 3), ftUnknown, 0, 0},
      {"32-bit", descriptor(6, 0, 0, 0, 4), ftInteger, 0, 0},
      {"automatic increment", descriptor(6, 29, 0, 0, 4), ftAutoInc, 0, 0},
      {"float", descriptor(7, 0, 0, 0, 8), ftFloat, 0, 0},
      {"money", descriptor(7, 21, 0, 0, 8), ftCurrency, 0, 0},
      {"BCD", descriptor(8, 0, 12, -2, 7), ftBCD, 2, 12},
      {"bytes", descriptor(9, 0, 6, 0, 6), ftBytes, 6, 0},
      {"time", descriptor(10, 0, 0, 0, 4), ftTime, 0, 0},
      {"timestamp", descriptor(11, 0, 0, 0, 8), ftDateTime, 0, 0},
      {"unsigned 16-bit", descriptor(12, 0, 0, 0, 2), ftWord, 0, 0},
      {"unsigned 16-bit in one byte", descriptor(12, 0, 0, 0, 1), ftSmallint, 0, 0},
      {"unsigned 16-bit in four bytes", descriptor(12, 0, 0, 0, 4), ftUnknown, 0, 0},
      {"unsigned 32-bit", descriptor(13, 0, 0, 0, 4), ftInteger, 0, 0},
      {"IEEE float", descriptor(14, 0, 0, 0, 8), ftUnknown, 0, 0},
      {"variable bytes", descriptor(15, 0, 20, 0, 22), ftVarBytes, 20, 0},
      {"lock information", descriptor(16, 0, 0, 0, 4), ftUnknown, 0, 0},
      {"cursor", descriptor(17, 0, 0, 0, 4), ftUnknown, 0, 0},
      {"64-bit", descriptor(18, 0, 0, 0, 8), ftLargeint, 0, 0},
      {"unsigned 64-bit", descriptor(19, 0, 0, 0, 8), ftLargeint, 0, 0},
      {"reference", descriptor(22, 0, 8, 0, 8), ftReference, 8, 0},
      {"table", descriptor(23, 0, 0, 0, 4), ftDataSet, 0, 0},
      {"beyond the table", descriptor(24, 0, 0, 0, 4), ftUnknown, 0, 0},
  };
  for (const TypeCase& c : cases) {
    const DatasetFieldType t = DatasetFieldTypeOf(c.d);
    EXPECT_EQ(t.Type, c.type) << c.what;
    EXPECT_EQ(t.Size, c.size) << c.what;
    EXPECT_EQ(t.Precision, c.precision) << c.what;
  }
}

TEST(DatasetFieldTypesTest, StructuresAndArraysBringTheirChildren) {
  const DatasetFieldType structure = DatasetFieldTypeOf(descriptor(20, 0, 3, 0, 12));
  EXPECT_EQ(structure.Type, ftADT);
  EXPECT_EQ(structure.Children, 3);
  EXPECT_FALSE(structure.Unnamed);
  EXPECT_TRUE(DatasetFieldTypeOf(descriptor(20, 35, 3, 0, 12)).Unnamed);
  const DatasetFieldType array = DatasetFieldTypeOf(descriptor(21, 0, 4, 5, 20));
  EXPECT_EQ(array.Type, ftArray);
  EXPECT_EQ(array.Children, 5);
  EXPECT_EQ(ArrayElementName("AMOUNTS"), "AMOUNTS[0]");
}

TEST(DatasetFieldTypesTest, ARepeatedNameGetsTheFirstFreeNumber) {
  std::set<std::string> names;
  auto taken = [&](const AnsiString& name) { return names.count(name) > 0; };
  for (const char* expected : {"NAME", "NAME_1", "NAME_2"}) {
    const AnsiString name = UniqueFieldDefName("NAME", taken);
    EXPECT_EQ(name, expected);
    names.insert(name);
  }
  names.erase("NAME_1");
  EXPECT_EQ(UniqueFieldDefName("NAME", taken), "NAME_1");
  EXPECT_EQ(UniqueFieldDefName("OTHER", taken), "OTHER");
}

}  // namespace
