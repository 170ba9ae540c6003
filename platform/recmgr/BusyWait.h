#pragma once
// How long an operation waits when SQLite finds a file locked by someone else. Another process's
// short operation briefly locks a whole file: retry it for up to busyWaitMs in short sleeps (so
// two writers taking turns do not starve each other). Another client's open transaction (its
// marker in the lock file) could last any time: a write gives up on it at once.
#include <sqlite3.h>

#include <chrono>

namespace qn::recmgr {

class FileLocks;

// Generous: on a busy machine or a slow shared disk one commit's file lock can outlast half a
// second, and giving up then reported a lock where no one held a record.
inline constexpr int busyWaitMs = 2000;

// Sets the bounded wait on a connection: every waiter (reads, commits) retries for busyWaitMs.
void waitBriefly(sqlite3* db);

// For the length of one write on `db`: the bounded wait that gives up at once on another
// client's transaction in `locks`; afterwards the plain bounded wait again. A writer that finds
// another waiting lets it go first (for at most busyWaitMs), and a waiting writer says so.
class WriteWait {
 public:
  WriteWait(sqlite3* db, FileLocks& locks);
  ~WriteWait();
  WriteWait(const WriteWait&) = delete;
  WriteWait& operator=(const WriteWait&) = delete;

 private:
  static int retry(void* self, int attempt);

  sqlite3* db_;
  FileLocks* locks_;
  std::chrono::steady_clock::time_point started_;
};

}  // namespace qn::recmgr
