// The filter dialog's statement rewrite, compared line by line.
#include <gtest/gtest.h>

#include <vector>

#include "datagrid/FieldOperators.h"
#include "datagrid/FilterSqlBuilder.h"
#include "datagrid/tests/FilterCriterionCases.h"
#include "framework/base/DateTime.h"
#include "framework/base/StringList.h"

namespace {

using filtertest::criterion;
using filtertest::range;

using Lines = std::vector<AnsiString>;

class FilterSqlBuilderTest : public ::testing::Test {
 protected:
  FilterClause build(const std::vector<TdcFieldInfo>& criteria) {
    return BuildFilterClause(criteria, descriptions, FilterSqlSettings{operators, 'z', dateMode, onEncode});
  }
  Lines clause(const std::vector<TdcFieldInfo>& criteria) {
    FilterClause built = build(criteria);
    EXPECT_EQ(built.Error, "");
    return built.Lines;
  }
  static Lines rewrite(const Lines& statement, const Lines& added) {
    StringList sql;
    for (const AnsiString& line : statement) sql.Add(line);
    InsertFilterClause(sql, added);
    Lines result;
    for (int i = 0; i < sql.Count(); ++i) result.push_back(sql[i]);
    return result;
  }

  TdcFieldOperators operators;
  TdcQueryFormatDateMode dateMode = qfdMonthDayYear;
  TdcEncodeDateTimeEvent onEncode;
  std::vector<TdcDBFieldInfo> descriptions{
      {"Name", "Name", "", ftString, "Name", 10},     {"Count", "Count", "", ftInteger, "Count", 0},
      {"Amount", "Amount", "", ftFloat, "Amount", 0}, {"Opened", "Opened", "", ftDate, "Opened", 0},
      {"At", "At", "", ftTime, "At", 0},              {"Stamp", "Stamp", "", ftDateTime, "Stamp", 0},
      {"Paid", "Paid", "", ftBoolean, "Paid", 0},     {"Client", "Client Code", "C", ftString, "Client", 7},
      {"Quoted", "Say \"Hi\"", "", ftString, "Quoted", 10}};
};

TEST_F(FilterSqlBuilderTest, TextValuesByMatchTypeAndCase) {
  EXPECT_EQ(clause({criterion("Name", fdMatchStart, "smith")}), (Lines{"(Upper(\"Name\") like 'SMITH%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchAny, "mit")}), (Lines{"(Upper(\"Name\") like '%MIT%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchExact, "Smith", true)}), (Lines{"(\"Name\"='Smith')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchStart, "smith or jones")}),
            (Lines{"(Upper(\"Name\") like 'SMITH%' escape '\\' or Upper(\"Name\") like 'JONES%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchAny, "a and b", true)}), (Lines{"(\"Name\" like '%a%' escape '\\' and \"Name\" like '%b%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchStart, "null or x")}),
            (Lines{"(Upper(\"Name\") is NULL or Upper(\"Name\") like 'X%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Client", fdMatchExact, "ab", true)}), (Lines{"(C.\"Client Code\"='ab')"}));
}

TEST_F(FilterSqlBuilderTest, LikeWildcardsAndTheEscapeCharacterInAValueAreEscaped) {
  EXPECT_EQ(clause({criterion("Name", fdMatchStart, "10%", true)}), (Lines{"(\"Name\" like '10\\%%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchAny, "a_b", true)}), (Lines{"(\"Name\" like '%a\\_b%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchStart, "\\")}), (Lines{"(Upper(\"Name\") like '\\\\%' escape '\\')"}));
  EXPECT_EQ(clause({criterion("Name", fdMatchExact, "10%_\\", true)}), (Lines{"(\"Name\"='10%_\\')"}));
}

TEST_F(FilterSqlBuilderTest, ADoubleQuoteInAColumnNameIsDoubled) {
  EXPECT_EQ(clause({criterion("Quoted", fdMatchExact, "x", true)}), (Lines{"(\"Say \"\"Hi\"\"\"='x')"}));
}

TEST_F(FilterSqlBuilderTest, AQuoteInAValueNeverEndsTheLiteral) {
  EXPECT_EQ(clause({criterion("Name", fdMatchExact, "O'Brien'; drop table x; --", true)}),
            (Lines{"(\"Name\"='O''Brien''; drop table x; --')"}));
  EXPECT_EQ(clause({range("Name", "O'B", "O'C", true)}),
            (Lines{"   \"Name\" >= 'O''B'", " and", "   \"Name\" <= 'O''Czzzzzzz'"}));
}

TEST_F(FilterSqlBuilderTest, NumbersAreWrittenAsTheNumbersTheyRead) {
  EXPECT_EQ(clause({criterion("Count", fdMatchExact, "3 or 12")}), (Lines{"(\"Count\"=3 or \"Count\"=12)"}));
  EXPECT_EQ(clause({criterion("Amount", fdMatchExact, "12.5")}), (Lines{"(\"Amount\"=12.5)"}));
  EXPECT_EQ(clause({criterion("Paid", fdMatchExact, "true")}), (Lines{"(\"Paid\"=TRUE)"}));
  EXPECT_EQ(clause({range("Count", "10", "")}), (Lines{"   \"Count\" >= 10"}));
  // The error names the first token that does not read.
  const std::vector<std::pair<const char*, const char*>> refused{
      {"12x", "12x"}, {"1; drop table x", "1; drop table x"}, {"3' or '1'='1", "3'"}};
  for (const auto& [typed, bad] : refused)
    EXPECT_EQ(build({criterion("Count", fdMatchExact, typed)}).Error, AnsiString("TdcFilterDialog: Invalid value (") + bad + ")");
  EXPECT_EQ(build({range("Amount", "", "9,x")}).Error, "TdcFilterDialog: Invalid value (9,x)");
}

TEST_F(FilterSqlBuilderTest, DatesFollowTheDateModeAndTheEncodeEvent) {
  const std::vector<TdcFieldInfo> criteria{criterion("Opened", fdMatchExact, "3/4/2001"), range("Opened", "1/2/2001", "")};
  EXPECT_EQ(clause(criteria), (Lines{"(\"Opened\"='3/4/2001')", " and", "   \"Opened\" >= '1/2/2001'"}));
  dateMode = qfdDayMonthYear;
  EXPECT_EQ(clause({criterion("Opened", fdMatchExact, "3/4/2001")}), (Lines{"(\"Opened\"='4/3/2001')"}));
  dateMode = qfdYearMonthDay;
  EXPECT_EQ(clause({criterion("Opened", fdMatchExact, "03/04/2001")}), (Lines{"(\"Opened\"='2001/3/4')"}));
  EXPECT_EQ(clause({criterion("Stamp", fdMatchExact, "3/4/2001 1:05:09 PM")}),
            (Lines{"(   \"Stamp\"='2001/3/4 13:05:09')"}));
  EXPECT_EQ(clause({criterion("At", fdMatchExact, "1:05:09 PM")}), (Lines{"(   \"At\"='13:05:09')"}));
  onEncode = [](TDateTime, TFieldType type, const AnsiString& name, AnsiString& text) {
    text = name + (type == ftDate ? ":date:" : ":other:") + text;
  };
  EXPECT_EQ(clause({criterion("Opened", fdMatchExact, "3/4/2001")}), (Lines{"(\"Opened\"='Opened:date:2001/3/4')"}));
  EXPECT_EQ(build({criterion("Opened", fdMatchExact, "2/30/2001")}).Error, "TdcFilterDialog: Invalid value (2/30/2001)");
}

TEST_F(FilterSqlBuilderTest, ConnectivesJoinTheCriteria) {
  EXPECT_EQ(clause({criterion("Name", fdMatchStart, "a", true, true), criterion("Count", fdMatchExact, "1"),
                    criterion("Name", fdMatchAny, "b", true, true), range("Count", "1", "2"),
                    criterion("Name", fdMatchEnd, "zz")}),
            (Lines{"  not", "(\"Name\" like 'a%' escape '\\')", " and", "(\"Count\"=1)", "  and not", "(\"Name\" like '%b%' escape '\\')",
                   " and", "   \"Count\" >= 1", " and", "   \"Count\" <= 2"}));
}

TEST_F(FilterSqlBuilderTest, ACriterionWithoutDescriptionStopsTheBuild) {
  EXPECT_EQ(build({criterion("Name", fdMatchStart, "a"), criterion("Gone", fdMatchStart, "b")}).Error,
            "TdcFilterDialog: Field not found (Gone)");
}

TEST_F(FilterSqlBuilderTest, AStatementWithWhereGainsAnAndLine) {
  EXPECT_EQ(rewrite({"select * from Cases", "where Open = 1 or Closed = 0", "order by Name"}, {"(x)"}),
            (Lines{"select * from Cases", "where ( Open = 1 or Closed = 0", ")", "And", "(x)", "order by Name"}));
  EXPECT_EQ(rewrite({"select * from Cases where Open = 1 order by Name"}, {"(x)", " and", "(y)"}),
            (Lines{"select * from Cases where ( Open = 1", ")", "And", "(x)", " and", "(y)", "order by Name"}));
}

TEST_F(FilterSqlBuilderTest, AStatementWithoutWhereGainsWhereBeforeItsTail) {
  EXPECT_EQ(rewrite({"select * from Cases", "order by Name"}, {"(x)"}),
            (Lines{"select * from Cases", "Where", "(x)", "order by Name"}));
  EXPECT_EQ(rewrite({"select Kind, count(*) from Cases group by Kind"}, {"(x)"}),
            (Lines{"select Kind, count(*) from Cases", "Where", "(x)", "group by Kind"}));
  EXPECT_EQ(rewrite({"select * from Cases"}, {"(x)"}), (Lines{"select * from Cases", "Where", "(x)"}));
}

TEST_F(FilterSqlBuilderTest, KeywordsInsideQuotesAndSubqueriesAreNotTheStatements) {
  EXPECT_EQ(rewrite({"select * from (select * from T where a = 1) s", "-- where order", "order by \"Order\""},
                    {"(x)"}),
            (Lines{"select * from (select * from T where a = 1) s", "-- where order", "Where", "(x)",
                   "order by \"Order\""}));
  EXPECT_EQ(rewrite({"select * from T where Note = 'group by' for update"}, {"(x)"}),
            (Lines{"select * from T where ( Note = 'group by'", ")", "And", "(x)", "for update"}));
}

}  // namespace
