// Which fields become the data grid's columns, how wide and tall its cells are, and what the
// user's resizing and moving of columns writes back.
#include "datagrid/tests/DBGridTestSupport.h"
#include "datagrid/IndicatorButton.h"
#include "framework/base/ComponentLoading.h"
#include "framework/db/StringField.h"
#include "framework/ui/BitmapImage.h"

namespace datagridtest {
namespace {

using LayoutTest = DBGridTest;

std::vector<AnsiString> mappedNames(TdcCustomDBGrid& grid) {
  std::vector<AnsiString> names;
  for (int i = 0; i < grid.GetFieldCount(); ++i) names.push_back(grid.GetFields(i)->FieldName());
  return names;
}

TEST_F(LayoutTest, VisibleFieldsBecomeColumnsInFieldOrder) {
  open(3);
  table->FieldByName("Client")->SetVisible(false);
  bind();
  EXPECT_EQ(mappedNames(*grid), (std::vector<AnsiString>{"CaseID", "Title", "Amount"}));
  EXPECT_EQ(grid->columnCount(), 4);  // the indicator and three fields
  EXPECT_EQ(grid->GetFields(3), nullptr);
  table->FieldByName("Client")->SetVisible(true);
  EXPECT_EQ(mappedNames(*grid), (std::vector<AnsiString>{"CaseID", "Client", "Title", "Amount"}));
}

TEST_F(LayoutTest, SelectedLinesNamingMissingFieldsAreSkippedThenDeleted) {
  grid->SetUseTFields(false);
  grid->Selected().Add("Title\t20\tMatter");
  grid->Selected().Add("Nowhere\t5\tGone");
  grid->Selected().Add("caseid\t8\tCase");
  bind();  // the table is closed: nothing is mapped, every line is kept
  EXPECT_EQ(grid->GetFieldCount(), 0);
  EXPECT_EQ(grid->Selected().Count(), 3);
  EXPECT_EQ(grid->columnCount(), 4);

  open(2);
  EXPECT_EQ(mappedNames(*grid), (std::vector<AnsiString>{"Title", "CaseID"}));
  ASSERT_EQ(grid->Selected().Count(), 2);
  EXPECT_EQ(grid->Selected().Strings(0), "Title\t20\tMatter");
  EXPECT_EQ(grid->Selected().Strings(1), "caseid\t8\tCase");
}

TEST_F(LayoutTest, AnEmptySelectedListGivesOneColumnAndNoField) {
  grid->SetUseTFields(false);
  open(2);
  bind();
  EXPECT_EQ(grid->GetFieldCount(), 0);
  EXPECT_EQ(grid->columnCount(), 2);
  EXPECT_EQ(grid->SelectedField(), nullptr);
}

TEST_F(LayoutTest, FooterTextsSurviveARelayoutAndTheStandByColumnTakesNone) {
  open(2);
  bind();
  grid->ColumnByName("Amount").SetFooterValue("Total 3");
  grid->ColumnByName("Nowhere").SetFooterValue("lost");
  table->FieldByName("Client")->SetVisible(false);  // a new column list
  EXPECT_EQ(grid->ColumnByName("AMOUNT").FooterValue(), "Total 3");
  EXPECT_EQ(grid->ColumnByIndex(2).FooterValue(), "Total 3");
  EXPECT_EQ(grid->ColumnByName("Nowhere").FooterValue(), "");
  EXPECT_EQ(grid->ColumnByName("CaseID").FooterValue(), "");
}

TEST_F(LayoutTest, TheFieldMapStopsAtItsLimit) {
  open(1);
  bind();
  grid->SetUseTFields(false);
  StringList lines;
  for (int i = 0; i < TdcGridDataLink::kMaxMappedFields; ++i) lines.Add("CaseID\t8\tCase");
  grid->Selected().Assign(lines);
  grid->LayoutColumns();
  EXPECT_EQ(grid->GetFieldCount(), TdcGridDataLink::kMaxMappedFields);

  grid->Selected().Add("Title\t8\tOne too many");
  try {
    grid->LayoutColumns();
    FAIL() << "a map past its limit was accepted";
  } catch (const EInvalidGridOperation& e) {
    EXPECT_EQ(e.Message(), "Grid requested to display more than 256 columns");
  }
}

TEST_F(LayoutTest, AColumnIsAsWideAsItsCharactersOrItsWidestTitleLine) {
  open(1);
  table->FieldByName("CaseID")->SetDisplayWidth(12);
  table->FieldByName("Amount")->SetDisplayWidth(2);
  table->FieldByName("Amount")->SetDisplayLabel("Amount billed~to date");
  bind();
  const int zero = charWidth();
  EXPECT_EQ(grid->GetColWidths(1), 12 * zero + 4);
  const int title = measureWidth(grid->TitleFont(), "Amount billed") + 4;
  ASSERT_GT(title, 2 * zero + 4);
  EXPECT_EQ(grid->GetColWidths(4), title);

  grid->SetDBOptions(TdcDBGridOptions::FromMask(grid->DBOptions().Mask()).Include(dgNoLimitColSize));
  grid->LayoutColumns();
  EXPECT_EQ(grid->GetColWidths(4), 2 * zero + 4);
}

TEST_F(LayoutTest, SelectedWidthsAndTitlesSizeTheColumns) {
  grid->SetUseTFields(false);
  grid->Selected().Add("Client\t3\tClient of the firm~code");
  grid->Selected().Add("Title\t25");
  open(1);
  bind();
  EXPECT_EQ(grid->GetColWidths(1), measureWidth(grid->TitleFont(), "Client of the firm") + 4);
  EXPECT_EQ(grid->GetColWidths(2), std::max(25 * charWidth() + 4, measureWidth(grid->TitleFont(), "Title") + 4));
}

TEST_F(LayoutTest, AWidthThatIsNoNumberStopsTheLayout) {
  grid->SetUseTFields(false);
  grid->Selected().Add("Client\twide\tClient");
  open(1);
  EXPECT_ANY_THROW(bind());
}

TEST_F(LayoutTest, RowHeightsFollowTheFontsTitleLinesAndPercent) {
  open(1);
  table->FieldByName("Title")->SetDisplayLabel("Matter~title~in full");
  bind();
  const int titleText = measureHeight(grid->TitleFont(), "W");
  const int dataRow = measureHeight(grid->Font(), "W") + 3;  // with row lines
  EXPECT_EQ(grid->rowHeight(0), titleText + 4);  // the '~' count does not matter
  EXPECT_EQ(grid->defaultRowHeight(), dataRow);

  grid->SetTitleLines(3);
  EXPECT_EQ(grid->rowHeight(0), 3 * titleText + 4);
  grid->SetTitleLines(0);
  EXPECT_EQ(grid->TitleLines(), 3);

  grid->SetRowHeightPercent(150);
  EXPECT_EQ(grid->defaultRowHeight(), dataRow * 150 / 100);
  grid->SetRowHeightPercent(0);
  EXPECT_EQ(grid->RowHeightPercent(), 100);
  EXPECT_EQ(grid->defaultRowHeight(), dataRow * 150 / 100);  // stored, not yet laid out

  grid->SetDBOptions(TdcDBGridOptions::FromMask(grid->DBOptions().Mask()).Exclude(dgRowLines));
  EXPECT_EQ(grid->defaultRowHeight(), dataRow - 1);
  EXPECT_EQ(grid->rowHeight(0), 3 * titleText + 5);
}

TEST_F(LayoutTest, ANegativeFooterHeightStoresZero) {
  grid->SetFooterHeight(-5);
  EXPECT_EQ(grid->FooterHeight(), 0);
}

TEST_F(LayoutTest, TheFooterTakesItsBandBelowTheRows) {
  open(40);
  bind();
  const TRect full = grid->TCustomGrid::ClientRect();
  const int rowsWithout = grid->VisibleRowCount();
  grid->SetDBOptions(TdcDBGridOptions::FromMask(grid->DBOptions().Mask()).Include(dgShowFooter));
  const int band = grid->defaultRowHeight() + 4;
  EXPECT_EQ(grid->ClientRect().Bottom, full.Bottom - band);
  EXPECT_EQ(grid->GetFooterRect(), (TRect{full.Left, full.Bottom - band, full.Right, full.Bottom - band + grid->defaultRowHeight() + 3}));
  EXPECT_EQ(grid->VisibleRowCount(), rowsFitting());
  EXPECT_LT(grid->VisibleRowCount(), rowsWithout);

  grid->SetFooterHeight(30);
  grid->SetDBOptions(TdcDBGridOptions::FromMask(grid->DBOptions().Mask()).Include(dgFooter3DCells));
  EXPECT_EQ(grid->ClientRect().Bottom, full.Bottom - 32);
  EXPECT_EQ(grid->GetFooterRect().Height(), 31);
}

// A table with persistent fields: a read-only one and a calculated one.
class TabStopTest : public DBGridTest {
 protected:
  void SetUp() override {
    DBGridTest::SetUp();
    calc = new MemoryDataSet(form);
    for (const char* name : {"CaseID", "Note", "Label"}) {
      auto* field = new TStringField(calc);
      field->SetFieldName(name);
      field->SetSize(10);
      if (std::string(name) == "Label") field->SetFieldKind(fkCalculated);
      field->SetDataSet(calc);
    }
    calc->FieldDefs().Add("CaseID", ftString, 10);
    calc->FieldDefs().Add("Note", ftString, 10);
    calc->Open();
    calc->AppendRecord({"C1", "n"});
    calc->FieldByName("Note")->SetReadOnly(true);
    source->SetDataSet(calc);
  }
  std::vector<bool> stops() {
    std::vector<bool> result;
    for (int i = 1; i < grid->columnCount(); ++i) result.push_back(grid->columnTakesTab(i));
    return result;
  }
  MemoryDataSet* calc = nullptr;
};

TEST_F(TabStopTest, ReadOnlyAndCalculatedFieldsTakeNoTab) {
  bind();
  EXPECT_EQ(stops(), (std::vector<bool>{true, false, false}));
  grid->SetEditCalculated(true);
  EXPECT_EQ(stops(), (std::vector<bool>{true, false, true}));
}

TEST_F(TabStopTest, TheReadOnlyFlagOfASelectedLine) {
  grid->SetUseTFields(false);
  struct Case {
    const char* line;
    bool stop;
  };
  for (Case c : {Case{"CaseID\t8\tCase", true}, Case{"CaseID\t8\tCase\tF", true}, Case{"CaseID\t8\tCase\tT", false}}) {
    SCOPED_TRACE(c.line);
    grid->Selected().Clear();
    grid->Selected().Add(c.line);
    bind();
    grid->LayoutColumns();
    EXPECT_EQ(stops(), std::vector<bool>{c.stop});
  }
}

TEST_F(LayoutTest, AResizedColumnIsWrittenBackAsWholeCharacters) {
  open(2);
  bind();
  const int zero = charWidth();
  struct Case {
    int width;
    int characters;
  };
  for (Case c : {Case{10 * zero + 3, 10}, Case{10 * zero + 3 + zero / 2, 10 + (zero / 2 * 2 >= zero ? 1 : 0)},
                 Case{7 * zero + 4, 7}}) {
    SCOPED_TRACE(c.width);
    grid->setColumnWidth(3, c.width);
    EXPECT_EQ(table->FieldByName("Title")->DisplayWidth(), (c.width + zero / 2 - 3) / zero);
    EXPECT_EQ(table->FieldByName("Title")->DisplayWidth(), c.characters);
    EXPECT_EQ(grid->GetColWidths(3), std::max(c.characters * zero + 4, measureWidth(grid->TitleFont(), "Title") + 4));
  }
}

TEST_F(LayoutTest, AResizedSelectedColumnRewritesItsLineKeepingTheFlag) {
  grid->SetUseTFields(false);
  grid->Selected().Add("Title\t20\tMatter\tT");
  grid->Selected().Add("Client\t7\tClient");
  open(2);
  bind();
  int reported = -1;
  grid->OnColWidthChanged = [&](TObject*, int Column) { reported = Column; };
  const int zero = charWidth();
  grid->setColumnWidth(2, 12 * zero + 3);
  EXPECT_EQ(grid->Selected().Strings(0), "Title\t20\tMatter\tT");
  EXPECT_EQ(grid->Selected().Strings(1), "Client\t12\tClient");
  EXPECT_EQ(reported, 1);
  grid->setColumnWidth(1, 30 * zero + 4);
  EXPECT_EQ(grid->Selected().Strings(0), "Title\t30\tMatter\tT");
  EXPECT_EQ(reported, 0);
}

TEST_F(LayoutTest, MovingAColumnReordersFieldsOrSelected) {
  open(2);
  bind();
  std::vector<std::pair<int, int>> moves;
  grid->OnColumnMoved = [&](TObject*, int From, int To) { moves.emplace_back(From, To); };
  grid->moveColumnTo(1, 3);  // CaseID after Title
  EXPECT_EQ(mappedNames(*grid), (std::vector<AnsiString>{"Client", "Title", "CaseID", "Amount"}));
  EXPECT_EQ(table->FieldByName("CaseID")->Index(), 2);

  grid->SetUseTFields(false);
  grid->Selected().Add("CaseID\t8\tCase");
  grid->Selected().Add("Client\t7\tClient");
  grid->Selected().Add("Amount\t5\tAmount");
  grid->LayoutColumns();
  grid->moveColumnTo(3, 1);
  EXPECT_EQ(grid->Selected().Strings(0), "Amount\t5\tAmount");
  EXPECT_EQ(mappedNames(*grid), (std::vector<AnsiString>{"Amount", "CaseID", "Client"}));
  EXPECT_EQ(table->FieldByName("CaseID")->Index(), 2);  // the fields keep their order
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{0, 2}, {2, 0}}));
}

