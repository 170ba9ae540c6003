#include "platform/os/NamedMutex.h"

#include <unistd.h>

#include <cctype>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "platform/os/LockFile.h"
#include "platform/os/RuntimeFolders.h"

namespace qn::os {

struct NamedMutex::Shared {
  explicit Shared(const std::string& path) : file(path) {}
  LockFile file;  // holds the owner's note: empty while free, non-empty while owned
  std::mutex guard;
  std::condition_variable freed;
  std::thread::id owner;
  int depth = 0;
};

namespace {

using Clock = std::chrono::steady_clock;

// Mutex names may hold any character but '\'; file names may not hold '/'. Letters, digits and
// a few marks stay readable, the rest is written as %XX.
std::string fileNameFor(const std::string& name) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : name) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out + ".lock";
}

// One state per name in the process, so handles opened by several parts of the program agree on
// which thread owns it.
std::shared_ptr<NamedMutex::Shared> sharedFor(const std::string& name) {
  static std::mutex tableGuard;
  static std::map<std::string, std::weak_ptr<NamedMutex::Shared>> table;
  std::lock_guard lock(tableGuard);
  auto& slot = table[name];
  if (auto existing = slot.lock()) return existing;
  auto created = std::make_shared<NamedMutex::Shared>(runtimeSubdir("mutex") + "/" + fileNameFor(name));
  slot = created;
  return created;
}

bool ownerNoteLeft(int fd) {
  char c;
  return ::pread(fd, &c, 1, 0) == 1;
}

void writeOwnerNote(int fd) {
  std::string note = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, note.data(), note.size(), 0);
}

}  // namespace

NamedMutex::NamedMutex(const std::string& name) : shared_(sharedFor(name)) {}

NamedMutex::~NamedMutex() {
  while (ownedByThisHandle_ > 0 && release()) {
  }
}

WaitResult NamedMutex::wait(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  const bool forever = timeoutMs < 0;
  const auto self = std::this_thread::get_id();
  Shared& s = *shared_;

  std::unique_lock lock(s.guard);
  if (s.depth > 0 && s.owner == self) {
    ++s.depth;
    ++ownedByThisHandle_;
    return WaitResult::Acquired;
  }
  // First among this process's threads, then against the other processes.
  auto freeHere = [&] { return s.depth == 0; };
  if (forever) {
    s.freed.wait(lock, freeHere);
  } else if (!s.freed.wait_until(lock, deadline, freeHere)) {
    return WaitResult::TimedOut;
  }
  s.owner = self;
  s.depth = 1;  // reserved for this thread while it waits for the other processes
  lock.unlock();

  WaitResult result = WaitResult::TimedOut;
  try {
    for (;;) {
      if (s.file.try_lock()) {
        result = ownerNoteLeft(s.file.fd()) ? WaitResult::Abandoned : WaitResult::Acquired;
        writeOwnerNote(s.file.fd());
        break;
      }
      if (!forever && Clock::now() >= deadline) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  } catch (const std::system_error&) {
    result = WaitResult::Failed;
  }

  lock.lock();
  if (result == WaitResult::TimedOut || result == WaitResult::Failed) {
    s.depth = 0;
    s.owner = {};
    s.freed.notify_one();
  } else {
    ++ownedByThisHandle_;
  }
  return result;
}

bool NamedMutex::release() {
  Shared& s = *shared_;
  std::lock_guard lock(s.guard);
  if (s.depth == 0 || s.owner != std::this_thread::get_id()) return false;
  if (ownedByThisHandle_ > 0) --ownedByThisHandle_;
  if (--s.depth == 0) {
    // The note goes first: a process that dies between the two steps leaves no false abandonment.
    (void)!::ftruncate(s.file.fd(), 0);
    s.file.unlock();
    s.owner = {};
    s.freed.notify_one();
  }
  return true;
}

}  // namespace qn::os
