#include "recordmgr/WinBtr.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/LittleEndianBytes.h"

namespace op = BtrieveOperationCodes;

namespace {

// Statistics answer: record length, page size, number of keys, number of records, then one
// 16-byte specification per key segment from offset 16.
constexpr size_t kRecordLengthAt = 0;
constexpr size_t kPageSizeAt = 2;
constexpr size_t kKeyCountAt = 4;
constexpr size_t kRecordCountAt = 6;
constexpr size_t kFirstSpecAt = 16;
constexpr size_t kSpecSize = 16;
constexpr size_t kSpecFlagsAt = 4;
constexpr size_t kSpecCollationAt = 15;
constexpr uint16_t kFlagSegmentFollows = 0x10;
constexpr uint16_t kFlagAltCollation = 0x20;

// Every call passes this key length; the record manager takes key sizes from the file.
constexpr uint8_t kAnyKeyLength = 255;

// Operations that place a position in the data buffer need these bytes, whatever the record length.
constexpr size_t kMinBufferBytes = 4;

// Restores the key number however the call in between ends.
class KeyNumberRestorer {
 public:
  explicit KeyNumberRestorer(int8_t& keyNumber) : keyNumber_(keyNumber), saved_(keyNumber) {}
  ~KeyNumberRestorer() { keyNumber_ = saved_; }
  KeyNumberRestorer(const KeyNumberRestorer&) = delete;
  KeyNumberRestorer& operator=(const KeyNumberRestorer&) = delete;

 private:
  int8_t& keyNumber_;
  int8_t saved_;
};

}  // namespace

TWinBtr::TWinBtr(const uint8_t* clientId) : KeyNumber(DefaultKeyNumber) {
  if (clientId != nullptr) {
    std::memcpy(ClientId, clientId, ClientIdSize);
    UseClientId = true;
  }
}

TWinBtr::~TWinBtr() {
  if (IsOpen) {
    try {
      Close();
    } catch (...) {
      // The record manager ends the handle with the client; a destructor has no one to tell.
    }
  }
  FreeBuffer();
}

int16_t TWinBtr::callEngine(uint16_t code, void* data, uint16_t* dataLength, void* key, uint8_t keyLength,
                            int8_t keyNumber) {
  if (UseClientId) return CallBtrieveId(code, PositionBlock, data, dataLength, key, keyLength, keyNumber, ClientId);
  return CallBtrieve(code, PositionBlock, data, dataLength, key, keyLength, keyNumber);
}

void TWinBtr::CallOp(uint16_t code, void* buffer, uint16_t length) {
  uint16_t dataLength = length;
  Status = callEngine(code, buffer, &dataLength, KeyBuffer, kAnyKeyLength, KeyNumber);
  if (GetStatus() != 0) RaiseBtrieveError(Status);
}

void TWinBtr::Exec(uint16_t code) {
  const bool locked = LockBias != 0;
  if (locked) {
    code = static_cast<uint16_t>(code + LockBias);
    LockBias = 0;
  }
  DataLength = RequestedLength;
  RequestedLength = BufferSize;
  Status = callEngine(code, CallBuffer, &DataLength, KeyBuffer, kAnyKeyLength, KeyNumber);
  if (!IsOK()) RaiseBtrieveError(Status);
  // A short record must not leave the previous record's tail behind it.
  if (DataLength < BufferSize) std::memset(static_cast<uint8_t*>(CallBuffer) + DataLength, 0, BufferSize - DataLength);
  CallBuffer = DataBuffer;
  if (locked) LockedPosition = GetPosition();
}

