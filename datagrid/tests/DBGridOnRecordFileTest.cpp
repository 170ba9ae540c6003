// The data grid over the application's table on record files made by qnseed: the field map and
// footers, widths and tab stops, the link's window of records and its repainting, the scroll bar
// of a table without record numbers, new and deleted rows, row and footer events, column moves
// and the edit a cell starts, all through the record manager rather than a table in memory.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/db/DataSource.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"
#include "recordmgr/Database.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

using clientstable::kCity;
using clientstable::kCode;
using clientstable::kLastName;

std::string codeOf(int n) {
  char code[16];
  std::snprintf(code, sizeof code, "C%06d", n);
  return code;
}

clientstable::Client client(int n) { return {codeOf(n), "Name " + std::to_string(n), "City " + std::to_string(n % 7)}; }

// The grid with its scroll-bar answer open to the test and the cells it paints counted.
class ScrollableDBGrid : public TdcCustomDBGrid {
  QN_CLASS(ScrollableDBGrid, TdcCustomDBGrid)
 public:
  using TdcCustomDBGrid::TdcCustomDBGrid;
  using TdcCustomDBGrid::VerticalScroll;
  std::set<int> rowsDrawn;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) override {
    if (ARow >= TitleOffset()) rowsDrawn.insert(ARow);
    TdcCustomDBGrid::DrawCell(ACol, ARow, ARect, AState);
  }
};

class GridOnClientsTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    qn::ui::testing::qtApplication();
    form = new qn::ui::testing::TTestForm;
    form->SetBounds(100, 100, 640, 480);
    source = new TDataSource(form);
    grid = new ScrollableDBGrid(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 400);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Window()));
  }
  void TearDown() override {
    delete form;  // the grid lets go of the table first
    clients.reset();
  }

  // The clients C000001 … on key 1, the first current, showing code, last name and city. qnseed
  // makes the first; the others go in through the table in one transaction, which is quicker.
  void open(int count) {
    clients = std::make_unique<TdcTbTable>(nullptr);
    clients->SetDatabaseName(seedDataFolder("YClient.qf", clientsSeed({client(1)})));
    clients->SetTableName(clientstable::kClientsTable);
    clients->SetIndexName("1");
    clients->Open();
    clients->Database()->StartTransaction();
    for (int n = 2; n <= count; ++n) {
      const clientstable::Client c = client(n);
      clients->Append();
      clients->FieldByName(kCode)->SetAsString(c.code);
      clients->FieldByName(kLastName)->SetAsString(c.lastName);
      clients->FieldByName(kCity)->SetAsString(c.city);
      clients->Post();
    }
    clients->Database()->Commit();
    clients->First();
    for (int i = 0; i < clients->Fields().Count(); ++i) {
      TField* field = clients->Fields()[i];
      const AnsiString name = field->FieldName();
      field->SetVisible(name == kCode || name == kLastName || name == kCity);
    }
    source->SetDataSet(clients.get());
  }
  void bind() { grid->SetDataSource(source); }

  // The number in the current client's code.
  int current() { return std::stoi(clients->FieldByName(kCode)->AsString().substr(1)); }
  std::vector<AnsiString> mappedNames() {
    std::vector<AnsiString> names;
    for (int i = 0; i < grid->GetFieldCount(); ++i) names.push_back(grid->GetFields(i)->FieldName());
    return names;
  }
  // The record shown on the current row is the table's current record.
  void expectCurrentRow(int row) {
    EXPECT_EQ(grid->Row(), row);
    EXPECT_EQ(grid->Row() - grid->TitleOffset(), grid->DataLink().ActiveRecord());
  }
  int measureWidth(TFont* font, const AnsiString& text) {
    Canvas& c = grid->canvas();
    c.SetFont(font);
    return c.textWidth(text);
  }
  // A column of that many characters under that title.
  int columnWidth(int characters, const AnsiString& title) {
    return std::max(characters * measureWidth(grid->Font(), "0") + 4, measureWidth(grid->TitleFont(), title) + 4);
  }

  qn::ui::testing::TTestForm* form = nullptr;
  TDataSource* source = nullptr;
  ScrollableDBGrid* grid = nullptr;
  std::unique_ptr<TdcTbTable> clients;
};

