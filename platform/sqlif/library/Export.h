#pragma once
// The libraries export their entry points and nothing else; no exception crosses into the caller.
#include <exception>

#include "platform/sqlif/InjectedStatuses.h"
#include "platform/sqlif/Statuses.h"

#define QN_SQLIF_EXPORT extern "C" __attribute__((visibility("default")))

namespace qn::sqlif {

// Runs an entry point's body: a status injected for the entry answers instead, and a failure
// that escapes answers the database-error status.
template <typename Body>
Status runEntry(const char* entry, Body body) {
  try {
    if (std::optional<Status> injected = takeInjectedStatus(entry)) return *injected;
    return body();
  } catch (const std::exception&) {
    return status::databaseError;
  }
}

}  // namespace qn::sqlif
