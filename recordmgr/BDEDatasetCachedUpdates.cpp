// The switch of a record-manager dataset into and out of cached updates.
#include "framework/db/DatabaseError.h"
#include "recordmgr/BDEDataset.h"
#include "recordmgr/VirtEng.h"

namespace {
constexpr const char* kNotCachedUpdates = "Not in cached update mode";
}  // namespace

void TttBDEDataset::SetCachedUpdates(bool value) {
  if (value == cachedUpdates_) return;
  if (!Active() || ComponentState().Contains(csDesigning)) {
    cachedUpdates_ = value;
    return;
  }
  CheckBrowseMode();
  UpdateCursorPos();
  // The cache table takes the cursor's place and keeps its record layout, so the buffers stay.
  Check(value ? Engine()->BeginCachedUpdates(handle_) : Engine()->EndCachedUpdates(handle_));
  cachedUpdates_ = value;
  Resync(0);
}

void TttBDEDataset::CheckCachedUpdates() const {
  if (!cachedUpdates_) DatabaseError(kNotCachedUpdates, this);
}
