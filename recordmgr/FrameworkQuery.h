#pragma once
// TQuery: the framework's query component, the rows of an SQL statement of its database on the
// process's session list. The statement is its SQL lines joined by blanks; it is prepared and run
// when the query opens and released when it closes.
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "recordmgr/DBDataset.h"

class TSqlStmt;
class TtbSessionList;

namespace query_texts {
inline constexpr const char* kNoStatement = "No SQL statement available";
}  // namespace query_texts

class TQuery : public TttDBDataset {
  QN_PUBLISHED_CLASS(TQuery, TttDBDataset)
 public:
  // Joins the process's session list; EComponentError when the units have not made it.
  explicit TQuery(TComponent* owner);
  ~TQuery() override;

  TVirtEng* Engine() override;
  TttSession* DefaultSession() override;

  TStrings* SQL() { return &sql_; }
  // Copies the lines; an open query closes first.
  void SetSQL(TStrings* value);
  bool ParamCheck() const { return paramCheck_; }
  void SetParamCheck(bool value) { paramCheck_ = value; }
  // The statement as sent: the lines joined by blanks.
  AnsiString StatementText() const;
  // Runs the statement once without reading rows.
  void ExecSQL();

 protected:
  TBaseTable* CreateHandle() override;
  void DestroyHandle() override;

 private:
  TtbSessionList& list_;
  StringList sql_;
  bool paramCheck_ = true;
  TSqlStmt* statement_ = nullptr;
};
