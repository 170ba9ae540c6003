#include "platform/sqlif/Login.h"

#include "platform/sqlif/DatabaseRegistry.h"
#include "platform/sqlif/Dictionary.h"

namespace qn::sqlif {

Status Login::open(const std::string& user, const std::string& password, const std::string& dictionaryPath,
                   std::unique_ptr<Login>& login) {
  std::string folder;
  if (Status s = locateDatabase(dictionaryPath, folder); s != status::ok) return s;
  if (Status s = checkUser(folder, user, password); s != status::ok) return s;
  std::unique_ptr<SqlDatabase> database;
  if (Status s = SqlDatabase::open(folder, database); s != status::ok) return s;
  login.reset(new Login(std::move(database)));
  return status::ok;
}

Status Login::newCursor(int16_t& id) {
  for (int i = 0; i < maxCursors; ++i) {
    if (cursors_[i]) continue;
    cursors_[i] = std::make_unique<Cursor>(*database_);
    id = static_cast<int16_t>(i);
    return status::ok;
  }
  return status::tooManyCursors;
}

Status Login::freeCursor(int16_t id) {
  if (cursor(id) == nullptr) return status::badCursor;
  cursors_[id].reset();
  return status::ok;
}

Cursor* Login::cursor(int16_t id) {
  if (id < 0 || id >= maxCursors) return nullptr;
  return cursors_[id].get();
}

}  // namespace qn::sqlif
