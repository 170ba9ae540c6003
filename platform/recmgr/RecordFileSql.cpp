#include "platform/recmgr/RecordFileSql.h"

namespace qn::recmgr {
namespace {

std::string layoutColumn(const Tables& t) { return "(SELECT layoutVersion FROM " + t.header + " WHERE id = 1)"; }

std::string orderBy(const KeySpec& key, bool descending) {
  const char* dir = descending ? " DESC" : "";
  std::string order = " ORDER BY " + imageColumn(key) + dir;
  if (!key.unique()) order += ", " + stampColumn(key) + dir;
  return order;
}

// Entries of a key path before a place (image ?1, stamp ?2).
std::string beforePlace(const KeySpec& key) {
  return key.unique() ? imageColumn(key) + " < ?1"
                      : "(" + imageColumn(key) + ", " + stampColumn(key) + ") < (?1, ?2)";
}

std::string afterPlace(const KeySpec& key) {
  return key.unique() ? imageColumn(key) + " > ?1"
                      : "(" + imageColumn(key) + ", " + stampColumn(key) + ") > (?1, ?2)";
}

// "SELECT position, bytes, <image>, <stamp>, <layout> FROM records".
std::string selectRecord(const Tables& t, const KeySpec* key) {
  return "SELECT position, bytes, " +
         (key ? imageColumn(*key) + ", " + stampColumn(*key) : std::string("NULL, 0")) + ", " + layoutColumn(t) +
         " FROM " + t.records;
}

std::string selectCount(const Tables& t) { return "SELECT count(*), " + layoutColumn(t) + " FROM " + t.records; }

std::string notNull(const KeySpec& key) { return imageColumn(key) + " IS NOT NULL"; }

static_assert(readAheadLimit == 3);
const char* limitOf(bool readAhead) { return readAhead ? " LIMIT ?3" : " LIMIT 1"; }

}  // namespace

Tables Tables::inSchema(const std::string& schema) { return {schema + ".records", schema + ".header"}; }

std::string imageColumn(const KeySpec& key) { return "k" + std::to_string(key.column); }
std::string stampColumn(const KeySpec& key) { return "s" + std::to_string(key.column); }

std::string indexName(const KeySpec& key) { return "key" + std::to_string(key.column); }

std::string keyColumns(const FileSpec& spec) {
  std::string cols;
  for (const KeySpec& k : spec.keys) cols += ", " + imageColumn(k) + ", " + stampColumn(k);
  return cols;
}

std::string indexSql(const KeySpec& k) {
  return std::string("CREATE ") + (k.unique() ? "UNIQUE " : "") + "INDEX " + indexName(k) + " ON records(" + imageColumn(k) + (k.unique() ? "" : ", " + stampColumn(k)) + ")" +
         (k.nullable() ? " WHERE " + notNull(k) : "");
}

std::string schemaSql(const FileSpec& spec) {
  std::string sql =
      "CREATE TABLE header(id INTEGER PRIMARY KEY CHECK (id = 1), format TEXT NOT NULL, version INTEGER NOT NULL,"
      " recordLength INTEGER NOT NULL, pageSize INTEGER NOT NULL, fileFlags INTEGER NOT NULL, owner BLOB NOT NULL,"
      " keys BLOB NOT NULL, collatingSequences BLOB NOT NULL, recordCount INTEGER NOT NULL,"
      " nextPosition INTEGER NOT NULL, nextStamp INTEGER NOT NULL, layoutVersion INTEGER NOT NULL);"
      "CREATE TABLE records(position INTEGER PRIMARY KEY, bytes BLOB NOT NULL";
  for (const KeySpec& k : spec.keys) sql += ", " + imageColumn(k) + " BLOB, " + stampColumn(k) + " INTEGER";
  sql += ");";
  for (const KeySpec& k : spec.keys) sql += indexSql(k) + ";";
  return sql;
}

std::string seekSql(const Tables& t, const KeySpec& key, KeySeek how, bool readAhead) {
  const std::string k = imageColumn(key);
  std::string sql = selectRecord(t, &key) + " WHERE " + notNull(key);
  bool descending = false;
  switch (how) {
    case KeySeek::equal: sql += " AND " + k + " = ?1"; break;
    case KeySeek::greater: sql += " AND " + k + " > ?1"; break;
    case KeySeek::greaterOrEqual: sql += " AND " + k + " >= ?1"; break;
    case KeySeek::less: sql += " AND " + k + " < ?1"; descending = true; break;
    case KeySeek::lessOrEqual: sql += " AND " + k + " <= ?1"; descending = true; break;
    case KeySeek::first: break;
    case KeySeek::last: descending = true; break;
    case KeySeek::next: sql += " AND " + afterPlace(key); break;
    case KeySeek::previous:
      sql += " AND " + beforePlace(key);
      descending = true;
      break;
  }
  return sql + orderBy(key, descending) + limitOf(readAhead);
}

std::string stepSql(const Tables& t, PhysicalStep how, bool readAhead) {
  const std::string select = selectRecord(t, nullptr);
  const char* limit = limitOf(readAhead);
  switch (how) {
    case PhysicalStep::first: return select + " ORDER BY position" + limit;
    case PhysicalStep::last: return select + " ORDER BY position DESC" + limit;
    case PhysicalStep::next: return select + " WHERE position > ?1 ORDER BY position" + limit;
    case PhysicalStep::previous: return select + " WHERE position < ?1 ORDER BY position DESC" + limit;
  }
  return {};
}

std::string readAtSql(const Tables& t, const KeySpec* key) { return selectRecord(t, key) + " WHERE position = ?1"; }

std::string readAtRankSql(const Tables& t, const KeySpec* key) {
  return key ? selectRecord(t, key) + " WHERE " + notNull(*key) + orderBy(*key, false) + " LIMIT 1 OFFSET ?1"
             : selectRecord(t, nullptr) + " ORDER BY position LIMIT 1 OFFSET ?1";
}

std::string countSql(const Tables& t, const KeySpec* key) {
  return selectCount(t) + (key ? " WHERE " + notNull(*key) : std::string());
}

std::string rankOfPlaceSql(const Tables& t, const KeySpec& key) {
  return selectCount(t) + " WHERE " + notNull(key) + " AND " + beforePlace(key);
}

std::string rankOfPositionSql(const Tables& t) {
  return "SELECT count(*), " + layoutColumn(t) + ", EXISTS(SELECT 1 FROM " + t.records +
         " WHERE position = ?1) FROM " + t.records + " WHERE position < ?1";
}

std::string greatestImageSql(const Tables& t, const KeySpec& key) {
  const bool descending = key.segments.front().has(segmentFlag::descending);
  return "SELECT " + imageColumn(key) + " FROM " + t.records + " WHERE " + notNull(key) + " ORDER BY " +
         imageColumn(key) + (descending ? "" : " DESC") + " LIMIT 1";
}

std::string insertSql(const Tables& t, const FileSpec& spec) {
  std::string sql = "INSERT INTO " + t.records + "(position, bytes" + keyColumns(spec) + ") VALUES(?1, ?2";
  for (size_t i = 0; i < spec.keys.size(); ++i)
    sql += ", ?" + std::to_string(3 + 2 * i) + ", ?" + std::to_string(4 + 2 * i);
  return sql + ")";
}

std::string updateSql(const Tables& t, const FileSpec& spec) {
  std::string sql = "UPDATE " + t.records + " SET bytes = ?2";
  for (size_t i = 0; i < spec.keys.size(); ++i)
    sql += ", " + imageColumn(spec.keys[i]) + " = ?" + std::to_string(3 + 2 * i) + ", " + stampColumn(spec.keys[i]) +
           " = ?" + std::to_string(4 + 2 * i);
  return sql + " WHERE position = ?1";
}

}  // namespace qn::recmgr
