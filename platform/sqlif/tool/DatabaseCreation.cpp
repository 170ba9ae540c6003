#include "platform/sqlif/tool/DatabaseCreation.h"

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "platform/recmgr/Engine.h"
#include "platform/recmgr/OperationCodes.h"
#include "platform/recmgr/tool/FileCreation.h"
#include "platform/recmgr/tool/FileSpecJson.h"
#include "platform/sqlif/Dictionary.h"
#include "platform/sqlif/SqlDatabase.h"
#include "platform/sqlif/SqliteStatement.h"

namespace qn::sqlif {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

void check(int rc, sqlite3* db, const std::string& what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE) throw CreationError(what + ": " + sqlite3_errmsg(db));
}

SqliteStatement prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* raw = nullptr;
  check(sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr), db, sql);
  return SqliteStatement(raw);
}

void writeTables(const std::string& path, const DatabaseDescription& description) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(db, sqlite3_close);
  check(rc, db, "cannot create " + path);
  check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
  check(sqlite3_exec(db,
                     "CREATE TABLE sqlif_columns(table_name TEXT NOT NULL, column_name TEXT NOT NULL, "
                     "position INTEGER NOT NULL, stored_type INTEGER NOT NULL, size INTEGER NOT NULL, "
                     "decimals INTEGER NOT NULL, PRIMARY KEY (table_name, column_name))",
                     nullptr, nullptr, nullptr),
        db, "catalog");
  SqliteStatement catalog = prepare(db, "INSERT INTO sqlif_columns VALUES (?, ?, ?, ?, ?, ?)");
  for (const TableDescription& table : description.tables) {
    std::string create = "CREATE TABLE " + quoted(table.name) + " (";
    std::string insert = "INSERT INTO " + quoted(table.name) + " VALUES (";
    for (size_t c = 0; c < table.columns.size(); ++c) {
      const TableColumn& column = table.columns[c];
      create += (c ? ", " : "") + quoted(column.name) + " " + std::string(sqlDeclaration(column.type.storedType));
      insert += c ? ", ?" : "?";
      sqlite3_reset(catalog.get());
      sqlite3_bind_text(catalog.get(), 1, table.name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(catalog.get(), 2, column.name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(catalog.get(), 3, static_cast<int>(c + 1));
      sqlite3_bind_int(catalog.get(), 4, column.type.storedType);
      sqlite3_bind_int(catalog.get(), 5, column.type.size);
      sqlite3_bind_int(catalog.get(), 6, column.type.decimals);
      check(sqlite3_step(catalog.get()), db, "catalog of " + table.name);
    }
    check(sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), db, create);
    SqliteStatement row = prepare(db, insert + ")");
    for (const std::vector<SqlValue>& values : table.rows) {
      sqlite3_reset(row.get());
      for (size_t c = 0; c < values.size(); ++c) bindValue(row.get(), static_cast<int>(c + 1), values[c]);
      check(sqlite3_step(row.get()), db, "rows of " + table.name);
    }
  }
  check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
}

// One record call of the tool's own record manager.
int16_t recordCall(uint16_t operation, uint8_t* block, void* data, uint16_t length, void* key, int8_t keyNumber) {
  recmgr::Call call;
  call.operation = operation;
  call.positionBlock = block;
  call.data = static_cast<uint8_t*>(data);
  call.dataLength = &length;
  call.key = static_cast<uint8_t*>(key);
  call.keyNumber = keyNumber;
  return recmgr::Engine::instance().call(call);
}

// A dictionary file keyed without case on its first 30 bytes, holding the records given.
void writeDictionaryFile(const std::string& path, size_t recordSize, const std::vector<std::string>& records) {
  const nlohmann::json layout = {
      {"recordLength", recordSize},
      {"owner", dictionaryOwner},
      {"keys",
       {{{"segments", {{{"position", 1}, {"length", dictionaryNameSize}, {"type", "string"},
                        {"caseInsensitive", true}}}}}}}};
  try {
    recmgr::createRecordFile(path, layout, false);
  } catch (const recmgr::FileSpecJsonError& e) {
    throw CreationError(e.what());
  }
  std::array<uint8_t, recmgr::positionBlockSize> block{};
  std::array<char, 256> key{};
  std::strncpy(key.data(), path.c_str(), key.size() - 1);
  std::string owner = dictionaryOwner;
  if (int16_t s = recordCall(recmgr::op::open, block.data(), owner.data(), static_cast<uint16_t>(owner.size() + 1),
                             key.data(), 0);
      s != 0)
    throw CreationError("cannot open " + path + ": status " + std::to_string(s));
  for (std::string record : records) {
    std::array<char, 256> keyOut{};
    if (int16_t s = recordCall(recmgr::op::insert, block.data(), record.data(), static_cast<uint16_t>(record.size()),
                               keyOut.data(), 0);
        s != 0)
      throw CreationError("cannot write " + path + ": status " + std::to_string(s));
  }
  recordCall(recmgr::op::close, block.data(), nullptr, 0, nullptr, 0);
}

std::vector<std::string> dictionaryRecords(const std::vector<NamedText>& entries, size_t recordSize, bool padText) {
  std::vector<std::string> records;
  for (const NamedText& entry : entries) {
    std::string record = paddedDictionaryName(entry.name);
    record += padText ? paddedDictionaryName(entry.text) : entry.text;
    record.resize(recordSize, '\0');
    records.push_back(std::move(record));
  }
  return records;
}

void build(const fs::path& folder, const DatabaseDescription& description) {
  writeTables((folder / sqlDataFileName).string(), description);
  writeDictionaryFile((folder / userFileName).string(), userRecordSize,
                      dictionaryRecords(description.users, userRecordSize, true));
  writeDictionaryFile((folder / procedureFileName).string(), procedureRecordSize,
                      dictionaryRecords(description.procedures, procedureRecordSize, false));
}

}  // namespace

void createDatabaseFolder(const std::string& folderName, const DatabaseDescription& description) {
  const fs::path folder = fs::absolute(folderName);
  std::error_code error;
  if (fs::exists(folder, error) && !(fs::is_directory(folder, error) && fs::is_empty(folder, error)))
    throw CreationError(folder.string() + ": exists and is not an empty folder");
  std::string pattern = folder.string() + ".making-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw CreationError("cannot make a folder beside " + folder.string());
  const fs::path temporary = pattern;
  try {
    build(temporary, description);
    fs::rename(temporary, folder);
  } catch (...) {
    fs::remove_all(temporary, error);
    throw;
  }
}

}  // namespace qn::sqlif