TEST_F(GridOnClientsTest, VisibleFieldsAndSelectedLinesMakeTheColumns) {
  open(3);
  bind();
  EXPECT_EQ(mappedNames(), (std::vector<AnsiString>{kCode, kLastName, kCity}));
  clients->FieldByName(kLastName)->SetVisible(false);
  EXPECT_EQ(mappedNames(), (std::vector<AnsiString>{kCode, kCity}));
  EXPECT_EQ(grid->columnCount(), 3);

  grid->SetUseTFields(false);
  grid->Selected().Add("City\t12\tTown");
  grid->Selected().Add("Nowhere\t5\tGone");
  grid->Selected().Add("client code\t7\tCode");
  grid->LayoutColumns();  // the link is active: a line naming no field goes
  EXPECT_EQ(mappedNames(), (std::vector<AnsiString>{kCity, kCode}));
  ASSERT_EQ(grid->Selected().Count(), 2);
  EXPECT_EQ(grid->Selected().Strings(1), "client code\t7\tCode");
}

TEST_F(GridOnClientsTest, FooterTextsSurviveARelayoutAndNoSelectedLineGivesOneColumn) {
  open(3);
  bind();
  grid->ColumnByName(kCity).SetFooterValue("3 cities");
  clients->FieldByName(kLastName)->SetVisible(false);  // a new column list
  EXPECT_EQ(grid->ColumnByName("CITY").FooterValue(), "3 cities");
  EXPECT_EQ(grid->ColumnByName(kCode).FooterValue(), "");

  grid->SetUseTFields(false);
  EXPECT_EQ(grid->GetFieldCount(), 0);
  EXPECT_EQ(grid->columnCount(), 2);
  EXPECT_EQ(grid->SelectedField(), nullptr);
}

TEST_F(GridOnClientsTest, ColumnsAreAsWideAsTheFieldsCharactersAndResizingWritesThemBack) {
  open(3);
  clients->FieldByName(kCity)->SetReadOnly(true);
  bind();
  EXPECT_EQ(grid->GetColWidths(1), columnWidth(7, kCode));
  EXPECT_EQ(grid->GetColWidths(2), columnWidth(40, kLastName));
  const int zero = measureWidth(grid->Font(), "0");
  grid->setColumnWidth(2, 20 * zero + 3);
  EXPECT_EQ(clients->FieldByName(kLastName)->DisplayWidth(), 20);
  EXPECT_EQ(grid->GetColWidths(2), columnWidth(20, kLastName));

  std::vector<bool> stops;
  for (int i = 1; i < grid->columnCount(); ++i) stops.push_back(grid->columnTakesTab(i));
  EXPECT_EQ(stops, (std::vector<bool>{true, true, false}));
}

TEST_F(GridOnClientsTest, TheWindowFollowsMovesByRowsAndPages) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  EXPECT_GT(k, 5);
  EXPECT_EQ(grid->DataLink().BufferCount(), k);
  expectCurrentRow(1);
  for (int i = 1; i < k; ++i) clients->Next();
  expectCurrentRow(k);
  clients->Next();
  expectCurrentRow(k);
  EXPECT_EQ(current(), k + 1);
  clients->MoveBy(k);
  expectCurrentRow(k);
  EXPECT_EQ(current(), 2 * k + 1);
  clients->MoveBy(-k);
  expectCurrentRow(1);
  EXPECT_EQ(current(), k + 1);
  clients->Last();
  expectCurrentRow(k);
  EXPECT_EQ(current(), 1000);
  EXPECT_TRUE(clients->FindKey({Variant(codeOf(500))}));
  EXPECT_EQ(grid->Row() - grid->TitleOffset(), grid->DataLink().ActiveRecord());
  EXPECT_EQ(current(), 500);
}

// The record manager numbers no records: the bar knows the beginning, the middle and the end.
TEST_F(GridOnClientsTest, TheScrollBarKnowsOnlyBeginningMiddleAndEnd) {
  open(200);
  bind();
  ASSERT_FALSE(clients->IsSequenced());
  EXPECT_EQ(grid->verticalScrollRange(), (std::pair{0, 4}));
  EXPECT_EQ(grid->verticalScrollPosition(), 0);
  clients->MoveBy(50);
  EXPECT_EQ(grid->verticalScrollPosition(), 2);
  clients->Last();
  clients->Next();
  EXPECT_EQ(grid->verticalScrollPosition(), 4);
  clients->First();
  EXPECT_EQ(grid->verticalScrollPosition(), 0);
}

