#pragma once
// What the statement library holds for its process: the logins, the latest one current, and one
// lock that every entry point holds for its whole call. Cursor numbers name cursors of the
// current login.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sqlif/Login.h"

namespace qn::sqlif {

class InterfaceState {
 public:
  static InterfaceState& instance();
  std::mutex& lock() { return mutex_; }

  Status login(const std::string& user, const std::string& password, const std::string& dictionaryPath);
  // Ends the current login; the record manager's client of this interface ends with the last one.
  Status logout();
  // Ends every login.
  void reset();

  Status newCursor(int16_t& id);
  Status freeCursor(int16_t id);
  // The current login's cursor, or nil.
  Cursor* cursor(int16_t id);

 private:
  InterfaceState() = default;
  void stopWhenIdle();
  std::mutex mutex_;
  std::vector<std::unique_ptr<Login>> logins_;
};

}  // namespace qn::sqlif
