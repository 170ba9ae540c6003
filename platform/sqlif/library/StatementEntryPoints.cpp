// The statement library's working entry points, with the argument lists the driver calls them
// with: 16-bit and 32-bit values, lengths in and out, zero-terminated texts.
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/recmgr/LittleEndian.h"
#include "platform/sqlif/InterfaceState.h"
#include "platform/sqlif/library/Export.h"

using namespace qn::sqlif;

namespace {

constexpr size_t kVersionBlockSize = 22;
constexpr uint16_t kMajorVersion = 4;

// A text given with a length that may count its terminating zero, or stop short of it.
std::string textOf(const char* text, long length) {
  if (text == nullptr || length <= 0) return {};
  return std::string(text, strnlen(text, static_cast<size_t>(length)));
}

std::string textOf(const char* text) { return text ? std::string(text) : std::string(); }

// Runs the body on the current login's cursor, under the interface's lock.
template <typename Body>
Status onCursor(const char* entry, int16_t id, Body body) {
  return runEntry(entry, [&] {
    std::lock_guard<std::mutex> guard(InterfaceState::instance().lock());
    Cursor* cursor = InterfaceState::instance().cursor(id);
    return cursor == nullptr ? status::badCursor : body(*cursor);
  });
}

template <typename Body>
Status locked(const char* entry, Body body) {
  return runEntry(entry, [&] {
    std::lock_guard<std::mutex> guard(InterfaceState::instance().lock());
    return body(InterfaceState::instance());
  });
}

}  // namespace

QN_SQLIF_EXPORT int16_t XQLVersion(uint8_t* block) {
  return runEntry("XQLVersion", [&] {
    if (block == nullptr) return status::statementError;
    std::memset(block + 6, 0, kVersionBlockSize - 6);
    std::memcpy(block, "XVER", 4);
    qn::recmgr::writeU16(block + 4, kVersionBlockSize);
    qn::recmgr::writeU16(block + 12, kMajorVersion);
    return status::ok;
  });
}

QN_SQLIF_EXPORT int16_t xReset(const char* /*unused*/) {
  return locked("xReset", [](InterfaceState& state) {
    state.reset();
    return status::ok;
  });
}

// The data path and the feature arguments carry nothing here: an SQL database's tables live in
// its dictionary folder.
QN_SQLIF_EXPORT int16_t _XQLLogin(const char* user, const char* password, const char* dictionaryPath,
                                  const char* /*dataPath*/, const char* /*reserved*/, int16_t /*feature*/) {
  return locked("_XQLLogin", [&](InterfaceState& state) {
    return state.login(textOf(user), textOf(password), textOf(dictionaryPath));
  });
}

QN_SQLIF_EXPORT int16_t _XQLLogout(void) {
  return locked("_XQLLogout", [](InterfaceState& state) { return state.logout(); });
}

QN_SQLIF_EXPORT int16_t _XQLCursor(int16_t* cursor) {
  return locked("_XQLCursor", [&](InterfaceState& state) {
    if (cursor == nullptr) return status::statementError;
    return state.newCursor(*cursor);
  });
}

QN_SQLIF_EXPORT int16_t _XQLFree(int16_t cursor) {
  return locked("_XQLFree", [&](InterfaceState& state) { return state.freeCursor(cursor); });
}

QN_SQLIF_EXPORT int16_t _XQLCompile(int16_t cursor, uint16_t* length, const char* text) {
  return onCursor("_XQLCompile", cursor, [&](Cursor& c) {
    if (length == nullptr || text == nullptr) return status::statementError;
    return c.compile(textOf(text, *length));
  });
}

// One variable per call: the name without "@" and its value, each with its length.
QN_SQLIF_EXPORT int16_t XQLSubst(int16_t cursor, int16_t count, int16_t nameLength, const char* name,
                                 int16_t valueLength, const char* value) {
  return onCursor("XQLSubst", cursor, [&](Cursor& c) {
    if (count != 1) return status::notSupported;
    return c.substitute(textOf(name, nameLength), textOf(value, valueLength));
  });
}

QN_SQLIF_EXPORT int16_t XQLExec(int16_t cursor) {
  return onCursor("XQLExec", cursor, [](Cursor& c) { return c.execute(); });
}

QN_SQLIF_EXPORT int16_t XQLDescribe(int16_t cursor, int16_t position, int16_t* type, int16_t* size,
                                    int16_t* decimals, int16_t* displaySize, int16_t* nameLength, char* name) {
  return onCursor("XQLDescribe", cursor, [&](Cursor& c) {
    ColumnDescription d;
    if (Status s = c.describe(position, d); s != status::ok) return s;
    if (type) *type = d.type.storedType;
    if (size) *size = static_cast<int16_t>(d.type.size);
    if (decimals) *decimals = static_cast<int16_t>(d.type.decimals);
    if (displaySize) *displaySize = static_cast<int16_t>(d.type.size ? d.type.size : d.name.size());
    if (nameLength && name && *nameLength > 0) {
      const size_t n = std::min<size_t>(d.name.size(), static_cast<size_t>(*nameLength) - 1);
      std::memcpy(name, d.name.data(), n);
      name[n] = '\0';
      *nameLength = static_cast<int16_t>(n);
    }
    return status::ok;
  });
}

QN_SQLIF_EXPORT int16_t _XQLFetch(int16_t cursor, int16_t option, uint16_t* length, void* buffer, int32_t* count,
                                  int16_t /*unused*/, int16_t /*unused*/) {
  return onCursor("_XQLFetch", cursor, [&](Cursor& c) {
    if (length == nullptr || count == nullptr) return status::statementError;
    return c.fetch(option, *length, static_cast<uint8_t*>(buffer), *count);
  });
}

QN_SQLIF_EXPORT int16_t xFetch(int16_t cursor, uint16_t* length, int16_t option, int32_t* count,
                               int32_t* /*secondCount*/, void* buffer) {
  return onCursor("xFetch", cursor, [&](Cursor& c) {
    if (length == nullptr || count == nullptr) return status::statementError;
    return c.recordFetch(option, *length, static_cast<uint8_t*>(buffer), *count);
  });
}

// The field list is always "*.*": the whole row.
QN_SQLIF_EXPORT int16_t xInsert(int16_t cursor, int16_t /*fieldCount*/, const char* /*fields*/, int32_t* count,
                                const void* buffer) {
  return onCursor("xInsert", cursor, [&](Cursor& c) {
    if (count == nullptr || buffer == nullptr) return status::statementError;
    return c.insertRows(*count, static_cast<const uint8_t*>(buffer));
  });
}

QN_SQLIF_EXPORT int16_t xUpdate(int16_t cursor, int16_t /*fieldCount*/, const char* /*fields*/, int32_t* count,
                                const void* buffer) {
  return onCursor("xUpdate", cursor, [&](Cursor& c) {
    if (count == nullptr || buffer == nullptr) return status::statementError;
    return c.updateRow(*count, static_cast<const uint8_t*>(buffer));
  });
}

QN_SQLIF_EXPORT int16_t xRemove(int16_t cursor, int16_t /*fieldCount*/, const char* /*fields*/, int32_t* count) {
  return onCursor("xRemove", cursor, [&](Cursor& c) {
    if (count == nullptr) return status::statementError;
    return c.removeRow(*count);
  });
}
