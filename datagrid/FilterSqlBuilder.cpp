#include "datagrid/FilterSqlBuilder.h"

#include <cctype>
#include <cstdio>
#include <optional>

#include "datagrid/FieldOperators.h"
#include "datagrid/FilterTypedValues.h"
#include "datagrid/FilterValueSyntax.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/Strings.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"

namespace {

// Types whose column keeps its case: they are not compared as text.
bool comparesAsText(TFieldType type) {
  switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftBoolean: case ftFloat: case ftCurrency: case ftBCD:
    case ftDate: case ftTime: case ftDateTime: case ftAutoInc: case ftLargeint:
      return false;
    default:
      return true;
  }
}

AnsiString doubledQuotes(const AnsiString& text) { return StrReplaceChar(text, '\'', "''"); }
AnsiString quoted(const AnsiString& text) { return "'" + doubledQuotes(text) + "'"; }

// A LIKE pattern's wildcards are the builder's own: in the typed text "%" and "_" stand for
// themselves, marked with the escape character, as is the escape character itself.
constexpr char kLikeEscape = '\\';
AnsiString likeLiteral(const AnsiString& text) {
  AnsiString out;
  for (const char c : text) {
    if (c == '%' || c == '_' || c == kLikeEscape) out += kLikeEscape;
    out += c;
  }
  return out;
}
AnsiString likeCondition(const AnsiString& column, const AnsiString& pattern) {
  return column + " like " + quoted(pattern) + " escape " + quoted(AnsiString(1, kLikeEscape));
}

// A column name between double quotes, a double quote inside it doubled.
AnsiString quotedName(const AnsiString& name) { return "\"" + StrReplaceChar(name, '"', "\"\"") + "\""; }

