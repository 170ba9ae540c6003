#pragma once
// The engine's 14-byte properties of one record (little-endian, no padding), as a read hands
// them to the dataset layer.
#include <cstdint>

// Update status of a record held in memory.
enum RecordUpdateStatus : uint16_t {
  rusUnmodified = 0,
  rusModified = 1,
  rusInserted = 2,
  rusDeleted = 3,
};

#pragma pack(push, 1)
struct RecordProperties {
  uint32_t SequenceNumber;
  uint32_t PhysicalNumber;
  uint16_t UpdateStatus;  // RecordUpdateStatus
  int16_t SequenceNumberChanged;
  int16_t Deleted;  // -1 when the record is marked deleted
};
#pragma pack(pop)

static_assert(sizeof(RecordProperties) == 14);
