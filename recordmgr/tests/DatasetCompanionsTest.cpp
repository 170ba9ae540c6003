// The update object a table links to, what it and an update handler make of a table's right to
// change records, and the batch move's hold on its datasets.
#include <gtest/gtest.h>

#include <memory>

#include "recordmgr/BatchMove.h"
#include "recordmgr/DataSetUpdateObject.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

class RecordingUpdateObject : public TTDataSetUpdateObject {
 public:
  using TTDataSetUpdateObject::TTDataSetUpdateObject;
  TDataSet* GetDataSet() const override { return dataSet; }
  void SetDataSet(TDataSet* value) override { dataSet = value; }
  void Apply(TUpdateKind) override {}
  TDataSet* dataSet = nullptr;
};

class HeldBatchMove : public TttBatchMove {
 public:
  using TttBatchMove::TttBatchMove;
  TVirtEng* Engine() override { return nullptr; }
};

using DatasetCompanionsTest = datasettest::ClientsDatasetTest;

TEST_F(DatasetCompanionsTest, AnUpdateObjectGivenToTwoTablesInTurnServesOnlyTheSecond) {
  bindingtest::TestTableDataset* first = newClients();
  bindingtest::TestTableDataset* second = newClients();
  RecordingUpdateObject updates(nullptr);

  first->SetUpdateObject(&updates);
  EXPECT_EQ(updates.dataSet, first);
  second->SetUpdateObject(&updates);
  EXPECT_EQ(updates.dataSet, second);
  EXPECT_EQ(first->UpdateObject(), nullptr);
  EXPECT_EQ(second->UpdateObject(), &updates);

  second->SetUpdateObject(nullptr);
  EXPECT_EQ(updates.dataSet, nullptr);
}

TEST_F(DatasetCompanionsTest, ATableForgetsAnUpdateObjectThatIsDestroyed) {
  bindingtest::TestTableDataset* table = newClients();
  auto updates = std::make_unique<RecordingUpdateObject>(nullptr);
  table->SetUpdateObject(updates.get());
  updates.reset();
  EXPECT_EQ(table->UpdateObject(), nullptr);
}

// Under cached updates with a handler or an update object the changes never reach the cursor:
// the table opens read-only and still lets records be changed; a ReadOnly table never does.
TEST_F(DatasetCompanionsTest, CachedUpdatesWithAHandlerOrAnUpdateObjectOpenReadOnlyYetModifiable) {
  seed({"ADAMS", "BRIGHT"});
  RecordingUpdateObject updates(nullptr);
  struct Case {
    const char* name;
    bool cached, object, handler, readOnly;
    bool cursorWritable, canModify;
  };
  const Case cases[] = {
      {"plain", false, false, false, false, true, true},
      {"cached alone", true, false, false, false, true, true},
      {"update object without cached updates", false, true, false, false, true, true},
      {"cached with an update object", true, true, false, false, false, true},
      {"cached with a handler", true, false, true, false, false, true},
      {"read-only, cached with an update object", true, true, false, true, false, false},
      {"read-only", false, false, false, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bindingtest::TestTableDataset* table = newClients();
    table->SetCachedUpdates(c.cached);
    if (c.object) table->SetUpdateObject(&updates);
    if (c.handler) table->OnUpdateRecord = [](TDataSet*, TUpdateKind, TUpdateAction& action) { action = uaApplied; };
    table->SetReadOnly(c.readOnly);
    table->Open();
    EXPECT_EQ(table->CanModifyCursor(), c.cursorWritable);
    EXPECT_EQ(table->CanModify(), c.canModify);
    table->Close();
    table->SetUpdateObject(nullptr);
  }
}

TEST_F(DatasetCompanionsTest, ABatchMoveDropsADatasetThatIsDestroyed) {
  HeldBatchMove move(nullptr);
  EXPECT_TRUE(move.AbortOnKeyViol());
  EXPECT_TRUE(move.AbortOnProblem());
  EXPECT_TRUE(move.Transliterate());
  bindingtest::TestTableDataset* source = newClients();
  bindingtest::TestTableDataset* destination = newClients();
  move.SetSource(source);
  move.SetDestination(destination);
  datasets.erase(datasets.begin());
  EXPECT_EQ(move.Source(), nullptr);
  EXPECT_EQ(move.Destination(), destination);
}

}  // namespace
