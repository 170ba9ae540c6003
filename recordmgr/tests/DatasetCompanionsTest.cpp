// The update object a table links to, and the batch move's hold on its datasets.
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
