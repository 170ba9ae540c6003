// Key ranges of a cursor: bounds, blank key fields, keys taken from records, and how often the
// driver is asked to extract a key.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "recordmgr/EngineError.h"
#include "recordmgr/tests/CursorSuite.h"
#include "recordmgr/tests/KeyedCursor.h"

namespace cursortest {
namespace {

class CursorRangeTest : public ::testing::Test {
 protected:
  KeyedCursor& open(int recordCount, int keyFields) {
    cursor_.reset(CreateCursor<KeyedCursor>(recordCount, keyFields));
    cursor_->Activate();
    record_.assign(RecordSize, 0);
    return *cursor_;
  }
  // The Ids read in one direction from the start (or end) until the cursor refuses, and the code
  // it refused with.
  std::pair<std::vector<int32_t>, uint16_t> readAll(bool forward) {
    std::vector<int32_t> ids;
    forward ? cursor_->SetToBegin() : cursor_->SetToEnd();
    for (;;) {
      const uint16_t code = EngineCodeOf([&] {
        forward ? cursor_->GetNextRecord(0, record_.data(), nullptr)
                : cursor_->GetPriorRecord(0, record_.data(), nullptr);
      });
      if (code != 0) return {ids, code};
      ids.push_back(IdOf(record_.data()));
    }
  }
  int extracts() const { return static_cast<int>(std::count(cursor_->Calls.begin(), cursor_->Calls.end(), "extract")); }

  std::unique_ptr<KeyedCursor> cursor_;
  std::vector<uint8_t> record_;
};

struct Bounds {
  const char* what;
  std::optional<int32_t> low;
  bool lowInclusive;
  std::optional<int32_t> high;
  bool highInclusive;
  std::vector<int32_t> forward;
};

TEST_F(CursorRangeTest, BoundsAcceptOrRefuseTheRecordAtTheirKey) {
  const std::vector<Bounds> cases = {
      {"inclusive low", 20, true, std::nullopt, false, {20, 30, 40, 50}},
      {"exclusive low", 20, false, std::nullopt, false, {30, 40, 50}},
      {"inclusive high", std::nullopt, false, 40, true, {10, 20, 30, 40}},
      {"exclusive high", std::nullopt, false, 40, false, {10, 20, 30}},
      {"both", 20, true, 40, false, {20, 30}},
      {"both at one key, inclusive", 30, true, 30, true, {30}},
      {"both at one key, exclusive", 30, false, 30, true, {}},
  };
  for (const Bounds& c : cases) {
    SCOPED_TRACE(c.what);
    open(5, 1);
    const std::vector<uint8_t> low = KeyOf(c.low.value_or(0));
    const std::vector<uint8_t> high = KeyOf(c.high.value_or(0));
    cursor_->SetRange(true, 1, 0, c.low ? low.data() : nullptr, c.lowInclusive, 1, 0, c.high ? high.data() : nullptr,
                      c.highInclusive);
    const auto [forward, forwardEnd] = readAll(true);
    EXPECT_EQ(forward, c.forward);
    EXPECT_EQ(forwardEnd, DBIERR_EOF);
    const auto [backward, backwardEnd] = readAll(false);
    EXPECT_EQ(backward, std::vector<int32_t>(c.forward.rbegin(), c.forward.rend()));
    EXPECT_EQ(backwardEnd, DBIERR_BOF);
  }
}

TEST_F(CursorRangeTest, ARecordBeyondABoundIsRefusedWithTheBoundsError) {
  KeyedCursor& cursor = open(5, 1);
  const std::vector<uint8_t> low = KeyOf(20);
  const std::vector<uint8_t> high = KeyOf(40);
  cursor.SetRange(true, 1, 0, low.data(), false, 1, 0, high.data(), false);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckRange(KeyOf(20).data()); }), DBIERR_BOF);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckRange(KeyOf(10).data()); }), DBIERR_BOF);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckRange(KeyOf(30).data()); }), 0);
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckRange(KeyOf(40).data()); }), DBIERR_EOF);
  cursor.ResetRange();
  EXPECT_EQ(EngineCodeOf([&] { cursor.CheckRange(KeyOf(10).data()); }), 0);
}

