#pragma once
// The current record and where it stands in a key path. After a delete the record is gone but
// its place remains, so next and previous continue from it. The key path is named by its column,
// which stays the same when indexes are added or dropped and keys renumbered.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/recmgr/FileSpec.h"

namespace qn::recmgr {

struct Cursor {
  uint32_t position = 0;  // 0: no current record
  bool removed = false;
  uint16_t keyColumn = 0;  // the key path `image` and `stamp` belong to; 0: none
  std::optional<std::string> image;
  int64_t stamp = 0;

  bool hasRecord() const { return position != 0 && !removed; }
  void moveTo(uint32_t at, const KeySpec* key, const std::optional<std::string>& keyImage, int64_t keyStamp) {
    position = at;
    removed = false;
    keyColumn = key && keyImage ? key->column : 0;
    if (!keyImage) {
      image.reset();
    } else if (image) {
      image->assign(*keyImage);  // a walk moves every call: keep the storage
    } else {
      image = keyImage;
    }
    stamp = keyStamp;
  }
};

}  // namespace qn::recmgr
