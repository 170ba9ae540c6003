#pragma once
// The records a walk is about to reach, read ahead by one statement: a stretch of a key path, or
// of physical order, as the file stood at one moment, and where the handle stands in it. A step of
// the walk is answered from the stretch only while the handle still stands where the stretch put
// it and the file's change counter shows no commit since it was read: any commit, of any client
// in any process or of this one, and the step goes to SQLite again. Nothing stays open between
// calls. A walk that keeps running off the end of its stretch reads longer ones. A key search reads
// a stretch both ways around the record it finds, but only on a handle whose last search was
// followed by a walk from it (as a window of rows around the found record is filled): a caller
// that only looks records up pays for no more than the one record. How far it reads each way
// follows how far the walks from the last such search went: as far again, twice as far on a side
// where they went beyond the stretch.
#include <cstdint>

#include "platform/recmgr/Cursor.h"
#include "platform/recmgr/RecordFile.h"

namespace qn::recmgr {

class ReadAhead {
 public:
  // Tests compare walks with and without reading ahead: it is off in handles opened while
  // QNRECMGR_NO_READ_AHEAD is set in the environment.
  ReadAhead();

  bool enabled() const { return enabled_; }

  // What one step from the current record finds in the stretch.
  enum class Found { unknown, record, end };
  // A step forward or back in key path `column` (0: physical order) from `cursor`; a record found
  // (valid until the next read ahead) is where the walk stands now.
  Found step(const RecordFile& file, const Cursor& cursor, uint16_t column, bool forward,
             const StoredRecord*& record);

  // A new stretch from `cursor`: how many records to read into batch(), which the caller then
  // fills in the order of the walk.
  uint32_t start(const Cursor& cursor, uint16_t column, bool forward);
  ReadBatch& batch() { return batch_; }
  // A read of the record at `position`, made current in key path `column` (0: physical order),
  // answered from the stretch when it holds the record and the file shows no commit since: the
  // record, where the walk stands now; else nothing.
  const StoredRecord* find(const RecordFile& file, uint32_t position, uint16_t column);

  // Whether an unlocked key search should read around its place (see above); asking starts the
  // search's watch for a walk from it.
  bool searchReadsAround();
  // A stretch around a key search's place: how many records to read before the place (into
  // behind(), nearest first; 0: none) and from the place on (into batch()).
  struct AroundLengths {
    uint32_t before;
    uint32_t from;
  };
  AroundLengths startAround();
  ReadBatch& behind() { return behind_; }
  // After both are filled and batch() starts with the record found: that record, where the walk
  // stands now.
  const StoredRecord& tookAround(uint16_t column);

  // After a read ahead that failed: nothing of it answers.
  void drop();
  // After the batch is filled with at least one record: the first of them, where the walk stands
  // now.
  const StoredRecord& took();

 private:
  // Chosen by measurement (the record manager's benchmark): a short first stretch keeps a walk that
  // stops after a few records cheap; a long one costs no more per record than a stepping cursor.
  static constexpr uint32_t firstLength = 16;
  static constexpr uint32_t longestLength = 256;

  bool standsAt(const Cursor& cursor, size_t index) const;
  // The walk now stands on record `index` of the stretch.
  void standOn(size_t index);

  bool enabled_;
  ReadBatch batch_;   // records in the path's own order, whichever way they were read
  ReadBatch behind_;  // of a search around its place: the records before it, nearest first
  uint16_t column_ = 0;
  bool forward_ = true;
  size_t at_ = 0;          // the record the walk stands on
  bool first_ = false;     // nothing comes before the stretch
  bool last_ = false;      // nothing comes after it
  uint32_t length_ = 0;    // of the stretch being read
  bool walkedSinceSearch_ = false;
  // The last search that read around its place: the stretch it read (while it lasts) and the
  // place in it, how far walks went from there each way, whether they went beyond the stretch,
  // and how far the next such search reads.
  struct AroundWatch {
    bool watching = false;
    bool onStretch = false;
    size_t place = 0;
    uint32_t reachedBefore = 0, reachedAfter = 0;
    bool beyondBefore = false, beyondAfter = false;
    uint32_t before = firstLength, after = firstLength;
  } around_;
};

}  // namespace qn::recmgr
