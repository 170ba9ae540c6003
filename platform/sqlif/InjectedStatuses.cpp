#include "platform/sqlif/InjectedStatuses.h"

#include <map>
#include <mutex>
#include <string>

namespace qn::sqlif {

namespace {

std::mutex injectedLock;
std::map<std::string, Status, std::less<>> injected;

}  // namespace

void injectStatus(std::string_view entry, Status status) {
  std::lock_guard<std::mutex> guard(injectedLock);
  injected[std::string(entry)] = status;
}

std::optional<Status> takeInjectedStatus(std::string_view entry) {
  std::lock_guard<std::mutex> guard(injectedLock);
  const auto found = injected.find(entry);
  if (found == injected.end()) return std::nullopt;
  const Status s = found->second;
  injected.erase(found);
  return s;
}

}  // namespace qn::sqlif
