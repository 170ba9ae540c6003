#pragma once
// TttDBDataset: a dataset bound to a database component by DatabaseName and SessionName. Its
// first database flag opens the database through the session (made on demand when no component
// of that name exists) and puts the dataset on the database's list, so that closing the database
// disconnects the dataset first; its last flag gives the database back.
//
// The binding gives the session list to the constructor, as a base constructor cannot reach the
// binding's operations in C++.
#include <cstdint>
#include <functional>

#include "framework/base/AnsiString.h"
#include "recordmgr/FrameworkDBDataSet.h"

class TBaseDatabase;
class TttDatabase;
class TttSessionlist;

class TttDBDataset : public TDBDataSet {
  QN_CLASS(TttDBDataset, TDBDataSet)
 public:
  static constexpr uint32_t PropertyUpdateMode = 0x4050000;
  static constexpr uint16_t NotSufficientTableRights = 10498;

  TttDBDataset(TComponent* owner, TttSessionlist& list);
  ~TttDBDataset() override;

  const AnsiString& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const AnsiString& value);
  const AnsiString& SessionName() const { return sessionName_; }
  void SetSessionName(const AnsiString& value);
  uint8_t UpdateMode() const { return updateMode_; }
  void SetUpdateMode(uint8_t mode);

  // The database component while the dataset holds it; nil otherwise.
  TttDatabase* Database() const { return database_; }
  // The engine's database of the held database component; nil without one.
  TBaseDatabase* DBHandle() const;
  // The held database's session, else the session named by SessionName, else the default one.
  TttSession* DBSession();

  // Closes the dataset (its database is closing).
  virtual void Disconnect() { Close(); }
  // Flags 0 to 15; the result is the flag's previous value.
  virtual bool SetDBFlag(int flag, bool value);

 protected:
  void OpenCursor(bool infoQuery) override;
  void CloseCursor() override;
  // Runs an engine call; insufficient table rights (10498) ask the session for a password and run
  // it again while one is given. Any other failure is raised.
  void CheckWithPasswordRetry(const std::function<uint16_t()>& call);

 private:
  void acquireDatabase();
  void releaseDatabase();
  void applyUpdateMode();

  TttSessionlist& list_;
  TttDatabase* database_ = nullptr;
  AnsiString databaseName_;
  AnsiString sessionName_;
  uint16_t dbFlags_ = 0;
  uint8_t updateMode_ = 0;
};
