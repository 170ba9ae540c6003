#pragma once
// The published record-manager components forms and data modules place: the session list, the
// sessions, the database and the table bound to the record manager's driver (with its SQL interface). The
// process has one session list and one default session named "Btrieve", made when the units
// start and freed when they stop; every session shares one engine object and one critical
// section, which guards session start and stop.
#include <mutex>

#include "recordmgr/BatchMove.h"
#include "recordmgr/BlobStream.h"
#include "recordmgr/Database.h"
#include "recordmgr/Session.h"
#include "recordmgr/SessionList.h"
#include "recordmgr/Table.h"

class TtbSessionList : public TttSessionlist {
  QN_CLASS(TtbSessionList, TttSessionlist)
 public:
  TtbSessionList() = default;
  ~TtbSessionList() override;

  TVirtEng* Engine() override { return engine_; }
  void SetEngine(TVirtEng* engine) { engine_ = engine; }
  TttSession* DefaultSession() override;

  std::recursive_mutex& CriticalSection() { return criticalSection_; }

 private:
  TVirtEng* engine_ = nullptr;
  std::recursive_mutex criticalSection_;
};

class TtbSession : public TttSession {
  QN_CLASS(TtbSession, TttSession)
 public:
  // Joins the process's session list; EComponentError when the units have not made it.
  explicit TtbSession(TComponent* owner);

  TVirtEng* Engine() override;
  void SetEngineObject(TVirtEng* engine) override;
  void CriticalSectionStart() override;
  void CriticalSectionEnd() override;
  TBapiListItemClass GetEngineClass() override;
  TttSession* DefaultSession() override;
  TttDatabase* CreateDatabase() override;

 private:
  TtbSessionList& list() const;
};

// Shows no login prompt unless its own LoginPrompt is set.
class TtbDatabase : public TttDatabase {
  QN_CLASS(TtbDatabase, TttDatabase)
 public:
  // Joins the process's session list; EComponentError when the units have not made it.
  explicit TtbDatabase(TComponent* owner);
  TtbDatabase(TComponent* owner, TtbSessionList& list);
};

// A table of the process's sessions, opened by a "path;RES:LAYOUT" table name.
class TtbTable : public TttTable {
  QN_CLASS(TtbTable, TttTable)
 public:
  // Joins the process's session list; EComponentError when the units have not made it.
  explicit TtbTable(TComponent* owner);
  ~TtbTable() override;

  TVirtEng* Engine() override;
  TttSession* DefaultSession() override;
  // A stream of the session list's engine on a blob field of this table; EDatabaseError naming
  // the field when it is not a blob field.
  TStream* CreateBlobStream(TField* field, TBlobStreamMode mode) override;
  const TClassInfo* GetBatchMoveClass() const override;

 private:
  TtbSessionList& list_;
};

// The batch move and blob stream whose engine is the session list's.
class TtbBatchMove : public TttBatchMove {
  QN_CLASS(TtbBatchMove, TttBatchMove)
 public:
  explicit TtbBatchMove(TComponent* owner);
  TVirtEng* Engine() override;

 private:
  TtbSessionList& list_;
};

class TtbBlobStream : public TttBlobStream {
  QN_CLASS(TtbBlobStream, TttBlobStream)
 public:
  TtbBlobStream(TField* field, TBlobStreamMode mode, TtbSessionList& list)
      : TttBlobStream(field, mode), list_(list) {}
  TVirtEng* Engine() override;

 private:
  TtbSessionList& list_;
};

// The process's session list and its default session "Btrieve"; nullptr while the units are stopped.
TtbSessionList* BtrieveSessionList();
TtbSession* DefaultBtrieveSession();
// The process's session list; EComponentError while the units are stopped.
TtbSessionList& StartedBtrieveSessionList();
