#include "platform/recmgr/BusyWait.h"

#include <unistd.h>

#include <random>

#include "platform/recmgr/FileLocks.h"

namespace qn::recmgr {
namespace {

struct PlainWait {
  std::chrono::steady_clock::time_point started;
};

// A short sleep of varying length, so two waiters do not wake in step.
void pause() {
  thread_local std::minstd_rand random{std::random_device{}()};
  ::usleep(200 + random() % 800);
}

bool overdue(std::chrono::steady_clock::time_point started) {
  return std::chrono::steady_clock::now() - started >= std::chrono::milliseconds(busyWaitMs);
}

int retryBriefly(void* context, int attempt) {
  auto* wait = static_cast<PlainWait*>(context);
  if (attempt == 0) wait->started = std::chrono::steady_clock::now();
  if (overdue(wait->started)) return 0;
  pause();
  return 1;
}

}  // namespace

void waitBriefly(sqlite3* db) {
  // One waiting state per thread serves every connection: a thread waits on one lock at a time.
  thread_local PlainWait wait;
  sqlite3_busy_handler(db, retryBriefly, &wait);
}

WriteWait::WriteWait(sqlite3* db, FileLocks& locks) : db_(db), locks_(&locks) {
  const auto started = std::chrono::steady_clock::now();
  while (locks_->writerWaiting() && !overdue(started)) pause();
  sqlite3_busy_handler(db_, retry, this);
}

WriteWait::~WriteWait() {
  locks_->unmarkWaiting();
  waitBriefly(db_);
}

int WriteWait::retry(void* self, int attempt) {
  auto* wait = static_cast<WriteWait*>(self);
  if (attempt == 0) {
    wait->started_ = std::chrono::steady_clock::now();
    wait->locks_->markWaiting();
  }
  if (wait->locks_->transactionByOther() || overdue(wait->started_)) return 0;
  pause();
  return 1;
}

}  // namespace qn::recmgr
