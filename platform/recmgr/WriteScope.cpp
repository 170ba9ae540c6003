#include "platform/recmgr/WriteScope.h"

namespace qn::recmgr {

WriteScope::WriteScope(Database& db) : db_(db), nested_(db.inTransaction()) {
  begun_ = statusOfSqlite(db_.exec(nested_ ? "SAVEPOINT recordWrite" : "BEGIN IMMEDIATE"));
  open_ = begun_ == status::ok;
}

WriteScope::~WriteScope() {
  if (!open_) return;
  if (nested_) {
    db_.exec("ROLLBACK TO recordWrite");
    db_.exec("RELEASE recordWrite");
  } else {
    db_.exec("ROLLBACK");
  }
}

Status WriteScope::commit() {
  Status s = statusOfSqlite(db_.exec(nested_ ? "RELEASE recordWrite" : "COMMIT"));
  if (s == status::ok) open_ = false;
  return s;
}

}  // namespace qn::recmgr
