#include "platform/sqlif/Cursor.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "platform/sqlif/Dictionary.h"

namespace qn::sqlif {

namespace {

std::string upperCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
  return out;
}

std::string quotedName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// The query with the table's rowid as a first column, or nothing when it does not start with a
// plain SELECT.
std::optional<std::string> withRowid(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  if (text.size() < start + 7 || upperCase(text.substr(start, 6)) != "SELECT" ||
      !std::isspace(static_cast<unsigned char>(text[start + 6])))
    return std::nullopt;
  return std::string(text.substr(0, start + 6)) + " _rowid_," + std::string(text.substr(start + 6));
}

Status prepareInternal(sqlite3* db, const std::string& sql, SqliteStatement& statement) {
  sqlite3_stmt* raw = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr);
  statement.reset(raw);
  return rc == SQLITE_OK ? status::ok : statusOfFailure(rc);
}

Status stepToEnd(sqlite3_stmt* statement) {
  const int rc = sqlite3_step(statement);
  sqlite3_reset(statement);
  return rc == SQLITE_DONE || rc == SQLITE_ROW ? status::ok : statusOfFailure(rc);
}

}  // namespace

Status Cursor::compile(std::string_view text) {
  compiled_.reset();
  result_.reset();
  const StatementShape shape = examineStatement(text);
  if (shape.secondStatement) return status::notSupported;
  switch (shape.kind) {
    case StatementKind::other: return status::notSupported;
    case StatementKind::query:
    case StatementKind::change: return compileSql(text, shape);
    case StatementKind::procedureCall: {
      std::string body;
      if (Status s = procedureText(database_.folder(), shape.procedureName, body); s != status::ok) return s;
      const StatementShape inner = examineStatement(body);
      // A procedure holds one statement of its own; it calls no other procedure.
      if (inner.secondStatement || inner.kind == StatementKind::other || inner.kind == StatementKind::procedureCall)
        return status::notSupported;
      if (inner.kind == StatementKind::query || inner.kind == StatementKind::change) return compileSql(body, inner);
      compiled_.emplace();
      compiled_->kind = inner.kind;
      return status::ok;
    }
    default:
      compiled_.emplace();
      compiled_->kind = shape.kind;
      return status::ok;
  }
}

Status Cursor::compileSql(std::string_view text, const StatementShape& shape) {
  SqliteStatement statement;
  SqlDatabase::Access access;
  if (Status s = database_.prepareGuarded(text, statement, access); s != status::ok) return s;
  Compiled compiled;
  compiled.kind = shape.kind;
  if (shape.kind == StatementKind::query) {
    bool allTableColumns = true;
    for (int i = 0; i < sqlite3_column_count(statement.get()); ++i) {
      ResultColumn column;
      const char* name = sqlite3_column_name(statement.get(), i);
      const char* table = sqlite3_column_table_name(statement.get(), i);
      const char* origin = sqlite3_column_origin_name(statement.get(), i);
      column.name = name ? name : "";
      const ColumnType* type = table && origin ? database_.columnType(table, origin) : nullptr;
      if (type != nullptr) {
        column.described = column.written = *type;
        column.table = table;
        column.column = origin;
      } else {
        const uint16_t decimals = database_.decimalsNamed(identifiersOf(column.name), access.tablesRead);
        formComputedColumn(column, decimals);
        allTableColumns = false;
      }
      compiled.columns.push_back(std::move(column));
    }
    // Rows of one table, each result row one table row: the rowid finds it again.
    const bool oneTable = allTableColumns && !compiled.columns.empty() && !shape.combinesRows &&
                          access.selects == 1 && access.tablesRead.size() == 1 && !access.callsAggregates;
    if (const std::optional<std::string> variant = oneTable ? withRowid(text) : std::nullopt) {
      SqliteStatement withId;
      SqlDatabase::Access again;
      if (database_.prepareGuarded(*variant, withId, again) == status::ok) {
        statement = std::move(withId);
        compiled.updatable = true;
        compiled.table = compiled.columns.front().table;
      }
    }
  }
  for (int i = 1; i <= sqlite3_bind_parameter_count(statement.get()); ++i) {
    const char* name = sqlite3_bind_parameter_name(statement.get(), i);
    compiled.parameters.push_back(name ? name : "?");
  }
  compiled.statement = std::move(statement);
  compiled_ = std::move(compiled);
  return unresolved() ? status::unresolvedVariables : status::ok;
}

