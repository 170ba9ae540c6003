// The incremental search box typed into on a shown form, on the clients file made with qnseed
// and on a memory dataset, its pause measured on a manual clock. The record manager's databases
// count as SQL-based, so their tables wait the whole pause too.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "datagrid/DcQuery.h"
#include "datagrid/DcTable.h"
#include "datagrid/IncrementalSearch.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/base/Clock.h"
#include "framework/db/DataSource.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "framework/ui/tests/TestControls.h"
#include "recordmgr/tests/SqlLoginName.h"

namespace {

using clientstable::Client;
using qn::ui::testing::ScriptedMessageBoxes;

const std::vector<Client> kClients = {{"ADAMS", "Adams", "Boston"}, {"SMALL", "Small", "Albany"},
                                      {"SMITH", "Smith", "Boston"}, {"WHITE", "White", "Chicago"}};

class IncrementalSearchTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    qn::ui::testing::qtApplication();
    qn::setClock(&clock);
    makeTable = [] { return std::make_unique<TdcTable>(nullptr); };
    form = std::make_unique<qn::ui::testing::TTestForm>();
    search = new TdcIncrementalSearch(form.get());
    search->SetName("Search1");
    search->SetParent(form.get());
    search->OnAfterSearch = [this](TdcIncrementalSearch* sender, bool found) {
      EXPECT_EQ(sender, search);
      results.push_back(found);
    };
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
    search->SetFocus();
    Application->OnException = [](TObject*, const Exception& error) { ADD_FAILURE() << "raised: " << error.Message(); };
  }
  void TearDown() override {
    form.reset();
    Application->OnException = nullptr;
    qn::setClock(nullptr);
  }
  QLineEdit* lineEdit() { return static_cast<QLineEdit*>(search->Window()); }
  void pass(uint64_t ms) {
    clock.advance(ms);
    Application->ProcessMessages();
  }
  std::string code() { return table->FieldByName(clientstable::kCode)->AsString(); }

  qn::ManualClock clock{100000};
  std::unique_ptr<qn::ui::testing::TTestForm> form;
  TdcIncrementalSearch* search = nullptr;
  TDataSource source{nullptr};
  std::vector<bool> results;
};

TEST_F(IncrementalSearchTest, ABurstOfKeysSearchesOnceWhenThePauseHasPassed) {
  openClients(kClients);
  source.SetDataSet(table.get());
  search->SetDataSource(&source);
  QTest::keyClicks(lineEdit(), "S");
  pass(100);
  QTest::keyClicks(lineEdit(), "M");
  pass(TdcIncrementalSearch::SearchDelay - 1);
  EXPECT_TRUE(results.empty()) << "the pause starts again with each key";
  pass(1);
  EXPECT_EQ(results, std::vector<bool>{true});
  EXPECT_EQ(code(), "SMALL");
  EXPECT_EQ(search->LastSearchedText(), "SM");
  pass(1000);
  EXPECT_EQ(results.size(), 1u);
}

TEST_F(IncrementalSearchTest, OnAMemoryDatasetThePauseIsTheSame) {
  MemoryDataSet names(nullptr);
  names.FieldDefs().Add("Name", ftString, 20);
  names.Open();
  for (const char* name : {"Adams", "Smith", "Wright"}) names.AppendRecord({Variant(AnsiString(name))});
  names.First();
  source.SetDataSet(&names);
  search->SetDataSource(&source);
  QTest::keyClicks(lineEdit(), "wr");
  pass(TdcIncrementalSearch::SearchDelay - 1);
  EXPECT_TRUE(results.empty());
  pass(1);
  EXPECT_EQ(results, std::vector<bool>{true});
  EXPECT_EQ(names.FieldByName("Name")->AsString(), "Wright");
}

