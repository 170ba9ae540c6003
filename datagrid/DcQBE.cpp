#include "datagrid/DcQBE.h"

#include <cctype>

#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Screen.h"
#include "recordmgr/QueryLanguage.h"
#include "recordmgr/Sessions.h"
#include "recordmgr/StatementCursor.h"

namespace {

UnitRegistration unit("datagrid/DcQBE", {"recordmgr/Sessions"}, [] { RegisterClass<TdcQBE>(); });

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '#'; }

// The line with its '~' words replaced.
AnsiString Substitute(const AnsiString& line, const TStrings& substitutions) {
  AnsiString result;
  size_t at = 0;
  while (at < line.size()) {
    if (line[at] != '~') {
      result += line[at++];
      continue;
    }
    size_t end = at + 1;
    while (end < line.size() && IsWordChar(line[end])) ++end;
    const AnsiString word = line.substr(at + 1, end - at - 1);
    AnsiString replacement = " ";
    for (int i = substitutions.Count() - 1; i >= 0; --i) {
      if (!word.empty() && SameText(substitutions.Names(i), word)) {
        replacement = substitutions.ValueFromIndex(i);
        break;
      }
    }
    result += replacement;
    at = end;
  }
  return result;
}

}  // namespace

DcSessionDataSet::DcSessionDataSet(TComponent* owner)
    : TttDBDataset(owner, StartedBtrieveSessionList()), list_(StartedBtrieveSessionList()) {}

TVirtEng* DcSessionDataSet::Engine() { return list_.Engine(); }

TttSession* DcSessionDataSet::DefaultSession() { return list_.DefaultSession(); }

void TdcQBE::PublishProperties(PropertyPublisher<TdcQBE>& publish) {
  PublishExtensionProperties(publish);
  publish.String("DatabaseName", &TdcQBE::DatabaseName, &TdcQBE::SetDatabaseName);
  publish.StringList("QBE", &TdcQBE::QBE, &TdcQBE::SetQBE);
  publish.String("AnswerTable", &TdcQBE::AnswerTable, &TdcQBE::AnswerTable);
  publish.Boolean("AuxiliaryTables", &TdcQBE::AuxiliaryTables, &TdcQBE::AuxiliaryTables);
  publish.Boolean("BlankAsZero", &TdcQBE::BlankAsZero, &TdcQBE::BlankAsZero);
}

TdcQBE::TdcQBE(TComponent* owner) : DcExtendedSteps<DcSessionDataSet>(owner) {}

void TdcQBE::SetQBE(TStrings* value) {
  const bool reopen = Active();
  Close();
  if (value) qbe_.Assign(*value);
  if (reopen) Open();
}

AnsiString TdcQBE::PreparedText() const {
  AnsiString text;
  for (int i = 0; i < qbe_.Count(); ++i) text += (i ? "\r\n" : "") + Substitute(qbe_.Strings(i), Substitutions);
  return text;
}

TBaseTable* TdcQBE::CreateHandle() {
  HourglassCursor busy;
  return RunStatementCursor(*this, qlQBE, PreparedText(), statement_);
}

void TdcQBE::DestroyHandle() {
  DcExtendedSteps<DcSessionDataSet>::DestroyHandle();
  ReleaseStatement(*this, statement_);
}
