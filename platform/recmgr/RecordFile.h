#pragma once
// One record file on one SQLite connection: a header row (layout, owner, record count and the
// counters that hand out positions) and a records table (position, bytes, and per key an image
// column and an insertion stamp column, with an index per key: unique where duplicates are not
// allowed, partial where null keys stay out).
//
// Promises: a position is never 0 and never handed out twice for the file's life; within one key
// value records keep the order they were inserted or updated into it; every write is one SQLite
// transaction of its own unless the connection is already inside one, in which case it is a
// savepoint of it; a file that fails its checks on open is never written.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/recmgr/FileSpec.h"
#include "platform/recmgr/KeyEncoding.h"
#include "platform/recmgr/Sqlite.h"

namespace qn::recmgr {

struct StoredRecord {
  uint32_t position = 0;
  std::string bytes;
  std::optional<std::string> image;  // the key image in the key path read, when there is one
  int64_t stamp = 0;
};

// What a write left behind: the record's position and, per key of the file, its image and stamp.
struct WrittenRecord {
  uint32_t position = 0;
  std::vector<std::optional<std::string>> images;
  std::vector<int64_t> stamps;
};

enum class KeySeek { equal, greater, greaterOrEqual, less, lessOrEqual, first, last, next, previous };
enum class PhysicalStep { first, last, next, previous };

class RecordFile {
 public:
  // Checks the file through a read-only connection (a damaged or foreign file is answered with 2
  // or 30 and left as it is), then opens the connection the file is used through.
  static Status open(const std::string& path, std::unique_ptr<RecordFile>& file);

  // Makes a new file beside the target and moves it into place, so a failed create leaves no
  // half-made file and a replace is all or nothing. 59 when it exists and replace is false.
  static Status create(const std::string& path, const FileSpec& spec, std::string_view owner, bool replace);

  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  const std::string& path() const { return path_; }
  const FileSpec& spec() const { return spec_; }
  const std::string& owner() const { return owner_; }
  const KeyEncoding& encoding() const { return encoding_; }

  Status recordCount(uint32_t& count);

  // Inserts a record (at least the record length; longer ones are cut unless the file has
  // variable-length records). Auto-increment keys holding 0 get the greatest value + 1, written
  // into `record`.
  Status insert(std::string& record, WrittenRecord& written);
  // Replaces the record at `position`: 8 when it is gone, 10 when a non-modifiable key changes.
  Status update(uint32_t position, std::string record, WrittenRecord& written);
  Status remove(uint32_t position);

  // Reads in key order. `image` and `stamp` are the place to start from (next, previous) or the
  // value sought (equal and the comparisons); first and last ignore them.
  Status seek(const KeySpec& key, KeySeek how, std::string_view image, int64_t stamp, StoredRecord& record);
  // Reads in physical order from position `from` (next, previous).
  Status step(PhysicalStep how, uint32_t from, StoredRecord& record);
  // The record at a position, with its image and stamp in `key` when given; 43 when none is there.
  Status readAt(uint32_t position, const KeySpec* key, StoredRecord& record);

  // Problems found comparing every record with its key columns, the record count and SQLite's
  // own integrity check; empty when the file is sound.
  std::vector<std::string> check();

 private:
  explicit RecordFile(std::string path) : path_(std::move(path)), encoding_(spec_) {}

  Status readHeader(sqlite3* db);
  Status configureConnection();
  // The cached statement for `id`, prepared from `sql()` on first use.
  template <typename MakeSql>
  Statement* statement(uint32_t id, MakeSql makeSql, Status& failure);
  Status assignAutoIncrement(const KeySpec& key, std::string& record);
  std::vector<std::optional<std::string>> images(std::string_view record) const;

  std::string path_;
  Database db_;
  FileSpec spec_;
  std::string owner_;  // empty: the file has no owner
  KeyEncoding encoding_;
  std::unordered_map<uint32_t, Statement> statements_;
};

}  // namespace qn::recmgr
