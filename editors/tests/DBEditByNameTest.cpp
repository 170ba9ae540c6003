// The edits made by class name after the units started, as the grid's dialogs make them, and the
// picture kept in the application's table through a plain data source.
#include <QTest>

#include "datagrid/ExtensionProperties.h"
#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDialogForm.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "datagrid/tests/FilterCasesFixture.h"
#include "editors/DBEdit.h"
#include "editors/DBSpinEdit.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/DataSource.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/Form.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace editorstest {
namespace {

TEST(DBEditByNameTest, TheEditsAreMadeByClassNameAndTheSpinEditIsACustomEdit) {
  qn::ui::testing::qtApplication();
  for (const char* name : {"TdcDBEdit", "TdcDBSpinEdit"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(FindRegisteredClass(name), nullptr);
    std::unique_ptr<TComponent> made(CreateComponentByClassName(name, nullptr));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), name);
    EXPECT_TRUE(ClassInheritsFromName(made->ClassInfo(), "TdcDBCustomEdit"));
  }
  EXPECT_TRUE(ClassInheritsFromName(TdcDBSpinEdit::StaticClassInfo(), "TdcDBCustomEdit"));
  EXPECT_FALSE(ClassInheritsFromName(TdcDBSpinEdit::StaticClassInfo(), "TdcDBEdit"));
}

TEST(DBEditByNameTest, ThePublishedPropertiesAreReadAndWrittenByName) {
  qn::ui::testing::qtApplication();
  MemoryDataSet data;
  data.FieldDefs().Add("Name", ftString, 12);
  data.Open();
  TDataSource source;
  source.SetDataSet(&data);
  TdcDBSpinEdit edit(nullptr);
  EXPECT_TRUE(WriteObjectProperty(&edit, "DataSource", &source)) << "a plain data source";
  EXPECT_EQ(GetDataSourceOf(&edit), &source);
  EXPECT_TRUE(WriteIntegerProperty(&edit, "MaxLength", 5));
  EXPECT_TRUE(WriteBooleanProperty(&edit, "Modified", true));
  EXPECT_TRUE(edit.Modified());
  EXPECT_EQ(ReadBooleanProperty(&edit, "WantReturns"), false);
  EXPECT_TRUE(WriteBooleanProperty(&edit, "UsePictureMask", false));
  EXPECT_FALSE(edit.UsePictureMask());
  EXPECT_TRUE(WriteEnumerationProperty(&edit, "UnboundDataType", dcEdtTime));
  EXPECT_EQ(edit.UnboundDataType(), dcEdtTime);
  edit.SetUnboundDataType(dcDefault);
  EXPECT_TRUE(WriteBooleanProperty(&edit, "AutoFillDate", false));
  EXPECT_FALSE(edit.AutoFillDate());
  EXPECT_TRUE(WriteBooleanProperty(&edit, "ReadOnly", true));
  EXPECT_TRUE(edit.ReadOnly());
  EXPECT_TRUE(WriteFloatProperty(&edit, "Increment", 0.25));
  EXPECT_TRUE(WriteFloatProperty(&edit, "MinValue", -1));
  EXPECT_TRUE(WriteFloatProperty(&edit, "MaxValue", 1));
  EXPECT_TRUE(WriteFloatProperty(&edit, "Value", 7));
  EXPECT_EQ(ReadFloatProperty(&edit, "Value"), 1.0);
  EXPECT_TRUE(WriteStringProperty(&edit, "Text", "0.5"));
  EXPECT_EQ(ReadFloatProperty(&edit, "Value"), 0.5);
  EXPECT_TRUE(WriteBooleanProperty(&edit, "EditorEnabled", false));
  const std::optional<TObject*> picture = ReadObjectProperty(&edit, "Picture");
  ASSERT_TRUE(picture && *picture);
  EXPECT_TRUE(WriteStringProperty(*picture, "PictureMask", "###"));
  EXPECT_EQ(edit.Picture()->PictureMask(), "###");
  EXPECT_TRUE(ReadEventProperty<TdcValidateEvent>(&edit, "OnCheckValue").has_value());
  EXPECT_EQ(edit.GetDataLink()->DataSource(), &source);
}

