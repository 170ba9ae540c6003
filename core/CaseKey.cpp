#include "core/CaseKey.h"

#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

namespace {

AnsiString fieldText(TDataSet* table, const char* name, const char* otherName) {
  const TField* field = table->FindField(name);
  return (field ? field : table->FieldByName(otherName))->AsString();
}

}  // namespace

CaseKey::CaseKey(const AnsiString& client, const AnsiString& suffix)
    : client(Format("%-7s", {client})), suffix(Format("%7s", {suffix})) {}

CaseKey CaseKey::ofCurrent(TDataSet* cases) {
  return CaseKey(cases->FieldByName("Client Code")->AsString(), cases->FieldByName("Case Suffix")->AsString());
}

bool CaseKey::holds(TDataSet* table) const {
  return Trim(fieldText(table, "Client Code", "ClientCode")) == Trim(client) &&
         Trim(fieldText(table, "Case Suffix", "CaseSuffix")) == Trim(suffix);
}