TEST_F(GridOnClientsTest, ThumbPositionsMoveByPagesAndEnds) {
  open(200);
  bind();
  const int k = grid->VisibleRowCount();
  clients->MoveBy(99);
  struct Case {
    int position;
    int record;
  };
  for (Case c : {Case{3, 100 + k}, Case{1, 100}, Case{2, 100}, Case{4, 200}, Case{0, 1}}) {
    SCOPED_TRACE(c.position);
    grid->VerticalScroll(ScrollAction::thumbPosition, c.position);
    EXPECT_EQ(current(), c.record);
    EXPECT_EQ(grid->Row() - 1, grid->DataLink().ActiveRecord());
  }
  grid->VerticalScroll(ScrollAction::pageDown, 0);
  EXPECT_EQ(current(), 1 + k);
  grid->VerticalScroll(ScrollAction::lineDown, 0);
  EXPECT_EQ(current(), 2 + k);
  grid->VerticalScroll(ScrollAction::bottom, 0);
  EXPECT_EQ(current(), 200);
}

TEST_F(GridOnClientsTest, ALongJumpRepaintsEveryRowAndMovesNoTopRowEvent) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  int topRowChanges = 0;
  grid->OnTopRowChanged = [&](TObject*) { ++topRowChanges; };
  clients->MoveBy(k - 1);
  QApplication::processEvents();
  grid->rowsDrawn.clear();
  clients->Next();  // one line down: the top row moves, few rows are painted
  QApplication::processEvents();
  EXPECT_EQ(topRowChanges, 1);
  EXPECT_LT(grid->rowsDrawn.size(), 4u);

  grid->rowsDrawn.clear();
  clients->MoveBy(k + 1);
  QApplication::processEvents();
  EXPECT_EQ(topRowChanges, 1);
  EXPECT_EQ(grid->rowsDrawn.size(), static_cast<size_t>(k));
}

// Clients and their matters in one data folder; the grid shows the matters of the current client.
TEST_F(GridOnClientsTest, TheFooterFollowsTheMastersRecord) {
  const std::string data = datasettest::seedClients(
      "grid-master", {"ADAMS", "BRIGHT"}, {},
      "Client Code = ADAMS\nCase Suffix = 1\nLeftJustCaseSuffix = 1\n\n"
      "Client Code = ADAMS\nCase Suffix = 2\nLeftJustCaseSuffix = 2\n\n"
      "Client Code = BRIGHT\nCase Suffix = 1\nLeftJustCaseSuffix = 1\n\n");
  TdcTbTable masters(nullptr);
  masters.SetDatabaseName(data);
  masters.SetTableName(clientstable::kClientsTable);
  masters.SetIndexName("1");
  masters.Open();
  TDataSource masterSource(nullptr);
  masterSource.SetDataSet(&masters);
  clients = std::make_unique<TdcTbTable>(nullptr);
  clients->SetDatabaseName(data);
  clients->SetTableName("YCase.qf;RES:YCASE");
  clients->SetIndexName("4");  // client, then suffix
  clients->SetMasterSource(&masterSource);
  clients->SetMasterFields(kCode);
  clients->Open();
  source->SetDataSet(clients.get());

  int footers = 0;
  grid->OnUpdateFooter = [&](TObject*) { ++footers; };
  bind();
  const int atStart = footers;
  EXPECT_GE(atStart, 1);
  clients->Next();
  EXPECT_EQ(footers, atStart);
  masters.Next();
  EXPECT_EQ(footers, atStart + 1);
  EXPECT_EQ(clients->FieldByName(kCode)->AsString(), "BRIGHT");
  masters.Prior();
  EXPECT_EQ(footers, atStart + 2);
  grid->SetDataSource(nullptr);
  source->SetDataSet(nullptr);
  clients.reset();
}

TEST_F(GridOnClientsTest, NewRowsAreCurrentAndDeletingTheLastKeepsTheNewLastOnTheLastRow) {
  open(1000);
  bind();
  const int k = grid->VisibleRowCount();
  clients->MoveBy(4);
  clients->Insert();
  EXPECT_EQ(clients->State(), dsInsert);
  expectCurrentRow(5);
  clients->Cancel();
  expectCurrentRow(5);
  EXPECT_EQ(current(), 5);

  clients->Append();
  expectCurrentRow(k);
  clients->FieldByName(kCode)->SetAsString(codeOf(1001));
  clients->Post();
  expectCurrentRow(k);
  EXPECT_EQ(current(), 1001);

  clients->Last();
  clients->Delete();
  expectCurrentRow(k);
  EXPECT_EQ(current(), 1000);
  EXPECT_EQ(grid->rowCount(), k + 1);
}