bool Cursor::unresolved() const {
  for (const std::string& p : compiled_->parameters)
    if (p.size() < 2 || p[0] != '@' || values_.count(upperCase(p.substr(1))) == 0) return true;
  return false;
}

Status Cursor::substitute(std::string_view name, std::string_view value) {
  if (!name.empty() && name[0] == '@') name.remove_prefix(1);
  if (name.empty()) return status::statementError;
  values_[upperCase(name)] = std::string(value);
  return status::ok;
}

Status Cursor::bindParameters() {
  sqlite3_stmt* statement = compiled_->statement.get();
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  for (size_t i = 0; i < compiled_->parameters.size(); ++i) {
    const std::string& value = values_.at(upperCase(compiled_->parameters[i].substr(1)));
    if (sqlite3_bind_text(statement, static_cast<int>(i + 1), value.data(), static_cast<int>(value.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
      return status::statementError;
  }
  return status::ok;
}

Status Cursor::execute() {
  if (!compiled_) return status::statementError;
  switch (compiled_->kind) {
    case StatementKind::setOption: return status::setStatementIgnored;
    case StatementKind::startTransaction: return database_.beginTransaction();
    case StatementKind::commit: return database_.commitTransaction();
    case StatementKind::rollback: return database_.rollbackTransaction();
    case StatementKind::query:
    case StatementKind::change: {
      if (unresolved()) return status::unresolvedVariables;
      if (Status s = bindParameters(); s != status::ok) return s;
      return compiled_->kind == StatementKind::query ? runQuery() : runChange();
    }
    default: return status::notSupported;
  }
}

Status Cursor::runQuery() {
  result_.reset();
  sqlite3_stmt* statement = compiled_->statement.get();
  const int first = compiled_->updatable ? 1 : 0;
  std::vector<ResultRow> rows;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    ResultRow row;
    if (compiled_->updatable) row.rowid = sqlite3_column_int64(statement, 0);
    for (size_t i = 0; i < compiled_->columns.size(); ++i)
      row.values.push_back(columnValue(statement, first + static_cast<int>(i)));
    rows.push_back(std::move(row));
  }
  // Resetting ends the read, so a materialised result holds no lock on the database.
  sqlite3_reset(statement);
  if (rc != SQLITE_DONE) return statusOfFailure(rc);
  result_ = std::make_unique<ResultSet>(compiled_->columns, std::move(rows), compiled_->updatable, compiled_->table);
  return status::ok;
}

Status Cursor::runChange() {
  result_.reset();
  return stepToEnd(compiled_->statement.get());
}

Status Cursor::describe(int position, ColumnDescription& description) const {
  if (!compiled_ || position < 1 || static_cast<size_t>(position) > compiled_->columns.size())
    return status::invalidColumnPosition;
  const ResultColumn& column = compiled_->columns[static_cast<size_t>(position) - 1];
  description.type = column.described;
  description.name = column.name;
  return status::ok;
}

Status Cursor::fetch(int option, uint16_t& bufferLength, uint8_t* buffer, int32_t& count) {
  if (!result_) {
    count = 0;
    return status::noMoreRows;
  }
  return result_->fetch(option, bufferLength, buffer, count);
}

Status Cursor::recordFetch(int option, uint16_t& bufferLength, uint8_t* buffer, int32_t& count) {
  count = 0;
  const int plain = option & ~fetchOption::lockBias;
  if (plain != fetchOption::bookmark && plain != fetchOption::toBookmark) return status::notSupported;
  if (!result_) return status::ok;
  if (plain == fetchOption::bookmark) return result_->bookmark(bufferLength, buffer, count);
  const std::string table = result_->table();
  auto stillThere = [&](int64_t rowid) {
    SqliteStatement check;
    if (prepareInternal(database_.connection(), "SELECT 1 FROM " + quotedName(table) + " WHERE _rowid_ = ?", check) !=
        status::ok)
      return false;
    sqlite3_bind_int64(check.get(), 1, rowid);
    return sqlite3_step(check.get()) == SQLITE_ROW;
  };
  return result_->seekBookmark(bufferLength, buffer, count, stillThere);
}

Status Cursor::updatableResult(ResultSet*& result) {
  if (!result_ || !result_->updatable()) return status::viewNotUpdatable;
  result = result_.get();
  return status::ok;
}

Status Cursor::writeAndReread(ResultSet& result, const std::vector<SqlValue>& values, std::optional<int64_t> rowid,
                              ResultRow& reread) {
  sqlite3* db = database_.connection();
  const std::vector<ResultColumn>& columns = result.columns();
  // A table column shown twice is written once, from its first showing.
  std::vector<size_t> written;
  std::set<std::string> seen;
  for (size_t i = 0; i < columns.size(); ++i)
    if (seen.insert(lowerCase(columns[i].column)).second) written.push_back(i);

  std::string sql;
  if (rowid) {
    sql = "UPDATE " + quotedName(result.table()) + " SET ";
    for (size_t k = 0; k < written.size(); ++k)
      sql += (k ? ", " : "") + quotedName(columns[written[k]].column) + " = ?";
    sql += " WHERE _rowid_ = ?";
  } else {
    sql = "INSERT INTO " + quotedName(result.table()) + " (";
    for (size_t k = 0; k < written.size(); ++k) sql += (k ? ", " : "") + quotedName(columns[written[k]].column);
    sql += ") VALUES (";
    for (size_t k = 0; k < written.size(); ++k) sql += k ? ", ?" : "?";
    sql += ")";
  }
  SqliteStatement write;
  if (Status s = prepareInternal(db, sql, write); s != status::ok) return s;
  for (size_t k = 0; k < written.size(); ++k) bindValue(write.get(), static_cast<int>(k + 1), values[written[k]]);
  if (rowid) sqlite3_bind_int64(write.get(), static_cast<int>(written.size() + 1), *rowid);
  if (Status s = stepToEnd(write.get()); s != status::ok) return s;
  reread.rowid = rowid ? *rowid : sqlite3_last_insert_rowid(db);

  std::string select = "SELECT ";
  for (size_t i = 0; i < columns.size(); ++i) select += (i ? ", " : "") + quotedName(columns[i].column);
  select += " FROM " + quotedName(result.table()) + " WHERE _rowid_ = ?";
  SqliteStatement read;
  if (Status s = prepareInternal(db, select, read); s != status::ok) return s;
  sqlite3_bind_int64(read.get(), 1, reread.rowid);
  const int rc = sqlite3_step(read.get());
  if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? status::noCurrentRow : statusOfFailure(rc);
  reread.values.clear();
  for (size_t i = 0; i < columns.size(); ++i) reread.values.push_back(columnValue(read.get(), static_cast<int>(i)));
  return status::ok;
}

Status Cursor::insertRows(int32_t& count, const uint8_t* buffer) {
  const int32_t wanted = count;
  count = 0;
  ResultSet* result = nullptr;
  if (Status s = updatableResult(result); s != status::ok) return s;
  for (int32_t i = 0; i < wanted; ++i) {
    std::vector<SqlValue> values;
    if (!result->readRowBuffer(buffer + static_cast<size_t>(i) * result->stride(), values))
      return status::invalidStoredValue;
    ResultRow row;
    if (Status s = writeAndReread(*result, values, std::nullopt, row); s != status::ok) return s;
    result->appendAndMakeCurrent(std::move(row));
    ++count;
  }
  return status::ok;
}

Status Cursor::updateRow(int32_t& count, const uint8_t* buffer) {
  count = 0;
  ResultSet* result = nullptr;
  if (Status s = updatableResult(result); s != status::ok) return s;
  ResultRow* current = result->currentRow();
  if (current == nullptr) return status::noCurrentRow;
  std::vector<SqlValue> values;
  if (!result->readRowBuffer(buffer, values)) return status::invalidStoredValue;
  ResultRow row;
  if (Status s = writeAndReread(*result, values, current->rowid, row); s != status::ok) return s;
  *current = std::move(row);
  count = 1;
  return status::ok;
}

Status Cursor::removeRow(int32_t& count) {
  count = 0;
  ResultSet* result = nullptr;
  if (Status s = updatableResult(result); s != status::ok) return s;
  ResultRow* current = result->currentRow();
  if (current == nullptr) return status::noCurrentRow;
  SqliteStatement remove;
  const std::string sql = "DELETE FROM " + quotedName(result->table()) + " WHERE _rowid_ = ?";
  if (Status s = prepareInternal(database_.connection(), sql, remove); s != status::ok) return s;
  sqlite3_bind_int64(remove.get(), 1, current->rowid);
  if (Status s = stepToEnd(remove.get()); s != status::ok) return s;
  current->removed = true;
  count = 1;
  return status::ok;
}

}  // namespace qn::sqlif
