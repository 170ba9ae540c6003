// The statistics answer, byte by byte, against a layout written out by hand.
#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class Stat : public RecmgrFixture {};

TEST_F(Stat, AnswersTheLayoutByteByByte) {
  // record length 100, page size 1024, two keys (the second of two segments), 3 records,
  // flags 0x10 (key-only, reported back)
  const std::vector<uint8_t> spec = createSpec(
      100, {{{1, 4, 15, 0}}, {{5, 10, 0, 0x01 | 0x02 | 0x400}, {15, 2, 1, 0x01 | 0x02 | 0x40}}}, 0x10, 1024);
  const std::string file = path("stat.qf");
  ASSERT_EQ(createFile(file, spec), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  for (int i = 0; i < 3; ++i) {
    std::string r(100, '\0');
    r[5] = static_cast<char>('a' + i);
    ASSERT_EQ(f.insert(r), 0);
  }
  int16_t status = -1;
  const std::vector<uint8_t> answer = f.stat(2048, &status);
  ASSERT_EQ(status, 0);
  const std::vector<uint8_t> expected = {
      // header: record length, page size, keys, records (u32), file flags, reserved
      100, 0, 0x00, 0x04, 2, 0, 3, 0, 0, 0, 0x10, 0, 0, 0, 0, 0,
      // key 0: position 1, length 4, flags 0x100, unique values 0, type 15, null 0, reserved, key 0, acs 0
      1, 0, 4, 0, 0x00, 0x01, 0, 0, 0, 0, 15, 0, 0, 0, 0, 0,
      // key 1, first segment: position 5, length 10, flags 0x513 (0x400|0x100|0x10|0x02|0x01), type 0, key 1
      5, 0, 10, 0, 0x13, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0,
      // key 1, second segment: position 15, length 2, flags 0x143, type 1, key 1
      15, 0, 2, 0, 0x43, 0x01, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0,
  };
  EXPECT_EQ(answer, expected);
}

TEST_F(Stat, CollatingSequencesFollowTheSegments) {
  std::vector<uint8_t> sequence(265, 0);
  sequence[0] = 0xAC;
  for (int i = 0; i < 8; ++i) sequence[1 + i] = static_cast<uint8_t>("UPPER   "[i]);
  for (int c = 0; c < 256; ++c) sequence[9 + c] = static_cast<uint8_t>(255 - c);
  const std::string file = path("acs.qf");
  ASSERT_EQ(createFile(file, createSpec(20, {{{1, 4, 0, 0x20 | 0x01, 0, 0}}}, 0, 4096, {sequence})), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  int16_t status = -1;
  const std::vector<uint8_t> answer = f.stat(2048, &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(answer.size(), 16u + 16u + 265u);
  EXPECT_EQ(std::vector<uint8_t>(answer.begin() + 32, answer.end()), sequence);
  EXPECT_EQ(answer[16 + 4], 0x21);
  EXPECT_EQ(answer[16 + 15], 0) << "the sequence's number";
}

TEST_F(Stat, RecordCountFollowsInsertsAndDeletes) {
  const std::string file = makeSmallFile("count.qf", {"A", "B", "C", "D"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  auto count = [&] { auto s = f.stat(); return static_cast<uint32_t>(s[6] | s[7] << 8 | s[8] << 16 | s[9] << 24); };
  EXPECT_EQ(count(), 4u);
  ASSERT_EQ(f.read(12, 1).status, 0);
  ASSERT_EQ(f.remove(1), 0);
  EXPECT_EQ(count(), 3u);
  std::string r = smallRecord("A", 2);
  ASSERT_EQ(f.insert(r), 5) << "the duplicate is not counted";
  EXPECT_EQ(count(), 3u);
}

}  // namespace
}  // namespace qn::recmgr::testing
