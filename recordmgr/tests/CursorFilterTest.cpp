// Filters of a cursor: expression blocks evaluated over the cursor's fields, callbacks, and the
// filter list's bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "framework/base/TextCompare.h"
#include "framework/db/FilterExpression.h"
#include "framework/db/FilterParser.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/tests/CountingCursor.h"
#include "recordmgr/tests/CursorSuite.h"

namespace cursortest {
namespace {

using filterexpr::FieldInfo;

// The counting cursor's fields as the filter parser sees them; with convertNumbers false a
// constant compared with Id stays text.
filterexpr::FieldResolver fieldsOf(bool convertNumbers) {
  return [convertNumbers](const AnsiString& name) -> std::optional<FieldInfo> {
    if (CompareText(name, "Name") == 0) return FieldInfo{filterexpr::ltText, nullptr};
    if (CompareText(name, "Id") != 0) return std::nullopt;
    return FieldInfo{filterexpr::ltLongInt, [convertNumbers](const AnsiString& text) -> std::optional<std::string> {
                       if (!convertNumbers) return std::nullopt;
                       const int32_t value = std::stoi(text);
                       return std::string(reinterpret_cast<const char*>(&value), sizeof value);
                     }};
  };
}

std::vector<uint8_t> blockOf(const char* text, bool convertNumbers = true) {
  return filterexpr::ParseFilter(text, 0, fieldsOf(convertNumbers));
}

// A counting cursor whose stored Id 30 cannot be converted.
class FailingFieldCursor : public CountingCursor {
 public:
  using CountingCursor::CountingCursor;
  void NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination, const void* source,
                     uint16_t fieldLength, int16_t units2) override {
    if (fieldLength == 4 && IdOf(source) == 30) RaiseEngineError(InjectedErrorCode);
    CountingCursor::NativeToLocal(localType, localSize, blank, destination, source, fieldLength, units2);
  }
};

// What the callback of a test filter sees and answers, reached through the client data.
struct CallbackScript {
  int calls = 0;
  int32_t rejectId = -1;  // this record is refused
  int32_t throwAtId = -1;  // at this record the callback raises
};

int16_t scriptedCallback(uintptr_t clientData, void* record, int32_t reserved) {
  auto* script = reinterpret_cast<CallbackScript*>(clientData);
  ++script->calls;
  EXPECT_EQ(reserved, 0);
  if (IdOf(record) == script->throwAtId) throw std::runtime_error("callback failed");
  return IdOf(record) == script->rejectId ? 0 : 1;
}

class CursorFilterTest : public ::testing::Test {
 protected:
  template <class Cursor = CountingCursor>
  CountingCursor& open(int recordCount) {
    cursor_.reset(CreateCursor<Cursor>(recordCount, 0u));
    cursor_->Activate();
    record_.assign(RecordSize, 0);
    return *cursor_;
  }
  std::vector<int32_t> readAll() {
    std::vector<int32_t> ids;
    cursor_->SetToBegin();
    while (EngineCodeOf([&] { cursor_->GetNextRecord(0, record_.data(), nullptr); }) == 0)
      ids.push_back(IdOf(record_.data()));
    return ids;
  }
  TFilterListItem* addActive(const std::vector<uint8_t>& block, CallbackScript* script = nullptr) {
    TFilterListItem* filter = nullptr;
    cursor_->AddFilter(reinterpret_cast<uintptr_t>(script), 0, false, block.empty() ? nullptr : block.data(),
                       script ? scriptedCallback : nullptr, filter);
    cursor_->ActivateFilter(filter);
    return filter;
  }
  int conversions() const {
    return static_cast<int>(std::count(cursor_->Calls.begin(), cursor_->Calls.end(), "convert"));
  }

