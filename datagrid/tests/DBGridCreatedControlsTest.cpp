// The controls the grid makes for itself by class name: the date-time picker that edits
// date-time cells and the hidden rich-text edit that turns rich text into a cell's plain text.
// Stand-ins registered under the editing controls' class names play their part here.
#include "datagrid/BlobFieldLoader.h"
#include "datagrid/tests/PublishedGridFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/Field.h"

namespace publishedgridtest {
namespace {

class TdcDBDateTimePicker : public GridTestEdit {
  QN_CLASS(TdcDBDateTimePicker, GridTestEdit)
 public:
  using GridTestEdit::GridTestEdit;
};

// Loads a blob as rich text: here the text between the braces of "{\rtf ...}".
class TdcDBRichEdit : public GridTestEdit, public BlobFieldLoader {
  QN_CLASS(TdcDBRichEdit, GridTestEdit)
 public:
  using GridTestEdit::GridTestEdit;
  void LoadFromBlobField(TField* Field) override {
    const AnsiString rich = Field->AsString();
    const size_t start = rich.find(' ');
    SetText(start == AnsiString::npos ? rich : rich.substr(start + 1, rich.size() - start - 2));
    ++loads;
  }
  static inline int loads = 0;
};

class CreatedControlsTest : public PublishedGridTest {
 protected:
  void SetUp() override {
    RegisterClass<TdcDBDateTimePicker>();
    RegisterClass<TdcDBRichEdit>();
    PublishedGridTest::SetUp();
    hearings = new datagridtest::ExtendedTestDataSet(form);
    hearings->FieldDefs().Add("CaseID", ftString, 8);
    hearings->FieldDefs().Add("Heard", ftDateTime);
    hearings->FieldDefs().Add("Ruling", ftBlob);
    hearings->Open();
    hearings->AppendRecord({"M1", Variant(TDateTime(46000.5)), "{\\rtf Granted}"});
    hearings->AppendRecord({"M2", Variant(TDateTime(46001.5)), "{\\rtf Denied}"});
    hearings->First();
    grid->OnCreateDateTimePicker = [this](TObject* sender, TWinControl* picker) {
      EXPECT_EQ(sender, grid);
      created.push_back(picker);
    };
  }
  datagridtest::ExtendedTestDataSet* hearings = nullptr;
  std::vector<TWinControl*> created;
};

TEST_F(CreatedControlsTest, ADateTimeCellGetsTheGridsOwnPickerMadeOnce) {
  bind(hearings);
  EXPECT_TRUE(grid->HasCellControl(columnOf("Heard")));
  focusGridAt("Heard");
  ASSERT_EQ(created.size(), 1u);
  auto* picker = dynamic_cast<TdcDBDateTimePicker*>(grid->DateTimePicker());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->Owner(), grid);
  EXPECT_EQ(picker->DataField(), "Heard");
  EXPECT_EQ(picker->DataSource(), source);
  paint();
  EXPECT_TRUE(picker->Visible());
  EXPECT_EQ(picker->BoundsRect(), currentCell());
  EXPECT_EQ(picker->Text(), hearings->FieldByName("Heard")->DisplayText());

  grid->SetSelectedIndex(columnOf("CaseID"));
  grid->SetSelectedIndex(columnOf("Heard"));
  EXPECT_EQ(created.size(), 1u) << "one picker for the grid's life";

  hearings->Close();
  EXPECT_EQ(picker->DataField(), "") << "the picker lets go of the field with the link";
}

TEST_F(CreatedControlsTest, WithThePickerSwitchedOffADateTimeCellIsOrdinary) {
  grid->SetEditControlOptions(grid->EditControlOptions().Include(ecoDisableDateTimePicker));
  bind(hearings);
  focusGridAt("Heard");
  EXPECT_FALSE(grid->HasCellControl(columnOf("Heard")));
  EXPECT_EQ(grid->DateTimePicker(), nullptr);
  EXPECT_TRUE(created.empty());
}

TEST_F(CreatedControlsTest, ARichTextCellShowsThePlainTextOfItsBlob) {
  hearings->ControlType.SetText("Ruling;RichEdit;RulingEdit\r\n");
  bind(hearings);
  TField* ruling = hearings->FieldByName("Ruling");
  EXPECT_EQ(grid->GetCellText(ruling), "Granted");
  hearings->Next();
  EXPECT_EQ(grid->GetCellText(ruling), "Denied");
  EXPECT_EQ(grid->GetCellText(hearings->FieldByName("CaseID")), "M2");
}

}  // namespace
}  // namespace publishedgridtest
