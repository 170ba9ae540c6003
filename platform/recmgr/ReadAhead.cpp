#include "platform/recmgr/ReadAhead.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace qn::recmgr {
namespace {

// Chosen by measurement (the record manager's benchmark): a short first stretch keeps a walk that
// stops after a few records cheap; a long one costs no more per record than a stepping cursor.
constexpr uint32_t firstLength = 16;
constexpr uint32_t longestLength = 256;

}  // namespace

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
  if (beyond && !(forward ? last_ : first_)) return Found::unknown;
  // Checked last: the one look at the file a step from the stretch costs.
  if (file.changeCounter() != batch_.changeCounter) return Found::unknown;
  if (beyond) return Found::end;
  forward ? ++at_ : --at_;
  record = &records[at_];
  return Found::record;
}

uint32_t ReadAhead::start(const Cursor& cursor, uint16_t column, bool forward) {
  const std::vector<StoredRecord>& records = batch_.records;
  const bool runOff = !records.empty() && column == column_ && forward == forward_ &&
                      at_ == (forward ? records.size() - 1 : 0) && standsAt(cursor, at_);
  length_ = runOff ? std::min(length_ * 2, longestLength) : firstLength;
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
  at_ = static_cast<size_t>(found - records.begin());
  return &*found;
}

bool ReadAhead::searchReadsAround() {
  const bool walked = walkedSinceSearch_;
  walkedSinceSearch_ = false;
  return enabled_ && walked;
}

uint32_t ReadAhead::startAround() {
  batch_.changeCounter.reset();
  length_ = firstLength;
  return length_;
}

const StoredRecord& ReadAhead::tookAround(uint16_t column) {
  std::vector<StoredRecord>& records = batch_.records;
  std::vector<StoredRecord>& before = behind_.records;
  records.insert(records.begin(), std::make_move_iterator(before.rbegin()), std::make_move_iterator(before.rend()));
  at_ = before.size();
  before.clear();
  column_ = column;
  forward_ = true;
  first_ = behind_.reachesEnd;
  last_ = batch_.reachesEnd;
  return records[at_];
}

void ReadAhead::drop() {
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
