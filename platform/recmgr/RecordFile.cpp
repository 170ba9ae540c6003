#include "platform/recmgr/RecordFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/recmgr/WriteScope.h"

namespace qn::recmgr {
namespace {

constexpr const char* formatName = "qn-record-file";
constexpr int formatVersion = 1;
constexpr int busyTimeoutMs = 500;
constexpr int64_t lastPosition = 0xFFFFFFFFll;

// Ids of cached statements: the kind in the high bits, the key column in the low ones.
enum StatementKind : uint32_t {
  seekBase = 0,  // + KeySeek
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
};
uint32_t statementId(uint32_t kind, uint16_t column = 0) { return kind << 16 | column; }

std::string col(const char* prefix, const KeySpec& key) { return prefix + std::to_string(key.column); }

// Validation answers: a file SQLite cannot read as a database, or one without our header, is not
// a record file; a damaged one is an I/O error.
Status validationStatus(int code) {
  switch (code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_ERROR:
      return status::notRecordFile;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return status::recordLocked;
    case SQLITE_READONLY:
      return status::readOnlyOpen;
    default:
      return status::ioError;
  }
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string parentOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string schemaSql(const FileSpec& spec) {
  std::string sql =
      "CREATE TABLE header(id INTEGER PRIMARY KEY CHECK (id = 1), format TEXT NOT NULL, version INTEGER NOT NULL,"
      " recordLength INTEGER NOT NULL, pageSize INTEGER NOT NULL, fileFlags INTEGER NOT NULL, owner BLOB NOT NULL,"
      " keys BLOB NOT NULL, collatingSequences BLOB NOT NULL, recordCount INTEGER NOT NULL,"
      " nextPosition INTEGER NOT NULL, nextStamp INTEGER NOT NULL);"
      "CREATE TABLE records(position INTEGER PRIMARY KEY, bytes BLOB NOT NULL";
  for (const KeySpec& k : spec.keys) sql += ", " + col("k", k) + " BLOB, " + col("s", k) + " INTEGER";
  sql += ");";
  for (const KeySpec& k : spec.keys) {
    sql += std::string("CREATE ") + (k.unique() ? "UNIQUE " : "") + "INDEX " + col("key", k) + " ON records(" +
           col("k", k) + (k.unique() ? "" : ", " + col("s", k)) + ")" +
           (k.nullable() ? " WHERE " + col("k", k) + " IS NOT NULL" : "") + ";";
  }
  return sql;
}

std::string orderBy(const KeySpec& key, bool descending) {
  const char* dir = descending ? " DESC" : "";
  std::string order = " ORDER BY " + col("k", key) + dir;
  if (!key.unique()) order += ", " + col("s", key) + dir;
  return order;
}

std::string seekSql(const KeySpec& key, KeySeek how) {
  const std::string k = col("k", key);
  std::string sql = "SELECT position, bytes, " + k + ", " + col("s", key) + " FROM records WHERE " + k + " IS NOT NULL";
  bool descending = false;
  switch (how) {
    case KeySeek::equal: sql += " AND " + k + " = ?1"; break;
    case KeySeek::greater: sql += " AND " + k + " > ?1"; break;
    case KeySeek::greaterOrEqual: sql += " AND " + k + " >= ?1"; break;
    case KeySeek::less: sql += " AND " + k + " < ?1"; descending = true; break;
    case KeySeek::lessOrEqual: sql += " AND " + k + " <= ?1"; descending = true; break;
    case KeySeek::first: break;
    case KeySeek::last: descending = true; break;
    case KeySeek::next:
      sql += key.unique() ? " AND " + k + " > ?1" : " AND (" + k + ", " + col("s", key) + ") > (?1, ?2)";
      break;
    case KeySeek::previous:
      sql += key.unique() ? " AND " + k + " < ?1" : " AND (" + k + ", " + col("s", key) + ") < (?1, ?2)";
      descending = true;
      break;
  }
  return sql + orderBy(key, descending) + " LIMIT 1";
}

std::string stepSql(PhysicalStep how) {
  switch (how) {
    case PhysicalStep::first: return "SELECT position, bytes FROM records ORDER BY position LIMIT 1";
    case PhysicalStep::last: return "SELECT position, bytes FROM records ORDER BY position DESC LIMIT 1";
    case PhysicalStep::next:
      return "SELECT position, bytes FROM records WHERE position > ?1 ORDER BY position LIMIT 1";
    case PhysicalStep::previous:
      return "SELECT position, bytes FROM records WHERE position < ?1 ORDER BY position DESC LIMIT 1";
  }
  return {};
}

std::string keyColumns(const FileSpec& spec) {
  std::string cols;
  for (const KeySpec& k : spec.keys) cols += ", " + col("k", k) + ", " + col("s", k);
  return cols;
}

void bindImage(Statement& st, int index, const std::optional<std::string>& image) {
  if (image) {
    st.bind(index, *image);
  } else {
    st.bindNull(index);
  }
}

// Writes a little-endian integer of `length` bytes.
void putInteger(std::string& record, size_t offset, size_t length, int64_t value) {
  for (size_t i = 0; i < length; ++i) record[offset + i] = static_cast<char>(static_cast<uint64_t>(value) >> (8 * i));
}

int64_t getInteger(std::string_view record, size_t offset, size_t length) {
  uint64_t v = 0;
  for (size_t i = 0; i < length; ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(record[offset + i])) << (8 * i);
  if (length < 8 && (v >> (8 * length - 1)) & 1) v |= ~uint64_t{0} << (8 * length);
  return static_cast<int64_t>(v);
}

}  // namespace

template <typename MakeSql>
Statement* RecordFile::statement(uint32_t id, MakeSql makeSql, Status& failure) {
  auto it = statements_.find(id);
  if (it != statements_.end()) return &it->second;
  Statement st;
  int rc = st.prepare(db_.get(), makeSql());
  if (rc != SQLITE_OK) {
    failure = statusOfSqlite(rc);
    return nullptr;
  }
  return &statements_.emplace(id, std::move(st)).first->second;
}

Status RecordFile::open(const std::string& path, std::unique_ptr<RecordFile>& file) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return isDirectory(parentOf(path)) ? status::fileNotFound : status::directoryError;
  if (!S_ISREG(st.st_mode)) return status::invalidFileName;

