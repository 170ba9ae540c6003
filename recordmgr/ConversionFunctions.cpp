#include "recordmgr/ConversionFunctions.h"

#include <dlfcn.h>

#include <mutex>
#include <string>
#include <vector>

#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "recordmgr/ProgramLibrary.h"

namespace {

constexpr const char* kFirstLibrary = "korvoc32.dll";
constexpr const char* kSecondLibrary = "s2dtconv.dll";

std::mutex loadLock;
TConversionFunctions* instance = nullptr;
bool ended = false;  // the unit has stopped: no new instance

// Binds one entry point; the name of a missing one is kept for the report.
template <typename Entry>
void bind(void* library, const char* name, Entry& entry, std::vector<std::string>& missing) {
  entry = reinterpret_cast<Entry>(dlsym(library, name));
  if (entry == nullptr) missing.emplace_back(name);
}

// Each missing entry point is shown and the application asked to end; the converters answer a
// call of one as a failed conversion meanwhile.
void reportMissing(const std::vector<std::string>& missing, const char* libraryName) {
  for (const std::string& name : missing) {
    MessageDlg("Error Loading Dynamic Function " + name + " from " + libraryName, mtError, {mbOK}, 0);
    if (Application) Application->Terminate();
  }
}

UnitRegistration unit("recordmgr/ConversionFunctions", {"framework/ui/Application"}, {}, [] {
  std::lock_guard<std::mutex> guard(loadLock);
  delete instance;
  instance = nullptr;
  ended = true;
});

}  // namespace

TConversionFunctions::TConversionFunctions() {
  const char* libraryName = kFirstLibrary;
  void* library = OpenProgramLibrary(libraryName);
  if (library == nullptr) {
    libraryName = kSecondLibrary;
    library = OpenProgramLibrary(libraryName);
  }
  if (library == nullptr) return;
  Handle = reinterpret_cast<uintptr_t>(library);
  LibraryName = libraryName;
  Resolve();
}

TConversionFunctions::~TConversionFunctions() {
  if (Loaded()) dlclose(reinterpret_cast<void*>(Handle));
}

void TConversionFunctions::Resolve() {
  void* library = reinterpret_cast<void*>(Handle);
  auto at = [&](const char* name, auto& entry) { bind(library, name, entry, MissingEntryPoints); };
  at("Get_LongYMD", Get_LongYMD);
  at("Set_LongDate", Set_LongDate);
  at("Get_Binary", Get_Binary);
  at("Set_Binary", Set_Binary);
  at("Get_MagicDate", Get_MagicDate);
  at("Set_MagicDate", Set_MagicDate);
  at("Get_Ctime", Get_Ctime);
  at("Set_Ctime", Set_Ctime);
  at("Get_MagicNum100", Get_MagicNum100);
  at("Set_MagicNum100", Set_MagicNum100);
  at("Get_TasProTime", Get_TasProTime);
  at("Set_TasProTime", Set_TasProTime);
  at("Get_TasProNum", Get_TasProNum);
  at("Set_TasProNum", Set_TasProNum);
  at("Get_MagicTime", Get_MagicTime);
  at("Set_MagicTime", Set_MagicTime);
  at("Get_YMD", Get_YMD);
  at("Set_YMD", Set_YMD);
  at("Get_YYMMDD", Get_YYMMDD);
  at("Set_YYMMDD", Set_YYMMDD);
  at("Get_YYYYMMDD", Get_YYYYMMDD);
  at("Set_YYYYMMDD", Set_YYYYMMDD);
  at("Get_TasProDate", Get_TasProDate);
  at("Set_TasProDate", Set_TasProDate);
  at("Get_UDecimal", Get_UDecimal);
  at("Set_UDecimal", Set_UDecimal);
  at("Get_VBCurrency", Get_VBCurrency);
  at("Set_VBCurrency", Set_VBCurrency);
  // The libraries in use were built against this binding of the last four, the date slot taking
  // the export named for the time and the other way round; it stays as they expect it.
  at("Get_BtrieveTime", Get_BtrieveDate);
  at("Set_BtrieveDate", Set_BtrieveDate);
  at("Get_BtrieveDate", Get_BtrieveTime);
  at("Set_BtrieveTime", Set_BtrieveTime);
}

TConversionFunctions* ConversionFunctions() {
  TConversionFunctions* created = nullptr;
  TConversionFunctions* functions = nullptr;
  {
    std::lock_guard<std::mutex> guard(loadLock);
    if (instance == nullptr && !ended) created = instance = new TConversionFunctions();
    functions = instance;
  }
  // Outside the lock: a box lets other work run, which may convert a field in turn.
  if (created != nullptr) reportMissing(created->MissingEntryPoints, created->LibraryName);
  return functions;
}

bool ConverterAvailable() {
  TConversionFunctions* functions = ConversionFunctions();
  return functions != nullptr && functions->Loaded();
}
