#include "platform/recmgr/HandleTable.h"

#include "platform/recmgr/LittleEndian.h"

namespace qn::recmgr {
namespace {
// Position block layout: handle id, check value; the rest stays as the caller left it.
constexpr size_t idOffset = 0;
constexpr size_t checkOffset = 4;
}  // namespace

HandleTable::HandleTable() : random_(std::random_device{}()) {}

Handle& HandleTable::add(Client& client, std::shared_ptr<RecordFile> file, OpenMode mode, uint8_t* positionBlock) {
  auto handle = std::make_unique<Handle>();
  while (nextId_ == 0 || handles_.count(nextId_)) ++nextId_;
  handle->id = nextId_++;
  do handle->check = random_();
  while (handle->check == 0);
  handle->client = &client;
  handle->file = std::move(file);
  handle->mode = mode;
  writeU32(positionBlock + idOffset, handle->id);
  writeU32(positionBlock + checkOffset, handle->check);
  Handle& result = *handle;
  handles_.emplace(result.id, std::move(handle));
  return result;
}

Handle* HandleTable::find(const Client& client, const uint8_t* positionBlock) {
  if (!positionBlock) return nullptr;
  auto it = handles_.find(readU32(positionBlock + idOffset));
  if (it == handles_.end()) return nullptr;
  Handle& h = *it->second;
  return h.check == readU32(positionBlock + checkOffset) && h.client == &client ? &h : nullptr;
}

void HandleTable::remove(Handle& handle) { handles_.erase(handle.id); }

void HandleTable::removeAll(const Client& client) {
  std::erase_if(handles_, [&](const auto& entry) { return entry.second->client == &client; });
}

void HandleTable::forEach(const std::function<void(Handle&)>& visit) {
  for (auto& entry : handles_) visit(*entry.second);
}

}  // namespace qn::recmgr
