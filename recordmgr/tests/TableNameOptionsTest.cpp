// Table names with their owner and layout options.
#include <gtest/gtest.h>

#include "recordmgr/TableNameOptions.h"

namespace {

TEST(TableNameOptionsTest, NamesAndTheirOptions) {
  struct Case {
    const char* name;
    const char* table;
    const char* owner;
    bool hasLayout;
    AnsiString layout;
  } cases[] = {
      {"C:\\DATA\\YCASE.QF;RES:YCASE", "C:\\DATA\\YCASE.QF", "", true, "YCASE"},
      {"YCASE.QF", "YCASE.QF", "", false, ""},
      {"YCASE.QF;res:ycase", "YCASE.QF", "", true, "ycase"},
      {"YCASE.QF;Owner:Secret;Res:Glac", "YCASE.QF", "Secret", true, "Glac"},
      {"YCASE.QF;RES:YCASE;OWNER:pw", "YCASE.QF", "pw", true, "YCASE"},
      {"YCASE.QF;OWNER:TooLongName;RES:X", "YCASE.QF", "TooLongN", true, "X"},
      {"YCASE.QF;OWNER:TooLongName", "YCASE.QF", "TooLongN", false, ""},
      {";RES:YCASE", "", "", true, "YCASE"},
      {"YCASE.QF;RES:", "YCASE.QF", "", true, ""},
      {"A.QF;RES:L;", "A.QF", "", true, "L"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TableNameOptions options;
    EXPECT_EQ(options.SetTableName(c.name), AnsiString(c.table));
    EXPECT_EQ(options.OwnerName, c.owner);
    EXPECT_EQ(options.HasLayoutResource, c.hasLayout);
    EXPECT_EQ(options.LayoutName, c.layout);
  }
}

TEST(TableNameOptionsTest, LayoutWithoutAClosingSemicolonTakesTheRestUpTo260) {
  // Kept within the 255 characters a table name may have.
  const AnsiString layout(240, 'L');
  TableNameOptions options;
  options.SetTableName(("F.QF;RES:" + layout).c_str());
  EXPECT_EQ(options.LayoutName, layout);

  AnsiString value;
  const AnsiString longSource = ";RES:" + AnsiString(300, 'x');
  ASSERT_TRUE(ExtractTableOption(";RES:", longSource.c_str(), value, 260));
  EXPECT_EQ(value, AnsiString(260, 'x'));
  ASSERT_TRUE(ExtractTableOption(";RES:", ";res:abc;def", value, 260));
  EXPECT_EQ(value, "abc");
}

TEST(TableNameOptionsTest, AbsentKeysAndNilNamesChangeNothing) {
  AnsiString value = "kept";
  EXPECT_FALSE(ExtractTableOption(";RES:", nullptr, value, 260));
  EXPECT_FALSE(ExtractTableOption(";RES:", "F.QF;OWNER:x", value, 260));
  EXPECT_EQ(value, "kept");

  TableNameOptions options;
  options.SetTableName("F.QF;OWNER:first;RES:L");
  EXPECT_EQ(options.SetTableName(nullptr), std::nullopt);
  EXPECT_EQ(options.OwnerName, "first");
  EXPECT_EQ(options.LayoutName, "L");
  // An owner is only replaced by another owner.
  options.SetTableName("G.QF");
  EXPECT_EQ(options.OwnerName, "first");
  EXPECT_FALSE(options.HasLayoutResource);
}

}  // namespace