AnsiString numberText(double value, bool integer) {
  char text[64];
  if (integer)
    std::snprintf(text, sizeof text, "%.0f", value);
  else
    std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

class ClauseWriter {
 public:
  ClauseWriter(const std::vector<TdcDBFieldInfo>& descriptions, const FilterSqlSettings& settings)
      : descriptions_(descriptions), settings_(settings) {}

  FilterClause Build(const std::vector<TdcFieldInfo>& criteria) {
    for (const TdcFieldInfo& criterion : criteria) {
      if (criterion.MatchType == fdMatchEnd || criterion.MatchType == fdMatchNone) continue;
      const TdcDBFieldInfo* description = find(criterion.FieldName);
      if (!description) return fail("TdcFilterDialog: Field not found (" + criterion.FieldName + ")");
      const bool ok = criterion.MatchType == fdMatchRange ? range(criterion, *description) : value(criterion, *description);
      if (!ok) return std::move(clause_);
    }
    return std::move(clause_);
  }

 private:
  const TdcDBFieldInfo* find(const AnsiString& name) const {
    for (const TdcDBFieldInfo& d : descriptions_)
      if (StrEqualNoCase(d.FieldName, name)) return &d;
    return nullptr;
  }
  FilterClause fail(const AnsiString& error) {
    clause_.Error = error;
    return std::move(clause_);
  }
  bool refuse(const AnsiString& text) {
    clause_.Error = "TdcFilterDialog: Invalid value (" + text + ")";
    return false;
  }

  AnsiString column(const TdcDBFieldInfo& d, bool upper) const {
    AnsiString name = (d.TableName.empty() ? AnsiString() : d.TableName + ".") + quotedName(d.OriginalFieldName);
    return upper ? "Upper(" + name + ")" : name;
  }

  // A number, date, time or date-time literal read from the text; nullopt when it does not read.
  std::optional<AnsiString> typedLiteral(const AnsiString& text, const TdcDBFieldInfo& d) const {
    const FilterValueKind kind = FilterValueKindOf(d.DataType);
    if (kind == FilterValueKind::Boolean) {
      const AnsiString word = UpperCase(Trim(text));
      if (word == "TRUE" || word == "FALSE") return word;
      double number = 0;
      if (!ReadFilterValue(FilterValueKind::Integer, text, number)) return std::nullopt;
      return numberText(number, true);
    }
    double value = 0;
    if (!ReadFilterValue(kind, text, value)) return std::nullopt;
    if (kind == FilterValueKind::Integer || kind == FilterValueKind::Float)
      return numberText(value, kind == FilterValueKind::Integer);
    AnsiString formatted = FormatFilterSqlDate(value, d.DataType, settings_.DateMode);
    if (settings_.OnEncodeDateTime) settings_.OnEncodeDateTime(value, d.DataType, d.FieldName, formatted);
    return quoted(formatted);
  }

  void connective(const char* line) {
    if (line) clause_.Lines.push_back(line);
  }

  bool value(const TdcFieldInfo& c, const TdcDBFieldInfo& d) {
    const bool first = clause_.Lines.empty();
    connective(c.NonMatching ? (first ? "  not" : "  and not") : (first ? nullptr : " and"));
    const FilterValueKind kind = FilterValueKindOf(d.DataType);
    const bool upper = !c.CaseSensitive && comparesAsText(d.DataType);
    const AnsiString col = column(d, upper);
    const FilterValueTokens tokens = SplitFilterValue(c.FilterValue, settings_.Operators);
    AnsiString line = "(";
    for (size_t i = 0; i < tokens.Tokens.size(); ++i) {
      if (i) line += tokens.Mode == FilterValueMode::Or ? " or " : " and ";
      const AnsiString& token = tokens.Tokens[i];
      if (StrEqualNoCase(token, settings_.Operators.NullChar())) {
        line += col + " is NULL";
        continue;
      }
      if (comparesAsText(d.DataType)) {
        AnsiString text = upper ? AnsiUpperCase(token) : token;
        if (c.MatchType == fdMatchExact) {
          line += col + "=" + quoted(text);
        } else {
          const AnsiString literal = likeLiteral(text);
          line += likeCondition(col, c.MatchType == fdMatchAny ? "%" + literal + "%" : literal + "%");
        }
        continue;
      }
      const std::optional<AnsiString> literal = typedLiteral(token, d);
      if (!literal) return refuse(token);
      const bool padded = kind == FilterValueKind::Time || kind == FilterValueKind::DateTime;
      line += (padded ? "   " : "") + col + "=" + *literal;
    }
    clause_.Lines.push_back(line + ")");
    return true;
  }

  bool range(const TdcFieldInfo& c, const TdcDBFieldInfo& d) {
    if (c.MinValue.empty() && c.MaxValue.empty()) return true;
    if (!clause_.Lines.empty()) clause_.Lines.push_back(" and");
    const bool text = comparesAsText(d.DataType);
    const bool upper = !c.CaseSensitive && text;
    const AnsiString col = column(d, upper);
    auto bound = [&](AnsiString value, bool isMax) -> std::optional<AnsiString> {
      if (!text) return typedLiteral(value, d);
      if (upper) value = AnsiUpperCase(value);
      if (isMax && static_cast<int>(value.size()) < d.Size) value.append(d.Size - value.size(), settings_.UpperRangePadChar);
      return quoted(value);
    };
    if (!c.MinValue.empty()) {
      const std::optional<AnsiString> min = bound(c.MinValue, false);
      if (!min) return refuse(c.MinValue);
      clause_.Lines.push_back("   " + col + " >= " + *min);
    }
    if (!c.MaxValue.empty()) {
      const std::optional<AnsiString> max = bound(c.MaxValue, true);
      if (!max) return refuse(c.MaxValue);
      if (!c.MinValue.empty()) clause_.Lines.push_back(" and");
      clause_.Lines.push_back("   " + col + " <= " + *max);
    }
    return true;
  }

  const std::vector<TdcDBFieldInfo>& descriptions_;
  const FilterSqlSettings& settings_;
  FilterClause clause_;
};

// Where a keyword of the statement stands: outside quotes, comments and parentheses.
struct KeywordPlace {
  size_t line = 0;
  size_t column = 0;
  size_t length = 0;
};

bool isWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The first of the words at the top level of the statement, from line/column on.
std::optional<KeywordPlace> findKeyword(const TStrings& sql, std::initializer_list<const char*> words, size_t fromLine,
                                        size_t fromColumn) {
  int depth = 0;
  char quote = 0;
  for (size_t l = 0; l < static_cast<size_t>(sql.Count()); ++l) {
    const AnsiString& line = sql[static_cast<int>(l)];
    for (size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (quote) {
        if (c == quote) quote = 0;
        continue;
      }
      if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == '-' && i + 1 < line.size() && line[i + 1] == '-') {
        break;  // the rest of the line is a comment
      } else if (c == '(') {
        ++depth;
      } else if (c == ')') {
        --depth;
      } else if (isWordChar(c) && (i == 0 || !isWordChar(line[i - 1]))) {
        size_t end = i;
        while (end < line.size() && isWordChar(line[end])) ++end;
        const bool reached = l > fromLine || (l == fromLine && i >= fromColumn);
        if (depth == 0 && reached) {
          const AnsiString word = UpperCase(line.substr(i, end - i));
          for (const char* w : words)
            if (word == w) return KeywordPlace{l, i, end - i};
        }
        i = end - 1;
      }
    }
  }
  return std::nullopt;
}

}  // namespace

FilterClause BuildFilterClause(const std::vector<TdcFieldInfo>& Criteria,
                               const std::vector<TdcDBFieldInfo>& Descriptions, const FilterSqlSettings& Settings) {
  return ClauseWriter(Descriptions, Settings).Build(Criteria);
}

