// The record manager through BTRCALL against SQLite used directly for the same work on files of
// 100,000 records with the same indexes: reads as one prepared-statement execution per operation
// in autocommit (get equal; walks by key both ways and in physical order), inserts inside one
// transaction on both sides, and a stepping SQLite cursor over the key path as the ceiling. Under
// sharing: two clients taking turns reading and writing one file, durable single inserts, and
// small transactions over two files, each against SQLite doing the same with two connections, in
// autocommit, and over an attached file. Prints "ratio <case> <btrcall / sqlite>" and
// "ceiling <case> <btrcall / stepping cursor>" after the table.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/os/ExecutablePath.h"
#include "platform/recmgr/RecordFile.h"
#include "testing/RatioReporter.h"

namespace {

using namespace qn::recmgr;

constexpr int recordCount = 100000;
constexpr int insertBatch = 10000;
constexpr uint16_t recordLength = 100;
constexpr size_t nameOffset = 4, nameLength = 20;

using BtrCall = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t);
using BtrCallId = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t, const uint8_t*);

struct Setup {
  std::string folder;
  std::string recordFile, sqliteFile;
  std::string secondRecordFile, secondSqliteFile;  // empty, for transactions over two files
  std::vector<std::string> names;  // every name in the files, in random order
  BtrCall btrcall = nullptr;
  BtrCallId btrcallId = nullptr;
};


std::string nameOf(int i) {
  char name[nameLength + 1];
  const unsigned n = static_cast<unsigned>(i);
  std::snprintf(name, sizeof name, "name%08u%08u", n * 7919u % recordCount, n % 100000000u);
  return std::string(name, nameLength);
}

std::string makeRecord(int i) {
  std::string r(recordLength, '.');
  std::memset(r.data(), 0, 4);  // auto-increment: assigned on insert
  r.replace(nameOffset, nameLength, nameOf(i));
  return r;
}

