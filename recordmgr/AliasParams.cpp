#include "recordmgr/AliasParams.h"

#include <cstring>

#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"

std::vector<AliasParam> ParseAliasParams(const char* text) {
  std::vector<AliasParam> params;
  if (text == nullptr) return params;
  AnsiString key;
  AnsiString value;
  bool inValue = false;
  bool quoted = false;
  size_t used = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '"') {
      quoted = !quoted;
      if (quoted) continue;
      used += value.size() + 1;
      if (used > AliasValueBufferSize) RaiseEngineError(DBIERR_INVALIDPARAM);
      params.push_back({key, value});
      key.clear();
      value.clear();
      inValue = false;
    } else if (!quoted && *c == ':') {
      inValue = true;
    } else if (!quoted && *c == ';') {
      key.clear();
      value.clear();
      inValue = false;
    } else {
      AnsiString& collector = inValue ? value : key;
      collector += *c;
      // Nothing longer than the whole buffer can fit; stop growing before the pair completes.
      if (collector.size() > AliasValueBufferSize) RaiseEngineError(DBIERR_INVALIDPARAM);
    }
  }
  if (quoted) RaiseEngineError(DBIERR_INVALIDPARAM);
  return params;
}

void DescribeAliasParams(const std::vector<AliasParam>& params, std::vector<FieldDescriptor>& descriptors,
                         std::vector<char>& values) {
  descriptors.assign(params.size(), FieldDescriptor{});
  values.clear();
  for (size_t i = 0; i < params.size(); ++i) {
    FieldDescriptor& field = descriptors[i];
    field.FieldNumber = static_cast<uint16_t>(i + 1);
    CopyTextZ(field.FieldName, params[i].Key, FieldDescriptor::NameSize - 1);
    field.FieldType = LogicalFieldType::Text;
    field.Offset = static_cast<uint16_t>(values.size());
    field.FieldLength = static_cast<uint16_t>(params[i].Value.size() + 1);
    values.insert(values.end(), params[i].Value.begin(), params[i].Value.end());
    values.push_back('\0');
  }
}
