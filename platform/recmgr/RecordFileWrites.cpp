// Record writes and changes of the keys.
#include <algorithm>
#include <map>
#include <set>

#include "platform/recmgr/RecordFile.h"
#include "platform/recmgr/RecordFileStatements.h"
#include "platform/recmgr/WriteScope.h"

namespace qn::recmgr {
namespace {

constexpr int64_t lastPosition = 0xFFFFFFFFll;

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

template <typename Write>
Status RecordFile::write(Write run, bool singleStatement) {
  // Held counters mean a transaction: once SQLite has ended it, a write would commit on its own.
  if (held_ && !connection_->inTransaction()) return status::operationNotAllowed;
  const std::optional<Counters> before = held_;
  const Status s = [&] {
    // With the counters held the write lock is ours, so the keys cannot have changed.
    if (held_ && singleStatement) return run();
    WriteScope scope(*connection_);
    if (scope.begun() != status::ok) return scope.begun();
    if (!held_)
      if (Status layout = checkLayout(); layout != status::ok) return layout;
    if (Status done = run(); done != status::ok) return done;
    return scope.commit();
  }();
  if (s != status::ok) held_ = before;
  return s;
}

Status RecordFile::takePosition(int64_t& position, int64_t& stamp) {
  if (held_) {
    position = held_->nextPosition++;
    stamp = held_->nextStamp++;
    ++held_->recordCount;
  } else {
    const Status s = readRow(
        statementId(takePositionKind),
        [&] {
          return "UPDATE " + tables_.header +
                 " SET recordCount = recordCount + 1, nextPosition = nextPosition + 1, nextStamp = nextStamp + 1"
                 " WHERE id = 1 RETURNING nextPosition - 1, nextStamp - 1, layoutVersion";
        },
        noParameters,
        [&](Statement& row) {
          position = row.integer(0);
          stamp = row.integer(1);
          return row.integer(2);
        },
        status::ioError);
    if (s != status::ok) return s;
  }
  return position <= 0 || position > lastPosition ? status::diskFull : status::ok;  // positions are never reused
}

Status RecordFile::takeStamp(int64_t& stamp) {
  if (held_) {
    stamp = held_->nextStamp++;
    return status::ok;
  }
  return readRow(
      statementId(takeStampKind),
      [&] {
        return "UPDATE " + tables_.header +
               " SET nextStamp = nextStamp + 1 WHERE id = 1 RETURNING nextStamp - 1, layoutVersion";
      },
      noParameters,
      [&](Statement& row) {
        stamp = row.integer(0);
        return row.integer(1);
      },
      status::ioError);
}

Status RecordFile::uncountRecord() {
  if (held_) {
    --held_->recordCount;
    held_->greatestAutoIncrement.clear();
    return status::ok;
  }
  int rc = SQLITE_OK;
  Statement* count = statement(
      statementId(dropCountKind),
      [&] { return "UPDATE " + tables_.header + " SET recordCount = recordCount - 1 WHERE id = 1"; }, rc);
  if (!count) return failed(rc);
  StatementUse use(*count);
  rc = use->step();
  return rc == SQLITE_DONE ? status::ok : failed(rc);
}

Status RecordFile::assignAutoIncrement(const KeySpec& key, std::string& record) {
  const SegmentSpec& seg = key.segments.front();
  std::map<uint16_t, int64_t>* known = held_ ? &held_->greatestAutoIncrement : nullptr;
  auto found = known ? known->find(key.column) : std::map<uint16_t, int64_t>::iterator{};
  const bool isKnown = known && found != known->end();
  if (const int64_t given = getInteger(record, seg.position - 1u, seg.length); given != 0) {
    if (isKnown) found->second = std::max(found->second, given);
    return status::ok;
  }
  int64_t greatest = 0;
  if (isKnown) {
    greatest = found->second;
  } else {
    int rc = SQLITE_OK;
    Statement* st =
        statement(statementId(maxImageKind, key.column), [&] { return greatestImageSql(tables_, key); }, rc);
    if (!st) return failed(rc);
    StatementUse use(*st);
    rc = use->step();
    if (rc == SQLITE_ROW) {
      greatest = std::max<int64_t>(0, KeyEncoding::integerFromImage(seg, use->blob(0)));
    } else if (rc != SQLITE_DONE) {
      return statusOfSqlite(rc);
    }
  }
  const int64_t limit = seg.length == 8 ? INT64_MAX : (int64_t{1} << (8 * seg.length - 1)) - 1;
  if (greatest >= limit) return status::duplicateKey;  // the counter has run out of values
  putInteger(record, seg.position - 1u, seg.length, greatest + 1);
  if (known) (*known)[key.column] = greatest + 1;
  return status::ok;
}

Status RecordFile::insert(std::string& record, WrittenRecord& written) {
  return write([&] { return insertOne(record, written); }, true);
}

Status RecordFile::insertAll(std::vector<std::string>& records) {
  return write(
      [&] {
        WrittenRecord written;
        for (std::string& record : records)
          if (Status s = insertOne(record, written); s != status::ok) return s;
        return status::ok;
      },
      false);
}

Status RecordFile::insertOne(std::string& record, WrittenRecord& written) {
  if (!spec_.variableLength()) record.resize(spec_.recordLength);
  for (const KeySpec& k : spec_.keys)
    if (k.autoIncrement())
      if (Status s = assignAutoIncrement(k, record); s != status::ok) return s;

  int64_t position = 0, stamp = 0;
  if (Status s = takePosition(position, stamp); s != status::ok) return s;
  int rc = SQLITE_OK;
  Statement* ins = statement(statementId(insertKind), [&] { return insertSql(tables_, spec_); }, rc);
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
  return rc == SQLITE_DONE ? status::ok : failed(rc);
}

Status RecordFile::update(uint32_t position, std::string record, WrittenRecord& written) {
  return write([&] { return updateOne(position, record, written); }, true);
}

Status RecordFile::updateOne(uint32_t position, std::string& record, WrittenRecord& written) {
  if (!spec_.variableLength()) record.resize(spec_.recordLength);
  int rc = SQLITE_OK;
  Statement* select = statement(
      statementId(selectForUpdateKind),
      [&] { return "SELECT position" + keyColumns(spec_) + " FROM " + tables_.records + " WHERE position = ?1"; }, rc);
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
    if (held_ && spec_.keys[i].autoIncrement()) held_->greatestAutoIncrement.erase(spec_.keys[i].column);
    moved = true;
  }
  if (moved) {
    // A record moved into a key value goes after the duplicates already there.
    int64_t stamp = 0;
    if (Status s = takeStamp(stamp); s != status::ok) return s;
    for (size_t i = 0; i < spec_.keys.size(); ++i)
      if (written.images[i] != oldImages[i]) stamps[i] = stamp;
  }
  written.stamps = stamps;

