#pragma once
// How a record file caches its statements: one per kind and key column, prepared on first use
// for the connection the file is routed through (the cache empties whenever the route changes).
#include "platform/recmgr/RecordFile.h"

namespace qn::recmgr {

enum StatementKind : uint32_t {
  seekBase = 0,   // + KeySeek
  stepBase = 16,  // + PhysicalStep
  readAtKind = 24,
  insertKind,
  selectForUpdateKind,
  updateKind,
  deleteKind,
  takePositionKind,
  takeStampKind,
  dropCountKind,
  countKind,
  maxImageKind,
  layoutKind,
  countEntriesKind,
  rankReadKind,
  rankOfPlaceKind,
  rankOfPositionKind,
  holdCountersKind,
  storeCountersKind,
};

inline uint32_t statementId(uint32_t kind, uint16_t column = 0) { return kind << 16 | column; }

template <typename MakeSql>
Statement* RecordFile::statement(uint32_t id, MakeSql makeSql, int& failure) {
  auto it = statements_.find(id);
  if (it != statements_.end()) return &it->second;
  Statement st;
  failure = st.prepare(connection_->get(), makeSql());
  if (failure != SQLITE_OK) return nullptr;
  return &statements_.emplace(id, std::move(st)).first->second;
}

}  // namespace qn::recmgr
