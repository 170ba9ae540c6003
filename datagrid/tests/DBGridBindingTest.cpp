// The published grid binds only to datasets with the extension properties, registers cell
// controls in ControlType lines, finds custom edits by name, and keeps data columns fixed.
#include "datagrid/FieldControlTypes.h"
#include "datagrid/tests/PublishedGridFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace publishedgridtest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;
using BindingTest = PublishedGridTest;

TEST_F(BindingTest, FormsCreateTheGridByClassName) {
  TComponent* made = CreateComponentByClassName("TdcDBGrid", form);
  EXPECT_NE(dynamic_cast<TdcDBGrid*>(made), nullptr);
  delete made;
}

TEST_F(BindingTest, ADatasetWithoutTheExtensionPropertiesIsRefusedAndTheGridUnbound) {
  auto* plain = new MemoryDataSet(form);
  plain->FieldDefs().Add("CaseID", ftString, 8);
  plain->Open();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "dcGrid must use an Intavo compatible TDataSet.");
  bind(plain);
  EXPECT_EQ(grid->DataSource(), nullptr);
  EXPECT_EQ(grid->GetFieldCount(), 0);
}

TEST_F(BindingTest, BothKindsOfTableWithTheExtensionPropertiesAreBound) {
  bind(openMatters(3));
  EXPECT_EQ(grid->GetDataSource(), source);
  EXPECT_EQ(grid->GetFieldCount(), 3);
  bind(&openClients({"ADAMS", "BRIGHT"}));
  EXPECT_EQ(grid->DataSource(), source);
  EXPECT_EQ(grid->SelectedField()->DataSet(), clients.get());

  TDataSource plainSource;
  plainSource.SetDataSet(clients.get());
  grid->SetDataSource(&plainSource);
  EXPECT_EQ(grid->GetDataSource(), nullptr) << "only the library's data source is answered";
  grid->SetDataSource(nullptr);
}

struct KindCase {
  int kind;
  const char* type;  // the type the field's line gets; empty: no line
  const char* params;
};

class SetControlTypeTest : public PublishedGridTest, public ::testing::WithParamInterface<KindCase> {};

TEST_P(SetControlTypeTest, EachKindWritesItsTypeOrRemovesTheLine) {
  const KindCase& t = GetParam();
  bind(openMatters(2));
  matters->ControlType.SetText("CaseID;Bitmap\r\n");
  grid->SetControlType("CaseID", t.kind, "CaseEdit");
  const FieldControlType line = GetFieldControlType(matters, "CaseID");
  EXPECT_EQ(line.Type, t.type);
  EXPECT_EQ(line.Params, t.params);
  EXPECT_EQ(matters->ControlType.Count(), *t.type ? 1 : 0);
  EXPECT_EQ(grid->ControlType()->Count(), 0) << "with ControlInfoInDataset the dataset keeps the list";
}

INSTANTIATE_TEST_SUITE_P(Kinds, SetControlTypeTest,
                         ::testing::Values(KindCase{0, "", ""}, KindCase{1, "", ""}, KindCase{2, "CheckBox", "CaseEdit"},
                                           KindCase{3, "CustomEdit", "CaseEdit"}, KindCase{4, "Bitmap", "CaseEdit"},
                                           KindCase{5, "CustomEdit", "CaseEdit"}, KindCase{6, "CustomEdit", "CaseEdit"},
                                           KindCase{7, "RichEdit", "CaseEdit"}, KindCase{8, "ImageIndex", "CaseEdit"},
                                           KindCase{9, "", ""}));

TEST_F(BindingTest, WithoutControlInfoInDatasetTheGridKeepsItsOwnList) {
  bind(openMatters(2));
  grid->SetControlInfoInDataset(false);
  grid->SetControlType("Billable", 2, "");
  EXPECT_EQ(GetFieldControlType(grid, "Billable").Type, "CheckBox");
  EXPECT_EQ(matters->ControlType.Count(), 0);
  EXPECT_TRUE(grid->HasCellControl(columnOf("Billable")));
}

TEST_F(BindingTest, SetControlTypeMountsTheNamedEditIntoTheGridHiddenAndBound) {
  auto* edit = new GridTestEdit(form);
  edit->SetName("CaseEdit");
  edit->SetParent(form);
  edit->SetBorderStyle(bsSingle);
  bind(openMatters(2));
  grid->SetControlType("CaseID", 3, "CaseEdit");
  EXPECT_EQ(edit->Parent(), grid);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(edit->DataSource(), source);
  EXPECT_EQ(edit->DataField(), "CaseID");
  EXPECT_FALSE(edit->Ctl3D());
  EXPECT_EQ(edit->BorderStyle(), bsNone);
}