TEST_F(GridOnClientsTest, RowChangesAreReportedOncePerRecord) {
  open(50);
  int rows = 0;
  grid->OnRowChanged = [&](TObject*) { ++rows; };
  bind();
  clients->Next();
  clients->MoveBy(10);
  EXPECT_EQ(rows, 2);
  grid->SetSelectedIndex(2);
  clients->Refresh();
  clients->MoveBy(0);
  EXPECT_EQ(rows, 2);
  EXPECT_TRUE(clients->FindKey({Variant(codeOf(40))}));
  EXPECT_EQ(rows, 3);
}

TEST_F(GridOnClientsTest, AMovedColumnReordersTheFieldsAndACellEditStartsAnEdit) {
  open(3);
  bind();
  std::vector<std::pair<int, int>> moves;
  grid->OnColumnMoved = [&](TObject*, int From, int To) { moves.emplace_back(From, To); };
  const int cityIndex = clients->FieldByName(kCity)->Index();
  grid->moveColumnTo(3, 1);
  EXPECT_EQ(mappedNames(), (std::vector<AnsiString>{kCity, kCode, kLastName}));
  EXPECT_LT(clients->FieldByName(kCity)->Index(), clients->FieldByName(kCode)->Index());
  EXPECT_NE(clients->FieldByName(kCity)->Index(), cityIndex);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 0}}));

  grid->SetSelectedIndex(2);
  grid->SetReadOnly(true);
  EXPECT_FALSE(grid->showCellEditor());
  EXPECT_EQ(clients->State(), dsBrowse);
  grid->SetReadOnly(false);
  EXPECT_TRUE(grid->showCellEditor());
  EXPECT_EQ(clients->State(), dsEdit);
  clients->Cancel();
  grid->hideCellEditor();
}

// The record's stored bytes as `qnrecmgr dump` shows them, in hexadecimal.
std::string dumpedHexOf(const std::string& file, const std::string& code) {
  const std::string command = "'" + qn::recmgr::testing::programFolder() + "/qnrecmgr' dump '" + file + "'";
  std::string codeHex;
  for (unsigned char c : code) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", c);
    codeHex += digits;
  }
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
  }
  for (size_t at = 0, end; at < out.size(); at = end + 1) {
    end = out.find('\n', at);
    if (end == std::string::npos) end = out.size();
    const std::string line = out.substr(at, end - at);
    const size_t start = line.find("\"hex\":\"");
    if (start == std::string::npos) continue;
    const std::string hex = line.substr(start + 7, line.find('"', start + 7) - start - 7);
    if (hex.compare(8, codeHex.size(), codeHex) == 0) return hex;  // the code follows 4 bytes
  }
  return "";
}

// A damaged amount is no number: its cell shows nothing, the grid paints and scrolls over it, and
// an edit of another field of that record posts without touching the amount's stored bytes.
TEST_F(GridOnClientsTest, ARecordWithADamagedAmountPaintsScrollsAndPostsKeepingItsBytes) {
  constexpr size_t thresholdOffset = 390;
  open(60);
  const std::string data = clients->DatabaseName();
  storeClientBytes(data, codeOf(5), thresholdOffset, std::string("\x0A\xBC\xDF", 3));
  clients->FieldByName("Threshhold")->SetVisible(true);
  clients->Refresh();
  std::vector<AnsiString> raised;
  Application->OnException = [&](TObject*, const Exception& e) { raised.push_back(e.Message()); };
  bind();
  form->Window()->repaint();
  QApplication::processEvents();
  for (int i = 0; i < 60; ++i) {
    clients->Next();
    QApplication::processEvents();
  }
  grid->VerticalScroll(ScrollAction::top, 0);
  QApplication::processEvents();
  grid->VerticalScroll(ScrollAction::bottom, 0);
  form->Window()->repaint();
  QApplication::processEvents();
  EXPECT_TRUE(clients->FindKey({Variant(codeOf(5))}));
  form->Window()->repaint();
  QApplication::processEvents();
  TField* threshold = clients->FieldByName("Threshhold");
  EXPECT_TRUE(threshold->IsNull());
  EXPECT_EQ(threshold->DisplayText(), "");

  clients->Edit();
  clients->FieldByName(kLastName)->SetAsString("Renamed");
  clients->Post();
  QApplication::processEvents();
  Application->OnException = nullptr;
  EXPECT_EQ(raised, std::vector<AnsiString>{});
  const std::string hex = dumpedHexOf(data + "/YClient.qf", codeOf(5));
  ASSERT_GE(hex.size(), 2 * (thresholdOffset + 3));
  EXPECT_EQ(hex.substr(2 * thresholdOffset, 6), "0abcdf");
  EXPECT_EQ(hex.substr(2 * 47, 14), "52656e616d6564");  // "Renamed": the post went through
}

}  // namespace
