#include "recordmgr/BtrSession.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <mutex>
#include <vector>

#include "framework/base/TextCase.h"
#include "recordmgr/BtrDatabase.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/MainThread.h"
#include "recordmgr/ConverterOptions.h"
#include "recordmgr/RightsRegistry.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr uint16_t kAlreadyStarted = 1016;
constexpr size_t kTimeLetterAt = 12;
constexpr int kLetters = 26;

// The sessions alive in this process, whose client identifiers must differ.
std::mutex liveLock;
std::vector<const TBtrSession*> liveSessions;

// The configuration key of a subkey, opened for reading; false when it does not exist.
bool openConfiguration(TRightsRegistry& registry, const char* subkey) {
  registry.SetAccess(qn::os::KEY_READ);
  return registry.OpenKey(SessionConfigurationKey(subkey), false);
}

bool readBool(const TRightsRegistry& registry, const char* name, bool missing) {
  return registry.ValueExists(name) ? registry.ReadBool(name) : missing;
}

AnsiString readText(const TRightsRegistry& registry, const char* name) {
  return registry.ValueExists(name) ? registry.ReadString(name) : AnsiString();
}

}  // namespace

AnsiString SessionConfigurationKey(const AnsiString& subkey) {
  return AnsiString(TBtrSession::RegistryBase) + "\\Configuration\\" + subkey;
}

TBtrSession::Defaults TBtrSession::defaultsFor(const char* directory, const char* name) {
  Defaults defaults;
  if (directory) defaults.directory = AnsiString(directory);
  if (name) defaults.name = AnsiString(name);
  if (directory && name) return defaults;
  TRightsRegistry registry(qn::os::HKEY_LOCAL_MACHINE);
  if (!openConfiguration(registry, "Default Session")) return defaults;
  if (!name && registry.ValueExists("Name")) defaults.name = registry.ReadString("Name");
  if (!directory && registry.ValueExists("Directory")) defaults.directory = registry.ReadString("Directory");
  return defaults;
}

TBtrSession::TBtrSession(TBapiListItem* facade, const char* directory, const char* name, TKorvoCollection* list)
    : TBtrSession(facade, defaultsFor(directory, name), list) {}

TBtrSession::TBtrSession(TBapiListItem* facade, const Defaults& defaults, TKorvoCollection* list)
    : TBaseSession(facade, defaults.directory ? defaults.directory->c_str() : nullptr,
                   defaults.name ? defaults.name->c_str() : nullptr, list) {
  SetRegistryRoot(qn::os::HKEY_LOCAL_MACHINE, RegistryBase);
  if (OnMainThread()) {
    loadEngine();
    readConversionOptions();
  }
  makeClientId();
}

void TBtrSession::loadEngine() {
  TRightsRegistry registry(qn::os::HKEY_LOCAL_MACHINE);
  if (openConfiguration(registry, "Btrieve Client")) {
    initText_ = readText(registry, "Options").substr(0, OptionsMax);
    libraryName_ = LowerCase(readText(registry, "DLLName"));
  }
  const AnsiString library = libraryName_.empty() ? AnsiString(DefaultEngineLibrary) : libraryName_;
  const uint16_t status = LoadBtrieveEngine(initText_.c_str(), library.c_str());
  if (status != 0 && status != kAlreadyStarted) throw EBtrieveEngineError(status, initText_);
}

void TBtrSession::readConversionOptions() {
  TRightsRegistry intl(qn::os::HKEY_LOCAL_MACHINE);
  if (openConfiguration(intl, "Intl"))
    SetCharsetOptions(readBool(intl, "IgnoreOemAnsi", false), readBool(intl, "IgnoreAnsiOem", false));
  TRightsRegistry fields(qn::os::HKEY_LOCAL_MACHINE);
  if (!openConfiguration(fields, "Fields")) return;
  ConverterOptions.Read = readBool(fields, "Read", false);
  ConverterOptions.Write = readBool(fields, "Write", false);
  ConverterOptions.SmallIntAsByte = readBool(fields, "SmallIntAsByte", false);
  ConverterOptions.StringPaddedSpaces = readBool(fields, "StringPaddedSpaces", true);
  ConverterOptions.IntegersShowAsZero = readBool(fields, "IntegersShowAsZero", false);
}

void TBtrSession::makeClientId() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  clientId_.fill(0);
  clientId_[kTimeLetterAt] = static_cast<uint8_t>('A' + milliseconds % kLetters);
  clientId_[13] = static_cast<uint8_t>('A' + local.tm_sec % kLetters);
  clientId_[14] = static_cast<uint8_t>(local.tm_hour);
  clientId_[15] = static_cast<uint8_t>(local.tm_min);

  std::lock_guard<std::mutex> guard(liveLock);
  for (int tries = 0; tries < kLetters; ++tries) {
    const bool taken = std::any_of(liveSessions.begin(), liveSessions.end(),
                                   [&](const TBtrSession* other) { return other->clientId_ == clientId_; });
    if (!taken) break;
    clientId_[kTimeLetterAt] = static_cast<uint8_t>('A' + (clientId_[kTimeLetterAt] - 'A' + 1) % kLetters);
  }
  liveSessions.push_back(this);
}

// The databases go first (their tables close their files), then the client ends; the last
// session of the main thread stops the record manager.
TBtrSession::~TBtrSession() {
  Databases()->FreeAll();
  if (usedClient_) {
    TWinBtr btr(ClientId());
    btr.Stop();
  }
  {
    std::lock_guard<std::mutex> guard(liveLock);
    liveSessions.erase(std::remove(liveSessions.begin(), liveSessions.end(), this), liveSessions.end());
  }
  if (!OnMainThread()) return;
  bool othersRemain = false;
  for (int i = 0; List() && i < List()->Count(); ++i) {
    TObject* item = List()->At(i);
    if (item != this && dynamic_cast<TBtrSession*>(item)) othersRemain = true;
  }
  if (!othersRemain) UnloadBtrieveEngine();
}

AnsiString TBtrSession::GetDriverName() { return BtrieveDriverName; }

void TBtrSession::DeleteAlias(const char* name) { DeleteConfig(AliasConfigKey(CheckParam(name)).c_str()); }

void TBtrSession::ResolveAlias(const char* name, DatabaseDescription& description, bool byAlias) {
  if (name && *name == '\0') {
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    return TBaseSession::ResolveAlias(AddTrailingBackslash(current).c_str(), description, byAlias);
  }
  TBaseSession::ResolveAlias(name, description, byAlias);
}

void TBtrSession::CreateDatabase(const DatabaseDescription& description, const char*, uint32_t, uint32_t,
                                 const char*, uint16_t, const FieldDescriptor*, const void*,
                                 TBaseDatabase*& database) {
  DatabaseDescription btrieve = description;
  CopyTextZ(btrieve.Description, DdfDriverDescription, DatabaseDescription::NameSize - 1);
  CopyTextZ(btrieve.DriverType, BtrieveDriverName, DatabaseDescription::NameSize - 1);
  CopyTextZ(btrieve.Path, AddTrailingBackslash(description.Path), DatabaseDescription::PathSize - 1);
  database = new TBtrDatabase(this, description.Name, &btrieve, Databases(), ClientId());
  usedClient_ = true;
}
