// The key combo on the clients file made with qnseed: its entries from the index definitions,
// choosing an entry switches the index, and the warnings for datasets it cannot serve.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagrid/DcTable.h"
#include "datagrid/KeyCombo.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/db/DataSource.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/TestControls.h"

namespace {

using clientstable::Client;
using qn::ui::testing::ScriptedMessageBoxes;

const std::vector<Client> kClients = {{"ADAMS", "Adams", "Boston"}, {"BRIGHT", "Bright", "Albany"}};

class KeyComboTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    qn::ui::testing::qtApplication();
    makeTable = [] { return std::make_unique<TdcTable>(nullptr); };
    form = std::make_unique<qn::ui::testing::TTestForm>();
    combo = new TdcKeyCombo(form.get());
    combo->SetName("KeyCombo1");
    combo->SetParent(form.get());
    form->Show();
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> all;
    for (int i = 0; i < combo->Items()->Count(); ++i) all.push_back(combo->Items()->Strings(i));
    return all;
  }
  std::string selected() const {
    return combo->ItemIndex() < 0 ? std::string() : std::string(combo->Items()->Strings(combo->ItemIndex()));
  }
  void choose(const char* entry) {
    combo->SetItemIndex(combo->Items()->IndexOf(entry));
    combo->pickedFromList(combo->ItemIndex());
  }
  // The open table's index definitions replaced by these (names that are key numbers).
  void useDefinitions(TTable& clients, const std::vector<TIndexDef>& defs) {
    clients.UpdateIndexDefs();
    clients.IndexDefs().Clear();
    for (const TIndexDef& def : defs) clients.IndexDefs().Add(def.Name, def.Fields, def.Options);
    clients.IndexDefs().SetUpdated(true);
  }

  std::unique_ptr<qn::ui::testing::TTestForm> form;
  TdcKeyCombo* combo = nullptr;
  TDataSource source{nullptr};
};

TEST_F(KeyComboTest, EntriesAreTheFirstFieldsLabelsAndTheActiveIndexIsSelected) {
  TTable& clients = openClients(kClients, " 3 - Client Last Name+Client First Name");
  clients.FieldByName(clientstable::kCode)->SetDisplayLabel("Client~Code");
  source.SetDataSet(&clients);
  combo->SetDataSource(&source);
  EXPECT_EQ(entries(), (std::vector<std::string>{"AutoIncrement", "Client Code", "First 6 Last Name", "Client Last Name"}));
  EXPECT_EQ(selected(), "Client Last Name");
  choose("Client Code");
  EXPECT_EQ(clients.IndexName(), " 1 - Client Code");
  EXPECT_EQ(selected(), "Client Code");
  // The dataset's own switch moves the selection.
  clients.SetIndexName(" 3 - Client Last Name+Client First Name");
  EXPECT_EQ(selected(), "Client Last Name");
}

TEST_F(KeyComboTest, DescendingIndexesShowDescAndEachLabelComesOnce) {
  TTable& clients = openClients(kClients, "1");
  useDefinitions(clients, {{"1", "Client Code", "", "", 0},
                           {"3", "Client Code", "", "", ixCaseInsensitive},
                           {"2", "Client Last Name", "", "", ixDescending},
                           {"0", "Client Last Name", "", "", 0},
                           {"9", "Nickname", "", "", 0}});
  clients.FieldByName("City")->SetVisible(false);
  source.SetDataSet(&clients);
  combo->SetDataSource(&source);
  EXPECT_EQ(entries(), (std::vector<std::string>{"Client Code", "Client Last Name - Desc", "Client Last Name"}));
  EXPECT_EQ(selected(), "Client Code");
  choose("Client Code");
  EXPECT_EQ(clients.IndexName(), "3") << "of two indexes on a field the case-insensitive one";
  choose("Client Last Name - Desc");
  EXPECT_EQ(clients.IndexName(), "2");
}

TEST_F(KeyComboTest, ShowAllIndexesListsTheNamesWithThePrimaryKeyName) {
  TTable& clients = openClients(kClients, "");
  useDefinitions(clients, {{"", "AutoIncrement", "", "", ixPrimary}, {"1", "Client Code", "", "", 0}});
  source.SetDataSet(&clients);
  combo->PrimaryKeyName = "Record number";
  combo->SetDataSource(&source);
  combo->SetShowAllIndexes(true);
  EXPECT_EQ(entries(), (std::vector<std::string>{"Record number", "1"}));
  EXPECT_EQ(selected(), "Record number");
  choose("1");
  EXPECT_EQ(clients.IndexName(), "1");
  choose("Record number");
  EXPECT_EQ(clients.IndexName(), "");
}

TEST_F(KeyComboTest, DatasetsItCannotServeAreToldInWarnings) {
  MemoryDataSet memory(nullptr);
  memory.FieldDefs().Add("Name", ftString, 10);
  memory.Open();
  TDataSource memorySource(nullptr);
  memorySource.SetDataSet(&memory);
  TdcTable withQuery(nullptr);
  withQuery.Query()->Add("query SELECT A FROM LEDGER");
  TdcTable child(nullptr);
  TDataSource master(nullptr);
  child.SetMasterSource(&master);
  TTable& clients = openClients(kClients, "1");
  source.SetDataSet(&clients);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "DataSource must point to a dataset containing index information.");
    combo->SetDataSource(&memorySource);
    EXPECT_EQ(combo->DataSource(), nullptr);
    combo->SetDataSource(&source);
    boxes.expect(mtWarning, "TdcKeyCombo: Virtual DataSet does not have index information available.");
    source.SetDataSet(&memory);
    choose("Client Code");
    source.SetDataSet(&withQuery);
    boxes.expect(mtWarning, "TdcKeyCombo: DataSet cannot be a TdcTable using a Query.");
    combo->SetShowAllIndexes(true);
    source.SetDataSet(&child);
    boxes.expect(mtWarning, "TdcKeyCombo: Data Source can not be a child table.\rComponent KeyCombo1 has a MasterSource defined.");
    combo->SetShowAllIndexes(false);
  }
}

}  // namespace
