// Random create specifications and randomly damaged files, for a bounded time each: every call
// answers a status the record manager knows, nothing crashes, reads never change a file, and a
// file made from a random specification stays consistent with its keys.
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

// Each of the two loops: together about a minute of random inputs on every run.
constexpr auto fuzzTime = std::chrono::seconds(30);

const std::set<int16_t> knownStatuses = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 18, 22, 24, 29, 30, 35, 43, 46, 51, 59, 84, 85, 88};

class Fuzz : public RecmgrFixture {
 protected:
  bool timeLeft() const { return std::chrono::steady_clock::now() - start_ < fuzzTime; }

  // One random operation of any kind on an open file; its status.
  int16_t randomCall(OpenFile& f, std::mt19937& rng, uint16_t recordLength) {
    static const uint16_t ops[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 22, 23, 24, 27, 33, 34, 35, 44, 45, 212, 13};
    const uint16_t op = ops[rng() % std::size(ops)];
    std::string data(rng() % 3 == 0 ? rng() % 64 : recordLength + rng() % 40, '\0');
    for (char& c : data) c = static_cast<char>(rng() % 4 == 0 ? rng() : rng() % 3);
    if ((op == 23 || op == 44 || op == 45) && data.size() >= 4) putU32(data, 0, static_cast<uint32_t>(rng() % 12));
    std::string key(256, '\0');
    for (size_t i = 0; i < 32; ++i) key[i] = static_cast<char>(rng() % 3 == 0 ? rng() : 0);
    uint16_t length = static_cast<uint16_t>(data.size());
    const auto keyNumber = static_cast<int8_t>(rng() % 5 == 0 ? -1 : rng() % 4);
    return RecordManagerApi::instance().call(op, f.block(), data.empty() ? nullptr : data.data(), &length, key.data(),
                                             keyNumber);
  }

  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::vector<uint8_t> randomSpecification(std::mt19937& rng) {
  static const uint8_t types[] = {0, 1, 2, 3, 4, 5, 7, 10, 11, 14, 15, 6, 8, 9, 12, 13, 99};
  static const uint16_t pageSizes[] = {0, 511, 512, 1024, 2048, 4096, 4097, 8192};
  const uint16_t recordLength = static_cast<uint16_t>(rng() % 8 == 0 ? rng() % 0x10000 : rng() % 80);
  std::vector<KeyDef> keys(rng() % 4);
  for (KeyDef& key : keys) {
    key.resize(1 + rng() % 3);
    for (Seg& s : key) {
      s.position = static_cast<uint16_t>(rng() % (recordLength + 3));
      s.length = static_cast<uint16_t>(rng() % 6 == 0 ? rng() % 300 : 1 + rng() % 8);
      s.type = types[rng() % std::size(types)];
      s.flags = static_cast<uint16_t>(rng() % 5 == 0 ? rng() : rng() & (0x01 | 0x02 | 0x08 | 0x40 | 0x400));
      s.nullValue = static_cast<uint8_t>(rng() % 2 ? ' ' : 0);
      s.acs = static_cast<uint8_t>(rng() % 3 == 0 ? rng() % 3 : 0);
    }
  }
  std::vector<std::vector<uint8_t>> sequences;
  for (unsigned i = rng() % 3; i > 0; --i) {
    std::vector<uint8_t> seq(265);
    for (uint8_t& b : seq) b = static_cast<uint8_t>(rng());
    seq[0] = rng() % 4 ? 0xAC : static_cast<uint8_t>(rng());
    sequences.push_back(seq);
  }
  std::vector<uint8_t> spec = createSpec(recordLength, keys, static_cast<uint16_t>(rng() % 4 == 0 ? rng() : 0),
                                         pageSizes[rng() % std::size(pageSizes)], sequences);
  if (rng() % 6 == 0) spec.resize(rng() % (spec.size() + 1));
  if (rng() % 6 == 0 && !spec.empty()) spec[rng() % spec.size()] = static_cast<uint8_t>(rng());
  return spec;
}

TEST_F(Fuzz, RandomCreateSpecificationsMakeSoundFilesOrAnswerAStatus) {
  std::mt19937 rng(20261209);
  const std::string file = path("fuzz.qf");
  int made = 0;
  while (timeLeft()) {
    const std::vector<uint8_t> spec = randomSpecification(rng);
    const int16_t created = createFile(file, spec, 0);
    ASSERT_TRUE(knownStatuses.count(created)) << "create answered " << created;
    if (created != 0) continue;
    ++made;
    OpenFile f;
    ASSERT_EQ(f.open(file), 0);
    const uint16_t recordLength = static_cast<uint16_t>(spec[0] | spec[1] << 8);
    for (int i = 0; i < 30; ++i) {
      const int16_t s = randomCall(f, rng, recordLength);
      ASSERT_TRUE(knownStatuses.count(s)) << "answered " << s;
    }
    ASSERT_EQ(f.close(), 0);
    std::unique_ptr<RecordFile> opened;
    ASSERT_EQ(RecordFile::open(file, opened), 0);
    const std::vector<std::string> problems = opened->check();
    ASSERT_TRUE(problems.empty()) << problems.front();
  }
  EXPECT_GT(made, 0) << "some specifications were sound";
}

TEST_F(Fuzz, DamagedFilesAnswerAStatusAndReadsLeaveThemAlone) {
  std::mt19937 rng(1209);
  const std::string good = path("good.qf");
  ASSERT_EQ(createFile(good, createSpec(40, {{{1, 4, 15}}, {{5, 8, 0, 0x01 | 0x02 | 0x400}, {13, 2, 1, 0x01 | 0x02 | 0x40}},
                                              {{15, 8, 11, 0x01 | 0x08 | 0x02, 0}}})),
            0);
  {
    OpenFile f;
    ASSERT_EQ(f.open(good), 0);
    for (int i = 0; i < 60; ++i) {
      std::string r(40, '\0');
      for (size_t b = 4; b < r.size(); ++b) r[b] = static_cast<char>('a' + rng() % 26);
      ASSERT_EQ(f.insert(r), 0);
    }
  }
  const std::string goodBytes = fileBytes(good);
  const std::string damaged = path("damaged.qf");
  int opened = 0;
  while (timeLeft()) {
    std::string bytes = goodBytes;
    const int damage = static_cast<int>(rng() % 4);
    if (damage == 0) bytes.resize(rng() % bytes.size());
    if (damage == 1 || damage == 3)
      for (unsigned i = 1 + rng() % 12; i > 0; --i) bytes[rng() % bytes.size()] ^= static_cast<char>(1 + rng() % 255);
    std::filesystem::remove(damaged + "-journal");
    std::ofstream(damaged, std::ios::binary | std::ios::trunc) << bytes;
    if (damage == 2 || damage == 3) {
      sqlite3* db = nullptr;
      if (sqlite3_open(damaged.c_str(), &db) == SQLITE_OK) {
        static const char* const removals[] = {"DELETE FROM header", "UPDATE header SET keys = x'00'",
                                               "UPDATE header SET recordLength = 0", "DROP TABLE records",
                                               "UPDATE header SET collatingSequences = x'AC'"};
        sqlite3_exec(db, removals[rng() % std::size(removals)], nullptr, nullptr, nullptr);
      }
      sqlite3_close(db);
    }
    const std::string before = fileBytes(damaged);

    OpenFile f;
    const int16_t s = f.open(damaged);
    ASSERT_TRUE(knownStatuses.count(s)) << "open answered " << s;
    if (s != 0) {
      ASSERT_EQ(fileBytes(damaged), before) << "a refused open changes nothing";
      continue;
    }
    ++opened;
    for (uint16_t op : {12, 6, 6, 13, 7, 33, 24, 34, 35, 15, 5, 9, 11}) {
      const int16_t r = f.read(op, static_cast<int8_t>(rng() % 3), std::string(8, 'm')).status;
      ASSERT_TRUE(knownStatuses.count(r)) << "read " << op << " answered " << r;
    }
    ASSERT_EQ(fileBytes(damaged), before) << "reads change nothing";
    for (int i = 0; i < 10; ++i) {
      const int16_t r = randomCall(f, rng, 40);
      ASSERT_TRUE(knownStatuses.count(r)) << "answered " << r;
    }
  }
  EXPECT_GT(opened, 0) << "some damage left the file readable";
}

}  // namespace
}  // namespace qn::recmgr::testing
