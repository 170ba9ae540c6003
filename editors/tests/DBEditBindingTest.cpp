// The data-aware edit bound to a field: what it shows, what it writes back when the record is
// updated, the picture check on leaving, the MaxLength rule and Escape.
#include "editors/DBEdit.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace editorstest {
namespace {

using qn::ui::testing::ScriptedMessageBoxes;

class DBEditBindingTest : public EditorsTest {
 protected:
  TdcDBEdit* bound(const char* field) {
    auto* edit = place<TdcDBEdit>();
    edit->SetDataSource(&source);
    edit->SetDataField(field);
    return edit;
  }
  // Focus on the edit, its whole text typed over, then the focus moved on.
  void enterAndLeave(TdcDBEdit* edit, const char* text) {
    edit->SetFocus();
    edit->SelectAll();
    if (*text) type(edit, text);
    else key(edit, Qt::Key_Delete);
    next->SetFocus();
  }
};

TEST_F(DBEditBindingTest, UnfocusedShowsDisplayTextFocusedTheEditText) {
  auto* edit = bound("Amount");
  static_cast<TNumericField*>(data.FieldByName("Amount"))->SetDisplayFormat("#,##0.00");
  ASSERT_TRUE(show());
  data.Refresh();
  EXPECT_EQ(edit->Text(), "12.50");
  edit->SetFocus();
  EXPECT_EQ(edit->Text(), "12.5");
  next->SetFocus();
  EXPECT_EQ(edit->Text(), "12.50");
}

TEST_F(DBEditBindingTest, ADateTimeTextBeforeTheYear1950IsStoredAHundredYearsLater) {
  auto* edit = bound("When");
  ASSERT_TRUE(show());
  struct Row {
    const char* text;
    TDateTime stored;
  };
  for (const Row& row : {Row{"1/2/1949 10:00", EncodeDate(2049, 1, 2) + EncodeTime(10, 0, 0, 0)},
                         Row{"1/2/1950 10:00", EncodeDate(1950, 1, 2) + EncodeTime(10, 0, 0, 0)}}) {
    SCOPED_TRACE(row.text);
    enterAndLeave(edit, row.text);
    data.Post();
    EXPECT_DOUBLE_EQ(data.FieldByName("When")->AsDateTime(), row.stored);
  }
  enterAndLeave(edit, "");
  data.Post();
  EXPECT_TRUE(data.FieldByName("When")->IsNull()) << "an empty text clears the field";
}

TEST_F(DBEditBindingTest, AMemoFieldGetsTheText) {
  auto* edit = bound("Notes");
  ASSERT_TRUE(show());
  enterAndLeave(edit, "first note");
  data.Post();
  EXPECT_EQ(data.FieldByName("Notes")->AsString(), "first note");
}

TEST_F(DBEditBindingTest, AFailingTextCallsTheDatasetsInvalidValueHandler) {
  data.pictureMasks.Add("Code\t###\tF\tT");
  data.validateWithMask = true;
  TDataSet* calledWith = nullptr;
  TField* fieldOf = nullptr;
  data.onInvalidValue = [&](TDataSet* d, TField* f) {
    calledWith = d;
    fieldOf = f;
  };
  auto* edit = bound("Code");
  ASSERT_TRUE(show());
  enterAndLeave(edit, "12");
  EXPECT_EQ(calledWith, &data);
  EXPECT_EQ(fieldOf, data.FieldByName("Code"));
}

TEST_F(DBEditBindingTest, WithoutAHandlerAFailingTextKeepsTheFocusSelectedAndModified) {
  data.pictureMasks.Add("Code\t###\tF\tT");
  data.validateWithMask = true;
  auto* edit = bound("Code");
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SelectAll();
  type(edit, "12");
  ASSERT_TRUE(edit->Modified());
  ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Invalid input value.  Use escape key to abandon changes");
  next->SetFocus();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->SelLength(), 2);
  EXPECT_TRUE(edit->Modified());
}

TEST_F(DBEditBindingTest, AnUnboundFailingPictureKeepsTheFocusUnlessInvalidExitIsAllowed) {
  auto* edit = place<TdcDBEdit>();
  edit->Picture()->SetPictureMask("###");
  int entered = 0;
  next->OnEnter = [&](TObject*) { ++entered; };
  ASSERT_TRUE(show());
  edit->SetFocus();
  type(edit, "12");
  int beeps = qn::ui::beepCount();
  next->SetFocus();
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(entered, 0);
  EXPECT_EQ(qn::ui::beepCount(), beeps + 1);
  EXPECT_EQ(edit->SelLength(), 2);

  edit->Picture()->SetAllowInvalidExit(true);
  next->SetFocus();
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(entered, 1);
}