TEST_F(LayoutTest, CanEditPutsTheTableInEditUnlessRefused) {
  open(2);
  bind();
  grid->SetSelectedIndex(1);
  grid->SetReadOnly(true);
  EXPECT_FALSE(grid->showCellEditor());
  EXPECT_EQ(table->State(), dsBrowse);
  grid->SetReadOnly(false);
  EXPECT_TRUE(grid->showCellEditor());
  EXPECT_EQ(table->State(), dsEdit);
  EXPECT_TRUE(grid->DataLink().Modified());
  table->Cancel();
  grid->hideCellEditor();

  grid->SetUseTFields(false);
  grid->Selected().Add("CaseID\t8\tCase\tT");
  grid->Selected().Add("Client\t7\tClient");
  grid->LayoutColumns();
  grid->SetSelectedIndex(0);
  EXPECT_FALSE(grid->showCellEditor());
  EXPECT_EQ(table->State(), dsBrowse);
  grid->SetSelectedIndex(1);
  EXPECT_TRUE(grid->showCellEditor());
  EXPECT_EQ(table->State(), dsEdit);
}

TEST_F(LayoutTest, ColumnChangesFireExitAndEnterButNoRowChange) {
  open(3);
  bind();
  std::vector<std::string> heard;
  grid->OnColExit = [&](TObject*) { heard.push_back("exit " + std::to_string(grid->SelectedIndex())); };
  grid->OnColEnter = [&](TObject*) { heard.push_back("enter " + std::to_string(grid->SelectedIndex())); };
  grid->OnRowChanged = [&](TObject*) { heard.push_back("row"); };
  grid->CheckRowChanged();
  heard.clear();
  grid->SetSelectedIndex(2);
  grid->SetSelectedIndex(2);
  grid->SetSelectedIndex(99);
  EXPECT_EQ(heard, (std::vector<std::string>{"exit 0", "enter 2", "exit 2", "enter 3"}));
}

