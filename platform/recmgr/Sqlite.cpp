#include "platform/recmgr/Sqlite.h"

namespace qn::recmgr {

Status statusOfSqlite(int code) {
  switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return status::ok;
    case SQLITE_CONSTRAINT:
      return status::duplicateKey;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_SCHEMA:  // another client is changing the keys: it is busy, not broken
      return status::recordLocked;
    case SQLITE_FULL:
      return status::diskFull;
    case SQLITE_READONLY:
      return status::readOnlyOpen;
    case SQLITE_NOTADB:
      return status::notRecordFile;
    default:
      return status::ioError;
  }
}

Database::~Database() { close(); }

int Database::open(const std::string& path, int flags) {
  close();
  int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) close();
  return rc;
}

void Database::close() {
  if (db_) sqlite3_close_v2(db_);
  db_ = nullptr;
}

int Database::exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

Statement::~Statement() { sqlite3_finalize(stmt_); }

int Statement::prepare(sqlite3* db, std::string_view sql) {
  sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  return sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt_,
                            nullptr);
}

std::string Statement::blob(int column) const {
  std::string out;
  blobInto(column, out);
  return out;
}

void Statement::blobInto(int column, std::string& out) const {
  const void* p = sqlite3_column_blob(stmt_, column);
  if (p) {
    out.assign(static_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
  } else {
    out.clear();
  }
}

}  // namespace qn::recmgr