  std::unique_ptr<RecordFile> f(new RecordFile(path));
  {
    // A hot journal needs a writer to roll it back: that recovery is the one change an open makes.
    Database check;
    int rc = check.open(path, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
    if (rc != SQLITE_OK) return validationStatus(rc);
    sqlite3_busy_timeout(check.get(), busyTimeoutMs);
    Status s = f->readHeader(check.get());
    if (s != status::ok && s != status::readOnlyOpen) return s;
  }
  int rc = f->db_.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
  if (rc != SQLITE_OK) rc = f->db_.open(path, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
  if (rc != SQLITE_OK) return validationStatus(rc);
  if (Status s = f->configureConnection(); s != status::ok) return s;
  if (Status s = f->readHeader(f->db_.get()); s != status::ok) return s;
  file = std::move(f);
  return status::ok;
}

Status RecordFile::configureConnection() {
  sqlite3_busy_timeout(db_.get(), busyTimeoutMs);
  sqlite3_extended_result_codes(db_.get(), 1);
  for (const char* pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL", "PRAGMA cache_spill=OFF"}) {
    int rc = db_.exec(pragma);
    if (rc != SQLITE_OK && (rc & 0xFF) != SQLITE_READONLY) return validationStatus(rc);
  }
  return status::ok;
}

Status RecordFile::readHeader(sqlite3* db) {
  Statement st;
  int rc = st.prepare(db,
                      "SELECT format, version, recordLength, pageSize, fileFlags, owner, keys, collatingSequences"
                      " FROM header WHERE id = 1");
  if (rc != SQLITE_OK) return validationStatus(rc);
  rc = st.step();
  if (rc == SQLITE_DONE) return status::notRecordFile;
  if (rc != SQLITE_ROW) return validationStatus(rc);
  if (st.blob(0) != formatName || st.integer(1) != formatVersion) return status::notRecordFile;

  FileSpec spec;
  const int64_t recordLength = st.integer(2), pageSize = st.integer(3), fileFlags = st.integer(4);
  if (recordLength <= 0 || recordLength > 0xFFFF || pageSize < 0 || pageSize > 0xFFFF || fileFlags < 0 ||
      fileFlags > 0xFFFF)
    return status::notRecordFile;
  spec.recordLength = static_cast<uint16_t>(recordLength);
  spec.pageSize = static_cast<uint16_t>(pageSize);
  spec.fileFlags = static_cast<uint16_t>(fileFlags);
  const std::string keys = st.blob(6), sequences = st.blob(7);
  if (!readStoredKeys(reinterpret_cast<const uint8_t*>(keys.data()), keys.size(), spec.keys) ||
      !readStoredCollatingSequences(reinterpret_cast<const uint8_t*>(sequences.data()), sequences.size(),
                                    spec.collatingSequences) ||
      validate(spec) != status::ok)
    return status::notRecordFile;
  owner_ = st.blob(5);
  st.reset();

  // The records table must have the columns the keys name.
  Statement probe;
  rc = probe.prepare(db, "SELECT position, bytes" + keyColumns(spec) + " FROM records LIMIT 0");
  if (rc != SQLITE_OK) return validationStatus(rc);
  spec_ = std::move(spec);
  return status::ok;
}

Status RecordFile::create(const std::string& path, const FileSpec& spec, std::string_view owner, bool replace) {
  if (!isDirectory(parentOf(path))) return status::directoryError;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !replace) return status::fileExists;

  static std::atomic<unsigned> serial{0};
  const std::string temporary = path + ".creating." + std::to_string(::getpid()) + "." + std::to_string(++serial);
  Status result = status::ok;
  {
    Database db;
    int rc = db.open(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
    if (rc == SQLITE_OK) rc = db.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; BEGIN");
    if (rc == SQLITE_OK) rc = db.exec(schemaSql(spec).c_str());
    Statement insert;
    if (rc == SQLITE_OK)
      rc = insert.prepare(db.get(),
                          "INSERT INTO header(id, format, version, recordLength, pageSize, fileFlags, owner, keys,"
                          " collatingSequences, recordCount, nextPosition, nextStamp)"
                          " VALUES(1, ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, 0, 1, 1)");
    if (rc == SQLITE_OK) {
      const std::vector<uint8_t> keys = storedKeys(spec), sequences = storedCollatingSequences(spec);
      sqlite3_bind_text(insert.get(), 1, formatName, -1, SQLITE_STATIC);
      insert.bind(2, formatVersion);
      insert.bind(3, spec.recordLength);
      insert.bind(4, spec.pageSize);
      insert.bind(5, spec.fileFlags);
      insert.bind(6, owner);
      insert.bind(7, std::string_view(reinterpret_cast<const char*>(keys.data()), keys.size()));
      insert.bind(8, std::string_view(reinterpret_cast<const char*>(sequences.data()), sequences.size()));
      rc = insert.step();
      if (rc == SQLITE_DONE) rc = SQLITE_OK;
      insert.reset();
    }
    if (rc == SQLITE_OK) rc = db.exec("COMMIT");
    if (rc != SQLITE_OK) result = statusOfSqlite(rc) == status::diskFull ? status::diskFull : status::ioError;
  }
  if (result == status::ok) {
    // A journal left by the file being replaced must never be played back into the new one.
    if (replace) {
      ::unlink((path + "-journal").c_str());
      if (::rename(temporary.c_str(), path.c_str()) != 0) result = status::ioError;
    } else if (::link(temporary.c_str(), path.c_str()) != 0) {
      result = errno == EEXIST ? status::fileExists : status::ioError;
    }
  }
  ::unlink(temporary.c_str());
  ::unlink((temporary + "-journal").c_str());
  return result;
}

Status RecordFile::recordCount(uint32_t& count) {
  Status failure = status::ok;
  Statement* st = statement(statementId(countKind), [] { return "SELECT recordCount FROM header WHERE id = 1"; },
                            failure);
  if (!st) return failure;
  StatementUse use(*st);
  int rc = use->step();
  if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? status::ioError : statusOfSqlite(rc);
  count = static_cast<uint32_t>(use->integer(0));
  return status::ok;
}

std::vector<std::optional<std::string>> RecordFile::images(std::string_view record) const {
  std::vector<std::optional<std::string>> out;
  out.reserve(spec_.keys.size());
  for (const KeySpec& k : spec_.keys) out.push_back(encoding_.fromRecord(k, record));
  return out;
}

Status RecordFile::assignAutoIncrement(const KeySpec& key, std::string& record) {
  const SegmentSpec& seg = key.segments.front();
  if (getInteger(record, seg.position - 1u, seg.length) != 0) return status::ok;
  Status failure = status::ok;
  Statement* st = statement(
      statementId(maxImageKind, key.column),
      [&] {
        return "SELECT " + col("k", key) + " FROM records WHERE " + col("k", key) + " IS NOT NULL ORDER BY " +
               col("k", key) + (seg.has(segmentFlag::descending) ? "" : " DESC") + " LIMIT 1";
      },
      failure);
  if (!st) return failure;
  StatementUse use(*st);
  int64_t greatest = 0;
  int rc = use->step();
  if (rc == SQLITE_ROW) {
    greatest = std::max<int64_t>(0, KeyEncoding::integerFromImage(seg, use->blob(0)));
  } else if (rc != SQLITE_DONE) {
    return statusOfSqlite(rc);
  }
  const int64_t limit = seg.length == 8 ? INT64_MAX : (int64_t{1} << (8 * seg.length - 1)) - 1;
  if (greatest >= limit) return status::duplicateKey;  // the counter has run out of values
  putInteger(record, seg.position - 1u, seg.length, greatest + 1);
  return status::ok;
}

Status RecordFile::insert(std::string& record, WrittenRecord& written) {
  if (!spec_.variableLength()) record.resize(spec_.recordLength);
  WriteScope scope(db_);
  if (scope.begun() != status::ok) return scope.begun();
  for (const KeySpec& k : spec_.keys)
    if (k.autoIncrement())
      if (Status s = assignAutoIncrement(k, record); s != status::ok) return s;

  Status failure = status::ok;
  Statement* take = statement(
      statementId(takePositionKind),
      [] {
        return "UPDATE header SET recordCount = recordCount + 1, nextPosition = nextPosition + 1,"
               " nextStamp = nextStamp + 1 WHERE id = 1 RETURNING nextPosition - 1, nextStamp - 1";
      },
      failure);
  if (!take) return failure;
  int64_t position, stamp;
  {
    StatementUse use(*take);
    int rc = use->step();
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? status::ioError : statusOfSqlite(rc);
    position = use->integer(0);
    stamp = use->integer(1);
  }
  if (position <= 0 || position > lastPosition) return status::diskFull;  // positions are never reused

  Statement* ins = statement(
      statementId(insertKind),
      [&] {
        std::string sql = "INSERT INTO records(position, bytes" + keyColumns(spec_) + ") VALUES(?1, ?2";
        for (size_t i = 0; i < spec_.keys.size(); ++i)
          sql += ", ?" + std::to_string(3 + 2 * i) + ", ?" + std::to_string(4 + 2 * i);
        return sql + ")";
      },
      failure);
  if (!ins) return failure;
  written.position = static_cast<uint32_t>(position);
  written.images = images(record);
  written.stamps.assign(spec_.keys.size(), stamp);
  {
    StatementUse use(*ins);
    use->bind(1, position);
    use->bind(2, record);
    for (size_t i = 0; i < spec_.keys.size(); ++i) {
      bindImage(*use, static_cast<int>(3 + 2 * i), written.images[i]);
      use->bind(static_cast<int>(4 + 2 * i), stamp);
    }
    int rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
  }
  return scope.commit();
}

Status RecordFile::update(uint32_t position, std::string record, WrittenRecord& written) {
  if (!spec_.variableLength()) record.resize(spec_.recordLength);
  WriteScope scope(db_);
  if (scope.begun() != status::ok) return scope.begun();

  Status failure = status::ok;
  Statement* select = statement(
      statementId(selectForUpdateKind),
      [&] { return "SELECT position" + keyColumns(spec_) + " FROM records WHERE position = ?1"; }, failure);
  if (!select) return failure;
  std::vector<std::optional<std::string>> oldImages;
  std::vector<int64_t> stamps;
  {
    StatementUse use(*select);
    use->bind(1, position);
    int rc = use->step();
    if (rc == SQLITE_DONE) return status::invalidPositioning;
    if (rc != SQLITE_ROW) return statusOfSqlite(rc);
    for (size_t i = 0; i < spec_.keys.size(); ++i) {
      const int c = static_cast<int>(1 + 2 * i);
      oldImages.push_back(use->isNull(c) ? std::nullopt : std::optional<std::string>(use->blob(c)));
      stamps.push_back(use->integer(c + 1));
    }
  }

  written.position = position;
  written.images = images(record);
  bool moved = false;
  for (size_t i = 0; i < spec_.keys.size(); ++i) {
    if (written.images[i] == oldImages[i]) continue;
    if (!spec_.keys[i].modifiable()) return status::keyNotModifiable;
    moved = true;
  }
  if (moved) {
    // A record moved into a key value goes after the duplicates already there.
    Statement* take = statement(
        statementId(takeStampKind),
        [] { return "UPDATE header SET nextStamp = nextStamp + 1 WHERE id = 1 RETURNING nextStamp - 1"; }, failure);
    if (!take) return failure;
    StatementUse use(*take);
    int rc = use->step();
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? status::ioError : statusOfSqlite(rc);
    for (size_t i = 0; i < spec_.keys.size(); ++i)
      if (written.images[i] != oldImages[i]) stamps[i] = use->integer(0);
  }
  written.stamps = stamps;

  Statement* upd = statement(
      statementId(updateKind),
      [&] {
        std::string sql = "UPDATE records SET bytes = ?2";
        for (size_t i = 0; i < spec_.keys.size(); ++i)
          sql += ", " + col("k", spec_.keys[i]) + " = ?" + std::to_string(3 + 2 * i) + ", " +
                 col("s", spec_.keys[i]) + " = ?" + std::to_string(4 + 2 * i);
        return sql + " WHERE position = ?1";
      },
      failure);
  if (!upd) return failure;
  {
    StatementUse use(*upd);
    use->bind(1, position);
    use->bind(2, record);
    for (size_t i = 0; i < spec_.keys.size(); ++i) {
      bindImage(*use, static_cast<int>(3 + 2 * i), written.images[i]);
      use->bind(static_cast<int>(4 + 2 * i), stamps[i]);
    }
    int rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
  }
  return scope.commit();
}

Status RecordFile::remove(uint32_t position) {
  WriteScope scope(db_);
  if (scope.begun() != status::ok) return scope.begun();
  Status failure = status::ok;
  Statement* del = statement(statementId(deleteKind), [] { return "DELETE FROM records WHERE position = ?1"; },
                             failure);
  if (!del) return failure;
  {
    StatementUse use(*del);
    use->bind(1, position);
    int rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
    if (sqlite3_changes(db_.get()) == 0) return status::invalidPositioning;
  }
  Statement* count = statement(statementId(dropCountKind),
                               [] { return "UPDATE header SET recordCount = recordCount - 1 WHERE id = 1"; }, failure);
  if (!count) return failure;
  {
    StatementUse use(*count);
    int rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
  }
  return scope.commit();
}

Status RecordFile::seek(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp,
                        StoredRecord& record) {
  Status failure = status::ok;
  Statement* st = statement(statementId(seekBase + static_cast<uint32_t>(how), key.column),
                            [&] { return seekSql(key, how); }, failure);
  if (!st) return failure;
  StatementUse use(*st);
  if (how != KeySeek::first && how != KeySeek::last) {
    use->bind(1, image);
    if (!key.unique() && (how == KeySeek::next || how == KeySeek::previous)) use->bind(2, stamp);
  }
  int rc = use->step();
  if (rc == SQLITE_DONE) return how == KeySeek::equal ? status::keyNotFound : status::endOfFile;
  if (rc != SQLITE_ROW) return statusOfSqlite(rc);
  record.position = static_cast<uint32_t>(use->integer(0));
  record.bytes = use->blob(1);
  record.image = use->blob(2);
  record.stamp = use->integer(3);
  return status::ok;
}

Status RecordFile::step(PhysicalStep how, uint32_t from, StoredRecord& record) {
  Status failure = status::ok;
  Statement* st = statement(statementId(stepBase + static_cast<uint32_t>(how)), [&] { return stepSql(how); },
                            failure);
  if (!st) return failure;
  StatementUse use(*st);
  if (how == PhysicalStep::next || how == PhysicalStep::previous) use->bind(1, from);
  int rc = use->step();
  if (rc == SQLITE_DONE) return status::endOfFile;
  if (rc != SQLITE_ROW) return statusOfSqlite(rc);
  record.position = static_cast<uint32_t>(use->integer(0));
  record.bytes = use->blob(1);
  record.image.reset();
  record.stamp = 0;
  return status::ok;
}

Status RecordFile::readAt(uint32_t position, const KeySpec* key, StoredRecord& record) {
  Status failure = status::ok;
  Statement* st = statement(
      statementId(readAtKind, key ? key->column : 0),
      [&] {
        return "SELECT position, bytes" + (key ? ", " + col("k", *key) + ", " + col("s", *key) : std::string()) +
               " FROM records WHERE position = ?1";
      },
      failure);
  if (!st) return failure;
  StatementUse use(*st);
  use->bind(1, position);
  int rc = use->step();
  if (rc == SQLITE_DONE) return status::invalidRecordAddress;
  if (rc != SQLITE_ROW) return statusOfSqlite(rc);
  record.position = position;
  record.bytes = use->blob(1);
  record.image.reset();
  record.stamp = 0;
  if (key && !use->isNull(2)) {
    record.image = use->blob(2);
    record.stamp = use->integer(3);
  }
  return status::ok;
}

std::vector<std::string> RecordFile::check() {
  std::vector<std::string> problems;
  {
    Statement st;
    if (st.prepare(db_.get(), "PRAGMA integrity_check") == SQLITE_OK) {
      while (st.step() == SQLITE_ROW) {
        std::string line = st.blob(0);
        if (line != "ok") problems.push_back("storage: " + line);
      }
    } else {
      problems.push_back("storage: the integrity check could not run");
    }
  }
  Statement st;
  if (st.prepare(db_.get(), "SELECT position, bytes" + keyColumns(spec_) + " FROM records ORDER BY position") !=
      SQLITE_OK) {
    problems.push_back("records: unreadable");
    return problems;
  }
  uint32_t rows = 0;
  int rc;
  while ((rc = st.step()) == SQLITE_ROW) {
    ++rows;
    const std::string bytes = st.blob(1);
    const std::string where = "record at position " + std::to_string(st.integer(0));
    if (bytes.size() < spec_.recordLength)
      problems.push_back(where + ": " + std::to_string(bytes.size()) + " bytes, shorter than the record length");
    const auto expected = images(bytes);
    for (size_t i = 0; i < spec_.keys.size(); ++i) {
      const int c = static_cast<int>(2 + 2 * i);
      const std::optional<std::string> stored =
          st.isNull(c) ? std::nullopt : std::optional<std::string>(st.blob(c));
      if (stored != expected[i])
        problems.push_back(where + ": key " + std::to_string(spec_.keys[i].number) + " does not match its bytes");
    }
  }
  if (rc != SQLITE_DONE) problems.push_back("records: reading stopped: " + std::string(sqlite3_errstr(rc)));
  uint32_t count = 0;
  if (recordCount(count) != status::ok) {
    problems.push_back("header: the record count is unreadable");
  } else if (count != rows) {
    problems.push_back("header: record count " + std::to_string(count) + ", but " + std::to_string(rows) +
                       " records are stored");
  }
  return problems;
}

}  // namespace qn::recmgr
