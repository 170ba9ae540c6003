#include "platform/recmgr/ReadAhead.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace qn::recmgr {
ReadAhead::ReadAhead() : enabled_(std::getenv("QNRECMGR_NO_READ_AHEAD") == nullptr) {}

bool ReadAhead::standsAt(const Cursor& cursor, size_t index) const {
  if (index >= batch_.records.size()) return false;
  const StoredRecord& r = batch_.records[index];
  if (cursor.position != r.position || cursor.removed) return false;
  return column_ == 0 || (cursor.keyColumn == column_ && cursor.image == r.image && cursor.stamp == r.stamp);
}

ReadAhead::Found ReadAhead::step(const RecordFile& file, const Cursor& cursor, uint16_t column, bool forward,
                                 const StoredRecord*& record) {
  walkedSinceSearch_ = true;
  const std::vector<StoredRecord>& records = batch_.records;
  if (!enabled_ || !batch_.changeCounter || records.empty() || column != column_ || !standsAt(cursor, at_))
    return Found::unknown;
  const bool beyond = forward ? at_ + 1 == records.size() : at_ == 0;
  if (beyond && !(forward ? last_ : first_)) {
    if (around_.onStretch) (forward ? around_.beyondAfter : around_.beyondBefore) = true;
    return Found::unknown;
  }
  // Checked last: the one look at the file a step from the stretch costs.
  if (file.changeCounter() != batch_.changeCounter) return Found::unknown;
  if (beyond) return Found::end;
  standOn(forward ? at_ + 1 : at_ - 1);
  record = &records[at_];
  return Found::record;
}

uint32_t ReadAhead::start(const Cursor& cursor, uint16_t column, bool forward) {
  const std::vector<StoredRecord>& records = batch_.records;
  const bool runOff = !records.empty() && column == column_ && forward == forward_ &&
                      at_ == (forward ? records.size() - 1 : 0) && standsAt(cursor, at_);
  length_ = runOff ? std::min(length_ * 2, longestLength) : firstLength;
  around_.onStretch = false;
  column_ = column;
  forward_ = forward;
  batch_.changeCounter.reset();
  return length_;
}

const StoredRecord* ReadAhead::find(const RecordFile& file, uint32_t position, uint16_t column) {
  walkedSinceSearch_ = true;
  if (!enabled_ || !batch_.changeCounter || column != column_) return nullptr;
  const std::vector<StoredRecord>& records = batch_.records;
  const auto found = std::find_if(records.begin(), records.end(),
                                  [&](const StoredRecord& r) { return r.position == position; });
  if (found == records.end() || file.changeCounter() != batch_.changeCounter) return nullptr;
  standOn(static_cast<size_t>(found - records.begin()));
  return &*found;
}

void ReadAhead::standOn(size_t index) {
  at_ = index;
  if (!around_.onStretch) return;
  if (index < around_.place)
    around_.reachedBefore = std::max(around_.reachedBefore, static_cast<uint32_t>(around_.place - index));
  else
    around_.reachedAfter = std::max(around_.reachedAfter, static_cast<uint32_t>(index - around_.place));
}

bool ReadAhead::searchReadsAround() {
  const bool walked = walkedSinceSearch_;
  walkedSinceSearch_ = false;
  return enabled_ && walked;
}

ReadAhead::AroundLengths ReadAhead::startAround() {
  AroundWatch& w = around_;
  const auto next = [](uint32_t read, uint32_t reached, bool beyond) {
    return beyond ? std::min(std::max(read * 2, 1u), longestLength) : std::max(reached, read / 2);
  };
  const uint32_t before = w.watching ? next(w.before, w.reachedBefore, w.beyondBefore) : w.before;
  const uint32_t after = w.watching ? next(w.after, w.reachedAfter, w.beyondAfter) : w.after;
  w = AroundWatch{};
  w.before = before;
  w.after = after;
  batch_.changeCounter.reset();
  length_ = firstLength;
  return {w.before, w.after + 1};
}

const StoredRecord& ReadAhead::tookAround(uint16_t column) {
  std::vector<StoredRecord>& records = batch_.records;
  std::vector<StoredRecord>& before = behind_.records;
  records.insert(records.begin(), std::make_move_iterator(before.rbegin()), std::make_move_iterator(before.rend()));
  at_ = before.size();
  before.clear();
  around_.watching = around_.onStretch = true;
  around_.place = at_;
  column_ = column;
  forward_ = true;
  first_ = behind_.reachesEnd;
  last_ = batch_.reachesEnd;
  return records[at_];
}

void ReadAhead::drop() {
  around_.onStretch = false;
  batch_.records.clear();
  batch_.changeCounter.reset();
}

const StoredRecord& ReadAhead::took() {
  std::vector<StoredRecord>& records = batch_.records;
  const bool reachesEnd = batch_.reachesEnd;
  if (forward_) {
    at_ = 0;
    first_ = false;
    last_ = reachesEnd;
  } else {
    std::reverse(records.begin(), records.end());
    at_ = records.size() - 1;
    first_ = reachesEnd;
    last_ = false;
  }
  return records[at_];
}

}  // namespace qn::recmgr
