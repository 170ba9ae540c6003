// A window of twenty buffers over a clients file of 10,000 records: scrolled by one and by pages,
// the link hears the distances the framework's window promises and shows the records in order.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/db/DataSource.h"
#include "framework/db/tests/DbTestSupport.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

using datasettest::ClientsDatasetTest;
using datasettest::kClientCode;

constexpr int kRecords = 10000;
constexpr int kRows = 20;
constexpr uint16_t kClientCodeField = 2;

std::string codeOf(int n) {
  char code[8];
  std::snprintf(code, sizeof code, "C%05d", n);
  return code;
}

class DatasetScrollTest : public ClientsDatasetTest {
 protected:
  void SetUp() override {
    ClientsDatasetTest::SetUp();
    seed({});
    clients = openClients();
    fill();
    clients->First();
    source.SetDataSet(clients);
    link.SetBufferCount(kRows);
    link.SetDataSource(&source);
    link.scrolls.clear();
  }
  void TearDown() override {
    link.SetDataSource(nullptr);
    ClientsDatasetTest::TearDown();
  }

  // The clients C00001 to C10000, written straight through the engine in one transaction.
  void fill() {
    TttDatabase* database = clients->Database();
    TVirtEng* engine = clients->Engine();
    std::vector<char> record(static_cast<size_t>(clients->RecordSize()));
    database->StartTransaction();
    for (int n = 1; n <= kRecords; ++n) {
      ASSERT_EQ(engine->InitRecord(clients->Handle(), record.data()), 0);
      ASSERT_EQ(engine->PutField(clients->Handle(), kClientCodeField, record.data(), codeOf(n).c_str()), 0);
      ASSERT_EQ(engine->InsertRecord(clients->Handle(), 0, record.data()), 0);
    }
    database->Commit();
  }
  int current() { return std::stoi(code(*clients).substr(1)); }
  int idAt(int row) {
    const int saved = link.ActiveRecord();
    link.SetActiveRecord(row);
    const int id = current();
    link.SetActiveRecord(saved);
    return id;
  }
  std::vector<int> rows() {
    std::vector<int> ids;
    for (int row = 0; row < link.RecordCount(); ++row) ids.push_back(idAt(row));
    return ids;
  }
  static std::vector<int> run(int from, int to) {
    std::vector<int> ids;
    for (int id = from; id <= to; ++id) ids.push_back(id);
    return ids;
  }

  bindingtest::TestTableDataset* clients = nullptr;
  TDataSource source{nullptr};
  dbtest::LoggingLink link;
};

struct Step {
  int move;    // MoveBy distance
  int id;      // current record afterwards
  int scroll;  // distance the window reported
  int active;  // the window's active row
};

TEST_F(DatasetScrollTest, ScrollingByOneAndByPagesMovesTheWindowAsTheFrameworkPromises) {
  EXPECT_EQ(rows(), run(1, 20));
  const Step steps[] = {
      {1, 2, 0, 1},      // inside the window
      {18, 20, 0, 19},   // to its last row
      {1, 21, 1, 19},    // past it: a record is fetched, the window slides
      {20, 41, 20, 19},  // a page forward
      {-1, 40, 0, 18},   // back inside the window
      {-18, 22, 0, 0},   // to its first row
      {-1, 21, -1, 0},   // before it: a record is fetched at the top
      {-20, 1, -20, 0},  // a page back
  };
  for (const Step& s : steps) {
    SCOPED_TRACE("moving " + std::to_string(s.move) + " to " + std::to_string(s.id));
    link.scrolls.clear();
    EXPECT_EQ(clients->MoveBy(s.move), s.move);
    EXPECT_EQ(current(), s.id);
    EXPECT_EQ(link.scrolls, std::vector<int>{s.scroll});
    EXPECT_EQ(link.ActiveRecord(), s.active);
    EXPECT_EQ(idAt(link.ActiveRecord()), s.id);
  }
  EXPECT_EQ(rows(), run(1, 20));

  // Passing the first record finds the start once; after that nothing is tried.
  link.scrolls.clear();
  EXPECT_EQ(clients->MoveBy(-3), 0);
  EXPECT_TRUE(clients->Bof());
  EXPECT_EQ(link.scrolls, std::vector<int>{0});
  link.scrolls.clear();
  EXPECT_EQ(clients->MoveBy(-3), 0);
  EXPECT_TRUE(link.scrolls.empty());
}

TEST_F(DatasetScrollTest, PagesGoThroughEveryRecordInOrderBothWays) {
  int pages = 0;
  while (!clients->Eof()) {
    link.scrolls.clear();
    const int before = current();
    const int moved = clients->MoveBy(kRows);
    ASSERT_EQ(current(), before + moved);
    ASSERT_EQ(rows(), run(current() - link.ActiveRecord(), current() - link.ActiveRecord() + kRows - 1));
    ++pages;
  }
  EXPECT_EQ(current(), kRecords);
  EXPECT_EQ(pages, kRecords / kRows);  // the last page is one short and finds the end
  EXPECT_EQ(rows(), run(kRecords - kRows + 1, kRecords));

  link.scrolls.clear();
  EXPECT_EQ(clients->MoveBy(-kRows), -kRows);
  EXPECT_EQ(current(), kRecords - kRows);
  EXPECT_EQ(link.scrolls, std::vector<int>{-1});  // 19 rows up inside the window, one fetched
  while (!clients->Bof()) clients->MoveBy(-kRows);
  EXPECT_EQ(current(), 1);
  EXPECT_EQ(rows(), run(1, kRows));
  EXPECT_EQ(clients->RecordCount(), kRecords);
}

TEST_F(DatasetScrollTest, LastShowsTheFinalPageAndEveryRecordHasNoRecordNumber) {
  clients->Last();
  EXPECT_EQ(current(), kRecords);
  EXPECT_EQ(link.ActiveRecord(), kRows - 1);
  EXPECT_EQ(rows(), run(kRecords - kRows + 1, kRecords));
  for (int row = 0; row < link.RecordCount(); ++row) {
    link.SetActiveRecord(row);
    EXPECT_EQ(clients->RecNo(), -1);
  }
}

}  // namespace
