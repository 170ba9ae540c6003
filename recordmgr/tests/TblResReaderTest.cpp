// Layouts compiled into the program read into a table's field cache as the catalogue describes
// them; old, unknown and damaged layouts answer as the reader promises.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>

#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/Resources.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/TblResReader.h"
#include "resources/reader/CatalogueEntry.h"
#include "resources/reader/LayoutResource.h"

namespace {

using qn::catalogue::LayoutDefinition;
using qn::ui::testing::ScriptedMessageBoxes;

std::unique_ptr<TBaseTable> bareTable() {
  return std::unique_ptr<TBaseTable>(CreateCursor<TBaseTable>(nullptr, 0u, 0u, "", "LAYOUT", nullptr));
}

std::map<std::string, LayoutDefinition> catalogueLayouts() {
  std::map<std::string, LayoutDefinition> layouts;
  for (const qn::os::NamedResource& text : qn::os::resourcesOfKind("CATALOGUE")) {
    if (text.name == "STRUCTURES") continue;
    const auto entry = qn::catalogue::parseCatalogueEntry(text.bytes, std::string(text.name));
    for (const LayoutDefinition& layout : entry.layouts()) layouts[layout.name] = layout;
  }
  return layouts;
}

std::string word(uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string record(uint16_t number, const std::string& name, std::initializer_list<uint16_t> words) {
  std::string out = word(number) + static_cast<char>(name.size()) + name;
  for (uint16_t w : words) out += word(w);
  return out;
}

const std::string kTerminator("ABCD\0", 5);

TEST(TblResReaderTest, EveryCompiledLayoutReadsAsItsCatalogueEntry) {
  const std::map<std::string, size_t> counts = {
      {"BILLS", 16},   {"CALENDAR", 23}, {"CASEADDR", 12}, {"CASEDESC", 5}, {"EMP", 8},      {"FEES", 18},
      {"FEESPLIT", 7}, {"PRINT", 13},    {"RPTLIST", 3},   {"SIMPLECD", 7}, {"STCHAR1", 24}, {"SYSOP1", 17},
      {"YCASE", 73},   {"YCLIENT", 22},  {"TRAN", 26},     {"TRAN2", 6},    {"GL2", 4},      {"Glac", 25},
      {"TRDESC", 4},   {"BATCH", 9}};
  const auto layouts = catalogueLayouts();
  ASSERT_EQ(layouts.size(), counts.size());
  for (const auto& [name, count] : counts) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(layouts.count(name));
    auto table = bareTable();
    TTblResReader reader(table.get());
    ASSERT_TRUE(reader.Read(name));
    const auto expected = qn::catalogue::layoutResourceFields(layouts.at(name));
    ASSERT_EQ(table->FieldCache()->Count(), static_cast<int>(count));
    ASSERT_EQ(expected.size(), count);
    for (size_t i = 0; i < count; ++i) {
      const TFieldCacheItem* item = table->FieldCache()->Item(static_cast<int>(i));
      const auto& field = expected[i];
      SCOPED_TRACE(field.name);
      EXPECT_EQ(item->FieldNumber(), i + 1);
      EXPECT_EQ(item->FieldName(), AnsiString(field.name.substr(0, 31)));
      EXPECT_EQ(item->FieldType(), field.fieldType);
      EXPECT_EQ(item->FieldSubType(), field.subType);
      EXPECT_EQ(item->FieldUnits1(), field.units1);
      EXPECT_EQ(item->FieldUnits2(), field.units2);
      EXPECT_EQ(item->Descriptor().Offset, field.offset);
      EXPECT_EQ(item->FieldLength(), field.length);
      EXPECT_EQ(item->LocalType(), field.localType);
      EXPECT_EQ(item->LocalSize(), field.localSize);
      EXPECT_EQ(item->Descriptor().NullOffset, 0);
    }
  }
}

TEST(TblResReaderTest, TheClientLayoutBeginsWithTheDocumentedBytes) {
  const auto bytes = qn::os::findResource("YCLIENT", qn::catalogue::kLayoutResourceKind);
  ASSERT_TRUE(bytes);
  const std::string start =
      std::string("\x07YCLIENT0002\0", 13) + std::string(
                                                 "\x01\x00\x0D"
                                                 "AutoIncrement"
                                                 "\x06\x00\x1D\x00\x04\x00\x00\x00\x00\x00\x04\x00\x0F\x00\x04\x00",
                                                 32);
  EXPECT_EQ(bytes->substr(0, start.size()), start);
  EXPECT_EQ(bytes->substr(bytes->size() - 5), kTerminator);

  auto table = bareTable();
  ASSERT_TRUE(TTblResReader(table.get()).Read("YCLIENT"));
  const TFieldCacheItem* first = table->FieldCache()->Item(0);
  EXPECT_EQ(first->FieldName(), "AutoIncrement");
  EXPECT_EQ(first->FieldType(), 6);
  EXPECT_EQ(first->FieldSubType(), 29);
  EXPECT_EQ(first->FieldUnits1(), 4);
  EXPECT_EQ(first->LocalType(), 15);
  EXPECT_EQ(first->LocalSize(), 4);
  const TFieldCacheItem* second = table->FieldCache()->Item(1);
  EXPECT_EQ(second->FieldName(), "Client Code");
  EXPECT_EQ(second->FieldType(), 1);
  EXPECT_EQ(second->Descriptor().Offset, 4);
  EXPECT_EQ(second->FieldLength(), 7);
  EXPECT_EQ(second->LocalType(), 0);
}

TEST(TblResReaderTest, LayoutNamesAreFoundInAnyLetterCase) {
  for (const char* name : {"glac", "GLAC", "ycase", "YCase"}) {
    auto table = bareTable();
    EXPECT_TRUE(TTblResReader(table.get()).Read(name)) << name;
    EXPECT_GT(table->FieldCache()->Count(), 0) << name;
  }
}

TEST(TblResReaderTest, AMissingLayoutReadsNothing) {
  auto table = bareTable();
  TTblResReader reader(table.get());
  EXPECT_FALSE(reader.Read("NOSUCHLAYOUT"));
  EXPECT_EQ(table->FieldCache()->Count(), 0);
  EXPECT_EQ(reader.Version(), "0002");
  EXPECT_EQ(reader.Terminator(), "ABCD");
}

TEST(TblResReaderTest, LayoutsAnsweredWithoutFields) {
  const std::string field = record(1, "A", {1, 0, 2, 0, 0, 2, 0, 2});
  struct Case {
    const char* what;
    std::string bytes;
    bool read;
  } cases[] = {
      {"terminator first", std::string("\x01X0002\0", 7) + kTerminator, true},
      {"a first record beginning with the terminator", std::string("\x01X0002\0", 7) + kTerminator + field, true},
      {"unknown version", std::string("\x01X0003\0", 7) + field + kTerminator, false},
  };
  ScriptedMessageBoxes boxes;  // none of them shows anything
  for (const Case& c : cases) {
    auto table = bareTable();
    EXPECT_EQ(TTblResReader(table.get()).ReadLayout("X", c.bytes), c.read) << c.what;
    EXPECT_EQ(table->FieldCache()->Count(), 0) << c.what;
  }
  EXPECT_FALSE(Application->Terminated());
}

TEST(TblResReaderTest, AnOldFormatLayoutIsShownOnceAndEndsTheApplication) {
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Error - Resource [OldOne]  in old format. Re-compile with RESMAIN.EXE");
  auto table = bareTable();
  const std::string bytes =
      std::string("\x06OldOne0001\0", 12) + record(1, "A", {1, 0, 2, 0, 0, 2, 0, 2}) + kTerminator;
  EXPECT_FALSE(TTblResReader(table.get()).ReadLayout("OldOne", bytes));
  EXPECT_EQ(table->FieldCache()->Count(), 0);
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(Application->Terminated());
}

TEST(TblResReaderTest, DamagedLayoutsRaiseAnEngineErrorAndAddNothing) {
  const std::string good = std::string("\x01X0002\0", 7) + record(1, "Name", {1, 0, 9, 0, 0, 9, 0, 9}) +
                           record(2, "Sum", {7, 0, 6, 2, 9, 6, 5, 6}) + kTerminator;
  // Every cut short of the terminator, and a name length running past the end.
  std::vector<std::string> damaged;
  for (size_t n = 0; n < good.size(); ++n) damaged.push_back(good.substr(0, n));
  std::string longName = good;
  longName[9] = '\x7F';
  damaged.push_back(longName);
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    auto table = bareTable();
    try {
      TTblResReader(table.get()).ReadLayout("X", bytes);
      ADD_FAILURE() << "damaged bytes read";
    } catch (const EKorvoEngineError& error) {
      EXPECT_EQ(error.ErrorCode(), DBIERR_INVALIDRECSTRUCT);
    }
    EXPECT_EQ(table->FieldCache()->Count(), 0);
  }
}