void TWinBtr::Open(const char* fileName, const char* owner, uint8_t mode) {
  if (IsOpen) Close();
  if (fileName == nullptr) fileName = "";
  if (owner == nullptr) owner = "";
  KeyLength = static_cast<int8_t>(std::strlen(fileName));
  const size_t ownerLength = std::strlen(owner);
  DataLength = static_cast<uint16_t>(ownerLength == 0 ? 0 : ownerLength + 1);
  // The record manager reads the name from the key buffer argument and never writes to it on open.
  Status = callEngine(op::Open, const_cast<char*>(owner), &DataLength, const_cast<char*>(fileName), kAnyKeyLength,
                      static_cast<int8_t>(mode));
  if (Status != 0) RaiseBtrieveErrorWithKey(Status, fileName);
  IsOpen = true;
  KeyNumber = DefaultKeyNumber;
  uint16_t recordLength = 0;
  GetRecordLength(recordLength);
  SetBufferSize(recordLength);
  IsOpen = IsOK();
  NoKeys = KeyCountSafe() == 0;
}

void TWinBtr::Close() {
  if (!IsOpen) RaiseBtrieveError(3);
  uint8_t scratch[4] = {};
  CallOp(op::Close, scratch, sizeof scratch);
  IsOpen = false;
  LockedPosition = 0;  // the record manager released it with the handle
  FreeBuffer();
  std::memset(StatBuffer, 0, sizeof StatBuffer);
}

void TWinBtr::GetFirst() { Exec(NoKeys ? op::StepFirst : op::GetFirst); }
void TWinBtr::GetLast() { Exec(NoKeys ? op::StepLast : op::GetLast); }
void TWinBtr::GetNext() { Exec(NoKeys ? op::StepNext : op::GetNext); }
void TWinBtr::GetPrevious() { Exec(NoKeys ? op::StepPrevious : op::GetPrevious); }

void TWinBtr::ClearKey(uint16_t length) {
  if (length >= 1 && length <= KeyBufferSize) std::memset(KeyBuffer, 0, length);
}

void TWinBtr::GetEqual(const void* key, uint16_t keyLength, uint8_t keyNumber) {
  GetByKey(op::GetEqual, key, keyLength, keyNumber);
}

void TWinBtr::GetByKey(uint16_t code, const void* key, uint16_t keyLength, uint8_t keyNumber) {
  if (key == nullptr) RaiseBtrieveError(44);
  if (keyLength > KeyBufferSize) RaiseBtrieveError(21);  // would overrun the key buffer
  KeyNumber = static_cast<int8_t>(keyNumber);
  KeyLength = static_cast<int8_t>(keyLength);
  std::memcpy(KeyBuffer, key, keyLength);
  Exec(code);
}

void TWinBtr::Insert() { Exec(op::Insert); }

void TWinBtr::Update() {
  Exec(op::Update);
  Unlock();
}

void TWinBtr::Delete() { Exec(op::Delete); }

void TWinBtr::NoLock() { LockBias = 0; }
void TWinBtr::LockNext() { LockBias = op::SingleLockNoWait; }

void TWinBtr::Unlock() {
  if (LockedPosition == 0) return;
  uint8_t position[4];
  WriteU32(position, LockedPosition);
  CallOp(op::Unlock, position, sizeof position);
  LockedPosition = 0;
}

uint32_t TWinBtr::GetPosition() {
  uint8_t position[4] = {};
  CallOp(op::GetPosition, position, sizeof position);
  CallBuffer = DataBuffer;
  return ReadU32(position);
}

void TWinBtr::GetDirect(uint32_t position) {
  if (CallBuffer == nullptr) RaiseBtrieveError(3);  // no record buffer: nothing is open
  WriteU32(CallBuffer, position);
  Exec(op::GetDirect);
}

void TWinBtr::GetDirectOwn(uint32_t position) {
  if (DataBuffer == nullptr) RaiseBtrieveError(3);
  std::memset(DataBuffer, 0, std::min<size_t>(12, BufferSize));
  WriteU32(DataBuffer, position);
  CallBuffer = DataBuffer;
  Exec(op::GetDirect);
}

void TWinBtr::Stat() {
  const bool saved = AllowPartial;
  AllowPartial = true;
  try {
    CallOp(op::Stat, StatBuffer, StatBufferSize);
  } catch (...) {
    AllowPartial = saved;
    throw;
  }
  AllowPartial = saved;
}

