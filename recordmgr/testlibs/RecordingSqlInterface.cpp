// A pass-through SQL interface for tests: it exports the names the driver resolves, writes one
// line per call that reaches it into the file QN_SQL_CALL_LOG names, and forwards the call to the
// real statement library (QN_REAL_SQLIF). Built a second time without two names
// (LACKS_TWO_NAMES), it is the interface a driver meets when a library lacks entry points.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "recordmgr/LittleEndianBytes.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

void* real() {
  static void* library = dlopen(QN_REAL_SQLIF, RTLD_NOW | RTLD_LOCAL);
  return library;
}

template <typename Entry>
Entry forward(const char* name) {
  return reinterpret_cast<Entry>(real() ? dlsym(real(), name) : nullptr);
}

void record(const std::string& line) {
  const char* file = std::getenv("QN_SQL_CALL_LOG");
  if (file == nullptr) return;
  if (FILE* log = std::fopen(file, "a")) {
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
  }
}

std::string text(const char* value) { return value ? std::string(value) : std::string("(nil)"); }

}  // namespace

EXPORT int16_t XQLVersion(uint8_t* block) {
  record("XQLVersion");
  return forward<int16_t (*)(uint8_t*)>("XQLVersion")(block);
}

EXPORT int16_t xReset(const char* unused) {
  record("xReset");
  return forward<int16_t (*)(const char*)>("xReset")(unused);
}

EXPORT int16_t _XQLLogin(const char* user, const char* password, const char* dictionary, const char* data,
                         const char* reserved, int16_t feature) {
  record("_XQLLogin user=" + text(user) + " password=" + text(password) + " dictionary=" + text(dictionary) +
         " data=" + text(data));
  return forward<int16_t (*)(const char*, const char*, const char*, const char*, const char*, int16_t)>("_XQLLogin")(
      user, password, dictionary, data, reserved, feature);
}

EXPORT int16_t _XQLLogout(void) {
  record("_XQLLogout");
  return forward<int16_t (*)()>("_XQLLogout")();
}

EXPORT int16_t _XQLCursor(int16_t* cursor) {
  const int16_t status = forward<int16_t (*)(int16_t*)>("_XQLCursor")(cursor);
  record("_XQLCursor " + std::to_string(cursor ? *cursor : -1));
  return status;
}

EXPORT int16_t _XQLFree(int16_t cursor) {
  record("_XQLFree " + std::to_string(cursor));
  return forward<int16_t (*)(int16_t)>("_XQLFree")(cursor);
}

EXPORT int16_t _XQLCompile(int16_t cursor, uint16_t* length, const char* statement) {
  record("_XQLCompile " + std::to_string(cursor) + " " + std::to_string(length ? *length : 0) + " " +
         text(statement));
  return forward<int16_t (*)(int16_t, uint16_t*, const char*)>("_XQLCompile")(cursor, length, statement);
}

EXPORT int16_t XQLSubst(int16_t cursor, int16_t count, int16_t nameLength, const char* name, int16_t valueLength,
                        const char* value) {
  record("XQLSubst " + std::to_string(cursor) + " " + std::to_string(nameLength) + " " + text(name) + " " +
         std::to_string(valueLength) + " " + text(value));
  return forward<int16_t (*)(int16_t, int16_t, int16_t, const char*, int16_t, const char*)>("XQLSubst")(
      cursor, count, nameLength, name, valueLength, value);
}

EXPORT int16_t XQLExec(int16_t cursor) {
  record("XQLExec " + std::to_string(cursor));
  return forward<int16_t (*)(int16_t)>("XQLExec")(cursor);
}

EXPORT int16_t XQLDescribe(int16_t cursor, int16_t position, int16_t* type, int16_t* size, int16_t* decimals,
                           int16_t* displaySize, int16_t* nameLength, char* name) {
  record("XQLDescribe " + std::to_string(cursor) + " " + std::to_string(position));
  return forward<int16_t (*)(int16_t, int16_t, int16_t*, int16_t*, int16_t*, int16_t*, int16_t*, char*)>(
      "XQLDescribe")(cursor, position, type, size, decimals, displaySize, nameLength, name);
}

