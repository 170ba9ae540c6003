#pragma once
// Tests reach the record manager as the program does: through the entry points of the shared
// library beside the test executable, loaded at run time.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qn::recmgr::testing {

using ClientId = std::array<uint8_t, 16>;

class RecordManagerApi {
 public:
  static RecordManagerApi& instance();

  int16_t call(uint16_t op, void* positionBlock, void* data, uint16_t* dataLength, void* key, int8_t keyNumber,
               const ClientId* client = nullptr) const;
  uint16_t init(const char* text) const { return init_(text); }
  uint16_t stop() const { return stop_(); }
  // A symbol of the library, or nil.
  void* symbol(const char* name) const;

 private:
  RecordManagerApi();
  void* library_ = nullptr;
  int16_t (*call_)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t) = nullptr;
  int16_t (*callId_)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t, const uint8_t*) = nullptr;
  uint16_t (*init_)(const char*) = nullptr;
  uint16_t (*stop_)() = nullptr;
};

// The folder of the running executable (the program folder).
std::string programFolder();

// One segment of a key, as a test describes it.
struct Seg {
  uint16_t position;
  uint16_t length;
  uint8_t type;
  uint16_t flags = 0;
  uint8_t nullValue = 0;
  uint8_t acs = 0;
};
using KeyDef = std::vector<Seg>;

// A create specification: header, segments (0x10 set between a key's segments, extended type
// always), then the collating sequences (265 bytes each) given.
std::vector<uint8_t> createSpec(uint16_t recordLength, const std::vector<KeyDef>& keys, uint16_t fileFlags = 0,
                                uint16_t pageSize = 4096, const std::vector<std::vector<uint8_t>>& sequences = {});

// A handle on a file through one position block, for one client.
class OpenFile {
 public:
  explicit OpenFile(const ClientId* client = nullptr) : client_(client) {}
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int16_t open(const std::string& path, int8_t mode = 0, const std::string& owner = "");
  int16_t close();

  // Inserts `record` (its auto-increment fields may be filled in).
  int16_t insert(std::string& record, int8_t keyNumber = 0);
  int16_t update(const std::string& record, int8_t keyNumber = 0);
  int16_t remove(int8_t keyNumber = 0);

  struct Read {
    int16_t status;
    std::string record;
    std::string key;
  };
  // A read operation with a key value (ignored by those that take none); the record buffer is
  // `bufferSize` bytes (default: 1024).
  Read read(uint16_t op, int8_t keyNumber, const std::string& keyValue = "", uint16_t bufferSize = 1024);
  Read direct(uint32_t position, int8_t keyNumber = 0);
  uint32_t position();  // 0 when get position fails
  // Unlock: keyNumber -1 the single-record lock, -2 every multiple-record lock, else `position`.
  int16_t unlock(int8_t keyNumber, uint32_t position = 0);
  std::vector<uint8_t> stat(uint16_t bufferSize = 2048, int16_t* status = nullptr);
  uint8_t* block() { return block_.data(); }

 private:
  std::array<uint8_t, 128> block_{};
  const ClientId* client_;
  bool open_ = false;
};

int16_t createFile(const std::string& path, const std::vector<uint8_t>& spec, int8_t mode = 0);

// Little-endian helpers for building records.
void putU16(std::string& record, size_t offset, uint16_t value);
void putU32(std::string& record, size_t offset, uint32_t value);
uint32_t getU32(const std::string& bytes, size_t offset);

}  // namespace qn::recmgr::testing
