// The data side of editing in the data grid: the editor's text reaching its field, Escape,
// leaving an untouched new record, and the field and left-column events.
#include "datagrid/Intl.h"
#include "datagrid/tests/DBGridTestSupport.h"
#include "framework/ui/InplaceEdit.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace datagridtest {
namespace {

using EditingTest = DBGridTest;
using qn::ui::testing::ScriptedMessageBoxes;

TEST_F(EditingTest, TheEditorsTextReachesItsFieldWhenTheRecordIsPosted) {
  open(3);
  bind();
  table->Next();
  grid->SetSelectedIndex(2);
  ASSERT_TRUE(grid->showCellEditor());
  EXPECT_EQ(grid->cellEditor()->Text(), "Matter 2");
  grid->cellEditor()->SetText("Renamed matter");
  grid->cellEditor()->SetModified(true);  // as typing leaves it
  table->Post();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->FieldByName("Title")->AsString(), "Renamed matter");
  EXPECT_EQ(currentRecordNumber(), 2);
}

TEST_F(EditingTest, EscapeDropsTheEditorTextFirstThenAsksBeforeDroppingChanges) {
  open(3);
  bind();
  grid->SetSelectedIndex(2);
  ASSERT_TRUE(grid->showCellEditor());
  ASSERT_TRUE(grid->DataLink().Modified());
  grid->DataLink().Reset();  // only the editor's text goes
  EXPECT_FALSE(grid->DataLink().Modified());
  EXPECT_EQ(table->State(), dsEdit);

  table->FieldByName("Client")->SetAsString("NEW");
  const AnsiString question = dcIntlDefaults->UserMessages()->dcDBGridDiscardChanges;
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, question, mrNo);
    grid->DataLink().Reset();
    EXPECT_EQ(table->State(), dsEdit);
    boxes.expect(mtConfirmation, question, mrYes);
    grid->DataLink().Reset();
    EXPECT_EQ(table->State(), dsBrowse);
    EXPECT_EQ(boxes.shown().size(), 2u);
  }
  EXPECT_EQ(table->FieldByName("Client")->AsString(), "CL1");

  table->Edit();
  grid->DataLink().Reset();  // nothing changed: no question
  EXPECT_EQ(table->State(), dsBrowse);
}

TEST_F(EditingTest, MovingOffAnUntouchedNewRecordDropsIt) {
  open(5);
  bind();
  table->MoveBy(2);
  table->Insert();
  grid->NextRecord();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->RecordCount(), 5);
  EXPECT_EQ(currentRecordNumber(), 3);

  table->Append();
  grid->NextRecord();  // at the end: it stays
  EXPECT_EQ(table->State(), dsInsert);
  grid->PriorRecord();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->RecordCount(), 5);

  table->Append();
  table->FieldByName("Amount")->SetAsInteger(6);
  grid->PriorRecord();  // changed: posted on the way
  EXPECT_EQ(table->RecordCount(), 6);
  EXPECT_EQ(currentRecordNumber(), 5);
}

TEST_F(EditingTest, LeavingTheGridDropsAnUntouchedNewRecordOrWritesTheEditor) {
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 420, 100, 24);
  form->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  open(3);
  bind();
  grid->SetFocus();
  table->Append();
  other->SetFocus();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->RecordCount(), 3);

  grid->SetFocus();
  grid->SetSelectedIndex(1);
  ASSERT_TRUE(grid->showCellEditor());
  grid->cellEditor()->SetText("ZZ");
  grid->cellEditor()->SetModified(true);
  other->SetFocus();
  EXPECT_EQ(table->FieldByName("Client")->AsString(), "ZZ");
}

TEST_F(EditingTest, FieldChangesAreReportedOnlyWhileEditing) {
  open(2);
  bind();
  std::vector<AnsiString> changed;
  grid->OnFieldChanged = [&](TObject*, TField* Field) { changed.push_back(Field->FieldName()); };
  table->Edit();
  table->FieldByName("Client")->SetAsString("X");
  table->FieldByName("Amount")->SetAsInteger(9);
  table->Post();
  table->Refresh();
  EXPECT_EQ(changed, (std::vector<AnsiString>{"Client", "Amount"}));
}

TEST_F(EditingTest, ScrollingColumnsReportsTheNewLeftColumn) {
  open(2);
  table->FieldByName("Title")->SetDisplayWidth(60);
  table->FieldByName("CaseID")->SetDisplayWidth(60);
  bind();
  std::vector<int> lefts;
  grid->OnLeftColChanged = [&](TObject*, int NewLeftCol) { lefts.push_back(NewLeftCol); };
  grid->SetSelectedIndex(3);
  ASSERT_FALSE(lefts.empty());
  EXPECT_EQ(lefts.back(), grid->firstScrollColumn());
  EXPECT_GT(grid->firstScrollColumn(), 1);
}

}  // namespace
}  // namespace datagridtest
