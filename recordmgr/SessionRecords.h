#pragma once
// The records a session answers (little-endian, no padding, NUL-terminated texts): its
// information record and the row of its configuration lists.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct SessionInfo {
  uint16_t SessionNumber;  // the session's place in the facade's object list
  char Name[32];
  uint16_t DatabaseCount;
  uint16_t CursorCount;  // over all of the session's databases
  uint16_t LockWait;
  char NetworkDirectory[261];
  char PrivateDirectory[261];
};

// One row of a configuration list: a node of the configuration tree and its value.
struct ConfigListRecord {
  static constexpr size_t NodeNameMax = 31;
  static constexpr size_t DescriptionMax = 127;
  static constexpr size_t ValueMax = 127;

  char NodeName[NodeNameMax + 1];        // "szNodeName"
  char Description[DescriptionMax + 1];  // "szDescription"
  uint16_t DataType;                     // "iDataType": 0 a path, 1 a text
  char Value[ValueMax + 1];              // "szValue"
  int16_t HasSubNodes;                   // "bHasSubNodes"
};
#pragma pack(pop)

static_assert(sizeof(SessionInfo) == 562);
static_assert(offsetof(SessionInfo, NetworkDirectory) == 40);
static_assert(sizeof(ConfigListRecord) == 292);
static_assert(offsetof(ConfigListRecord, DataType) == 160);
static_assert(offsetof(ConfigListRecord, Value) == 162);
