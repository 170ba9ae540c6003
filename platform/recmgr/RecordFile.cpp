#include "platform/recmgr/RecordFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <regex>
#include <set>

#include "platform/recmgr/BusyWait.h"
#include "platform/recmgr/WriteScope.h"

namespace qn::recmgr {
namespace {

constexpr const char* formatName = "qn-record-file";
constexpr int formatVersion = 1;
constexpr int64_t lastPosition = 0xFFFFFFFFll;
constexpr const char* layoutColumn = "(SELECT layoutVersion FROM header WHERE id = 1)";

// Ids of cached statements: the kind in the high bits, the key column in the low ones.
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

std::string indexSql(const KeySpec& k) {
  return std::string("CREATE ") + (k.unique() ? "UNIQUE " : "") + "INDEX " + col("key", k) + " ON records(" +
         col("k", k) + (k.unique() ? "" : ", " + col("s", k)) + ")" +
         (k.nullable() ? " WHERE " + col("k", k) + " IS NOT NULL" : "");
}

std::string schemaSql(const FileSpec& spec) {
  std::string sql =
      "CREATE TABLE header(id INTEGER PRIMARY KEY CHECK (id = 1), format TEXT NOT NULL, version INTEGER NOT NULL,"
      " recordLength INTEGER NOT NULL, pageSize INTEGER NOT NULL, fileFlags INTEGER NOT NULL, owner BLOB NOT NULL,"
      " keys BLOB NOT NULL, collatingSequences BLOB NOT NULL, recordCount INTEGER NOT NULL,"
      " nextPosition INTEGER NOT NULL, nextStamp INTEGER NOT NULL, layoutVersion INTEGER NOT NULL);"
      "CREATE TABLE records(position INTEGER PRIMARY KEY, bytes BLOB NOT NULL";
  for (const KeySpec& k : spec.keys) sql += ", " + col("k", k) + " BLOB, " + col("s", k) + " INTEGER";
  sql += ");";
  for (const KeySpec& k : spec.keys) sql += indexSql(k) + ";";
  return sql;
}

std::string orderBy(const KeySpec& key, bool descending) {
  const char* dir = descending ? " DESC" : "";
  std::string order = " ORDER BY " + col("k", key) + dir;
  if (!key.unique()) order += ", " + col("s", key) + dir;
  return order;
}

// Entries of a key path before a place (image ?1, stamp ?2).
std::string beforePlace(const KeySpec& key) {
  return key.unique() ? col("k", key) + " < ?1" : "(" + col("k", key) + ", " + col("s", key) + ") < (?1, ?2)";
}

std::string seekSql(const KeySpec& key, KeySeek how) {
  const std::string k = col("k", key);
  std::string sql = "SELECT position, bytes, " + k + ", " + col("s", key) + ", " + layoutColumn +
                    " FROM records WHERE " + k + " IS NOT NULL";
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
      sql += " AND " + beforePlace(key);
      descending = true;
      break;
  }
  return sql + orderBy(key, descending) + " LIMIT 1";
}

std::string stepSql(PhysicalStep how) {
  const std::string select = std::string("SELECT position, bytes, ") + layoutColumn + " FROM records";
  switch (how) {
    case PhysicalStep::first: return select + " ORDER BY position LIMIT 1";
    case PhysicalStep::last: return select + " ORDER BY position DESC LIMIT 1";
    case PhysicalStep::next: return select + " WHERE position > ?1 ORDER BY position LIMIT 1";
    case PhysicalStep::previous: return select + " WHERE position < ?1 ORDER BY position DESC LIMIT 1";
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

std::string_view asBytes(const std::vector<uint8_t>& v) { return {reinterpret_cast<const char*>(v.data()), v.size()}; }

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

// Runs a statement that returns no rows; the SQLite result code.
int run(sqlite3* db, const std::string& sql) { return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

}  // namespace

template <typename MakeSql>
Statement* RecordFile::statement(uint32_t id, MakeSql makeSql, int& failure) {
  auto it = statements_.find(id);
  if (it != statements_.end()) return &it->second;
  Statement st;
  failure = st.prepare(connection_->get(), inSchema(makeSql()));
  if (failure != SQLITE_OK) return nullptr;
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
    waitBriefly(check.get());
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
  waitBriefly(db_.get());
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
                      "SELECT format, version, recordLength, pageSize, fileFlags, owner, keys, collatingSequences,"
                      " layoutVersion FROM header WHERE id = 1");
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
  std::string owner = st.blob(5);
  const int64_t layoutVersion = st.integer(8);
  st.reset();

  // The records table must have the columns the keys name.
  Statement probe;
  rc = probe.prepare(db, "SELECT position, bytes" + keyColumns(spec) + " FROM records LIMIT 0");
  if (rc != SQLITE_OK) return validationStatus(rc);
  spec_ = std::move(spec);
  owner_ = std::move(owner);
  layoutVersion_ = layoutVersion;
  return status::ok;
}

std::string RecordFile::inSchema(std::string sql) const {
  if (schema_.empty()) return sql;
  static const std::regex table(R"(\b(FROM|INTO|UPDATE|JOIN)\s+(records|header)\b)");
  return std::regex_replace(sql, table, "$1 " + schema_ + ".$2");
}

void RecordFile::routeThrough(Database& db, std::string schema) {
  statements_.clear();
  connection_ = &db;
  schema_ = std::move(schema);
}

void RecordFile::routeOwn() {
  statements_.clear();
  connection_ = &db_;
  schema_.clear();
}

Status RecordFile::reload() {
  statements_.clear();
  Status s = readHeader(db_.get());
  return s == status::ok ? status::layoutChanged : s;
}

Status RecordFile::sawLayout(int64_t version) { return version == layoutVersion_ ? status::ok : reload(); }

Status RecordFile::checkLayout() {
  int rc = SQLITE_OK;
  Statement* st = statement(statementId(layoutKind), [] { return "SELECT layoutVersion FROM header WHERE id = 1"; }, rc);
  if (!st) return statusOfSqlite(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    rc = use->step();
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? status::ioError : statusOfSqlite(rc);
    version = use->integer(0);
  }
  return sawLayout(version);
}

Status RecordFile::failed(int code) {
  // A statement naming a dropped key column fails to prepare again: look whether the keys moved.
  if ((code & 0xFF) == SQLITE_ERROR || (code & 0xFF) == SQLITE_SCHEMA) {
    Statement st;
    if (st.prepare(db_.get(), "SELECT layoutVersion FROM header WHERE id = 1") == SQLITE_OK &&
        st.step() == SQLITE_ROW && st.integer(0) != layoutVersion_) {
      st.reset();
      return reload();
    }
  }
  return statusOfSqlite(code);
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
    if (rc == SQLITE_OK) rc = run(db.get(), schemaSql(spec));
    Statement insert;
    if (rc == SQLITE_OK)
      rc = insert.prepare(db.get(),
                          "INSERT INTO header(id, format, version, recordLength, pageSize, fileFlags, owner, keys,"
                          " collatingSequences, recordCount, nextPosition, nextStamp, layoutVersion)"
                          " VALUES(1, ?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, 0, 1, 1, 0)");
    if (rc == SQLITE_OK) {
      sqlite3_bind_text(insert.get(), 1, formatName, -1, SQLITE_STATIC);
      insert.bind(2, formatVersion);
      insert.bind(3, spec.recordLength);
      insert.bind(4, spec.pageSize);
      insert.bind(5, spec.fileFlags);
      insert.bind(6, owner);
      insert.bind(7, asBytes(storedKeys(spec)));
      insert.bind(8, asBytes(storedCollatingSequences(spec)));
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
  int rc = SQLITE_OK;
  Statement* st = statement(statementId(countKind),
                            [] { return "SELECT recordCount, layoutVersion FROM header WHERE id = 1"; }, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    rc = use->step();
    if (rc != SQLITE_ROW) return rc == SQLITE_DONE ? status::ioError : statusOfSqlite(rc);
    count = static_cast<uint32_t>(use->integer(0));
    version = use->integer(1);
  }
  return sawLayout(version);
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
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(maxImageKind, key.column),
      [&] {
        return "SELECT " + col("k", key) + " FROM records WHERE " + col("k", key) + " IS NOT NULL ORDER BY " +
               col("k", key) + (seg.has(segmentFlag::descending) ? "" : " DESC") + " LIMIT 1";
      },
      rc);
  if (!st) return failed(rc);
  StatementUse use(*st);
  int64_t greatest = 0;
  rc = use->step();
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
  WriteScope scope(*connection_);
  if (scope.begun() != status::ok) return scope.begun();
  if (Status s = checkLayout(); s != status::ok) return s;
  if (Status s = insertOne(record, written); s != status::ok) return s;
  return scope.commit();
}

Status RecordFile::insertAll(std::vector<std::string>& records) {
  WriteScope scope(*connection_);
  if (scope.begun() != status::ok) return scope.begun();
  if (Status s = checkLayout(); s != status::ok) return s;
  WrittenRecord written;
  for (std::string& record : records)
    if (Status s = insertOne(record, written); s != status::ok) return s;
  return scope.commit();
}

Status RecordFile::insertOne(std::string& record, WrittenRecord& written) {
  if (!spec_.variableLength()) record.resize(spec_.recordLength);
  for (const KeySpec& k : spec_.keys)
    if (k.autoIncrement())
      if (Status s = assignAutoIncrement(k, record); s != status::ok) return s;

  int rc = SQLITE_OK;
  Statement* take = statement(
      statementId(takePositionKind),
      [] {
        return "UPDATE header SET recordCount = recordCount + 1, nextPosition = nextPosition + 1,"
               " nextStamp = nextStamp + 1 WHERE id = 1 RETURNING nextPosition - 1, nextStamp - 1";
      },
      rc);
  if (!take) return failed(rc);
  int64_t position, stamp;
  {
    StatementUse use(*take);
    rc = use->step();
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
      rc);
  if (!ins) return failed(rc);
  written.position = static_cast<uint32_t>(position);
  written.images = images(record);
  written.stamps.assign(spec_.keys.size(), stamp);
  StatementUse use(*ins);
  use->bind(1, position);
  use->bind(2, record);
  for (size_t i = 0; i < spec_.keys.size(); ++i) {
    bindImage(*use, static_cast<int>(3 + 2 * i), written.images[i]);
    use->bind(static_cast<int>(4 + 2 * i), stamp);
  }
  rc = use->step();
  return rc == SQLITE_DONE ? status::ok : statusOfSqlite(rc);
}

Status RecordFile::update(uint32_t position, std::string record, WrittenRecord& written) {
  WriteScope scope(*connection_);
  if (scope.begun() != status::ok) return scope.begun();
  if (Status s = checkLayout(); s != status::ok) return s;
  if (!spec_.variableLength()) record.resize(spec_.recordLength);

  int rc = SQLITE_OK;
  Statement* select = statement(
      statementId(selectForUpdateKind),
      [&] { return "SELECT position" + keyColumns(spec_) + " FROM records WHERE position = ?1"; }, rc);
  if (!select) return failed(rc);
  std::vector<std::optional<std::string>> oldImages;
  std::vector<int64_t> stamps;
  {
    StatementUse use(*select);
    use->bind(1, position);
    rc = use->step();
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
        [] { return "UPDATE header SET nextStamp = nextStamp + 1 WHERE id = 1 RETURNING nextStamp - 1"; }, rc);
    if (!take) return failed(rc);
    StatementUse use(*take);
    rc = use->step();
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
      rc);
  if (!upd) return failed(rc);
  {
    StatementUse use(*upd);
    use->bind(1, position);
    use->bind(2, record);
    for (size_t i = 0; i < spec_.keys.size(); ++i) {
      bindImage(*use, static_cast<int>(3 + 2 * i), written.images[i]);
      use->bind(static_cast<int>(4 + 2 * i), stamps[i]);
    }
    rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
  }
  return scope.commit();
}

Status RecordFile::remove(uint32_t position) {
  WriteScope scope(*connection_);
  if (scope.begun() != status::ok) return scope.begun();
  int rc = SQLITE_OK;
  Statement* del = statement(statementId(deleteKind), [] { return "DELETE FROM records WHERE position = ?1"; }, rc);
  if (!del) return failed(rc);
  {
    StatementUse use(*del);
    use->bind(1, position);
    rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
    if (sqlite3_changes(connection_->get()) == 0) return status::invalidPositioning;
  }
  Statement* count = statement(statementId(dropCountKind),
                               [] { return "UPDATE header SET recordCount = recordCount - 1 WHERE id = 1"; }, rc);
  if (!count) return failed(rc);
  {
    StatementUse use(*count);
    rc = use->step();
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
  }
  return scope.commit();
}

Status RecordFile::writeLayout(const FileSpec& spec) {
  Statement st;
  int rc = st.prepare(db_.get(), "UPDATE header SET keys = ?1, layoutVersion = layoutVersion + 1 WHERE id = 1");
  if (rc != SQLITE_OK) return statusOfSqlite(rc);
  st.bind(1, asBytes(storedKeys(spec)));
  rc = st.step();
  return rc == SQLITE_DONE ? status::ok : statusOfSqlite(rc);
}

Status RecordFile::addKey(std::vector<SegmentSpec> segments, std::optional<uint8_t> number) {
  WriteScope scope(db_);
  if (scope.begun() != status::ok) return scope.begun();
  if (Status s = checkLayout(); s != status::ok) return s;

  FileSpec next = spec_;
  KeySpec key;
  std::set<int> numbers, columns;
  for (const KeySpec& k : next.keys) {
    numbers.insert(k.number);
    columns.insert(k.column);
  }
  if (number) {
    if (numbers.count(*number)) return status::invalidKeyDefinition;
    key.number = *number;
  } else {
    int free = 0;
    while (numbers.count(free)) ++free;
    if (free > 255) return status::invalidKeyDefinition;
    key.number = static_cast<uint8_t>(free);
  }
  key.column = static_cast<uint16_t>(columns.empty() ? 1 : *columns.rbegin() + 1);
  for (SegmentSpec& s : segments) {
    s.keyNumber = key.number;
    s.column = key.column;
    s.uniqueValues = 0;
  }
  key.segments = std::move(segments);
  next.keys.push_back(key);
  std::sort(next.keys.begin(), next.keys.end(), [](const KeySpec& a, const KeySpec& b) { return a.number < b.number; });
  if (Status s = validate(next); s != status::ok) return s;

  int rc = run(db_.get(), "ALTER TABLE records ADD COLUMN " + col("k", key) + " BLOB; ALTER TABLE records ADD COLUMN " +
                              col("s", key) + " INTEGER");
  if (rc != SQLITE_OK) return statusOfSqlite(rc);
  {
    // Records already there keep their physical order among duplicates: their positions serve as
    // stamps, all below the stamps still to come.
    Statement read, write;
    rc = read.prepare(db_.get(), "SELECT position, bytes FROM records");
    if (rc == SQLITE_OK)
      rc = write.prepare(db_.get(), "UPDATE records SET " + col("k", key) + " = ?2, " + col("s", key) +
                                        " = ?1 WHERE position = ?1");
    if (rc != SQLITE_OK) return statusOfSqlite(rc);
    KeyEncoding encoding(next);
    while ((rc = read.step()) == SQLITE_ROW) {
      write.bind(1, read.integer(0));
      bindImage(write, 2, encoding.fromRecord(key, read.blob(1)));
      rc = write.step();
      write.reset();
      if (rc != SQLITE_DONE) return statusOfSqlite(rc);
    }
    if (rc != SQLITE_DONE) return statusOfSqlite(rc);
  }
  if ((rc = run(db_.get(), indexSql(key))) != SQLITE_OK) return statusOfSqlite(rc);
  if (Status s = writeLayout(next); s != status::ok) return s;
  if (Status s = scope.commit(); s != status::ok) return s;
  const Status reloaded = reload();
  return reloaded == status::layoutChanged ? status::ok : reloaded;
}

Status RecordFile::dropKey(uint8_t number) {
  WriteScope scope(db_);
  if (scope.begun() != status::ok) return scope.begun();
  if (Status s = checkLayout(); s != status::ok) return s;
  const KeySpec* key = spec_.key(number);
  if (!key) return status::invalidKeyNumber;

  FileSpec next = spec_;
  std::erase_if(next.keys, [&](const KeySpec& k) { return k.number == number; });
  for (KeySpec& k : next.keys) {
    if (k.number < number) continue;
    --k.number;
    for (SegmentSpec& s : k.segments) s.keyNumber = k.number;
  }
  statements_.clear();  // they may name the columns about to go
  int rc = run(db_.get(), "DROP INDEX " + col("key", *key) + "; ALTER TABLE records DROP COLUMN " + col("k", *key) +
                              "; ALTER TABLE records DROP COLUMN " + col("s", *key));
  if (rc != SQLITE_OK) return statusOfSqlite(rc);
  if (Status s = writeLayout(next); s != status::ok) return s;
  if (Status s = scope.commit(); s != status::ok) return s;
  const Status reloaded = reload();
  return reloaded == status::layoutChanged ? status::ok : reloaded;
}

Status RecordFile::seek(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp,
                        StoredRecord& record) {
  int rc = SQLITE_OK;
  Statement* st = statement(statementId(seekBase + static_cast<uint32_t>(how), key.column),
                            [&] { return seekSql(key, how); }, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    if (how != KeySeek::first && how != KeySeek::last) {
      use->bind(1, image);
      if (!key.unique() && (how == KeySeek::next || how == KeySeek::previous)) use->bind(2, stamp);
    }
    rc = use->step();
    if (rc == SQLITE_ROW) {
      record.position = static_cast<uint32_t>(use->integer(0));
      record.bytes = use->blob(1);
      record.image = use->blob(2);
      record.stamp = use->integer(3);
      version = use->integer(4);
    }
  }
  if (rc == SQLITE_DONE) return how == KeySeek::equal ? status::keyNotFound : status::endOfFile;
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::step(PhysicalStep how, uint32_t from, StoredRecord& record) {
  int rc = SQLITE_OK;
  Statement* st = statement(statementId(stepBase + static_cast<uint32_t>(how)), [&] { return stepSql(how); }, rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    if (how == PhysicalStep::next || how == PhysicalStep::previous) use->bind(1, from);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      record.position = static_cast<uint32_t>(use->integer(0));
      record.bytes = use->blob(1);
      record.image.reset();
      record.stamp = 0;
      version = use->integer(2);
    }
  }
  if (rc == SQLITE_DONE) return status::endOfFile;
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::readAt(uint32_t position, const KeySpec* key, StoredRecord& record) {
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(readAtKind, key ? key->column : 0),
      [&] {
        return "SELECT position, bytes, " +
               (key ? col("k", *key) + ", " + col("s", *key) : std::string("NULL, 0")) + ", " + layoutColumn +
               " FROM records WHERE position = ?1";
      },
      rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    use->bind(1, position);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      record.position = position;
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
  if (rc == SQLITE_DONE) return status::invalidRecordAddress;
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::count(const KeySpec* key, uint32_t& entries) {
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(countEntriesKind, key ? key->column : 0),
      [&] {
        return std::string("SELECT count(*), ") + layoutColumn + " FROM records" +
               (key ? " WHERE " + col("k", *key) + " IS NOT NULL" : std::string());
      },
      rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      entries = static_cast<uint32_t>(use->integer(0));
      version = use->integer(1);
    }
  }
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::readAtRank(const KeySpec* key, uint32_t rank, StoredRecord& record) {
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(rankReadKind, key ? key->column : 0),
      [&] {
        const std::string select = "SELECT position, bytes, " +
                                   (key ? col("k", *key) + ", " + col("s", *key) : std::string("NULL, 0")) + ", " +
                                   layoutColumn + " FROM records";
        return key ? select + " WHERE " + col("k", *key) + " IS NOT NULL" + orderBy(*key, false) + " LIMIT 1 OFFSET ?1"
                   : select + " ORDER BY position LIMIT 1 OFFSET ?1";
      },
      rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    use->bind(1, rank);
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
  if (rc == SQLITE_DONE) return status::endOfFile;
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::rankOf(const KeySpec& key, std::string_view image, int64_t stamp, uint32_t& rank) {
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(rankOfPlaceKind, key.column),
      [&] {
        return std::string("SELECT count(*), ") + layoutColumn + " FROM records WHERE " + col("k", key) +
               " IS NOT NULL AND " + beforePlace(key);
      },
      rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  {
    StatementUse use(*st);
    use->bind(1, image);
    if (!key.unique()) use->bind(2, stamp);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      rank = static_cast<uint32_t>(use->integer(0));
      version = use->integer(1);
    }
  }
  return rc == SQLITE_ROW ? sawLayout(version) : failed(rc);
}

Status RecordFile::rankOf(uint32_t position, uint32_t& rank) {
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(rankOfPositionKind),
      [] {
        return std::string("SELECT count(*), ") + layoutColumn +
               ", EXISTS(SELECT 1 FROM records WHERE position = ?1) FROM records WHERE position < ?1";
      },
      rc);
  if (!st) return failed(rc);
  int64_t version = 0;
  bool found = false;
  {
    StatementUse use(*st);
    use->bind(1, position);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      found = use->integer(2) != 0;
      rank = static_cast<uint32_t>(use->integer(0));
      version = use->integer(1);
    }
  }
  if (rc != SQLITE_ROW) return failed(rc);
  return found ? sawLayout(version) : status::invalidRecordAddress;
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
  st.reset();
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