  std::unique_ptr<CountingCursor> cursor_;
  std::vector<uint8_t> record_;
};

struct FilterCase {
  const char* text;
  bool convertNumbers;
  std::vector<int32_t> kept;
};

TEST_F(CursorFilterTest, ExpressionsKeepTheRecordsTheySay) {
  const std::vector<FilterCase> cases = {
      {"Id = 20", true, {20}},
      {"Id > 25 and Id < 45", true, {30, 40}},
      {"Id = 10 or Name = 'Name3'", true, {10, 30}},
      {"not (Id = 20)", true, {10, 30, 40}},
      // A number against a text compares the number's ten-digit text.
      {"Id = '20'", false, {}},
      {"Id = '0000000020'", false, {20}},
      // A name that is no field is its own text, without the quotes.
      {"\"Name2\" = 'Name2'", true, {10, 20, 30, 40}},
      {"\"Name2\" = 'Name3'", true, {}},
      {"Name >= 'Name3'", true, {30, 40}},
  };
  for (const FilterCase& c : cases) {
    SCOPED_TRACE(c.text);
    open(4);
    addActive(blockOf(c.text, c.convertNumbers));
    EXPECT_EQ(readAll(), c.kept);
  }
}

TEST_F(CursorFilterTest, AnOrWhoseLeftSideHoldsNeverReadsItsRightSide) {
  struct Case {
    const char* text;
    int conversionsPerRecord;
  };
  for (const Case& c : {Case{"Id > 0 or Name = 'x'", 1}, Case{"Id < 0 or Name = 'x'", 2},
                        Case{"Id < 0 and Name = 'x'", 1}}) {
    SCOPED_TRACE(c.text);
    open(3);
    addActive(blockOf(c.text));
    cursor_->Calls.clear();
    readAll();
    EXPECT_EQ(conversions(), 3 * c.conversionsPerRecord);
  }
}

TEST_F(CursorFilterTest, AFailureWhileTestingRejectsTheRecordAndGoesNoFurther) {
  open<FailingFieldCursor>(4);
  addActive(blockOf("not (Id = 20)"));
  EXPECT_EQ(readAll(), (std::vector<int32_t>{10, 40}));  // 30 cannot be read, so "not" holds no more

  open(4);
  CallbackScript script;
  script.throwAtId = 20;
  addActive({}, &script);
  EXPECT_EQ(readAll(), (std::vector<int32_t>{10, 30, 40}));
}

TEST_F(CursorFilterTest, TheExpressionIsConsultedOnlyWhenTheCallbackAccepts) {
  open(3);
  CallbackScript script;
  script.rejectId = 20;
  addActive(blockOf("Id <> 30"), &script);
  cursor_->Calls.clear();
  EXPECT_EQ(readAll(), (std::vector<int32_t>{10}));
  EXPECT_EQ(script.calls, 3);
  EXPECT_EQ(conversions(), 2);  // records 10 and 30 only
}

TEST_F(CursorFilterTest, AFilterTakesEffectOnlyWhileActive) {
  CountingCursor& cursor = open(4);
  TFilterListItem* filter = nullptr;
  const std::vector<uint8_t> block = blockOf("Id > 25");
  cursor.AddFilter(7, 3, true, block.data(), nullptr, filter);
  EXPECT_FALSE(filter->Active());
  EXPECT_FALSE(cursor.FiltersActive());
  EXPECT_EQ(readAll(), (std::vector<int32_t>{10, 20, 30, 40}));

  cursor.ActivateFilter(filter);
  EXPECT_TRUE(cursor.FiltersActive());
  EXPECT_EQ(readAll(), (std::vector<int32_t>{30, 40}));

  cursor.DeactivateFilter(filter);
  EXPECT_FALSE(cursor.FiltersActive());
  EXPECT_EQ(readAll(), (std::vector<int32_t>{10, 20, 30, 40}));

  cursor.ActivateFilter(nullptr);
  EXPECT_EQ(cursor.RecheckFilters(), filter);
  cursor.DeactivateFilter(nullptr);
  EXPECT_EQ(cursor.RecheckFilters(), nullptr);
}

TEST_F(CursorFilterTest, AFilterOfAnotherCursorIsNoSuchFilter) {
  CountingCursor& cursor = open(3);
  std::unique_ptr<CountingCursor> other(CreateCursor<CountingCursor>(3, 0u));
  TFilterListItem* foreign = nullptr;
  other->AddFilter(0, 0, false, blockOf("Id > 0").data(), nullptr, foreign);
  TFilterListItem* own = addActive(blockOf("Id > 15"));

  EXPECT_EQ(EngineCodeOf([&] { cursor.ActivateFilter(foreign); }), DBIERR_NOSUCHFILTER);
  EXPECT_EQ(EngineCodeOf([&] { cursor.DeactivateFilter(foreign); }), DBIERR_NOSUCHFILTER);
  EXPECT_EQ(EngineCodeOf([&] { cursor.DropFilter(foreign); }), 0);
  FilterInfo info;
  EXPECT_EQ(EngineCodeOf([&] { cursor.GetFilterInfo(foreign, info); }), DBIERR_NOSUCHFILTER);
  EXPECT_EQ(cursor.FilterList()->Count(), 1);
  EXPECT_EQ(other->FilterList()->Count(), 1);

  cursor.DropFilter(own);
  EXPECT_EQ(cursor.FilterList()->Count(), 0);
  EXPECT_FALSE(cursor.FiltersActive());
}

TEST_F(CursorFilterTest, FilterInformationDescribesTheFilter) {
  CountingCursor& cursor = open(3);
  FilterInfo info;
  std::memset(&info, 0xAB, sizeof info);
  cursor.GetFilterInfo(nullptr, info);
  const std::vector<uint8_t> zeros(sizeof info, 0);
  EXPECT_EQ(std::memcmp(&info, zeros.data(), sizeof info), 0);

  TFilterListItem* first = nullptr;
  TFilterListItem* second = nullptr;
  CallbackScript script;
  const std::vector<uint8_t> block = blockOf("Id > 0");
  cursor.AddFilter(0, 1, false, block.data(), nullptr, first);
  cursor.AddFilter(reinterpret_cast<uintptr_t>(&script), 2, true, nullptr, scriptedCallback, second);
  cursor.ActivateFilter(second);

  cursor.GetFilterInfo(second, info);
  EXPECT_EQ(Unpacked(info.Index), 1);
  EXPECT_EQ(Unpacked(info.Filter), second);
  EXPECT_EQ(Unpacked(info.ClientData), reinterpret_cast<uintptr_t>(&script));
  EXPECT_EQ(Unpacked(info.Priority), 2);
  EXPECT_EQ(Unpacked(info.CanAbort), -1);
  EXPECT_EQ(Unpacked(info.Callback), &scriptedCallback);
  EXPECT_EQ(Unpacked(info.Expression), nullptr);
  EXPECT_EQ(Unpacked(info.Active), -1);

  cursor.GetFilterInfo(nullptr, info);
  EXPECT_EQ(Unpacked(info.Index), 0);
  EXPECT_EQ(Unpacked(info.Filter), first);
  EXPECT_EQ(Unpacked(info.Active), 0);
  // The filter keeps a copy of its own.
  ASSERT_NE(Unpacked(info.Expression), nullptr);
  EXPECT_NE(Unpacked(info.Expression), block.data());
  EXPECT_EQ(std::vector<uint8_t>(info.Expression, info.Expression + block.size()), block);
}

TEST_F(CursorFilterTest, ADamagedExpressionIsRefusedAndNothingIsAdded) {
  CountingCursor& cursor = open(3);
  const std::vector<uint8_t> good = blockOf("Id = 10 and Name = 'x'");
  std::vector<uint8_t> shortHeader = good;
  shortHeader[filterexpr::kTotalSizeAt] = 4;
  shortHeader[filterexpr::kTotalSizeAt + 1] = 0;
  std::vector<uint8_t> strayOperand = good;
  const int root = filterexpr::ReadWord(good, filterexpr::kNodeStartAt);
  strayOperand[root + 10] = 0xF0;  // the and-node's right operand, far outside the node area
  std::vector<uint8_t> unknownClass = good;
  unknownClass[root] = 99;
  for (const auto* block : {&shortHeader, &strayOperand, &unknownClass}) {
    TFilterListItem* filter = nullptr;
    EXPECT_EQ(EngineCodeOf([&] { cursor.AddFilter(0, 0, false, block->data(), nullptr, filter); }),
              DBIERR_INVALIDPARAM);
    EXPECT_EQ(filter, nullptr);
    EXPECT_EQ(cursor.FilterList()->Count(), 0);
  }
}

}  // namespace
}  // namespace cursortest
