#pragma once
// Makes one write operation atomic: outside a transaction its own immediate transaction (the
// write lock is taken before anything is read, so two writers never deadlock on an upgrade);
// inside the client's transaction a savepoint, so a failed write leaves the transaction alive.
#include "platform/recmgr/Sqlite.h"

namespace qn::recmgr {

class WriteScope {
 public:
  explicit WriteScope(Database& db);
  ~WriteScope();  // rolls back unless committed
  WriteScope(const WriteScope&) = delete;
  WriteScope& operator=(const WriteScope&) = delete;

  Status begun() const { return begun_; }
  Status commit();

 private:
  Database& db_;
  bool nested_;
  Status begun_;
  bool open_ = false;
};

}  // namespace qn::recmgr
