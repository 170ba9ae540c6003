// Variable-length records, indexes made and dropped on a file with records, and a second client
// that learns of them.
#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class Indexes : public RecmgrFixture {
 protected:
  // The 16-byte segment specifications of one key for create index.
  static std::vector<uint8_t> segments(const KeyDef& key) {
    std::vector<uint8_t> spec = createSpec(1, {key});
    return {spec.begin() + 16, spec.end()};
  }
  int16_t createIndex(OpenFile& f, const KeyDef& key, int8_t keyNumber) {
    std::vector<uint8_t> data = segments(key);
    uint16_t length = static_cast<uint16_t>(data.size());
    return RecordManagerApi::instance().call(31, f.block(), data.data(), &length, nullptr, keyNumber);
  }
  int16_t dropIndex(OpenFile& f, int8_t keyNumber) {
    uint16_t length = 0;
    return RecordManagerApi::instance().call(32, f.block(), nullptr, &length, nullptr, keyNumber);
  }
  static std::vector<uint32_t> numbersInOrder(OpenFile& f, int8_t key) {
    std::vector<uint32_t> out;
    for (auto r = f.read(12, key); r.status == 0; r = f.read(6, key)) out.push_back(getU32(r.record, 0));
    return out;
  }
};

TEST_F(Indexes, VariableLengthRecordsKeepTheirTails) {
  const std::string file = path("variable.qf");
  ASSERT_EQ(createFile(file, createSpec(12, {{{1, 4, 15}}}, 0x01)), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  std::vector<std::string> records;
  for (size_t length : {12u, 13u, 50u, 700u}) {
    std::string r(length, '\0');
    for (size_t i = 4; i < length; ++i) r[i] = static_cast<char>('A' + (i * 7 + length) % 26);
    std::string short11 = r.substr(0, 11);
    ASSERT_EQ(f.insert(short11), 22) << "the fixed part is the least";
    ASSERT_EQ(f.insert(r), 0);
    records.push_back(r);
  }
  for (const std::string& r : records) {
    auto read = f.read(5, 0, r.substr(0, 4));
    ASSERT_EQ(read.status, 0);
    EXPECT_EQ(read.record, r) << "returned with its real length";
  }
  auto cut = f.read(5, 0, records[2].substr(0, 4), 30);
  EXPECT_EQ(cut.status, 22) << "a tail longer than the buffer";
  ASSERT_EQ(f.read(5, 0, records[3].substr(0, 4)).status, 0);
  std::string shorter = records[3].substr(0, 20);
  ASSERT_EQ(f.update(shorter), 0);
  EXPECT_EQ(f.read(5, 0, records[3].substr(0, 4)).record, shorter);
  std::vector<size_t> physical;
  for (auto r = f.read(33, 0); r.status == 0; r = f.read(24, 0)) physical.push_back(r.record.size());
  EXPECT_EQ(physical, (std::vector<size_t>{12, 13, 50, 20}));
}

TEST_F(Indexes, CreateIndexOnRecordsAndDropWithRenumbering) {
  const std::string file = makeSmallFile("index.qf", {"DDD", "BBB", "AAA", "BBB", "CCC"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);

  // Key 2 (next free): the byte at 13 descending, duplicates; records differ in their tails only.
  for (uint32_t n = 1; n <= 5; ++n) {
    auto r = f.direct(n);
    ASSERT_EQ(r.status, 0);
    r.record[12] = static_cast<char>("31425"[n - 1]);
    ASSERT_EQ(f.update(r.record), 0);
  }
  ASSERT_EQ(createIndex(f, {{13, 1, 0, 0x01 | 0x02 | 0x40}}, 0), 0);
  auto s = f.stat();
  EXPECT_EQ(s[4], 3) << "three keys";
  EXPECT_EQ(s[16 + 32 + 0], 13) << "the new key's segment follows key 1's";
  EXPECT_EQ(s[16 + 32 + 14], 2);
  EXPECT_EQ(numbersInOrder(f, 2), (std::vector<uint32_t>{5, 3, 1, 4, 2}));
  std::string r = smallRecord("EEE");
  r[12] = '9';
  ASSERT_EQ(f.insert(r), 0);
  EXPECT_EQ(numbersInOrder(f, 2).front(), 6u) << "new records enter the new key";

  // A unique key over repeated values cannot be made, and leaves the file as it was.
  EXPECT_EQ(createIndex(f, {{5, 8, 0, 0}}, 0), 5);
  EXPECT_EQ(f.stat()[4], 3);
  EXPECT_EQ(createIndex(f, {{5, 8, 0, 0}}, static_cast<int8_t>(0x80 | 1)), 29) << "number 1 is taken";
  EXPECT_EQ(createIndex(f, {{30, 8, 0, 0}}, 0), 29) << "past the record";

  // Assigned number 7: keys 0, 1, 2, 7.
  ASSERT_EQ(createIndex(f, {{5, 8, 0, 0x01 | 0x40}}, static_cast<int8_t>(0x80 | 7)), 0);
  EXPECT_EQ(f.stat()[4], 4);
  EXPECT_EQ(f.read(12, 7).status, 0);
  EXPECT_EQ(f.read(12, 5).status, 6);

  // Dropping key 1 moves 2 to 1 and 7 to 6.
  EXPECT_EQ(dropIndex(f, 4), 6);
  ASSERT_EQ(dropIndex(f, 1), 0);
  s = f.stat();
  EXPECT_EQ(s[4], 3);
  EXPECT_EQ(s[16 + 16 + 14], 1);
  EXPECT_EQ(s[16 + 32 + 14], 6);
  EXPECT_EQ(numbersInOrder(f, 1).front(), 6u) << "the former key 2";
  EXPECT_EQ(nameOf(f.read(12, 6).record), "EEE") << "the former key 7, descending names";
  EXPECT_EQ(f.read(12, 7).status, 6);
}

TEST_F(Indexes, AnotherClientLearnsOfNewAndDroppedKeys) {
  const std::string file = makeSmallFile("shared.qf", {"BBB", "AAA"});
  const ClientId otherId{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'O', 'T', 1, 1};
  OpenFile mine, other(&otherId);
  ASSERT_EQ(mine.open(file), 0);
  ASSERT_EQ(other.open(file), 0);
  ASSERT_EQ(other.read(12, 1).status, 0);

  ASSERT_EQ(createIndex(mine, {{5, 8, 0, 0x01 | 0x02 | 0x40}}, 0), 0);
  std::string r = smallRecord("CCC");
  ASSERT_EQ(other.insert(r), 0) << "written with the new key";
  EXPECT_EQ(numbersInOrder(mine, 2), (std::vector<uint32_t>{3, 1, 2}));
  EXPECT_EQ(numbersInOrder(other, 2), (std::vector<uint32_t>{3, 1, 2}));
  EXPECT_EQ(other.stat()[4], 3);

  ASSERT_EQ(dropIndex(mine, 1), 0);
  EXPECT_EQ(numbersInOrder(other, 1), (std::vector<uint32_t>{3, 1, 2})) << "the former key 2 is key 1 now";
  EXPECT_EQ(other.read(12, 2).status, 6);
}

TEST_F(Indexes, APlaceInADroppedKeyIsNeverTakenForAPlaceInItsSuccessor) {
  const std::string file = makeSmallFile("again.qf", {"DDD", "BBB", "CCC", "AAA"});
  const ClientId otherId{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'O', 'T', 2, 2};
  OpenFile mine, other(&otherId);
  ASSERT_EQ(mine.open(file), 0);
  ASSERT_EQ(other.open(file), 0);
  for (OpenFile* f : {&mine, &other}) ASSERT_EQ(f->read(5, 1, nameKey("BBB")).status, 0);

  // Key 1 again, over the same bytes, now descending.
  ASSERT_EQ(dropIndex(mine, 1), 0);
  ASSERT_EQ(createIndex(mine, {{5, 8, 0, 0x01 | 0x02 | 0x40}}, static_cast<int8_t>(0x80 | 1)), 0);
  for (OpenFile* f : {&mine, &other}) {
    const OpenFile::Read next = f->read(6, 1);
    ASSERT_EQ(next.status, 0);
    EXPECT_EQ(nameOf(next.record), "AAA") << "after BBB in the new order";
  }
  ASSERT_EQ(mine.close(), 0);
  ASSERT_EQ(other.close(), 0);
  ASSERT_EQ(mine.open(file), 0);
  std::vector<std::string> names;
  for (auto r = mine.read(12, 1); r.status == 0; r = mine.read(6, 1)) names.push_back(nameOf(r.record));
  EXPECT_EQ(names, (std::vector<std::string>{"DDD", "CCC", "BBB", "AAA"})) << "and after a new open";
}

}  // namespace
}  // namespace qn::recmgr::testing
