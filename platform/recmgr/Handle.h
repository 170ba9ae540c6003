#pragma once
// An open file as one client sees it through one position block: the shared connection of the
// client's file, the open mode, the locks it holds, the current place and what a walk read ahead.
#include <cstdint>
#include <memory>

#include "platform/recmgr/Cursor.h"
#include "platform/recmgr/HandleLocks.h"
#include "platform/recmgr/ReadAhead.h"
#include "platform/recmgr/RecordFile.h"

namespace qn::recmgr {

class Client;

enum class OpenMode { normal, readOnly, exclusive };

struct Handle {
  uint32_t id = 0;
  uint32_t check = 0;  // a second number in the position block, so a stale or forged block is refused
  Client* client = nullptr;
  std::shared_ptr<RecordFile> file;
  OpenMode mode = OpenMode::normal;
  Cursor cursor;
  ReadAhead readAhead;
  HandleLocks locks;
};

}  // namespace qn::recmgr
