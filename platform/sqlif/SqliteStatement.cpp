#include "platform/sqlif/SqliteStatement.h"

namespace qn::sqlif {

Status statusOfFailure(int sqliteResult) {
  switch (sqliteResult & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return status::recordLocked;
    case SQLITE_CONSTRAINT: return status::constraintFailed;
    case SQLITE_ERROR:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
    case SQLITE_TOOBIG: return status::statementError;
    case SQLITE_AUTH: return status::notSupported;
    default: return status::databaseError;
  }
}

SqlValue columnValue(sqlite3_stmt* statement, int column) {
  switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER: return SqlValue::ofInteger(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT: return SqlValue::ofReal(sqlite3_column_double(statement, column));
    case SQLITE_NULL: return SqlValue{};
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      return SqlValue::ofText(text ? std::string(text, sqlite3_column_bytes(statement, column)) : std::string());
    }
  }
}

int bindValue(sqlite3_stmt* statement, int parameter, const SqlValue& value) {
  switch (value.kind) {
    case SqlValue::Kind::integer: return sqlite3_bind_int64(statement, parameter, value.integer);
    case SqlValue::Kind::real: return sqlite3_bind_double(statement, parameter, value.real);
    case SqlValue::Kind::text:
      return sqlite3_bind_text(statement, parameter, value.text.data(), static_cast<int>(value.text.size()),
                               SQLITE_TRANSIENT);
    case SqlValue::Kind::null: return sqlite3_bind_null(statement, parameter);
  }
  return SQLITE_MISUSE;
}

}  // namespace qn::sqlif
