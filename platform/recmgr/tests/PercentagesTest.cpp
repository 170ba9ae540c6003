// Percentages as the access library uses them: a sequence number becomes a percentage, the
// record there is read, and its percentage read back gives the same sequence number.
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class Percentages : public RecmgrFixture, public ::testing::WithParamInterface<uint32_t> {
 protected:
  // A file of `n` records: key 0 numbers them, key 1 orders them backwards (descending).
  std::string makeFile(uint32_t n) {
    FileSpec spec;
    const std::vector<uint8_t> bytes = createSpec(16, {{{1, 4, 1}}, {{1, 4, 1, 0x40}}});
    EXPECT_EQ(parseCreateSpecification(bytes.data(), bytes.size(), spec), 0);
    const std::string file = path("percent.qf");
    EXPECT_EQ(RecordFile::create(file, spec, "", false), 0);
    std::unique_ptr<RecordFile> opened;
    EXPECT_EQ(RecordFile::open(file, opened), 0);
    std::vector<std::string> records;
    for (uint32_t i = 1; i <= n; ++i) {
      std::string r(16, '\0');
      putU32(r, 0, i);
      records.push_back(r);
    }
    EXPECT_EQ(opened->insertAll(records), 0);
    return file;
  }

  static int16_t percentCall(OpenFile& f, uint16_t op, uint32_t& value, int8_t keyNumber, std::string* record = nullptr) {
    std::string data(64, '\0');
    putU32(data, 0, value);
    std::string key(256, '\0');
    uint16_t length = op == 45 ? 4 : 64;
    const int16_t s = RecordManagerApi::instance().call(op, f.block(), data.data(), &length, key.data(), keyNumber);
    if (op == 45 && s == 0) value = getU32(data, 0);
    if (record) *record = data.substr(0, length);
    return s;
  }
};

// The access library's two halves, in integer arithmetic: "whole part of (P / 10000 x N)" in
// floating point gives s - 1 where P x N / 10000 is a whole number (N = 100, s = 30: 0.29 x 100).
uint32_t percentForSequence(uint32_t s, uint32_t n) { return s < n ? static_cast<uint32_t>(10000ull * s / n) : 10000; }
uint32_t sequenceForPercent(uint32_t p, uint32_t n) {
  return std::min<uint32_t>(n, static_cast<uint32_t>(uint64_t{p} * n / 10000)) + 1;
}

TEST_P(Percentages, GoingToASequenceNumberAndReadingItBackAgree) {
  const uint32_t n = GetParam();
  const std::string file = makeFile(n);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  for (int8_t key : {0, 1}) {
    for (uint32_t s = 1; s <= n; ++s) {
      SCOPED_TRACE("key " + std::to_string(key) + ", sequence " + std::to_string(s) + " of " + std::to_string(n));
      uint32_t percent = percentForSequence(s, n);
      std::string record;
      ASSERT_EQ(percentCall(f, 44, percent, key, &record), 0);
      const uint32_t number = getU32(record, 0);
      EXPECT_EQ(key == 0 ? number : n + 1 - number, s) << "the record at that rank";
      uint32_t found = 0;
      ASSERT_EQ(percentCall(f, 45, found, key), 0);
      EXPECT_EQ(sequenceForPercent(found, n), s);
    }
  }
  // Physical order: the percentage of a position.
  for (uint32_t s = 1; s <= std::min<uint32_t>(n, 200); ++s) {
    uint32_t percent = percentForSequence(s, n);
    std::string record;
    ASSERT_EQ(percentCall(f, 44, percent, -1, &record), 0);
    uint32_t position = f.position();
    ASSERT_EQ(percentCall(f, 45, position, -1), 0);
    EXPECT_EQ(sequenceForPercent(position, n), s);
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, Percentages, ::testing::Values(1u, 2u, 3u, 4u, 7u, 100u, 10000u));

TEST_F(Percentages, EmptyFilesDeletedPositionsAndNoCurrentRecord) {
  const std::string file = makeFile(0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  uint32_t value = 5000;
  EXPECT_EQ(percentCall(f, 44, value, 0), 9);
  EXPECT_EQ(percentCall(f, 44, value, -1), 9);
  EXPECT_EQ(percentCall(f, 45, value, 0), 8);
  EXPECT_EQ(percentCall(f, 44, value, 3), 6);
  std::string r(16, '\0');
  putU32(r, 0, 1);
  ASSERT_EQ(f.insert(r), 0);
  const uint32_t position = f.position();
  ASSERT_EQ(f.remove(), 0);
  uint32_t stale = position;
  EXPECT_EQ(percentCall(f, 45, stale, -1), 43);
  EXPECT_EQ(percentCall(f, 45, value, 0), 8);
}

}  // namespace
}  // namespace qn::recmgr::testing
