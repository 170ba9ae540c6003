#pragma once
// What a statement text is, read without running it: its words outside quotes and comments, so
// that a quoted "; DROP" or a commented keyword never changes what the text is taken for.
#include <string>
#include <string_view>
#include <vector>

namespace qn::sqlif {

enum class StatementKind {
  query,             // SELECT
  change,            // INSERT, UPDATE, DELETE
  startTransaction,  // START TRANSACTION
  commit,            // COMMIT [WORK]
  rollback,          // ROLLBACK [WORK]
  procedureCall,     // EXEC name
  setOption,         // SET ...
  other,             // everything this interface refuses
};

struct StatementShape {
  StatementKind kind = StatementKind::other;
  std::string procedureName;     // of EXEC
  bool secondStatement = false;  // something follows a ";"
  bool combinesRows = false;     // DISTINCT, GROUP BY, HAVING, UNION...: rows are no table rows
};

StatementShape examineStatement(std::string_view text);

// The unquoted words and the quoted identifiers of a text, in order, as written.
std::vector<std::string> identifiersOf(std::string_view text);

}  // namespace qn::sqlif
