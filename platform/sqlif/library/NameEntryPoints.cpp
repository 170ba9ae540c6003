// The names library's entry points: counts and names of the registered SQL databases.
#include <cstdint>
#include <mutex>

#include "platform/sqlif/DatabaseNameListing.h"
#include "platform/sqlif/library/Export.h"

using namespace qn::sqlif;

namespace {

std::mutex namesLock;

template <typename Body>
Status locked(const char* entry, Body body) {
  return runEntry(entry, [&] {
    std::lock_guard<std::mutex> guard(namesLock);
    return body(DatabaseNameListing::instance());
  });
}

Status countOf(const char* entry, bool remote, uint16_t* count) {
  return locked(entry, [&](DatabaseNameListing& listing) {
    if (count == nullptr) return status::statementError;
    return listing.count(remote, *count);
  });
}

Status nameOf(const char* entry, bool remote, uint16_t* length, char* buffer) {
  return locked(entry, [&](DatabaseNameListing& listing) {
    if (length == nullptr) return status::statementError;
    return listing.next(remote, *length, buffer);
  });
}

}  // namespace

QN_SQLIF_EXPORT int16_t SQLGetCountDatabaseNames(uint16_t* count) {
  return countOf("SQLGetCountDatabaseNames", false, count);
}

QN_SQLIF_EXPORT int16_t SQLGetCountRemoteDatabaseNames(uint16_t* count) {
  return countOf("SQLGetCountRemoteDatabaseNames", true, count);
}

QN_SQLIF_EXPORT int16_t SQLGetDatabaseNames(uint16_t* length, char* buffer) {
  return nameOf("SQLGetDatabaseNames", false, length, buffer);
}

QN_SQLIF_EXPORT int16_t SQLGetRemoteDatabaseNames(uint16_t* length, char* buffer) {
  return nameOf("SQLGetRemoteDatabaseNames", true, length, buffer);
}

QN_SQLIF_EXPORT int16_t SQLUnloadDBNames(void) {
  return locked("SQLUnloadDBNames", [](DatabaseNameListing& listing) {
    listing.unload();
    return status::ok;
  });
}
