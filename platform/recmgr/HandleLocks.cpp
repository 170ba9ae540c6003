#include "platform/recmgr/HandleLocks.h"

#include <algorithm>

namespace qn::recmgr {

HandleLocks::~HandleLocks() {
  if (!file_) return;
  release([](const Held&) { return true; });
  file_->removeHandle(exclusive_);
}

void HandleLocks::adopt(std::shared_ptr<FileLocks> file, bool exclusive) {
  file_ = std::move(file);
  exclusive_ = exclusive;
}

template <typename Match>
void HandleLocks::release(Match match) {
  auto kept = std::stable_partition(held_.begin(), held_.end(), [&](const Held& h) { return !match(h); });
  for (auto it = kept; it != held_.end(); ++it) file_->unlockRecord(it->position);
  held_.erase(kept, held_.end());
}

Status HandleLocks::lock(uint32_t position, bool single, bool untilTransactionEnd) {
  // The new lock is taken before the old one goes, so the same record is never let go between;
  // a refused lock leaves the old one held.
  const Status s = file_->lockRecord(position);
  if (s != status::ok) return s;
  releaseSingle();
  held_.push_back({position, single, untilTransactionEnd});
  return s;
}

void HandleLocks::releaseAfterWrite(uint32_t position) {
  release([&](const Held& h) { return !h.untilTransactionEnd && (h.single || h.position == position); });
}

void HandleLocks::releasePosition(uint32_t position) {
  release([&](const Held& h) { return !h.untilTransactionEnd && h.position == position; });
}

void HandleLocks::releaseSingle() {
  release([](const Held& h) { return !h.untilTransactionEnd && h.single; });
}

void HandleLocks::releaseMultiple() {
  release([](const Held& h) { return !h.untilTransactionEnd && !h.single; });
}

void HandleLocks::releaseTransactionLocks() {
  release([](const Held& h) { return h.untilTransactionEnd; });
}

}  // namespace qn::recmgr
