#pragma once
// The SQL a record file runs: its schema, and the statements of reads and writes, built for the
// tables where the file is found (its own connection, or a transaction's under a schema name).
#include <cstdint>
#include <string>

#include "platform/recmgr/FileSpec.h"

namespace qn::recmgr {

enum class KeySeek { equal, greater, greaterOrEqual, less, lessOrEqual, first, last, next, previous };
enum class PhysicalStep { first, last, next, previous };

// The file's tables as statements name them: unqualified on the file's own connection, under the
// file's schema name where a transaction's connection has it attached.
struct Tables {
  std::string records = "records";
  std::string header = "header";

  static Tables inSchema(const std::string& schema);
};

// The column names of a key: "k<column>" holds the image, "s<column>" the insertion stamp.
std::string imageColumn(const KeySpec& key);
std::string stampColumn(const KeySpec& key);
std::string indexName(const KeySpec& key);
// ", k1, s1, k2, s2 ..." for every key of the file.
std::string keyColumns(const FileSpec& spec);

std::string indexSql(const KeySpec& key);
std::string schemaSql(const FileSpec& spec);

// Reads answer a record's position, bytes, image and stamp in the key path read (NULL and 0
// without one), and the header's layout version, in that order: one record, or with `readAhead`
// as many as parameter ?3 (readAheadLimit) asks for, in the order of the walk.
inline constexpr int readAheadLimit = 3;
std::string seekSql(const Tables& t, const KeySpec& key, KeySeek how, bool readAhead = false);
std::string stepSql(const Tables& t, PhysicalStep how, bool readAhead = false);
std::string readAtSql(const Tables& t, const KeySpec* key);
std::string readAtRankSql(const Tables& t, const KeySpec* key);
// Counts answer the count and the layout version.
std::string countSql(const Tables& t, const KeySpec* key);
std::string rankOfPlaceSql(const Tables& t, const KeySpec& key);
// Also answers, third, whether a record is at position ?1.
std::string rankOfPositionSql(const Tables& t);
// The greatest image of an auto-increment key.
std::string greatestImageSql(const Tables& t, const KeySpec& key);

std::string insertSql(const Tables& t, const FileSpec& spec);
std::string updateSql(const Tables& t, const FileSpec& spec);

}  // namespace qn::recmgr
