// Positions, deletes, auto-increment numbers and updates that move records within a key path.
#include <cstdint>
#include <set>

#include "platform/recmgr/tests/RecmgrFixture.h"

namespace qn::recmgr::testing {
namespace {

class RecordLife : public RecmgrFixture {
 protected:
  std::vector<std::string> namesInKeyOrder(OpenFile& f) {
    std::vector<std::string> names;
    for (auto r = f.read(12, 1); r.status == 0; r = f.read(6, 1)) names.push_back(nameOf(r.record));
    return names;
  }
};

TEST_F(RecordLife, PositionsAreNeverReused) {
  const std::string file = makeSmallFile("positions.qf", {});
  std::set<uint32_t> seen;
  std::vector<uint32_t> deleted;
  {
    OpenFile f;
    ASSERT_EQ(f.open(file), 0);
    for (int round = 0; round < 4; ++round) {
      for (int i = 0; i < 5; ++i) {
        std::string r = smallRecord("R" + std::to_string(round) + std::to_string(i));
        ASSERT_EQ(f.insert(r), 0);
        const uint32_t p = f.position();
        ASSERT_NE(p, 0u);
        EXPECT_TRUE(seen.insert(p).second) << "position " << p << " handed out twice";
      }
      // Delete the newest record too, so a reused highest position would show.
      for (auto r = f.read(34, 0); r.status == 0 && deleted.size() < 2u * (round + 1); r = f.read(35, 0)) {
        deleted.push_back(f.position());
        ASSERT_EQ(f.remove(), 0);
      }
    }
  }
  OpenFile again;  // after a close and a new open too
  ASSERT_EQ(again.open(file), 0);
  std::string r = smallRecord("LATE");
  ASSERT_EQ(again.insert(r), 0);
  EXPECT_TRUE(seen.insert(again.position()).second);
  for (uint32_t p : deleted) EXPECT_EQ(again.direct(p).status, 43) << "deleted position " << p;
}

TEST_F(RecordLife, GetDirectMakesTheRecordCurrentInTheKeyPathAsked) {
  const std::string file = makeSmallFile("direct.qf", {"CCC", "AAA", "BBB", "DDD"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  auto r = f.direct(3, 1);  // BBB
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(nameOf(r.record), "BBB");
  EXPECT_EQ(r.key.substr(0, 8), nameKey("BBB"));
  EXPECT_EQ(nameOf(f.read(6, 1).record), "CCC");
  ASSERT_EQ(f.direct(3, 0).status, 0);
  EXPECT_EQ(nameOf(f.read(6, 0).record), "DDD") << "key 0 follows the insertion numbers";
}

TEST_F(RecordLife, DeleteThenNextAndPreviousContinueFromItsPlace) {
  const std::string file = makeSmallFile("delete.qf", {"DDD", "BBB", "AAA", "CCC", "EEE"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);

  ASSERT_EQ(f.read(5, 1, nameKey("BBB")).status, 0);
  ASSERT_EQ(f.remove(1), 0);
  EXPECT_EQ(f.position(), 0u) << "no current record after a delete";
  EXPECT_EQ(f.update(smallRecord("X")), 8);
  EXPECT_EQ(f.remove(1), 8);
  EXPECT_EQ(nameOf(f.read(6, 1).record), "CCC");

  ASSERT_EQ(f.remove(1), 0);  // CCC
  EXPECT_EQ(nameOf(f.read(7, 1).record), "AAA");

  // In physical order: DDD AAA EEE remain (positions 1, 3, 5).
  ASSERT_EQ(f.read(33, 0).status, 0);
  ASSERT_EQ(f.read(24, 0).status, 0);
  ASSERT_EQ(nameOf(f.direct(3).record), "AAA");
  ASSERT_EQ(f.remove(0), 0);
  EXPECT_EQ(nameOf(f.read(24, 0).record), "EEE");
  ASSERT_EQ(f.remove(0), 0);
  EXPECT_EQ(nameOf(f.read(35, 0).record), "DDD");
  ASSERT_EQ(f.remove(0), 0);
  EXPECT_EQ(f.read(24, 0).status, 9) << "the file is empty";
}

TEST_F(RecordLife, DeletingAmongDuplicatesContinuesWithTheNextDuplicate) {
  const std::string file = makeSmallFile("dups.qf", {"SAME", "SAME", "SAME", "ZZZ"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  ASSERT_EQ(f.read(12, 1).status, 0);
  auto second = f.read(6, 1);
  ASSERT_EQ(getU32(second.record, 0), 2u);
  ASSERT_EQ(f.remove(1), 0);
  EXPECT_EQ(getU32(f.read(6, 1).record, 0), 3u);
  ASSERT_EQ(f.read(5, 1, nameKey("SAME")).status, 0);
  ASSERT_EQ(f.read(6, 1).status, 0);
  ASSERT_EQ(f.remove(1), 0);  // number 3
  EXPECT_EQ(getU32(f.read(7, 1).record, 0), 1u);
}

TEST_F(RecordLife, AutoIncrementAssignsOnZeroAndKeepsGivenValues) {
  const std::string file = makeSmallFile("auto.qf", {});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  struct Step {
    uint32_t given;
    int16_t status;
    uint32_t stored;
  };
  const Step steps[] = {
      {0, 0, 1}, {0, 0, 2}, {10, 0, 10}, {0, 0, 11}, {5, 0, 5}, {0, 0, 12}, {10, 5, 10}, {12, 5, 12},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("given " + std::to_string(s.given));
    std::string r = smallRecord("N", s.given);
    ASSERT_EQ(f.insert(r), s.status);
    EXPECT_EQ(getU32(r, 0), s.stored) << "the buffer holds the stored number";
    if (s.status == 0) {
      EXPECT_EQ(getU32(f.direct(f.position()).record, 0), s.stored) << "and so does the file";
    }
  }
  // The greatest number is deleted: the next one is the greatest remaining + 1.
  ASSERT_EQ(f.read(13, 0).status, 0);
  ASSERT_EQ(f.remove(0), 0);
  std::string r = smallRecord("N");
  ASSERT_EQ(f.insert(r), 0);
  EXPECT_EQ(getU32(r, 0), 12u);
  // Negative numbers do not drag the counter below 1.
  const std::string negatives = makeSmallFile("negative.qf", {});
  OpenFile g;
  ASSERT_EQ(g.open(negatives), 0);
  std::string n = smallRecord("N", static_cast<uint32_t>(-7));
  ASSERT_EQ(g.insert(n), 0);
  std::string z = smallRecord("N");
  ASSERT_EQ(g.insert(z), 0);
  EXPECT_EQ(getU32(z, 0), 1u);
}

TEST_F(RecordLife, AnAutoIncrementKeyAtItsLargestValueRefusesTheNextNumber) {
  struct Width {
    uint16_t length;
    int64_t largest;
  };
  for (const Width w : {Width{1, 127}, Width{2, 32767}, Width{4, 2147483647}, Width{8, INT64_MAX}}) {
    SCOPED_TRACE("length " + std::to_string(w.length));
    const std::string file = path("auto" + std::to_string(w.length) + ".qf");
    ASSERT_EQ(createFile(file, createSpec(16, {{{1, w.length, 15}}})), 0);
    OpenFile f;
    ASSERT_EQ(f.open(file), 0);
    const auto record = [&](int64_t n) {
      std::string r(16, 'x');
      for (uint16_t i = 0; i < w.length; ++i) r[i] = static_cast<char>(static_cast<uint64_t>(n) >> (8 * i));
      return r;
    };
    std::string top = record(w.largest);
    ASSERT_EQ(f.insert(top), 0);
    std::string next = record(0);
    EXPECT_EQ(f.insert(next), 5) << "the numbers have run out";
    EXPECT_EQ(next, record(0)) << "the buffer keeps its zero";
    const auto stat = f.stat();
    EXPECT_EQ(getU32(std::string(stat.begin(), stat.end()), 6), 1u) << "nothing was stored";
    const OpenFile::Read first = f.read(12, 0);
    EXPECT_EQ(first.record, top) << "no record with a wrapped number";
  }
}

TEST_F(RecordLife, ACaseInsensitiveKeyFoldsEveryLetterPairOfTheCodePage) {
  // Windows-1252 lower-case letters and their capitals.
  std::vector<std::pair<uint8_t, uint8_t>> pairs = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
  for (int c = 'a'; c <= 'z'; ++c) pairs.emplace_back(c, c - 0x20);
  for (int c = 0xE0; c <= 0xFE; ++c)
    if (c != 0xF7) pairs.emplace_back(c, c - 0x20);
  const std::string file = path("folded.qf");
  ASSERT_EQ(createFile(file, createSpec(8, {{{1, 1, 0, 0x400}}})), 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  for (const auto& [lower, upper] : pairs) {
    SCOPED_TRACE(::testing::Message() << std::hex << int(lower) << "/" << int(upper));
    std::string first(8, static_cast<char>(lower)), second(8, static_cast<char>(upper));
    ASSERT_EQ(f.insert(first), 0);
    EXPECT_EQ(f.insert(second), 5) << "a capital is the same key as its small letter";
    for (const uint8_t asked : {lower, upper}) {
      const OpenFile::Read found = f.read(5, 0, std::string(1, static_cast<char>(asked)));
      ASSERT_EQ(found.status, 0);
      EXPECT_EQ(found.record, first);
    }
  }
  // Signs without a partner stay keys of their own.
  for (const uint8_t sign : {0xF7, 0xD7, 0xDF, 0xB5}) {
    std::string r(8, static_cast<char>(sign));
    EXPECT_EQ(f.insert(r), 0) << int(sign);
  }
}

TEST_F(RecordLife, UpdateMovesTheRecordAfterTheDuplicatesOfItsNewValue) {
  const std::string file = makeSmallFile("moves.qf", {"BBB", "BBB", "BBB", "DDD", "AAA"});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  // DDD (number 4) becomes BBB: it follows the three BBBs already there.
  ASSERT_EQ(f.read(5, 1, nameKey("DDD")).status, 0);
  ASSERT_EQ(f.update(smallRecord("BBB", 4), 1), 0);
  std::vector<uint32_t> order;
  for (auto r = f.read(12, 1); r.status == 0; r = f.read(6, 1)) order.push_back(getU32(r.record, 0));
  EXPECT_EQ(order, (std::vector<uint32_t>{5, 1, 2, 3, 4}));

  // The updated record stays current at its new place.
  ASSERT_EQ(f.direct(4, 1).status, 0);
  ASSERT_EQ(f.update(smallRecord("BBB", 4), 1), 0);
  EXPECT_EQ(f.read(6, 1).status, 9) << "still last: an update that keeps the value keeps the place";
  ASSERT_EQ(f.read(5, 1, nameKey("BBB")).status, 0);  // number 1
  ASSERT_EQ(f.update(smallRecord("CCC", 1), 1), 0);
  EXPECT_EQ(f.position(), 1u);
  EXPECT_EQ(f.read(6, 1).status, 9) << "CCC is now the greatest";
  ASSERT_EQ(f.read(7, 1).status, 0);
  EXPECT_EQ(getU32(f.read(7, 1).record, 0), 3u);

  // Moving back into BBB puts it after number 4, the last of them.
  ASSERT_EQ(f.direct(1, 1).status, 0);
  ASSERT_EQ(f.update(smallRecord("BBB", 1), 1), 0);
  order.clear();
  for (auto r = f.read(12, 1); r.status == 0; r = f.read(6, 1)) order.push_back(getU32(r.record, 0));
  EXPECT_EQ(order, (std::vector<uint32_t>{5, 2, 3, 4, 1}));
  EXPECT_EQ(namesInKeyOrder(f), (std::vector<std::string>{"AAA", "BBB", "BBB", "BBB", "BBB"}));
}

TEST_F(RecordLife, RecordsBeyondTheRecordLengthAreCut) {
  const std::string file = makeSmallFile("cut.qf", {});
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  std::string r = smallRecord("LONG") + "tail bytes";
  ASSERT_EQ(f.insert(r), 0);
  auto read = f.read(12, 1);
  ASSERT_EQ(read.status, 0);
  EXPECT_EQ(read.record.size(), smallRecordLength);
}

}  // namespace
}  // namespace qn::recmgr::testing
