#pragma once
// TdcQBE: the library's query-by-example dataset. Its lines are prepared with their '~' words
// substituted; no engine here offers the language, so opening raises the engine's not-supported
// error (12289) with a text saying so, and no answer table is ever written.
#include "datagrid/DcExtendedSteps.h"
#include "framework/base/StringList.h"
#include "recordmgr/DBDataset.h"

class TSqlStmt;
class TtbSessionList;

// A TDBDataSet bound to the process's session list, the base of the query-by-example dataset.
class DcSessionDataSet : public TttDBDataset {
 public:
  explicit DcSessionDataSet(TComponent* owner);
  TVirtEng* Engine() override;
  TttSession* DefaultSession() override;

 private:
  TtbSessionList& list_;
};

class TdcQBE : public DcExtendedSteps<DcSessionDataSet> {
  QN_PUBLISHED_CLASS(TdcQBE, TttDBDataset)
 public:
  explicit TdcQBE(TComponent* owner);

  TStrings* QBE() { return &qbe_; }
  // Copies the lines; an open dataset opens again with them.
  void SetQBE(TStrings* value);
  AnsiString AnswerTable;
  bool AuxiliaryTables = true;
  bool BlankAsZero = true;
  // The names and values '~' words are replaced by, the last entry first; names without case.
  StringList Substitutions;

  // The lines as they are prepared: each '~' followed by a substitution name becomes its value,
  // any other '~' word one blank; joined by CR LF.
  AnsiString PreparedText() const;

 protected:
  TBaseTable* CreateHandle() override;
  void DestroyHandle() override;
  // Query by example has no mask step before a post.
  void DoBeforePost() override { DcSessionDataSet::DoBeforePost(); }

 private:
  StringList qbe_;
  TSqlStmt* statement_ = nullptr;
};