TEST_F(IncrementalSearchTest, ShowMatchTextCompletesAndBackspaceRemovesTheCompletionWithoutSearching) {
  openClients(kClients);
  source.SetDataSet(table.get());
  search->SetDataSource(&source);
  search->ShowMatchText = true;
  QTest::keyClicks(lineEdit(), "sm");
  pass(TdcIncrementalSearch::SearchDelay);
  ASSERT_EQ(results, std::vector<bool>{false}) << "the client codes keep case";
  search->Clear();
  QTest::keyClicks(lineEdit(), "SM");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(search->Text(), "SMALL");
  EXPECT_EQ(search->SelStart(), 2);
  EXPECT_EQ(search->SelLength(), 3);
  QTest::keyClick(lineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(search->Text(), "SM");
  pass(1000);
  EXPECT_EQ(results.size(), 2u) << "no search after Backspace";
  QTest::keyClicks(lineEdit(), "I");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(search->Text(), "SMITH");
  EXPECT_EQ(code(), "SMITH");
}

TEST_F(IncrementalSearchTest, LettersInASearchOnANumberMoveNothing) {
  openClients(kClients, "0");
  table->Last();
  source.SetDataSet(table.get());
  search->SetDataSource(&source);
  QTest::keyClicks(lineEdit(), "ab");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(results, std::vector<bool>{false});
  EXPECT_EQ(code(), "WHITE");
  search->Clear();
  QTest::keyClicks(lineEdit(), "2");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(code(), "SMALL");
}

TEST_F(IncrementalSearchTest, PictureMaskFromFieldAppliesTheFieldsMaskWhileTyping) {
  TdcTable& clients = static_cast<TdcTable&>(openClients(kClients));
  clients.Extension().PictureMasks.Add(std::string(clientstable::kCode) + "\t&&&&&\tF\tF");
  source.SetDataSet(&clients);
  search->SetDataSource(&source);
  search->PictureMaskFromField = true;
  QTest::keyClicks(lineEdit(), "s1m");
  EXPECT_EQ(search->Text(), "SM");
  search->Clear();
  search->PictureMaskFromField = false;
  search->PictureMask = "###";
  QTest::keyClicks(lineEdit(), "a1b2");
  EXPECT_EQ(search->Text(), "12");
}

TEST_F(IncrementalSearchTest, OnAPlainFrameworkTableTheSearchAsksForTheExtendedTable) {
  makeTable = [] { return std::make_unique<TTable>(nullptr); };
  openClients(kClients);
  source.SetDataSet(table.get());
  search->SetDataSource(&source);
  QTest::keyClicks(lineEdit(), "SM");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Incremental Search - TTable component not supported. Use TdcTable instead.");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(results, std::vector<bool>{false});
  EXPECT_EQ(code(), "ADAMS");
}

TEST_F(IncrementalSearchTest, AnExtendedQueryWithoutIndexesIsSearchedByLocatingTheValue) {
  TdcQuery query(nullptr);
  query.SetDatabaseName(sqldrivertest::makeLoginDatabase("SEARCHDB"));
  query.SQL()->Add("SELECT A, B FROM LEDGER");
  query.Open();
  source.SetDataSet(&query);
  search->SetDataSource(&source);
  search->ShowMatchText = true;
  QTest::keyClicks(lineEdit(), "th");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(results, std::vector<bool>{true});
  EXPECT_EQ(query.FieldByName("B")->AsInteger(), 3);
  EXPECT_EQ(search->Text(), "three");
  search->Clear();
  QTest::keyClicks(lineEdit(), "x");
  pass(TdcIncrementalSearch::SearchDelay);
  EXPECT_EQ(results, (std::vector<bool>{true, false}));
  EXPECT_EQ(query.FieldByName("B")->AsInteger(), 3);
}

TEST_F(IncrementalSearchTest, WithoutADataSourceOrDatasetTheKeyIsToldAndNothingRuns) {
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "DataSource not defined - object Search1");
    QTest::keyClicks(lineEdit(), "a");
  }
  search->SetDataSource(&source);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "Dataset not defined for DataSource");
    QTest::keyClicks(lineEdit(), "b");
  }
  pass(1000);
  EXPECT_TRUE(results.empty());
}

}  // namespace