void check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// The same table shape SQLite-side: a key column per key, the same two indexes.
void makeSqliteFile(const std::string& path, int records = recordCount) {
  sqlite3* db = nullptr;
  check(sqlite3_open(path.c_str(), &db), db, "open");
  check(sqlite3_exec(db,
                     "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;"
                     "CREATE TABLE records(position INTEGER PRIMARY KEY, bytes BLOB NOT NULL, k1 BLOB, k2 BLOB);"
                     "CREATE UNIQUE INDEX key1 ON records(k1); CREATE INDEX key2 ON records(k2, position);"
                     "BEGIN",
                     nullptr, nullptr, nullptr),
        db, "schema");
  sqlite3_stmt* insert = nullptr;
  check(sqlite3_prepare_v2(db, "INSERT INTO records(position, bytes, k1, k2) VALUES(?1, ?2, ?1, ?3)", -1, &insert,
                           nullptr),
        db, "prepare");
  for (int i = 1; i <= records; ++i) {
    std::string r = makeRecord(i);
    sqlite3_bind_int64(insert, 1, i);
    sqlite3_bind_blob(insert, 2, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(insert, 3, r.data() + nameOffset, nameLength, SQLITE_TRANSIENT);
    check(sqlite3_step(insert), db, "insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
  sqlite3_close(db);
}

void makeRecordFile(const std::string& path, int count = recordCount) {
  FileSpec spec;
  std::vector<uint8_t> bytes(16 + 32, 0);
  auto put16 = [&](size_t at, uint16_t v) {
    bytes[at] = static_cast<uint8_t>(v);
    bytes[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put16(0, recordLength);
  put16(2, 4096);
  put16(4, 2);
  put16(16, 1), put16(18, 4), put16(20, 0x100), bytes[26] = 15;                     // key 0: auto-increment
  put16(32, nameOffset + 1), put16(34, nameLength), put16(36, 0x100 | 0x01 | 0x02);  // key 1: name, duplicates
  if (parseCreateSpecification(bytes.data(), bytes.size(), spec) != status::ok ||
      RecordFile::create(path, spec, "", true) != status::ok)
    throw std::runtime_error("cannot create " + path);
  std::unique_ptr<RecordFile> file;
  if (RecordFile::open(path, file) != status::ok) throw std::runtime_error("cannot open " + path);
  std::vector<std::string> records;
  for (int i = 1; i <= count; ++i) records.push_back(makeRecord(i));
  if (file->insertAll(records) != status::ok) throw std::runtime_error("cannot fill " + path);
}

Setup& setup() {
  static Setup s = [] {
    Setup made;
    made.folder = std::filesystem::temp_directory_path() / ("recmgr_bench." + std::to_string(::getpid()));
    std::filesystem::create_directories(made.folder);
    made.recordFile = made.folder + "/bench.qf";
    made.sqliteFile = made.folder + "/bench.db";
    made.secondRecordFile = made.folder + "/second.qf";
    made.secondSqliteFile = made.folder + "/second.db";
    makeRecordFile(made.recordFile);
    makeSqliteFile(made.sqliteFile);
    makeRecordFile(made.secondRecordFile, 0);
    makeSqliteFile(made.secondSqliteFile, 0);
    for (int i = 1; i <= recordCount; ++i) made.names.push_back(nameOf(i));
    std::shuffle(made.names.begin(), made.names.end(), std::mt19937(7));
    const std::string library = qn::os::runningProgramFolder() + "/libwbtrv32.so";
    void* handle = ::dlopen(library.c_str(), RTLD_NOW);
    if (!handle) throw std::runtime_error("cannot load " + library);
    made.btrcall = reinterpret_cast<BtrCall>(::dlsym(handle, "BTRCALL"));
    made.btrcallId = reinterpret_cast<BtrCallId>(::dlsym(handle, "BTRCALLID"));
    return made;
  }();
  return s;
}

// An open record file through BTRCALL.
struct BtrFile {
  explicit BtrFile(const std::string& path) : call(setup().btrcall) {
    std::string name = path + '\0';
    uint16_t length = 0;
    if (call(0, block, nullptr, &length, name.data(), 255, 0) != 0) throw std::runtime_error("open " + path);
  }
  ~BtrFile() {
    uint16_t length = 0;
    call(1, block, nullptr, &length, nullptr, 255, 0);
  }
  int16_t operator()(uint16_t op, std::string& data, char* key, int8_t keyNumber) {
    uint16_t length = static_cast<uint16_t>(data.size());
    return call(op, block, data.data(), &length, key, 255, keyNumber);
  }
  BtrCall call;
  uint8_t block[128] = {};
};


// An open record file through BTRCALLID, for a client of its own.
struct ClientFile {
  ClientFile(const std::string& path, uint8_t client) : call(setup().btrcallId) {
    id[0] = client;
    std::string name = path + '\0';
    uint16_t length = 0;
    if (call(0, block, nullptr, &length, name.data(), 255, 0, id) != 0) throw std::runtime_error("open " + path);
  }
  ~ClientFile() {
    uint16_t length = 0;
    call(1, block, nullptr, &length, nullptr, 255, 0, id);
  }
  int16_t operator()(uint16_t op, std::string& data, char* key, int8_t keyNumber) {
    uint16_t length = static_cast<uint16_t>(data.size());
    return call(op, block, data.data(), &length, key, 255, keyNumber, id);
  }
  BtrCallId call;
  uint8_t id[16] = {};
  uint8_t block[128] = {};
};

struct SqliteFile {
  explicit SqliteFile(const std::string& path) {
    check(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), db, "open");
    check(sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_spill=OFF", nullptr,
                       nullptr, nullptr),
          db, "pragmas");
  }
  ~SqliteFile() {
    for (sqlite3_stmt* s : statements) sqlite3_finalize(s);
    sqlite3_close(db);
  }
  sqlite3_stmt* prepare(const char* sql) {
    sqlite3_stmt* s = nullptr;
    check(sqlite3_prepare_v2(db, sql, -1, &s, nullptr), db, sql);
    statements.push_back(s);
    return s;
  }
  sqlite3* db = nullptr;
  std::vector<sqlite3_stmt*> statements;
};

void BM_GetEqual_Btrcall(benchmark::State& state) {
  BtrFile file(setup().recordFile);
  std::string data(recordLength, '\0');
  char key[256] = {};
  size_t i = 0;
  for (auto _ : state) {
    const std::string& name = setup().names[i++ % setup().names.size()];
    std::memcpy(key, name.data(), nameLength);
    if (file(5, data, key, 1) != 0) state.SkipWithError("get equal failed");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GetEqual_Sqlite(benchmark::State& state) {
  SqliteFile file(setup().sqliteFile);
  sqlite3_stmt* st = file.prepare("SELECT bytes, k2, position FROM records WHERE k2 = ?1 ORDER BY k2, position LIMIT 1");
  std::string data(recordLength, '\0');
  size_t i = 0;
  for (auto _ : state) {
    const std::string& name = setup().names[i++ % setup().names.size()];
    sqlite3_bind_blob(st, 1, name.data(), nameLength, SQLITE_STATIC);
    if (sqlite3_step(st) != SQLITE_ROW) state.SkipWithError("select failed");
    std::memcpy(data.data(), sqlite3_column_blob(st, 0), recordLength);
    sqlite3_reset(st);
  }
  state.SetItemsProcessed(state.iterations());
}

// A walk in one direction, started again at its end: key order through key path 1 (get next 6
// or previous 7, from get first 12 or last 13), or physical order (step next 24 from step first 33).
void walkBtrcall(benchmark::State& state, uint16_t step, uint16_t start, int8_t keyNumber) {
  BtrFile file(setup().recordFile);
  std::string data(recordLength, '\0');
  char key[256] = {};
  file(start, data, key, keyNumber);
  for (auto _ : state) {
    if (file(step, data, key, keyNumber) == 9) file(start, data, key, keyNumber);
  }
  state.SetItemsProcessed(state.iterations());
}

// The same walk through SQLite, one prepared statement per read from the place of the last one.
void walkSqlite(benchmark::State& state, const char* firstSql, const char* nextSql, bool keyed) {
  SqliteFile file(setup().sqliteFile);
  sqlite3_stmt* first = file.prepare(firstSql);
  sqlite3_stmt* next = file.prepare(nextSql);
  std::string data(recordLength, '\0');
  std::string name(nameLength, '\0');
  int64_t position = 0;
  auto take = [&](sqlite3_stmt* st) {
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) {
      std::memcpy(data.data(), sqlite3_column_blob(st, 0), recordLength);
      std::memcpy(name.data(), sqlite3_column_blob(st, 1), nameLength);
      position = sqlite3_column_int64(st, 2);
    }
    sqlite3_reset(st);
    return rc;
  };
  take(first);
  for (auto _ : state) {
    if (keyed) {
      sqlite3_bind_blob(next, 1, name.data(), nameLength, SQLITE_TRANSIENT);
      sqlite3_bind_int64(next, 2, position);
    } else {
      sqlite3_bind_int64(next, 1, position);
    }
    if (take(next) != SQLITE_ROW) take(first);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GetNext_Btrcall(benchmark::State& state) { walkBtrcall(state, 6, 12, 1); }
void BM_GetNext_Sqlite(benchmark::State& state) {
  walkSqlite(state, "SELECT bytes, k2, position FROM records ORDER BY k2, position LIMIT 1",
             "SELECT bytes, k2, position FROM records WHERE (k2, position) > (?1, ?2) ORDER BY k2, position LIMIT 1",
             true);
}
void BM_GetPrev_Btrcall(benchmark::State& state) { walkBtrcall(state, 7, 13, 1); }
void BM_GetPrev_Sqlite(benchmark::State& state) {
  walkSqlite(state, "SELECT bytes, k2, position FROM records ORDER BY k2 DESC, position DESC LIMIT 1",
             "SELECT bytes, k2, position FROM records WHERE (k2, position) < (?1, ?2)"
             " ORDER BY k2 DESC, position DESC LIMIT 1",
             true);
}
void BM_StepNext_Btrcall(benchmark::State& state) { walkBtrcall(state, 24, 33, 0); }
void BM_StepNext_Sqlite(benchmark::State& state) {
  walkSqlite(state, "SELECT bytes, k2, position FROM records ORDER BY position LIMIT 1",
             "SELECT bytes, k2, position FROM records WHERE position > ?1 ORDER BY position LIMIT 1", false);
}

void BM_GetNext_Cursor(benchmark::State& state) {
  SqliteFile file(setup().sqliteFile);
  sqlite3_stmt* all = file.prepare("SELECT bytes FROM records ORDER BY k2, position");
  std::string data(recordLength, '\0');
  for (auto _ : state) {
    if (sqlite3_step(all) != SQLITE_ROW) {
      sqlite3_reset(all);
      sqlite3_step(all);
    }
    std::memcpy(data.data(), sqlite3_column_blob(all, 0), recordLength);
  }
  sqlite3_reset(all);
  state.SetItemsProcessed(state.iterations());
}

void BM_Insert_Btrcall(benchmark::State& state) {
  BtrFile file(setup().recordFile);
  char key[256] = {};
  std::string none;
  int next = recordCount;
  for (auto _ : state) {
    if (file(19, none, key, 0) != 0) {
      state.SkipWithError("begin transaction failed");
      break;
    }
    for (int i = 0; i < insertBatch; ++i) {
      std::string r = makeRecord(++next);
      if (file(2, r, key, 0) != 0) state.SkipWithError("insert failed");
    }
    if (file(20, none, key, 0) != 0) state.SkipWithError("end transaction failed");
  }
  state.SetItemsProcessed(state.iterations() * insertBatch);
}

void BM_Insert_Sqlite(benchmark::State& state) {
  SqliteFile file(setup().sqliteFile);
  sqlite3_stmt* insert = file.prepare("INSERT INTO records(position, bytes, k1, k2) VALUES(?1, ?2, ?1, ?3)");
  int64_t next = recordCount * 10;
  for (auto _ : state) {
    sqlite3_exec(file.db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < insertBatch; ++i) {
      std::string r = makeRecord(static_cast<int>(++next % recordCount));
      sqlite3_bind_int64(insert, 1, next);
      sqlite3_bind_blob(insert, 2, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
      sqlite3_bind_blob(insert, 3, r.data() + nameOffset, nameLength, SQLITE_TRANSIENT);
      if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("insert failed");
      sqlite3_reset(insert);
    }
    sqlite3_exec(file.db, "COMMIT", nullptr, nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * insertBatch);
}

// Two clients taking turns on one file: each reads a record by its name and writes it back
// changed, every write durable on its own.
void BM_Alternating_Btrcall(benchmark::State& state) {
  ClientFile first(setup().recordFile, 1), second(setup().recordFile, 2);
  ClientFile* clients[] = {&first, &second};
  std::string data(recordLength, '\0');
  char key[256] = {};
  size_t i = 0;
  for (auto _ : state) {
    ClientFile& client = *clients[i % 2];
    const std::string& name = setup().names[i++ % setup().names.size()];
    std::memcpy(key, name.data(), nameLength);
    if (client(5, data, key, 1) != 0) state.SkipWithError("get equal failed");
    data[recordLength - 1] ^= 1;
    if (client(3, data, key, 1) != 0) state.SkipWithError("update failed");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Alternating_Sqlite(benchmark::State& state) {
  SqliteFile first(setup().sqliteFile), second(setup().sqliteFile);
  struct Connection {
    sqlite3_stmt* read;
    sqlite3_stmt* write;
  };
  const char* readSql = "SELECT bytes, position FROM records WHERE k2 = ?1 ORDER BY k2, position LIMIT 1";
  const char* writeSql = "UPDATE records SET bytes = ?2 WHERE position = ?1";
  Connection connections[] = {{first.prepare(readSql), first.prepare(writeSql)},
                              {second.prepare(readSql), second.prepare(writeSql)}};
  std::string data(recordLength, '\0');
  size_t i = 0;
  for (auto _ : state) {
    Connection& c = connections[i % 2];
    const std::string& name = setup().names[i++ % setup().names.size()];
    sqlite3_bind_blob(c.read, 1, name.data(), nameLength, SQLITE_STATIC);
    if (sqlite3_step(c.read) != SQLITE_ROW) state.SkipWithError("select failed");
    std::memcpy(data.data(), sqlite3_column_blob(c.read, 0), recordLength);
    const int64_t position = sqlite3_column_int64(c.read, 1);
    sqlite3_reset(c.read);
    data[recordLength - 1] ^= 1;
    sqlite3_bind_int64(c.write, 1, position);
    sqlite3_bind_blob(c.write, 2, data.data(), recordLength, SQLITE_STATIC);
    if (sqlite3_step(c.write) != SQLITE_DONE) state.SkipWithError("update failed");
    sqlite3_reset(c.write);
  }
  state.SetItemsProcessed(state.iterations());
}

// One insert, committed durably on its own.
void BM_DurableInsert_Btrcall(benchmark::State& state) {
  BtrFile file(setup().recordFile);
  char key[256] = {};
  int next = recordCount * 3;
  for (auto _ : state) {
    std::string r = makeRecord(++next);
    if (file(2, r, key, 0) != 0) state.SkipWithError("insert failed");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_DurableInsert_Sqlite(benchmark::State& state) {
  SqliteFile file(setup().sqliteFile);
  sqlite3_stmt* insert = file.prepare("INSERT INTO records(position, bytes, k1, k2) VALUES(?1, ?2, ?1, ?3)");
  static int64_t next = recordCount * 20;  // the library runs a case several times
  for (auto _ : state) {
    std::string r = makeRecord(static_cast<int>(++next % recordCount));
    sqlite3_bind_int64(insert, 1, next);
    sqlite3_bind_blob(insert, 2, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(insert, 3, r.data() + nameOffset, nameLength, SQLITE_TRANSIENT);
    if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("insert failed");
    sqlite3_reset(insert);
  }
  state.SetItemsProcessed(state.iterations());
}

// A transaction inserting one record into each of two files: the commit across files.
void BM_TwoFileTransaction_Btrcall(benchmark::State& state) {
  BtrFile first(setup().recordFile), second(setup().secondRecordFile);
  char key[256] = {};
  std::string none;
  int next = recordCount * 4;
  for (auto _ : state) {
    std::string a = makeRecord(++next), b = makeRecord(next);
    if (first(19, none, key, 0) != 0 || first(2, a, key, 0) != 0 || second(2, b, key, 0) != 0 ||
        first(20, none, key, 0) != 0)
      state.SkipWithError("transaction failed");
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_TwoFileTransaction_Sqlite(benchmark::State& state) {
  SqliteFile file(setup().sqliteFile);
  const std::string attach = "ATTACH DATABASE '" + setup().secondSqliteFile + "' AS second";
  check(sqlite3_exec(file.db, attach.c_str(), nullptr, nullptr, nullptr), file.db, "attach");
  sqlite3_stmt* inserts[] = {
      file.prepare("INSERT INTO main.records(position, bytes, k1, k2) VALUES(?1, ?2, ?1, ?3)"),
      file.prepare("INSERT INTO second.records(position, bytes, k1, k2) VALUES(?1, ?2, ?1, ?3)")};
  static int64_t next = recordCount * 30;
  for (auto _ : state) {
    sqlite3_exec(file.db, "BEGIN", nullptr, nullptr, nullptr);
    std::string r = makeRecord(static_cast<int>(++next % recordCount));
    for (sqlite3_stmt* insert : inserts) {
      sqlite3_bind_int64(insert, 1, next);
      sqlite3_bind_blob(insert, 2, r.data(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
      sqlite3_bind_blob(insert, 3, r.data() + nameOffset, nameLength, SQLITE_TRANSIENT);
      if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError("insert failed");
      sqlite3_reset(insert);
    }
    if (sqlite3_exec(file.db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) state.SkipWithError("commit failed");
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_GetEqual_Btrcall);
BENCHMARK(BM_GetEqual_Sqlite);
BENCHMARK(BM_GetNext_Btrcall);
BENCHMARK(BM_GetNext_Sqlite);
BENCHMARK(BM_GetNext_Cursor);
BENCHMARK(BM_GetPrev_Btrcall);
BENCHMARK(BM_GetPrev_Sqlite);
BENCHMARK(BM_StepNext_Btrcall);
BENCHMARK(BM_StepNext_Sqlite);
BENCHMARK(BM_Insert_Btrcall)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Insert_Sqlite)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Alternating_Btrcall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Alternating_Sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DurableInsert_Btrcall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DurableInsert_Sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoFileTransaction_Btrcall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TwoFileTransaction_Sqlite)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qn::testing::RatioReporter reporter;
  setup();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("ratio", "get_equal", "BM_GetEqual_Btrcall", "BM_GetEqual_Sqlite");
  reporter.printRatio("ratio", "get_next", "BM_GetNext_Btrcall", "BM_GetNext_Sqlite");
  reporter.printRatio("ratio", "get_prev", "BM_GetPrev_Btrcall", "BM_GetPrev_Sqlite");
  reporter.printRatio("ratio", "step_next", "BM_StepNext_Btrcall", "BM_StepNext_Sqlite");
  reporter.printRatio("ratio", "insert", "BM_Insert_Btrcall/iterations:3", "BM_Insert_Sqlite/iterations:3");
  reporter.printRatio("ratio", "alternating_clients", "BM_Alternating_Btrcall", "BM_Alternating_Sqlite");
  reporter.printRatio("ratio", "durable_insert", "BM_DurableInsert_Btrcall", "BM_DurableInsert_Sqlite");
  reporter.printRatio("ratio", "two_file_transaction", "BM_TwoFileTransaction_Btrcall", "BM_TwoFileTransaction_Sqlite");
  reporter.printRatio("ceiling", "get_next", "BM_GetNext_Btrcall", "BM_GetNext_Cursor");
  std::filesystem::remove_all(setup().folder);
  return 0;
}
