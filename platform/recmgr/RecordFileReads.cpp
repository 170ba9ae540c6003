// Record reads in key order, physical order and by rank.
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/RecordFileStatements.h"

namespace qn::recmgr {

template <typename MakeSql, typename Bind>
Status RecordFile::readRecord(uint32_t id, MakeSql makeSql, Bind bind, StoredRecord& record, Status none) {
  int rc = SQLITE_OK;
  Statement* st = statement(id, makeSql, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    bind(*use);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      record.position = static_cast<uint32_t>(use->integer(0));
      record.bytes = use->blob(1);
      record.image.reset();
      record.stamp = 0;
      if (!use->isNull(2)) {
        record.image = use->blob(2);
        record.stamp = use->integer(3);
      }
      version = use->integer(4);
    }
  }
  if (rc == SQLITE_DONE) return none;
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

template <typename MakeSql, typename Bind>
Status RecordFile::readCount(uint32_t id, MakeSql makeSql, Bind bind, uint32_t& count) {
  int rc = SQLITE_OK;
  Statement* st = statement(id, makeSql, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    bind(*use);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      count = static_cast<uint32_t>(use->integer(0));
      version = use->integer(1);
    }
  }
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::seek(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp,
                        StoredRecord& record) {
  return readRecord(
      statementId(seekBase + static_cast<uint32_t>(how), key.column), [&] { return seekSql(tables_, key, how); },
      [&](Statement& st) {
        if (how == KeySeek::first || how == KeySeek::last) return;
        st.bind(1, image);
        if (!key.unique() && (how == KeySeek::next || how == KeySeek::previous)) st.bind(2, stamp);
      },
      record, how == KeySeek::equal ? status::keyNotFound : status::endOfFile);
}

Status RecordFile::step(PhysicalStep how, uint32_t from, StoredRecord& record) {
  return readRecord(
      statementId(stepBase + static_cast<uint32_t>(how)), [&] { return stepSql(tables_, how); },
      [&](Statement& st) {
        if (how == PhysicalStep::next || how == PhysicalStep::previous) st.bind(1, from);
      },
      record, status::endOfFile);
}

Status RecordFile::readAt(uint32_t position, const KeySpec* key, StoredRecord& record) {
  return readRecord(
      statementId(readAtKind, key ? key->column : 0), [&] { return readAtSql(tables_, key); },
      [&](Statement& st) { st.bind(1, position); }, record, status::invalidRecordAddress);
}

Status RecordFile::count(const KeySpec* key, uint32_t& entries) {
  return readCount(
      statementId(countEntriesKind, key ? key->column : 0), [&] { return countSql(tables_, key); },
      [](Statement&) {}, entries);
}

Status RecordFile::readAtRank(const KeySpec* key, uint32_t rank, StoredRecord& record) {
  return readRecord(
      statementId(rankReadKind, key ? key->column : 0), [&] { return readAtRankSql(tables_, key); },
      [&](Statement& st) { st.bind(1, rank); }, record, status::endOfFile);
}

Status RecordFile::rankOf(const KeySpec& key, std::string_view image, int64_t stamp, uint32_t& rank) {
  return readCount(
      statementId(rankOfPlaceKind, key.column), [&] { return rankOfPlaceSql(tables_, key); },
      [&](Statement& st) {
        st.bind(1, image);
        if (!key.unique()) st.bind(2, stamp);
      },
      rank);
}

Status RecordFile::rankOf(uint32_t position, uint32_t& rank) {
  int rc = SQLITE_OK;
  Statement* st = statement(statementId(rankOfPositionKind), [&] { return rankOfPositionSql(tables_); }, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  bool found = false;
  {
    StatementUse use(*st);
    use->bind(1, position);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      rank = static_cast<uint32_t>(use->integer(0));
      version = use->integer(1);
      found = use->integer(2) != 0;
    }
  }
  if (rc != SQLITE_ROW) return failed(rc);
  return found ? sawLayout(version) : status::invalidRecordAddress;
}

}  // namespace qn::recmgr
