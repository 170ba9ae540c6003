#include "recordmgr/BlobStream.h"

#include <algorithm>
#include <cstring>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/FormatText.h"
#include "framework/db/BlobField.h"
#include "framework/db/DatabaseError.h"
#include "recordmgr/BDEDataset.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/VirtEng.h"

namespace {
constexpr uint32_t kOpenReadOnly = 0;
constexpr uint32_t kOpenReadWrite = 1;
}  // namespace

TttBlobStream::TttBlobStream(TField* field, TBlobStreamMode mode)
    : field_(static_cast<TBlobField*>(field)),
      dataset_(static_cast<TttBDEDataset*>(field->DataSet())),
      fieldNo_(static_cast<uint16_t>(field->FieldNo())),
      mode_(mode) {}

TVirtEng* TttBlobStream::Engine() { return dataset_->Engine(); }

void TttBlobStream::check(uint16_t status) {
  if (status != 0) RaiseDatabaseEngineError(*Engine(), status);
}

std::string& TttBlobStream::cacheEntry() { return dataset_->BlobCache(buffer_, fieldNo_); }

void TttBlobStream::clearCacheEntry() { dataset_->ClearBlobCache(buffer_, fieldNo_); }

void TttBlobStream::Open() {
  buffer_ = dataset_->RecordBufferForState();
  if (!buffer_) return;
  if (dataset_->State() == dsFilter) DatabaseError(Format(dbtext::kFieldInFilter, {field_->DisplayName()}), dataset_);
  if (NeedsCurrentRecord()) dataset_->GetCurrentRecord(buffer_);
  if (!field_->Modified()) {
    if (mode_ != bmRead) {
      clearCacheEntry();
      if (field_->ReadOnly()) DatabaseError(Format(dbtext::kFieldReadOnly, {field_->DisplayName()}), dataset_);
      if (dataset_->State() != dsEdit && dataset_->State() != dsInsert) DatabaseError(dbtext::kNotEditing, dataset_);
      check(Engine()->OpenBlob(dataset_->Handle(), buffer_, fieldNo_, kOpenReadWrite));
    } else {
      cached_ = buffer_ == dataset_->ActiveRecordBuffer() && !cacheEntry().empty();
      if (!cached_) {
        if (dataset_->State() == dsBrowse) dataset_->GetCurrentRecord(buffer_);
        check(Engine()->OpenBlob(dataset_->Handle(), buffer_, fieldNo_, kOpenReadOnly));
      }
    }
  }
  opened_ = true;
  if (mode_ == bmWrite) Truncate();
}

TttBlobStream::~TttBlobStream() {
  if (!opened_) return;
  try {
    if (modified_) {
      field_->SetModified(true);
    } else if (!field_->Modified() && !cached_) {
      Engine()->FreeBlob(dataset_->Handle(), buffer_, fieldNo_);
    }
    if (modified_) dataset_->DataEvent(deFieldChange, reinterpret_cast<intptr_t>(field_));
  } catch (...) {
    HandleApplicationException(this);
  }
}

void TttBlobStream::collect(const char* bytes, uint32_t count) {
  if (mode_ != bmRead || field_->Modified() || buffer_ != dataset_->ActiveRecordBuffer()) return;
  // Only a read that goes on exactly where the collected bytes end can complete the blob.
  if (position_ != collected_.size()) return;
  collected_.append(bytes, count);
  if (collected_.size() < static_cast<size_t>(Size())) return;
  cacheEntry() = collected_;
  cached_ = true;
  Engine()->FreeBlob(dataset_->Handle(), buffer_, fieldNo_);
}

int64_t TttBlobStream::Read(void* buffer, int64_t count) {
  if (!opened_ || count <= 0) return 0;
  if (cached_) {
    const std::string& entry = cacheEntry();
    if (position_ >= entry.size()) return 0;
    const auto n = static_cast<uint32_t>(std::min<int64_t>(count, static_cast<int64_t>(entry.size() - position_)));
    std::memcpy(buffer, entry.data() + position_, n);
    position_ += n;
    return n;
  }
  uint32_t delivered = 0;
  const uint16_t status = Engine()->GetBlob(dataset_->Handle(), buffer_, fieldNo_, position_,
                                            static_cast<uint32_t>(count), buffer, delivered);
  if (status == DBIERR_INVALIDBLOBOFFSET) return 0;
  if (status != 0 && status != DBIERR_ENDOFBLOB) check(status);
  collect(static_cast<const char*>(buffer), delivered);
  position_ += delivered;
  return delivered;
}

int64_t TttBlobStream::Write(const void* buffer, int64_t count) {
  if (!opened_) return 0;
  check(Engine()->PutBlob(dataset_->Handle(), buffer_, fieldNo_, position_, static_cast<uint32_t>(count), buffer));
  position_ += static_cast<uint32_t>(count);
  modified_ = true;
  clearCacheEntry();
  return count;
}

int64_t TttBlobStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: position_ = static_cast<uint32_t>(offset); break;
    case soCurrent: position_ = static_cast<uint32_t>(position_ + offset); break;
    case soEnd: position_ = static_cast<uint32_t>(Size() + offset); break;
  }
  return position_;
}

int64_t TttBlobStream::Size() {
  if (!opened_) return 0;
  if (cached_) return static_cast<int64_t>(cacheEntry().size());
  uint32_t size = 0;
  check(Engine()->GetBlobSize(dataset_->Handle(), buffer_, fieldNo_, size));
  return size;
}

void TttBlobStream::SetSize(int64_t size) {
  Seek(size, soBeginning);
  Truncate();
}

void TttBlobStream::Truncate() {
  if (!opened_) return;
  check(Engine()->TruncateBlob(dataset_->Handle(), buffer_, fieldNo_, position_));
  modified_ = true;
  clearCacheEntry();
}