void InsertFilterClause(TStrings& Sql, const std::vector<AnsiString>& Clause) {
  const std::optional<KeywordPlace> where = findKeyword(Sql, {"WHERE"}, 0, 0);
  const std::optional<KeywordPlace> end =
      where ? findKeyword(Sql, {"GROUP", "HAVING", "UNION", "PLAN", "ORDER", "FOR"}, where->line, where->column + 1)
            : findKeyword(Sql, {"GROUP", "HAVING", "UNION", "PLAN", "ORDER", "FOR"}, 0, 0);
  std::vector<AnsiString> added;
  if (where) added = {")", "And"};
  else added = {"Where"};
  added.insert(added.end(), Clause.begin(), Clause.end());

  int at = Sql.Count();
  if (end) {
    const int line = static_cast<int>(end->line);
    const AnsiString text = Sql[line];
    const AnsiString head = TrimRight(text.substr(0, end->column));
    if (Trim(head).empty()) {
      at = line;
    } else {
      Sql.Put(line, head);
      Sql.Insert(line + 1, text.substr(end->column));
      at = line + 1;
    }
  }
  for (size_t i = 0; i < added.size(); ++i) Sql.Insert(at + static_cast<int>(i), added[i]);
  if (where) {
    const int line = static_cast<int>(where->line);
    AnsiString text = Sql[line];
    text.insert(where->column + where->length, " (");
    Sql.Put(line, text);
  }
}

std::vector<FilterTableReference> ReadFilterTableReferences(const TStrings& Sql) {
  std::vector<FilterTableReference> tables;
  const std::optional<KeywordPlace> from = findKeyword(Sql, {"FROM"}, 0, 0);
  if (!from) return tables;
  const std::optional<KeywordPlace> end =
      findKeyword(Sql, {"WHERE", "GROUP", "HAVING", "UNION", "PLAN", "ORDER", "FOR"}, from->line, from->column + 1);
  AnsiString text;
  for (size_t l = from->line; l < static_cast<size_t>(Sql.Count()); ++l) {
    AnsiString line = Sql[static_cast<int>(l)];
    if (end && l == end->line) line = line.substr(0, end->column);
    if (l == from->line) line = line.substr(from->column + from->length);
    text += line + " ";
    if (end && l == end->line) break;
  }
  // Words of the references: names, quoted names, ',' and the join words between them.
  std::vector<std::pair<AnsiString, bool>> words;  // text, quoted
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '"') {
      const size_t close = text.find('"', i + 1);
      const size_t stop = close == AnsiString::npos ? text.size() : close;
      words.emplace_back(text.substr(i + 1, stop - i - 1), true);
      i = stop + 1;
    } else if (c == ',') {
      words.emplace_back(",", false);
      ++i;
    } else if (isWordChar(c) || c == '.') {
      size_t stop = i;
      while (stop < text.size() && (isWordChar(text[stop]) || text[stop] == '.')) ++stop;
      words.emplace_back(text.substr(i, stop - i), false);
      i = stop;
    } else {
      ++i;
    }
  }
  bool expectName = true;
  bool inCondition = false;  // after ON, up to the next table
  for (const auto& [word, quotedWord] : words) {
    const AnsiString upper = quotedWord ? AnsiString() : UpperCase(word);
    if (upper == "," || upper == "JOIN") {
      expectName = true;
      inCondition = false;
    } else if (upper == "ON") {
      inCondition = true;
    } else if (inCondition || upper == "AS" || upper == "INNER" || upper == "LEFT" || upper == "RIGHT" ||
               upper == "OUTER" || upper == "FULL" || upper == "CROSS" || upper == "NATURAL") {
      continue;
    } else if (expectName) {
      tables.push_back({word, ""});
      expectName = false;
    } else if (!tables.empty() && tables.back().Alias.empty()) {
      tables.back().Alias = word;
    }
  }
  return tables;
}

AnsiString FormatFilterSqlDate(TDateTime Value, TFieldType FieldType, TdcQueryFormatDateMode Mode) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  DecodeDate(Value, year, month, day);
  DecodeTime(Value, hour, minute, second, ms);
  char date[32], time[32];
  switch (Mode) {
    case qfdDayMonthYear: std::snprintf(date, sizeof date, "%d/%d/%d", day, month, year); break;
    case qfdYearMonthDay: std::snprintf(date, sizeof date, "%d/%d/%d", year, month, day); break;
    default: std::snprintf(date, sizeof date, "%d/%d/%d", month, day, year); break;
  }
  std::snprintf(time, sizeof time, "%d:%02d:%02d", hour, minute, second);
  if (FieldType == ftTime) return time;
  if (FieldType == ftDateTime) return AnsiString(date) + " " + time;
  return date;
}
