// The checks find each kind of fault a hand-edited catalogue entry can have, and accept the
// ways a file's fields may cut a structure's text fields differently.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "resources/reader/CatalogueChecks.h"

namespace {

using namespace qn::catalogue;

FieldDefinition field(std::string name, int offset, int size, FieldType type = FieldType::String, int decimals = 0) {
  return {std::move(name), offset, size, type, decimals};
}

KeyDefinition key(int position, int length, FieldType type = FieldType::String, bool caseInsensitive = false) {
  KeyDefinition key;
  key.segments.push_back({position, length, type, false, caseInsensitive, {}, {}});
  return key;
}

// A sound 20-byte file: number, a 6-byte code, a 6-byte name, a 4-byte packed amount.
CatalogueEntry soundEntry() {
  CatalogueEntry entry;
  entry.source = "sample.json";
  entry.files = {"Sample.qf"};
  entry.recordLength = 20;
  entry.layout = "SAMPLE";
  entry.fields = {field("Auto", 0, 4, FieldType::AutoInc), field("Code", 4, 6), field("Name", 10, 6),
                  field("Amount", 16, 4, FieldType::Decimal, 2)};
  entry.keys = {key(1, 4, FieldType::AutoInc), key(5, 6)};
  return entry;
}

std::vector<StructureCode> structure(std::vector<StructureField> fields) {
  StructureCode code;
  code.code = "SA";
  code.bareLength = 20;
  code.hasSchema = true;
  code.recordLength = 20;
  code.fields = std::move(fields);
  return {code};
}

TEST(CatalogueChecksTest, ASoundEntryPasses) {
  CatalogueEntry entry = soundEntry();
  entry.structures = {"SA"};
  EXPECT_TRUE(checkFields(entry).empty());
  EXPECT_TRUE(checkKeys(entry).empty());
  auto codes = structure({{"Auto", 1, 4, StructureFieldKind::Text, 0, 5},
                          {"Code", 5, 6, StructureFieldKind::Text, 0, 1},
                          {"Name", 11, 6, StructureFieldKind::Text, 0, 1},
                          {"Amount", 17, 4, StructureFieldKind::Packed, 2, 4}});
  EXPECT_TRUE(checkStructureCoverage(entry, codes).empty());
}

TEST(CatalogueChecksTest, FieldAndKeyFaultsAreFound) {
  struct Fault {
    const char* what;
    std::function<void(CatalogueEntry&)> spoil;
  } faults[] = {
      {"field past the end", [](CatalogueEntry& e) { e.fields[3].size = 5; }},
      {"empty field", [](CatalogueEntry& e) { e.fields[2].size = 0; }},
      {"overlapping fields", [](CatalogueEntry& e) { e.fields[2].offset = 9; }},
      {"name used twice", [](CatalogueEntry& e) { e.fields[2].name = "Code"; }},
      {"name longer than kept", [](CatalogueEntry& e) { e.fields[2].name = std::string(32, 'N'); }},
      {"type without layout form", [](CatalogueEntry& e) { e.fields[2].type = FieldType::Float; }},
      {"more decimals than digits", [](CatalogueEntry& e) { e.fields[3].decimals = 8; }},
      {"record length zero", [](CatalogueEntry& e) { e.recordLength = 0; }},
      {"field at the far end of the numbers",
       [](CatalogueEntry& e) {
         e.layout.clear();
         e.fields[3].offset = std::numeric_limits<int>::max() - 1;
       }},
      {"overlap in an additional layout",
       [](CatalogueEntry& e) { e.additionalLayouts.push_back({"OTHER", {field("A", 0, 10), field("B", 8, 4)}}); }},
  };
  for (const Fault& fault : faults) {
    CatalogueEntry entry = soundEntry();
    fault.spoil(entry);
    EXPECT_FALSE(checkFields(entry).empty()) << fault.what;
  }
}

TEST(CatalogueChecksTest, KeyFaultsAreFound) {
  struct Fault {
    const char* what;
    KeyDefinition key;
  } faults[] = {
      {"past the end", key(17, 6)},
      {"over no single field", key(5, 12)},
      {"part of a field", key(6, 3)},
      {"wrong type", key(17, 4, FieldType::String)},
      {"ignoring case on a number", key(17, 4, FieldType::Decimal, true)},
      {"position zero", key(0, 4, FieldType::AutoInc)},
  };
  for (const Fault& fault : faults) {
    CatalogueEntry entry = soundEntry();
    entry.keys.push_back(fault.key);
    EXPECT_FALSE(checkKeys(entry).empty()) << fault.what;
  }
}

TEST(CatalogueChecksTest, StructureCoverageAcceptsRecutTextAndRefusesMismatches) {
  CatalogueEntry entry = soundEntry();
  entry.structures = {"SA"};
  struct Case {
    const char* what;
    StructureField field;
    bool found;
  } cases[] = {
      {"exact text", {"Code", 5, 6, StructureFieldKind::Text, 0, 1}, true},
      {"text over two neighbouring fields", {"CodeName", 5, 12, StructureFieldKind::Text, 0, 1}, true},
      {"text inside one field", {"Half", 7, 3, StructureFieldKind::Text, 0, 1}, true},
      {"date over a text field", {"Date", 11, 6, StructureFieldKind::Date, 0, 0}, true},
      {"text beyond the neighbours", {"Long", 5, 13, StructureFieldKind::Text, 0, 1}, false},
      {"text over a packed field", {"Raw", 17, 4, StructureFieldKind::Text, 0, 1}, false},
      {"packed over text", {"Num", 5, 6, StructureFieldKind::Packed, 0, 4}, false},
      {"packed with other decimals", {"Amount", 17, 4, StructureFieldKind::Packed, 0, 4}, false},
      {"shifted by one", {"Code", 4, 6, StructureFieldKind::Text, 0, 1}, false},
      {"date inside a field", {"Date", 5, 3, StructureFieldKind::Date, 0, 0}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(checkStructureCoverage(entry, structure({c.field})).empty(), c.found) << c.what;
}

TEST(CatalogueChecksTest, AnEmptyFieldCoversNothing) {
  CatalogueEntry entry = soundEntry();
  entry.structures = {"SA"};
  entry.fields[1].size = 0;
  EXPECT_FALSE(checkStructureCoverage(entry, structure({{"CodeName", 5, 12, StructureFieldKind::Text, 0, 1}})).empty());
}

TEST(CatalogueChecksTest, StructureLengthsAndUnknownCodesAreFound) {
  CatalogueEntry entry = soundEntry();
  entry.structures = {"XX"};
  EXPECT_FALSE(checkStructureCoverage(entry, structure({})).empty());

  entry.structures = {"SA"};
  auto codes = structure({});
  codes[0].recordLength = 21;
  EXPECT_FALSE(checkStructureCoverage(entry, codes).empty());

  codes = structure({});
  codes[0].hasSchema = false;
  codes[0].bareLength = 24;
  EXPECT_FALSE(checkStructureCoverage(entry, codes).empty());
}

}  // namespace
