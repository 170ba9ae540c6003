#pragma once
// One login: its database connection and its cursors, numbered from 0, at most 64.
#include <array>
#include <memory>
#include <string>

#include "platform/sqlif/Cursor.h"
#include "platform/sqlif/SqlDatabase.h"

namespace qn::sqlif {

inline constexpr int maxCursors = 64;

class Login {
 public:
  // 205 for an unknown user or a wrong password; 285 for a folder that is no SQL database;
  // 2103 for a remote database name.
  static Status open(const std::string& user, const std::string& password, const std::string& dictionaryPath,
                     std::unique_ptr<Login>& login);

  Status newCursor(int16_t& id);
  Status freeCursor(int16_t id);
  Cursor* cursor(int16_t id);  // nil for a number without a cursor

 private:
  explicit Login(std::unique_ptr<SqlDatabase> database) : database_(std::move(database)) {}
  std::unique_ptr<SqlDatabase> database_;  // outlives the cursors, whose statements it prepared
  std::array<std::unique_ptr<Cursor>, maxCursors> cursors_;
};

}  // namespace qn::sqlif
