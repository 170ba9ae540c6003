#include "platform/recmgr/RecordFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/recmgr/BusyWait.h"
#include "platform/recmgr/RecordFileStatements.h"

namespace qn::recmgr {
namespace {

constexpr const char* formatName = "qn-record-file";
constexpr int formatVersion = 1;

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

std::string_view asBytes(const std::vector<uint8_t>& v) { return {reinterpret_cast<const char*>(v.data()), v.size()}; }

}  // namespace

Status RecordFile::locate(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return isDirectory(parentOf(path)) ? status::fileNotFound : status::directoryError;
  return S_ISREG(st.st_mode) ? status::ok : status::invalidFileName;
}

Status RecordFile::open(const std::string& path, std::unique_ptr<RecordFile>& file) {
  if (Status s = locate(path); s != status::ok) return s;

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
  // A read-only file may stay in another journal mode, whose commits leave the counter alone.
  Statement mode;
  if (mode.prepare(db_.get(), "PRAGMA journal_mode") == SQLITE_OK && mode.step() == SQLITE_ROW &&
      mode.blob(0) == "delete") {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_.get(), "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK && file &&
        file->pMethods)
      databaseFile_ = file;
  }
  // Nothing of the file is mapped: a file another process cuts short under a mapping ends this
  // process with SIGBUS at the next look, where a read answers a short read and the call a status.
  return status::ok;
}

// Why a counter read here never misses a commit: in rollback-journal mode every commit of any
// connection, in any process, raises the 4-byte change counter at offset 24 of the database
// header, and writes that page into the database file before it deletes its journal, which is the
// moment the commit takes effect. So once a commit has taken effect, this read sees the raised
// counter; a reader that sees the old one is ordered before the commit. A commit that dies midway
// is rolled back from its journal, page 1 with the old counter included, and the data with it.
// SQLite itself trusts the same counter to tell whether its page cache is still current. The read
// goes through SQLite's own handle of the file, takes no lock, and so can never keep a writer
// waiting, and a descriptor of our own is never closed on the file (that would drop SQLite's locks).
// A file cut short answers a short read: no counter, so nothing is answered from a stretch.
std::optional<uint32_t> RecordFile::changeCounter() const {
  if (!readsAhead()) return std::nullopt;
  constexpr int counterOffset = 24;
  unsigned char bytes[4];
  if (databaseFile_->pMethods->xRead(databaseFile_, bytes, sizeof bytes, counterOffset) != SQLITE_OK)
    return std::nullopt;
  return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | uint32_t{bytes[3]};
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

Status RecordFile::routeThrough(Database& db, const std::string& schema) {
  statements_.clear();
  connection_ = &db;
  tables_ = Tables::inSchema(schema);
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(holdCountersKind),
      [&] { return "SELECT recordCount, nextPosition, nextStamp, layoutVersion FROM " + tables_.header + " WHERE id = 1"; },
      rc);
  if (st) {
    StatementUse use(*st);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      held_ = Counters{use->integer(0), use->integer(1), use->integer(2), {}, use->integer(1)};
      const int64_t version = use->integer(3);
      use->reset();
      return sawLayout(version);
    }
  }
  routeOwn();
  return rc == SQLITE_DONE ? status::ioError : statusOfSqlite(rc);
}

Status RecordFile::storeCounters() {
  if (!held_) return status::ok;
  int rc = SQLITE_OK;
  Statement* st = statement(
      statementId(storeCountersKind),
      [&] {
        return "UPDATE " + tables_.header + " SET recordCount = ?1, nextPosition = ?2, nextStamp = ?3 WHERE id = 1";
      },
      rc);
  if (!st) return statusOfSqlite(rc);
  StatementUse use(*st);
  use->bind(1, held_->recordCount);
  use->bind(2, held_->nextPosition);
  use->bind(3, held_->nextStamp);
  rc = use->step();
  return rc == SQLITE_DONE ? status::ok : statusOfSqlite(rc);
}

void RecordFile::keepPositionsTaken() {
  if (!held_ || held_->nextPosition == held_->firstPosition) return;
  // Stamps go along: positions of records serve as stamps when a key is added later.
  Statement raise;
  if (raise.prepare(db_.get(), "UPDATE header SET nextPosition = max(nextPosition, ?1),"
                               " nextStamp = max(nextStamp, ?2) WHERE id = 1") != SQLITE_OK)
    return;
  raise.bind(1, held_->nextPosition);
  raise.bind(2, held_->nextStamp);
  raise.step();
}

void RecordFile::routeOwn() {
  statements_.clear();
  connection_ = &db_;
  tables_ = Tables{};
  held_.reset();
}

Status RecordFile::reload() {
  statements_.clear();
  Status s = readHeader(db_.get());
  return s == status::ok ? status::layoutChanged : s;
}

Status RecordFile::sawLayout(int64_t version) { return version == layoutVersion_ ? status::ok : reload(); }

Status RecordFile::checkLayout() {
  return readRow(
      statementId(layoutKind), [&] { return "SELECT layoutVersion FROM " + tables_.header + " WHERE id = 1"; },
      noParameters, [](Statement& row) { return row.integer(0); }, status::ioError);
}

Status RecordFile::failed(int code) {
  // SQLite gave up preparing a statement again after schema changes: the keys moved.
  if ((code & 0xFF) == SQLITE_SCHEMA) return reload();
  // A statement naming a dropped key column fails to prepare again: look whether the keys moved.
  if ((code & 0xFF) == SQLITE_ERROR) {
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
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return status::invalidFileName;  // a folder is no record file
  if (exists && !replace) return status::fileExists;

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
  if (held_) {
    count = static_cast<uint32_t>(held_->recordCount);
    return status::ok;
  }
  return readRow(
      statementId(countKind),
      [&] { return "SELECT recordCount, layoutVersion FROM " + tables_.header + " WHERE id = 1"; }, noParameters,
      [&](Statement& row) {
        count = static_cast<uint32_t>(row.integer(0));
        return row.integer(1);
      },
      status::ioError);
}

std::vector<std::optional<std::string>> RecordFile::images(std::string_view record) const {
  std::vector<std::optional<std::string>> out;
  out.reserve(spec_.keys.size());
  for (const KeySpec& k : spec_.keys) out.push_back(encoding_.fromRecord(k, record));
  return out;
}

Status RecordFile::writeLayout(const FileSpec& spec) {
  Statement st;
  int rc = st.prepare(db_.get(), "UPDATE header SET keys = ?1, layoutVersion = layoutVersion + 1 WHERE id = 1");
  if (rc != SQLITE_OK) return statusOfSqlite(rc);
  st.bind(1, asBytes(storedKeys(spec)));
  rc = st.step();
  return rc == SQLITE_DONE ? status::ok : statusOfSqlite(rc);
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
