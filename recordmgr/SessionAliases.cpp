// The session's aliases: those added at run time (configuration records), those of the
// registry, and the configuration list of one alias.
#include <cstring>

#include "framework/base/TextCompare.h"
#include "platform/os/RegistryKey.h"
#include "recordmgr/AliasParams.h"
#include "recordmgr/BaseCfgrecord.h"
#include "recordmgr/BaseSession.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/MemTable.h"
#include "recordmgr/RightsRegistry.h"
#include "recordmgr/ShortStringUtils.h"

namespace {

constexpr const char* kDatabasesNode = "\\DATABASES\\";
constexpr const char* kDbInfoNode = "\\DB INFO";
constexpr const char* kDbOpenNode = "\\DB OPEN";
constexpr const char* kAliasesKey = "Aliases";
constexpr const char* kUserValue = "USER";
constexpr const char* kUserNameNode = "USER NAME";
constexpr uint16_t kPathRow = 0;
constexpr uint16_t kTextRow = 1;

// Appended rather than inserted: an in-memory table inserts before its current record, which
// would turn the rows around, and readers expect the registry's order.
void insertRow(TBaseTable& list, const AnsiString& node, uint16_t dataType, const AnsiString& value) {
  ConfigListRecord row{};
  CopyTextZ(row.NodeName, node, ConfigListRecord::NodeNameMax);
  row.DataType = dataType;
  CopyTextZ(row.Value, value, ConfigListRecord::ValueMax);
  list.AppendRecord(&row);
}

FieldDescriptor configField(uint16_t number, const char* name, uint16_t type, uint16_t length) {
  FieldDescriptor field{};
  field.FieldNumber = number;
  CopyTextZ(field.FieldName, name, FieldDescriptor::NameSize - 1);
  field.FieldType = type;
  field.FieldLength = length;
  field.LocalType = type;
  field.LocalSize = length;
  return field;
}

// The alias a configuration path names: the text after "\DATABASES\" up to "\DB OPEN" or else
// "\DB INFO"; false for a path without "\DATABASES\".
bool aliasOfPath(const AnsiString& path, AnsiString& alias) {
  const size_t start = path.find(kDatabasesNode);
  if (start == AnsiString::npos) return false;
  alias = path.substr(start + std::strlen(kDatabasesNode));
  size_t end = alias.find(kDbOpenNode);
  if (end == AnsiString::npos) end = alias.find(kDbInfoNode);
  if (end != AnsiString::npos) alias.resize(end);
  return true;
}

}  // namespace

AnsiString TBaseSession::AliasConfigKey(const char* name) { return kDatabasesNode + AnsiString(name) + kDbInfoNode; }

void TBaseSession::AddAlias(const char* name, const char*, const char* params, bool) {
  CheckParam(name);
  std::vector<FieldDescriptor> descriptors;
  std::vector<char> values;
  DescribeAliasParams(ParseAliasParams(params), descriptors, values);
  const AnsiString key = AliasConfigKey(name);
  WriteConfig(key.c_str(), values.data(), descriptors.data(), static_cast<uint16_t>(descriptors.size()));
}

void TBaseSession::WriteAliasParams(qn::os::RegistryKey& registry, const char* params) {
  for (const AliasParam& param : ParseAliasParams(params)) registry.WriteString(param.Key, param.Value);
}

void TBaseSession::SaveAliasToRegistry(const char* name, const char* params) {
  CheckParam(name);
  TRightsRegistry registry(qn::os::HKEY_LOCAL_MACHINE);
  if (!registry.OpenKey(registryPath_ + "\\" + kAliasesKey + "\\" + name, true)) return;
  WriteAliasParams(registry, params);
}

void TBaseSession::DeleteAliasFromRegistry(const char* name) {
  CheckParam(name);
  TRightsRegistry registry(qn::os::HKEY_LOCAL_MACHINE);
  const AnsiString key = registryPath_ + "\\" + kAliasesKey + "\\" + name;
  if (registry.KeyExists(key)) registry.DeleteKey(key);
}

// A row per value of the alias's registry key, in the key's order, or of its configuration
// record when it was added at run time and not saved; the user's name always has its row, empty
// when the alias holds none.
void TBaseSession::FillConfigList(TBaseTable& list) {
  AnsiString alias;
  if (!aliasOfPath(list.GetTableName(), alias)) return;
  bool userNamed = false;
  TRightsRegistry registry(rootKey_);
  registry.SetAccess(qn::os::KEY_READ);
  const TBaseCfgrecord* added = nullptr;
  if (IsPathName(alias.c_str(), true)) {
    list.Activate();
    insertRow(list, "PATH", kPathRow, alias);
  } else if (registry.OpenKey(registryPath_ + "\\" + kAliasesKey + "\\" + alias, false)) {
    list.Activate();
    for (const AnsiString& name : registry.GetValueNames()) {
      AnsiString value;
      switch (registry.GetDataType(name)) {
        case qn::os::RegistryDataType::String:
          value = registry.ReadString(name);
          break;
        case qn::os::RegistryDataType::Integer:
          value = std::to_string(registry.ReadInteger(name));
          break;
        default:
          continue;
      }
      const bool user = !userNamed && SameText(name, kUserValue);
      userNamed = userNamed || user;
      insertRow(list, user ? AnsiString(kUserNameNode) : name, kTextRow, value);
    }
  } else if ((added = findConfigNoCase((kDatabasesNode + alias + kDbInfoNode).c_str())) != nullptr) {
    // An alias added at run time and not saved lives only in its configuration record.
    list.Activate();
    for (int i = 0; i < added->FieldCount(); ++i) {
      const FieldDescriptor& field = added->Descriptors()[i];
      const AnsiString name(field.FieldName, strnlen(field.FieldName, FieldDescriptor::NameSize));
      const char* value = added->ValueAt(i);
      userNamed = userNamed || SameText(name, kUserNameNode);
      insertRow(list, name, kTextRow, value ? value : "");
    }
  } else {
    return;
  }
  if (!userNamed) insertRow(list, kUserNameNode, kTextRow, "");
  list.Activate();
}

void TBaseSession::OpenConfigList(const char* path, TBaseTable*& list) {
  const FieldDescriptor fields[] = {
      configField(1, "szNodeName", LogicalFieldType::Text, sizeof ConfigListRecord::NodeName),
      configField(2, "szDescription", LogicalFieldType::Text, sizeof ConfigListRecord::Description),
      configField(3, "iDataType", LogicalFieldType::UInt16, sizeof ConfigListRecord::DataType),
      configField(4, "szValue", LogicalFieldType::Text, sizeof ConfigListRecord::Value),
      configField(5, "bHasSubNodes", LogicalFieldType::Boolean, sizeof ConfigListRecord::HasSubNodes),
  };
  auto* table = CreateCursor<TMemTable>(this, nullptr, fields, 0, 5, CheckParam(path), objects_);
  try {
    FillConfigList(*table);
  } catch (...) {
    delete table;
    throw;
  }
  list = table;
}