  Statement* upd = statement(statementId(updateKind), [&] { return updateSql(tables_, spec_); }, rc);
  if (!upd) return failed(rc);
  StatementUse use(*upd);
  use->bind(1, position);
  use->bind(2, record);
  for (size_t i = 0; i < spec_.keys.size(); ++i) {
    bindImage(*use, static_cast<int>(3 + 2 * i), written.images[i]);
    use->bind(static_cast<int>(4 + 2 * i), stamps[i]);
  }
  rc = use->step();
  return rc == SQLITE_DONE ? status::ok : failed(rc);
}

Status RecordFile::remove(uint32_t position) {
  return write(
      [&] {
        int rc = SQLITE_OK;
        Statement* del = statement(
            statementId(deleteKind), [&] { return "DELETE FROM " + tables_.records + " WHERE position = ?1"; }, rc);
        if (!del) return failed(rc);
        {
          StatementUse use(*del);
          use->bind(1, position);
          rc = use->step();
          if (rc != SQLITE_DONE) return failed(rc);
          if (sqlite3_changes(connection_->get()) == 0) return status::invalidPositioning;
        }
        return uncountRecord();
      },
      true);
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
  // A column number is never used twice: a handle may still remember its place by a dropped key's.
  int64_t dropped = 0;
  if (Status s = droppedColumns(dropped); s != status::ok) return s;
  const int64_t highest = std::max<int64_t>(dropped, columns.empty() ? 0 : *columns.rbegin());
  if (highest >= 0xFFFF) return status::invalidKeyDefinition;
  key.column = static_cast<uint16_t>(highest + 1);
  for (SegmentSpec& s : segments) {
    s.keyNumber = key.number;
    s.column = key.column;
    s.uniqueValues = 0;
  }
  key.segments = std::move(segments);
  next.keys.push_back(key);
  std::sort(next.keys.begin(), next.keys.end(), [](const KeySpec& a, const KeySpec& b) { return a.number < b.number; });
  if (Status s = validate(next); s != status::ok) return s;

  int rc = db_.exec(("ALTER TABLE records ADD COLUMN " + imageColumn(key) + " BLOB; ALTER TABLE records ADD COLUMN " +
                     stampColumn(key) + " INTEGER")
                        .c_str());
  if (rc != SQLITE_OK) return statusOfSqlite(rc);
  {
    // Records already there keep their physical order among duplicates: their positions serve as
    // stamps, all below the stamps still to come.
    Statement read, write;
    rc = read.prepare(db_.get(), "SELECT position, bytes FROM records");
    if (rc == SQLITE_OK)
      rc = write.prepare(db_.get(), "UPDATE records SET " + imageColumn(key) + " = ?2, " + stampColumn(key) +
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
  if ((rc = db_.exec(indexSql(key).c_str())) != SQLITE_OK) return statusOfSqlite(rc);
  if (Status s = writeLayout(next); s != status::ok) return s;
  if (Status s = scope.commit(); s != status::ok) return s;
  const Status reloaded = reload();
  return reloaded == status::layoutChanged ? status::ok : reloaded;
}

Status RecordFile::droppedColumns(int64_t& highest) {
  Statement st;
  int rc = st.prepare(db_.get(), "PRAGMA user_version");
  if (rc == SQLITE_OK) rc = st.step();
  if (rc != SQLITE_ROW) return statusOfSqlite(rc);
  highest = st.integer(0);
  return status::ok;
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
  int64_t dropped = 0;
  if (Status s = droppedColumns(dropped); s != status::ok) return s;
  int rc = db_.exec(("DROP INDEX " + indexName(*key) + "; ALTER TABLE records DROP COLUMN " + imageColumn(*key) +
                     "; ALTER TABLE records DROP COLUMN " + stampColumn(*key) +
                     "; PRAGMA user_version = " + std::to_string(std::max<int64_t>(dropped, key->column)))
                        .c_str());
  if (rc != SQLITE_OK) return statusOfSqlite(rc);
  if (Status s = writeLayout(next); s != status::ok) return s;
  if (Status s = scope.commit(); s != status::ok) return s;
  const Status reloaded = reload();
  return reloaded == status::layoutChanged ? status::ok : reloaded;
}

}  // namespace qn::recmgr