void TWinBtr::GetStat(uint8_t (&buffer)[StatBufferSize]) {
  Stat();
  std::memcpy(buffer, StatBuffer, StatBufferSize);
}

void TWinBtr::GetRecordLength(uint16_t& value) {
  value = 0;
  if (!IsOpen) return;
  if (ReadU16(StatBuffer + kRecordLengthAt) == 0) Stat();
  value = ReadU16(StatBuffer + kRecordLengthAt);
}

void TWinBtr::GetPageSize(uint16_t& value) {
  value = 0;
  if (!IsOpen) return;
  if (ReadU16(StatBuffer + kRecordLengthAt) == 0) Stat();
  value = ReadU16(StatBuffer + kPageSizeAt);
}

void TWinBtr::GetKeyCount(uint16_t& count) {
  count = 0;
  if (!IsOpen) return;
  Stat();
  count = ReadU16(StatBuffer + kKeyCountAt);
}

void TWinBtr::GetRecordCount(uint32_t& count) {
  count = 0;
  if (!IsOpen) return;
  Stat();
  count = ReadU32(StatBuffer + kRecordCountAt);
}

uint16_t TWinBtr::KeyCountSafe() {
  uint16_t count = 0;
  try {
    GetKeyCount(count);
  } catch (const EBtrieveEngineError&) {
    count = 0;
  }
  return count;
}

uint32_t TWinBtr::RecordCountSafe() {
  uint32_t count = 0;
  try {
    GetRecordCount(count);
  } catch (const EBtrieveEngineError&) {
    count = 0;
  }
  return count;
}

size_t TWinBtr::keySpecOffset(const uint8_t* stat, size_t size, int key) {
  if (key < 0 || size < kFirstSpecAt) return 0;
  const int keyCount = ReadU16(stat + kKeyCountAt);
  int current = 0;
  for (size_t at = kFirstSpecAt; at + kSpecSize <= size && current < keyCount; at += kSpecSize) {
    if (current == key) return at;
    if (!(ReadU16(stat + at + kSpecFlagsAt) & kFlagSegmentFollows)) ++current;
  }
  return 0;
}

bool TWinBtr::KeyHasAltCollation() const {
  const size_t at = keySpecOffset(StatBuffer, StatBufferSize, KeyNumber);
  return at != 0 && (ReadU16(StatBuffer + at + kSpecFlagsAt) & kFlagAltCollation) != 0;
}

void TWinBtr::GetAltCollation(uint8_t (&sequence)[CollatingSequenceSize]) {
  const size_t keyCount = ReadU16(StatBuffer + kKeyCountAt);
  const size_t size = keyCount * CollatingSequenceSize + StatBufferSize;
  std::vector<uint8_t> answer(size);
  CallOp(op::Stat, answer.data(), static_cast<uint16_t>(size));

  const size_t keyAt = keySpecOffset(answer.data(), size, KeyNumber);
  if (keyAt == 0) return;
  const size_t number = answer[keyAt + kSpecCollationAt];
  // The collating sequences come after the segment description that ends the last key.
  const size_t answerKeys = ReadU16(answer.data() + kKeyCountAt);
  size_t at = kFirstSpecAt;
  for (size_t keys = 0; keys < answerKeys && at + kSpecSize <= size; at += kSpecSize)
    if (!(ReadU16(answer.data() + at + kSpecFlagsAt) & kFlagSegmentFollows)) ++keys;
  const size_t sequenceAt = at + number * CollatingSequenceSize;
  if (sequenceAt + CollatingSequenceSize <= size)
    std::memcpy(sequence, answer.data() + sequenceAt, CollatingSequenceSize);
}

void TWinBtr::BeginTransaction(bool concurrent) {
  CallOp(concurrent ? op::BeginConcurrentTransaction : op::BeginTransaction, nullptr, 0);
}