TEST(TblResReaderTest, FuzzedRecordsGiveAnAnswerOrAnEngineErrorNeverACrash) {
  const auto compiled = qn::os::findResource("CALENDAR", qn::catalogue::kLayoutResourceKind);
  ASSERT_TRUE(compiled);
  const std::string good(*compiled);
  const size_t header = 1 + good[0] + 5;  // name and version stay intact
  std::mt19937 random(20261210);
  for (int round = 0; round < 500; ++round) {
    std::string bytes = good;
    for (int flips = 1 + round % 5; flips > 0; --flips)
      bytes[header + random() % (bytes.size() - header)] = static_cast<char>(random() & 0xFF);
    bytes.resize(header + random() % (bytes.size() - header + 1));
    auto table = bareTable();
    try {
      if (TTblResReader(table.get()).ReadLayout("CALENDAR", bytes)) {
        for (int i = 0; i < table->FieldCache()->Count(); ++i)
          EXPECT_LE(table->FieldCache()->Item(i)->FieldName().size(), 31u) << round;
      }
    } catch (const EKorvoEngineError& error) {
      EXPECT_EQ(error.ErrorCode(), DBIERR_INVALIDRECSTRUCT) << round;
    }
  }
}

TEST(TblResReaderTest, AVersionThatIsNoNumberIsAConversionError) {
  auto table = bareTable();
  EXPECT_THROW(TTblResReader(table.get()).ReadLayout("X", std::string("\x01X00x2\0", 7) + kTerminator), EConvertError);
}

TEST(TblResReaderTest, LongFieldNamesAreCutTo31Characters) {
  auto table = bareTable();
  const std::string bytes =
      std::string("\x01X0002\0", 7) + record(1, std::string(40, 'n'), {1, 0, 2, 0, 0, 2, 0, 2}) + kTerminator;
  ASSERT_TRUE(TTblResReader(table.get()).ReadLayout("X", bytes));
  EXPECT_EQ(table->FieldCache()->Item(0)->FieldName(), AnsiString(31, 'n'));
}

}  // namespace
