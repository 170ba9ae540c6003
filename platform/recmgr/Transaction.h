#pragma once
// A client's transaction. Files join it at their first write inside it: the client marks the
// file in its lock file (so every process tells a transaction from a short operation), the file
// is attached to the transaction's one SQLite connection (opened on the first file written), and
// from then on the client's reads and writes of it run there, seeing its own changes, while the
// file keeps its header's counters in memory. End writes the counters back and commits once, so the files change together or not at all; afterwards the files go back to
// their own connections, the connection closes and the marks go.
//
// Promises: at most maxFiles files are written (41 beyond); after SQLite itself ended the
// transaction every operation in it answers 41; an end that does not commit rolls back, answers
// why, and leaves the client outside any transaction, where its first abort answers 0.
#include <memory>
#include <string>
#include <vector>

#include "platform/recmgr/FileLocks.h"
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/Sqlite.h"

namespace qn::recmgr {

class Transaction {
 public:
  static constexpr size_t maxFiles = 11;  // the first file and the ten SQLite attaches

  Transaction() = default;
  ~Transaction();  // rolls back what is still open
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // 37 when one is open.
  Status begin();
  // 39 without a transaction.
  Status end();
  Status abort();

  // Inside a transaction (alive or ended by SQLite).
  bool open() const { return state_ == State::active || state_ == State::dead; }
  // Ended by SQLite after an error: operations answer 41 until end or abort.
  bool dead() const { return state_ == State::dead; }

  // Before a write of `file` inside the transaction: makes the file part of it (84 when another
  // client's transaction has written it or the file stays busy; 41 beyond maxFiles).
  Status join(const std::shared_ptr<RecordFile>& file, const std::shared_ptr<FileLocks>& locks);
  // After an operation failed: whether SQLite ended the transaction.
  void noteFailure();

 private:
  enum class State { none, active, dead, failedEnd };
  struct Member {
    std::shared_ptr<RecordFile> file;
    std::shared_ptr<FileLocks> locks;
    std::string schema;
    bool writing = false;  // attached, and its write lock taken
  };

  Status openConnection(const std::string& mainPath);
  // Takes the file's write lock before anything of it is read, so no upgrade can fail midway.
  Status startWriting(Member& member);
  // Rolls back what is still open (keeping taken positions taken unless `committed`), routes the
  // files home, closes the connection, drops the marks.
  void finish(bool committed);

  State state_ = State::none;
  Database db_;
  std::vector<Member> members_;
};

}  // namespace qn::recmgr
