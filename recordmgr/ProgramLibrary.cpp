#include "recordmgr/ProgramLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>

#include "framework/base/TextCase.h"
#include "platform/os/ExecutablePath.h"

namespace {

bool endsWithDll(const std::string& name) {
  return name.size() >= 4 && LowerCase(name.substr(name.size() - 4)) == ".dll";
}

}  // namespace

std::string ProgramLibraryFileName(const std::string& name) {
  return endsWithDll(name) ? "lib" + LowerCase(name.substr(0, name.size() - 4)) + ".so" : name;
}

void* OpenProgramLibrary(const std::string& name) {
  const int flags = RTLD_NOW | RTLD_LOCAL;
  if (!endsWithDll(name) || name.find_first_of("/\\") != std::string::npos) return dlopen(name.c_str(), flags);

  const std::string file = ProgramLibraryFileName(name);
  const std::filesystem::path beside = std::filesystem::path(qn::os::executableFolder()) / file;
  if (access(beside.c_str(), F_OK) == 0)
    if (void* handle = dlopen(beside.c_str(), flags)) return handle;
  return dlopen(file.c_str(), flags);
}
