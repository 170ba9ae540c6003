#pragma once
// The SQL interface's entry points the driver calls, as its loader resolves them by name: 16-bit
// and 32-bit values, lengths in and out, zero-terminated texts.
#include <cstdint>

struct SqlEntryPoints {
  int16_t (*Version)(uint8_t* block) = nullptr;                        // XQLVersion
  int16_t (*Reset)(const char* unused) = nullptr;                      // xReset
  int16_t (*Login)(const char* user, const char* password, const char* dictionaryPath, const char* dataPath,
                   const char* reserved, int16_t feature) = nullptr;   // _XQLLogin
  int16_t (*Logout)() = nullptr;                                       // _XQLLogout
  int16_t (*Cursor)(int16_t* cursor) = nullptr;                        // _XQLCursor
  int16_t (*Compile)(int16_t cursor, uint16_t* length, const char* text) = nullptr;  // _XQLCompile
  int16_t (*Free)(int16_t cursor) = nullptr;                           // _XQLFree
  int16_t (*Subst)(int16_t cursor, int16_t count, int16_t nameLength, const char* name, int16_t valueLength,
                   const char* value) = nullptr;                       // XQLSubst
  int16_t (*Exec)(int16_t cursor) = nullptr;                           // XQLExec
  int16_t (*Describe)(int16_t cursor, int16_t position, int16_t* type, int16_t* size, int16_t* decimals,
                      int16_t* displaySize, int16_t* nameLength, char* name) = nullptr;  // XQLDescribe
  int16_t (*Fetch)(int16_t cursor, int16_t option, uint16_t* length, void* buffer, int32_t* count, int16_t,
                   int16_t) = nullptr;                                 // _XQLFetch
  int16_t (*RecordFetch)(int16_t cursor, uint16_t* length, int16_t option, int32_t* count, int32_t* secondCount,
                         void* buffer) = nullptr;                      // xFetch
  int16_t (*Insert)(int16_t cursor, int16_t fieldCount, const char* fields, int32_t* count,
                    const void* buffer) = nullptr;                     // xInsert
  int16_t (*Update)(int16_t cursor, int16_t fieldCount, const char* fields, int32_t* count,
                    const void* buffer) = nullptr;                     // xUpdate
  int16_t (*Remove)(int16_t cursor, int16_t fieldCount, const char* fields, int32_t* count) = nullptr;  // xRemove
};

// The names library's entry points.
struct SqlNameEntryPoints {
  int16_t (*CountNames)(uint16_t* count) = nullptr;        // SQLGetCountDatabaseNames
  int16_t (*CountRemoteNames)(uint16_t* count) = nullptr;  // SQLGetCountRemoteDatabaseNames
  int16_t (*Names)(uint16_t* length, char* buffer) = nullptr;        // SQLGetDatabaseNames
  int16_t (*RemoteNames)(uint16_t* length, char* buffer) = nullptr;  // SQLGetRemoteDatabaseNames
  int16_t (*Unload)() = nullptr;                           // SQLUnloadDBNames
};
