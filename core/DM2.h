#pragma once
// TDM2: the data module holding the one database through which the program runs its
// record-manager transactions over the data model's tables. Creating it connects the database,
// which loads the record manager into the process.
#include "framework/base/DataModule.h"
#include "recordmgr/Sessions.h"

class TDM2 : public TDataModule {
  QN_CLASS(TDM2, TDataModule)
 public:
  explicit TDM2(TComponent* AOwner);
  ~TDM2() override;

  // On the default session "Btrieve", no login prompt.
  TtbDatabase* QNDatabase;

  // Names the database "QNWIN" unless a name was set before, and connects it.
  void DM2Create(TObject* Sender);

  // Runs DM2Create outside the reporting of OnCreate errors: a failed connection raises out of
  // the module's creation and so ends start-up.
  void AfterConstruction() override;
};

// The module the main block made; nil before and after.
extern TDM2* DM2;
