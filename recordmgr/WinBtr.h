#pragma once
// TWinBtr: one open record-manager file. It owns all a call on that file needs (position block,
// key buffer, record buffer, key number, a one-shot lock bias, an optional client identifier)
// and turns every failing status into an exception: EKorvoEOFError for the end of file,
// EBtrieveEngineError for every other status. Used by one thread.
#include <cstdint>
#include <vector>

#include "framework/base/Object.h"

class TWinBtr : public TObject {
  QN_CLASS(TWinBtr, TObject)
 public:
  static constexpr uint16_t KeyBufferSize = 256;
  static constexpr uint16_t PositionBlockSize = 128;
  static constexpr uint16_t StatBufferSize = 1920;
  static constexpr uint16_t CollatingSequenceSize = 265;
  static constexpr uint16_t ClientIdSize = 16;

  // With a client identifier (16 bytes) every call names that client; without one the calls
  // belong to the process's default client.
  explicit TWinBtr(const uint8_t* clientId = nullptr);
  ~TWinBtr() override;  // closes an open file; never raises
  TWinBtr(const TWinBtr&) = delete;
  TWinBtr& operator=(const TWinBtr&) = delete;

  // The fields, in the order the callers know them.
  int16_t Status = 0;
  uint16_t BufferSize = 0;
  uint16_t RequestedLength = 0;
  uint16_t DataLength = 0;
  int8_t KeyLength = 0;
  uint8_t* DataBuffer = nullptr;
  void* CallBuffer = nullptr;
  bool IsOpen = false;
  uint8_t KeyBuffer[KeyBufferSize] = {};
  uint8_t PositionBlock[PositionBlockSize] = {};
  uint8_t StatBuffer[StatBufferSize] = {};
  int8_t KeyNumber = 0;
  uint16_t LockBias = 0;
  uint32_t LockedPosition = 0;
  bool NoKeys = false;
  bool AllowPartial = false;
  uint8_t ClientId[ClientIdSize] = {};
  bool UseClientId = false;

  void Open(const char* fileName, const char* owner, uint8_t mode);
  void Close();

  void GetFirst();
  void GetLast();
  void GetNext();
  void GetPrevious();
  void ClearKey(uint16_t length);
  void GetEqual(const void* key, uint16_t keyLength, uint8_t keyNumber);
  void GetByKey(uint16_t op, const void* key, uint16_t keyLength, uint8_t keyNumber);
  void Insert();
  void Update();
  void Delete();
  void NoLock();
  void LockNext();
  void Unlock();
  uint32_t GetPosition();
  void GetDirect(uint32_t position);
  void GetDirectOwn(uint32_t position);

  void Stat();
  void GetStat(uint8_t (&buffer)[StatBufferSize]);
  void GetRecordLength(uint16_t& value);
  void GetPageSize(uint16_t& value);
  void GetKeyCount(uint16_t& count);
  void GetRecordCount(uint32_t& count);
  uint16_t KeyCountSafe();
  uint32_t RecordCountSafe();
  bool KeyHasAltCollation() const;
  void GetAltCollation(uint8_t (&sequence)[CollatingSequenceSize]);

  void BeginTransaction(bool concurrent);
  void EndTransaction();
  void AbortTransaction();
  void CreateIndex(const void* spec, uint16_t segmentCount, uint16_t keyNumber);
  void DropIndex(uint8_t keyNumber);
  void FindPercentage(bool byKey, uint32_t& percent);
  void GetByPercentage(bool byKey, uint32_t percent);
  void Stop();
  void SetDirectory(const char* path);
  void GetDirectory(char* destination, uint16_t length);

  void SetBufferSize(uint16_t size);
  void SetCallBuffer(void* buffer);
  void SetDataLength(uint16_t length);
  int16_t GetStatus();
  bool IsOK() { return GetStatus() == 0; }

  // The plain call: the given buffer and length, the current key number, no lock bias, no zero
  // fill; a failing status raises.
  void CallOp(uint16_t op, void* buffer, uint16_t length);
  // The record call on CallBuffer (see the source for its steps); a failing status raises.
  void Exec(uint16_t op);

 private:
  int16_t callEngine(uint16_t op, void* data, uint16_t* dataLength, void* key, uint8_t keyLength, int8_t keyNumber);
  void FreeBuffer();
  // Offset in StatBuffer (or an answer laid out like it) of the first segment specification of
  // key `key`; 0 when the answer holds no such key.
  static size_t keySpecOffset(const uint8_t* stat, size_t size, int key);

  std::vector<uint8_t> storage_;  // DataBuffer's bytes
};