EXPORT int16_t _XQLFetch(int16_t cursor, int16_t option, uint16_t* length, void* buffer, int32_t* count, int16_t a,
                         int16_t b) {
  record("_XQLFetch " + std::to_string(cursor) + " " + std::to_string(option));
  return forward<int16_t (*)(int16_t, int16_t, uint16_t*, void*, int32_t*, int16_t, int16_t)>("_XQLFetch")(
      cursor, option, length, buffer, count, a, b);
}

EXPORT int16_t xFetch(int16_t cursor, uint16_t* length, int16_t option, int32_t* count, int32_t* second,
                      void* buffer) {
  record("xFetch " + std::to_string(cursor) + " " + std::to_string(option));
  return forward<int16_t (*)(int16_t, uint16_t*, int16_t, int32_t*, int32_t*, void*)>("xFetch")(
      cursor, length, option, count, second, buffer);
}

// The row length word is what a test of a write looks at.
EXPORT int16_t xInsert(int16_t cursor, int16_t fields, const char* names, int32_t* count, const void* buffer) {
  record("xInsert " + std::to_string(cursor) + " " + text(names) + " count=" + std::to_string(count ? *count : 0) +
         " length=" + std::to_string(buffer ? ReadU16(buffer) : 0));
  return forward<int16_t (*)(int16_t, int16_t, const char*, int32_t*, const void*)>("xInsert")(cursor, fields, names,
                                                                                              count, buffer);
}

EXPORT int16_t xUpdate(int16_t cursor, int16_t fields, const char* names, int32_t* count, const void* buffer) {
  record("xUpdate " + std::to_string(cursor) + " " + text(names) + " length=" +
         std::to_string(buffer ? ReadU16(buffer) : 0));
  return forward<int16_t (*)(int16_t, int16_t, const char*, int32_t*, const void*)>("xUpdate")(cursor, fields, names,
                                                                                              count, buffer);
}

EXPORT int16_t xRemove(int16_t cursor, int16_t fields, const char* names, int32_t* count) {
  record("xRemove " + std::to_string(cursor) + " " + text(names));
  return forward<int16_t (*)(int16_t, int16_t, const char*, int32_t*)>("xRemove")(cursor, fields, names, count);
}

// The entry points the driver resolves but never calls: each answers what the real one answers.
#define PASS_ON(name)                                 \
  EXPORT int16_t name(void) {                         \
    record(#name);                                    \
    return forward<int16_t (*)()>(#name)();           \
  }

PASS_ON(_xGetSessionID)
PASS_ON(_xPutSessionID)
PASS_ON(_XQLCallback)
PASS_ON(_xShareSessionID)
PASS_ON(XQLSPUtility)
PASS_ON(XQLStatus)
PASS_ON(_XQLStop)
PASS_ON(XQLConvert)
PASS_ON(XQLValidate)
PASS_ON(XQLMask)
PASS_ON(xCompute)
PASS_ON(xDescribe)
PASS_ON(xMovefld)
PASS_ON(xField)
PASS_ON(xFree)
PASS_ON(xJoin)
PASS_ON(xLogin)
PASS_ON(xLogout)
PASS_ON(xNew)
PASS_ON(xRemall)
PASS_ON(xRestrict)
PASS_ON(xStop)
PASS_ON(xTrans)
PASS_ON(xStore)
PASS_ON(xRecall)
PASS_ON(xUpdall)
PASS_ON(xDD)
PASS_ON(xDDAttr)
PASS_ON(xDDModify)
PASS_ON(xDDCreate)
PASS_ON(xDDDrop)
PASS_ON(xDDField)
PASS_ON(xDDFile)
PASS_ON(xDDIndex)
PASS_ON(xDDPath)
PASS_ON(xDDView)
PASS_ON(xAccess)
PASS_ON(xPassword)
PASS_ON(xSecurity)
PASS_ON(xUser)
PASS_ON(xChar)
PASS_ON(xVersion)
PASS_ON(xStatus)
PASS_ON(xConvert)
PASS_ON(xValidate)
PASS_ON(xMask)
#ifndef LACKS_TWO_NAMES
PASS_ON(XQLFormat)
PASS_ON(xOrder)
#endif
