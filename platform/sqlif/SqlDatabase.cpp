#include "platform/sqlif/SqlDatabase.h"

#include <algorithm>
#include <cctype>

#include "platform/recmgr/BusyWait.h"
#include "platform/sqlif/LetterCaseFunctions.h"

namespace qn::sqlif {

namespace {

// Functions that fold many rows into one.
bool aggregateFunction(const std::string& name) {
  return name == "count" || name == "sum" || name == "avg" || name == "min" || name == "max";
}

// Functions a statement may call: the aggregates, LIKE (an operator of the dialect) and the
// letter-case functions a search without regard to case compares with. None of them reads a file
// or the schema, and none changes anything.
bool allowedFunction(const std::string& name) {
  return aggregateFunction(name) || name == "like" || name == "upper" || name == "lower";
}

bool reservedTable(std::string_view table) {
  const std::string t = lowerCase(table);
  return t == catalogTableName || t.rfind("sqlite_", 0) == 0;
}

int allow(void* context, int action, const char* a, const char* b, const char* database) {
  auto* access = static_cast<SqlDatabase::Access*>(context);
  // SQLite names no database for the table a bare COUNT(*) counts.
  const bool mainTable = database == nullptr || std::string_view(database) == "main";
  switch (action) {
    case SQLITE_SELECT: ++access->selects; return SQLITE_OK;
    case SQLITE_READ:
      if (!mainTable || a == nullptr || reservedTable(a)) return SQLITE_DENY;
      access->tablesRead.insert(lowerCase(a));
      return SQLITE_OK;
    case SQLITE_INSERT:
    case SQLITE_UPDATE:
    case SQLITE_DELETE: return mainTable && a != nullptr && !reservedTable(a) ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_FUNCTION: {
      const std::string name = b == nullptr ? std::string() : lowerCase(b);
      if (!allowedFunction(name)) return SQLITE_DENY;
      if (aggregateFunction(name)) access->callsAggregates = true;
      return SQLITE_OK;
    }
    default: return SQLITE_DENY;
  }
}

// SQLite reports some refusals (functions) as plain errors, so the guard remembers its own.
int guard(void* context, int action, const char* a, const char* b, const char* database, const char*) {
  const int answer = allow(context, action, a, b, database);
  if (answer != SQLITE_OK) static_cast<SqlDatabase::Access*>(context)->refused = true;
  return answer;
}

std::string catalogKey(std::string_view table, std::string_view column) {
  return lowerCase(table) + "\n" + lowerCase(column);
}

bool onlyBlanks(const char* tail) {
  for (; *tail; ++tail)
    if (!std::isspace(static_cast<unsigned char>(*tail)) && *tail != ';') return false;
  return true;
}

}  // namespace

std::string lowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

Status SqlDatabase::open(const std::string& folder, std::unique_ptr<SqlDatabase>& database) {
  const std::string path = folder + "/" + sqlDataFileName;
  sqlite3* db = nullptr;
  // Never created here: a database folder without its data is no database.
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return status::systemTablesUnreadable;
  }
  std::unique_ptr<SqlDatabase> made(new SqlDatabase(folder, db));
  // The record manager's wait for the same files: a lock it would wait out is no busy database here.
  sqlite3_busy_timeout(db, recmgr::busyWaitMs);
  sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  if (!installLetterCaseFunctions(db)) return status::systemTablesUnreadable;
  // LIKE minds letter case as '=' does; a search without regard to case says so with upper().
  if (sqlite3_exec(db, "PRAGMA case_sensitive_like = ON", nullptr, nullptr, nullptr) != SQLITE_OK)
    return status::systemTablesUnreadable;
  if (made->loadCatalog() != status::ok) return status::systemTablesUnreadable;
  database = std::move(made);
  return status::ok;
}

SqlDatabase::~SqlDatabase() {
  if (sqlite3_get_autocommit(db_) == 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(db_);
}

Status SqlDatabase::loadCatalog() {
  sqlite3_stmt* raw = nullptr;
  const char* sql = "SELECT table_name, column_name, stored_type, size, decimals FROM sqlif_columns";
  if (sqlite3_prepare_v2(db_, sql, -1, &raw, nullptr) != SQLITE_OK) return status::systemTablesUnreadable;
  SqliteStatement statement(raw);
  int rc;
  while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    const auto* table = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
    const auto* column = reinterpret_cast<const char*>(sqlite3_column_text(raw, 1));
    if (!table || !column) return status::systemTablesUnreadable;
    ColumnType type;
    type.storedType = static_cast<uint8_t>(sqlite3_column_int(raw, 2));
    type.size = static_cast<uint16_t>(sqlite3_column_int(raw, 3));
    type.decimals = static_cast<uint16_t>(sqlite3_column_int(raw, 4));
    if (!columnTypeProblem(type).empty()) return status::systemTablesUnreadable;
    catalog_[catalogKey(table, column)] = type;
  }
  return rc == SQLITE_DONE ? status::ok : status::systemTablesUnreadable;
}

const ColumnType* SqlDatabase::columnType(std::string_view table, std::string_view column) const {
  const auto found = catalog_.find(catalogKey(table, column));
  return found == catalog_.end() ? nullptr : &found->second;
}

uint16_t SqlDatabase::decimalsNamed(const std::vector<std::string>& identifiers,
                                    const std::set<std::string>& tables) const {
  const ColumnType* named = nullptr;
  std::set<std::string> seen;
  for (const std::string& identifier : identifiers) {
    for (const std::string& table : tables) {
      const ColumnType* type = columnType(table, identifier);
      if (type == nullptr) continue;
      seen.insert(catalogKey(table, identifier));
      named = type;
    }
  }
  return seen.size() == 1 ? named->decimals : 0;
}

Status SqlDatabase::prepareGuarded(std::string_view text, SqliteStatement& statement, Access& access) {
  access = Access{};
  sqlite3_set_authorizer(db_, guard, &access);
  sqlite3_stmt* raw = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v3(db_, text.data(), static_cast<int>(text.size()), 0, &raw, &tail);
  sqlite3_set_authorizer(db_, nullptr, nullptr);
  SqliteStatement prepared(raw);
  if (rc != SQLITE_OK) return access.refused ? status::notSupported : status::statementError;
  if (raw == nullptr) return status::statementError;
  const std::string rest(tail, text.data() + text.size() - tail);
  if (!onlyBlanks(rest.c_str())) return status::notSupported;
  statement = std::move(prepared);
  return status::ok;
}

Status SqlDatabase::run(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  return rc == SQLITE_OK ? status::ok : statusOfFailure(rc);
}

Status SqlDatabase::beginTransaction() {
  if (sqlite3_get_autocommit(db_) == 0) return status::transactionActive;
  return run("BEGIN IMMEDIATE");
}

Status SqlDatabase::commitTransaction() {
  if (sqlite3_get_autocommit(db_) != 0) return status::noTransaction;
  return run("COMMIT");
}

Status SqlDatabase::rollbackTransaction() {
  if (sqlite3_get_autocommit(db_) != 0) return status::noTransaction;
  return run("ROLLBACK");
}

}  // namespace qn::sqlif