TEST_F(LayoutTest, TheIndicatorGlyphsLiveWhileAGridDoes) {
  const BitmapImage* arrow = TdcCustomDBGrid::IndicatorBitmap(TdcCustomDBGrid::indicatorBrowse);
  ASSERT_NE(arrow, nullptr);
  EXPECT_GT(arrow->Width(), 0);
  EXPECT_NE(TdcCustomDBGrid::IndicatorBitmap(TdcCustomDBGrid::indicatorInsert), arrow);
  delete form;
  form = nullptr;
  EXPECT_EQ(TdcCustomDBGrid::IndicatorBitmap(TdcCustomDBGrid::indicatorBrowse), nullptr);
}

TEST_F(LayoutTest, ALoadedIndicatorButtonSizesTheIndicatorAndTitleRow) {
  open(2);
  bind();
  const int title = measureHeight(grid->TitleFont(), "W") + 4;
  ASSERT_EQ(grid->rowHeight(0), title);
  auto* button = new TdcIButton(form);
  button->SetParent(grid);
  button->SetBounds(5, 3, 20, title + 9);
  EXPECT_EQ(button->Left(), 0);
  EXPECT_EQ(button->Top(), 0);
  EXPECT_EQ(grid->IndicatorButton(), nullptr);

  ComponentLoading::Load(button, [] {});
  EXPECT_EQ(grid->IndicatorButton(), button);
  EXPECT_EQ(grid->IndicatorWidth(), 19);
  EXPECT_EQ(grid->GetColWidths(0), 19);
  EXPECT_EQ(grid->rowHeight(0), title + 8);  // the button's height less the row line
  EXPECT_EQ(grid->TitleTextOffset(), 4 + 2);

  button->SetBounds(0, 0, 30, title + 21);
  EXPECT_EQ(grid->GetColWidths(0), 29);
  EXPECT_EQ(grid->rowHeight(0), title + 20);
  EXPECT_EQ(grid->TitleTextOffset(), 10 + 2);

  delete button;
  EXPECT_EQ(grid->IndicatorButton(), nullptr);
  grid->LayoutColumns();
  EXPECT_EQ(grid->rowHeight(0), title);
  EXPECT_EQ(grid->TitleTextOffset(), 2);
}

}  // namespace
}  // namespace datagridtest
