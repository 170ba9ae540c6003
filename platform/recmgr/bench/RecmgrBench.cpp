// The record manager through BTRCALL against SQLite used directly for the same work on files of
// 100,000 records with the same indexes: reads as one prepared-statement execution per operation
// in autocommit, inserts inside one transaction on both sides, and a stepping SQLite cursor over
// the key path as the ceiling. Prints "ratio <case> <btrcall / sqlite>" and
// "ceiling <case> <btrcall / stepping cursor>" after the table.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <sqlite3.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/recmgr/RecordFile.h"

namespace {

using namespace qn::recmgr;

constexpr int recordCount = 100000;
constexpr int insertBatch = 10000;
constexpr uint16_t recordLength = 100;
constexpr size_t nameOffset = 4, nameLength = 20;

using BtrCall = int16_t (*)(uint16_t, void*, void*, uint16_t*, void*, uint8_t, int8_t);

struct Setup {
  std::string folder;
  std::string recordFile, sqliteFile;
  std::vector<std::string> names;  // every name in the files, in random order
  BtrCall btrcall = nullptr;
};

std::string programFolder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string exe(buffer, n > 0 ? n : 0);
  return exe.substr(0, exe.find_last_of('/'));
}

std::string nameOf(int i) {
  char name[nameLength + 1];
  std::snprintf(name, sizeof name, "name%08d%08d", (i * 7919) % recordCount, i);
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
void makeSqliteFile(const std::string& path) {
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
  for (int i = 1; i <= recordCount; ++i) {
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

void makeRecordFile(const std::string& path) {
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
  for (int i = 1; i <= recordCount; ++i) records.push_back(makeRecord(i));
  if (file->insertAll(records) != status::ok) throw std::runtime_error("cannot fill " + path);
}

Setup& setup() {
  static Setup s = [] {
    Setup made;
    made.folder = std::filesystem::temp_directory_path() / ("recmgr_bench." + std::to_string(::getpid()));
    std::filesystem::create_directories(made.folder);
    made.recordFile = made.folder + "/bench.qf";
    made.sqliteFile = made.folder + "/bench.db";
    makeRecordFile(made.recordFile);
    makeSqliteFile(made.sqliteFile);
    for (int i = 1; i <= recordCount; ++i) made.names.push_back(nameOf(i));
    std::shuffle(made.names.begin(), made.names.end(), std::mt19937(7));
    const std::string library = programFolder() + "/libwbtrv32.so";
    void* handle = ::dlopen(library.c_str(), RTLD_NOW);
    if (!handle) throw std::runtime_error("cannot load " + library);
    made.btrcall = reinterpret_cast<BtrCall>(::dlsym(handle, "BTRCALL"));
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

void BM_GetNext_Btrcall(benchmark::State& state) {
  BtrFile file(setup().recordFile);
  std::string data(recordLength, '\0');
  char key[256] = {};
  file(12, data, key, 1);
  for (auto _ : state) {
    if (file(6, data, key, 1) == 9) file(12, data, key, 1);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GetNext_Sqlite(benchmark::State& state) {
  SqliteFile file(setup().sqliteFile);
  sqlite3_stmt* first = file.prepare("SELECT bytes, k2, position FROM records ORDER BY k2, position LIMIT 1");
  sqlite3_stmt* next = file.prepare(
      "SELECT bytes, k2, position FROM records WHERE (k2, position) > (?1, ?2) ORDER BY k2, position LIMIT 1");
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
    sqlite3_bind_blob(next, 1, name.data(), nameLength, SQLITE_TRANSIENT);
    sqlite3_bind_int64(next, 2, position);
    if (take(next) != SQLITE_ROW) take(first);
  }
  state.SetItemsProcessed(state.iterations());
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
    // Transactions are their own piece of the record manager; without them there is no like
    // for like to measure.
    if (file(19, none, key, 0) != 0) {
      state.SkipWithError("begin transaction is not available");
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

// The engine's own write path, one transaction per batch, below the entry points: what inserts
// will cost through BTRCALL once transactions exist.
void BM_Insert_Engine(benchmark::State& state) {
  std::unique_ptr<RecordFile> file;
  if (RecordFile::open(setup().recordFile, file) != status::ok) throw std::runtime_error("open");
  int next = recordCount * 2;
  for (auto _ : state) {
    std::vector<std::string> records;
    for (int i = 0; i < insertBatch; ++i) records.push_back(makeRecord(++next));
    if (file->insertAll(records) != status::ok) state.SkipWithError("insert failed");
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

BENCHMARK(BM_GetEqual_Btrcall);
BENCHMARK(BM_GetEqual_Sqlite);
BENCHMARK(BM_GetNext_Btrcall);
BENCHMARK(BM_GetNext_Sqlite);
BENCHMARK(BM_GetNext_Cursor);
BENCHMARK(BM_Insert_Btrcall)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Insert_Engine)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Insert_Sqlite)->Iterations(3)->Unit(benchmark::kMillisecond);

// Keeps each case's operations per second for the ratio lines.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      auto it = run.counters.find("items_per_second");
      if (!run.error_occurred && it != run.counters.end()) rates[run.benchmark_name()] = it->second;
    }
  }
  std::map<std::string, double> rates;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RateReporter reporter;
  setup();
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto line = [&](const char* kind, const char* name, const std::string& ours, const std::string& theirs) {
    auto a = reporter.rates.find(ours), b = reporter.rates.find(theirs);
    if (a == reporter.rates.end() || b == reporter.rates.end()) {
      std::printf("%s %s n/a\n", kind, name);
    } else {
      std::printf("%s %s %.3f\n", kind, name, a->second / b->second);
    }
  };
  line("ratio", "get_equal", "BM_GetEqual_Btrcall", "BM_GetEqual_Sqlite");
  line("ratio", "get_next", "BM_GetNext_Btrcall", "BM_GetNext_Sqlite");
  line("ratio", "insert", "BM_Insert_Btrcall/iterations:3", "BM_Insert_Sqlite/iterations:3");
  line("ratio", "insert_below_entry_points", "BM_Insert_Engine/iterations:3", "BM_Insert_Sqlite/iterations:3");
  line("ceiling", "get_next", "BM_GetNext_Btrcall", "BM_GetNext_Cursor");
  std::filesystem::remove_all(setup().folder);
  return 0;
}
