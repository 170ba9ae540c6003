#pragma once
// One login's SQLite connection on an SQL database folder's SQLDATA.sqlite, the column catalog
// sqlif_columns that gives each table column its stored type, and the one way user statements
// are prepared: under a guard that lets them read and change the tables and nothing else.
#include <sqlite3.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sqlif/SqliteStatement.h"
#include "platform/sqlif/Statuses.h"
#include "platform/sqlif/StoredValues.h"

namespace qn::sqlif {

inline constexpr char sqlDataFileName[] = "SQLDATA.sqlite";
inline constexpr char catalogTableName[] = "sqlif_columns";

class SqlDatabase {
 public:
  // What a guarded statement touched, learnt while preparing it.
  struct Access {
    std::set<std::string> tablesRead;  // lower-case
    int selects = 0;                   // SELECT cores, subqueries included
    bool callsAggregates = false;      // its rows may fold many table rows into one
    bool refused = false;  // the guard denied something
  };

  // 285 when the folder's SQLDATA.sqlite is missing, damaged or lacks the catalog.
  static Status open(const std::string& folder, std::unique_ptr<SqlDatabase>& database);
  ~SqlDatabase();  // an open transaction is rolled back
  SqlDatabase(const SqlDatabase&) = delete;
  SqlDatabase& operator=(const SqlDatabase&) = delete;

  const std::string& folder() const { return folder_; }
  sqlite3* connection() const { return db_; }

  // The catalog's entry for a table column, or nil.
  const ColumnType* columnType(std::string_view table, std::string_view column) const;
  // The decimals of the one catalog column of `tables` that the identifiers name; 0 when they
  // name none or several.
  uint16_t decimalsNamed(const std::vector<std::string>& identifiers, const std::set<std::string>& tables) const;

  // One statement of the dialect: 221 when it reaches past the tables (the catalog, SQLite's own
  // tables, other databases, functions beyond the aggregates) or holds a second statement,
  // 220 when SQLite cannot read it.
  Status prepareGuarded(std::string_view text, SqliteStatement& statement, Access& access);

  Status beginTransaction();     // 37 when one is open
  Status commitTransaction();    // 39 when none is open
  Status rollbackTransaction();  // 39 when none is open

 private:
  SqlDatabase(std::string folder, sqlite3* db) : folder_(std::move(folder)), db_(db) {}
  Status loadCatalog();
  Status run(const char* sql);

  std::string folder_;
  sqlite3* db_;
  std::map<std::string, ColumnType> catalog_;  // "table\ncolumn", lower-case
};

std::string lowerCase(std::string_view text);

}  // namespace qn::sqlif
