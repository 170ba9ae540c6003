#pragma once
// A client's transaction. Files join it at their first write inside it: the client marks the
// file in its lock file (so every process tells a transaction from a short operation), the file
// is attached to the transaction's one SQLite connection (opened on the first file written), and
// from then on the client's reads and writes of it run there, seeing its own changes, while the
// file keeps its header's counters in memory. End writes the counters back and commits once, so
// the files change together or not at all; afterwards the files go back to their own
// connections and the marks go.
//
// The connection and its attached files stay for the client's later transactions, as long as the
// client keeps those files open (its open lock then refuses every exclusive open and replace by
// others anyway): a file is detached as soon as the client has closed it, and the connection
// closes when its first file is closed, or when a transaction begins its writes with another file
// (the first file written must be the connection's own, so eleven files always fit). An attached
// file is idle between transactions: it holds no SQLite lock and is read and written only from
// its first write in a transaction.
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
  // After the client closed a handle: files it no longer has open are detached.
  void letGoOfClosedFiles();

 private:
  enum class State { none, active, dead, failedEnd };
  struct Member {
    std::shared_ptr<RecordFile> file;
    std::shared_ptr<FileLocks> locks;
    std::string schema;
    bool writing = false;  // attached, and its write lock taken
  };
  // A file attached to the connection (the first one is its own, "main"), kept between
  // transactions while the client has it open.
  struct Attachment {
    std::weak_ptr<RecordFile> file;
    std::string schema;
  };

  // The connection with `file` as its own, kept from an earlier transaction or opened now, inside
  // a transaction begun.
  Status connect(const std::shared_ptr<RecordFile>& file);
  Status openConnection(const std::string& mainPath);
  void closeConnection();
  // The schema `file` is attached as, attaching it now when it is not (making room by detaching a
  // file this transaction has not written).
  Status attach(const std::shared_ptr<RecordFile>& file, std::string& schema);
  // Takes the file's write lock before anything of it is read, so no upgrade can fail midway.
  Status startWriting(Member& member);
  // Rolls back what is still open (keeping taken positions taken unless `committed`), routes the
  // files home, drops the marks; the connection stays only when it is sound (`keepConnection`).
  void finish(bool committed, bool keepConnection);

  State state_ = State::none;
  Database db_;
  std::vector<Attachment> attached_;
  unsigned attachSerial_ = 0;  // names each attachment anew, so no schema name is reused
  std::vector<Member> members_;
};

}  // namespace qn::recmgr