void TWinBtr::EndTransaction() { Exec(op::EndTransaction); }
void TWinBtr::AbortTransaction() { Exec(op::AbortTransaction); }

void TWinBtr::CreateIndex(const void* spec, uint16_t segmentCount, uint16_t keyNumber) {
  {
    // The assigning form of the key number is for this call only; the next record call reads
    // the key it had before.
    KeyNumberRestorer restore(KeyNumber);
    if (keyNumber != 0) KeyNumber = static_cast<int8_t>(keyNumber | 0x80);
    CallOp(op::CreateIndex, const_cast<void*>(spec), static_cast<uint16_t>(segmentCount * kSpecSize));
  }
  Stat();
}

void TWinBtr::DropIndex(uint8_t keyNumber) {
  KeyNumber = static_cast<int8_t>(keyNumber);
  Exec(op::DropIndex);
  Stat();
}

void TWinBtr::FindPercentage(bool byKey, uint32_t& percent) {
  try {
    uint32_t position = 0;
    {
      KeyNumberRestorer restore(KeyNumber);
      position = GetPosition();
      if (!byKey) {
        percent = position;
        KeyNumber = -1;
      }
      uint8_t value[4];
      WriteU32(value, percent);
      CallOp(op::FindPercentage, value, sizeof value);
      percent = ReadU32(value);
    }
    GetDirect(position);
  } catch (const EBtrieveEngineError&) {
    percent = 0;
  }
}

void TWinBtr::GetByPercentage(bool byKey, uint32_t percent) {
  if (CallBuffer == nullptr) RaiseBtrieveError(3);
  KeyNumberRestorer restore(KeyNumber);
  if (!byKey) KeyNumber = -1;
  WriteU32(CallBuffer, percent);
  Exec(op::GetByPercentage);
}

void TWinBtr::Stop() {
  DataLength = 5;
  // Five bytes, as the length says; the record manager writes none of them.
  uint8_t data[5] = {};
  uint8_t key[KeyBufferSize] = {};
  Status = callEngine(op::Stop, data, &DataLength, key, 0, 0);
}

void TWinBtr::SetDirectory(const char* path) {
  if (path == nullptr) path = "";
  const size_t length = std::strlen(path);
  if (length + 1 > KeyBufferSize) RaiseBtrieveError(35);  // would overrun the key buffer
  KeyLength = static_cast<int8_t>(length + 1);
  std::memcpy(KeyBuffer, path, length + 1);
  Exec(op::SetDirectory);
}

void TWinBtr::GetDirectory(char* destination, uint16_t length) {
  KeyNumber = 0;  // the current drive
  ClearKey(length);
  Exec(op::GetDirectory);
  const size_t text = strnlen(reinterpret_cast<const char*>(KeyBuffer), KeyBufferSize);
  const size_t count = std::min<size_t>({static_cast<size_t>(length), KeyBufferSize, text + 1});
  std::memcpy(destination, KeyBuffer, count);
}

void TWinBtr::SetBufferSize(uint16_t size) {
  Status = 0;
  if (size == BufferSize) return;
  FreeBuffer();
  try {
    storage_.assign(std::max<size_t>(size, kMinBufferBytes), 0);
  } catch (const std::bad_alloc&) {
    RequestedLength = 0;
    Status = 22;
    return;
  }
  DataBuffer = storage_.data();
  BufferSize = size;
  RequestedLength = size;
  CallBuffer = DataBuffer;
}

void TWinBtr::FreeBuffer() {
  std::vector<uint8_t>().swap(storage_);
  DataBuffer = nullptr;
  CallBuffer = nullptr;
  BufferSize = 0;
  RequestedLength = 0;
}

void TWinBtr::SetCallBuffer(void* buffer) {
  if (buffer != nullptr) CallBuffer = buffer;
}

void TWinBtr::SetDataLength(uint16_t length) { RequestedLength = length; }

int16_t TWinBtr::GetStatus() {
  if (Status == 22 && AllowPartial) Status = 0;
  return Status;
}
