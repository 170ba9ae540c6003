#pragma once
// One statement cursor of a login: the compiled statement, its substitution values, and the
// result of its last execution. Substituted values are only ever bound as SQLite parameters.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sqlif/ResultSet.h"
#include "platform/sqlif/SqlDatabase.h"
#include "platform/sqlif/StatementText.h"

namespace qn::sqlif {

struct ColumnDescription {
  ColumnType type;
  std::string name;
};

class Cursor {
 public:
  explicit Cursor(SqlDatabase& database) : database_(database) {}

  // -108 when a variable is still without a value (the statement is compiled all the same).
  Status compile(std::string_view text);
  // Binds `value` as text to every "@name" of the statement, compiled now or later.
  Status substitute(std::string_view name, std::string_view value);
  Status execute();
  // Position from 1; 804 beyond the columns.
  Status describe(int position, ColumnDescription& description) const;

  Status fetch(int option, uint16_t& bufferLength, uint8_t* buffer, int32_t& count);
  Status recordFetch(int option, uint16_t& bufferLength, uint8_t* buffer, int32_t& count);
  Status insertRows(int32_t& count, const uint8_t* buffer);
  Status updateRow(int32_t& count, const uint8_t* buffer);
  Status removeRow(int32_t& count);

 private:
  struct Compiled {
    StatementKind kind = StatementKind::other;
    SqliteStatement statement;  // for queries and changes; a query's first column is the rowid when updatable
    std::vector<std::string> parameters;
    std::vector<ResultColumn> columns;
    bool updatable = false;
    std::string table;
  };

  Status compileSql(std::string_view text, const StatementShape& shape);
  bool unresolved() const;
  Status bindParameters();
  Status runQuery();
  Status runChange();
  Status updatableResult(ResultSet*& result);
  Status writeAndReread(ResultSet& result, const std::vector<SqlValue>& values, std::optional<int64_t> rowid,
                        ResultRow& reread);

  SqlDatabase& database_;
  std::optional<Compiled> compiled_;
  std::map<std::string, std::string> values_;  // by upper-case variable name without "@"
  std::unique_ptr<ResultSet> result_;
};

}  // namespace qn::sqlif
