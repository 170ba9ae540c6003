// Record reads in key order, physical order and by rank.
#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/RecordFileStatements.h"

namespace qn::recmgr {
namespace {

// A row of a count and the layout version.
int64_t takeCount(Statement& row, uint32_t& count) {
  count = static_cast<uint32_t>(row.integer(0));
  return row.integer(1);
}

}  // namespace

int64_t RecordFile::takeRecord(Statement& row, StoredRecord& record) {
  record.position = static_cast<uint32_t>(row.integer(0));
  row.blobInto(1, record.bytes);
  record.stamp = 0;
  if (row.isNull(2)) {
    record.image.reset();
  } else {
    if (!record.image) record.image.emplace();
    row.blobInto(2, *record.image);
    record.stamp = row.integer(3);
  }
  return row.integer(4);
}

Status RecordFile::seek(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp,
                        StoredRecord& record) {
  return readRow(
      statementId(seekBase + static_cast<uint32_t>(how), key.column), [&] { return seekSql(tables_, key, how); },
      [&](Statement& st) {
        if (how == KeySeek::first || how == KeySeek::last) return;
        st.bind(1, image);
        if (!key.unique() && (how == KeySeek::next || how == KeySeek::previous)) st.bind(2, stamp);
      },
      [&](Statement& row) { return takeRecord(row, record); },
      how == KeySeek::equal ? status::keyNotFound : status::endOfFile);
}

Status RecordFile::step(PhysicalStep how, uint32_t from, StoredRecord& record) {
  return readRow(
      statementId(stepBase + static_cast<uint32_t>(how)), [&] { return stepSql(tables_, how); },
      [&](Statement& st) {
        if (how == PhysicalStep::next || how == PhysicalStep::previous) st.bind(1, from);
      },
      [&](Statement& row) { return takeRecord(row, record); }, status::endOfFile);
}

Status RecordFile::seekAhead(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp, uint32_t limit,
                             ReadBatch& batch) {
  return readRows(
      statementId(seekAheadBase + static_cast<uint32_t>(how), key.column),
      [&] { return seekSql(tables_, key, how, true); },
      [&](Statement& st) {
        st.bind(1, image);
        if (!key.unique()) st.bind(2, stamp);
      },
      limit, batch);
}

Status RecordFile::stepAhead(PhysicalStep how, uint32_t from, uint32_t limit, ReadBatch& batch) {
  return readRows(
      statementId(stepAheadBase + static_cast<uint32_t>(how)), [&] { return stepSql(tables_, how, true); },
      [&](Statement& st) { st.bind(1, from); }, limit, batch);
}

template <typename Reads>
Status RecordFile::readTogether(Reads reads) {
  // Already inside a transaction of the own connection: the reads share it as they are.
  if (db_.inTransaction()) return reads();
  int rc = SQLITE_OK;
  Statement* begin = statement(statementId(beginReadKind), [] { return "BEGIN"; }, rc);
  if (!begin) return failed(rc);
  {
    StatementUse use(*begin);
    if ((rc = use->step()) != SQLITE_DONE) return failed(rc);
  }
  const Status s = reads();
  // A read transaction commits nothing: ending it only lets SQLite's shared lock go.
  Statement* end = statement(statementId(endReadKind), [] { return "COMMIT"; }, rc);
  if (end) {
    StatementUse use(*end);
    rc = use->step();
  }
  if (db_.inTransaction()) db_.exec("ROLLBACK");
  return s;
}

Status RecordFile::searchAround(const KeySpec& key, std::string_view image, uint32_t beforeLimit,
                                uint32_t fromLimit, ReadBatch& from, ReadBatch& before) {
  if (!readsAhead()) return status::ioError;
  before.records.clear();
  before.reachesEnd = false;
  if (beforeLimit == 0) return seekAhead(key, KeySeek::greaterOrEqual, image, 0, fromLimit, from);
  return readTogether([&] {
    if (Status s = seekAhead(key, KeySeek::greaterOrEqual, image, 0, fromLimit, from); s != status::ok) return s;
    const Status s = seekAhead(key, KeySeek::less, image, 0, beforeLimit, before);
    return s == status::endOfFile ? status::ok : s;
  });
}

Status RecordFile::readAt(uint32_t position, const KeySpec* key, StoredRecord& record) {
  return readRow(
      statementId(readAtKind, key ? key->column : 0), [&] { return readAtSql(tables_, key); },
      [&](Statement& st) { st.bind(1, position); }, [&](Statement& row) { return takeRecord(row, record); },
      status::invalidRecordAddress);
}

Status RecordFile::readAtRank(const KeySpec* key, uint32_t rank, StoredRecord& record) {
  return readRow(
      statementId(rankReadKind, key ? key->column : 0), [&] { return readAtRankSql(tables_, key); },
      [&](Statement& st) { st.bind(1, rank); }, [&](Statement& row) { return takeRecord(row, record); },
      status::endOfFile);
}

// A count always answers a row: without one the file is damaged.
Status RecordFile::count(const KeySpec* key, uint32_t& entries) {
  return readRow(
      statementId(countEntriesKind, key ? key->column : 0), [&] { return countSql(tables_, key); },
      noParameters, [&](Statement& row) { return takeCount(row, entries); }, status::ioError);
}

Status RecordFile::rankOf(const KeySpec& key, std::string_view image, int64_t stamp, uint32_t& rank) {
  return readRow(
      statementId(rankOfPlaceKind, key.column), [&] { return rankOfPlaceSql(tables_, key); },
      [&](Statement& st) {
        st.bind(1, image);
        if (!key.unique()) st.bind(2, stamp);
      },
      [&](Statement& row) { return takeCount(row, rank); }, status::ioError);
}

Status RecordFile::rankOf(uint32_t position, uint32_t& rank) {
  bool found = false;
  const Status s = readRow(
      statementId(rankOfPositionKind), [&] { return rankOfPositionSql(tables_); },
      [&](Statement& st) { st.bind(1, position); },
      [&](Statement& row) {
        found = row.integer(2) != 0;
        return takeCount(row, rank);
      },
      status::ioError);
  return s == status::ok && !found ? status::invalidRecordAddress : s;
}

}  // namespace qn::recmgr
