#pragma once
// The filter dialog's statement rewrite: its criteria as lines of an SQL condition, and the
// statement with that condition added. A search value reaches the statement only as a quoted
// literal with its single quotes doubled (in a LIKE pattern its "%", "_" and "\" escaped with
// "\", so that it matches itself), or as a number or date the builder has read itself. Column
// names stand between double quotes, a double quote in them doubled.
#include <functional>
#include <vector>

#include "datagrid/FilterCriteria.h"
#include "framework/base/DateTime.h"

class TdcFieldOperators;
class TStrings;

enum TdcQueryFormatDateMode { qfdMonthDayYear, qfdDayMonthYear, qfdYearMonthDay };

using TdcEncodeDateTimeEvent = std::function<void(TDateTime ADateTime, TFieldType AFieldType,
                                                  const AnsiString& AFieldName, AnsiString& FormattedDateStr)>;

struct FilterSqlSettings {
  const TdcFieldOperators& Operators;
  char UpperRangePadChar = 'z';
  TdcQueryFormatDateMode DateMode = qfdMonthDayYear;
  TdcEncodeDateTimeEvent OnEncodeDateTime;
};

struct FilterClause {
  std::vector<AnsiString> Lines;
  // Set when the clause could not be made; the lines are then incomplete.
  AnsiString Error;
};

// The condition lines of the criteria, in order. A criterion whose field has no description
// gives the error "TdcFilterDialog: Field not found (name)"; a value that does not read as its
// field's number or date gives "TdcFilterDialog: Invalid value (value)".
FilterClause BuildFilterClause(const std::vector<TdcFieldInfo>& Criteria,
                               const std::vector<TdcDBFieldInfo>& Descriptions, const FilterSqlSettings& Settings);
// The statement with the condition added: behind an existing WHERE condition (kept together in
// parentheses, so an OR in it cannot swallow the new terms) after a line "And", otherwise as a
// "Where" line and the condition before GROUP, HAVING, UNION, PLAN, ORDER or FOR, or at the end.
void InsertFilterClause(TStrings& Sql, const std::vector<AnsiString>& Clause);
// A table a statement reads, as its FROM clause names it.
struct FilterTableReference {
  AnsiString Name;   // without its quotes
  AnsiString Alias;  // empty when the statement gives none
};
// The tables after the statement's FROM, up to its WHERE or tail; a join is read as its tables.
std::vector<FilterTableReference> ReadFilterTableReferences(const TStrings& Sql);
// A date, time or date-time as the statement writes it: the date's numbers without leading
// zeros in the order of Mode, '/' between; the time as hour:minute:second.
AnsiString FormatFilterSqlDate(TDateTime Value, TFieldType FieldType, TdcQueryFormatDateMode Mode);
