#pragma once
// TttBlobStream: reads and writes one blob field of a record-manager dataset through the engine.
// A blob read from its start to its end in order, from the active record, is kept in that
// record buffer's blob cache, so later streams on the field serve it without the engine. Written
// bytes go straight into the record buffer's blob, so a stream still open when the record is
// posted has its bytes in the posted record.
//
// The creator calls Open after construction, so that a descendant's Engine is in place.
// Character-set conversion of transliterating fields is not done: the engines here store text
// in the program's own character set.
#include <cstdint>
#include <string>

#include "framework/base/Stream.h"
#include "framework/db/DbTypes.h"

class TBlobField;
class TField;
class TttBDEDataset;
class TVirtEng;

class TttBlobStream : public TStream {
  QN_CLASS(TttBlobStream, TStream)
 public:
  TttBlobStream(TField* field, TBlobStreamMode mode);
  ~TttBlobStream() override;

  // Opens the engine blob, or serves it from the cache. Raises "Cannot access field '%s' in a
  // filter", "Field '%s' cannot be modified" and "Dataset not in edit or insert mode".
  void Open();

  virtual TVirtEng* Engine();
  // When true the stream re-reads the current record before it opens.
  virtual bool NeedsCurrentRecord() const { return false; }

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override;
  void SetSize(int64_t size) override;
  void Truncate();

  bool Opened() const { return opened_; }
  // Whether the bytes come from the record buffer's blob cache.
  bool Cached() const { return cached_; }

 private:
  void check(uint16_t status);
  std::string& cacheEntry();
  void clearCacheEntry();
  void collect(const char* bytes, uint32_t count);

  TBlobField* field_;
  TttBDEDataset* dataset_;
  uint16_t fieldNo_;
  char* buffer_ = nullptr;
  TBlobStreamMode mode_;
  bool opened_ = false;
  bool cached_ = false;
  bool modified_ = false;
  uint32_t position_ = 0;
  // Bytes read in order from the start; they become the cache entry once they reach the size.
  std::string collected_;
};
