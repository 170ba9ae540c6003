#include "platform/recmgr/Transaction.h"

#include <algorithm>

#include "platform/recmgr/BusyWait.h"

namespace qn::recmgr {

Transaction::~Transaction() { finish(false, false); }

Status Transaction::begin() {
  if (open()) return status::transactionActive;
  state_ = State::active;
  return status::ok;
}

Status Transaction::end() {
  noteFailure();
  switch (state_) {
    case State::none:
    case State::failedEnd:
      return status::noTransaction;
    case State::dead:
      finish(false, false);
      state_ = State::failedEnd;
      return status::operationNotAllowed;
    case State::active:
      break;
  }
  Status s = status::ok;
  for (Member& m : members_)
    if (s == status::ok && m.writing) s = m.file->storeCounters();
  if (s == status::ok && db_.inTransaction()) s = statusOfSqlite(db_.exec("COMMIT"));
  finish(s == status::ok, s == status::ok);
  state_ = s == status::ok ? State::none : State::failedEnd;
  return s;
}

Status Transaction::abort() {
  if (state_ == State::none) return status::noTransaction;
  // Callers roll back after a failed end: that abort finds nothing left and succeeds.
  finish(false, state_ == State::active);
  state_ = State::none;
  return status::ok;
}

void Transaction::noteFailure() {
  if (state_ == State::active && !members_.empty() && !db_.inTransaction()) state_ = State::dead;
}

Status Transaction::join(const std::shared_ptr<RecordFile>& file, const std::shared_ptr<FileLocks>& locks) {
  auto it = std::find_if(members_.begin(), members_.end(), [&](const Member& m) { return m.file == file; });
  if (it != members_.end()) return it->writing ? status::ok : startWriting(*it);
  if (members_.size() == maxFiles) return status::operationNotAllowed;
  if (Status s = locks->markTransaction(); s != status::ok) return s;
  std::string schema = "main";
  const Status s = members_.empty() ? connect(file) : attach(file, schema);
  if (s != status::ok) {
    locks->unmarkTransaction();
    noteFailure();
    return s;
  }
  members_.push_back(Member{file, locks, schema});
  return startWriting(members_.back());
}

Status Transaction::connect(const std::shared_ptr<RecordFile>& file) {
  letGoOfClosedFiles();
  if (!attached_.empty() && attached_.front().file.lock() == file) {
    const int rc = db_.exec("BEGIN");
    if (rc == SQLITE_OK) return status::ok;
    closeConnection();
    return statusOfSqlite(rc);
  }
  closeConnection();
  if (Status s = openConnection(file->path()); s != status::ok) return s;
  attached_.push_back(Attachment{file, "main"});
  return status::ok;
}

Status Transaction::openConnection(const std::string& mainPath) {
  int rc = db_.open(mainPath, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
  if (rc == SQLITE_OK) {
    waitBriefly(db_.get());
    sqlite3_extended_result_codes(db_.get(), 1);
    // A large transaction keeps its changes in memory until the commit, so readers go on.
    rc = db_.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_spill=OFF; BEGIN");
  }
  if (rc != SQLITE_OK) db_.close();
  return statusOfSqlite(rc);
}

void Transaction::closeConnection() {
  attached_.clear();
  db_.close();  // which detaches every attached file
}

Status Transaction::attach(const std::shared_ptr<RecordFile>& file, std::string& schema) {
  for (const Attachment& a : attached_) {
    if (a.file.lock() == file) {
      schema = a.schema;
      return status::ok;
    }
  }
  if (attached_.size() == maxFiles) {
    // The first file written is the connection's own, so fewer than maxFiles - 1 attachments
    // belong to this transaction: one is idle.
    auto idle = std::find_if(attached_.begin() + 1, attached_.end(), [&](const Attachment& a) {
      const std::shared_ptr<RecordFile> f = a.file.lock();
      return std::none_of(members_.begin(), members_.end(), [&](const Member& m) { return m.file == f; });
    });
    if (idle == attached_.end()) return status::operationNotAllowed;
    if (int rc = db_.exec(("DETACH DATABASE " + idle->schema).c_str()); rc != SQLITE_OK) return statusOfSqlite(rc);
    attached_.erase(idle);
  }
  const std::string name = "f" + std::to_string(++attachSerial_);
  Statement attach;
  int rc = attach.prepare(db_.get(), "ATTACH DATABASE ?1 AS " + name);
  if (rc == SQLITE_OK) {
    attach.bind(1, file->path());
    rc = attach.step();
    attach.reset();
  }
  if (rc != SQLITE_OK && rc != SQLITE_DONE) return statusOfSqlite(rc);
  // An attached file keeps the connection's full synchronisation (which cannot change inside a
  // transaction); its journal must be a deleted one for the commit across files to be atomic.
  rc = db_.exec(("PRAGMA " + name + ".journal_mode=DELETE").c_str());
  if (rc != SQLITE_OK) {
    db_.exec(("DETACH DATABASE " + name).c_str());
    return statusOfSqlite(rc);
  }
  attached_.push_back(Attachment{file, name});
  schema = name;
  return status::ok;
}

Status Transaction::startWriting(Member& member) {
  Status s;
  {
    WriteWait wait(db_.get(), *member.locks);
    s = statusOfSqlite(
        db_.exec(("UPDATE " + member.schema + ".header SET recordCount = recordCount WHERE id = 1").c_str()));
  }
  if (s != status::ok) {
    noteFailure();
    return s;
  }
  s = member.file->routeThrough(db_, member.schema);
  member.writing = s == status::ok || s == status::layoutChanged;
  if (!member.writing) noteFailure();
  return s;
}

void Transaction::letGoOfClosedFiles() {
  if (attached_.empty()) return;
  // The connection's own file can go only between transactions; inside one it is written.
  if (attached_.front().file.expired()) {
    if (!db_.inTransaction()) closeConnection();
    return;
  }
  for (auto it = attached_.begin() + 1; it != attached_.end();) {
    if (it->file.expired() && db_.exec(("DETACH DATABASE " + it->schema).c_str()) == SQLITE_OK) {
      it = attached_.erase(it);
    } else {
      ++it;
    }
  }
}

void Transaction::finish(bool committed, bool keepConnection) {
  if (db_.inTransaction()) db_.exec("ROLLBACK");
  for (Member& m : members_) {
    if (m.writing && !committed) m.file->keepPositionsTaken();
    if (m.writing) m.file->routeOwn();
    m.locks->unmarkTransaction();
  }
  members_.clear();
  if (keepConnection && !db_.inTransaction()) {
    letGoOfClosedFiles();
  } else {
    closeConnection();
  }
}

}  // namespace qn::recmgr