// The record view makes its edits by class name.
TEST(DBEditByNameTest, TheRecordViewMakesTheEditForAStringFieldAndPostsWhatWasTyped) {
  qn::ui::testing::qtApplication();
  MemoryDataSet clients;
  clients.FieldDefs().Add("Name", ftString, 30);
  clients.Open();
  clients.AppendRecord({"Adams"});
  TDataSource source;
  source.SetDataSet(&clients);
  TForm owner(nullptr);
  auto* dialog = new TdcRecordViewDialog(&owner);
  dialog->SetDataSource(&source);
  TdcDBEdit* made = nullptr;
  dialog->OnInitDialog = [&](TdcRecordViewForm* form) {
    qn::ui::postCall([&, form] {
      for (TControl* control : dialog->CreatedControls()) made = dynamic_cast<TdcDBEdit*>(control);
      if (made) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(form->Window()));
        made->SetFocus();
        made->SelectAll();
        QTest::keyClicks(made->Window(), "Baker");
        dialog->OKClick();
      }
      if (dialog->Form() == form && form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
    });
  };
  dialog->Execute();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(clients.FieldByName("Name")->AsString(), "Baker");
  EXPECT_EQ(clients.State(), dsBrowse);
}

class DBEditOnTableTest : public filtercases::CasesTableTest {};

TEST_F(DBEditOnTableTest, TheFilterDialogsValueEditIsTheMaskedEditAndGetsThePicture) {
  TDataSource source;
  source.SetDataSet(table.get());
  TdcFilterDialog dialog(nullptr);
  dialog.SelectedFields()->SetText(std::string(filtercases::kLast) + ";Last Name\r\n");
  dialog.SetDataSource(&source);
  dialog.OnSelectField = [](TObject*, const AnsiString&, AnsiString& PictureMask, TStrings*) { PictureMask = "&*?"; };
  bool checked = false;
  dialog.OnInitDialog = [&](TdcFilterDlg* form) {
    qn::ui::postCall([&, form] {
      auto* edit = dynamic_cast<TdcDBEdit*>(form->FilterValueEdit);
      EXPECT_NE(edit, nullptr);
      form->SelectField(0);
      if (edit) {
        EXPECT_EQ(edit->Picture()->PictureMask(), "&*?");
      }
      checked = true;
      if (form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
    });
  };
  dialog.Execute();
  EXPECT_TRUE(checked);
}

TEST_F(DBEditOnTableTest, ThePictureWritesTheTablesLineKeepingItsFlags) {
  auto* clientsTable = datasettest::newClientsTable(nullptr, data);
  std::unique_ptr<TdcTbTable> owned(clientsTable);
  clientsTable->PictureMasks()->SetText("Client Code\t!!!\tF\tF\r\n");
  clientsTable->Open();
  TDataSource source;
  source.SetDataSet(clientsTable);
  TdcDBEdit edit(nullptr);
  edit.SetDataSource(&source);
  edit.SetDataField("Client Code");
  EXPECT_EQ(edit.Picture()->PictureMask(), "!!!");
  EXPECT_FALSE(edit.Picture()->AutoFill()) << "the line's flag";
  ASSERT_TRUE(WriteStringProperty(edit.Picture(), "PictureMask", "&&&"));
  EXPECT_EQ(clientsTable->PictureMasks()->Text(), "Client Code\t&&&\tF\tF\r\n");
  edit.Picture()->SetAutoFill(true);
  EXPECT_EQ(clientsTable->PictureMasks()->Text(), "Client Code\t&&&\tT\tF\r\n");
  EXPECT_TRUE(edit.Picture()->AutoFill());
}

}  // namespace
}  // namespace editorstest
