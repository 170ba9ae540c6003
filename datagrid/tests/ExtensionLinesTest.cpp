#include <gtest/gtest.h>

#include "datagrid/ExtensionLines.h"

namespace {

TEST(ExtensionLines, EveryFormatReadsAndWritesBackUnchanged) {
  for (const char* text : {"Address Type;CheckBox;S;X", "Client Code;CustomEdit;ClientCode", "Notes;RichEdit;",
                           "Kind;LookupCombo;DM.Kinds"}) {
    SCOPED_TRACE(text);
    const auto line = ReadControlTypeLine(text);
    ASSERT_TRUE(line);
    EXPECT_EQ(WriteControlTypeLine(*line), std::optional<AnsiString>(text));
  }
  for (const char* text : {"Threshhold\t#[#][#][#][#]\tT\tF", "Fee Budget $\t*#[.[#][#]]\tF\tT",
                           "Case Status 2\t{ ,C,D,F,N,R}\tF\tF",
                           "FeePerCent\t{[#][#][#].[#][#][#][#],[#][#][#]}\tT\tT"}) {
    SCOPED_TRACE(text);
    const auto line = ReadPictureMaskLine(text);
    ASSERT_TRUE(line);
    EXPECT_EQ(WritePictureMaskLine(*line), std::optional<AnsiString>(text));
  }
  for (const char* text : {"Client Name;QN;YClient;Name;ByCode", "Client Name;QN;YClient.qf;Name;;Code",
                           "Client Name;QN;YClient.qf;Name;;Code;N", "Client Name;QN;YClient;Name;;Code;Matter;Y"}) {
    SCOPED_TRACE(text);
    const auto line = ReadLookupFieldLine(text);
    ASSERT_TRUE(line);
    EXPECT_EQ(WriteLookupFieldLine(*line), std::optional<AnsiString>(text));
  }
  for (const char* text : {"CaseID\t8\tCase~Identifier\tF", "Name\t30\tClient name", "Fee\t10\tFee\tT"}) {
    SCOPED_TRACE(text);
    const auto line = ReadSelectedLine(text);
    ASSERT_TRUE(line);
    EXPECT_EQ(WriteSelectedLine(*line), std::optional<AnsiString>(text));
  }
}

TEST(ExtensionLines, PartsAreReadAsTheFormsWriteThem) {
  const auto check = ReadControlTypeLine("Address Type;CheckBox;S;X");
  ASSERT_TRUE(check);
  EXPECT_EQ(check->FieldName, "Address Type");
  EXPECT_EQ(check->Type, "CheckBox");
  EXPECT_EQ(check->Params, "S;X");
  const auto noParams = ReadControlTypeLine("Memo;RichEdit");
  ASSERT_TRUE(noParams);
  EXPECT_EQ(noParams->Params, "");
  EXPECT_EQ(ReadControlTypeLine("Memo;Combo;" + AnsiString(300, 'p'))->Params, AnsiString(255, 'p'));

  const auto mask = ReadPictureMaskLine("Threshhold\t#[#][#][#][#]\tT\tF");
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->Mask, "#[#][#][#][#]");
  EXPECT_TRUE(mask->AutoFill);
  EXPECT_FALSE(mask->UseInGrid);
  const auto bare = ReadPictureMaskLine("Zip\t#");
  ASSERT_TRUE(bare);
  EXPECT_FALSE(bare->AutoFill);
  EXPECT_FALSE(bare->UseInGrid);
  const auto odd = ReadPictureMaskLine("Zip\t#\tyes\tt");
  EXPECT_FALSE(odd->AutoFill);
  EXPECT_FALSE(odd->UseInGrid);

  const auto selected = ReadSelectedLine("CaseID\t8\tCase~Identifier\tF");
  ASSERT_TRUE(selected);
  EXPECT_EQ(selected->Width, 8);
  EXPECT_EQ(selected->Title, "Case~Identifier");
  EXPECT_EQ(selected->ReadOnly, std::optional<bool>(false));
  EXPECT_EQ(ReadSelectedLine("Name\t30\tName")->ReadOnly, std::nullopt);
}

TEST(ExtensionLines, ALookupLineOfSixOrSevenTokensEndingInNCutsTheTableName) {
  struct Case {
    const char* text;
    const char* tableInUse;
    const char* indexFields;
    const char* indexName;
  };
  const Case cases[] = {
      {"F;DB;YClient.qf;Name;ByCode", "YClient.qf", "", "ByCode"},
      {"F;DB;YClient.qf;Name;ByCode;N", "YClient", "N", "ByCode"},
      {"F;DB;YClient.qf;Name;;Code;N", "YClient", "Code", ""},
      {"F;DB;YClient.qf;Name;;Code;Y", "YClient.qf", "Code", ""},
      {"F;DB;YClient.qf;Name;;Code;Matter;N", "YClient", "Code;Matter", ""},
      {"F;DB;YClient.qf;Name;ByCode;Code", "YClient.qf", "Code", "ByCode"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto line = ReadLookupFieldLine(c.text);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->TableName, "YClient.qf");
    EXPECT_EQ(line->TableNameInUse(), c.tableInUse);
    EXPECT_EQ(line->IndexFieldText(), c.indexFields);
    EXPECT_EQ(line->IndexName, c.indexName);
    EXPECT_EQ(line->LookupField, "Name");
  }
}

// Lines the forms could not have written read as absent and nothing past their tokens is read.
TEST(ExtensionLines, MalformedLinesReadAsAbsent) {
  for (const char* text : {"", "Address Type", ";CheckBox;S;X", "Kind;Spinner;1", "Kind;Field;x", "Kind;;x"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadControlTypeLine(text), std::nullopt);
  }
  for (const char* text : {"", "Zip", "Zip\t", "\t#\tT\tT"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadPictureMaskLine(text), std::nullopt);
  }
  for (const char* text : {"", "F", "F;DB;Table;Name", ";DB;Table;Name;Index"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadLookupFieldLine(text), std::nullopt);
  }
  for (const char* text : {"", "CaseID", "CaseID\t8", "CaseID\tx\tCase", "CaseID\t8x\tCase", "\t8\tCase",
                           "CaseID\t99999999999\tCase"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ReadSelectedLine(text), std::nullopt);
  }
}

TEST(ExtensionLines, WritersNeverMakeALineThatWouldReadOtherwise) {
  EXPECT_EQ(WriteControlTypeLine({"Kind", "Spinner", ""}), std::nullopt);
  EXPECT_EQ(WriteControlTypeLine({"Kind;Sub", "Combo", ""}), std::nullopt);
  EXPECT_EQ(WriteControlTypeLine({"", "Combo", ""}), std::nullopt);
  EXPECT_EQ(WriteControlTypeLine({"Kind", "Combo", AnsiString(256, 'p')}), std::nullopt);
  EXPECT_EQ(WritePictureMaskLine({"Zip", "", true, true}), std::nullopt);
  EXPECT_EQ(WritePictureMaskLine({"Zip\tCode", "#", true, true}), std::nullopt);
  EXPECT_EQ(WriteLookupFieldLine({"F", "DB", "T;U", "Name", "Index", {}, {}}), std::nullopt);
  EXPECT_EQ(WriteLookupFieldLine({"F", "DB", "T", "Name", "Index", {}, AnsiString("N")}), std::nullopt);
  EXPECT_EQ(WriteSelectedLine({"CaseID", 8, "Case\tId", {}}), std::nullopt);
}

}  // namespace
