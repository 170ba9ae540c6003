#pragma once
// Every open handle of the process, found through the position block the caller holds. A block
// that is zero, closed, or belongs to another client finds nothing.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <unordered_map>

#include "platform/recmgr/Handle.h"

namespace qn::recmgr {

class HandleTable {
 public:
  HandleTable();

  // A new handle, its id and check value written into the position block.
  Handle& add(Client& client, std::shared_ptr<RecordFile> file, OpenMode mode, uint8_t* positionBlock);
  // The handle the block names, when it is open and belongs to `client`.
  Handle* find(const Client& client, const uint8_t* positionBlock);
  void remove(Handle& handle);
  void removeAll(const Client& client);
  void clear() { handles_.clear(); }
  void forEach(const std::function<void(Handle&)>& visit);

 private:
  std::unordered_map<uint32_t, std::unique_ptr<Handle>> handles_;
  uint32_t nextId_ = 1;
  std::mt19937 random_;
};

}  // namespace qn::recmgr
