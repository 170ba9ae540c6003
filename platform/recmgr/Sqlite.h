#pragma once
// Thin ownership wrappers over SQLite handles, and the translation of SQLite's result codes into
// record-manager statuses. A statement in use is always reset when its use ends, so no read
// transaction outlives a call.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/recmgr/Statuses.h"

namespace qn::recmgr {

// SQLite result code -> status: constraint 5, busy or schema changed 84, full 18, read-only 46,
// anything else 2.
Status statusOfSqlite(int code);

class Database {
 public:
  Database() = default;
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Opens with the given SQLITE_OPEN_* flags; the result code of the open.
  int open(const std::string& path, int flags);
  void close();
  int exec(const char* sql);
  sqlite3* get() const { return db_; }
  bool inTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement() = default;
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }

  int prepare(sqlite3* db, std::string_view sql);
  sqlite3_stmt* get() const { return stmt_; }

  void bind(int index, int64_t value) { sqlite3_bind_int64(stmt_, index, value); }
  // An empty blob stays a blob (SQLite would bind a nil pointer as NULL).
  void bind(int index, std::string_view blob) {
    sqlite3_bind_blob(stmt_, index, blob.empty() ? "" : blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
  }
  void bindNull(int index) { sqlite3_bind_null(stmt_, index); }
  int step() { return sqlite3_step(stmt_); }
  int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
  bool isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
  std::string blob(int column) const;
  // The same into `out`, reusing its storage.
  void blobInto(int column, std::string& out) const;
  void reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Resets a statement when the operation using it ends, whatever the path out.
class StatementUse {
 public:
  explicit StatementUse(Statement& s) : s_(s) {}
  ~StatementUse() { s_.reset(); }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;
  Statement* operator->() { return &s_; }
  Statement& operator*() { return s_; }

 private:
  Statement& s_;
};

}  // namespace qn::recmgr