TEST_F(DBEditBindingTest, ABoundPictureNeverAllowsAnInvalidExitAnUnboundKeepsItsOwn) {
  auto* unbound = place<TdcDBEdit>();
  unbound->Picture()->SetAllowInvalidExit(true);
  EXPECT_TRUE(unbound->Picture()->AllowInvalidExit());
  auto* edit = bound("Code");
  edit->Picture()->SetAllowInvalidExit(true);
  EXPECT_FALSE(edit->Picture()->AllowInvalidExit());
}

TEST_F(DBEditBindingTest, AssigningAPictureToABoundEditRewritesTheLineKeepingTheGridFlag) {
  data.pictureMasks.Add("Code\t###\tT\tF");
  auto* edit = bound("Code");
  TdcDBPicture other(nullptr);
  other.SetPictureMask("");
  edit->SetPicture(&other);
  EXPECT_EQ(data.pictureMasks.Text(), "Code\t###\tT\tF\r\n") << "an empty mask leaves the line";
  other.SetPictureMask("&&");
  other.SetAutoFill(false);
  edit->SetPicture(&other);
  EXPECT_EQ(data.pictureMasks.Text(), "Code\t&&\tF\tF\r\n");
  EXPECT_EQ(edit->Picture()->PictureMask(), "&&");
  EXPECT_TRUE(edit->EditMask().empty());
}

TEST_F(DBEditBindingTest, AMaxLengthOfTheFieldSizeIsClearedOnBindingAndTakenAgain) {
  struct Row {
    int maxLength;
    int afterBinding;
    int afterDataChange;
  };
  for (const Row& row : {Row{7, 0, 7}, Row{5, 5, 5}}) {
    SCOPED_TRACE(row.maxLength);
    auto* edit = place<TdcDBEdit>();
    edit->SetMaxLength(row.maxLength);
    edit->SetDataSource(&source);
    edit->SetDataField("Code");
    EXPECT_EQ(edit->MaxLength(), row.afterBinding);
    data.Refresh();
    EXPECT_EQ(edit->MaxLength(), row.afterDataChange);
    delete edit;
  }
}

TEST_F(DBEditBindingTest, EscapeGivesBackTheFieldsValueOrTheTextSavedOnEntering) {
  auto* edit = bound("Name");
  auto* unbound = place<TdcDBEdit>(40);
  unbound->SetText("saved");
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SelectAll();
  type(edit, "Brown");
  key(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->Text(), "Adams");
  EXPECT_FALSE(edit->Modified());

  unbound->SetFocus();
  unbound->SelectAll();
  type(unbound, "other");
  key(unbound, Qt::Key_Escape);
  EXPECT_EQ(unbound->Text(), "saved");
  EXPECT_FALSE(unbound->Modified());
}

TEST_F(DBEditBindingTest, TypingPutsTheRecordIntoEditAndLeavingWritesTheText) {
  auto* edit = bound("Name");
  ASSERT_TRUE(show());
  edit->SetFocus();
  edit->SelectAll();
  type(edit, "Brown");
  EXPECT_EQ(data.State(), dsEdit);
  next->SetFocus();
  data.Post();
  EXPECT_EQ(data.FieldByName("Name")->AsString(), "Brown");
}

TEST_F(DBEditBindingTest, AReadOnlyBoundEditKeepsItsTextUnderAPicture) {
  data.pictureMasks.Add("Name\t*&\tT\tF");
  struct Row {
    bool readOnly;
    const char* after;
    TDataSetState state;
  };
  // The writable row shows the key does reach the picture.
  for (const Row& row : {Row{true, "Adams", dsBrowse}, Row{false, "ADAMSX", dsEdit}}) {
    SCOPED_TRACE(row.readOnly ? "read-only" : "writable");
    auto* edit = bound("Name");
    edit->SetReadOnly(row.readOnly);
    ASSERT_TRUE(show());
    edit->SetFocus();
    ASSERT_TRUE(edit->PictureInUse());
    edit->SetSelStart(5);
    type(edit, "x");
    EXPECT_EQ(edit->Text(), row.after);
    EXPECT_EQ(edit->Modified(), !row.readOnly);
    EXPECT_EQ(data.State(), row.state);
    next->SetFocus();
    data.Cancel();
    delete edit;
  }
}

}  // namespace
}  // namespace editorstest
