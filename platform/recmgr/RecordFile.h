#pragma once
// One record file on one SQLite connection: a header row (layout, owner, record count, the
// counters that hand out positions, and a layout version that every change of the keys raises)
// and a records table (position, bytes, and per key an image column and an insertion stamp
// column, with an index per key: unique where duplicates are not allowed, partial where null
// keys stay out). SQLite's user version holds the highest key column ever dropped, so no column
// number names two keys in the file's life.
//
// Promises: a position is never 0 and never handed out twice for the file's life; within one key
// value records keep the order they were inserted or updated into it; every write is one SQLite
// transaction of its own unless it runs inside a transaction's, where a failed write leaves no
// trace and the transaction alive; a file that fails its checks on open is never written. When another
// connection changed the keys, an operation answers status::layoutChanged having read the new
// layout, and has changed nothing.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/recmgr/FileSpec.h"
#include "platform/recmgr/KeyEncoding.h"
#include "platform/recmgr/RecordFileSql.h"
#include "platform/recmgr/Sqlite.h"

namespace qn::recmgr {

struct StoredRecord {
  uint32_t position = 0;
  std::string bytes;
  std::optional<std::string> image;  // the key image in the key path read, when there is one
  int64_t stamp = 0;
};

// Records of a walk read by one statement, in the order of the walk, and the file's change
// counter as it stood while they were read (none when it could not be read). A batch stops at
// its limit of records or once it holds readAheadBytes of them, whichever comes first.
inline constexpr size_t readAheadBytes = 256 * 1024;
struct ReadBatch {
  std::vector<StoredRecord> records;
  std::optional<uint32_t> changeCounter;
  bool reachesEnd = false;  // the walk has no records beyond these
};

// What a write left behind: the record's position and, per key of the file, its image and stamp.
struct WrittenRecord {
  uint32_t position = 0;
  std::vector<std::optional<std::string>> images;
  std::vector<int64_t> stamps;
};

class RecordFile {
 public:
  // Checks the file through a read-only connection (a damaged or foreign file is answered with 2
  // or 30 and left as it is), then opens the connection the file is used through.
  static Status open(const std::string& path, std::unique_ptr<RecordFile>& file);
  // Whether a file stands at `path` to be opened: 12 when none, 35 when its folder is missing,
  // 11 when it is no plain file.
  static Status locate(const std::string& path);

  // Makes a new file beside the target and moves it into place, so a failed create leaves no
  // half-made file and a replace is all or nothing. 59 when it exists and replace is false.
  static Status create(const std::string& path, const FileSpec& spec, std::string_view owner, bool replace);

  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  const std::string& path() const { return path_; }
  const FileSpec& spec() const { return spec_; }
  const std::string& owner() const { return owner_; }
  const KeyEncoding& encoding() const { return encoding_; }
  // The connection statements run on, for the caller's choice of how long to wait on a lock.
  sqlite3* connection() const { return connection_->get(); }
  // Once a transaction's connection `db` holds the file's write lock, where the file is the
  // database `schema`: record reads and writes run there, and the header's counters are read once
  // and kept here (nobody else can change them now) until storeCounters writes them back for the
  // commit. Answers layoutChanged, routed all the same, when the keys changed since they were read.
  // routeOwn sends reads and writes back to the file's own connection and forgets the counters.
  // Changes of the keys always use the file's own connection.
  Status routeThrough(Database& db, const std::string& schema);
  Status storeCounters();
  // After a transaction that did not commit, before routeOwn: the positions it handed out stay
  // taken in the header, so a bookmark of a record it inserted never finds another record. Best
  // effort: nothing is answered.
  void keepPositionsTaken();
  void routeOwn();

  // The record count kept in the header (and the layout brought up to date).
  Status recordCount(uint32_t& count);

  // Inserts a record (at least the record length; longer ones are cut unless the file has
  // variable-length records). Auto-increment keys holding 0 get the greatest value + 1, written
  // into `record`.
  Status insert(std::string& record, WrittenRecord& written);
  // Inserts all records or none; the auto-increment fields are filled in.
  Status insertAll(std::vector<std::string>& records);
  // Replaces the record at `position`: 8 when it is gone, 10 when a non-modifiable key changes.
  Status update(uint32_t position, std::string record, WrittenRecord& written);
  Status remove(uint32_t position);

  // Adds a key made of `segments`: number `number` when given (29 when taken), else the lowest
  // free one. 5 when existing records repeat a value of a unique key, 29 for a bad definition.
  Status addKey(std::vector<SegmentSpec> segments, std::optional<uint8_t> number);
  // Removes key `number` (6 when there is none); the keys above it move down one number.
  Status dropKey(uint8_t number);

