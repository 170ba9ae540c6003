#include <gtest/gtest.h>

#include "datagrid/FieldControlTypes.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "framework/db/Field.h"

namespace {

using datagridtest::ExtendedTestDataSet;

TEST(FieldControlTypes, AFieldListedTwiceReadsAsItsLastValidLine) {
  ExtendedTestDataSet ds(nullptr);
  ds.ControlType.SetText(
      "Kind;Combo;First\r\nKind;CheckBox;Y;N\r\nkind;CustomEdit;Other\r\nKind;Spinner;x\r\nKind\r\n");
  const FieldControlType type = GetFieldControlType(&ds, "Kind");
  EXPECT_EQ(type.Type, "CheckBox");
  EXPECT_EQ(type.Params, "Y;N");
  EXPECT_EQ(GetFieldControlType(&ds, "kind").Type, "CustomEdit");
  EXPECT_EQ(GetFieldControlType(&ds, "Missing").Type, "");
}

TEST(FieldControlTypes, SettingReplacesTheFirstLineOfTheFieldKeepingItsSpelling) {
  ExtendedTestDataSet ds(nullptr);
  ds.ControlType.SetText("Client Code;CustomEdit;ClientCode\r\nKind;Combo;KindBox\r\n");
  EXPECT_TRUE(SetFieldControlType(&ds, "CLIENT CODE", "LookupCombo", "DM.Clients"));
  EXPECT_EQ(ds.ControlType[0], "Client Code;LookupCombo;DM.Clients");
  EXPECT_TRUE(SetFieldControlType(&ds, "Notes", "RichEdit", ""));
  EXPECT_EQ(ds.ControlType.Count(), 3);
  EXPECT_EQ(ds.ControlType[2], "Notes;RichEdit;");
  // A type no line may hold changes nothing.
  EXPECT_FALSE(SetFieldControlType(&ds, "Kind", "Spinner", ""));
  EXPECT_EQ(ds.ControlType[1], "Kind;Combo;KindBox");
}

TEST(FieldControlTypes, TheTypeFieldOrNoTypeDeletesTheLine) {
  for (const char* type : {"Field", "FIELD", ""}) {
    SCOPED_TRACE(type);
    ExtendedTestDataSet ds(nullptr);
    ds.ControlType.SetText("Kind;Combo;KindBox\r\nNotes;RichEdit;\r\n");
    EXPECT_TRUE(SetFieldControlType(&ds, "kind", type, "ignored"));
    ASSERT_EQ(ds.ControlType.Count(), 1);
    EXPECT_EQ(ds.ControlType[0], "Notes;RichEdit;");
    EXPECT_TRUE(SetFieldControlType(&ds, "Missing", type, ""));
    EXPECT_EQ(ds.ControlType.Count(), 1);
  }
}

TEST(FieldControlTypes, ControlNamingTypes) {
  for (const char* type : {"CustomEdit", "lookupcombo", "COMBO"}) EXPECT_TRUE(IsControlNamingType(type)) << type;
  for (const char* type : {"CheckBox", "RichEdit", "Bitmap", "ImageIndex", ""})
    EXPECT_FALSE(IsControlNamingType(type)) << type;
}

TEST(FieldControlTypes, ABlobFieldIsRichTextByItsLineOrByItsContent) {
  ExtendedTestDataSet ds(nullptr);
  ds.FieldDefs().Add("Notes", ftMemo);
  ds.FieldDefs().Add("Memo", ftMemo);
  ds.FieldDefs().Add("Name", ftString, 20);
  ds.ControlType.SetText("Notes;RichEdit;\r\nName;RichEdit;\r\n");
  ds.Open();
  ds.AppendRecord({Variant(AnsiString("plain")), Variant(AnsiString("{\\rtf1 text}")), Variant(AnsiString("x"))});
  EXPECT_TRUE(IsRichEditField(ds.FieldByName("Notes"), false));
  EXPECT_FALSE(IsRichEditField(ds.FieldByName("Memo"), false));
  EXPECT_TRUE(IsRichEditField(ds.FieldByName("Memo"), true));
  EXPECT_FALSE(IsRichEditField(ds.FieldByName("Name"), true));
  ds.Edit();
  ds.FieldByName("Memo")->SetAsString("{\\rt plain");
  EXPECT_FALSE(IsRichEditField(ds.FieldByName("Memo"), true));
  EXPECT_FALSE(IsRichEditField(nullptr, true));
}

}  // namespace

namespace {

TEST(FieldControlTypes, WhileDesigningLinesNamingMissingControlsGo) {
  TComponent form(nullptr);
  auto* dataModule = new TComponent(&form);
  auto* ds = new ExtendedTestDataSet(dataModule);
  (new TComponent(&form))->SetName("ClientCode");
  (new TComponent(dataModule))->SetName("Kinds");
  const char* lines =
      "Client Code;CustomEdit;ClientCode\r\nMatter;CustomEdit;MatterCode\r\nKind;LookupCombo;DM.Kinds\r\n"
      "Type;Combo;DM.Types\r\nAddress Type;CheckBox;S;X\r\n";
  ds->ControlType.SetText(lines);
  // Not being designed: nothing changes.
  EXPECT_TRUE(RemoveUnresolvedControlTypes(ds, ds));
  EXPECT_EQ(ds->ControlType.Count(), 5);

  form.SetDesigning(true);
  EXPECT_TRUE(RemoveUnresolvedControlTypes(ds, ds));
  ASSERT_EQ(ds->ControlType.Count(), 3);
  EXPECT_EQ(ds->ControlType[0], "Client Code;CustomEdit;ClientCode");
  EXPECT_EQ(ds->ControlType[1], "Kind;LookupCombo;DM.Kinds");
  EXPECT_EQ(ds->ControlType[2], "Address Type;CheckBox;S;X");
  form.SetDesigning(false);
}

}  // namespace
