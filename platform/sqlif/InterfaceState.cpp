#include "platform/sqlif/InterfaceState.h"

#include "platform/sqlif/RecordManagerLink.h"

namespace qn::sqlif {

InterfaceState& InterfaceState::instance() {
  static InterfaceState state;
  return state;
}

Status InterfaceState::login(const std::string& user, const std::string& password, const std::string& dictionaryPath) {
  std::unique_ptr<Login> made;
  const Status s = Login::open(user, password, dictionaryPath, made);
  if (s != status::ok) {
    stopWhenIdle();
    return s;
  }
  logins_.push_back(std::move(made));
  return status::ok;
}

Status InterfaceState::logout() {
  if (logins_.empty()) return status::notLoggedIn;
  logins_.pop_back();
  stopWhenIdle();
  return status::ok;
}

void InterfaceState::reset() {
  logins_.clear();
  stopWhenIdle();
}

void InterfaceState::stopWhenIdle() {
  if (logins_.empty()) RecordManagerLink::instance().stopClient();
}

Status InterfaceState::newCursor(int16_t& id) {
  if (logins_.empty()) return status::notLoggedIn;
  return logins_.back()->newCursor(id);
}

Status InterfaceState::freeCursor(int16_t id) {
  if (logins_.empty()) return status::badCursor;
  return logins_.back()->freeCursor(id);
}

Cursor* InterfaceState::cursor(int16_t id) {
  return logins_.empty() ? nullptr : logins_.back()->cursor(id);
}

}  // namespace qn::sqlif
