// The cursor suites against the record-manager cursor: a file of 16-byte records keyed (key 0)
// by the 32-bit Id at offset 0, made in a scratch folder, and a cursor over it that logs its
// primitives before the record manager runs them.
#include <gtest/gtest.h>

#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/tests/BtrTestTables.h"
#include "recordmgr/tests/CursorSuite.h"
#include "recordmgr/tests/EngineFiles.h"
#include "recordmgr/tests/PrimitiveCallLog.h"
#include "testing/TestDirs.h"

namespace cursortest {
namespace {

class LoggingBtrTable : public TBtrTable, public PrimitiveCallLog {
 public:
  using TBtrTable::TBtrTable;

  void MoveFirst() override { LogCall("first"), TBtrTable::MoveFirst(); }
  void MoveLast() override { LogCall("last"), TBtrTable::MoveLast(); }
  void MoveNext() override { LogCall("next"), TBtrTable::MoveNext(); }
  void MovePrior() override { LogCall("prior"), TBtrTable::MovePrior(); }
  void ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) override {
    LogCall(lock ? "read+lock" : "read");
    TBtrTable::ReadAtBookmark(bookmark, lock, record);
  }
  void SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                 uint16_t fieldCount) override {
    LogCall("search");
    TBtrTable::SearchKey(condition, directKey, record, key, length, fieldCount);
  }
  void InsertRecord(uint16_t lock, void* record) override { LogCall("insert"), TBtrTable::InsertRecord(lock, record); }
  void DeleteRecord(void* record) override { LogCall("delete"), TBtrTable::DeleteRecord(record); }
  void ReleaseLocks() override { LogCall("unlock"), TBtrTable::ReleaseLocks(); }
  void Activate() override {
    Calls.push_back("open:" + std::to_string(ShareMode()));
    TBtrTable::Activate();
  }
  void Deactivate() override {
    Calls.push_back("close");
    TBtrTable::Deactivate();
  }
};

class BtrDriver : public LoggingCursorDriver<LoggingBtrTable> {
 public:
  explicit BtrDriver(int recordCount) {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    EXPECT_TRUE(status == 0 || status == 1016) << status;
    const std::string path = qn::testing::makeScratchDir("btr-suite") + "/ITEMS.DAT";
    recordingtest::createRecordFile(path, RecordSize, {{1, 4, 0, 1}});
    cursor_.reset(CreateCursor<LoggingBtrTable>(nullptr, 0u, 0u, "", path.c_str(), nullptr, nullptr));
    cursor_->SetPhysicalName(path);
    DictionaryFieldRecord id{1, 1, "Id                 ", 1, 0, 4, 0};
    DictionaryFieldRecord name{2, 1, "Name               ", 0, 4, 12, 0};
    cursor_->AddDictionaryField(id, 1);
    cursor_->AddDictionaryField(name, 2);
    cursor_->Activate();
    cursor_->SwitchToIndex("0", nullptr, 0, false);
    std::vector<uint8_t> record(RecordSize);
    for (int i = 1; i <= recordCount; ++i) {
      btrtest::place<int32_t>(record, 0, 10 * i);
      btrtest::placeText(record, 4, "Name" + std::to_string(i));
      cursor_->TBtrTable::InsertRecord(0, record.data());
    }
    cursor_->Activate();  // not yet positioned
    cursor_->Calls.clear();
  }
  bool CountsByReading() const override { return false; }
};

CursorDriverFactory BtrDriverFactory() {
  return {"RecordManager", [](int recordCount) { return std::make_unique<BtrDriver>(recordCount); }};
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(RecordManager, CursorSuiteTest, ::testing::Values(BtrDriverFactory()),
                         [](const auto& info) { return info.param.name; });

}  // namespace cursortest
