// The picture object: its own values for a plain owner, the dataset's PictureMasks line of the
// field for a bound data-aware custom edit.
#include <gtest/gtest.h>

#include "datagrid/DBPicture.h"
#include "datagrid/tests/ExtendedTestDataSet.h"

namespace datagridtest {
namespace {

// Stands for the data-aware custom edit, known to the picture by class name only.
class TdcDBCustomEdit : public DataAwareTestControl {
  QN_CLASS(TdcDBCustomEdit, DataAwareTestControl)
 public:
  using DataAwareTestControl::DataAwareTestControl;
};

class DBPictureTest : public ::testing::Test {
 protected:
  DBPictureTest() {
    source.SetDataSet(&table);
    table.PictureMasks.SetText("Zip\t#####\tF\tF\r\n");
  }
  ExtendedTestDataSet table{nullptr};
  TDataSource source{nullptr};
};

TEST_F(DBPictureTest, APlainOwnerKeepsItsOwnValues) {
  DataAwareTestControl plain(nullptr);  // not a data-aware custom edit, though it has the properties
  plain.DataSource = &source;
  plain.DataField = "Zip";
  TdcDBPicture picture(&plain);
  EXPECT_FALSE(picture.PictureIsBound());
  EXPECT_EQ(picture.PictureMask(), "");
  EXPECT_TRUE(picture.AutoFill());
  EXPECT_FALSE(picture.AllowInvalidExit());
  picture.SetPictureMask("##");
  picture.SetAutoFill(false);
  picture.SetAllowInvalidExit(true);
  EXPECT_EQ(picture.PictureMask(), "##");
  EXPECT_FALSE(picture.AutoFill());
  EXPECT_TRUE(picture.AllowInvalidExit());
  EXPECT_EQ(table.PictureMasks.Count(), 1);
}

TEST_F(DBPictureTest, ABoundEditReadsAndWritesTheFieldsLine) {
  TdcDBCustomEdit edit(nullptr);
  edit.DataSource = &source;
  edit.DataField = "Zip";
  TdcDBPicture picture(&edit);
  ASSERT_TRUE(picture.PictureIsBound());
  EXPECT_EQ(picture.PictureMask(), "#####");
  EXPECT_FALSE(picture.AutoFill());
  picture.SetAllowInvalidExit(true);
  EXPECT_FALSE(picture.AllowInvalidExit()) << "ignored while bound";

  picture.SetAutoFill(true);
  EXPECT_EQ(AnsiString(table.PictureMasks.Strings(0)), "Zip\t#####\tT\tF") << "only auto-fill changes";
  picture.SetPictureMask("###");
  EXPECT_EQ(AnsiString(table.PictureMasks.Strings(0)), "Zip\t###\tT\tF") << "the grid flag is kept";

  edit.DataField = "City";  // no line: the own auto-fill answers
  picture.SetPictureMask("");
  EXPECT_TRUE(picture.AutoFill());
  edit.DataField = "";
  EXPECT_FALSE(picture.PictureIsBound());
}

TEST_F(DBPictureTest, AssignCopiesMaskAndAutoFill) {
  TdcDBPicture from(nullptr), to(nullptr);
  from.SetPictureMask("&&");
  from.SetAutoFill(false);
  from.SetAllowInvalidExit(true);
  to.Assign(&from);
  EXPECT_EQ(to.PictureMask(), "&&");
  EXPECT_FALSE(to.AutoFill());
  EXPECT_FALSE(to.AllowInvalidExit());
}

}  // namespace
}  // namespace datagridtest