  // Reads in key order. `image` and `stamp` are the place to start from (next, previous) or the
  // value sought (equal and the comparisons); first and last ignore them.
  Status seek(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp, StoredRecord& record);
  // Reads in physical order from position `from` (next, previous).
  Status step(PhysicalStep how, uint32_t from, StoredRecord& record);
  // Up to `limit` records of a walk from a place in key path `key` (next, previous) or from a
  // position in physical order, read by one statement into `batch`; 9 when there are none.
  Status seekAhead(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp, uint32_t limit,
                   ReadBatch& batch);
  Status stepAhead(PhysicalStep how, uint32_t from, uint32_t limit, ReadBatch& batch);
  // A key search that reads the neighbours of its place along, both ways, as the file stood at one
  // moment (one read transaction, so one shared lock and one look at the header): up to
  // `fromLimit` (at least 1) records from the first at or after `image` into `from`, and up to
  // `beforeLimit` before it, nearest first, into `before`. 9 when nothing lies at or after
  // `image`. Only while readsAhead().
  Status searchAround(const KeySpec& key, std::string_view image, uint32_t beforeLimit, uint32_t fromLimit,
                      ReadBatch& from, ReadBatch& before);
  // Whether reads run on the file's own connection, whose commits the change counter shows (not
  // while a transaction routes them: its uncommitted changes raise no counter).
  bool readsAhead() const { return connection_ == &db_ && databaseFile_; }
  // SQLite's change counter in the database header, read from the file itself without a lock;
  // none while reads cannot be read ahead or the header cannot be read.
  std::optional<uint32_t> changeCounter() const;
  // The record at a position, with its image and stamp in `key` when given; 43 when none is there.
  Status readAt(uint32_t position, const KeySpec* key, StoredRecord& record);

  // Ranks (0-based) in key path `key`, or in physical order without one: the number of entries,
  // the record at a rank, and the rank of a place (image and stamp, or a position).
  Status count(const KeySpec* key, uint32_t& entries);
  Status readAtRank(const KeySpec* key, uint32_t rank, StoredRecord& record);
  Status rankOf(const KeySpec& key, std::string_view image, int64_t stamp, uint32_t& rank);
  Status rankOf(uint32_t position, uint32_t& rank);

  // Problems found comparing every record with its key columns, the record count and SQLite's
  // own integrity check; empty when the file is sound.
  std::vector<std::string> check();

 private:
  explicit RecordFile(std::string path) : path_(std::move(path)), encoding_(spec_) {}

  // The header's counters, while a transaction holds them, and the greatest value of each
  // auto-increment key (by column) once looked up: an insert raises it, an update or a delete
  // that could lower it forgets it.
  struct Counters {
    int64_t recordCount = 0;
    int64_t nextPosition = 1;
    int64_t nextStamp = 1;
    std::map<uint16_t, int64_t> greatestAutoIncrement;
    int64_t firstPosition = 1;  // nextPosition when the transaction took the counters
  };

  Status readHeader(sqlite3* db);
  Status configureConnection();
  // The cached statement for `id`, prepared from `makeSql()` on first use.
  template <typename MakeSql>
  Statement* statement(uint32_t id, MakeSql makeSql, int& failure);
  // The layout version a statement saw: the same as ours, or the layout is read again.
  Status sawLayout(int64_t version);
  // Inside a write: the header's layout version against ours.
  Status checkLayout();
  // A failed statement: when the keys changed under us, the new layout; else the status.
  Status failed(int code);
  Status reload();
  // Runs one record write: atomic on its own, and inside a transaction undone whole (counters
  // included) when it fails. A write of `singleStatement` (one changing statement) needs no
  // savepoint inside a transaction: SQLite undoes a failed statement by itself.
  template <typename Write>
  Status write(Write run, bool singleStatement);
  // The header's counters as writes change them: from the held ones inside a transaction, else
  // in the header itself. An insert takes a position and a stamp and counts the record; a record
  // moving into a key value takes a stamp; a delete uncounts.
  Status takePosition(int64_t& position, int64_t& stamp);
  Status takeStamp(int64_t& stamp);
  Status uncountRecord();
  Status assignAutoIncrement(const KeySpec& key, std::string& record);
  Status insertOne(std::string& record, WrittenRecord& written);
  Status updateOne(uint32_t position, std::string& record, WrittenRecord& written);
  Status writeLayout(const FileSpec& spec);
  // The highest key column ever dropped (kept in SQLite's user version; 0 when none was).
  Status droppedColumns(int64_t& highest);
  std::vector<std::optional<std::string>> images(std::string_view record) const;
  // Runs the cached read `id` (SQL from makeSql, parameters set by bind) for at most one row,
  // which `take` reads, answering the layout version the row holds; `none` without a row.
  template <typename MakeSql, typename Bind, typename Take>
  Status readRow(uint32_t id, MakeSql makeSql, Bind bind, Take take, Status none);
  // Runs the cached read `id` for up to `limit` rows (parameter readAheadLimit) into `batch`.
  template <typename MakeSql, typename Bind>
  Status readRows(uint32_t id, MakeSql makeSql, Bind bind, uint32_t limit, ReadBatch& batch);
  // Runs `reads` inside one read transaction of the file's own connection.
  template <typename Reads>
  Status readTogether(Reads reads);
  // A row of position, bytes, image, stamp and layout version into `record`.
  static int64_t takeRecord(Statement& row, StoredRecord& record);

  std::string path_;
  Database db_;
  Database* connection_ = &db_;
  sqlite3_file* databaseFile_ = nullptr;  // of db_, in rollback-journal mode: where the counter is read
  Tables tables_;
  std::optional<Counters> held_;
  FileSpec spec_;
  std::string owner_;  // empty: the file has no owner
  int64_t layoutVersion_ = 0;
  KeyEncoding encoding_;
  std::unordered_map<uint32_t, Statement> statements_;
};

}  // namespace qn::recmgr
