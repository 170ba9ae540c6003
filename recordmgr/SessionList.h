#pragma once
// TttSessionlist: every session component of one engine binding. The binding supplies the engine
// object, the default session and the session class; sessions join the list as they are made.
//
// The binding's critical section is the binding's own object, made and ended with the binding's
// list (a base constructor cannot reach a derived class's operations in C++).
#include <mutex>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/base/Bits.h"
#include "framework/base/Object.h"

class TttSession;
class TVirtEng;

class TttSessionlist : public TObject {
  QN_CLASS(TttSessionlist, TObject)
 public:
  TttSessionlist() = default;
  ~TttSessionlist() override;  // CloseAll

  // --- Supplied by the binding ---
  virtual TVirtEng* Engine() = 0;
  virtual TttSession* DefaultSession() = 0;

  // The first session ever added becomes the list's default session.
  void AddSession(TttSession* session);
  void RemoveSession(TttSession* session);
  // Frees every session, the last first.
  void CloseAll();
  // An empty name gives DefaultSession; otherwise the session of that name (case ignored), or nil.
  TttSession* FindSession(const AnsiString& name);
  // FindSession, or the database error "Invalid session name %s".
  TttSession* GetSession(const AnsiString& name);
  int Count();
  TttSession* Sessions(int index);

  // The numbers taken by automatic session names; guarded by the binding's critical section.
  TBits& SessionNumbers() { return sessionNumbers_; }

 private:
  std::recursive_mutex lock_;
  std::vector<TttSession*> sessions_;
  TBits sessionNumbers_;
};
