// Positions, deletes, auto-increment numbers and updates that move records within a key path.
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
