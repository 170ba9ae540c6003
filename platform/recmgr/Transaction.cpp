#include "platform/recmgr/Transaction.h"

#include <algorithm>

#include "platform/recmgr/BusyWait.h"

namespace qn::recmgr {

Transaction::~Transaction() { finish(false); }

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
      finish(false);
      state_ = State::failedEnd;
      return status::operationNotAllowed;
    case State::active:
      break;
  }
  Status s = status::ok;
  for (Member& m : members_)
    if (s == status::ok && m.writing) s = m.file->storeCounters();
  if (s == status::ok && db_.inTransaction()) s = statusOfSqlite(db_.exec("COMMIT"));
  finish(s == status::ok);
  state_ = s == status::ok ? State::none : State::failedEnd;
  return s;
}

Status Transaction::abort() {
  if (state_ == State::none) return status::noTransaction;
  // Callers roll back after a failed end: that abort finds nothing left and succeeds.
  finish(false);
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
  Member member{file, locks, members_.empty() ? "main" : "f" + std::to_string(members_.size())};
  int rc = SQLITE_OK;
  if (members_.empty()) {
    if (Status s = openConnection(file->path()); s != status::ok) {
      locks->unmarkTransaction();
      return s;
    }
  } else {
    Statement attach;
    rc = attach.prepare(db_.get(), "ATTACH DATABASE ?1 AS " + member.schema);
    if (rc == SQLITE_OK) {
      attach.bind(1, file->path());
      rc = attach.step();
      attach.reset();
    }
    // An attached file keeps the connection's full synchronisation (which cannot change inside a
    // transaction); its journal must be a deleted one for the commit across files to be atomic.
    if (rc == SQLITE_OK || rc == SQLITE_DONE)
      rc = db_.exec(("PRAGMA " + member.schema + ".journal_mode=DELETE").c_str());
    if (rc != SQLITE_OK) {
      locks->unmarkTransaction();
      noteFailure();
      return statusOfSqlite(rc);
    }
  }
  members_.push_back(std::move(member));
  return startWriting(members_.back());
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

void Transaction::finish(bool committed) {
  if (db_.inTransaction()) db_.exec("ROLLBACK");
  for (Member& m : members_) {
    if (m.writing && !committed) m.file->keepPositionsTaken();
    if (m.writing) m.file->routeOwn();
    m.locks->unmarkTransaction();
  }
  members_.clear();
  db_.close();  // which detaches every attached file
}

}  // namespace qn::recmgr
