#pragma once
// TStoredProc: the framework's stored-procedure component, the rows a stored procedure of its
// database answers, on the process's session list. The call is prepared and run when the
// component opens and released when it closes.
#include "framework/base/PublishedProperties.h"
#include "recordmgr/DBDataset.h"

class TSqlStmt;
class TtbSessionList;

namespace storedproc_texts {
inline constexpr const char* kNoProcedureName = "Missing StoredProcName property";
}  // namespace storedproc_texts

class TStoredProc : public TttDBDataset {
  QN_PUBLISHED_CLASS(TStoredProc, TttDBDataset)
 public:
  // Joins the process's session list; EComponentError when the units have not made it.
  explicit TStoredProc(TComponent* owner);
  ~TStoredProc() override;

  TVirtEng* Engine() override;
  TttSession* DefaultSession() override;

  const AnsiString& StoredProcName() const { return procName_; }
  void SetStoredProcName(const AnsiString& value);

 protected:
  TBaseTable* CreateHandle() override;
  void DestroyHandle() override;

 private:
  TtbSessionList& list_;
  AnsiString procName_;
  TSqlStmt* statement_ = nullptr;
};
