#pragma once
// An open file as one client sees it through one position block: the shared connection of the
// client's file, the open mode, the locks it holds, and the current place.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/recmgr/HandleLocks.h"
#include "platform/recmgr/RecordFile.h"

namespace qn::recmgr {

class Client;

enum class OpenMode { normal, readOnly, exclusive };

// The current record and where it stands in a key path. After a delete the record is gone but
// its place remains, so next and previous continue from it. The key path is named by its column,
// which stays the same when indexes are added or dropped and keys renumbered.
struct Cursor {
  uint32_t position = 0;  // 0: no current record
  bool removed = false;
  uint16_t keyColumn = 0;  // the key path `image` and `stamp` belong to; 0: none
  std::optional<std::string> image;
  int64_t stamp = 0;

  bool hasRecord() const { return position != 0 && !removed; }
  void moveTo(uint32_t at, const KeySpec* key, std::optional<std::string> keyImage, int64_t keyStamp) {
    position = at;
    removed = false;
    keyColumn = key && keyImage ? key->column : 0;
    image = std::move(keyImage);
    stamp = keyStamp;
  }
};

struct Handle {
  uint32_t id = 0;
  uint32_t check = 0;  // a second number in the position block, so a stale or forged block is refused
  Client* client = nullptr;
  std::shared_ptr<RecordFile> file;
  OpenMode mode = OpenMode::normal;
  Cursor cursor;
  HandleLocks locks;
};

}  // namespace qn::recmgr