// Every custom-edit type, in any letter case, names an edit; a name that finds nothing, or finds
// something that is no edit, leaves an ordinary cell that the in-place editor edits.
struct NamedControlCase {
  const char* line;
  bool cellControl;
};

class NamedControlTest : public PublishedGridTest, public ::testing::WithParamInterface<NamedControlCase> {};

TEST_P(NamedControlTest, TheLineGivesTheCellItsControlOrLeavesItOrdinary) {
  auto* edit = new GridTestEdit(form);
  edit->SetName("CaseEdit");
  edit->SetParent(form);
  auto* panel = new TWinControl(form);
  panel->SetName("NotAnEdit");
  bind(openMatters(2));
  matters->ControlType.SetText(GetParam().line);
  focusGridAt("CaseID");
  EXPECT_EQ(grid->HasCellControl(columnOf("CaseID")), GetParam().cellControl);
  WORD key = VK_F2;
  grid->KeyDown(key, {});
  EXPECT_EQ(grid->cellEditorShown(), !GetParam().cellControl);
}

INSTANTIATE_TEST_SUITE_P(Lines, NamedControlTest,
                         ::testing::Values(NamedControlCase{"CaseID;CustomEdit;CaseEdit", true},
                                           NamedControlCase{"CaseID;LookupCombo;CaseEdit", true},
                                           NamedControlCase{"CaseID;combo;CaseEdit", true},
                                           NamedControlCase{"CaseID;CustomEdit;NoSuchEdit", false},
                                           NamedControlCase{"CaseID;CustomEdit;NotAnEdit", false}));

TEST_F(BindingTest, ANameWithADotIsLookedForAmongTheComponentsOfTheDatasetsOwner) {
  auto* module = new TComponent(form);
  auto* edit = new GridTestEdit(module);
  edit->SetName("CaseEdit");
  openMatters(2);
  // The dataset's owner is the module now.
  form->RemoveComponent(matters);
  module->InsertComponent(matters);
  matters->ControlType.SetText("CaseID;CustomEdit;Module.CaseEdit\r\n");
  bind(matters);
  EXPECT_TRUE(grid->HasCellControl(columnOf("CaseID")));
  EXPECT_EQ(edit->Parent(), grid) << "mounted when the grid was bound";
}

TEST_F(BindingTest, FixedColsKeepsTheFirstDataColumnInPlaceAndOutOfTheTabOrder) {
  auto* wide = new datagridtest::ExtendedTestDataSet(form);
  for (int i = 0; i < 6; ++i) wide->FieldDefs().Add("Wide" + std::to_string(i), ftString, 40);
  wide->Open();
  wide->AppendRecord({"a", "b", "c", "d", "e", "f"});
  bind(wide);
  grid->SetFixedCols(1);
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->TCustomGrid::FixedCols(), 2) << "the indicator and one data column";
  EXPECT_FALSE(grid->columnTakesTab(1));
  EXPECT_TRUE(grid->columnTakesTab(2));
  const TRect firstBefore = grid->cellBounds(1, 1);
  grid->SetSelectedIndex(5);
  ASSERT_GT(grid->firstScrollColumn(), 2) << "the grid scrolled sideways";
  EXPECT_EQ(grid->cellBounds(1, 1), firstBefore);
  grid->SetSelectedIndex(0);
  EXPECT_EQ(grid->SelectedIndex(), 1) << "the fixed column is never current";
  grid->SetFixedCols(6);
  EXPECT_EQ(grid->TCustomGrid::FixedCols(), 1) << "fixed columns must leave one free";
}

TEST_F(BindingTest, BindingDropsLinesOfMissingFieldsAndAtDesignTimeOfMissingControls) {
  openMatters(2);
  matters->ControlType.SetText("CaseID;CustomEdit;Gone\r\nBillable;CheckBox;Y;N\r\nRetired;CheckBox;Y;N\r\n");
  bind(matters);
  EXPECT_EQ(matters->ControlType.Text(), "CaseID;CustomEdit;Gone\r\nBillable;CheckBox;Y;N\r\n");
  grid->SetDataSource(nullptr);
  form->SetDesigning(true);
  bind(matters);
  form->SetDesigning(false);
  EXPECT_EQ(matters->ControlType.Text(), "Billable;CheckBox;Y;N\r\n");
}

TEST_F(BindingTest, AtDesignTimeFixedColsMustLeaveAColumnFree) {
  bind(openMatters(2));
  grid->SetDesigning(true);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Invalid value for FixedCols").expect(mtWarning, "Invalid value for FixedCols");
  grid->SetFixedCols(3);
  grid->SetFixedCols(-1);
  EXPECT_EQ(grid->FixedCols(), 0);
  grid->SetFixedCols(2);
  EXPECT_EQ(grid->FixedCols(), 2);
  grid->SetDesigning(false);
}

}  // namespace
}  // namespace publishedgridtest