TEST_F(CursorRangeTest, BlankKeyFieldsDoNotBoundTheRange) {
  KeyedCursor& cursor = open(5, 2);
  const std::vector<uint8_t> blank = KeyOf(0);
  cursor.SetRange(true, 0, 0, blank.data(), true, 0, 0, nullptr, false);
  EXPECT_FALSE(cursor.LowRange().Active);
  EXPECT_EQ(readAll(true).first, (std::vector<int32_t>{10, 20, 30, 40, 50}));

  const std::vector<uint8_t> idOnly = KeyOf(20);  // the Name field blank
  cursor.SetRange(true, 0, 0, idOnly.data(), true, 0, 0, nullptr, false);
  EXPECT_TRUE(cursor.LowRange().Active);
  EXPECT_TRUE(cursor.LowRange().WholeKey);
  EXPECT_EQ(cursor.LowRange().FieldCount, 1);
  EXPECT_EQ(readAll(true).first, (std::vector<int32_t>{20, 30, 40, 50}));

  const std::vector<uint8_t> whole = KeyOf(20, "Name2");
  cursor.SetRange(true, 0, 0, whole.data(), true, 0, 0, nullptr, false);
  EXPECT_EQ(cursor.LowRange().FieldCount, 2);
}

TEST_F(CursorRangeTest, ABoundGivenAsARecordTakesItsKeyOrFallsAway) {
  KeyedCursor& cursor = open(5, 1);
  const std::vector<uint8_t> lowRecord = KeyOf(30, "Name3");
  cursor.SetRange(false, 0, 0, lowRecord.data(), true, 0, 0, nullptr, false);
  EXPECT_TRUE(cursor.LowRange().Active);
  EXPECT_EQ(cursor.LowRange().Key, lowRecord.data());
  EXPECT_EQ(readAll(true).first, (std::vector<int32_t>{30, 40, 50}));

  cursor.FailExtract = true;
  cursor.SetRange(false, 0, 0, lowRecord.data(), true, 0, 0, lowRecord.data(), true);
  EXPECT_FALSE(cursor.LowRange().Active);
  EXPECT_FALSE(cursor.HighRange().Active);
  cursor.FailExtract = false;
  EXPECT_EQ(readAll(true).first, (std::vector<int32_t>{10, 20, 30, 40, 50}));
}

TEST_F(CursorRangeTest, BoundsOfTheSameShapeShareOneKeyExtractionPerRecord) {
  struct Case {
    uint16_t highFieldCount;
    bool sameShape;
    int extractsPerRecord;
  };
  for (const Case& c : {Case{1, true, 1}, Case{2, false, 2}}) {
    SCOPED_TRACE(c.highFieldCount);
    KeyedCursor& cursor = open(5, 2);
    const std::vector<uint8_t> low = KeyOf(10, "Name1");
    const std::vector<uint8_t> high = KeyOf(50, "Name5");
    cursor.SetRange(true, 1, 0, low.data(), true, c.highFieldCount, 0, high.data(), true);
    EXPECT_EQ(cursor.RangeSameShape(), c.sameShape);
    cursor.Calls.clear();
    EXPECT_EQ(readAll(true).first.size(), 5u);
    EXPECT_EQ(extracts(), 5 * c.extractsPerRecord);
  }
}

TEST_F(CursorRangeTest, ARangeOutlivesASwitchOfIndex) {
  KeyedCursor& cursor = open(5, 2);
  const std::vector<uint8_t> low = KeyOf(30);
  cursor.SetRange(true, 1, 0, low.data(), true, 0, 0, nullptr, false);
  cursor.SwitchToIndex("1", "", 1, false);
  EXPECT_TRUE(cursor.LowRange().Active);
  EXPECT_EQ(readAll(true).first, (std::vector<int32_t>{30, 40, 50}));
}

}  // namespace
}  // namespace cursortest
