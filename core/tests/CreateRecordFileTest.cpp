#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/RecordFiles.h"
#include "core/tests/SeededDataFolder.h"
#include "platform/recmgr/tests/ServeChild.h"
#include "recordmgr/WinBtr.h"

namespace {

using qn::core::testing::SeededDataFolder;
using qn::recmgr::testing::ServeChild;

class CreateRecordFileTest : public SeededDataFolder {
 protected:
  bool create(const std::vector<RecordKeySegment>& segments, bool failIfExists, int recordLength = 40) {
    message = "";
    return CreateRecordFile(path("Scratch.qf"), recordLength, static_cast<int>(segments.size()), message,
                            failIfExists, segments);
  }
  bool exists() const { return std::filesystem::exists(linuxPath("Scratch.qf")); }

  static uint16_t u16(const uint8_t* at) {
    uint16_t value;
    std::memcpy(&value, at, 2);
    return value;
  }

  AnsiString message;
};

const RecordKeySegment kAuto{0, 1, 4, false, false, true};

struct Refusal {
  const char* why;
  std::vector<RecordKeySegment> segments;
  int recordLength;
  AnsiString message;
};

TEST_F(CreateRecordFileTest, KeysThatDoNotMakeAFileAreRefusedBeforeAnythingIsCreated) {
  const std::vector<Refusal> refusals = {
      {"too long", {kAuto}, 3001, "Record length exceeds maximum of 3000"},
      {"no keys", {}, 40, "This function does not support non-keyed files."},
      {"zero length", {kAuto, {1, 5, 0}}, 40, "Zero key length is invalid!"},
      {"key 0 plain", {{0, 1, 4}}, 40, "First key (key 0) must be autoincrement"},
      {"key 0 segmented", {kAuto, {0, 5, 2}}, 40, "AutoIncrement key may not have segments."},
      {"no position",
       {kAuto, {1, 5, 2}, {2, 0, 2}},
       40,
       "Invalid specification for keys. One or more segments undefined.\r(Key position for key 2 is less than or "
       "equal to zero.)\r\rThe file will not be created."},
      {"beyond the record", {kAuto, {1, 5, 30}, {1, 35, 7}}, 40, "Key segment 3 does not fit within record length"},
      {"second autoincrement", {kAuto, {1, 5, 4, false, false, true}}, 40,
       "Only the first key (key 0) may be autoincrement."},
      {"a key number skipped", {kAuto, {2, 5, 4}}, 40, "Unspecified error interpreting key specifications"},
      {"key numbers going back",
       {kAuto, {1, 5, 4}, {0, 9, 4}},
       40,
       "Unspecified error interpreting key specifications"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.why);
    EXPECT_FALSE(create(r.segments, true, r.recordLength));
    EXPECT_EQ(message, r.message);
    EXPECT_FALSE(exists());
  }
  std::vector<RecordKeySegment> many(51, {1, 5, 1});
  many[0] = kAuto;
  EXPECT_FALSE(create(many, true));
  EXPECT_EQ(message, "Number of key segments exceeds 50.  This is not allowed.");
  EXPECT_FALSE(exists());
}

TEST_F(CreateRecordFileTest, TheFileGetsItsKeysAndAFourByteAutoincrementKey) {
  const std::vector<RecordKeySegment> segments = {
      {0, 1, 8, false, false, true}, {1, 5, 7, true, true}, {1, 12, 7, true, true}, {2, 19, 2}};
  ASSERT_TRUE(create(segments, true));
  EXPECT_EQ(message, "");
  OpenRecordFile(40, path("Scratch.qf"), 0);
  TWinBtr& file = *RecordFileTable(40).CallObject;
  file.Stat();
  const uint8_t* stat = file.StatBuffer;
  EXPECT_EQ(u16(stat), 40);
  EXPECT_EQ(u16(stat + 2), 4096);
  EXPECT_EQ(u16(stat + 4), 3);
  EXPECT_EQ(u16(stat + 10), 0);
  struct Spec {
    uint16_t position, length, flags;
    uint8_t type;
  };
  const std::vector<Spec> specs = {{1, 4, 0x100, 15}, {5, 7, 0x113, 0}, {12, 7, 0x103, 0}, {19, 2, 0x100, 0}};
  for (size_t i = 0; i < specs.size(); ++i) {
    SCOPED_TRACE(i);
    const uint8_t* spec = stat + 16 + 16 * i;
    EXPECT_EQ(u16(spec), specs[i].position);
    EXPECT_EQ(u16(spec + 2), specs[i].length);
    EXPECT_EQ(u16(spec + 4) & 0x11F, specs[i].flags);
    EXPECT_EQ(spec[10], specs[i].type);
  }
  InsertRecord(40, AnsiString(36, 'x'));
  InsertRecord(40, AnsiString(36, 'y'));
  EXPECT_EQ(GetRecordCount(40), 2u);
}

TEST_F(CreateRecordFileTest, AnExistingFileIsRefusedOrReplacedAsAsked) {
  ASSERT_TRUE(create({kAuto}, true));
  OpenRecordFile(41, path("Scratch.qf"), 0);
  InsertRecord(41, AnsiString(36, 'x'));
  CloseRecordFile(41);

  EXPECT_FALSE(create({kAuto}, true));
  EXPECT_EQ(message, "The file already exists");

  ServeChild other;
  ASSERT_EQ(other.status("open 0 " + linuxPath("Scratch.qf")), 0);
  EXPECT_FALSE(create({kAuto}, false));
  EXPECT_EQ(message, "The file is locked");
  ASSERT_EQ(other.status("close 0"), 0);

  EXPECT_TRUE(create({kAuto}, false));
  EXPECT_EQ(message, "");
  OpenRecordFile(41, path("Scratch.qf"), 0);
  EXPECT_EQ(GetRecordCount(41), 0u);
}

TEST_F(CreateRecordFileTest, KeyOnlyAsksForAKeyOnlyFile) {
  message = "KeyOnly";
  ASSERT_TRUE(CreateRecordFile(path("Scratch.qf"), 12, 1, message, true, {kAuto}));
  EXPECT_EQ(message, "");
  OpenRecordFile(42, path("Scratch.qf"), 0);
  TWinBtr& file = *RecordFileTable(42).CallObject;
  file.Stat();
  EXPECT_EQ(u16(file.StatBuffer + 10), 16);
}

}  // namespace
