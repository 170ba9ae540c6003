#pragma once
// A binding of the session components for tests: the record manager's driver session, one
// engine object and one critical section per session list. Test code only.
#include <mutex>

#include "recordmgr/BaseSession.h"
#include "recordmgr/BtrSession.h"
#include "recordmgr/Database.h"
#include "recordmgr/Session.h"
#include "recordmgr/SessionList.h"
#include "recordmgr/VirtEng.h"

namespace bindingtest {

class TestSessionList : public TttSessionlist {
 public:
  ~TestSessionList() override {
    CloseAll();
    delete engine;
  }
  TVirtEng* Engine() override { return engine; }
  TttSession* DefaultSession() override {
    for (int i = 0; i < Count(); ++i)
      if (Sessions(i)->IsDefault()) return Sessions(i);
    return nullptr;
  }

  TVirtEng* engine = nullptr;
  // The engine's session class the default session starts the engine with.
  TBapiListItemClass engineClass = &CreateSession<TBtrSession>;
  std::recursive_mutex criticalSection;
  int criticalDepth = 0;
};

// The binding's database: no login prompt unless asked for.
class TestDatabaseComponent : public TttDatabase {
 public:
  TestDatabaseComponent(TComponent* owner, TttSessionlist& list) : TttDatabase(owner, list) { SetLoginPrompt(false); }
};

class TestSessionComponent : public TttSession {
 public:
  TestSessionComponent(TComponent* owner, TestSessionList& list) : TttSession(owner, list), list_(list) {}
  ~TestSessionComponent() override = default;

  TVirtEng* Engine() override { return list_.engine; }
  void SetEngineObject(TVirtEng* engine) override { list_.engine = engine; }
  void CriticalSectionStart() override {
    list_.criticalSection.lock();
    ++list_.criticalDepth;
  }
  void CriticalSectionEnd() override {
    --list_.criticalDepth;
    list_.criticalSection.unlock();
  }
  TBapiListItemClass GetEngineClass() override { return list_.engineClass; }
  TttSession* DefaultSession() override { return list_.DefaultSession(); }
  TttDatabase* CreateDatabase() override { return new TestDatabaseComponent(this, list_); }

 private:
  TestSessionList& list_;
};

}  // namespace bindingtest
