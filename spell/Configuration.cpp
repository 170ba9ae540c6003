#include "spell/Configuration.h"

#include <exception>

#include "framework/base/StringList.h"
#include "framework/base/TextCase.h"
#include "platform/os/DirectoryListing.h"
#include "platform/os/FileNames.h"
#include "platform/os/Files.h"
#include "spell/DictionaryTitle.h"
#include "spell/EnhancedINI.h"
#include "spell/SaveFailure.h"

namespace {

const char* const kMainsKey = "U_MU_DCT";
const char* const kTitlesKey = "M_DCT";
const char* const kUsersKey = "U_DCT";

struct OptionKey {
  const char* key;
  SpellOption option;
  bool byDefault;
};

// In the order the file holds them.
constexpr OptionKey kOptionKeys[] = {
    {"soUpcase", soUpcase, true},       {"soNumbers", soNumbers, false},     {"soAutoSuggest", soAutoSuggest, true},
    {"soPrimaryOnly", soPrimaryOnly, true}, {"soRecheck", soRecheck, true},  {"soRepeated", soRepeated, true},
    {"soDualCaps", soDualCaps, false},  {"soHTML", soHTML, true},            {"soInternet", soInternet, true},
    {"soQuoted", soQuoted, true},       {"soUser1", soUser1, false},         {"soUser2", soUser2, false},
    {"soUser3", soUser3, false},        {"soUser4", soUser4, false},
};

bool existingFile(const AnsiString& path) {
  try {
    return qn::os::fileExists(path);
  } catch (const std::exception&) {  // a name two files match
    return false;
  }
}

AnsiString flagged(bool active, const AnsiString& path) { return (active ? "T" : "F") + path; }

}  // namespace

TConfiguration::TConfiguration(const AnsiString& Path, SpellOptionSet DefaultOptions, const AnsiString& DefaultUser,
                               const AnsiString& DefaultMain, const AnsiString& Section)
    : path_(Path),
      section_(Section),
      defaultOptions_(DefaultOptions),
      defaultUser_(DefaultUser),
      defaultMain_(DefaultMain) {
  if (!path_.empty()) Load();
}

TConfiguration::~TConfiguration() {
  if (loaded_ && modified_) Save();
}

void TConfiguration::Clear() {
  mains_.clear();
  users_.clear();
  options_ = 0;
  userIndex_ = -1;
  loaded_ = false;
}

void TConfiguration::Assign(const TConfiguration& Source) {
  path_ = Source.path_;
  section_ = Source.section_;
  mains_ = Source.mains_;
  users_ = Source.users_;
  options_ = Source.options_;
  userIndex_ = Source.userIndex_;
  modified_ = Source.modified_;
  loaded_ = Source.loaded_;
  defaultOptions_ = Source.defaultOptions_;
  defaultUser_ = Source.defaultUser_;
  defaultMain_ = Source.defaultMain_;
}

void TConfiguration::Load() {
  Clear();
  bool present = false;
  try {
    present = TEnhancedINI(path_).ReadBool(section_, "ID", false);
  } catch (const std::exception&) {
    // A file that cannot be read is taken as one without the section.
  }
  if (present)
    loadSection();
  else
    buildFromFolder();
  loaded_ = true;
}

void TConfiguration::loadSection() {
  const TEnhancedINI ini(path_);
  const qn::os::IniEntries entries = ini.ReadEntries(section_);
  StringList mains, titles, users;
  TEnhancedINI::GetList(entries, kMainsKey, mains);
  TEnhancedINI::GetList(entries, kTitlesKey, titles);
  TEnhancedINI::GetList(entries, kUsersKey, users);
  for (int i = 0; i < mains.Count(); ++i) {
    TMain entry;
    entry.Path = mains[i].substr(1);
    const bool exists = existingFile(entry.Path);
    entry.Active = mains[i][0] == 'T' && exists;
    entry.Title = i < titles.Count() ? titles[i] : exists ? DictionaryTitle(entry.Path) : AnsiString();
    mains_.push_back(entry);
  }
  for (int i = 0; i < users.Count(); ++i) users_.push_back({users[i].substr(1), users[i][0] == 'T'});
  for (const OptionKey& key : kOptionKeys)
    if (ini.ReadBool(section_, key.key, key.byDefault)) options_ |= key.option;
  userIndex_ = ini.ReadInteger(section_, "UserIndex", -1);
  modified_ = false;
}

void TConfiguration::buildFromFolder() {
  const AnsiString folder = qn::os::extractFilePath(path_);
  for (const qn::os::DirectoryEntry& file : qn::os::listDirectory(folder + "*.dct")) {
    if (file.isDirectory) continue;
    const AnsiString path = folder + file.name;
    mains_.push_back({path, LowerCase(file.name) == LowerCase(defaultMain_), DictionaryTitle(path)});
  }
  for (const qn::os::DirectoryEntry& file : qn::os::listDirectory(folder + "*.udt")) {
    if (file.isDirectory) continue;
    const bool active = LowerCase(file.name) == LowerCase(defaultUser_);
    if (active) userIndex_ = static_cast<int>(users_.size());
    users_.push_back({folder + file.name, active});
  }
  if (users_.empty()) {
    users_.push_back({folder + "default.udt", true});
    userIndex_ = 0;
  }
  options_ = defaultOptions_;
  modified_ = true;  // written out when released
}

bool TConfiguration::Save() {
  const bool saved = SaveOrReport(path_, saveFailureReported_, [&] {
    StringList mains, titles, users;
    for (const TMain& entry : mains_) {
      mains.Add(flagged(entry.Active, entry.Path));
      titles.Add(entry.Title);
    }
    for (const TUser& entry : users_) users.Add(flagged(entry.Active, entry.Path));
    TEnhancedINI(path_).RewriteSections({section_}, [&](std::vector<qn::os::IniEntries>& sections) {
      qn::os::IniEntries& entries = sections[0];
      TEnhancedINI::PutValue(entries, "ID", "1");
      TEnhancedINI::PutList(entries, kMainsKey, mains);
      TEnhancedINI::PutList(entries, kTitlesKey, titles);
      TEnhancedINI::PutList(entries, kUsersKey, users);
      for (const OptionKey& key : kOptionKeys) TEnhancedINI::PutValue(entries, key.key, options_ & key.option ? "1" : "0");
      TEnhancedINI::PutValue(entries, "UserIndex", std::to_string(userIndex_));
    });
  });
  if (saved) modified_ = false;
  return saved;
}
