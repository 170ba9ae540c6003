#pragma once
// A prepared SQLite statement owned by value, and how SQLite's answers become this interface's
// statuses.
#include <sqlite3.h>

#include <memory>

#include "platform/sqlif/Statuses.h"
#include "platform/sqlif/StoredValues.h"

namespace qn::sqlif {

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// For a failed step or write: busy 84, a constraint 226, an error in the statement 220, any other
// failure (disk, damage) 229.
Status statusOfFailure(int sqliteResult);

SqlValue columnValue(sqlite3_stmt* statement, int column);
int bindValue(sqlite3_stmt* statement, int parameter, const SqlValue& value);

}  // namespace qn::sqlif
