#include "platform/sqlif/tests/SqlInterfaceApi.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "platform/os/ExecutablePath.h"

namespace qn::sqlif::testing {

std::string programFolder() { return qn::os::runningProgramFolder(); }

namespace {

void* load(const std::string& file) {
  const std::string path = programFolder() + "/" + file;
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) throw std::runtime_error("cannot load " + path + ": " + ::dlerror());
  return library;
}

template <typename F>
void resolve(void* library, F& entry, const char* name) {
  entry = reinterpret_cast<F>(::dlsym(library, name));
  if (!entry) throw std::runtime_error(std::string("missing entry point ") + name);
}

}  // namespace

SqlInterfaceApi::SqlInterfaceApi() {
  statements_ = load("libwssql32.so");
  names_ = load("libwdbnm32.so");
  resolve(statements_, version, "XQLVersion");
  resolve(statements_, reset, "xReset");
  resolve(statements_, login, "_XQLLogin");
  resolve(statements_, logout, "_XQLLogout");
  resolve(statements_, cursor, "_XQLCursor");
  resolve(statements_, compile, "_XQLCompile");
  resolve(statements_, subst, "XQLSubst");
  resolve(statements_, exec, "XQLExec");
  resolve(statements_, describe, "XQLDescribe");
  resolve(statements_, fetch, "_XQLFetch");
  resolve(statements_, free, "_XQLFree");
  resolve(statements_, recordFetch, "xFetch");
  resolve(statements_, insert, "xInsert");
  resolve(statements_, update, "xUpdate");
  resolve(statements_, remove, "xRemove");
  resolve(statements_, inject, "SQLIF_INJECT");
  resolve(names_, countNames, "SQLGetCountDatabaseNames");
  resolve(names_, countRemoteNames, "SQLGetCountRemoteDatabaseNames");
  resolve(names_, names, "SQLGetDatabaseNames");
  resolve(names_, remoteNames, "SQLGetRemoteDatabaseNames");
  resolve(names_, unloadNames, "SQLUnloadDBNames");
  resolve(names_, injectNames, "SQLIF_INJECT");
}

SqlInterfaceApi& SqlInterfaceApi::instance() {
  static SqlInterfaceApi api;
  return api;
}

void* SqlInterfaceApi::symbol(const char* name, bool names) const { return ::dlsym(names ? names_ : statements_, name); }

int16_t loginTo(const std::string& dictionaryPath, const std::string& user, const std::string& password) {
  const char zero = 0;
  const bool named = dictionaryPath.find('@') != std::string::npos;
  return SqlInterfaceApi::instance().login(user.c_str(), password.c_str(), dictionaryPath.c_str(),
                                           named ? "" : dictionaryPath.c_str(), &zero, 0);
}

int16_t openCursor(int16_t& cursor) { return SqlInterfaceApi::instance().cursor(&cursor); }

int16_t compileText(int16_t cursor, const std::string& text) {
  uint16_t length = static_cast<uint16_t>(text.size());
  return SqlInterfaceApi::instance().compile(cursor, &length, text.c_str());
}

int16_t substitute(int16_t cursor, const std::string& name, const std::string& value) {
  return SqlInterfaceApi::instance().subst(cursor, 1, static_cast<int16_t>(name.size() + 1), name.c_str(),
                                           static_cast<int16_t>(value.size() + 1), value.c_str());
}

Described describeColumn(int16_t cursor, int16_t position) {
  Described d;
  int16_t display = 0;
  int16_t nameLength = 256;
  char name[256] = {};
  d.status = SqlInterfaceApi::instance().describe(cursor, position, &d.type, &d.size, &d.decimals, &display,
                                                  &nameLength, name);
  d.name = name;
  return d;
}

int16_t runStatement(const std::string& text) {
  int16_t cursor = -1;
  EXPECT_EQ(openCursor(cursor), 0);
  const int16_t compiled = compileText(cursor, text);
  const int16_t s = compiled == 0 ? SqlInterfaceApi::instance().exec(cursor) : compiled;
  SqlInterfaceApi::instance().free(cursor);
  return s;
}

uint16_t recordSize(int16_t cursor) {
  uint16_t size = 2;
  for (int16_t position = 1;; ++position) {
    const Described d = describeColumn(cursor, position);
    if (d.status != 0) break;
    size = static_cast<uint16_t>(size + d.size);
  }
  return static_cast<uint16_t>(size + 4);
}

Fetched fetchRows(int16_t cursor, int16_t option, int32_t count, uint16_t rowSize) {
  Fetched f;
  f.count = count;
  f.buffer.assign(static_cast<size_t>(rowSize) * static_cast<size_t>(std::max(count, 1)), 0xEE);
  uint16_t length = static_cast<uint16_t>(f.buffer.size());
  f.status = SqlInterfaceApi::instance().fetch(cursor, option, &length, f.buffer.data(), &f.count, 0, 0);
  return f;
}

int32_t readI32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

uint16_t readU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace qn::sqlif::testing
