#pragma once
// The records a walk is about to reach, read ahead by one statement: a stretch of a key path, or
// of physical order, as the file stood at one moment, and where the handle stands in it. A step of
// the walk is answered from the stretch only while the handle still stands where the stretch put
// it and the file's change counter shows no commit since it was read: any commit, of any client
// in any process or of this one, and the step goes to SQLite again. Nothing stays open between
// calls. A walk that keeps running off the end of its stretch reads longer ones.
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
  // After a read ahead that failed: nothing of it answers.
  void drop();
  // After the batch is filled with at least one record: the first of them, where the walk stands
  // now.
  const StoredRecord& took();

 private:
  bool standsAt(const Cursor& cursor, size_t index) const;

  bool enabled_;
  ReadBatch batch_;   // records in the path's own order, whichever way they were read
  uint16_t column_ = 0;
  bool forward_ = true;
  size_t at_ = 0;          // the record the walk stands on
  bool first_ = false;     // nothing comes before the stretch
  bool last_ = false;      // nothing comes after it
  uint32_t length_ = 0;    // of the stretch being read
};

}  // namespace qn::recmgr
