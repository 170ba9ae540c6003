#pragma once
// How a record file caches its statements: one per kind and key column, prepared on first use
// for the connection the file is routed through (the cache empties whenever the route changes),
// and runs those that answer one row.
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
  beginReadKind,
  endReadKind,
  seekAheadBase = 64,  // + KeySeek
  stepAheadBase = 80,  // + PhysicalStep
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

// For readRow: a statement without parameters.
inline constexpr auto noParameters = [](Statement&) {};

template <typename MakeSql, typename Bind, typename Take>
Status RecordFile::readRow(uint32_t id, MakeSql makeSql, Bind bind, Take take, Status none) {
  int rc = SQLITE_OK;
  Statement* st = statement(id, makeSql, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    bind(*use);
    rc = use->step();
    if (rc == SQLITE_ROW) version = take(*use);
  }
  if (rc == SQLITE_DONE) return none;
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

template <typename MakeSql, typename Bind>
Status RecordFile::readRows(uint32_t id, MakeSql makeSql, Bind bind, uint32_t limit, ReadBatch& batch) {
  batch.changeCounter.reset();
  int rc = SQLITE_OK;
  Statement* st = statement(id, makeSql, rc);
  if (!st) {
    batch.records.clear();
    return failed(rc);
  }
  size_t rows = 0, bytes = 0;
  int64_t version = 0;
  {
    StatementUse use(*st);
    bind(*use);
    use->bind(readAheadLimit, int64_t{limit});
    while (rows < limit && bytes < readAheadBytes && (rc = use->step()) == SQLITE_ROW) {
      // While the statement runs it holds SQLite's shared lock, so no commit can land between the
      // rows and this reading of the counter.
      if (rows == 0) batch.changeCounter = changeCounter();
      if (batch.records.size() == rows) batch.records.emplace_back();
      version = takeRecord(*use, batch.records[rows]);
      bytes += batch.records[rows++].bytes.size();
    }
  }
  batch.records.resize(rows);
  batch.reachesEnd = rc == SQLITE_DONE;
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
    batch.records.clear();
    return failed(rc);
  }
  return rows == 0 ? status::endOfFile : sawLayout(version);
}

}  // namespace qn::recmgr
