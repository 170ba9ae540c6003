// A second program on the same SQL database: logs in, runs one statement and prints its status
// and, for a query, the 32-bit integer the first row holds first ("exec=0 first=100").
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/os/ExecutablePath.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  void* library = dlopen((qn::os::runningProgramFolder() + "/libwssql32.so").c_str(), RTLD_NOW);
  if (library == nullptr) return 2;
  auto login = reinterpret_cast<int16_t (*)(const char*, const char*, const char*, const char*, const char*, int16_t)>(
      dlsym(library, "_XQLLogin"));
  auto cursor = reinterpret_cast<int16_t (*)(int16_t*)>(dlsym(library, "_XQLCursor"));
  auto compile = reinterpret_cast<int16_t (*)(int16_t, uint16_t*, const char*)>(dlsym(library, "_XQLCompile"));
  auto exec = reinterpret_cast<int16_t (*)(int16_t)>(dlsym(library, "XQLExec"));
  auto fetch = reinterpret_cast<int16_t (*)(int16_t, int16_t, uint16_t*, void*, int32_t*, int16_t, int16_t)>(
      dlsym(library, "_XQLFetch"));
  auto logout = reinterpret_cast<int16_t (*)()>(dlsym(library, "_XQLLogout"));
  const char zero = 0;
  if (int16_t s = login("ADMIN", "secret", argv[1], argv[1], &zero, 0); s != 0) {
    std::printf("login=%d\n", s);
    return 0;
  }
  int16_t id = -1;
  cursor(&id);
  uint16_t length = static_cast<uint16_t>(std::strlen(argv[2]));
  int16_t s = compile(id, &length, argv[2]);
  if (s == 0) s = exec(id);
  std::printf("exec=%d", s);
  uint8_t row[1024] = {};
  uint16_t rowLength = sizeof row;
  int32_t count = 1;
  if (s == 0 && fetch(id, 1, &rowLength, row, &count, 0, 0) == 0) {
    int32_t first;
    std::memcpy(&first, row + 2, 4);
    std::printf(" first=%d", first);
  }
  std::printf("\n");
  logout();
  return 0;
}
