// The field data link of an editing control: it finds its field, says when the field's value or
// the editing state changes, and collects the control's value before a post.
#include <gtest/gtest.h>

#include "framework/db/DataSource.h"
#include "framework/db/FieldDataLink.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

// What a bound edit control does with its link.
struct FakeEdit {
  TFieldDataLink link;
  AnsiString text;
  int dataChanges = 0;
  int editingChanges = 0;
  bool focused = false;

  FakeEdit() {
    link.OnDataChange = [this] {
      ++dataChanges;
      text = link.Field() ? link.Field()->Text() : AnsiString();
    };
    link.OnEditingChange = [this] { ++editingChanges; };
    link.OnUpdateData = [this] { link.Field()->SetText(text); };
    link.OnFocusControl = [this] { focused = true; };
  }
  void Type(const AnsiString& typed) {
    if (!link.Edit()) return;
    text = typed;
    link.Modified();
  }
};

class FieldDataLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(*ds, 3);
    source.SetDataSet(ds.get());
    edit.link.SetFieldName("NAME");
    edit.link.SetDataSource(&source);
  }
  std::unique_ptr<MemoryDataSet> ds = People();
  TDataSource source{nullptr};
  FakeEdit edit;
};

TEST_F(FieldDataLinkTest, ShowsTheFieldOfTheCurrentRecord) {
  EXPECT_EQ(edit.link.Field(), ds->FieldByName("NAME"));
  EXPECT_EQ(edit.text, "N1");
  ds->Next();
  EXPECT_EQ(edit.text, "N2");
  // A change of another field does not concern it.
  ds->Edit();
  int before = edit.dataChanges;
  ds->FieldByName("AMOUNT")->SetAsFloat(1);
  EXPECT_EQ(edit.dataChanges, before);
  ds->FieldByName("NAME")->SetAsString("new");
  EXPECT_EQ(edit.text, "new");
}

TEST_F(FieldDataLinkTest, TypingEditsAndPostCollectsTheText) {
  edit.Type("typed");
  EXPECT_EQ(ds->State(), dsEdit);
  EXPECT_TRUE(edit.link.Editing());
  EXPECT_EQ(edit.editingChanges, 1);
  ds->Post();
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "typed");
  EXPECT_FALSE(edit.link.Editing());
}

TEST_F(FieldDataLinkTest, ResetDropsThePendingText) {
  edit.Type("typed");
  edit.link.Reset();
  EXPECT_EQ(edit.text, "N1");
  EXPECT_FALSE(edit.link.IsModified());
  ds->Post();  // nothing was modified in the record: the post cancels
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "N1");
}

TEST_F(FieldDataLinkTest, NoEditingWithoutAutoEditOrOnAReadOnlyField) {
  source.SetAutoEdit(false);
  edit.Type("typed");
  EXPECT_EQ(ds->State(), dsBrowse);
  EXPECT_EQ(edit.text, "N1");
  source.SetAutoEdit(true);
  ds->FieldByName("NAME")->SetReadOnly(true);
  EXPECT_FALSE(edit.link.CanModify());
  edit.Type("typed");
  EXPECT_EQ(ds->State(), dsBrowse);
}

TEST_F(FieldDataLinkTest, ARequiredFieldLeftEmptyAsksItsControlForTheFocus) {
  FakeEdit idEdit;
  idEdit.link.SetFieldName("ID");
  idEdit.link.SetDataSource(&source);
  ds->Append();
  EXPECT_THROW(ds->Post(), EDatabaseError);
  EXPECT_TRUE(idEdit.focused);
  EXPECT_FALSE(edit.focused);
  idEdit.link.SetDataSource(nullptr);
}

TEST_F(FieldDataLinkTest, LosesItsFieldWhenTheDatasetCloses) {
  ds->Close();
  EXPECT_EQ(edit.link.Field(), nullptr);
  EXPECT_EQ(edit.text, "");
  ds->Open();
  EXPECT_EQ(edit.link.Field(), ds->FieldByName("NAME"));
  EXPECT_EQ(edit.text, "N1");
}

}  // namespace
