#pragma once
// The readable description `qnsqlif create` makes an SQL database folder from:
//   {"tables": [{"name", "columns": [{"name", "type", "size", "decimals"}], "rows": [[...]]}],
//    "users": [{"name", "password"}], "procedures": [{"name", "text"}]}
// The whole description is checked before anything is written.
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sqlif/StoredValues.h"

namespace qn::sqlif {

// Names the place at fault (line and column of JSON syntax, or an element path such as
// tables[1].columns[3].type) and the reason.
class DescriptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TableColumn {
  std::string name;
  ColumnType type;
};

struct TableDescription {
  std::string name;
  std::vector<TableColumn> columns;
  std::vector<std::vector<SqlValue>> rows;
};

struct NamedText {
  std::string name;
  std::string text;  // password or statement text
};

struct DatabaseDescription {
  std::vector<TableDescription> tables;
  std::vector<NamedText> users;
  std::vector<NamedText> procedures;
};

DatabaseDescription readDatabaseDescription(const std::string& jsonText);

}  // namespace qn::sqlif
