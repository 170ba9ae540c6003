#pragma once
// Tests reach the SQL interface as the driver does: the two libraries beside the test
// executable, loaded at run time, their entry points resolved by name.
#include <cstdint>
#include <string>
#include <vector>

namespace qn::sqlif::testing {

struct SqlInterfaceApi {
  static SqlInterfaceApi& instance();
  // A symbol of the statement library (names: false) or of the names library, or nil.
  void* symbol(const char* name, bool names = false) const;

  int16_t (*version)(uint8_t*);
  int16_t (*reset)(const char*);
  int16_t (*login)(const char*, const char*, const char*, const char*, const char*, int16_t);
  int16_t (*logout)();
  int16_t (*cursor)(int16_t*);
  int16_t (*compile)(int16_t, uint16_t*, const char*);
  int16_t (*subst)(int16_t, int16_t, int16_t, const char*, int16_t, const char*);
  int16_t (*exec)(int16_t);
  int16_t (*describe)(int16_t, int16_t, int16_t*, int16_t*, int16_t*, int16_t*, int16_t*, char*);
  int16_t (*fetch)(int16_t, int16_t, uint16_t*, void*, int32_t*, int16_t, int16_t);
  int16_t (*free)(int16_t);
  int16_t (*recordFetch)(int16_t, uint16_t*, int16_t, int32_t*, int32_t*, void*);
  int16_t (*insert)(int16_t, int16_t, const char*, int32_t*, const void*);
  int16_t (*update)(int16_t, int16_t, const char*, int32_t*, const void*);
  int16_t (*remove)(int16_t, int16_t, const char*, int32_t*);
  int16_t (*inject)(const char*, int16_t);
  int16_t (*countNames)(uint16_t*);
  int16_t (*countRemoteNames)(uint16_t*);
  int16_t (*names)(uint16_t*, char*);
  int16_t (*remoteNames)(uint16_t*, char*);
  int16_t (*unloadNames)();
  int16_t (*injectNames)(const char*, int16_t);

 private:
  SqlInterfaceApi();
  void* statements_ = nullptr;
  void* names_ = nullptr;
};

// The folder of the running executable (the program folder).
std::string programFolder();

// One described column as the driver reads it back.
struct Described {
  int16_t status = 0;
  int16_t type = -1, size = -1, decimals = -1;
  std::string name;
};

// Helpers over the entry points for one login's statements.
int16_t loginTo(const std::string& dictionaryPath, const std::string& user = "ADMIN",
                const std::string& password = "secret");
int16_t openCursor(int16_t& cursor);
int16_t compileText(int16_t cursor, const std::string& text);
int16_t substitute(int16_t cursor, const std::string& name, const std::string& value);
Described describeColumn(int16_t cursor, int16_t position);
// A cursor compiled and executed; fails the test on any status but 0 (or -108 at compile).
int16_t runStatement(const std::string& text);
// The row stride of a result: 2 + the reported sizes + 4.
uint16_t recordSize(int16_t cursor);

struct Fetched {
  int16_t status;
  int32_t count;
  std::vector<uint8_t> buffer;
};
Fetched fetchRows(int16_t cursor, int16_t option, int32_t count, uint16_t rowSize);

int32_t readI32(const uint8_t* p);
uint16_t readU16(const uint8_t* p);

}  // namespace qn::sqlif::testing
